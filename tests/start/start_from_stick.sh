#!/usr/bin/env bash
# Starts a copy of the portable folder the way a user starts it from a stick, with
# `sh <stick>/dorvane-lite`, on this PC with its own Qt, ICU, libcurl, SQLite and every other
# library the folder carries hidden (hide_pc_libraries): once from a drive that shows no exec bit,
# once from a drive mounted "noexec". Each time the main window must open, and setting.ini and
# favorites/ be written in the folder on the stick and nowhere else. Also checks that the
# folder needs no newer C and C++ libraries than the start command says.
# Usage: start_from_stick.sh <portable folder> <hide_pc_libraries>
set -euo pipefail

portable=$(realpath "${1:?usage: start_from_stick.sh <portable folder> <hide_pc_libraries>}")
hide=$(realpath "${2:?usage: start_from_stick.sh <portable folder> <hide_pc_libraries>}")
command -v Xvfb >/dev/null && command -v xdotool >/dev/null ||
  { echo "SKIP: Xvfb and xdotool are not installed (scripts/install-deps.sh)"; exit 77; }
[ "$(id -u)" -eq 0 ] || { echo "SKIP: hiding the PC's libraries needs root (mount namespaces)"; exit 77; }

work=$(mktemp -d)
unmount_all() { if mountpoint -q "$work/noexec"; then umount "$work/noexec"; fi; }
source "$(dirname "$0")/../testing/virtual_screen.sh"

# --- the floor the start command states is the one the folder's files need ------------------
newest() { find "$portable" -type f \( -name '*.so*' -o -name '*.bin' \) -exec objdump -p {} + 2>/dev/null |
  grep -o "$1[0-9.]*[0-9]" | sort -V | tail -1; }
glibc=$(newest 'GLIBC_2\.')
glibcxx=$(newest 'GLIBCXX_3\.')
grep -q "^glibc_floor=${glibc#GLIBC_}\$" "$portable/dorvane-lite" ||
  fail "the folder needs $glibc, the start command says: $(grep '^glibc_floor=' "$portable/dorvane-lite")"
grep -q "^glibcxx_floor=$glibcxx\$" "$portable/dorvane-lite" ||
  fail "the folder needs $glibcxx, the start command says: $(grep '^glibcxx_floor=' "$portable/dorvane-lite")"

start_virtual_screen
# as a Wayland desktop's session may have it; the folder carries the X11 platform only
export QT_QPA_PLATFORM=wayland
unset QT_PLUGIN_PATH LD_LIBRARY_PATH

# Hidden: every library the folder carries, but those the PC's own commands that the start
# command runs need (grep and cp, for one, read libpcre2-8): every PC has those.
tools=$(ldd $(command -v sh uname getconf grep cat cp mkdir mv rm chmod dirname) | awk '/=>/ {print $1}' | sort -u)
hidden=$(cd "$portable/lib" && find . -maxdepth 1 -type f -name 'lib*' -printf '%f\n' | sort | comm -23 - <(echo "$tools"))

# start_from <stick> <case> <where>: <where> is "stick" when the program must run from the stick,
# "copy" when from its copy in the cache folder.
start_from() {
  local stick=$1 case=$2 main="Velqor Dorvane Lite" window="" runs_from=$1
  export HOME=$work/$case/home XDG_CACHE_HOME=$work/$case/home/.cache XDG_CONFIG_HOME=$work/$case/home/.config
  mkdir -p "$HOME"
  [ "$3" = stick ] || runs_from=$XDG_CACHE_HOME/Velqor/dorvane-lite-$(cat "$stick/lib/layout-id")
  local before
  before=$(cd "$stick" && find . | sort)
  (cd "$work/$case" && exec "$hide" $hidden -- sh "$stick/dorvane-lite") >"$work/program.log" 2>&1 &
  program_pid=$!
  for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --name "^$main\$" 2>/dev/null | head -1) && [ -n "$window" ] && break
    kill -0 "$program_pid" 2>/dev/null || fail "$case: the program ended before its window opened"
    sleep 0.2
  done
  [ -n "$window" ] || fail "$case: no window '$main' within 20 s"
  grep -q "/$(basename "$runs_from")/lib/libQt6Core.so.6\$" "/proc/$program_pid/maps" ||
    fail "$case: the program does not run from $runs_from: $(grep -o '/[^ ]*Qt6Core[^ ]*' "/proc/$program_pid/maps" | head -1)"
  xdotool windowfocus --sync "$window" key Escape
  for _ in $(seq 100); do kill -0 "$program_pid" 2>/dev/null || break; sleep 0.1; done
  wait "$program_pid" || fail "$case: the program ended with status $?"
  program_pid=""

  local after
  after=$(cd "$stick" && find . -path ./favorites/\* -prune -o -print | sort)
  [ "$(comm -13 <(echo "$before") <(echo "$after") | paste -sd ' ')" = "./favorites ./setting.ini" ] ||
    fail "$case: the stick's folder changed other than by setting.ini and favorites/: $(diff <(echo "$before") <(echo "$after"))"
  grep -q '^Language=0409' "$stick/setting.ini" || fail "$case: setting.ini holds $(cat "$stick/setting.ini")"
  [ -z "$(ls -A "$work/$case" | grep -v '^home$')" ] || fail "$case: files left in the working folder: $(ls -A "$work/$case")"
  [ -z "$(cd "$HOME" && find . -mindepth 1 -not -path './.cache' -not -path './.cache/Velqor*')" ] ||
    fail "$case: files left in the home folder: $(cd "$HOME" && find .)"
  [ ! -e /usr/lib/x86_64-linux-gnu/setting.ini ] || fail "$case: setting.ini written in the loader's folder"
}

copy_to_stick "$portable" "$work/fat"
start_from "$work/fat" "no exec bit" stick

mkdir "$work/noexec"
mount -t tmpfs -o noexec,size=512m tmpfs "$work/noexec"
copy_to_stick "$portable" "$work/noexec/stick"
start_from "$work/noexec/stick" "noexec drive" copy
echo "start from a stick: passed (floor ${glibc} ${glibcxx})"
