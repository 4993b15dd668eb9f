"""Reads the running program through the accessibility bus, as a screen reader
does, and presses its controls through their actions.

    accessibility_check.py PID               # the program's windows
    accessibility_check.py --check-box PID   # a check-box button, toggled

Prints what it found (role, name, actions) and exits 1 at the first thing that
is not as a reader needs it. Every wait has a deadline; none is a fixed sleep.
"""
import sys
import time

import pyatspi

CREATE = "ساخت بانک اطلاعاتي"
ADD = "افزودن"
REMOVE = "حذف کردن"
TABLE_NAME = "نام جدول"
HEADINGS = ["نام", "نوع", "سايز"]
CONFIRM = "تاييد"
FINISH = "اتمام"
FIELD_NAME = "نام فيلد"
TYPE_NAME = "نوع"
CHECK_BOX = "نمايش جزئيات"


def fail(message):
    print("FAIL: " + message)
    sys.exit(1)


def wait_for(what, find, seconds=10):
    deadline = time.monotonic() + seconds
    while True:
        try:
            found = find()
        except Exception:  # a window going away mid-walk
            found = None
        if found:
            return found
        if time.monotonic() > deadline:
            fail(what)
        time.sleep(0.05)


def program(pid):
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.get_process_id() == pid:
            return app
    return None


def window(app, name):
    for child in app:
        if child is not None and child.name == name:
            return child
    return None


def find(root, role, name):
    return pyatspi.findDescendant(
        root, lambda a: a is not None and a.getRole() == role and a.name == name)


def actions(accessible):
    try:
        action = accessible.queryAction()
    except NotImplementedError:
        return []
    return [action.getName(i) for i in range(action.nActions)]


def describe(accessible):
    return "%s '%s' actions=%s" % (accessible.getRoleName(), accessible.name, actions(accessible))


def press(accessible):
    names = [n.lower() for n in actions(accessible)]
    if "press" not in names:
        fail("no Press action on " + describe(accessible))
    accessible.queryAction().doAction(names.index("press"))


def expect(root, role, name, with_press=False):
    found = find(root, role, name)
    if found is None:
        fail("no %s named '%s'" % (pyatspi.Role(role).value_nick, name))
    if with_press and "press" not in [n.lower() for n in actions(found)]:
        fail("no Press action on " + describe(found))
    print("  " + describe(found))
    return found


def checked(accessible):
    return accessible.getState().contains(pyatspi.STATE_CHECKED)


def toggle_check_box(pid):
    app = wait_for("the window is not on the accessibility bus", lambda: program(pid))
    window_ = wait_for("no window named CheckBoxWindow", lambda: window(app, "CheckBoxWindow"))
    box = expect(window_, pyatspi.ROLE_CHECK_BOX, CHECK_BOX)
    names = [n.lower() for n in actions(box)]
    if "toggle" not in names:
        fail("no Toggle action on " + describe(box))
    if checked(box):
        fail("the check box starts checked")
    for expected in (True, False):
        box.queryAction().doAction(names.index("toggle"))
        wait_for("toggling left the check box %s" % ("unchecked" if expected else "checked"),
                 lambda: checked(box) == expected)
        print("  toggled: checked=%s" % expected)
    print("PASS")


def main():
    if sys.argv[1] == "--check-box":
        toggle_check_box(int(sys.argv[2]))
        return
    pid = int(sys.argv[1])
    app = wait_for("the program is not on the accessibility bus", lambda: program(pid))
    main_window = wait_for("no window named Bastara", lambda: window(app, "Bastara"))
    print("main window:")
    expect(main_window, pyatspi.ROLE_TEXT, TABLE_NAME)
    for heading in HEADINGS:
        expect(main_window, pyatspi.ROLE_LIST, heading)
    create = expect(main_window, pyatspi.ROLE_PUSH_BUTTON, CREATE, with_press=True)
    add = expect(main_window, pyatspi.ROLE_PUSH_BUTTON, ADD, with_press=True)
    expect(main_window, pyatspi.ROLE_PUSH_BUTTON, REMOVE, with_press=True)

    press(add)
    entry = wait_for("pressing the add picture opened no entry dialog",
                     lambda: window(app, "Form3"))
    print("entry dialog:")
    expect(entry, pyatspi.ROLE_PUSH_BUTTON, CONFIRM, with_press=True)
    expect(entry, pyatspi.ROLE_TEXT, FIELD_NAME)
    expect(entry, pyatspi.ROLE_TEXT, TYPE_NAME)  # the combo box's edit field
    # Its buttons end with it while the bridge is watching.
    press(expect(entry, pyatspi.ROLE_PUSH_BUTTON, FINISH, with_press=True))
    wait_for("the finish button left the entry dialog open",
             lambda: window(app, "Form3") is None and window(app, "Bastara") is not None)

    # Last: the save dialog is modal.
    press(create)
    save = wait_for("pressing the create button opened no save dialog",
                    lambda: next((w for w in app if w is not None
                                  and w.getRole() in (pyatspi.ROLE_DIALOG, pyatspi.ROLE_FILE_CHOOSER)
                                  and w.name not in ("Bastara", "Form3")), None))
    print("save dialog:\n  " + describe(save))
    print("PASS")


main()
