#pragma once
// What a pane of the main window needs, for testing it on its own: a model, scripted
// message boxes and dialogs, and a pinned today.

#include "TScriptedDialogs.h"
#include "TScriptedMessages.h"
#include "model/UHours.h"
#include "model/UProjects.h"
#include "workspace/UWorkspace.h"

#include <QDate>

#include <memory>
#include <string>

struct TWorkspaceFixture {
    TWorkspaceFixture()
    {
        State.Projects = std::make_unique<TProjects>();
        State.Hours = std::make_unique<THours>();
    }

    TProject& AddProject(const std::string& name, const std::string& category)
    {
        auto project = std::make_unique<TProject>();
        project->Name = name;
        project->Category = category;
        return State.Projects->Append(name, std::move(project));
    }

    TScriptedMessages Messages;
    TScriptedDialogs Dialogs;
    TWorkspaceState State;
    TWorkspaceServices Services{Messages, Dialogs, [] { return QDate(2008, 7, 5); }, nullptr};
};
