#pragma once
// The task list of the current project on the "Tasks" tab, its three buttons, and the
// details panel above the work area with the progress gauge.

#include "model/UTextFinder.h"

#include <QObject>

#include <string_view>

class QAction;
class QMenu;
class QPoint;
class QString;
class QProgressBar;
class QPushButton;
class QTreeWidgetItem;
class QWidget;
class TElidedLabel;
class TProject;
class TReorderList;
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
    // The project the list shows, or none.
    [[nodiscard]] const TProject* ShownProject() const { return Shown; }

    void btnAddClick();
    void btnEditClick();
    void btnRemoveClick();
    // "Move Up" and "Move Down": the selected task one place, the selection with it.
    void MoveUp1Click();
    void MoveDown1Click();
    // Moves the task at `from` to the place `to`, the row and the selection with it.
    void MoveTask(int from, int to);

    // Shows in bold the tasks whose description or notes contain `text` (the tree's find
    // field); an empty text marks none.
    void HighlightMatches(const QString& text);
    // Adds `action` to the list's context menu, below its own items.
    void AddMenuAction(QAction* action);

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
    void MoveSelectedTask(int offset);
    void MarkMatches();
    void ShowTaskMenu(const QPoint& position);
    // The selected row; -1 after telling the user that there are no rows or none is selected.
    [[nodiscard]] int RowToActOn(const QString& whenEmpty, const QString& whenNoneSelected);

    TWorkspaceState& State;
    TWorkspaceServices& Services;
    QWidget* stsTasks = nullptr;
    TReorderList* lvwItems = nullptr;
    QMenu* mnuTasks = nullptr;
    QAction* MoveUp1 = nullptr;
    QAction* MoveDown1 = nullptr;
    TTextFinder Highlight{std::string_view{}}; // what HighlightMatches marks
    const TProject* Shown = nullptr;
    QPushButton* btnAdd = nullptr;
    QPushButton* btnEdit = nullptr;
    QPushButton* btnRemove = nullptr;
    QWidget* panDetails = nullptr;
    TElidedLabel* lblProjName = nullptr;
    TElidedLabel* lblStartDate = nullptr;
    TElidedLabel* lblEndDate = nullptr;
    QProgressBar* MainGauge = nullptr;
};
