#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, AddressSanitizer and UndefinedBehaviorSanitizer
# (warnings as errors), and runs each of them for a bounded time from its starting inputs.
# Usage: bash scripts/fuzz.sh [seconds-per-target, default 30]
# Exits non-zero when any target crashes; the inputs that did it are kept in build-fuzz/crashes/.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-30}"
if ! [[ "$seconds" =~ ^[0-9]+$ ]] || ((seconds == 0)); then
  echo "usage: bash scripts/fuzz.sh [seconds-per-target]" >&2
  exit 2
fi

build=build-fuzz
shared_corpus=../shared/corpus
crashes="$build/crashes"
logs="$build/logs"
runs="$build/corpus-run"

# Optimised but with assertions and debug information, so a finding points at its line.
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DDORVANE_FUZZ=ON -DDORVANE_WERROR=ON \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O1 -g" \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" >/dev/null

targets=()
for source in fuzz/*_fuzz.cpp; do
  targets+=("$(basename "$source" .cpp)")
done
# The text libraries of every language, laid into build-fuzz/portable, are starting inputs
# of the PE reader.
text_libraries=()
for rc in lang/*/*.rc; do
  text_libraries+=("text_$(basename "$rc" .rc)$(basename "$(dirname "$rc")")")
done
cmake --build "$build" --parallel 2 --target "${targets[@]}" "${text_libraries[@]}"

# Folders of starting inputs of each target besides its own fuzz/corpus/<name>/.
extra_starting_inputs() {
  case "$1" in
    bookmark_reader) echo "$shared_corpus/bookmarks-html" ;;
    chromium_bookmarks) echo "$shared_corpus/chromium-linux $shared_corpus/chromium-linux/Default" ;;
    shortcut) echo "$shared_corpus/url-files" ;;
    text_library) echo "$build/portable" ;;
    places_writer) echo fuzz/corpus/firefox_places ;;
  esac
}

# Copies the starting inputs of a target into a fresh corpus folder the fuzzer may change at will.
prepare_corpus() {
  local name="$1" corpus="$2" folder file
  rm -rf "$corpus"
  mkdir -p "$corpus"
  for folder in "fuzz/corpus/$name" $(extra_starting_inputs "$name"); do
    [ -d "$folder" ] || continue
    for file in "$folder"/*; do
      # cat, not cp: the copies must be writable even when the starting inputs are not
      [ -f "$file" ] && cat "$file" >"$corpus/$(basename "$folder")__$(basename "$file")"
    done
  done
}

# "<target>: <execs> execs, <execs/s> exec/s, cov <n> ft <n>" from libFuzzer's output.
summary() {
  local target="$1" log="$2" execs rate cov ft
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -n 1)
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -n 1 | cut -d' ' -f2)
  ft=$(grep -o 'ft: [0-9]*' "$log" | tail -n 1 | cut -d' ' -f2)
  echo "$target: ${execs:-?} execs, ${rate:-?} exec/s, cov ${cov:-?} ft ${ft:-?}"
}

[ -d /dev/shm ] && export TMPDIR=/dev/shm
# Undefined behaviour stops the run like a memory fault does.
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"
mkdir -p "$crashes" "$logs"

failed=()
for target in "${targets[@]}"; do
  name="${target%_fuzz}"
  corpus="$runs/$name"
  log="$logs/$target.log"
  prepare_corpus "$name" "$corpus"
  status=0
  "$build/fuzz/$target" "$corpus" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
    -print_final_stats=1 -artifact_prefix="$crashes/$target-" >"$log" 2>&1 || status=$?
  summary "$target" "$log"
  if ((status != 0)); then
    failed+=("$target")
    echo "$target failed (exit $status); log: $log" >&2
    grep -A 30 -m 1 -E '^==[0-9]+==ERROR|runtime error|^==[0-9]+== ERROR|deadly signal|Timeout|out-of-memory' "$log" >&2 || tail -n 30 "$log" >&2
  fi
done

if ((${#failed[@]})); then
  echo "Fuzzing found faults in: ${failed[*]} (inputs in $crashes/)" >&2
  exit 1
fi
