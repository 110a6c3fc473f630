#include "workspace/UTaskList.h"

#include "common/UUtils.h"
#include "model/UProjects.h"
#include "model/UTextLines.h"
#include "ui/TElidedLabel.h"
#include "ui/TReorderList.h"
#include "ui/UAnsiText.h"
#include "ui/UDialogRunner.h"
#include "ui/UErrorHandler.h"
#include "ui/UMessageService.h"
#include "ui/UWidgets.h"
#include "workspace/FTask.h"
#include "workspace/UFindText.h"
#include "workspace/UWorkspace.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

enum TColumn { DoneColumn, DescriptionColumn, NotesColumn, StartDateColumn, EndDateColumn };

QTreeWidgetItem* TaskRow(const TTask& task)
{
    auto* row = new QTreeWidgetItem({QString(), AnsiToQString(FlattenLineBreaks(task.Description)),
                                     AnsiToQString(FlattenLineBreaks(task.Notes)), AnsiToQString(task.StartDate),
                                     AnsiToQString(task.EndDate)});
    // A row is dragged between rows, never onto one.
    row->setFlags((row->flags() | Qt::ItemIsUserCheckable) & ~Qt::ItemIsDropEnabled);
    row->setCheckState(DoneColumn, task.Done ? Qt::Checked : Qt::Unchecked);
    return row;
}

void SetBold(QTreeWidgetItem& row, bool bold)
{
    for (int column = 0; column <= EndDateColumn; ++column) {
        QFont font = row.font(column);
        if (font.bold() != bold) {
            font.setBold(bold);
            row.setFont(column, font);
        }
    }
}

} // namespace

TTaskList::TTaskList(TWorkspaceState& state, TWorkspaceServices& services, QObject* parent)
    : QObject(parent)
    , State(state)
    , Services(services)
{
    BuildTasksTab();
    BuildDetailsPanel();
    connect(lvwItems, &QTreeWidget::itemChanged, this, Guarded([this](QTreeWidgetItem* row) { lvwItemsChange(row); }));
    connect(lvwItems, &QTreeWidget::itemDoubleClicked, this, Guarded([this] { btnEditClick(); })); // lvwItemsDblClick
    connect(btnAdd, &QPushButton::clicked, this, Guarded([this] { btnAddClick(); }));
    connect(btnEdit, &QPushButton::clicked, this, Guarded([this] { btnEditClick(); }));
    connect(btnRemove, &QPushButton::clicked, this, Guarded([this] { btnRemoveClick(); }));
    connect(MoveUp1, &QAction::triggered, this, Guarded([this] { MoveUp1Click(); }));
    connect(MoveDown1, &QAction::triggered, this, Guarded([this] { MoveDown1Click(); }));
    connect(lvwItems, &TReorderList::RowDropped, this, Guarded([this](int from, int to) { MoveTask(from, to); }));
    connect(lvwItems, &QWidget::customContextMenuRequested, this, &TTaskList::ShowTaskMenu);
    lvwItems->installEventFilter(this);
}

TTaskList::~TTaskList() = default;

