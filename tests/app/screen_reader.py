#!/usr/bin/python3
# Reads one window of the running program over the accessibility bus, as a
# screen reader does, and checks what a person would hear.
#   screen_reader.py main|clocks|options|warning
# Prints what it read; exits 1 with the reasons when something is missing.
import sys
import time

import pyatspi

what = sys.argv[1]
faults = []


def check(ok, text):
    if not ok:
        faults.append(text)


def walk(acc, depth=0):
    # A table's cells are read through its table interface, not walked.
    yield acc
    if acc.getRole() == pyatspi.ROLE_TABLE or depth > 30:
        return
    for i in range(acc.childCount):
        child = acc.getChildAtIndex(i)
        if child is not None:
            yield from walk(child, depth + 1)


def has(acc, state):
    return acc.getState().contains(state)


def program():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name in ("brivo-reminder", "Brivo Reminder"):
            return app
    return None


def window(pattern, seconds=20):
    end = time.time() + seconds
    while time.time() < end:
        app = program()
        if app is not None:
            for i in range(app.childCount):
                w = app.getChildAtIndex(i)
                if w is not None and pattern(w) and has(w, pyatspi.STATE_SHOWING):
                    return w
        time.sleep(0.5)
    return None


def table(w, header):
    for acc in walk(w):
        if acc.getRole() == pyatspi.ROLE_TABLE:
            t = acc.queryTable()
            names = [t.getColumnHeader(c).name if t.getColumnHeader(c) else "" for c in range(t.nColumns)]
            if header in names:
                return acc, t, names
    return None, None, []


def cell(t, names, row, column):
    return t.getAccessibleAt(row, names.index(column))


def buttons(w):
    return [a for a in walk(w) if a.getRole() in (pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON)]


def pressable(acc):
    try:
        action = acc.queryAction()
    except NotImplementedError:
        return False
    return action.nActions > 0


def press_steps(t, names, row, steps, what):
    # Each +/- cell is a push button; pressing it steps the value beside it
    # as Ctrl+Up does. The grid may be rebuilt: cells are asked for again.
    for step, value in steps:
        button = cell(t, names, row, step)
        check(button.getRole() == pyatspi.ROLE_PUSH_BUTTON, "%s: \"%s\" is a %s, not a push button"
              % (what, step, button.getRoleName()))
        if not pressable(button):
            check(False, "%s: \"%s\" cannot be pressed" % (what, step))
            continue
        action = button.queryAction()
        actions = [action.getName(i) for i in range(action.nActions)]
        before = cell(t, names, row, value).name
        action.doAction(actions.index("press") if "press" in actions else 0)
        after = before
        end = time.time() + 5
        while after == before and time.time() < end:
            time.sleep(0.2)
            after = cell(t, names, row, value).name
        print("%s: pressing \"%s\" (%s) took \"%s\" from %r to %r" % (what, step, actions, value, before, after))
        check(after != before, "%s: pressing \"%s\" did not step \"%s\" (%r)" % (what, step, value, before))


def read_main():
    w = window(lambda w: w.name == "Brivo Reminder")
    check(w is not None, "no main window on the bus")
    if w is None:
        return
    grid, t, names = table(w, "Done")
    print("memo grid headers:", names)
    check(grid is not None, "the memo grid has no column headed \"Done\": %s" % names)
    if grid is None:
        return
    for name in ("Memo", "Alarm", "Date", "Time", "Offset"):
        check(name in names, "no column \"%s\"" % name)
    done = cell(t, names, 0, "Done")
    check(done.name == "Done" and has(done, pyatspi.STATE_CHECKED), "memo 1 is not read as done: %r" % done.name)
    undone = cell(t, names, 1, "Done")
    check(undone.name == "Not done" and not has(undone, pyatspi.STATE_CHECKED), "memo 2 is read as done")
    bell = cell(t, names, 1, "Alarm")
    check(bell.name == "Alarm on" and has(bell, pyatspi.STATE_CHECKED), "memo 2's bell is not read as on: %r"
          % bell.name)
    step = cell(t, names, 1, "Date +/-")
    check(step.name == "Date one day on or back", "the date stepper reads %r" % step.name)
    check("Ctrl+Up" in step.description, "the date stepper does not say its keys: %r" % step.description)
    text = cell(t, names, 1, "Memo")
    check(text.name == "Dentist", "memo 2's text reads %r" % text.name)
    for name in ("Date +/-", "Time +/-", "Offset +/-"):
        check(cell(t, names, 0, name).getRole() == pyatspi.ROLE_PUSH_BUTTON, "\"%s\" is not a push button" % name)
    check(done.getRole() != pyatspi.ROLE_PUSH_BUTTON, "the done mark is read as a push button")
    selected = [r for r in range(t.nRows) if t.isRowSelected(r)]
    print("selected rows:", selected)
    check(selected == [1], "the current row (the second) is not the one selected: %s" % selected)
    focused = [c for c in range(t.nColumns) if has(t.getAccessibleAt(1, c), pyatspi.STATE_FOCUSED)]
    check(len(focused) == 1, "no focused cell in the current row")
    named = [b for b in buttons(w) if b.name and has(b, pyatspi.STATE_FOCUSABLE) and pressable(b)]
    print("buttons:", [b.name for b in named])
    press_steps(t, names, 1, (("Date +/-", "Date"), ("Time +/-", "Time"), ("Offset +/-", "Offset")), "memo 2")
    for name in ("Add a new memo", "Delete the selected memo", "Sort memo by date/time", "Clock setting",
                 "Options", "Recommend this program to your friends", "On-line Help",
                 "Shifts selected memo one position above"):
        check(name in [b.name for b in named], "no focusable push button named \"%s\"" % name)


