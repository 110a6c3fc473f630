#include "model/UICalendarExport.h"

#include "common/UAnsiCase.h"
#include "common/USipHash.h"
#include "common/UWindows1252.h"
#include "model/UExportSet.h"
#include "model/UHours.h"
#include "model/UProjects.h"

#include <libical/ical.h>

#include <array>
#include <cstdio>
#include <initializer_list>
#include <memory>
#include <string_view>
#include <unordered_map>

namespace {

struct TComponentDeleter {
    void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};
using TComponent = std::unique_ptr<icalcomponent, TComponentDeleter>;

icaltimetype DateValue(const TCalendarDay& day)
{
    icaltimetype date = icaltime_null_date();
    date.year = day.Year;
    date.month = day.Month;
    date.day = day.Day;
    return date;
}

// Unique ids that stay the same from one export to the next as long as what names the item
// does, so that a calendar importing a file again updates its items instead of doubling them.
class TUidMaker {
public:
    std::string Make(char kind, std::initializer_list<std::string_view> parts)
    {
        TSipHash24 hash(TSipKey{0x7461736b7772656eULL, 0x6578706f72742121ULL}); // fixed: ids must not change
        for (const std::string_view part : parts) {
            hash.Add(part);
            hash.Add(std::string_view("\0", 1));
        }
        char text[24];
        std::snprintf(text, sizeof text, "%c%016llx", kind, static_cast<unsigned long long>(hash.Finish()));
        std::string uid = text;
        // Items that are named alike (two projects of one name and category) are told apart
        // by their order.
        if (const int seen = Seen[uid]++; seen > 0)
            uid += "-" + std::to_string(seen);
        return uid + "@taskwren";
    }

private:
    std::unordered_map<std::string, int> Seen;
};

class TCalendarWriter {
public:
    TCalendarWriter(const TDateReader& dates, std::time_t stamp)
        : Dates(dates)
        , Stamp(icaltime_from_timet_with_zone(stamp, 0, icaltimezone_get_utc_timezone()))
    {
    }

    void AddProject(const TProject& project);
    void AddHour(const TToDoHour& hour);
    std::string Finish(const std::string& header);

    int HoursLeftOut = 0;

private:
    TComponent NewItem(icalcomponent* component, const std::string& uid, std::string_view summary) const;
    void AddDates(icalcomponent& todo, std::string_view start, std::string_view end) const;
    void Append(TComponent component);

