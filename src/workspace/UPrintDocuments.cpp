#include "workspace/UPrintDocuments.h"

#include "model/UHours.h"
#include "model/UProjects.h"
#include "ui/UAnsiText.h"
#include "ui/UDates.h"

#include <QLocale>
#include <QTextDocument>

#include <initializer_list>

namespace {

// Escaped for HTML, line breaks kept.
QString Html(std::string_view windows1252)
{
    QString text = AnsiToQString(windows1252).toHtmlEscaped();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("<br>"));
    text.replace(u'\r', QStringLiteral("<br>"));
    text.replace(u'\n', QStringLiteral("<br>"));
    return text;
}

QString Row(std::initializer_list<QString> cells, const char* tag = "td")
{
    QString row = QStringLiteral("<tr>");
    for (const QString& cell : cells)
        row += QStringLiteral("<%1>%2</%1>").arg(QLatin1String(tag), cell);
    return row + QStringLiteral("</tr>");
}

// Collapsed borders would take three times as long to lay out over many pages.
const QString TableStart =
    QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\" width=\"100%\">");

std::unique_ptr<QTextDocument> Document(const QString& title, const QString& body)
{
    auto document = std::make_unique<QTextDocument>();
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(10);
    document->setDefaultFont(font);
    document->setMetaInformation(QTextDocument::DocumentTitle, title);
    document->setHtml(body);
    return document;
}

} // namespace

std::unique_ptr<QTextDocument> ProjectDocument(const TProject& project)
{
    const std::string_view name = project.Name;
    QString body = QStringLiteral("<h2>%1</h2><p>").arg(Html(name));
    body += QStringLiteral("Category: %1<br>").arg(Html(project.Category));
    body += QStringLiteral("Start Date: %1<br>").arg(Html(project.StartDate));
    body += QStringLiteral("End Date: %1<br>").arg(Html(project.EndDate));
    body += QStringLiteral("Progress: %1/%2 tasks, %3%</p>")
                .arg(project.CountDoneTasks())
                .arg(project.Tasks.Count())
                .arg(project.DonePercent());
    // The header row in <thead> is repeated at the top of every page.
    body += TableStart + QStringLiteral("<thead>") +
        Row({QStringLiteral("Done"), QStringLiteral("Task Description"), QStringLiteral("Task Notes"),
             QStringLiteral("Start Date"), QStringLiteral("End Date")},
            "th") +
        QStringLiteral("</thead>");
    for (int t = 0; t < project.Tasks.Count(); ++t) {
        const TTask& task = project.Tasks[t];
        body += Row({task.Done ? QStringLiteral("\u2714") : QString(), Html(task.Description), Html(task.Notes),
                     Html(task.StartDate), Html(task.EndDate)});
    }
    body += QStringLiteral("</table>");
    return Document(AnsiToQString(name), body);
}

std::unique_ptr<QTextDocument> DayDocument(const QDate& date, const THours& hours)
{
    const QString dateText = ShortDateText(date);
    const std::string key = QStringToAnsi(dateText);
    QString body = QStringLiteral("<h2>%1</h2>").arg(QLocale().toString(date, QLocale::LongFormat).toHtmlEscaped());
    body += TableStart + QStringLiteral("<thead>") + Row({QStringLiteral("Hour"), QStringLiteral("Action")}, "th") +
        QStringLiteral("</thead>");
    for (int row = 1; row <= 24; ++row) {
        const std::string caption = HourCaption(row);
        const int found = hours.IndexOf(MakeHourKey(key, caption));
        body += Row({AnsiToQString(caption), found == THours::NotFound ? QString() : Html(hours[found].Action)});
    }
    body += QStringLiteral("</table>");
    return Document(dateText, body);
}
