#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine (installing what is missing) and runs every test: the house
# rules (formatting, layering, the share of tests), the portable core natively with sanitizers,
# the fuzz targets, and the Windows build (unit, end-to-end and screen tests) under Wine on
# private Xvfb displays.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup-debian.sh
jobs=$(nproc)

echo "== house rules: formatting, layers, test share"
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror
python3 tools/check-layers.py
python3 tools/count-lines.py --max 40

echo "== portable core (native, AddressSanitizer + UndefinedBehaviorSanitizer)"
cmake --preset native >/dev/null
cmake --build --preset native -j"$jobs"
ctest --preset native -j"$jobs"

echo "== fuzz targets (${FUZZ_SECONDS:-30} s each)"
bash tools/run-fuzz.sh

echo "== Windows build under Wine"
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j"$jobs"
size=$(stat -c %s build/win32/SSVorlux.scr)
echo "SSVorlux.scr: $size bytes"
if i686-w64-mingw32-objdump -p build/win32/SSVorlux.scr | grep 'DLL Name' | grep -viE \
    'kernel32|user32|gdi32|comdlg32|shell32|advapi32|msvcrt|ntdll|comctl32|ole32'; then
  echo "SSVorlux.scr imports a DLL that is not part of Windows" >&2
  exit 1
fi
trap 'tools/winerun.sh --root build/win32/wine down >/dev/null 2>&1 || true' EXIT
ctest --preset win32 -j2
