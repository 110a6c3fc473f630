// The workspace with a large planner (2,000 projects of 50 tasks, 100,000 hour entries):
// rebuilding the tree, showing a project of 10,000 tasks, refreshing the day at 100 and at
// 100,000 entries. The start-up is UStartupBench's.

#include "UPlannerData.h"
#include "model/UHours.h"
#include "model/UProjects.h"
#include "ui/UDialogRunner.h"
#include "ui/UMessageService.h"
#include "workspace/UDayPlanner.h"
#include "workspace/UProjectTree.h"
#include "workspace/UTaskList.h"
#include "workspace/UWorkspace.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QGroupBox>
#include <QLineEdit>
#include <QTest>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

struct TNoMessages : TMessageService {
    bool Show(TMsgKind, const QString&, TMsgButtons) override { return false; }
    TSaveAnswer AskToSave(const QString&) override { return TSaveAnswer::Cancel; }
};

struct TNoDialogs : TDialogRunner {
    bool Run(QDialog&) override { return false; }
};

struct TBenchWorkspace {
    explicit TBenchWorkspace(int hourEntries = BenchHourEntries)
    {
        State.Projects = std::make_unique<TProjects>();
        State.Hours = std::make_unique<THours>();
        FillPlanner(*State.Projects, *State.Hours, hourEntries);
    }
    TNoMessages Messages;
    TNoDialogs Dialogs;
    TWorkspaceState State;
    TWorkspaceServices Services{Messages, Dialogs, [] { return QDate(2008, 7, 5); }, nullptr};
};

// The project tree over the workspace, shown at its designed width.
struct TShownTree {
    explicit TShownTree(TBenchWorkspace& workspace)
        : Tree(workspace.State, workspace.Services)
        , Widget(Tree.Widget())
    {
        QObject::connect(&Tree, &TProjectTree::ProjectPanelCleared, [&workspace] { workspace.State.Updating = false; });
        Widget->resize(201, 400);
        Widget->show();
    }
    TProjectTree Tree;
    std::unique_ptr<QWidget> Widget;
};

void BM_RebuildTree(benchmark::State& state)
{
    TBenchWorkspace workspace;
    TShownTree shown(workspace);
    TProjectTree& tree = shown.Tree;
    for (auto _ : state) {
        tree.RebuildTree("Project 1999 review draft");
        QCoreApplication::processEvents(); // the view lays the new items out
    }
}
BENCHMARK(BM_RebuildTree)->Unit(benchmark::kMillisecond)->UseRealTime();

// One keystroke in the tree's find field: the whole planner searched, the tree's nodes shown
// or hidden and laid out. Texts: a common word, a name, and one that is nowhere (every text
// is read to its end).
void BM_FindKeystroke(benchmark::State& state)
{
    TBenchWorkspace workspace;
    TShownTree shown(workspace);
    TProjectTree& tree = shown.Tree;
    tree.RebuildTree("");
    tree.Find1Click();
    auto* find = shown.Widget->findChild<QLineEdit*>(QStringLiteral("edtFind"));
    // Each timed keystroke goes from showing everything to the text of the case.
    const QString texts[] = {QStringLiteral("invoice"), QStringLiteral("Project 1999"),
                             QStringLiteral("nowhere at all")};
    for (auto _ : state) {
        state.PauseTiming();
        find->clear();
        QCoreApplication::processEvents();
        state.ResumeTiming();
        find->setText(texts[state.range(0)]);
        QCoreApplication::processEvents(); // the view lays the nodes out
    }
    state.SetLabel(texts[state.range(0)].toStdString());
}
BENCHMARK(BM_FindKeystroke)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ShowProjectTasks10000(benchmark::State& state)
{
    TBenchWorkspace workspace(0);
    TProject& project = (*workspace.State.Projects)[0];
    for (int t = project.Tasks.Count(); t < 10000; ++t)
        project.Tasks.Append("t", std::make_unique<TTask>(t % 2 == 0, "Task " + std::to_string(t), "notes", "", ""));
    workspace.State.CurrentProject = &project;
    TTaskList list(workspace.State, workspace.Services);
    std::unique_ptr<QWidget> tab(list.TasksTab());
    std::unique_ptr<QWidget> details(list.DetailsPanel());
    tab->resize(560, 300);
    tab->show();
    for (auto _ : state) {
        list.ShowProjectTasks();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_ShowProjectTasks10000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RefreshDayActions(benchmark::State& state)
{
    TBenchWorkspace workspace(static_cast<int>(state.range(0)));
    TDayPlanner planner(workspace.State, workspace.Services);
    std::unique_ptr<QWidget> tab(planner.CalendarTab());
    planner.AddHourRows();
    // A day whose 24 hours all hold an action at either size, so both refreshes fill every row.
    if (auto* calendar = tab->findChild<QCalendarWidget*>())
        calendar->setSelectedDate(QDate(2000, 1, 1));
    tab->show();
    for (auto _ : state) {
        planner.RefreshDayActions();
        QCoreApplication::processEvents();
    }
    state.counters["entries"] = static_cast<double>(workspace.State.Hours->Count());
}
BENCHMARK(BM_RefreshDayActions)->Arg(100)->Arg(BenchHourEntries)->Unit(benchmark::kMicrosecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
