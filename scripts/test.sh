#!/usr/bin/env bash
# Builds Dorvane Lite with AddressSanitizer and UndefinedBehaviorSanitizer, warnings as errors,
# runs every test, starts the portable folder on small Debian systems, then fuzzes each parser
# of outside input for 10 seconds.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build-tests -G Ninja -DCMAKE_BUILD_TYPE=Debug -DDORVANE_SANITIZE=ON -DDORVANE_TESTS=ON \
  -DDORVANE_WERROR=ON
cmake --build build-tests --parallel "$(nproc)"
# A failing test still lets the parsers be fuzzed; either failure fails the whole run.
status=0
ctest --test-dir build-tests --output-on-failure --parallel "$(nproc)" || status=$?
# The portable folder on small Debian systems: without Qt, with another Qt, below the floor.
bash scripts/check-portable.sh build-tests/portable || status=1
bash scripts/fuzz.sh 10 || status=1
exit "$status"
