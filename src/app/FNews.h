#pragma once
// TfrmNews: the news window. It lists the fetched news; selecting one fetches its body,
// shows it as HTML and stores its id as the last news read.

#include <QDialog>

#include <string>
#include <vector>

class QTreeWidget;
class QTreeWidgetItem;
class QPushButton;
class TBrowserLauncher;
class THtmlView;
class TNewsClient;
class TProgramFolder;
struct TBrandSettings;

class TfrmNews : public QDialog {
    Q_OBJECT

public:
    TfrmNews(const std::vector<std::string>& newsList, const TBrandSettings& settings, TNewsClient& client,
             TProgramFolder& folder, TBrowserLauncher& browser, QWidget* parent = nullptr);

    static constexpr int ClientWidth = 682;
    static constexpr int ClientHeight = 411;

    // The sub-item that holds a row's news id: a column that is never shown.
    static constexpr int NewsIdColumn = 2;

    // Closing waits for a body that is being fetched.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildWindow();
    void FormShow();
    void SelectionChanged();
    void lvwItemsChange();
    [[nodiscard]] bool lvwItemsChanging() const;
    void btnExitClick();
    bool FetchNewsDetails(const std::string& newsId, std::string& body);
    void SetBusyCursor(bool busy);

    const std::vector<std::string>& NewsList;
    const TBrandSettings& Settings;
    TNewsClient& Client;
    TProgramFolder& Folder;
    bool FBusy = false;
    bool Shown = false;
    QTreeWidgetItem* SelectedItem = nullptr; // the selection the handlers last accepted
    int CloseResult = -1;                    // a close asked for while a body loads

    QTreeWidget* lvwItems = nullptr;
    THtmlView* prfEditorNews = nullptr;
    QPushButton* btnExit = nullptr;
};
