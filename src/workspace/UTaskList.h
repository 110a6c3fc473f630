#pragma once
// The task list of the current project on the "Tasks" tab, its three buttons, and the
// details panel above the work area with the progress gauge.

#include <QObject>

class QString;
class QProgressBar;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;
class TElidedLabel;
struct TWorkspaceServices;
struct TWorkspaceState;

class TTaskList : public QObject {
    Q_OBJECT

public:
    TTaskList(TWorkspaceState& state, TWorkspaceServices& services, QObject* parent = nullptr);
    ~TTaskList() override;

    // The two regions; the caller places them and takes ownership.
    QWidget* TasksTab() const { return stsTasks; }
    QWidget* DetailsPanel() const { return panDetails; }

    // Fills the list and the details panel from the current project.
    void ShowProjectTasks();
    // Empties the list and shows no project.
    void ClearProjectPanel();

    void btnAddClick();
    void btnEditClick();
    void btnRemoveClick();

signals:
    // A task was added, changed, ticked or removed.
    void Edited();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildTasksTab();
    void BuildDetailsPanel();
    void lvwItemsChange(QTreeWidgetItem* row);
    [[nodiscard]] bool lvwItemsKeyDown(int key);
    void ToggleSelectedTask();
    void ShowProgress();
    // The selected row; -1 after telling the user that there are no rows or none is selected.
    [[nodiscard]] int RowToActOn(const QString& whenEmpty, const QString& whenNoneSelected);

    TWorkspaceState& State;
    TWorkspaceServices& Services;
    QWidget* stsTasks = nullptr;
    QTreeWidget* lvwItems = nullptr;
    QPushButton* btnAdd = nullptr;
    QPushButton* btnEdit = nullptr;
    QPushButton* btnRemove = nullptr;
    QWidget* panDetails = nullptr;
    TElidedLabel* lblProjName = nullptr;
    TElidedLabel* lblStartDate = nullptr;
    TElidedLabel* lblEndDate = nullptr;
    QProgressBar* MainGauge = nullptr;
};
