#!/usr/bin/env bash
# The player shell in a real window: the pop-up menu, shortcuts and keys, the
# close question, full screen with and without a real change of resolution,
# and the command-line argument. Screenshots go to $E2E_OUT for a person to see.
#
#   tests/e2e/test-shell.sh BUILD_DIR
set -uo pipefail
HERE=$(cd "$(dirname "$0")" && pwd)
BUILD=$(cd "${1:-$HERE/../../build}" && pwd)
PLAYER=$BUILD/qorix
MODES=$BUILD/xrandr-modes
OUT=${E2E_OUT:-$HERE/out}/shell
mkdir -p "$OUT"
source "$HERE/xvfb-helpers.sh"
E2E_SKIPPED=${E2E_SKIPPED:-0}
WORK=$(mktemp -d /tmp/qorix-e2e-XXXXXX)
MODES_PID=
finish() {
  [ -n "$MODES_PID" ] && kill "$MODES_PID" 2>/dev/null
  xvfb_stop
  rm -rf "$WORK"
}
trap finish EXIT

skip() {
  echo "skip $1"
  E2E_SKIPPED=$((E2E_SKIPPED + 1))
}

# The player's windows that are on the screen.
player_windows() {
  xdotool search --onlyvisible --pid "$PLAYER_PID" 2>/dev/null | sort
}

# Where the pure white of the title screen starts, relative to the client area.
title_origin() {
  local file=$1
  shot "$file"
  client_white_origin "$file" "$(client_geometry "$PLAYER_WIN")"
}

# Moves the pointer over the picture and gives the window the keyboard.
focus_player() {
  xdotool windowactivate --sync "$PLAYER_WIN" 2>/dev/null || xdotool windowfocus --sync "$PLAYER_WIN"
  sleep 0.2
}

# Asks the close question with KEY, answers No, and checks nothing changed.
close_question_no() {
  local key=$1 name=$2
  shot "$OUT/before-$name.png"
  xdotool key "$key"
  if ! wait_window Qorix 2; then
    echo "  no question after $key"
    return 1
  fi
  sleep 0.3
  shot "$OUT/question-$name.png"
  xdotool key alt+n
  wait_no_window Qorix 1 || return 1
  sleep 0.3
  shot "$OUT/after-$name.png"
  kill -0 "$PLAYER_PID" 2>/dev/null && same_picture "$OUT/before-$name.png" "$OUT/after-$name.png"
}

# ---- Without extra modes: the display cannot switch ---------------------------
xvfb_start 1024x768x24 || exit 1
player_start "$PLAYER" || { echo "FAIL the player starts"; exit 1; }
focus_player

read -r _ _ w h <<<"$(client_geometry "$PLAYER_WIN")"
check "start: a 640x480 window titled Qorix" test "${w}x${h}" = 640x480
read -r ox oy <<<"$(title_origin "$OUT/start.png")"
check "start: the title screen is drawn" test -n "${ox:-}"

before=$(player_windows)
read -r cx cy _ _ <<<"$(client_geometry "$PLAYER_WIN")"
xdotool mousemove $((cx + 320)) $((cy + 200)) click 3
sleep 0.6
shot "$OUT/menu.png"
after=$(player_windows)
check "right click opens the pop-up menu" test "$(echo "$after" | wc -l)" -gt "$(echo "$before" | wc -l)"
xdotool key Escape
sleep 0.3

xdotool key ctrl+v
check "Ctrl+V shows the version box" wait_window 'ﾊﾞｰｼﾞｮﾝ情報'
sleep 0.3
shot "$OUT/about.png"
xdotool key Return
check "its OK button closes it" wait_no_window 'ﾊﾞｰｼﾞｮﾝ情報'
focus_player

check "\"d\" asks to close and No leaves everything" close_question_no d key-d
check "Delete asks to close and No leaves everything" close_question_no Delete key-delete

xdotool key F2
sleep 1.5
read -r fx fy fw fh <<<"$(client_geometry "$PLAYER_WIN")"
shot "$OUT/f2-no-mode.png"
check "F2 without an 800x600 mode leaves the display at 1024x768" test "$(screen_size)" = 1024x768
check "F2 gives a borderless window" borderless "$PLAYER_WIN"
check "F2 gives a maximized window" grep -q MAXIMIZED_HORZ <<<"$(wm_state "$PLAYER_WIN")"
check "F2 window covers the screen" test "$fx $fy ${fw}x$fh" = "0 0 1024x768"
read -r px py <<<"$(client_white_origin "$OUT/f2-no-mode.png" "$fx $fy $fw $fh")"
check "F2 puts the panel at (80, 60)" test "$((px - ox)) $((py - oy))" = "80 60"

xdotool key F1
sleep 1.5
read -r _ _ w h <<<"$(client_geometry "$PLAYER_WIN")"
check "F1 gives back the 640x480 window" test "${w}x${h}" = 640x480
check "F1 gives back the frame" test -z "$(borderless "$PLAYER_WIN" && echo yes)"
read -r sx sy <<<"$(title_origin "$OUT/f1.png")"
check "F1 puts the panel at (0, 0)" test "$sx $sy" = "$ox $oy"
kill "$PLAYER_PID"; wait "$PLAYER_PID" 2>/dev/null; PLAYER_PID=

