#!/usr/bin/python3
"""Reads a running Discora through the desktop's accessibility bus, as a screen reader would.

Arguments: two files with the first lines of `discora --list by-artist` and `--list by-album-name`
of the catalogue the window shows. Checks that the view reads row by row with those albums in both
orders (the second reached through the View menu), that a row can be selected through the bus, and
that the CD player's buttons are named. Exits 1 with what differed.
"""
import subprocess
import sys
import time

import pyatspi

failures = []


def check(ok, what):
    if not ok:
        failures.append(what)
        print(what, file=sys.stderr)
    return ok


def wait_for(find, what, seconds=60):
    end = time.time() + seconds
    while time.time() < end:
        found = find()
        if found is not None:
            return found
        time.sleep(0.2)
    sys.exit(f"not found through the accessibility bus: {what}")


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name == "Discora":
            return app
    return None


def descendant(root, role, name=None, skip_tables=True):
    """The first object of this role (and name) under root, breadth first."""
    queue = [root]
    while queue:
        node = queue.pop(0)
        try:
            if node.getRole() == role and (name is None or node.name == name):
                return node
            if skip_tables and node.getRole() == pyatspi.ROLE_TABLE:
                continue
            queue.extend(node.getChildAtIndex(i) for i in range(node.childCount))
        except Exception:
            continue
    return None


def listed_albums(path, album_first):
    albums = []
    with open(path, encoding="utf-8") as f:
        for line in f:
            fields = line.rstrip("\n").split("\t")
            artist, album = (fields[1], fields[0]) if album_first else (fields[0], fields[1])
            albums.append((artist, album))
    return albums


def check_rows(table, albums, order):
    rows = table.queryTable().nRows
    check(rows == table.childCount and rows >= len(albums), f"{order}: {rows} rows, {table.childCount} children")
    for i, (artist, album) in enumerate(albums):
        name = table.getChildAtIndex(i).name
        check(name.startswith(f"{artist}, {album}"), f"{order}: row {i} reads {name!r}, not {artist}, {album}")


def main():
    by_artist = listed_albums(sys.argv[1], album_first=False)
    by_album = listed_albums(sys.argv[2], album_first=True)

    app = wait_for(application, "the application Discora")
    window = wait_for(lambda: descendant(app, pyatspi.ROLE_FRAME), "the main window")
    table = wait_for(lambda: descendant(window, pyatspi.ROLE_TABLE), "the catalogue view as a table")
    wait_for(lambda: table if table.childCount > 0 else None, "the catalogue's rows")
    check(table.name == "Catalogue", f"the view is named {table.name!r}")
    check_rows(table, by_artist, "by artist")

    # The order changes through the menu's keys, as a keyboard user would choose it: View, Sort,
    # Sort by Album Name.
    subprocess.run(["xdotool", "search", "--sync", "--name", " - Discora", "windowfocus", "--sync"], check=True)
    subprocess.run(["xdotool", "key", "--delay", "150", "alt+v", "r", "n"], check=True)
    wait_for(lambda: table if table.getChildAtIndex(0).name.startswith(", ".join(by_album[0])) else None,
             "the view in album name order", seconds=20)
    check_rows(table, by_album, "by album name")

    # A row selected through the bus is what Play takes; the player's buttons are heard by name.
    check(table.queryTable().addRowSelection(0), "row 0 could not be selected")
    check(table.getChildAtIndex(0).getState().contains(pyatspi.STATE_SELECTED), "row 0 is not selected")
    # Play from its keys (the toolbar's button would wait for the player's message about the
    # missing drive before answering the bus).
    subprocess.run(["xdotool", "key", "ctrl+shift+p"], check=True)

    def player():
        for i in range(app.childCount):
            w = app.getChildAtIndex(i)
            if w is not None and w != window and descendant(w, pyatspi.ROLE_CHECK_BOX, "Continuous Play"):
                return w
        return None

    dialog = wait_for(player, "the CD player's window")
    for name in ("Play", "Pause", "Stop", "Previous", "Next"):
        check(descendant(dialog, pyatspi.ROLE_PUSH_BUTTON, name) is not None, f"the player has no button {name!r}")
    check(descendant(dialog, pyatspi.ROLE_CHECK_BOX, "Continuous Play") is not None, "Continuous Play is no toggle")

    print(f"read through the accessibility bus: {len(by_artist)} rows in two orders, the player's buttons")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
