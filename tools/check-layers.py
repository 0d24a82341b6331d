#!/usr/bin/env python3
"""Checks the layering of src/: each folder includes only folders below it, folders include
each other in no cycle, core files never reach Win32, and .win32 files do."""
import re
import sys
from pathlib import Path

# Bottom to top. A folder may include itself and the folders before it.
LAYERS = ["base", "ui", "engine", "config", "about", "setup", "saver", "app"]
# The folders that are portable in whole (no .win32 file at all).
PORTABLE = {"base"}
# State that lives once per process is owned by the entry routine, never reached globally.
ACCESSORS = re.compile(r"\b(Run|Random|Animation|Graphics|InputWatch|Settings)\(\)|FormInstance<")
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.M)
WIN32_HEADERS = {"windows.h", "windowsx.h", "commdlg.h", "shellapi.h"}

root = Path(__file__).resolve().parent.parent / "src"
problems = []
deps = {layer: set() for layer in LAYERS}

for path in sorted(root.rglob("*")):
    if path.suffix not in (".h", ".cpp"):
        continue
    rel = path.relative_to(root).as_posix()
    folder = rel.split("/")[0]
    if folder not in LAYERS:
        problems.append(f"{rel}: folder {folder} is not a known layer")
        continue
    text = path.read_text(encoding="utf-8", errors="replace")
    is_win32 = ".win32." in path.name
    reaches_win32 = False
    for kind, name in INCLUDE.findall(text):
        if kind == "<":
            if name.lower() in WIN32_HEADERS:
                reaches_win32 = True
                if not is_win32:
                    problems.append(f"{rel}: portable file includes <{name}>")
            continue
        target = name.split("/")[0]
        if target not in LAYERS:
            continue
        if ".win32." in name:
            reaches_win32 = True
            if not is_win32:
                problems.append(f"{rel}: portable file includes {name}")
        if target != folder:
            deps[folder].add(target)
            if LAYERS.index(target) > LAYERS.index(folder):
                problems.append(f"{rel}: {folder} includes {name} from the higher layer {target}")
    if is_win32 and not reaches_win32:
        problems.append(f"{rel}: a .win32 file that does not reach Win32 (name it as core)")
    if is_win32 and folder in PORTABLE:
        problems.append(f"{rel}: {folder} holds portable code only")
    for line_no, line in enumerate(text.splitlines(), 1):
        if ACCESSORS.search(line) and not rel.startswith("app/main.win32"):
            problems.append(f"{rel}:{line_no}: process-wide state reached through an accessor")


def find_cycle():
    state = {}

    def visit(node, trail):
        state[node] = "open"
        for nxt in sorted(deps[node]):
            if state.get(nxt) == "open":
                return trail + [node, nxt]
            if nxt not in state:
                found = visit(nxt, trail + [node])
                if found:
                    return found
        state[node] = "done"
        return None

    for node in LAYERS:
        if node not in state:
            found = visit(node, [])
            if found:
                return found
    return None


cycle = find_cycle()
if cycle:
    problems.append("include cycle between folders: " + " -> ".join(cycle))

for p in problems:
    print("check-layers:", p, file=sys.stderr)
if problems:
    sys.exit(1)
print("check-layers: " + " < ".join(LAYERS) + ": no upward include, no cycle")
