#!/usr/bin/env bash
# Starts the portable folder on three small Debian systems, each made with mmdebstrap and run
# under bwrap on a virtual X server, as a copy with no exec bit started by `sh <stick>/dorvane-lite`:
#   Debian 12 with the X client libraries but no Qt: the window opens and a link is added;
#   Debian 13 with its own Qt 6.8: only the folder's Qt libraries and plugins are loaded;
#   Debian 11, below the floor: one line says what the PC lacks, and nothing is written.
# The systems are kept in build-roots/ (or $DORVANE_ROOTS) and made again only when their
# package lists change. Where they cannot be made (no mmdebstrap, bwrap or Debian archive), the
# check says so and passes.
# Usage: check-portable.sh [portable folder]   (default: build/portable)
set -euo pipefail
cd "$(dirname "$0")/.."

portable=$(realpath "${1:-build/portable}")
roots=${DORVANE_ROOTS:-$PWD/build-roots}
skip() {
  echo "check-portable: SKIP: $*"
  exit 0
}
for tool in mmdebstrap bwrap Xvfb xdotool; do
  command -v "$tool" >/dev/null || skip "$tool is not installed (scripts/install-deps.sh)"
done
bwrap --ro-bind / / true 2>/dev/null || skip "bwrap cannot make a sandbox here (user namespaces?)"
[ -x "$portable/dorvane-lite.bin" ] || { echo "check-portable: no portable folder in $portable" >&2; exit 1; }

work=$(mktemp -d)
source tests/testing/virtual_screen.sh

# make_root <name> <suite> [packages]: a minimal system, kept while its packages stay the same.
make_root() {
  local root=$roots/$1 wanted="$2 ${3:-}"
  if [ "$(cat "$root.packages" 2>/dev/null)" != "$wanted" ]; then
    echo "check-portable: making $1 ($wanted)"
    rm -rf "$root" "$root.partial" "$root.packages"
    mkdir -p "$roots"
    if ! mmdebstrap --quiet --variant=essential ${3:+--include="$3"} "$2" "$root.partial" >"$work/$1.log" 2>&1; then
      rm -rf "$root.partial"
      skip "cannot make $1 with mmdebstrap: $(tail -3 "$work/$1.log")"
    fi
    mv "$root.partial" "$root"
    echo "$wanted" >"$root.packages"
  fi
}
make_root debian12-no-qt bookworm libx11-6,libx11-xcb1,libxcb1,libgl1,libegl1,libopengl0,libfontconfig1,libfreetype6,libharfbuzz0b,fonts-dejavu-core
make_root debian13-qt6.8 trixie libqt6widgets6,qt6-qpa-plugins,fonts-dejavu-core
make_root debian11 bullseye
[ -z "$(find "$roots/debian12-no-qt/usr/lib" -name 'libQt6Core*' -print -quit)" ] || fail "the Debian 12 system holds Qt"

start_virtual_screen
stick=$work/stick

