#!/usr/bin/env bash
# Fails when a C++ source of the project differs from what the committed .clang-format makes
# of it, and names each such file.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v clang-format >/dev/null || { echo "clang-format is not installed: the format is not checked"; exit 77; }

list_sources() {
  if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files -z -- '*.cpp' '*.h' '*.cc'
  else
    find src tests bench fuzz docs \( -name '*.cpp' -o -name '*.h' -o -name '*.cc' \) -print0
  fi
}

status=0
while IFS= read -r -d '' file; do
  clang-format --dry-run --Werror "$file" >/dev/null 2>&1 || { echo "not formatted: $file"; status=1; }
done < <(list_sources)
exit "$status"
