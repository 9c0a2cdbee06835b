#!/usr/bin/env bash
# Builds Dorvane Lite, lays out its portable folder and starts the program from it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
# Warnings stay warnings here: a newer compiler's new warning must not stop the program.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DDORVANE_TESTS=OFF -DDORVANE_WERROR=OFF
cmake --build build --parallel "$(nproc)"

portable=build/portable
echo "Portable folder: $portable (copy it to a USB stick to carry it)"
du -sh "$portable"
ls -1 "$portable"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting Dorvane Lite under a virtual X server (Xvfb)."
  exec xvfb-run -a sh "$portable/dorvane-lite"
fi
exec sh "$portable/dorvane-lite"
