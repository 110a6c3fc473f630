#include "workspace/UProjectTree.h"

#include "model/UCategories.h"
#include "model/UProjects.h"
#include "ui/UAnsiText.h"
#include "ui/UDialogRunner.h"
#include "ui/UErrorHandler.h"
#include "ui/UIcons.h"
#include "ui/UMessageService.h"
#include "ui/UWidgets.h"
#include "workspace/FCategory.h"
#include "workspace/FNewProject.h"
#include "workspace/UWorkspace.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

// A category node remembers its position in Categories: a name may be listed twice, or in
// two letter cases, and edits act on the entry the node shows.
constexpr int CategoryIndexRole = Qt::UserRole;

bool IsProjectNode(const QTreeWidgetItem& node)
{
    return node.parent() != nullptr;
}

} // namespace

TProjectTree::TProjectTree(TWorkspaceState& state, TWorkspaceServices& services, QObject* parent)
    : QObject(parent)
    , State(state)
    , Services(services)
{
    grpProjects = Named(new QGroupBox(QStringLiteral("Projects")), "grpProjects");
    grpProjects->setMinimumWidth(10);
    tvwMain = Named(new QTreeWidget, "tvwMain");
    tvwMain->setAccessibleName(QStringLiteral("Projects"));
    grpProjects->setFocusProxy(tvwMain);
    tvwMain->setHeaderHidden(true);
    // A long name scrolls the tree sideways instead of being cut.
    tvwMain->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    tvwMain->header()->setStretchLastSection(false);
    tvwMain->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tvwMain->setIconSize(QSize(16, 16));
    tvwMain->setContextMenuPolicy(Qt::CustomContextMenu);
    tvwMain->setUniformRowHeights(true);
    KeepSelectionVisible(tvwMain);
    tvwMain->installEventFilter(this);

    mnuTree = Named(new QMenu(tvwMain), "mnuTree");
    mnuTree->setFont(DesignFont()); // a pop-up takes no font from its parent
    NewCategory1 = Named(mnuTree->addAction(QStringLiteral("New Category")), "NewCategory1");
    mnuTree->addSeparator();
    AddProject1 = Named(mnuTree->addAction(QStringLiteral("New Project")), "AddProject1");
    Rename1 = Named(mnuTree->addAction(QStringLiteral("Edit")), "Rename1");
    Delete1 = Named(mnuTree->addAction(QStringLiteral("Delete")), "Delete1");
    // The menu shows the keys that do the same in the tree (see eventFilter).
    AddProject1->setShortcut(QKeySequence::New);
    Rename1->setShortcut(Qt::Key_F2);
    Delete1->setShortcut(Qt::Key_Delete);

    auto* layout = new QVBoxLayout(grpProjects);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(tvwMain);

    connect(tvwMain, &QTreeWidget::currentItemChanged, this,
            Guarded([this](QTreeWidgetItem* node, QTreeWidgetItem*) { tvwMainChange(node); }));
    connect(tvwMain, &QTreeWidget::customContextMenuRequested, this, &TProjectTree::ShowTreeMenu);
    connect(NewCategory1, &QAction::triggered, this, Guarded([this] { NewCategory1Click(); }));
    connect(AddProject1, &QAction::triggered, this, Guarded([this] { btn1Click(); }));
    connect(Rename1, &QAction::triggered, this, Guarded([this] { Rename1Click(); }));
    connect(Delete1, &QAction::triggered, this, Guarded([this] { Delete1Click(); }));
}

TProjectTree::~TProjectTree() = default;

void TProjectTree::AttachNewProjectButton(QPushButton* btn1)
{
    btn1->setShortcut(QKeySequence::New);
    ShowKeysInToolTip(btn1, QKeySequence::New);
    connect(btn1, &QPushButton::clicked, this, Guarded([this] { btn1Click(); }));
}

void TProjectTree::RebuildTree(std::string_view nameToSelect)
{
    const auto rebuilding = State.HoldChangeHandlers();
    emit ProjectPanelCleared();
    State.ReleaseForSelectionAfterClearing();
    tvwMain->clear();

    static const QIcon categoryIcon(CategoryIcon()); // shared by every node of a kind
    static const QIcon projectIcon(ProjectIcon());
    const TProjects& projects = *State.Projects;
    QList<QTreeWidgetItem*> categoryNodes;
    QTreeWidgetItem* toSelect = nullptr;
    for (const TCategoryNode& layout : ProjectTreeLayout(projects)) {
        auto* categoryNode = new QTreeWidgetItem({AnsiToQString(projects.Categories[layout.Category])});
        categoryNode->setIcon(0, categoryIcon);
        categoryNode->setData(0, CategoryIndexRole, layout.Category);
        for (const int p : layout.Projects) {
            auto* projectNode = new QTreeWidgetItem(categoryNode, {AnsiToQString(projects[p].Name)});
            projectNode->setIcon(0, projectIcon);
            if (!nameToSelect.empty() && projects[p].Name == nameToSelect)
                toSelect = projectNode;
        }
        categoryNodes.append(categoryNode);
    }
    tvwMain->addTopLevelItems(categoryNodes);
    tvwMain->expandAll(); // only categories with projects have anything to expand
    if (toSelect != nullptr)
        tvwMain->setCurrentItem(toSelect);
}

