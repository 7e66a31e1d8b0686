"""Reads the wizard window from the accessibility bus as a screen reader
would, and checks that the first page's controls are named and described.
Exits 0 when they are, 1 when not, 77 when the window never shows up.
    atspi_check.py [SECONDS_TO_WAIT_FOR_THE_WINDOW]"""
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

DEADLINE = time.monotonic() + float(sys.argv[1] if len(sys.argv) > 1 else 20)


def walk(node, depth=0):
    if node is None or depth > 30:
        return
    yield node
    for i in range(node.get_child_count()):
        yield from walk(node.get_child_at_index(i), depth + 1)


def find_window():
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app is None:
            continue
        for node in walk(app):
            # A top-level widget is a frame or, without a frame of its own, a filler.
            if node.get_name() == "Norvo Firmware Upgrade":
                return node
    return None


window = None
while window is None and time.monotonic() < DEADLINE:
    window = find_window()
    if window is None:
        time.sleep(0.2)
if window is None:
    print("the window did not appear on the accessibility bus")
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        print("  application %r: %s" % (app.get_name() if app else None,
                                        [(c.get_role_name(), c.get_name()) for c in walk(app)][:5] if app else []))
    sys.exit(77)

controls = {}
for node in walk(window):
    controls.setdefault((node.get_role(), node.get_name().strip()), node)

wanted = [
    (Atspi.Role.CHECK_BOX, "Check this box if you have a wired connection to the router."),
    (Atspi.Role.PUSH_BUTTON, "Next"),
    (Atspi.Role.PUSH_BUTTON, "Cancel"),
]
failures = 0
for role, name in wanted:
    node = controls.get((role, name))
    if node is None:
        print("missing: %s %r" % (role.value_nick, name))
        failures += 1
    elif not node.get_description():
        print("no description: %s %r" % (role.value_nick, name))
        failures += 1
    else:
        print("ok: %s %r: %s" % (role.value_nick, name, node.get_description()))

# Ticking the box through the bus, as a reader's user would, brings up the
# password box, named by its label.
wired = controls.get(wanted[0])
if wired is not None:
    Atspi.Action.do_action(wired, 0)
    password = None
    until = time.monotonic() + 5
    while password is None and time.monotonic() < until:
        for node in walk(window):
            if node.get_role() == Atspi.Role.PASSWORD_TEXT and node.get_name().strip() == "Admin Password :":
                password = node
        if password is None:
            time.sleep(0.2)
    if password is None:
        print("missing after ticking the box: password-text 'Admin Password :'")
        failures += 1
    else:
        print("ok: password-text 'Admin Password :': %s" % password.get_description())
sys.exit(1 if failures else 0)
