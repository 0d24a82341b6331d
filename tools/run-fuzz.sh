#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, ASan, UBSan) and runs each of them for a while,
# two at a time. Exits non-zero when any target finds a crash, a hang or a broken invariant.
#
#   FUZZ_SECONDS        seconds per target (default 30)
#   FUZZ_JOBS           targets run side by side (default 2)
#   VORLUX_FUZZ_BUILD   build directory (default build/fuzz), so that parallel users do not collide
#
# Corpora grow in <build>/corpus/<target> and are reused by the next run; logs are in
# <build>/fuzz-logs and crashing inputs in <build>/fuzz-artifacts.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

seconds="${FUZZ_SECONDS:-30}"
jobs="${FUZZ_JOBS:-2}"
build="${VORLUX_FUZZ_BUILD:-build/fuzz}"
case "$build" in /*) ;; *) build="$root/$build" ;; esac

for v in "$seconds" "$jobs"; do
  if ! [[ "$v" =~ ^[0-9]+$ ]]; then
    echo "run-fuzz: FUZZ_SECONDS and FUZZ_JOBS must be whole numbers" >&2
    exit 2
  fi
done
[ "$jobs" -ge 1 ] || jobs=1

cmake --preset fuzz -B "$build" >/dev/null
cmake --build "$build" -j "$jobs"

# The build lists its targets, one per parser of outside text.
targets=()
[ -f "$build/fuzz-targets.txt" ] && mapfile -t targets <"$build/fuzz-targets.txt"
if [ "${#targets[@]}" -eq 0 ]; then
  echo "run-fuzz: the build lists no fuzz targets ($build/fuzz-targets.txt)" >&2
  exit 2
fi

logs="$build/fuzz-logs"
artifacts="$build/fuzz-artifacts"
mkdir -p "$logs" "$artifacts"
dict=()
[ -f tests/fuzz/grammar.dict ] && dict=(-dict="$root/tests/fuzz/grammar.dict")

export ASAN_OPTIONS="${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

run_one() {
  local name="$1" rc=0
  mkdir -p "$build/corpus/$name"
  rm -f "$logs/$name.rc"
  "$build/$name" "$build/corpus/$name" "${dict[@]}" \
    -max_total_time="$seconds" -max_len=4096 -timeout=30 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$artifacts/$name-" \
    >"$logs/$name.log" 2>&1 || rc=$?
  echo "$rc" >"$logs/$name.rc"
}

running=0
for name in "${targets[@]}"; do
  if [ ! -x "$build/$name" ]; then
    echo "run-fuzz: $name was not built" >&2
    exit 2
  fi
  run_one "$name" &
  running=$((running + 1))
  if [ "$running" -ge "$jobs" ]; then
    wait -n || true
    running=$((running - 1))
  fi
done
wait || true

failed=0
for name in "${targets[@]}"; do
  rc="$(cat "$logs/$name.rc" 2>/dev/null || echo 1)"
  runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$logs/$name.log" | tail -1)"
  corpus="$(find "$build/corpus/$name" -type f | wc -l)"
  if [ "$rc" = 0 ]; then
    printf '%-24s ok     %12s runs in %ss, corpus %s\n' "$name" "${runs:-?}" "$seconds" "$corpus"
  else
    failed=1
    crash="$(ls -t "$artifacts/$name-"* 2>/dev/null | head -1 || true)"
    printf '%-24s FAILED %12s runs (exit %s), log %s%s\n' "$name" "${runs:-?}" "$rc" \
      "$logs/$name.log" "${crash:+, input $crash}"
  fi
done
exit "$failed"
