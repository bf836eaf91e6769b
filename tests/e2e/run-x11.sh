#!/usr/bin/env bash
# End-to-end run of vantrel on a private Xvfb with the test tray:
#   the tray icon docks; hot keys put their rows' text on the clipboard (Num Lock off and
#   on); a double click on the icon shows the main window (saved as main-window.png); its
#   grid edits a check box and posts it to the database (main-window-edited.png); a
#   second start ends at once; the tray menu's "退出" ends the program with status 0.
# Usage: run-x11.sh VANTREL TEST_TRAY TEST_SHOT MAKE_SAMPLE_DB OUTPUT_DIR
# Exits 77 (skipped) when Xvfb is not installed. Every wait is bounded.
set -u
vantrel=$1 tray=$2 shot=$3 make_db=$4 out=$5

command -v Xvfb >/dev/null || { echo "Xvfb is not installed: skipped"; exit 77; }
for tool in xdotool xclip xwininfo; do
  command -v "$tool" >/dev/null || { echo "missing $tool (scripts/deps.sh installs it)"; exit 1; }
done

work=$(mktemp -d /tmp/vantrel-e2e.XXXXXX)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  for p in "${pids[@]}"; do
    for _ in $(seq 50); do kill -0 "$p" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$p" 2>/dev/null
  done
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAILED: $*"
  echo "--- tray log"; cat "$work/tray.log" 2>/dev/null
  [ -f "$work/tray2.log" ] && { echo "--- second tray log"; cat "$work/tray2.log"; }
  echo "--- vantrel log"; cat "$work/vantrel.log" 2>/dev/null
  exit 1
}
# wait_for SECONDS COMMAND...: retries the command until it succeeds.
wait_for() {
  local limit=$(( $1 * 10 )); shift
  for _ in $(seq "$limit"); do "$@" && return 0; sleep 0.1; done
  return 1
}
step() { echo "== $*"; }

# ---- display and tray ----
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
wait_for 20 test -s "$work/display" || fail "Xvfb did not start"
export DISPLAY=":$(head -n1 "$work/display")"
# A home of its own: settings, autostart entries and the single-copy lock stay in it.
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run"
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
step "Xvfb on $DISPLAY"

# ---- the program, beside its sample database, started before any tray runs ----
mkdir -p "$work/app"
ln "$vantrel" "$work/app/vantrel" 2>/dev/null || cp "$vantrel" "$work/app/vantrel" || fail "cannot copy vantrel"
"$make_db" "$work/app/data.mdb" >/dev/null || fail "make-sample-db failed"
(cd "$work/app" && exec ./vantrel) >"$work/vantrel.log" 2>&1 &
app=$!
pids+=($app)
step "without a tray it says so and keeps running"
wait_for 60 grep -q 'no system tray' "$work/vantrel.log" || fail "no word about the missing tray"
[ "$(grep -c 'no system tray' "$work/vantrel.log")" = 1 ] || fail "the missing tray was reported more than once"
kill -0 "$app" 2>/dev/null || fail "the program ended without a tray"

"$tray" >"$work/tray.log" 2>&1 &
pids+=($!)
wait_for 10 grep -q '^ready' "$work/tray.log" || fail "the test tray did not start"

step "the tray icon docks once a tray appears"
traylog="$work/tray.log"
wait_for 60 grep -q '^docked' "$work/tray.log" || fail "the icon did not dock"
read -r _ icon ix iy iw ih name < <(grep '^docked' "$work/tray.log" | tail -n1)
[ "$name" = "Vantrel" ] || fail "the icon's name is '$name', not the tip 'Vantrel'"
cx=$(( ix + iw / 2 )) cy=$(( iy + ih / 2 ))

step "hovering the icon shows its tip"
tip_shown() { timeout 5 xdotool search --onlyvisible --name '^vantrel tooltip$' >/dev/null 2>&1; }
timeout 5 xdotool mousemove 10 10 sleep 0.2 mousemove "$cx" "$cy"
wait_for 10 tip_shown || fail "no tip over the icon"
timeout 5 xdotool mousemove 10 10
wait_for 10 sh -c '! timeout 5 xdotool search --onlyvisible --name "^vantrel tooltip\$" >/dev/null 2>&1' ||
  fail "the tip stayed after the pointer left"

clipboard_is() { [ "$(timeout 3 xclip -o -selection clipboard 2>/dev/null)" = "$1" ]; }
hot_key() {  # KEYS EXPECTED-TEXT
  echo -n "something else" | timeout 5 xclip -i -selection clipboard
  wait_for 5 clipboard_is "something else" || fail "xclip could not take the clipboard"
  timeout 5 xdotool key --clearmodifiers "$1"
  wait_for 15 clipboard_is "$2" || fail "$1 did not put '$2' on the clipboard (it holds '$(timeout 3 xclip -o -selection clipboard 2>&1)')"
}
step "hot keys put their rows' text on the clipboard"
hot_key ctrl+alt+shift+h "Hello from Vantrel!"
hot_key ctrl+alt+shift+n "你好，世界！这是一段中文示例文本。"
hot_key ctrl+alt+shift+s "Best regards,
The Vantrel user"
hot_key ctrl+alt+shift+e "vantrel@example.com"
step "and with Num Lock on"
timeout 5 xdotool key Num_Lock
hot_key ctrl+alt+shift+h "Hello from Vantrel!"
hot_key ctrl+alt+shift+e "vantrel@example.com"
timeout 5 xdotool key Num_Lock

