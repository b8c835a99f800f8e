#!/usr/bin/python3
# Another app on the same calendar: python-caldav renames the task titled OLD to NEW through
# python-icalendar, as such clients do, and may set our assignee to a value of its own.
# Usage: caldav_edit.py CALENDAR_URL USER PASSWORD OLD NEW [ASSIGNEE]
import sys

import caldav

url, user, password, old, new = sys.argv[1:6]
calendar = caldav.Calendar(client=caldav.DAVClient(url, username=user, password=password), url=url)
edited = 0
for todo in calendar.todos(include_completed=True):
    ical = todo.icalendar_instance
    for component in ical.walk('VTODO'):
        if str(component.get('SUMMARY')) == old and not component.get('COMPLETED'):
            component['SUMMARY'] = new
            if len(sys.argv) > 6:
                del component['X-TASKARELLO-ASSIGNEE']
                component.add('X-TASKARELLO-ASSIGNEE', sys.argv[6])
            todo.icalendar_instance = ical
            todo.save()
            edited += 1
sys.exit(0 if edited == 1 else 1)
