#!/usr/bin/python3
"""Reads an iCalendar file with the icalendar package, a reader independent of the libical
that wrote it, and prints each to-do and event as a JSON list on a line of its own:
  ["VTODO", summary, start, due, status, summary of the related item, description]
  ["VEVENT", summary, start, end]
A missing property reads "-"; dates and times in ISO 8601."""

import json
import sys

import icalendar


def when(component, name):
    return component.decoded(name).isoformat() if name in component else "-"


def main(path):
    with open(path, "rb") as file:
        calendar = icalendar.Calendar.from_ical(file.read())
    print(json.dumps(["VCALENDAR", str(calendar["VERSION"]), str(calendar["PRODID"])]))
    summaries = {str(c["UID"]): str(c["SUMMARY"]) for c in calendar.walk() if "UID" in c}
    for c in calendar.walk():
        if c.name == "VTODO":
            print(json.dumps(["VTODO", str(c["SUMMARY"]), when(c, "DTSTART"), when(c, "DUE"),
                              str(c.get("STATUS", "-")), summaries.get(str(c.get("RELATED-TO", "")), "-"),
                              str(c.get("DESCRIPTION", "-"))], ensure_ascii=False))
        elif c.name == "VEVENT":
            print(json.dumps(["VEVENT", str(c["SUMMARY"]), when(c, "DTSTART"), when(c, "DTEND")],
                             ensure_ascii=False))


if __name__ == "__main__":
    main(sys.argv[1])