# start <root>: `sh /media/stick/dorvane-lite` in the system, in the background; its pid in $pid.
start() {
  rm -f "$work/info"
  bwrap --ro-bind "$roots/$1" / --dev /dev --proc /proc --tmpfs /tmp --tmpfs /home --tmpfs /run \
    --bind /tmp/.X11-unix /tmp/.X11-unix --tmpfs /media --bind "$stick" /media/stick --chdir /home \
    --clearenv --setenv HOME /home --setenv DISPLAY "$DISPLAY" --setenv LANG C.UTF-8 \
    --setenv PATH /usr/bin:/bin --setenv ASAN_OPTIONS detect_leaks=0 --setenv QT_DEBUG_PLUGINS 1 \
    --die-with-parent --info-fd 4 sh /media/stick/dorvane-lite >"$work/program.log" 2>&1 4>"$work/info" &
  program_pid=$!
  for _ in $(seq 50); do grep -q child-pid "$work/info" 2>/dev/null && break; sleep 0.1; done
  pid=$(grep -o '"child-pid": *[0-9]*' "$work/info" | grep -o '[0-9]*$') || fail "$1: bwrap did not start"
}
main="Velqor Dorvane Lite"
# wait_window <title> [count]: waits for <count> (1) visible windows of that title; the newest in $window.
wait_window() {
  local count=${2:-1}
  for _ in $(seq 150); do
    if [ "$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | wc -l)" -eq "$count" ]; then
      window=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | sort -n | tail -1)
      sleep 0.3
      return 0
    fi
    kill -0 "$program_pid" 2>/dev/null || fail "the program ended while waiting for '$1'"
    sleep 0.2
  done
  fail "no $count window(s) '$1' within 30 s"
}
keys() {
  xdotool windowfocus --sync "$window" 2>/dev/null || true
  xdotool key --delay 80 "$@"
  sleep 0.3
}
type_text() {
  xdotool windowfocus --sync "$window" 2>/dev/null || true
  xdotool type --delay 30 "$1"
}
stop_program() {
  wait_window "$main"
  keys Escape
  wait "$program_pid" || fail "the program ended with status $?"
  program_pid=""
}

# --- Debian 12 without Qt: the window opens, a link is added ---------------------------------
copy_to_stick "$portable" "$stick"
start debian12-no-qt
wait_window "$main"
keys ctrl+n
wait_window "Add Link"
keys Home Down Down Down Return Tab
type_text "Carried"
keys Tab
type_text "http://carried.example/"
keys Return
wait_window "Add Link" 2
keys Return
wait_window "Add Link"
keys Escape
stop_program
link="$stick/favorites/Internet Explorer/Carried.url"
[ "$(cat "$link" 2>/dev/null)" = "$(printf '[InternetShortcut]\r\nURL=http://carried.example/\r')" ] ||
  fail "Debian 12: the added link is not on the stick: $(ls -R "$stick/favorites" 2>&1)"
echo "check-portable: Debian 12 without Qt: the window opened, a link was added"

# --- Debian 13 with Qt 6.8: the folder's Qt only ---------------------------------------------
copy_to_stick "$portable" "$stick"
start debian13-qt6.8
wait_window "$main"
maps=$(cat "/proc/$pid/maps")
grep -q 'libQt6Core\.so\.6$' <<<"$maps" || fail "Debian 13: the folder's Qt is not loaded"
! grep -q 'libQt6[A-Za-z]*\.so\.6\.' <<<"$maps" || fail "Debian 13: the PC's Qt is loaded: $(grep -o '/[^ ]*libQt6[^ ]*' <<<"$maps" | sort -u)"
stop_program
grep -q '"/media/stick/lib/plugins/platforms/libqxcb.so" loaded library' "$work/program.log" ||
  fail "Debian 13: the folder's xcb platform was not loaded"
! grep 'loaded library' "$work/program.log" | grep -v '"/media/stick/lib/plugins/' ||
  fail "Debian 13: a plugin from outside the folder was loaded"
! grep -q '/usr/lib/x86_64-linux-gnu/qt6' "$work/program.log" || fail "Debian 13: the PC's Qt plugins were looked at"
echo "check-portable: Debian 13 with Qt 6.8: only the folder's Qt was loaded"

# --- Debian 11, below the floor: one line, nothing written ------------------------------------
copy_to_stick "$portable" "$stick"
before=$(cd "$stick" && find . | sort)
start debian11
status=0
wait "$program_pid" || status=$?
program_pid=""
[ "$status" -ne 0 ] || fail "Debian 11: the start command ended with success"
floor=$(sed -n 's/^glibc_floor=//p' "$portable/dorvane-lite")
[ "$(cat "$work/program.log")" = "Dorvane Lite needs glibc $floor or newer; this PC has 2.31" ] ||
  fail "Debian 11: the start command said: $(cat "$work/program.log")"
[ "$(cd "$stick" && find . | sort)" = "$before" ] || fail "Debian 11: the stick was written"
echo "check-portable: Debian 11: '$(cat "$work/program.log")'"
