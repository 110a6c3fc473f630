// The news window on its own, with a scripted news service.

#include "app/FNews.h"

#include "TRecordingBrowser.h"
#include "TScriptedMessages.h"
#include "TTempFolder.h"
#include "UFindControl.h"
#include "brand/UBrandSettings.h"
#include "brand/ULastNewsId.h"
#include "common/UProgramFolder.h"
#include "crypto/UUtilsCrypt.h"
#include "news/UNewsClient.h"
#include "ui/THtmlView.h"
#include "ui/UAnsiText.h"

#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <functional>
#include <map>
#include <memory>

class FNewsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TTempFolder> Temp;
    std::unique_ptr<TProgramFolder> Folder;
    TBrandSettings Settings;
    TScriptedMessages Messages;
    TRecordingBrowser Browser;
    std::map<std::string, std::string> Bodies; // news id -> answer
    std::vector<std::string> Requested;        // news ids, in order
    std::function<void()> DuringRequest;       // what the user does while a body loads
    std::unique_ptr<TNewsClient> Client;
    std::vector<std::string> NewsList{"9^Winter \xE9"
                                      "dition^Dec 9, 2026",
                                      "7^Sale^Dec 1, 2026", "3^Short"};
    std::unique_ptr<TfrmNews> Window;

    QTreeWidget* List() { return FindControl<QTreeWidget>(Window.get(), "lvwItems"); }
    THtmlView* Body() { return FindControl<THtmlView>(Window.get(), "prfEditorNews"); }
    void Select(int row) { List()->setCurrentItem(List()->topLevelItem(row)); }

    std::string Answer(const std::vector<FormField>& fields)
    {
        const std::string id = fields.at(3).Value;
        Requested.push_back(id);
        if (DuringRequest)
            std::exchange(DuringRequest, {})();
        return Bodies[id];
    }

private slots:
    void init()
    {
        Temp = std::make_unique<TTempFolder>();
        Folder = std::make_unique<TProgramFolder>(Temp->Path());
        // A sealed settings file, so that the read marker can be stored.
        Temp->Write("plain.tmp", "<%%BranderType%%>Gold<%%/BranderType%%>\r\n");
        QVERIFY(EncryptFile(Temp->File("plain.tmp"), Temp->File("dbsettings.dat")));
        Settings = {};
        Settings.BranderType = "Gold";
        Settings.GoldPublID = "pub";
        Settings.BranderCode = "TW";
        Bodies = {{"9", "<p>Nine $E9</p>\xAFOK"}, {"7", "<p>Seven</p>\xAFOK"}, {"3", "INVALIDNEWS"}};
        Requested.clear();
        Messages.Clear();
        Client = std::make_unique<TNewsClient>(
            Settings, [this](const std::string&, const std::vector<FormField>& fields) { return Answer(fields); },
            [this](std::string_view message) { Messages.Warn(AnsiToQString(message)); });
        Window = std::make_unique<TfrmNews>(NewsList, Settings, *Client, *Folder, Browser);
        Window->show();
    }
    void cleanup() { Window.reset(); }

    void opensWithTheRecordsInOrderAndNothingSelected()
    {
        QCOMPARE(Window->windowTitle(), QStringLiteral("News"));
        QCOMPARE(List()->topLevelItemCount(), 3);
        QCOMPARE(List()->topLevelItem(0)->text(0), QStringLiteral("Winter \u00E9dition"));
        QCOMPARE(List()->topLevelItem(0)->text(1), QStringLiteral("Dec 9, 2026"));
        QCOMPARE(List()->topLevelItem(1)->text(TfrmNews::NewsIdColumn), QStringLiteral("7"));
        QCOMPARE(List()->topLevelItem(2)->text(0), QStringLiteral("Short")); // a short record still lists
        QCOMPARE(List()->topLevelItem(2)->text(1), QString());
        QVERIFY(List()->isColumnHidden(TfrmNews::NewsIdColumn));
        QVERIFY(List()->selectedItems().isEmpty());
        QVERIFY(Body()->toPlainText().isEmpty());
        QVERIFY(Requested.empty());
    }

    void selectingShowsTheBodyAndStoresItsIdEvenWhenOlder()
    {
        Select(0);
        QCOMPARE(Body()->toPlainText(), QStringLiteral("Nine \u00E9"));
        QCOMPARE(LoadLastNewsId(*Folder), std::string("9"));
        Select(1);
        QCOMPARE(Body()->toPlainText(), QStringLiteral("Seven"));
        QCOMPARE(LoadLastNewsId(*Folder), std::string("7"));
        Select(0); // no cache: a second selection fetches again
        QCOMPARE(Requested, (std::vector<std::string>{"9", "7", "9"}));
        QVERIFY(Messages.Shown.isEmpty());
    }

    void aFailedBodyWarnsAndKeepsTheShownOne()
    {
        Select(1);
        Select(2);
        QCOMPARE(Messages.Texts(),
                 QStringList{QStringLiteral("There is a trouble with this news. Contact your provider.")});
        QCOMPARE(Body()->toPlainText(), QStringLiteral("Seven"));
        QCOMPARE(LoadLastNewsId(*Folder), std::string("7"));
    }

    void aChangeWhileABodyLoadsIsRefusedWithoutAFetch()
    {
        DuringRequest = [this] {
            Select(1);
            QCOMPARE(List()->currentItem(), List()->topLevelItem(0));
            QCOMPARE(List()->selectedItems(), QList<QTreeWidgetItem*>{List()->topLevelItem(0)});
        };
        Select(0);
        QCOMPARE(Requested, std::vector<std::string>{"9"});
        QCOMPARE(List()->currentItem(), List()->topLevelItem(0));
        QCOMPARE(Body()->toPlainText(), QStringLiteral("Nine \u00E9"));
    }

    void closingWaitsForTheBodyBeingFetched()
    {
        DuringRequest = [this] {
            QTest::mouseClick(FindControl<QPushButton>(Window.get(), "btnExit"), Qt::LeftButton);
            QVERIFY(Window->isVisible());
        };
        Select(0);
        QVERIFY(!Window->isVisible());
        QCOMPARE(LoadLastNewsId(*Folder), std::string("9"));
    }
};

QTEST_MAIN(FNewsTest)
#include "FNewsTest.moc"