step "a second start ends at once while the first runs"
(cd "$work/app" && timeout 30 ./vantrel) >"$work/second.log" 2>&1
code=$?
[ "$code" = 0 ] || fail "the second start ended with $code"
kill -0 "$app" 2>/dev/null || fail "the first copy ended"

step "a double click on the icon shows the main window"
# The icon window carries the same name (the tip): it is not the one.
main_window() {
  timeout 5 xdotool search --onlyvisible --name '^Vantrel$' 2>/dev/null | grep -vx "$((icon))" | head -n1
}
timeout 5 xdotool mousemove "$cx" "$cy" click --repeat 2 --delay 60 1
wait_for 20 test -n "$(main_window)" || fail "the main window did not show"
win=$(main_window)
sleep 1  # let it finish painting before the picture is taken
"$shot" "$win" "$out/main-window.png" || fail "no screenshot of the main window"
step "saved $out/main-window.png"

step "the grid edits a row: a click, Edit and Space toggle a check box, Post writes it"
stored() { sqlite3 "$work/app/data.mdb" "$1" 2>/dev/null; }
[ "$(stored 'SELECT win FROM TSet WHERE ID = 1')" = 0 ] || fail "the first sample row should start without Win"
read -r wx wy < <(xwininfo -id "$win" | awk '/Absolute upper-left X:/ {x=$4} /Absolute upper-left Y:/ {print x, $4}')
# The navigator sits at (112, 8) with ten 24-pixel buttons: Edit is the seventh, Post the
# eighth. The grid starts below the 41-pixel top panel: an 11-pixel indicator, then the
# columns control 87, alt 70, shift 92, win 78, key 93; one title row, rows 18 high.
nav() { timeout 5 xdotool mousemove $(( wx + 112 + $1 * 24 + 12 )) $(( wy + 20 )) sleep 0.2 click 1; }
# The first row's key cell, then Edit (moving to another row would post and leave edit
# mode), then the check box beside it.
timeout 5 xdotool mousemove $(( wx + 11 + 87 + 70 + 92 + 78 + 30 )) $(( wy + 41 + 2 + 18 + 9 )) sleep 0.2 click 1
nav 6
timeout 5 xdotool sleep 0.3 key Left sleep 0.3 key space
nav 7
wait_for 10 sh -c "[ \"\$(sqlite3 '$work/app/data.mdb' 'SELECT win FROM TSet WHERE ID = 1')\" = 1 ]" ||
  fail "the toggled check box was not written (win = $(stored 'SELECT win FROM TSet WHERE ID = 1'))"
sleep 0.5
"$shot" "$win" "$out/main-window-edited.png" || fail "no screenshot of the edited grid"
step "saved $out/main-window-edited.png"

step "a new tray takes over and the icon docks in it"
"$tray" >"$work/tray2.log" 2>&1 &
pids+=($!)
wait_for 10 grep -q '^ready' "$work/tray2.log" || fail "the second test tray did not start"
wait_for 30 grep -q '^docked' "$work/tray2.log" || fail "the icon did not dock in the new tray"
read -r _ icon ix iy iw ih name < <(grep '^docked' "$work/tray2.log" | tail -n1)
cx=$(( ix + iw / 2 )) cy=$(( iy + ih / 2 ))
traylog="$work/tray2.log"

step "the tray menu's 退出 ends the program"
top_windows() {
  xwininfo -root -children 2>/dev/null | awk '/^ +0x/ {print $1}' | sort
}
before=$(top_windows)
timeout 5 xdotool mousemove "$cx" "$cy" click 3
popup=""
find_popup() {
  local w
  for w in $(comm -13 <(echo "$before") <(top_windows)); do
    if xwininfo -id "$w" 2>/dev/null | grep -q 'Map State: IsViewable'; then popup=$w; return 0; fi
  done
  for w in $(top_windows); do  # a popup window made earlier and shown again
    xwininfo -id "$w" 2>/dev/null | grep -q 'Override Redirect State: yes' || continue
    xwininfo -id "$w" 2>/dev/null | grep -q 'Map State: IsViewable' || continue
    [ "$(xwininfo -id "$w" | awk '/Width:/ {print $2}')" -gt 40 ] || continue
    grep -q "$w" "$traylog" && continue
    [ "$((w))" = "${win:-0}" ] && continue
    popup=$w; return 0
  done
  return 1
}
wait_for 10 find_popup || fail "the tray menu did not open"
geometry=$(xwininfo -id "$popup")
px=$(awk '/Absolute upper-left X:/ {print $4}' <<<"$geometry")
py=$(awk '/Absolute upper-left Y:/ {print $4}' <<<"$geometry")
pw=$(awk '/Width:/ {print $2}' <<<"$geometry")
ph=$(awk '/Height:/ {print $2}' <<<"$geometry")
# Two items of one height: "主界面" then "退出".
timeout 5 xdotool mousemove $(( px + pw / 2 )) $(( py + ph * 3 / 4 )) sleep 0.2 click 1
for _ in $(seq 300); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
kill -0 "$app" 2>/dev/null && fail "the program did not end after 退出"
wait "$app"
code=$?
[ "$code" = 0 ] || fail "the program ended with $code"
grep -q "^undocked $icon" "$traylog" || fail "the icon stayed in the tray"
echo "PASSED"
