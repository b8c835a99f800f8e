#!/usr/bin/python3
# The real program in a real X server, read and driven through AT-SPI as a screen reader does:
# every button and text field is named in plain words, nothing hidden is in the tree, the sync
# screen opens from the shelf's menu, and a chore is added, opened and finished by accessibility
# actions alone.
# Usage: accessibility_tree.py TASKARELLO_BINARY. Exits 77 when Xvfb or AT-SPI are missing.
import importlib.util
import os
import re
import select
import shutil
import socket
import subprocess
import sys
import tempfile
import time

SKIP = 77
LAUNCHER = "/usr/libexec/at-spi-bus-launcher"


def outer(binary):
    if not shutil.which("Xvfb") or not shutil.which("dbus-run-session") or not os.path.exists(LAUNCHER) \
            or importlib.util.find_spec("pyatspi") is None:
        print("SKIP: Xvfb, dbus-run-session, at-spi2-core or python3-pyatspi missing")
        return SKIP
    # The X server comes first: whatever the session bus starts on its own (the accessibility bus,
    # its registry, which synthesises the keys) inherits the display from the bus.
    xvfb, display = start_xvfb()
    try:
        # A session bus of our own, gone with this process.
        env = dict(os.environ, TASKARELLO_A11Y_INNER="1", DISPLAY=display)
        return subprocess.call(["dbus-run-session", "--", sys.executable, __file__, binary], env=env)
    finally:
        xvfb.terminate()
        try:
            xvfb.wait(5)
        except subprocess.TimeoutExpired:
            xvfb.kill()


def wait(predicate, seconds=20, what="condition"):
    from gi.repository import GLib
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        try:
            value = predicate()
        except GLib.Error:  # an object went while the tree was read: read it again
            value = None
        if value:
            return value
        time.sleep(0.1)
    raise AssertionError("timed out waiting for " + what)


def display_taken(number):
    # Servers of other sessions may hold a number without a lock file this /tmp can see: their
    # abstract socket still answers, and clients would reach it first.
    if os.path.exists("/tmp/.X%d-lock" % number) or os.path.exists("/tmp/.X11-unix/X%d" % number):
        return True
    probe = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    try:
        probe.connect("\0/tmp/.X11-unix/X%d" % number)
        return True
    except OSError:
        return False
    finally:
        probe.close()


def start_xvfb():
    # The server names its display on the pipe once it takes connections, and dies without a word
    # when another took the number first: the number is ours only once it is read back.
    for number in range(100 + os.getpid() % 300, 500):
        if display_taken(number):
            continue
        read, write = os.pipe()
        xvfb = subprocess.Popen(["Xvfb", ":%d" % number, "-displayfd", str(write), "-screen", "0", "1024x768x24",
                                 "-nolisten", "tcp"], pass_fds=(write,), stderr=subprocess.DEVNULL)
        os.close(write)
        named = b""
        deadline = time.time() + 20
        while not named.endswith(b"\n") and time.time() < deadline:
            if select.select([read], [], [], 0.5)[0]:
                chunk = os.read(read, 16)
                if not chunk:
                    break
                named += chunk
        os.close(read)
        if named.strip() == str(number).encode() and xvfb.poll() is None:
            return xvfb, ":%d" % number
        xvfb.kill()
        xvfb.wait()
    raise AssertionError("no X server could start")


def inner(binary):
    processes = []
    data = tempfile.TemporaryDirectory()
    try:
        # The bus starts the accessibility bus when first asked, with the display it was given.
        wait(lambda: subprocess.call(["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
                                      "org.a11y.Bus.GetAddress"], stdout=subprocess.DEVNULL,
                                     stderr=subprocess.DEVNULL) == 0, what="the accessibility bus")
        import pyatspi

        env = dict(os.environ, XDG_DATA_HOME=data.name, XDG_CONFIG_HOME=data.name, QT_QPA_PLATFORM="xcb",
                   QT_ACCESSIBILITY="1", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", LANG="en_US.UTF-8", LANGUAGE="en")
        desktop = pyatspi.Registry.getDesktop(0)

        def application():
            # Under load Xvfb now and then drops a new connection at once: a start that could not
            # reach the display is tried again.
            if not processes or (processes[-1].poll() is not None and len(processes) < 3):
                processes.append(subprocess.Popen([binary], env=env))
            for i in range(desktop.childCount):
                child = desktop.getChildAtIndex(i)
                if child is not None and child.name.lower() == "taskarello" and child.childCount > 0:
                    return child
            return None
        app = wait(application, what="the window in the accessibility tree")
        # Nothing listens for the tree's events here, so a client-side copy would go stale.
        from gi.repository import Atspi
        app.setCacheMask(Atspi.Cache.NONE)
        return drive(pyatspi, app)
    finally:
        for process in reversed(processes):
            process.terminate()
            try:
                process.wait(5)
            except subprocess.TimeoutExpired:
                process.kill()
        data.cleanup()


def walk(node, depth=0):
    yield node, depth
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child, depth + 1)


