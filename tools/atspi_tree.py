#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""What a screen reader finds in the running Dorvane window, read over AT-SPI.

Run it on the display and session bus of a Dorvane started with
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 (tests/app/atspi_tree.sh sets that up). It
shows pages 1 to 5 in turn by pressing the side buttons through AT-SPI, as a
screen reader can, and for each prints how many objects the window has, how many
carry a name, how many are push buttons, and how many lines of page text it reads.
Then it moves the focus to a side button and to the "Start now" link and listens
to which object the focus events name last.

    tools/atspi_tree.py [--check] [--dump] [--timeout SECONDS]

--check: exit 1 when a page lacks one of its controls, a control that takes the
focus has no name, a page text is empty, or the focus ends anywhere but the link.
--dump: print each page's tree. Exit 77 when python3-pyatspi is not installed.
"""
import argparse
import sys
import time

try:
    import pyatspi
    from gi.repository import GLib
except ImportError:
    print("SKIP: python3-pyatspi is not installed")
    sys.exit(77)

CHROME = ["Introduction", "Background", "Your goals", "Preview", "Saved work",
          "Goal-setting resources", "About Dorvane", "Minimise", "Close"]
BUTTON, LIST, ITEM, TEXT = "push button", "list", "list item", "text"
# Each page: the side button that shows it, what it must hold (role, name; a
# combo box by the label that names it), and words its page text must contain.
PAGES = [
    ("Introduction", [(BUTTON, "Start now"), ("document frame", "Introduction")],
     "Written in present tense"),
    ("Background", [(LIST, "Background pictures"),
                    (ITEM, "Autumn trees and a green meadow below a mountain ridge"),
                    (ITEM, "Two dandelion seeds before orange flowers"),
                    (BUTTON, "Add picture"), (BUTTON, "Continue")],
     "Choose background image"),
    ("Your goals", [(TEXT, f"Goal {n}") for n in range(1, 8)] +
     [("check box", "Add bullets to text"), (BUTTON, "Continue")], "Write down your goals"),
    ("Preview", [("image", "Preview of the goal board"), (BUTTON, "Preview"), (BUTTON, "Save"),
                 (BUTTON, "Set as wallpaper"), (BUTTON, "Make readable")] +
     [("combo box", n) for n in ("Font", "Style", "Size", "Align", "Color", "Shading")],
     "Drag the text"),
    ("Saved work", [(LIST, "Saved goal boards"), (BUTTON, "Load"), (BUTTON, "Delete"),
                    (TEXT, "Goals of the chosen board")], "Load saved work"),
]
MAX_OBJECTS = 5000  # a cycle in the tree must not hang the tool


def wait(condition, timeout):
    """Runs the event loop until condition() holds; False after timeout seconds."""
    end = time.monotonic() + timeout
    context = GLib.MainContext.default()
    while True:
        while context.pending():
            context.iteration(False)
        try:
            if condition():
                return True
        except Exception:  # an object went away while it was read: try again
            pass
        if time.monotonic() > end:
            return False
        time.sleep(0.05)


def name_of(o):
    """The name a screen reader speaks; a combo box speaks its label's."""
    if o.getRole() == pyatspi.ROLE_COMBO_BOX:
        for r in o.getRelationSet():
            if r.getRelationType() == pyatspi.RELATION_LABELLED_BY and r.getNTargets():
                return r.getTarget(0).name
    return o.name


def text_lines(o):
    """Lines of an object's text read one by one, as "say next line" does; -1 without text."""
    try:
        t = o.queryText()
    except NotImplementedError:
        return -1, ""
    offset, lines, count = 0, 0, t.characterCount
    while offset < count and lines < 10000:
        _, start, end = t.getTextAtOffset(offset, pyatspi.TEXT_BOUNDARY_LINE_START)
        if end <= offset:
            break
        offset, lines = end, lines + 1
    return lines, t.getText(0, count)


def walk(frame):
    """Every object of the window: (depth, role, name, showing, focusable, lines, text)."""
    out, todo = [], [(frame, 0)]
    while todo and len(out) < MAX_OBJECTS:
        o, depth = todo.pop()
        state = o.getState()
        role = o.getRoleName()
        lines, words = text_lines(o) if role in ("document frame", TEXT) else (-1, "")
        out.append((depth, role, name_of(o), state.contains(pyatspi.STATE_SHOWING),
                    state.contains(pyatspi.STATE_FOCUSABLE), lines, words))
        if role != "combo box":  # not the items of its popup
            for i in reversed(range(o.childCount)):
                child = o.getChildAtIndex(i)
                if child is not None:
                    todo.append((child, depth + 1))
    return out


