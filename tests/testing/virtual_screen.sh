# Sourced by the scripts that start a copy of the portable folder as a user starts it from a
# stick, on a virtual X server. They set $work, a temporary folder, before sourcing this; it is
# removed at their end, after their own unmount_all, if they define one.

xvfb_pid=""
program_pid=""
cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  if declare -F unmount_all >/dev/null; then unmount_all; fi
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  cat "$work/program.log" >&2 2>/dev/null || true
  exit 1
}

# Starts Xvfb and exports its DISPLAY.
start_virtual_screen() {
  exec 3>"$work/display"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
  [ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
  DISPLAY=:$(head -1 "$work/display")
  export DISPLAY
}

# copy_to_stick <portable folder> <stick>: the folder as a FAT stick shows it: plain files, none
# executable, no settings or links yet.
copy_to_stick() {
  rm -rf "$2" && mkdir -p "$2"
  cp -R "$1"/. "$2"/
  rm -rf "$2/setting.ini" "$2/favorites"
  find "$2" -type f -exec chmod a-x {} +
}