def dump(pyatspi, app):
    for node, depth in walk(app):
        states = node.getState()
        print("  " * depth + node.getRoleName(), repr(node.name),
              "" if states.contains(pyatspi.STATE_VISIBLE) else "HIDDEN",
              "" if states.contains(pyatspi.STATE_SHOWING) else "not-showing")


def tree_problems(pyatspi, app):
    problems = []
    named = {pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY, pyatspi.ROLE_PASSWORD_TEXT}
    before = None
    for node, _ in walk(app):
        # Qt 6.4 blanks a password field's name: the label just before it must name it.
        labelled = node.getRole() == pyatspi.ROLE_PASSWORD_TEXT and before is not None \
            and before.getRole() == pyatspi.ROLE_LABEL and before.name.strip()
        if node.getRole() in named and not node.name.strip() and not labelled:
            problems.append("%s without a name" % node.getRoleName())
        if re.search(r"<[a-zA-Z/][^>]*>", node.name):
            problems.append("markup in %s %r" % (node.getRoleName(), node.name))
        if node.getRole() != pyatspi.ROLE_APPLICATION and not node.getState().contains(pyatspi.STATE_VISIBLE):
            problems.append("hidden %s %r" % (node.getRoleName(), node.name))
        before = node
    return sorted(set(problems))


def check_tree(pyatspi, app, where):
    """Names of buttons and text fields in plain words, and nothing hidden in the tree, once the
    screens have stopped sliding."""
    problems = []

    def clean():
        nonlocal problems
        problems = tree_problems(pyatspi, app)
        return not problems
    try:
        wait(clean, 5)
        return
    except AssertionError:
        pass
    dump(pyatspi, app)
    raise AssertionError(where + ": " + "; ".join(problems))


def find(pyatspi, app, role, name=None, contains=None):
    def search():
        for node, _ in walk(app):
            if node.getRole() in role and (name is None or node.name == name) \
                    and (contains is None or contains in node.name):
                return node
        return None
    try:
        return wait(search, what="%s %r" % (sorted(str(r) for r in role), name or contains))
    except AssertionError:
        dump(pyatspi, app)
        raise


def gone(pyatspi, app, role, name=None, contains=None):
    wait(lambda: not any(node.getRole() in role and (name is None or node.name == name)
                         and (contains is None or contains in node.name) for node, _ in walk(app)),
         what="%r to go" % (name or contains))


def press(node):
    actions = node.queryAction()
    names = [actions.getName(i) for i in range(actions.nActions)]
    assert names, "%r has no action" % node.name
    actions.doAction(names.index("Press") if "Press" in names else 0)


def choose(pyatspi, combo, choices, wanted):
    """Steps a combo box to a choice by its arrow keys (Qt 6.4 gives a screen reader no way to set
    one), reading the current choice from its description after each key."""
    actions = combo.queryAction()
    actions.doAction([actions.getName(i) for i in range(actions.nActions)].index("SetFocus"))
    wait(lambda: combo.getState().contains(pyatspi.STATE_FOCUSED), what="the combo box's focus")
    box = combo.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    pyatspi.Registry.generateMouseEvent(box.x + 5, box.y + 5, pyatspi.MOUSE_ABS)
    for _ in range(3 * len(choices)):
        if combo.description == wanted:
            return
        down = choices.index(combo.description) < choices.index(wanted)
        pyatspi.Registry.generateKeyboardEvent(0xff54 if down else 0xff52, None, pyatspi.KEY_SYM)
        time.sleep(0.3)
    raise AssertionError("the combo box shows %r, not %r" % (combo.description, wanted))