void TTaskList::BuildTasksTab()
{
    stsTasks = Named(new QWidget, "stsTasks");
    lvwItems = new TReorderList;
    MakeReportList(*lvwItems, "lvwItems",
                   {QStringLiteral("Done"), QStringLiteral("Task Description"), QStringLiteral("Task Notes"),
                    QStringLiteral("Start Date"), QStringLiteral("End Date")});
    lvwItems->setAccessibleName(QStringLiteral("Tasks"));
    lvwItems->setContextMenuPolicy(Qt::CustomContextMenu);

    // The context menu, and its keys wherever the list has the focus.
    mnuTasks = Named(new QMenu(lvwItems), "mnuTasks");
    mnuTasks->setFont(DesignFont()); // a pop-up takes no font from its parent
    MoveUp1 = Named(mnuTasks->addAction(QStringLiteral("Move Up")), "MoveUp1");
    MoveDown1 = Named(mnuTasks->addAction(QStringLiteral("Move Down")), "MoveDown1");
    MoveUp1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Up));
    MoveDown1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Down));
    for (QAction* action : {MoveUp1, MoveDown1}) {
        action->setShortcutContext(Qt::WidgetShortcut);
        lvwItems->addAction(action);
    }
    QHeaderView* header = lvwItems->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(DoneColumn, QHeaderView::Fixed);
    header->setSectionResizeMode(DescriptionColumn, QHeaderView::Stretch);
    header->setSectionResizeMode(NotesColumn, QHeaderView::Stretch);
    header->setSectionResizeMode(StartDateColumn, QHeaderView::Fixed);
    header->setSectionResizeMode(EndDateColumn, QHeaderView::Fixed);
    header->resizeSection(DoneColumn, 40);
    header->resizeSection(StartDateColumn, 100);
    header->resizeSection(EndDateColumn, 100);

    btnAdd = TextButton("btnAdd", QStringLiteral("Add New Task"), 110, 25);
    btnEdit = TextButton("btnEdit", QStringLiteral("Edit Selected Task"), 133, 25);
    // One pixel over the design's 150, the least that keeps its caption off the border.
    btnRemove = TextButton("btnRemove", QStringLiteral("Remove Selected Task"), 151, 25);
    btnAdd->setShortcut(Qt::Key_Insert);
    ShowKeysInToolTip(btnAdd, Qt::Key_Insert);
    ShowKeysInToolTip(btnEdit, Qt::Key_F2); // and Return, on a row (lvwItemsKeyDown)
    ShowKeysInToolTip(btnRemove, Qt::Key_Delete);
    auto* bar = new QWidget;
    auto* barLayout = ButtonBar(bar, 44);
    barLayout->addWidget(btnAdd);
    barLayout->addWidget(btnEdit);
    barLayout->addWidget(btnRemove);
    barLayout->addStretch();

    auto* layout = new QVBoxLayout(stsTasks);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(lvwItems);
    layout->addWidget(bar);
}

void TTaskList::BuildDetailsPanel()
{
    panDetails = Named(new QWidget, "panDetails");
    panDetails->setFixedHeight(87);
    auto* bevel = new QFrame;
    bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
    lblProjName = Named(new TElidedLabel(QStringLiteral("Project Name:  ")), "lblProjName");
    lblStartDate = Named(new TElidedLabel(QStringLiteral("Start Date:")), "lblStartDate");
    lblEndDate = Named(new TElidedLabel(QStringLiteral("End Date:")), "lblEndDate");
    MainGauge = Named(new QProgressBar, "MainGauge");
    MainGauge->setAccessibleName(QStringLiteral("Progress"));
    MainGauge->setRange(0, 100);
    MainGauge->setAlignment(Qt::AlignCenter);
    MainGauge->setTextVisible(true);
    MainGauge->setFixedWidth(300);

    auto* grid = new QGridLayout(bevel);
    grid->setContentsMargins(10, 8, 10, 8);
    grid->addWidget(lblProjName, 0, 0, 1, 3); // up to the dates, cut with "…" beyond
    grid->addWidget(new QLabel(QStringLiteral("Progress:")), 1, 0);
    grid->addWidget(MainGauge, 1, 1, Qt::AlignLeft);
    grid->setColumnStretch(2, 1);
    grid->addWidget(lblStartDate, 0, 3);
    grid->addWidget(lblEndDate, 1, 3);
    grid->setColumnMinimumWidth(3, 160);

    auto* layout = new QVBoxLayout(panDetails);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(bevel);
}

