#include "workspace/UProjectTree.h"

#include "model/UCategories.h"
#include "model/UProjects.h"
#include "ui/UAnsiText.h"
#include "ui/UColumnFit.h"
#include "ui/UDialogRunner.h"
#include "ui/UErrorHandler.h"
#include "ui/UIcons.h"
#include "ui/UMessageService.h"
#include "ui/UWidgets.h"
#include "workspace/FCategory.h"
#include "workspace/FNewProject.h"
#include "workspace/UFindText.h"
#include "workspace/UWorkspace.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

// A category node remembers its position in Categories: a name may be listed twice, or in
// two letter cases, and edits act on the entry the node shows.
constexpr int CategoryIndexRole = Qt::UserRole;
// A project node remembers its project's position, for the filter only: choosing a node
// shows the first project of its name, as it always has.
constexpr int ProjectIndexRole = Qt::UserRole + 1;

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
    // A long name scrolls the tree sideways instead of being cut. The column is fitted to the
    // names when they change or a category opens or closes, not at every layout: measuring
    // a large planner's names again and again took a fifth of the start-up.
    tvwMain->header()->setSectionResizeMode(QHeaderView::Interactive);
    tvwMain->header()->setStretchLastSection(false);
    tvwMain->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tvwMain->setIconSize(QSize(16, 16));
    tvwMain->setContextMenuPolicy(Qt::CustomContextMenu);
    tvwMain->setUniformRowHeights(true);
    KeepSelectionVisible(tvwMain);
    tvwMain->installEventFilter(this);

    edtFind = Named(new QLineEdit, "edtFind");
    edtFind->setPlaceholderText(QStringLiteral("Find"));
    edtFind->setAccessibleName(QStringLiteral("Find projects"));
    edtFind->hide();
    edtFind->installEventFilter(this);

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
    mnuTree->addSeparator();
    Export1 = Named(mnuTree->addAction(QStringLiteral("Export\u2026")), "Export1");
    Export1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    Find1 = Named(new QAction(QStringLiteral("Find"), grpProjects), "Find1");
    Find1->setShortcut(QKeySequence::Find);
    // Both keys work wherever the main page shows, not only in the tree.
    for (QAction* action : {Export1, Find1}) {
        action->setShortcutContext(Qt::WindowShortcut);
        grpProjects->addAction(action);
    }

    auto* layout = new QVBoxLayout(grpProjects);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(edtFind);
    layout->addWidget(tvwMain);

    connect(tvwMain, &QTreeWidget::currentItemChanged, this,
            Guarded([this](QTreeWidgetItem* node, QTreeWidgetItem*) { tvwMainChange(node); }));
    for (const auto signal : {&QTreeView::expanded, &QTreeView::collapsed})
        connect(tvwMain, signal, this, [this] {
            if (!Rebuilding) // a rebuild opens every category, then fits the column once
                FitFirstColumn(*tvwMain);
        });
    connect(tvwMain, &QTreeWidget::customContextMenuRequested, this, &TProjectTree::ShowTreeMenu);
    connect(NewCategory1, &QAction::triggered, this, Guarded([this] { NewCategory1Click(); }));
    connect(AddProject1, &QAction::triggered, this, Guarded([this] { btn1Click(); }));
    connect(Rename1, &QAction::triggered, this, Guarded([this] { Rename1Click(); }));
    connect(Delete1, &QAction::triggered, this, Guarded([this] { Delete1Click(); }));
    connect(Export1, &QAction::triggered, this, [this] { emit ExportRequested(); });
    connect(Find1, &QAction::triggered, this, Guarded([this] { Find1Click(); }));
    connect(edtFind, &QLineEdit::textChanged, this, Guarded([this] { ApplyFilter(); }));
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
    const QScopedValueRollback<bool> fittingOnce(Rebuilding, true);
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
            projectNode->setData(0, ProjectIndexRole, p);
            if (!nameToSelect.empty() && projects[p].Name == nameToSelect)
                toSelect = projectNode;
        }
        categoryNodes.append(categoryNode);
    }
    tvwMain->addTopLevelItems(categoryNodes);
    tvwMain->expandAll(); // only categories with projects have anything to expand
    FitFirstColumn(*tvwMain);
    if (!edtFind->isHidden())
        ApplyFilter();
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
    if (watched == edtFind && event->type() == QEvent::KeyPress)
        return edtFindKeyDown(static_cast<QKeyEvent*>(event)->key());
    if (watched != tvwMain || event->type() != QEvent::KeyPress) // tvwMainKeyDown
        return QObject::eventFilter(watched, event);
    switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Escape:
        if (edtFind->isHidden())
            return false;
        CloseFind();
        return true;
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
    if (!edtFind->isHidden())
        ShownWhileFiltering.insert(State.CurrentProject);
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
    if (!edtFind->isHidden())
        ShownWhileFiltering.insert(project);
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
    ShownWhileFiltering.erase(project);
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

