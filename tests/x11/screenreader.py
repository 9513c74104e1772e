"""What a screen reader reads of the running program, over AT-SPI.

  screenreader.py announce             tell the desktop a screen reader runs
  screenreader.py read PROFILE         read the palette and the editor, change a value
"""
import re
import sys
import time

import pyatspi
from gi.repository import Gio, GLib

failures = 0


def fail(what):
    global failures
    failures += 1
    print("FAIL:", what, file=sys.stderr)


def announce():
    # As Orca does: the accessibility bus's status says a screen reader is running, and
    # toolkits that start from then on make their widgets accessible.
    bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    bus.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.freedesktop.DBus.Properties", "Set",
                  GLib.Variant("(ssv)", ("org.a11y.Status", "ScreenReaderEnabled", GLib.Variant("b", True))),
                  None, Gio.DBusCallFlags.NONE, 10000, None)


def waited(what, find, limit=10.0):
    end = time.monotonic() + limit
    while time.monotonic() < end:
        found = find()
        if found is not None:
            return found
        time.sleep(0.1)
    print("FAIL: no", what, file=sys.stderr)
    sys.exit(1)


def walk(node):
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)


def text_of(node):
    try:
        return node.queryText().getText(0, -1)
    except NotImplementedError:
        return None


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def application():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "mq":
            return app
    return None


def window(app, title):
    for child in app:
        if child is not None and child.name == title and showing(child):
            return child
    return None


def named(nodes, role, name):
    for node in nodes:
        if node.getRoleName() == role and node.name == name:
            return node
    return None


def stored(profile):
    # A line per value after the first, CR LF between them (a lone LF stays in its value).
    with open(profile, encoding="cp932", newline="") as f:
        return f.read().split("\r\n")[1:58]


def press(button):
    """Presses a button through its own action, as a screen reader does; false if it has none."""
    action = button.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    if "Press" not in names:
        fail(f"{button.name} cannot be pressed")
        return False
    action.doAction(names.index("Press"))
    return True


def read(profile):
    values = stored(profile)
    app = waited("application mq on the accessibility bus", application)
    palette = waited("palette", lambda: next((w for w in app if w is not None and re.match(r"ＭＱ \(β", w.name)), None))

    # The palette: its 57 boxes, each named by what it holds and reading its value.
    def shown_boxes():
        found = [n for n in walk(palette) if n.getRoleName() == "label" and showing(n)]
        return found if len(found) >= 57 else None
    boxes = waited("57 palette boxes showing", shown_boxes)
    names = [b.name for b in boxes]
    if len(boxes) != 57:
        fail(f"{len(boxes)} boxes read, not 57")
    if any(not n for n in names) or len(set(names)) != len(names):
        fail(f"box names not distinct and given: {names}")
    texts = [text_of(b) for b in boxes]
    if texts != values:
        fail(f"the boxes read {texts}, the profile holds {values}")
    postal = named(boxes, "label", "郵便番号 前半")
    if postal is None or text_of(postal) != "123":
        fail("no box named 郵便番号 前半 reading 123")
    buttons = [n for n in walk(palette) if n.getRoleName() == "push button"]
    if sorted(b.name for b in buttons) != sorted(["内容変更", "ヘルプ"]):
        fail(f"palette buttons {[b.name for b in buttons]}")

    # The editor, opened as a screen reader user does: the button's own action.
    editor_button = named(buttons, "push button", "内容変更")
    if editor_button is None:
        return
    if not press(editor_button):
        return
    editor = waited("editor", lambda: window(app, "内容変更"))
    nodes = list(walk(editor))
    entries = [n for n in nodes if n.getRoleName() == "text" and showing(n)
               and not n.getState().contains(pyatspi.STATE_READ_ONLY)]
    entry_names = [e.name for e in entries]
    if len(entries) < 30 or any(not n for n in entry_names) or len(set(entry_names)) != len(entry_names):
        fail(f"editor entries not named one by one: {entry_names}")
    # An entry and the palette's box of the same value have the same name and value.
    by_name = {b.name: text_of(b) for b in boxes}
    for e in entries:
        if e.name in by_name and text_of(e) != by_name[e.name]:
            fail(f"entry {e.name} reads {text_of(e)!r}, its box {by_name[e.name]!r}")
    if not any(e.name in by_name for e in entries):
        fail("no editor entry shares a name with a palette box")
    spaced = [n.name for n in nodes if n.getRoleName() == "push button" and "\u3000" in n.name]
    if spaced:
        fail(f"buttons named with ideographic spaces: {spaced}")

    # A value typed through the reader's own editing, saved with 内容更新: the palette's
    # box reads the new value.
    surname = named(entries, "text", "漢字 姓")
    update = named(nodes, "push button", "内容更新")
    if surname is None or update is None:
        fail("no entry 漢字 姓 or no button 内容更新 in the editor")
        return
    surname.queryEditableText().setTextContents("佐藤")
    box = named(boxes, "label", "漢字 姓")
    if box is None or not press(update):
        return
    waited("palette box 漢字 姓 reading 佐藤", lambda: True if text_of(box) == "佐藤" else None)
    if "佐藤" not in stored(profile):
        fail("the saved profile does not hold 佐藤")


def main():
    if len(sys.argv) >= 2 and sys.argv[1] == "announce":
        announce()
        return 0
    if len(sys.argv) == 3 and sys.argv[1] == "read":
        read(sys.argv[2])
        if failures:
            return 1
        print("ok: read as a screen reader reads it")
        return 0
    print(__doc__, file=sys.stderr)
    return 2


sys.exit(main())