# ---- With 640x480 and 800x600 modes: the resolution really switches -----------
"$MODES" >"$WORK/modes.out" 2>&1 &
MODES_PID=$!
for _ in $(seq 1 30); do grep -q ready "$WORK/modes.out" 2>/dev/null && break; sleep 0.1; done
check "the helper adds 640x480 and 800x600" grep -q ready "$WORK/modes.out"

player_start "$PLAYER" || { echo "FAIL the player starts"; exit 1; }
focus_player
xdotool key F2
check "F2 switches the screen to 800x600" wait_screen_size 800x600
sleep 1
read -r fx fy fw fh <<<"$(client_geometry "$PLAYER_WIN")"
shot "$OUT/f2-800.png"
check "the window fills the 800x600 screen" test "$fx $fy ${fw}x$fh" = "0 0 800x600"
read -r px py <<<"$(client_white_origin "$OUT/f2-800.png" "$fx $fy $fw $fh")"
check "the panel is at (80, 60) on it" test "$((px - ox)) $((py - oy))" = "80 60"

xdotool key F3
check "F3 then switches to 640x480" wait_screen_size 640x480
sleep 1
read -r px py <<<"$(title_origin "$OUT/f3-640.png")"
check "the panel is at (0, 0) on it" test "$px $py" = "$ox $oy"

xdotool key F1
check "F1 brings the start-up size back" wait_screen_size 1024x768
sleep 1
read -r _ _ w h <<<"$(client_geometry "$PLAYER_WIN")"
check "and the 640x480 window" test "${w}x${h}" = 640x480
shot "$OUT/f1-back.png"

xdotool key F2
wait_screen_size 800x600
sleep 1
check "\"d\" in full screen asks and No keeps 800x600" close_question_no d key-d-full
check "the display is still 800x600" test "$(screen_size)" = 800x600
xdotool key Delete
wait_window Qorix 2
xdotool key alt+y
check "closing ends the program" player_wait_exit 50
check "closing from full screen brings the start-up size back" wait_screen_size 1024x768

# The window's close box takes the same way.
player_start "$PLAYER" || { echo "FAIL the player starts"; exit 1; }
focus_player
xdotool key F3
wait_screen_size 640x480
sleep 1
xdotool key alt+F4
check "the close box asks" wait_window Qorix 2
xdotool key alt+y
ended_at_start_size() { player_wait_exit 50 && wait_screen_size 1024x768; }
check "and Yes ends the program at the start-up size" ended_at_start_size
kill "$MODES_PID" 2>/dev/null; wait "$MODES_PID" 2>/dev/null; MODES_PID=

# ---- The command-line argument ------------------------------------------------
printf 'Story\r\nThe first line.\r\n' >"$WORK/story.Txt"
"$PLAYER" "$WORK/story.Txt" >/dev/null 2>&1 &
PLAYER_PID=$!
check "a mixed-case .Txt argument gives the extension message" wait_window Qorix 1
sleep 0.5
shot "$OUT/extension-message.png"
box=$(xdotool search --onlyvisible --pid "$PLAYER_PID" --name '^Qorix$' | head -n1)
read -r _ _ bw bh <<<"$(client_geometry "$box")"
check "the message comes before the window, in a small box" test "$bw" -lt 640 -a "$bh" -lt 480
xdotool key Return
check "then the window opens without a scenario" wait_window Qorix 1
kill "$PLAYER_PID"; wait "$PLAYER_PID" 2>/dev/null; PLAYER_PID=

cp "$WORK/story.Txt" "$WORK/story.txt"
"$PLAYER" "$WORK/story.txt" >/dev/null 2>&1 &
PLAYER_PID=$!
first=$(xdotool search --sync --onlyvisible --pid "$PLAYER_PID" 2>/dev/null | head -n1)
title=$(xdotool getwindowname "$first" 2>/dev/null)
sleep 0.5
shot "$OUT/argument.png"
if [ "$title" = Story ]; then
  check "a scenario argument is open when the window first shows" true
  PLAYER_WIN=$first
  focus_player
  xdotool key ctrl+f
  check "Ctrl+F opens the open dialog" wait_window 'ScenarioFile読み込み'
  sleep 0.5
  shot "$OUT/open-dialog.png"
  xdotool key Escape
else
  # Opening scenarios lives in the scenario files work; without it the
  # window keeps the product name and the open dialog has no command.
  skip "a scenario argument is open when the window first shows (no scenario opening in this build: \"$title\")"
  skip "Ctrl+F opens the open dialog (no scenario opening in this build)"
fi
kill "$PLAYER_PID"; wait "$PLAYER_PID" 2>/dev/null; PLAYER_PID=

echo "shell: $E2E_PASSED passed, $E2E_FAILED failed, $E2E_SKIPPED skipped"
[ "$E2E_FAILED" -eq 0 ]