    const TDateReader& Dates;
    const icaltimetype Stamp;
    TUidMaker Uids;
    std::string Body;
};

TComponent TCalendarWriter::NewItem(icalcomponent* component, const std::string& uid, std::string_view summary) const
{
    TComponent item(component);
    icalcomponent_add_property(item.get(), icalproperty_new_uid(uid.c_str()));
    icalcomponent_add_property(item.get(), icalproperty_new_dtstamp(Stamp));
    icalcomponent_add_property(item.get(), icalproperty_new_summary(Windows1252ToUtf8(summary).c_str()));
    return item;
}

void TCalendarWriter::AddDates(icalcomponent& todo, std::string_view start, std::string_view end) const
{
    if (const auto day = Dates.FieldDate(start))
        icalcomponent_add_property(&todo, icalproperty_new_dtstart(DateValue(*day)));
    if (const auto day = Dates.FieldDate(end))
        icalcomponent_add_property(&todo, icalproperty_new_due(DateValue(*day)));
}

void TCalendarWriter::AddProject(const TProject& project)
{
    const std::string_view name = project.Name;
    const std::string_view category = project.Category;
    const std::string projectUid = Uids.Make('P', {name, category});
    TComponent todo = NewItem(icalcomponent_new_vtodo(), projectUid, name);
    AddDates(*todo, project.StartDate, project.EndDate);
    icalcomponent_add_property(todo.get(), icalproperty_new_percentcomplete(project.DonePercent()));
    const bool allDone = project.Tasks.Count() > 0 && project.CountDoneTasks() == project.Tasks.Count();
    icalcomponent_add_property(todo.get(),
                               icalproperty_new_status(allDone ? ICAL_STATUS_COMPLETED : ICAL_STATUS_NEEDSACTION));
    Append(std::move(todo));

    for (int t = 0; t < project.Tasks.Count(); ++t) {
        const TTask& task = project.Tasks[t];
        const std::string_view description = task.Description;
        const std::string_view notes = task.Notes;
        TComponent taskTodo =
            NewItem(icalcomponent_new_vtodo(), Uids.Make('T', {projectUid, description}), description);
        // RELTYPE is left at its default, PARENT: the project.
        icalcomponent_add_property(taskTodo.get(), icalproperty_new_relatedto(projectUid.c_str()));
        AddDates(*taskTodo, task.StartDate, task.EndDate);
        icalcomponent_add_property(
            taskTodo.get(), icalproperty_new_status(task.Done ? ICAL_STATUS_COMPLETED : ICAL_STATUS_NEEDSACTION));
        if (!notes.empty()) // libical writes a CR LF break as an escaped line break
            icalcomponent_add_property(taskTodo.get(), icalproperty_new_description(Windows1252ToUtf8(notes).c_str()));
        Append(std::move(taskTodo));
    }
}

void TCalendarWriter::AddHour(const TToDoHour& hour)
{
    const std::string_view date = hour.Date;
    const std::string_view caption = hour.Hour;
    const auto day = Dates.DayDate(date);
    const int hourOfDay = HourOfRow(caption);
    if (!day || hourOfDay == 0) {
        ++HoursLeftOut;
        return;
    }
    icaltimetype start = icaltime_null_time(); // floating: the planner keeps no time zone
    start.year = day->Year;
    start.month = day->Month;
    start.day = day->Day;
    icaltime_adjust(&start, 0, hourOfDay, 0, 0); // hour 24 is 00:00 of the next date
    icaltimetype end = start;
    icaltime_adjust(&end, 0, 1, 0, 0);
    TComponent event = NewItem(icalcomponent_new_vevent(), Uids.Make('H', {date, caption}), hour.Action);
    icalcomponent_add_property(event.get(), icalproperty_new_dtstart(start));
    icalcomponent_add_property(event.get(), icalproperty_new_dtend(end));
    Append(std::move(event));
}

// Each item is written as soon as it is complete and freed, so that a large planner is never
// held twice in memory; the calendar around them is libical's too.
void TCalendarWriter::Append(TComponent component)
{
    char* text = icalcomponent_as_ical_string_r(component.get());
    if (text != nullptr) {
        Body += text;
        icalmemory_free_buffer(text);
    }
}

std::string TCalendarWriter::Finish(const std::string& envelope)
{
    static constexpr std::string_view End = "END:VCALENDAR";
    const std::size_t end = envelope.rfind(End);
    if (end == std::string::npos)
        return envelope + Body;
    return envelope.substr(0, end) + Body + envelope.substr(end);
}

std::string CalendarEnvelope()
{
    TComponent calendar(icalcomponent_new_vcalendar());
    icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_prodid("-//Taskwren//Taskwren 2.0//EN"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_calscale("GREGORIAN"));
    char* text = icalcomponent_as_ical_string_r(calendar.get());
    std::string envelope = text != nullptr ? text : "";
    icalmemory_free_buffer(text);
    return envelope;
}

} // namespace

int HourOfRow(std::string_view caption)
{
    static const std::array<std::string, 24> captions = [] {
        std::array<std::string, 24> all;
        for (int row = 1; row <= 24; ++row)
            all[static_cast<std::size_t>(row - 1)] = HourCaption(row);
        return all;
    }();
    for (std::size_t i = 0; i < captions.size(); ++i)
        if (SameTextIgnoringCase(caption, captions[i]))
            return static_cast<int>(i) + 1;
    return 0;
}

TICalendarExport FormatICalendar(const TExportSet& set, const TDateReader& dates, std::time_t stamp)
{
    // A failing call must not end the program with the user's unsaved changes.
    icalerror_set_errors_are_fatal(0);
    TCalendarWriter writer(dates, stamp);
    for (const TProject* project : set.Projects)
        writer.AddProject(*project);
    if (set.Hours != nullptr)
        for (int h = 0; h < set.Hours->Count(); ++h)
            writer.AddHour((*set.Hours)[h]);
    return {writer.Finish(CalendarEnvelope()), writer.HoursLeftOut};
}
