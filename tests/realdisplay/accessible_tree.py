#!/usr/bin/python3
"""Walks the accessible tree (AT-SPI, as a screen reader sees it) of one window of a running program.

Usage: accessible_tree.py PID TITLE [TEXT | once:NAME | link:NAME ...]
Prints every control with its role and name; fails (status 1) when a control has no name, when a
TEXT is not within some name, when not exactly one object is named NAME (once:) or not exactly one
link (link:), or (status 2) when the window is not in the tree.
"""
import sys

import pyatspi

CONTROLS = {
    pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON, pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_RADIO_BUTTON,
    pyatspi.ROLE_SCROLL_BAR, pyatspi.ROLE_SLIDER, pyatspi.ROLE_SPIN_BUTTON, pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY,
    pyatspi.ROLE_PASSWORD_TEXT, pyatspi.ROLE_LABEL, pyatspi.ROLE_STATIC, pyatspi.ROLE_CALENDAR, pyatspi.ROLE_TABLE,
    pyatspi.ROLE_TREE_TABLE, pyatspi.ROLE_PAGE_TAB, pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_LINK, pyatspi.ROLE_IMAGE,
}


def windows_of(pid):
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        try:
            if app is None or app.get_process_id() != pid:
                continue
        except Exception:  # an application that went away while being asked
            continue
        for window in app:
            if window is not None:
                yield window


def walk(node, depth, found):
    try:
        role, name, count = node.getRole(), node.name or '', node.childCount
    except Exception:
        return
    found.append((depth, role, name, node))
    for i in range(count):
        child = node.getChildAtIndex(i)
        if child is not None:
            walk(child, depth + 1, found)


def main():
    pid, title, texts = int(sys.argv[1]), sys.argv[2], sys.argv[3:]
    window = next((w for w in windows_of(pid) if w.name == title), None)
    if window is None:
        names = [w.name for w in windows_of(pid)]
        print(f'no window "{title}" in the tree; there are: {names}')
        return 2
    found = []
    walk(window, 0, found)
    unnamed = 0
    for depth, role, name, _ in found:
        control = role in CONTROLS
        mark = '  ' if not control or name.strip() else '!!'
        print(f'{mark}{"  " * depth}{role.value_nick}: {name!r}')
        if control and not name.strip():
            unnamed += 1
    missing = []
    for text in texts:
        if text.startswith('once:'):
            count = sum(1 for _, _, name, _ in found if name == text[5:])
            if count != 1:
                missing.append(text)
                print(f'{count} objects named "{text[5:]}", not one')
        elif text.startswith('link:'):
            count = sum(1 for _, role, name, _ in found if name == text[5:] and role == pyatspi.ROLE_LINK)
            if count != 1:
                missing.append(text)
                print(f'{count} links named "{text[5:]}", not one')
        elif not any(text in name for _, _, name, _ in found):
            missing.append(text)
            print(f'no name holds "{text}"')
    print(f'{len(found)} objects, {unnamed} controls without a name')
    return 1 if unnamed or missing else 0


if __name__ == '__main__':
    sys.exit(main())
