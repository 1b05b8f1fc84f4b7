"""Reads the running program's window over AT-SPI, as a screen reader does, and fails on
every control a user of one could not tell: menu items, cells with their column headers, the
count line, every button and field named, and the cell editor naming its column and row."""
import subprocess
import sys
import threading
import time

import pyatspi
from gi.repository import GLib


def application(name):
    for _ in range(100):
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name == name:
                return app
        time.sleep(0.2)
    sys.exit("FAILED: the program is not on the accessibility bus")


def nodes(node):
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from nodes(child)


app = application("gesamt")
problems = []
found = {}
for _ in range(50):  # the window is built while we look
    everything = list(nodes(app))
    found = {}
    for n in everything:
        found.setdefault(n.getRoleName(), []).append(n)
    if "table" in found and "menu item" in found:
        break
    time.sleep(0.2)

menus = [n.name for n in found.get("menu item", [])]
for wanted in ["Datei", "Bearbeiten", "Liste", "Speichern und Beenden", "Duplikate löschen",
               "Suchen…", "Sortieren", "Als PDF speichern…"]:
    if wanted not in menus:
        problems.append(f"menu item {wanted!r} missing")
headers = [n.name for n in found.get("table column header", [])]
if headers[:4] != ["Nr.", "Name", "MP", "Mitgliedsnr."]:
    problems.append(f"column headers {headers}")
cells = [n.name for n in found.get("table cell", [])]
for wanted in ["Anna Berg", "Bernd Fischer", "200"]:
    if wanted not in cells:
        problems.append(f"cell {wanted!r} missing")
labels = [n.name for n in found.get("label", [])]
if "2 Einträge" not in labels:
    problems.append(f"count line missing: {labels}")
for role in ["push button", "check box", "text", "table", "combo box"]:
    for n in found.get(role, []):
        if not n.name:
            problems.append(f"{role} without a name (description {n.description!r})")
# Moving between cells as a user does: the editor that takes the focus names column and row.
focus = []


def on_focus(event):
    if event.detail1:
        focus.append((event.source.getRoleName(), event.source.name))


def keys():
    for key in ["Tab", "Down"]:
        time.sleep(1)
        subprocess.run(["xdotool", "key", key], check=False)
    time.sleep(1)
    GLib.idle_add(pyatspi.Registry.stop)


pyatspi.Registry.registerEventListener(on_focus, "object:state-changed:focused")
threading.Thread(target=keys, daemon=True).start()
pyatspi.Registry.start()
editors = [name for role, name in focus if role == "text"]
if editors[:2] != ["Name, Zeile 1", "Name, Zeile 2"]:
    problems.append(f"the cell editors taking the focus are named {editors}")

for p in problems:
    print("FAILED:", p)
if problems:
    sys.exit(1)
print(f"read over AT-SPI: {len(menus)} menu items, {len(cells)} cells, every control named")
