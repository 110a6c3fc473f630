#pragma once
// The project tree: categories and their projects in the group "Projects", its context menu
// and the "New Project" button; creating, editing and deleting categories and projects.

#include "model/UExportSet.h"

#include <QObject>

#include <set>
#include <string>
#include <string_view>

class QAction;
class QGroupBox;
class QLineEdit;
class QMenu;
class QPoint;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class TProject;
struct TWorkspaceServices;
struct TWorkspaceState;

class TProjectTree : public QObject {
    Q_OBJECT

public:
    TProjectTree(TWorkspaceState& state, TWorkspaceServices& services, QObject* parent = nullptr);
    ~TProjectTree() override;

    // The group "Projects" holding tvwMain; the caller places it and takes ownership.
    QGroupBox* Widget() const { return grpProjects; }
    // The tool bar's "New Project" button, which Ctrl+N presses.
    void AttachNewProjectButton(QPushButton* btn1);

    // Refills the tree from the model and selects the project named `nameToSelect`, which
    // shows it; with an empty name no project is shown.
    void RebuildTree(std::string_view nameToSelect);

    void btn1Click();
    void NewCategory1Click();
    void Rename1Click();
    void Delete1Click();

    // Ctrl+F: the find field above the tree, with the focus. Escape closes it.
    void Find1Click();
    // Hides the find field and shows every project again.
    void CloseFind();
    // What the selection offers to export: the selected project and its category, or the
    // selected category; neither when nothing is selected.
    [[nodiscard]] TExportScope SelectedScope() const;

signals:
    // The current project was chosen in the tree: show its tasks and details.
    void ProjectChosen();
    // No project is shown any longer: empty the task list and the details panel.
    void ProjectPanelCleared();
    // A category or project was added, changed or deleted.
    void Edited();
    // The text the tree is filtered by changed; empty when it shows everything.
    void FilterChanged(const QString& text);
    // "Export…" or Ctrl+E: export what SelectedScope offers.
    void ExportRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void tvwMainChange(QTreeWidgetItem* node);
    void ShowTreeMenu(const QPoint& position);
    void EditProject(const QTreeWidgetItem& node);
    void EditCategory(const QTreeWidgetItem& node);
    void DeleteProject(const QTreeWidgetItem& node);
    void DeleteCategory(const QTreeWidgetItem& node);
    QTreeWidgetItem* SelectedNode() const;
    // Shows only the projects that contain the find field's text, with their categories.
    void ApplyFilter();
    [[nodiscard]] bool edtFindKeyDown(int key);

    TWorkspaceState& State;
    TWorkspaceServices& Services;
    QGroupBox* grpProjects = nullptr;
    QTreeWidget* tvwMain = nullptr;
    QLineEdit* edtFind = nullptr;
    // Projects created or edited while the tree is filtered, shown until the find field closes.
    std::set<const TProject*> ShownWhileFiltering;
    bool Rebuilding = false; // RebuildTree runs
    QMenu* mnuTree = nullptr;
    QAction* NewCategory1 = nullptr;
    QAction* AddProject1 = nullptr;
    QAction* Rename1 = nullptr;
    QAction* Delete1 = nullptr;
    QAction* Export1 = nullptr;
    QAction* Find1 = nullptr;
};
