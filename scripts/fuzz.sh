#!/usr/bin/env bash
# Builds the libFuzzer targets (the "fuzz" preset: clang, AddressSanitizer and
# UndefinedBehaviorSanitizer) and fuzzes each one for a bounded time, starting
# from its saved inputs in fuzz/corpus/<target without "fuzz_">/.
#
#   scripts/fuzz.sh [SECONDS_PER_TARGET]      (default 25)
#
# A crash, a leak, undefined behaviour or an input slower than 10 s fails the
# run. libFuzzer keeps the input that did it under build/fuzz/findings/<target>/;
# the script prints its path and the command that makes it a regression input
# (ctest replays every saved input on each test run). New inputs that only
# widen coverage stay in build/fuzz/findings/<target>/new-inputs/.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-25}
findings=build/fuzz/findings

targets=()
for source in fuzz/fuzz_*.cpp; do
  targets+=("$(basename "$source" .cpp)")
done

echo "== build: fuzz"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target "${targets[@]}"

export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d /tmp/bastara-xdg.XXXXXX)}"
chmod 0700 "$XDG_RUNTIME_DIR"
# Undefined behaviour stops the run like a crash, with a stack to read.
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
# Leaks inside the libraries are theirs, each suppression with its reason.
export LSAN_OPTIONS=suppressions=$PWD/tests/support/lsan.supp
symbolizer=$(command -v llvm-symbolizer || ls /usr/lib/llvm-*/bin/llvm-symbolizer 2>/dev/null | head -n 1 || true)
[ -n "$symbolizer" ] && export ASAN_SYMBOLIZER_PATH="$symbolizer"

passed=0
failed=0
for target in "${targets[@]}"; do
  corpus=fuzz/corpus/${target#fuzz_}
  out=$findings/$target
  rm -rf "$out"
  mkdir -p "$out/new-inputs"
  echo "== fuzz: $target for ${seconds}s from $corpus"
  if build/fuzz/fuzz/"$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="$out/" "$out/new-inputs" "$corpus" >"$out/log" 2>&1; then
    passed=$((passed + 1))
    grep -E '^Done [0-9]+ runs' "$out/log" || true
  else
    failed=$((failed + 1))
    echo "FAILED: $target; its report (all of it in $out/log):"
    # From the sanitizer's or libFuzzer's report on, else the end of the log.
    report=$(sed -n '/ERROR: \|runtime error: /,$p' "$out/log" | head -n 80)
    if [ -n "$report" ]; then echo "$report"; else tail -n 30 "$out/log"; fi
    for input in "$out"/crash-* "$out"/leak-* "$out"/timeout-* "$out"/oom-*; do
      [ -e "$input" ] || continue
      echo "input that failed: $input"
      echo "  keep it as a regression input:  cp '$input' $corpus/"
      echo "  or, from this log alone:        echo '$(base64 -w0 "$input")' | base64 -d >$corpus/$(basename "$input")"
      echo "  run it alone:                   build/fuzz/fuzz/$target '$input'"
    done
  fi
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
