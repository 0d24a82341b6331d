#!/usr/bin/env python3
"""Counts non-blank, non-comment lines of the tracked C++, CMake, shell and Python files: tests
(everything under tests/ and the test-only programs of tools/) against code (everything else),
and prints "tests N lines, code M lines (R %)". With --max P it fails when R is above P."""
import subprocess
import sys
from pathlib import Path

# Programs under tools/ that exist only for the tests.
TEST_TOOLS = ("tools/vorlux_settings_host", "tools/vorlux_keeper", "tools/vorlux_spi_flag",
              "tools/vorlux_link_recorder")


def kind(path):
    name = Path(path).name
    if path.endswith((".cpp", ".h")):
        return "c"
    if path.endswith((".sh", ".py", ".cmake")) or name == "CMakeLists.txt" or path == ".ci/run":
        return "hash"
    return None


def count(path, k):
    n, in_block = 0, False
    for line in Path(path).read_text(encoding="utf-8", errors="replace").splitlines():
        s = line.strip()
        if not s:
            continue
        if k == "c":
            if in_block:
                in_block = "*/" not in s
                continue
            if s.startswith("//"):
                continue
            if s.startswith("/*"):
                in_block = "*/" not in s
                continue
        elif s.startswith("#") or s.startswith('"""'):
            continue
        n += 1
    return n


root = Path(__file__).resolve().parent.parent
files = subprocess.run(["git", "ls-files"], cwd=root, capture_output=True, text=True,
                       check=True).stdout.split()
tests = code = 0
for f in files:
    k = kind(f)
    if not k or not (root / f).exists():
        continue
    n = count(root / f, k)
    if f.startswith("tests/") or f.startswith(TEST_TOOLS):
        tests += n
    else:
        code += n
ratio = 100.0 * tests / code if code else 0.0
print(f"tests {tests} lines, code {code} lines ({ratio:.1f} %)")
if len(sys.argv) == 3 and sys.argv[1] == "--max" and ratio > float(sys.argv[2]):
    print(f"count-lines: tests are more than {sys.argv[2]} % of the code", file=sys.stderr)
    sys.exit(1)
