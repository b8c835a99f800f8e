#!/usr/bin/python3
"""The next due day of a repeating chore, by python-dateutil's rrule: a second implementation of
RFC 5545 beside libical, for the differential test.

One case a line on stdin, tab-separated: rule, "after" or "fixed", the due day, today (YYYYMMDD),
the user's zone, the exception days (comma-separated, may be empty). One answer a line on stdout:
the next due day and the COUNT left ("-" without COUNT), or "ended".

The rules the app states:
- fixed schedule: the rule counted from the due day; the first occurrence after both the due day
  and today that is no exception. COUNT counts every occurrence from the due day on (exceptions
  too); a due day the rule does not give is not one of them.
- after finishing: the interval once from today, then the first day the rule allows from there
  (INTERVAL aside) that is no exception. One finish uses one of COUNT.
- UNTIL is an instant: an occurrence counts while its day's midnight in the user's zone is not
  after it. A date UNTIL counts its whole day.
"""
import sys
from datetime import datetime, timedelta
from zoneinfo import ZoneInfo

from dateutil.relativedelta import relativedelta
from dateutil.rrule import rrulestr

STEP_CAP = 200000


def day(text):
    return datetime.strptime(text, "%Y%m%d").date()


def parts(rule):
    return dict(p.split("=", 1) for p in rule.split(";") if "=" in p)


def occurrences(rule, start, zone):
    """The rule's occurrences counted from `start` (a date), as dates."""
    aware = "Z" in parts(rule).get("UNTIL", "")
    dtstart = datetime(start.year, start.month, start.day, tzinfo=ZoneInfo(zone) if aware else None)
    for occurrence in rrulestr("RRULE:" + rule, dtstart=dtstart):
        yield occurrence.date()


def after_finishing(rule, today, exceptions, zone):
    p = parts(rule)
    freq, interval = p["FREQ"], int(p.get("INTERVAL", "1"))
    step = {"DAILY": relativedelta(days=interval), "WEEKLY": relativedelta(weeks=interval),
            "MONTHLY": relativedelta(months=interval), "YEARLY": relativedelta(years=interval),
            "HOURLY": relativedelta(days=max(1, interval // 24))}[freq]
    earliest = today + step
    count = int(p["COUNT"]) if "COUNT" in p else None
    if count is not None and count - 1 < 1:
        return "ended"
    once = ";".join(k + "=" + v for k, v in p.items() if k != "INTERVAL")
    for n, d in enumerate(occurrences(once, earliest, zone)):
        if n > STEP_CAP or d.year > today.year + 400:
            break
        if d >= earliest and d not in exceptions:
            return "%s %s" % (d.strftime("%Y%m%d"), count - 1 if count is not None else "-")
    return "ended"


def fixed(rule, due, today, exceptions, zone):
    count = parts(rule).get("COUNT")
    after = max(due, today)
    for index, d in enumerate(occurrences(rule, due, zone)):
        if index > STEP_CAP or d.year > after.year + 400:
            break
        if d > after and d not in exceptions:
            return "%s %s" % (d.strftime("%Y%m%d"), int(count) - index if count else "-")
    return "ended"


def main():
    for line in sys.stdin:
        rule, mode, due, today, zone, exceptions = line.rstrip("\n").split("\t")
        skipped = {day(e) for e in exceptions.split(",") if e}
        if mode == "after":
            print(after_finishing(rule, day(today), skipped, zone))
        else:
            print(fixed(rule, day(due), day(today), skipped, zone))


if __name__ == "__main__":
    main()
