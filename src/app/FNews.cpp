#include "app/FNews.h"

#include "brand/UBrandSettings.h"
#include "brand/ULastNewsId.h"
#include "news/UNewsAnswers.h"
#include "news/UNewsClient.h"
#include "news/UNewsEdition.h"
#include "ui/THtmlView.h"
#include "ui/UAnsiText.h"
#include "ui/UWidgets.h"

#include <QFrame>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int ListPanelHeight = 105;
constexpr int SplitterHeight = 10;
constexpr int ButtonPanelHeight = 41;
constexpr int PublishedWidth = 160;

} // namespace

TfrmNews::TfrmNews(const std::vector<std::string>& newsList, const TBrandSettings& settings, TNewsClient& client,
                   TProgramFolder& folder, TBrowserLauncher& browser, QWidget* parent)
    : QDialog(parent)
    , NewsList(newsList)
    , Settings(settings)
    , Client(client)
    , Folder(folder)
{
    setObjectName(QStringLiteral("frmNews"));
    setWindowTitle(QStringLiteral("News"));
    setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    prfEditorNews = Named(new THtmlView(browser), "prfEditorNews");
    BuildWindow();
}

void TfrmNews::BuildWindow()
{
    resize(ClientWidth, ClientHeight);
    setFont(DesignFont());

    auto* listPanel = Named(new QFrame, "panList");
    listPanel->setFrameShape(QFrame::StyledPanel);
    auto* listLayout = new QVBoxLayout(listPanel);
    listLayout->setContentsMargins(1, 1, 1, 1);
    lvwItems = ReportList("lvwItems", {QStringLiteral("News Title"), QStringLiteral("Published"), QString()});
    lvwItems->header()->setStretchLastSection(false);
    lvwItems->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    lvwItems->header()->resizeSection(1, PublishedWidth);
    lvwItems->setColumnHidden(NewsIdColumn, true);
    listLayout->addWidget(lvwItems);

    // The splitter drags the border between the list panel and the body.
    auto* splitter = Named(new QSplitter(Qt::Vertical), "splNews");
    splitter->setHandleWidth(SplitterHeight);
    splitter->setChildrenCollapsible(false);
    splitter->addWidget(listPanel);
    splitter->addWidget(prfEditorNews);
    listPanel->setMinimumHeight(SplitterHeight);
    prfEditorNews->setMinimumHeight(SplitterHeight);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({ListPanelHeight, ClientHeight - ListPanelHeight - SplitterHeight - ButtonPanelHeight});

    auto* buttonPanel = Named(new QFrame, "panButtons");
    buttonPanel->setFixedHeight(ButtonPanelHeight);
    btnExit = TextButton("btnExit", QStringLiteral("Close"), 97);
    btnExit->setParent(buttonPanel);
    btnExit->move(304, 7);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(splitter);
    layout->addWidget(buttonPanel);

    connect(lvwItems, &QTreeWidget::itemSelectionChanged, this, &TfrmNews::SelectionChanged);
    connect(btnExit, &QPushButton::clicked, this, &TfrmNews::btnExitClick);
}

void TfrmNews::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (Shown)
        return;
    Shown = true;
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    FormShow();
}

void TfrmNews::FormShow()
{
    for (const std::string& record : NewsList) {
        const TNewsRecord news = SplitNewsRecord(record);
        auto* item = new QTreeWidgetItem(lvwItems);
        item->setText(0, AnsiToQString(news.Title));
        item->setText(1, AnsiToQString(news.Published));
        item->setText(NewsIdColumn, AnsiToQString(news.Id));
    }
    const QSignalBlocker quiet(lvwItems);
    lvwItems->setCurrentItem(nullptr);
    lvwItems->clearSelection();
}

// Qt reports a change of selection after the fact: a change that lvwItemsChanging refuses
// is undone without a fetch, and each accepted change fetches once.
void TfrmNews::SelectionChanged()
{
    const QList<QTreeWidgetItem*> selected = lvwItems->selectedItems();
    QTreeWidgetItem* item = selected.isEmpty() ? nullptr : selected.front();
    if (item == SelectedItem)
        return;
    if (!lvwItemsChanging()) {
        const QSignalBlocker quiet(lvwItems);
        lvwItems->setCurrentItem(SelectedItem);
        if (SelectedItem == nullptr)
            lvwItems->clearSelection();
        return;
    }
    SelectedItem = item;
    lvwItemsChange();
}

bool TfrmNews::lvwItemsChanging() const
{
    return !FBusy;
}

void TfrmNews::lvwItemsChange()
{
    QTreeWidgetItem* const item = SelectedItem;
    if (item == nullptr)
        return;
    FBusy = true;
    SetBusyCursor(true);
    const std::string newsId = QStringToAnsi(item->text(NewsIdColumn));
    std::string body;
    if (FetchNewsDetails(newsId, body)) {
        prfEditorNews->ShowDocument(AnsiToQString(body));
        static_cast<void>(SaveLastNewsId(Folder, newsId));
    }
    SetBusyCursor(false);
    FBusy = false;
    if (CloseResult >= 0)
        QDialog::done(CloseResult);
}

bool TfrmNews::FetchNewsDetails(const std::string& newsId, std::string& body)
{
    const auto edition = NewsEditionOf(Settings);
    if (!edition)
        return false;
    return Client.FetchNewsDetails(edition->PublisherId, Settings.BranderCode, edition->ProductType,
                                   std::string(NewsTarget), newsId, body);
}

void TfrmNews::SetBusyCursor(bool busy)
{
    for (QWidget* widget : {static_cast<QWidget*>(lvwItems), static_cast<QWidget*>(prfEditorNews->viewport()),
                            static_cast<QWidget*>(this)}) {
        if (busy)
            widget->setCursor(Qt::WaitCursor);
        else
            widget->unsetCursor();
    }
}

void TfrmNews::btnExitClick()
{
    close();
}

void TfrmNews::done(int result)
{
    if (FBusy) {
        CloseResult = result;
        return;
    }
    QDialog::done(result);
}