def find(frame, role, name):
    for i in range(frame.childCount):
        c = frame.getChildAtIndex(i)
        if c is not None and c.getRoleName() == role and c.name == name:
            return c
        if c is not None and c.childCount:
            hit = find(c, role, name)
            if hit is not None:
                return hit
    return None


def act(o, action):
    a = o.queryAction()
    for i in range(a.nActions):
        if a.getName(i) == action:
            return a.doAction(i)
    raise RuntimeError(f"{o.name} has no action {action}")


def page_faults(seen, wanted, words):
    have = {(role, name) for _, role, name, *_ in seen}
    faults = [f"no {role} \"{name}\"" for role, name in [(BUTTON, c) for c in CHROME] + wanted
              if (role, name) not in have]
    faults += [f"a {role} that takes the focus has no name" for _, role, name, showing, focusable,
               *_ in seen if showing and focusable and not name]
    faults += [f"the {role} \"{name}\" is empty" for _, role, name, showing, _, lines, _ in seen
               if showing and role == "document frame" and lines == 0]
    if not any(words in text for *_, text in seen):
        faults.append(f"no page text holds \"{words}\"")
    return faults


def check_pages(frame, args):
    faults = []
    for button, wanted, words in PAGES:
        act(find(frame, BUTTON, button), "Press")
        seen = []

        def ready():
            seen[:] = walk(frame)
            return not page_faults(seen, wanted, words)

        wait(ready, args.timeout)
        named = sum(1 for s in seen if s[2])
        buttons = sum(1 for s in seen if s[1] == BUTTON)
        lines = sum(s[5] for s in seen if s[1] == "document frame" and s[3] and s[5] > 0)
        print(f"{button}: {len(seen)} objects, {named} named, {buttons} push buttons, "
              f"{lines} lines of page text")
        if args.dump:
            for depth, role, name, showing, _, n, _ in seen:
                print(f"  {'  ' * depth}{role} \"{name}\"{'' if showing else ' (hidden)'}"
                      f"{f' ({n} lines)' if n >= 0 else ''}")
        faults += [f"{button}: {f}" for f in page_faults(seen, wanted, words)]
    return faults


def check_focus(frame, args):
    """Tab into a page text ends, for a screen reader, on the link, not on the page."""
    heard = []

    def on_focus(event):
        if event.detail1:
            heard.append((event.source.getRoleName(), event.source.name))

    pyatspi.Registry.registerEventListener(on_focus, "object:state-changed:focused")
    act(find(frame, BUTTON, "Introduction"), "Press")
    about = (BUTTON, "About Dorvane")
    if not wait(lambda: find(frame, *about) is not None, args.timeout):
        return ["focus: no \"About Dorvane\" button"]
    act(find(frame, *about), "SetFocus")
    if not wait(lambda: heard and heard[-1] == about, args.timeout):
        return [f"focus: \"About Dorvane\" never had the focus (heard {heard})"]
    link = (BUTTON, "Start now")
    act(find(frame, *link), "SetFocus")
    page = ("document frame", "Introduction")
    done = wait(lambda: page in heard and heard[-1] == link, args.timeout)
    pyatspi.Registry.deregisterEventListener(on_focus, "object:state-changed:focused")
    print(f"focus: {' -> '.join(name for _, name in heard)}")
    return [] if done else [f"focus: ends on {heard[-1] if heard else None}, not the link"]


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--check", action="store_true")
    parser.add_argument("--dump", action="store_true")
    parser.add_argument("--timeout", type=float, default=30)
    args = parser.parse_args()
    apps = []
    if not wait(lambda: apps.extend(a for a in pyatspi.Registry.getDesktop(0)
                                    if a is not None and a.name == "Dorvane") or apps,
                args.timeout):
        print("FAIL: no Dorvane on the accessibility bus")
        return 1
    frame = apps[0].getChildAtIndex(0)
    faults = check_pages(frame, args) + check_focus(frame, args)
    for f in faults:
        print("FAIL:", f)
    return 1 if faults and args.check else 0


if __name__ == "__main__":
    sys.exit(main())
