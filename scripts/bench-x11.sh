#!/usr/bin/env bash
# Runs a road benchmark with its windows on a real X server (Xvfb) under a window manager
# (openbox), where they are drawn as the user sees them; the benchmarks run offscreen
# otherwise. Usage: bash scripts/bench-x11.sh build-bench/bench/import_road_window_bench [args]
set -euo pipefail
display=":$((90 + RANDOM % 100))"
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$wm" 2>/dev/null; kill "$xvfb" 2>/dev/null' EXIT
for _ in $(seq 50); do
  DISPLAY="$display" xdpyinfo >/dev/null 2>&1 && break
  sleep 0.1
done
DISPLAY="$display" openbox >/dev/null 2>&1 &
wm=$!
sleep 1
DISPLAY="$display" QT_QPA_PLATFORM=xcb "$@"
