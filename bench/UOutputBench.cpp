// Exporting and printing the large planner (2,000 projects x 50 tasks, 100,000 hour entries,
// about 10 MB of data files): the whole planner as iCalendar and as CSV, and to PDF one of
// its projects, projects of 1,000 and 10,000 tasks and one day of the calendar.

#include "UPlannerData.h"
#include "model/UCsvExport.h"
#include "model/UExportSet.h"
#include "model/UHours.h"
#include "model/UICalendarExport.h"
#include "model/UProjects.h"
#include "ui/ULocaleDateReader.h"
#include "workspace/UPrintDocuments.h"

#include <QApplication>
#include <QFile>
#include <QRegularExpression>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTextDocument>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

struct TBenchPlanner {
    TBenchPlanner() { FillPlanner(Projects, Hours); }
    TProjects Projects;
    THours Hours;
};

const TBenchPlanner& Planner()
{
    static const TBenchPlanner planner;
    return planner;
}

void BM_ExportICalendarEverything(benchmark::State& state)
{
    const TExportSet set = SelectForExport(Planner().Projects, Planner().Hours, {});
    const TLocaleDateReader dates;
    std::size_t bytes = 0;
    for (auto _ : state)
        bytes = FormatICalendar(set, dates, 0).Text.size();
    state.counters["output_MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_ExportICalendarEverything)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ExportCsvEverything(benchmark::State& state)
{
    const TExportSet set = SelectForExport(Planner().Projects, Planner().Hours, {});
    const TLocaleDateReader dates;
    std::size_t bytes = 0;
    for (auto _ : state)
        bytes = FormatTasksCsv(set, dates).size();
    state.counters["output_MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_ExportCsvEverything)->Unit(benchmark::kMillisecond)->UseRealTime();

int PdfPages(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page[^s]"));
    return static_cast<int>(QString::fromLatin1(file.readAll()).count(page));
}

void PrintToPdf(benchmark::State& state, const std::function<std::unique_ptr<QTextDocument>()>& make)
{
    QTemporaryDir folder;
    int pages = 0;
    for (auto _ : state) {
        const std::unique_ptr<QTextDocument> document = make();
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(folder.filePath(QStringLiteral("out.pdf")));
        document->print(&printer);
        pages = PdfPages(printer.outputFileName());
    }
    state.counters["pages"] = pages;
}

void BM_PrintPlannerProject(benchmark::State& state)
{
    PrintToPdf(state, [] { return ProjectDocument(Planner().Projects[1999]); });
}
BENCHMARK(BM_PrintPlannerProject)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PrintLongProject(benchmark::State& state)
{
    TProject project;
    project.Name = "Long";
    for (int t = 0; t < state.range(0); ++t)
        project.Tasks.Append("t", std::make_unique<TTask>(t % 2 == 0, "Task " + std::to_string(t),
                                                          "notes of the task", " 7/ 5/2008", " 8/ 1/2008"));
    PrintToPdf(state, [&] { return ProjectDocument(project); });
}
BENCHMARK(BM_PrintLongProject)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

void BM_PrintPlannerDay(benchmark::State& state)
{
    PrintToPdf(state, [] { return DayDocument(QDate(2000, 1, 1), Planner().Hours); });
}
BENCHMARK(BM_PrintPlannerDay)->Unit(benchmark::kMillisecond)->UseRealTime();

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