void TTaskList::ShowProjectTasks()
{
    const auto filling = State.HoldChangeHandlers();
    lvwItems->clear();
    const TProject& project = *State.CurrentProject;
    Shown = &project;
    QList<QTreeWidgetItem*> rows;
    rows.reserve(project.Tasks.Count());
    for (int t = 0; t < project.Tasks.Count(); ++t)
        rows.append(TaskRow(project.Tasks[t]));
    lvwItems->addTopLevelItems(rows);
    MarkMatches();
    lblProjName->setText(QStringLiteral("Project Name:  ") + AnsiToQString(project.Name));
    lblStartDate->setText(QStringLiteral("Start Date:  ") + AnsiToQString(project.StartDate));
    lblEndDate->setText(QStringLiteral("End Date:  ") + AnsiToQString(project.EndDate));
    ShowProgress();
}

void TTaskList::ClearProjectPanel()
{
    const auto clearing = State.HoldChangeHandlers();
    lvwItems->clear();
    Shown = nullptr;
    lblProjName->setText(QStringLiteral("Project Name:  "));
    lblStartDate->setText(QStringLiteral("Start Date: "));
    lblEndDate->setText(QStringLiteral("End Date: "));
    MainGauge->setValue(0);
    MainGauge->setFormat(QStringLiteral("0/0 tasks  %p%"));
}

void TTaskList::ShowProgress()
{
    const TProject& project = *State.CurrentProject;
    MainGauge->setValue(project.DonePercent());
    MainGauge->setFormat(QStringLiteral("%1/%2 tasks  %p%").arg(project.CountDoneTasks()).arg(project.Tasks.Count()));
}

void TTaskList::lvwItemsChange(QTreeWidgetItem* row)
{
    if (State.Inert() || State.CurrentProject == nullptr)
        return;
    const int index = lvwItems->indexOfTopLevelItem(row);
    if (index < 0 || index >= State.CurrentProject->Tasks.Count())
        return;
    bool& done = State.CurrentProject->Tasks[index].Done;
    const bool ticked = row->checkState(DoneColumn) == Qt::Checked;
    if (done == ticked)
        return;
    done = ticked;
    ShowProgress();
    emit Edited();
}

void TTaskList::ToggleSelectedTask()
{
    const QList<QTreeWidgetItem*> selected = lvwItems->selectedItems();
    if (selected.isEmpty())
        return;
    QTreeWidgetItem* row = selected.first();
    row->setCheckState(DoneColumn, row->checkState(DoneColumn) == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}

int TTaskList::RowToActOn(const QString& whenEmpty, const QString& whenNoneSelected)
{
    if (lvwItems->topLevelItemCount() == 0) {
        Services.Messages.Inform(whenEmpty);
        return -1;
    }
    const QList<QTreeWidgetItem*> selected = lvwItems->selectedItems();
    if (selected.isEmpty()) {
        Services.Messages.Inform(whenNoneSelected);
        return -1;
    }
    return lvwItems->indexOfTopLevelItem(selected.first());
}

bool TTaskList::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == lvwItems && event->type() == QEvent::KeyPress)
        return lvwItemsKeyDown(static_cast<QKeyEvent*>(event)->key());
    return QObject::eventFilter(watched, event);
}

bool TTaskList::lvwItemsKeyDown(int key)
{
    switch (key) {
    case Qt::Key_Delete:
        Guarded([this] { btnRemoveClick(); })();
        return true;
    case Qt::Key_F2:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        Guarded([this] { btnEditClick(); })();
        return true;
    case Qt::Key_Space: // as a click on the row's box
        Guarded([this] { ToggleSelectedTask(); })();
        return true;
    default:
        return false;
    }
}

void TTaskList::btnAddClick()
{
    // The panel's label tells whether a project is shown, as a project with a blank name
    // (only possible from a file) is refused too.
    if (TrimBlanks(QStringToAnsi(lblProjName->text())) == "Project Name:" || State.CurrentProject == nullptr) {
        Services.Messages.Inform(
            QStringLiteral("You have to create a new project or open an existing before add tasks!"));
        return;
    }
    TfrmTask dialog(Services.Messages, Services.Today(), Services.DialogParent);
    dialog.setWindowTitle(QStringLiteral("Add task"));
    if (!Services.Dialogs.Run(dialog))
        return;
    std::unique_ptr<TTask> task = dialog.NewTask();
    TText label = task->Description;
    State.CurrentProject->Tasks.Append(std::move(label), std::move(task));
    emit Edited();
    ShowProjectTasks();
}

