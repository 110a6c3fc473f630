#pragma once
// What the panes of the main window share: the model, the project shown, the two marks that
// keep change handlers inert, and the services through which they ask and tell the user.

#include <QDate>
#include <QScopedValueRollback>

#include <functional>
#include <memory>

class QWidget;
class TDialogRunner;
class THours;
class TMessageService;
class TProject;
class TProjects;

struct TWorkspaceState {
    std::unique_ptr<TProjects> Projects;
    std::unique_ptr<THours> Hours;
    TProject* CurrentProject = nullptr; // the project the task list shows; not an owner
    // Raised while the tree or the task list is rebuilt. A rebuild lowers it again on purpose
    // (so that selecting the new project in the tree shows it), which is why closing has its
    // own mark.
    bool Updating = false;
    bool Closing = false;

    // Raises Updating until the guard ends, and puts back what it was on every way out.
    [[nodiscard]] QScopedValueRollback<bool> HoldChangeHandlers() { return QScopedValueRollback<bool>(Updating, true); }
    // The tree's rebuild lowers the mark once the project panel is empty, so that the project
    // it then selects is shown.
    void ReleaseForSelectionAfterClearing() { Updating = false; }

    // The tree's and the task list's change handlers do nothing while this holds.
    [[nodiscard]] bool Inert() const { return Updating || Closing; }
};

struct TWorkspaceServices {
    TMessageService& Messages;
    TDialogRunner& Dialogs;
    std::function<QDate()> Today; // the calendar's first day and the dialogs' first date
    QWidget* DialogParent = nullptr;
};