void TProjectTree::tvwMainChange(QTreeWidgetItem* node)
{
    if (State.Inert() || node == nullptr)
        return;
    if (IsProjectNode(*node)) {
        int index = 0;
        State.CurrentProject = State.Projects->FindProjectByName(QStringToAnsi(node->text(0)), index);
        emit ProjectChosen();
    } else {
        emit ProjectPanelCleared();
    }
}

bool TProjectTree::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != tvwMain || event->type() != QEvent::KeyPress) // tvwMainKeyDown
        return QObject::eventFilter(watched, event);
    switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Delete:
        Guarded([this] { Delete1Click(); })();
        return true;
    case Qt::Key_F2:
        Guarded([this] { Rename1Click(); })();
        return true;
    default:
        return false;
    }
}

void TProjectTree::ShowTreeMenu(const QPoint& position)
{
    // A right click selects the node under the pointer before the menu opens.
    if (QTreeWidgetItem* item = tvwMain->itemAt(position))
        tvwMain->setCurrentItem(item);
    mnuTree->popup(tvwMain->viewport()->mapToGlobal(position));
}

QTreeWidgetItem* TProjectTree::SelectedNode() const
{
    const QList<QTreeWidgetItem*> selected = tvwMain->selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

void TProjectTree::btn1Click()
{
    TfrmCreateProject dialog(Services.Messages, State.Projects->Categories, Services.Today(), Services.DialogParent);
    if (!Services.Dialogs.Run(dialog))
        return;
    auto project = std::make_unique<TProject>();
    project->Name = dialog.Name();
    project->Category = dialog.Category();
    project->StartDate = dialog.StartDate();
    project->EndDate = dialog.EndDate();
    if (dialog.UseDefaultTasks())
        project->CreateDefaultTasks();
    else
        project->ClearTasks();
    TText label = project->Name;
    State.CurrentProject = &State.Projects->Append(std::move(label), std::move(project));
    emit Edited();
    RebuildTree(State.CurrentProject->Name);
}

void TProjectTree::NewCategory1Click()
{
    TfrmCategory dialog(Services.Messages, Services.DialogParent);
    dialog.setWindowTitle(QStringLiteral("Add new category"));
    if (Services.Dialogs.Run(dialog) && AddCategory(*State.Projects, dialog.Name())) {
        emit Edited();
        RebuildTree("");
    }
}

void TProjectTree::Rename1Click()
{
    if (const QTreeWidgetItem* node = SelectedNode())
        IsProjectNode(*node) ? EditProject(*node) : EditCategory(*node);
}

void TProjectTree::Delete1Click()
{
    if (const QTreeWidgetItem* node = SelectedNode())
        IsProjectNode(*node) ? DeleteProject(*node) : DeleteCategory(*node);
}

void TProjectTree::EditProject(const QTreeWidgetItem& node)
{
    int index = 0;
    TProject* project = State.Projects->FindProjectByName(QStringToAnsi(node.text(0)), index);
    if (project == nullptr)
        return;
    TfrmCreateProject dialog(Services.Messages, State.Projects->Categories, Services.Today(), Services.DialogParent);
    dialog.setWindowTitle(QStringLiteral("Edit current project"));
    dialog.SetProject(project->Name, project->Category, project->StartDate, project->EndDate);
    if (!Services.Dialogs.Run(dialog))
        return;
    project->Name = dialog.Name();
    project->Category = dialog.Category();
    project->StartDate = dialog.StartDate();
    project->EndDate = dialog.EndDate();
    State.Projects->SetLabel(index, project->Name);
    emit Edited();
    RebuildTree(project->Name);
}

void TProjectTree::EditCategory(const QTreeWidgetItem& node)
{
    const int index = node.data(0, CategoryIndexRole).toInt();
    TfrmCategory dialog(Services.Messages, Services.DialogParent);
    dialog.setWindowTitle(QStringLiteral("Edit category"));
    dialog.SetName(State.Projects->Categories[index]);
    if (!Services.Dialogs.Run(dialog))
        return;
    RenameCategory(*State.Projects, index, dialog.Name());
    emit Edited();
    RebuildTree("");
}

void TProjectTree::DeleteProject(const QTreeWidgetItem& node)
{
    int index = 0;
    TProject* project = State.Projects->FindProjectByName(QStringToAnsi(node.text(0)), index);
    if (project == nullptr || !Services.Messages.Confirm(QStringLiteral("Are you sure to delete current project?")))
        return;
    const auto deleting = State.HoldChangeHandlers();
    if (State.CurrentProject == project)
        State.CurrentProject = nullptr;
    State.Projects->Delete(index);
    emit Edited();
    RebuildTree("");
}

void TProjectTree::DeleteCategory(const QTreeWidgetItem& node)
{
    const int index = node.data(0, CategoryIndexRole).toInt();
    if (!Services.Messages.Confirm(QStringLiteral("Are you sure to delete current category?")))
        return;
    const auto deleting = State.HoldChangeHandlers();
    if (::DeleteCategory(*State.Projects, index)) {
        emit Edited();
        RebuildTree("");
    } else {
        // "asociated" is the program's own spelling.
        Services.Messages.Show(TMsgKind::Information,
                               QStringLiteral("You can't delete a category with asociated projects! Please remove "
                                              "first the projects and try again."),
                               TMsgButtons::OkCancel);
    }
}