def drive(pyatspi, app):
    button = {pyatspi.ROLE_PUSH_BUTTON}
    check_tree(pyatspi, app, "the empty list")
    find(pyatspi, app, {pyatspi.ROLE_LABEL}, name="Click + or press Ctrl+N to add a chore")

    # The sync screen, from the shelf's menu, and back.
    press(find(pyatspi, app, button, name="Sync and back up"))
    press(find(pyatspi, app, {pyatspi.ROLE_MENU_ITEM}, name="Sync…"))
    fields = {pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY, pyatspi.ROLE_PASSWORD_TEXT}
    find(pyatspi, app, fields, name="User name")
    check_tree(pyatspi, app, "the sync screen")
    press(find(pyatspi, app, button, name="Close"))
    gone(pyatspi, app, fields, name="Server address")

    # Add "Mop": the field is written through its editable text, the rest is pressed.
    press(find(pyatspi, app, button, name="Add chore"))
    field = find(pyatspi, app, {pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY}, name="Title")
    check_tree(pyatspi, app, "the editor")
    # Qt 6.4 has no editable text interface: the keys go through AT-SPI's own device.
    focus = field.queryAction()
    focus.doAction([focus.getName(i) for i in range(focus.nActions)].index("SetFocus"))
    wait(lambda: field.getState().contains(pyatspi.STATE_FOCUSED), what="the title field's focus")
    # With no window manager the X focus follows the pointer: it rests on the field.
    # On a busy machine the pointer may not have reached the field before the keys go out:
    # nothing typed is then tried again, anything else must be exactly the title.
    box = field.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    for attempt in range(1, 4):
        pyatspi.Registry.generateMouseEvent(box.x + box.width // 2, box.y + box.height // 2, pyatspi.MOUSE_ABS)
        time.sleep(0.3 * attempt)
        pyatspi.Registry.generateKeyboardEvent(0, "Mop", pyatspi.KEY_STRING)
        try:
            wait(lambda: field.queryText().getText(0, -1) != "", 5, "any typed text")
            break
        except AssertionError:
            pass
    wait(lambda: field.queryText().getText(0, -1) == "Mop", what="the typed title, now %r" % field.queryText().getText(0, -1))

    # Weekly for a moment: the count, each weekday and the switch named in the tree; then back to Never.
    repeat = find(pyatspi, app, {pyatspi.ROLE_COMBO_BOX}, name="Comes back")
    choose(pyatspi, repeat, ["Never", "Daily", "Weekly", "Monthly", "Yearly"], "Weekly")
    find(pyatspi, app, {pyatspi.ROLE_CHECK_BOX}, name="Wednesday")
    find(pyatspi, app, {pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY, pyatspi.ROLE_SPIN_BUTTON}, name="Repeat every")
    check_tree(pyatspi, app, "the editor, repeating weekly")
    choose(pyatspi, repeat, ["Never", "Daily", "Weekly", "Monthly", "Yearly"], "Never")
    gone(pyatspi, app, {pyatspi.ROLE_CHECK_BOX}, name="Wednesday")
    press(find(pyatspi, app, button, name="Add"))
    tile = find(pyatspi, app, button, contains="Mop, ")
    check_tree(pyatspi, app, "the list")
    assert tile.childCount == 0, "the tile has items of its own"
    gone(pyatspi, app, {pyatspi.ROLE_LABEL}, name="No chores")

    # Open it and finish it, confirmed in the alert that asks.
    press(tile)
    # "Repeat" starts the chore again once: it says so, not to be taken for the editor's rule.
    again = find(pyatspi, app, button, name="Repeat")
    assert "again today, once" in again.description, "Repeat is described as %r" % again.description
    press(find(pyatspi, app, button, name="Finish"))
    alert = find(pyatspi, app, {pyatspi.ROLE_ALERT, pyatspi.ROLE_DIALOG}, name="Finish this chore?")
    check_tree(pyatspi, app, "the alert")
    press(find(pyatspi, alert, button, name="Finish"))
    find(pyatspi, app, {pyatspi.ROLE_LABEL}, name="No chores")
    gone(pyatspi, app, button, contains="Mop, ")
    check_tree(pyatspi, app, "the list after finishing")

    # The journal's calendar: one button for the day the keys are on, today's at first, read as its count.
    press(find(pyatspi, app, button, name="Journal"))
    day = find(pyatspi, app, button, contains=" finished on ")
    assert day.name.startswith("1 chore finished on "), "today's day reads %r" % day.name
    check_tree(pyatspi, app, "the journal")
    return 0


if __name__ == "__main__":
    sys.exit(inner(sys.argv[1]) if os.environ.get("TASKARELLO_A11Y_INNER") == "1" else outer(sys.argv[1]))