def read_clocks():
    w = window(lambda w: w.name == "Clocks setup")
    check(w is not None, "no alarm-clock window on the bus")
    if w is None:
        return
    grid, t, names = table(w, "Message")
    print("clock grid headers:", names)
    check(grid is not None, "the alarm-clock grid has no column headed \"Message\"")
    if grid is None:
        return
    for name in ("On", "Repeating", "Time", "Sound", "Sound +/-"):
        check(name in names, "no column \"%s\"" % name)
    on = cell(t, names, 0, "On")
    check(on.name == "On" and has(on, pyatspi.STATE_CHECKED), "the alarm clock's switch reads %r" % on.name)
    check(cell(t, names, 0, "Sound").name == "-No sound-", "the silent sound is not said in English")
    press_steps(t, names, 0, (("Repeating +/-", "Repeating"), ("Time +/-", "Time")), "the alarm clock")
    # "Clear" waits disabled, out of the Tab order, until a row is chosen.
    named = [b.name for b in buttons(w) if b.name
             and ((has(b, pyatspi.STATE_FOCUSABLE) and pressable(b)) or not has(b, pyatspi.STATE_SENSITIVE))]
    print("buttons:", named)
    for name in ("New", "Clear", "Close"):
        check(name in named, "no focusable push button named \"%s\"" % name)


def read_options():
    w = window(lambda w: w.name == "Options")
    check(w is not None, "no options window on the bus")
    if w is None:
        return
    fields = [a for a in walk(w) if a.getRole() in (pyatspi.ROLE_TEXT, pyatspi.ROLE_COMBO_BOX,
                                                     pyatspi.ROLE_SPIN_BUTTON, pyatspi.ROLE_ENTRY)]
    print("fields:", [f.name for f in fields])
    check(len(fields) >= 7, "fewer fields than the options have: %d" % len(fields))
    for f in fields:
        check(f.name.strip() != "", "a %s without a name" % f.getRoleName())
    check(sum("minutes" in f.name for f in fields) == 3, "the three minute fields are not named")
    # A drop-down list is named by its label; the entry chosen is not its name.
    lists = {f.name for f in fields if f.getRole() == pyatspi.ROLE_COMBO_BOX}
    for name in ("Color set", "Language", "Pre-defined sounds for memos", "Pre-defined sounds for alarms"):
        check(name in lists, "no drop-down list named \"%s\": %s" % (name, sorted(lists)))
    # The CalDAV fields are read by their labels.
    texts = {f.name for f in fields if f.getRole() != pyatspi.ROLE_COMBO_BOX}
    for name in ("CalDAV collection address", "User"):
        check(name in texts, "no field named \"%s\": %s" % (name, sorted(texts)))
    named = [b.name for b in buttons(w) if b.name and pressable(b)]
    for name in ("Import...", "Export..."):
        check(name in named, "no push button named \"%s\": %s" % (name, named))


def read_warning():
    w = window(lambda w: "Alarm warning" in w.name, 90)
    check(w is not None, "no memo warning on the bus")
    if w is None:
        return
    print("warning:", w.getRoleName(), repr(w.name), repr(w.description))
    check(w.getRole() in (pyatspi.ROLE_ALERT, pyatspi.ROLE_DIALOG), "the warning is a %s" % w.getRoleName())
    check("Call the plumber" in w.description, "the warning's message is not its description")
    grid, t, names = table(w, "Memo")
    check(grid is not None and t.nRows >= 1 and cell(t, names, 0, "Memo").name == "Call the plumber",
          "the warning's list is not read")
    minutes = [a for a in walk(w) if a.getRole() in (pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY)]
    check(minutes and all(m.name for m in minutes), "the minutes field has no name")
    named = [b.name for b in buttons(w) if b.name and pressable(b)]
    print("buttons:", named)
    check("Done" in named and "OK" in named, "the warning's buttons are not named")


{"main": read_main, "clocks": read_clocks, "options": read_options, "warning": read_warning}[what]()
for fault in faults:
    print("FAULT (%s): %s" % (what, fault), file=sys.stderr)
sys.exit(1 if faults else 0)
