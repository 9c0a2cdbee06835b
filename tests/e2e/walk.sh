#!/usr/bin/env bash
# Copies the built program into a fresh portable folder, starts it under a virtual X
# server with a window manager that frames the windows, and uses it as a person would, by
# keyboard: adds a link, edits it, deletes another, imports from a Firefox profile, exports
# to Internet Explorer and closes the program. Then checks what it left on disk, and that
# three more starts and closes keep the window's size in setting.ini.
# Usage: walk.sh <folder of the built portable program>
set -euo pipefail

portable=${1:?usage: walk.sh <portable folder>}
for tool in Xvfb openbox xdotool; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed (scripts/install-deps.sh)"; exit 77; }
done

work=$(mktemp -d)
xvfb_pid=""
wm_pid=""
program_pid=""
cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  echo "visible windows:" >&2
  for w in $(xdotool search --onlyvisible --name . 2>/dev/null); do echo "$w $(xdotool getwindowname "$w")" >&2; done
  echo "focus: $(xdotool getwindowfocus 2>/dev/null)" >&2
  cat "$work/program.log" >&2
  exit 1
}

# --- a portable folder, a user and a browser of this PC, all below $work ---------------
app=$work/stick/app
mkdir -p "$app"
cp -R "$portable"/dorvane-lite "$portable"/dorvane-lite.bin "$portable"/lib "$portable"/*.dll "$app"/
export HOME=$work/home XDG_CACHE_HOME=$work/cache XDG_CONFIG_HOME=$work/config
export QT_QPA_PLATFORM=xcb
favorites=$HOME/Favorites
profile="$HOME/Application data/Mozilla/Firefox/Profiles/x.default"
mkdir -p "$favorites" "$profile" "$XDG_CONFIG_HOME/Velqor" "$app/favorites/Firefox"
printf 'Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders]\r\n"Favorites"="%s"\r\n' \
  "$favorites" >"$XDG_CONFIG_HOME/Velqor/registry.reg"
cat >"$profile/bookmarks.html" <<'EOF'
<!DOCTYPE NETSCAPE-Bookmark-file-1>
<TITLE>Bookmarks</TITLE>
<DL><p>
    <DT><A HREF="http://imported.example/" ADD_DATE="1113502144">Imported</A>
</DL><p>
EOF
printf '[InternetShortcut]\r\nURL=http://old.example/\r\n' >"$app/favorites/Firefox/Old.url"

# --- the virtual screen and the program ---------------------------------------------
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=:$(head -1 "$work/display")
# the window manager adds title bars and borders, as on a user's desktop
openbox --sm-disable >"$work/openbox.log" 2>&1 &
wm_pid=$!
for _ in $(seq 50); do xdotool get_num_desktops >/dev/null 2>&1 && break; sleep 0.1; done
xdotool get_num_desktops >/dev/null 2>&1 || fail "openbox did not start: $(cat "$work/openbox.log")"

sh "$app/dorvane-lite" >"$work/program.log" 2>&1 &
program_pid=$!

# --- what a person does: look for a window, press keys, type --------------------------
count_windows() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | wc -l; }
# Waits until <count> visible windows carry the title (a dialog and its message box may share one).
wait_windows() {
  local title=$1 count=${2:-1}
  for _ in $(seq 150); do
    if [ "$(count_windows "$title")" -eq "$count" ]; then
      sleep 0.3
      focus_newest
      return 0
    fi
    kill -0 "$program_pid" 2>/dev/null || fail "the program ended while waiting for '$title'"
    sleep 0.2
  done
  fail "waited 30 s for $count window(s) titled '$title', found $(count_windows "$title")"
}
# Hand the keyboard to the newest visible window (X numbers the windows of one program in
# the order it makes them), whatever the window manager thought of focusing.
focus_newest() {
  local newest
  newest=$(xdotool search --onlyvisible --name . 2>/dev/null | sort -n | tail -1)
  [ -n "$newest" ] && xdotool windowfocus "$newest" 2>/dev/null || true
  sleep 0.2
}
keys() {
  focus_newest
  xdotool key --delay 80 "$@"
  sleep 0.3
}
type_text() {
  focus_newest
  xdotool type --delay 30 "$1"
  sleep 0.2
}
# Answers the message box that the last step showed over a window of the same title.
answer() {
  local title=$1 count=$2 key=${3:-Return}
  wait_windows "$title" "$count"
  keys "$key"
  wait_windows "$title" $((count - 1))
}

main="Velqor Dorvane Lite"
wait_windows "$main"
main_geometry() { xdotool getwindowgeometry "$(xdotool search --onlyvisible --name "^$main\$" | head -1)"; }
first_geometry=$(main_geometry)

# Add: in the tree Home, Down, Down, Down and Enter open Internet Explorer (after Chrome and
# Firefox); Enter in the URL box presses Add.
keys ctrl+n
wait_windows "Add Link"
keys Home Down Down Down Return Tab
type_text "Walked"
keys Tab
type_text "http://walked.example/"
keys Return
answer "Add Link" 2
keys Escape
wait_windows "Add Link" 0
# closing a dialog gives the window its stored size again: it is the size it opened with
[ "$(main_geometry)" = "$first_geometry" ] || fail "the main window moved or changed size after a dialog:
$first_geometry
$(main_geometry)"

# Edit: open Internet Explorer, take its one link, rename it and change its URL, Save.
keys ctrl+e
wait_windows "Edit Link"
keys Home Down Down Down Return Tab space Tab ctrl+a
type_text "Renamed"
keys Tab ctrl+a
type_text "http://renamed.example/"
keys Return
answer "Edit Link" 2
keys Escape
wait_windows "Edit Link" 0

# Delete: open Firefox, take its one link, press Delete and answer Yes.
keys ctrl+d
wait_windows "Delete Links"
keys Home Down Down Return Tab space Delete
answer "Delete Links" 2 alt+y
answer "Deleting Links" 1
keys Escape
wait_windows "Delete Links" 0

# Import: the browser tree has the focus; FireFox is the source, the store's Firefox
# folder the destination. Each choice is its own step, so that the window has the
# keyboard again after the tree it hid while loading.
keys alt+t Return
wait_windows "Import Links"
keys Home Down Return
keys Tab Tab Tab Home Down Down Return
keys Tab space
answer "Import Links" 2
keys Escape
wait_windows "Import Links" 0

# Export: the store's Internet Explorer folder to Internet Explorer.
keys alt+t Down Return
wait_windows "Export Links"
keys Home Down Down Down Return
keys Tab Tab Tab Home Down Down Return
keys Tab space
answer "Export Links" 2
keys Escape
wait_windows "Export Links" 0

# Close with File, Exit.
keys alt+f Return
wait_for_end() {
  for _ in $(seq 100); do kill -0 "$program_pid" 2>/dev/null || break; sleep 0.2; done
  kill -0 "$program_pid" 2>/dev/null && fail "the program did not end after $1"
  wait "$program_pid" || fail "the program ended with status $?: $(cat "$work/program.log")"
  program_pid=""
}
wait_for_end "File, Exit"

# --- what the walk left on disk --------------------------------------------------------
expect_file() {
  [ -f "$1" ] || fail "missing $1"
  [ "$(cat "$1")" = "$(printf '%b' "$2")" ] || fail "$1 holds $(od -c "$1" | head -3)"
}
expect_file "$app/favorites/Internet Explorer/Renamed.url" '[InternetShortcut]\r\nURL=http://renamed.example/\r'
[ ! -e "$app/favorites/Internet Explorer/Walked.url" ] || fail "the edited link kept its old file"
[ ! -e "$app/favorites/Firefox/Old.url" ] || fail "the deleted link is still there"
expect_file "$app/favorites/Firefox/Imported.url" '[InternetShortcut]\r\nURL=http://imported.example/\r'
expect_file "$favorites/Renamed.url" '[InternetShortcut]\r\nURL=http://renamed.example/\r'
grep -q '^Left=[0-9]' "$app/setting.ini" || fail "setting.ini has no Left= line: $(cat "$app/setting.ini")"
! grep -q '^Left ' "$app/setting.ini" || fail "setting.ini writes a blank before '='"
for library in dv_langfile0409.dll dvlic_0409.dll; do
  [ ! -e "$XDG_CACHE_HOME/Velqor/temp/$library" ] || fail "the scratch folder still holds $library"
done

# --- the stored size is the outer size: starting and closing leaves it as it was -------
stored_size() { grep -E '^(Height|Width)=' "$app/setting.ini" | tr -d '\r' | paste -sd ' '; }
size_before=$(stored_size)
for start in 1 2 3; do
  sh "$app/dorvane-lite" >"$work/program.log" 2>&1 &
  program_pid=$!
  wait_windows "$main"
  keys Escape
  wait_for_end "Escape"
  [ "$(stored_size)" = "$size_before" ] || fail "start $start changed the stored size from $size_before to $(stored_size)"
done
echo "walk: passed ($size_before kept over three starts)"