void TTaskList::btnEditClick()
{
    // "There is not tasks" is the program's own wording.
    const int row =
        RowToActOn(QStringLiteral("There is not tasks to edit!"), QStringLiteral("Please select a task to edit!"));
    if (row < 0)
        return;
    TTask& task = State.CurrentProject->Tasks[row];
    TfrmTask dialog(Services.Messages, Services.Today(), Services.DialogParent);
    dialog.setWindowTitle(QStringLiteral("Edit task"));
    dialog.ShowTask(task);
    if (!Services.Dialogs.Run(dialog))
        return;
    dialog.StoreInto(task);
    emit Edited();
    ShowProjectTasks();
    lvwItems->setCurrentItem(lvwItems->topLevelItem(row));
}

void TTaskList::btnRemoveClick()
{
    // "There is not tasks" is the program's own wording.
    const int row =
        RowToActOn(QStringLiteral("There is not tasks to remove!"), QStringLiteral("Please select a task to remove!"));
    if (row < 0)
        return;
    // "taks" is the program's own spelling.
    if (!Services.Messages.Confirm(QStringLiteral("Are you sure do you want remove this taks?")))
        return;
    {
        const auto removing = State.HoldChangeHandlers();
        State.CurrentProject->Tasks.Delete(row);
        delete lvwItems->takeTopLevelItem(row);
    }
    emit Edited();
    ShowProgress();
}

void TTaskList::MoveUp1Click()
{
    MoveSelectedTask(-1);
}

void TTaskList::MoveDown1Click()
{
    MoveSelectedTask(+1);
}

void TTaskList::MoveSelectedTask(int offset)
{
    const QList<QTreeWidgetItem*> selected = lvwItems->selectedItems();
    if (selected.isEmpty())
        return;
    const int row = lvwItems->indexOfTopLevelItem(selected.first());
    MoveTask(row, row + offset); // nothing at either end
}

void TTaskList::MoveTask(int from, int to)
{
    if (State.CurrentProject == nullptr)
        return;
    const int count = State.CurrentProject->Tasks.Count();
    if (from == to || from < 0 || to < 0 || from >= count || to >= count || lvwItems->topLevelItemCount() != count)
        return;
    {
        // The row itself moves, its box and font with it; no handler takes it for a tick.
        const auto moving = State.HoldChangeHandlers();
        State.CurrentProject->Tasks.Move(from, to);
        QTreeWidgetItem* row = lvwItems->takeTopLevelItem(from);
        lvwItems->insertTopLevelItem(to, row);
        lvwItems->setCurrentItem(row);
        lvwItems->scrollToItem(row);
    }
    emit Edited();
}

void TTaskList::HighlightMatches(const QString& text)
{
    Highlight = FinderFor(text);
    MarkMatches();
}

void TTaskList::MarkMatches()
{
    if (State.CurrentProject == nullptr || lvwItems->topLevelItemCount() != State.CurrentProject->Tasks.Count())
        return;
    for (int t = 0; t < lvwItems->topLevelItemCount(); ++t)
        SetBold(*lvwItems->topLevelItem(t),
                !Highlight.Empty() && TaskMatches(State.CurrentProject->Tasks[t], Highlight));
}

void TTaskList::AddMenuAction(QAction* action)
{
    mnuTasks->addSeparator();
    mnuTasks->addAction(action);
}

void TTaskList::ShowTaskMenu(const QPoint& position)
{
    // A right click selects the row under the pointer before the menu opens.
    if (QTreeWidgetItem* row = lvwItems->itemAt(position))
        lvwItems->setCurrentItem(row);
    mnuTasks->popup(lvwItems->viewport()->mapToGlobal(position));
}