void TProjectTree::Find1Click()
{
    // While filtering, the column keeps the width that fits all the names.
    // The clear button comes with the first find: its picture loads Qt's image plugins,
    // which start-up does not need.
    edtFind->setClearButtonEnabled(true);
    edtFind->show();
    edtFind->setFocus();
    edtFind->selectAll();
}

void TProjectTree::CloseFind()
{
    const bool findHadFocus = edtFind->hasFocus();
    edtFind->hide();
    ShownWhileFiltering.clear();
    {
        const QSignalBlocker once(edtFind); // the filter runs below, also when the text was empty
        edtFind->clear();
    }
    ApplyFilter(); // shows everything again
    if (findHadFocus)
        tvwMain->setFocus();
    if (QTreeWidgetItem* node = tvwMain->currentItem())
        tvwMain->scrollToItem(node);
}

bool TProjectTree::edtFindKeyDown(int key)
{
    switch (key) {
    case Qt::Key_Escape:
        Guarded([this] { CloseFind(); })();
        return true;
    case Qt::Key_Down: // on into the projects found
    case Qt::Key_Return:
    case Qt::Key_Enter:
        tvwMain->setFocus();
        return true;
    default:
        return false;
    }
}

void TProjectTree::ApplyFilter()
{
    const QString text = edtFind->text();
    const TTextFinder finder = FinderFor(text);
    const TProjects& projects = *State.Projects;
    for (int c = 0; c < tvwMain->topLevelItemCount(); ++c) {
        QTreeWidgetItem* categoryNode = tvwMain->topLevelItem(c);
        // A category whose own name matches shows even without projects.
        bool shown = finder.FoundIn(projects.Categories[categoryNode->data(0, CategoryIndexRole).toInt()]);
        for (int p = 0; p < categoryNode->childCount(); ++p) {
            QTreeWidgetItem* projectNode = categoryNode->child(p);
            const TProject& project = projects[projectNode->data(0, ProjectIndexRole).toInt()];
            const bool matches =
                finder.Empty() || ShownWhileFiltering.count(&project) != 0 || ProjectMatches(project, finder);
            if (projectNode->isHidden() == matches)
                projectNode->setHidden(!matches);
            shown = shown || matches;
        }
        if (categoryNode->isHidden() == shown)
            categoryNode->setHidden(!shown);
    }
    // A hidden node is no longer there to act on: Edit or Delete must not reach it.
    QTreeWidgetItem* current = tvwMain->currentItem();
    if (current != nullptr &&
        (current->isHidden() || (current->parent() != nullptr && current->parent()->isHidden()))) {
        tvwMain->setCurrentItem(nullptr);
        tvwMain->clearSelection();
        emit ProjectPanelCleared();
    }
    emit FilterChanged(text);
}

TExportScope TProjectTree::SelectedScope() const
{
    TExportScope scope;
    const QTreeWidgetItem* node = SelectedNode();
    if (node == nullptr)
        return scope;
    const QTreeWidgetItem& categoryNode = IsProjectNode(*node) ? *node->parent() : *node;
    scope.Category = std::string(State.Projects->Categories[categoryNode.data(0, CategoryIndexRole).toInt()]);
    if (IsProjectNode(*node)) {
        int index = 0;
        if (State.Projects->FindProjectByName(QStringToAnsi(node->text(0)), index) != nullptr)
            scope.Project = index;
    }
    return scope;
}
