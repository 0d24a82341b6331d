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
python3 tools/count-lines.py --max 35

echo "== portable core (native, AddressSanitizer + UndefinedBehaviorSanitizer)"
cmake --preset native >/dev/null
cmake --build --preset native -j"$jobs"
ctest --preset native -j"$jobs"

echo "== fuzz targets (${FUZZ_SECONDS:-30} s each)"
bash tools/run-fuzz.sh

preset=$(bash tools/windows-preset.sh)
echo "== Windows build under Wine ($preset)"
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j"$jobs"
# The shipped program is the 32-bit one: build it here too when the tests run the 64-bit one.
# Both import only Windows' own DLLs, and the 32-bit one keeps to its size budget of 240 KB.
programs=("$preset")
if [ "$preset" != win32 ]; then
  cmake --preset win32 >/dev/null
  cmake --build --preset win32 -j"$jobs" --target SSVorlux
  programs+=(win32)
fi
for built in "${programs[@]}"; do
  scr=build/$built/SSVorlux.scr
  size=$(stat -c %s "$scr")
  echo "SSVorlux.scr ($built): $size bytes"
  if objdump -p "$scr" | grep 'DLL Name' | grep -viE \
      'kernel32|user32|gdi32|comdlg32|shell32|advapi32|msvcrt|ntdll|comctl32|ole32'; then
    echo "SSVorlux.scr ($built) imports a DLL that is not part of Windows" >&2
    exit 1
  fi
done
if [ "$size" -gt 245760 ]; then
  echo "SSVorlux.scr (win32) is over its budget of 245,760 bytes" >&2
  exit 1
fi
trap 'tools/winerun.sh --root build/$preset/wine --arch $preset down >/dev/null 2>&1 || true' EXIT
ctest --preset "$preset" -j2
