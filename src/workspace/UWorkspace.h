#pragma once
// What the panes of the main window share: the model, the project shown, the two marks that
// keep change handlers inert, and the services through which they ask and tell the user.

#include <QDate>

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

    // The tree's and the task list's change handlers do nothing while this holds.
    [[nodiscard]] bool Inert() const { return Updating || Closing; }
};

struct TWorkspaceServices {
    TMessageService& Messages;
    TDialogRunner& Dialogs;
    std::function<QDate()> Today; // the first date of the dialogs' date fields
    QWidget* DialogParent = nullptr;
};
