#!/usr/bin/env bash
# Plays the demo sound novel in a real window as a reader would, with keys and
# the mouse: every answer of both choices, a bookmark saved, the program quit
# and started again, the bookmark loaded, the previous page re-read, and the
# end that starts the story again. Screens at fixed points are compared with
# the pictures in tests/e2e/reference/.
#
#   tests/e2e/test-demo.sh BUILD_DIR
#   E2E_UPDATE_REFERENCE=1 tests/e2e/test-demo.sh BUILD_DIR   (writes them anew)
set -uo pipefail
HERE=$(cd "$(dirname "$0")" && pwd)
ROOT=$(cd "$HERE/../.." && pwd)
BUILD=$(cd "${1:-$ROOT/build}" && pwd)
REF=$HERE/reference
OUT=${E2E_OUT:-$HERE/out}/demo
UPDATE=${E2E_UPDATE_REFERENCE:-0}
mkdir -p "$OUT"
rm -f "$OUT"/*.png
source "$HERE/xvfb-helpers.sh"
# No sound card is needed: the mixer plays into the silent driver.
export SDL_AUDIODRIVER=dummy
unset QT_QPA_PLATFORM

# The player and a copy of the demo in a folder of their own: the save file,
# the recent list and the working copy start fresh and stay out of the tree.
WORK=$(mktemp -d /tmp/qorix-demo-XXXXXX)
cp "$BUILD/qorix" "$WORK/qorix"
cp -r "$ROOT/examples/demo" "$WORK/demo"
rm -f "$WORK"/demo/*.ssv
SCENARIO=$WORK/demo/demo.snr
SAVE=$WORK/demo/demo.ssv
TITLE='放課後の坂道　― Qorix デモ ―'
finish() {
  xvfb_stop
  rm -rf "$WORK"
}
trap finish EXIT

# A screen is taken as settled when it has not changed for this long: longer
# than any pause of the demo (.t 800 at most) and than the 800 ms after which
# the player takes clicks again.
STILL_MS=1300
POLL_S=0.2

start_demo() {
  "$WORK/qorix" "$SCENARIO" >>"$OUT/player.log" 2>&1 &
  PLAYER_PID=$!
  PLAYER_WIN=$(xdotool search --sync --onlyvisible --pid "$PLAYER_PID" 2>/dev/null | head -n1)
  [ -n "$PLAYER_WIN" ] || return 1
  # Keep the pointer off the window, so the answer buttons keep their colour.
  xdotool mousemove 0 0
  focus_player
}

focus_player() {
  xdotool windowactivate --sync "$PLAYER_WIN" 2>/dev/null || xdotool windowfocus --sync "$PLAYER_WIN" 2>/dev/null
}

# The 640x480 client area as raw RGB into $1.
grab_raw() {
  local x y
  read -r x y _ _ <<<"$(client_geometry "$PLAYER_WIN")"
  import -window root -crop "640x480+$x+$y" +repage -depth 8 "rgb:$1" 2>/dev/null
}

screen_hash() {
  grab_raw "$WORK/now.rgb" && md5sum <"$WORK/now.rgb" | cut -d' ' -f1
}

# Waits until the screen stays the same for STILL_MS; saves it as $OUT/$1.png
# when a name is given. Fails after 40 s of change (a pan lasts about 5 s).
settle() {
  local last="" same_since now h i
  same_since=$(date +%s%3N)
  for i in $(seq 1 200); do
    h=$(screen_hash)
    now=$(date +%s%3N)
    if [ "$h" != "$last" ]; then
      last=$h
      same_since=$now
    elif [ $((now - same_since)) -ge "$STILL_MS" ]; then
      [ -n "${1:-}" ] && convert -size 640x480 -depth 8 "rgb:$WORK/now.rgb" "$OUT/$1.png"
      LAST_HASH=$h
      return 0
    fi
    sleep "$POLL_S"
  done
  echo "  the screen did not settle" >&2
  return 1
}

# Runs an input ($@, an xdotool command) on the settled screen and waits for
# the screen to change and settle again. An input that changed nothing within
# 3 s is given once more (the player drops input for a moment after a pause).
advance() {
  local before h i try
  before=$(screen_hash)
  for try in 1 2; do
    focus_player
    xdotool "$@"
    for i in $(seq 1 15); do
      sleep "$POLL_S"
      h=$(screen_hash)
      [ "$h" != "$before" ] && { settle; return; }
    done
  done
  echo "  nothing changed after: $*" >&2
  return 1
}

key() { advance key "$1"; }

# Clicks at (X, Y) of the client area.
click_at() {
  local cx cy
  read -r cx cy _ _ <<<"$(client_geometry "$PLAYER_WIN")"
  advance mousemove $((cx + $1)) $((cy + $2)) click 1
}

# Answer buttons A, B and C: their middles in the client area.
ANSWER_Y=425
ANSWER_A=137
ANSWER_C=497

# Opens the menu with the right mouse button over the picture and takes its
# entry DOWN places down; with SUB, the entry SUB places down in that entry's
# submenu.
menu_pick() {
  local down=$1 sub=${2:-0} cx cy before i
  read -r cx cy _ _ <<<"$(client_geometry "$PLAYER_WIN")"
  focus_player
  before=$(xdotool search --onlyvisible --pid "$PLAYER_PID" 2>/dev/null | wc -l)
  xdotool mousemove $((cx + 320)) $((cy + 300)) click 3
  for i in $(seq 1 30); do
    [ "$(xdotool search --onlyvisible --pid "$PLAYER_PID" 2>/dev/null | wc -l)" -gt "$before" ] && break
    sleep 0.1
  done
  sleep 0.3
  xdotool key --delay 100 $(printf 'Down %.0s' $(seq 1 "$down"))
  if [ "$sub" -gt 0 ]; then
    xdotool key Right
    sleep 0.3
    [ "$sub" -gt 1 ] && xdotool key --delay 100 $(printf 'Down %.0s' $(seq 2 "$sub"))
  fi
  xdotool key Return
}
# Places in the menu: ▼, ScenarioFile読み込み, セーブ, ロード, ...
MENU_SAVE=3
MENU_LOAD=4

# Presses Space N times, each time waiting for the screen to settle.
clicks() {
  local i
  for i in $(seq 1 "$1"); do key space || return 1; done
}

# A message box of the player shows, is answered with KEY and goes away.
answer_box() {
  local key=$1 i
  for i in $(seq 1 50); do
    [ "$(xdotool search --onlyvisible --pid "$PLAYER_PID" 2>/dev/null | wc -l)" -ge 2 ] && break
    sleep 0.1
  done
  [ "$i" -lt 50 ] || { echo "  no message box" >&2; return 1; }
  sleep 0.3
  xdotool key "$key"
  for i in $(seq 1 50); do
    [ "$(xdotool search --onlyvisible --pid "$PLAYER_PID" 2>/dev/null | wc -l)" -le 1 ] && { focus_player; return 0; }
    sleep 0.1
  done
  return 1
}

# Text lines and answer buttons: where font antialiasing may differ a little.
TEXT_AREAS=("rectangle 58,48 645,402" "rectangle 53,409 582,441")
# The first text line with its shadow.
FIRST_LINE=590x36+56+48

# Compares $OUT/NAME.png with reference/NAME.png: pixel for pixel outside the
# text, within a small tolerance inside it. With CROP (WxH+X+Y) only that part
# of the screen, all text, is kept and compared.
matches_reference() {
  local name=$1 crop=${2:-} shot="$OUT/$1.png" ref="$REF/$1.png" ae area draw=()
  if [ -n "$crop" ]; then
    convert "$shot" -crop "$crop" +repage "$OUT/$name-line.png" && mv "$OUT/$name-line.png" "$shot"
  fi
  if [ "$UPDATE" = 1 ]; then
    mkdir -p "$REF"
    convert "$shot" -strip -define png:compression-level=9 "$ref"
    return 0
  fi
  [ -f "$ref" ] || { echo "  no reference $ref" >&2; return 1; }
  if [ -z "$crop" ]; then
    for area in "${TEXT_AREAS[@]}"; do draw+=(-draw "$area"); done
    ae=$(compare -metric AE "$(masked "$shot" shot "${draw[@]}")" "$(masked "$ref" ref "${draw[@]}")" null: 2>&1)
    if [ "${ae%% *}" != 0 ]; then
      compare "$shot" "$ref" "$OUT/$name-diff.png" 2>/dev/null
      echo "  $name: ${ae%% *} pixels differ outside the text" >&2
      return 1
    fi
  fi
  # Glyph edges may differ slightly where another build of the fonts or of
  # FreeType draws them; a missing or different word changes far more.
  ae=$(compare -metric AE -fuzz 25% "$shot" "$ref" null: 2>&1)
  ae=${ae%% *}
  if ! [ "${ae%.*}" -le 150 ] 2>/dev/null; then
    compare -fuzz 25% "$shot" "$ref" "$OUT/$name-diff.png" 2>/dev/null
    echo "  $name: $ae pixels of the text differ" >&2
    return 1
  fi
}

# A copy of picture $1, named after $2, with the areas of the drawing
# commands that follow painted black; prints the copy's name.
masked() {
  local src=$1 dst="$WORK/masked-$2.png"; shift 2
  convert "$src" -fill black "$@" "$dst" && echo "$dst"
}

# Settles, saves the screen as NAME and compares it with its reference.
check_screen() {
  local what=$1 name=$2
  settle "$name" || { check "$what" false; return; }
  check "$what" matches_reference "$name" "${3:-}"
}

same_as() { same_picture "$OUT/$1.png" "$OUT/$2.png"; }

# Settles, saves the screen as NAME and checks it is the screen saved as EARLIER.
check_same() {
  local what=$1 name=$2 earlier=$3
  settle "$name" || { check "$what" false; return; }
  check "$what" same_as "$name" "$earlier"
}

# Line N (1-based) of the save file, without its CR.
save_line() { sed -n "$1p" "$SAVE" | tr -d '\r'; }

# ---- First run: a fresh save file ---------------------------------------------
xvfb_start 1024x768x24 || exit 1
start_demo || { echo "FAIL the player starts with the demo"; exit 1; }
check "the window is titled with the demo's title line" test "$(xdotool getwindowname "$PLAYER_WIN")" = "$TITLE"
read -r _ _ w h <<<"$(client_geometry "$PLAYER_WIN")"
check "the window's client area is 640x480" test "${w}x$h" = 640x480
check_screen "the first text shows right after opening" open
check "a fresh save file of 139 lines is made beside the scenario" test "$(wc -l <"$SAVE" 2>/dev/null)" = 139

# Dialogue and paragraphs wait, a chime with a pause, a page break, a page of
# eleven lines that waits at its tenth; persons come in one by one.
clicks 12
check_screen "three answers; four persons at left, centre and right" choice-three

key r
check_screen "\"r\" shows the full page before in silver, without the answers" reread
key space
check_same "a click brings the page and its answers back" choice-back choice-three

focus_player
xdotool key s
check "\"s\" saves bookmark は and says so" answer_box Return
check "the bookmark holds the pending choice" test "$(save_line 123)" = ABC
check_same "saving leaves the screen as it was" choice-saved choice-three

# The hill: a fade to the night sky with the MIDI tune, a sub picture, a pan
# up a tall picture, a tint toward white.
key 1
key space
check_screen "answer 1 fades to the hill; the letter is the sub picture" letter
clicks 4
settle after-pan
key space
check_screen "the tall picture panned up, then tinted toward white" white
clicks 2
key 1
key space
check_screen "story flag f01 set on the hill is on at the end" flag-on "$FIRST_LINE"
key space
check_screen "the end" end "$FIRST_LINE"
key space
settle blank
check "the end writes global flag g00 into the save file" test "$(save_line 1 | cut -c1)" = 1

# Quit: the close question, answered Yes.
focus_player
xdotool key d
check "\"d\" asks to close; Yes ends the program" answer_box alt+y
check "the program has ended" player_wait_exit 50
check "the recent list in the program's folder names the demo" test "$(head -n1 "$WORK/mepla.rdf" | tr -d '\r')" = "$SCENARIO"
check "the working copy is written in the program's folder" test -s "$WORK/tempsnr"

# ---- Second run: the global flag greets, the bookmark takes us back ----------
start_demo || { echo "FAIL the player starts again"; exit 1; }
check_screen "global flag g00 from the save file: a greeting first" again
focus_player
xdotool key l
check "\"l\" loads bookmark は and says so" answer_box Return
check_same "the bookmark brings the choice back as it was" choice-loaded choice-three

# The town: the OGG music and a pan along a wide picture.
key 2
clicks 3
check_screen "answer 2: the town after its pan; four persons; two answers" town
key 2
key space
check_screen "without the letter story flag f01 is off" flag-off "$FIRST_LINE"
clicks 2
check_same "the end resets the screen" blank-2 blank

# ---- The end starts again: the third answer, with the mouse -----------------
key space
check_same "a click after the end starts the story again with the greeting" again-2 again
key space
check_same "then its first page" open-2 open
# The way to the choice is known by now: the bookmark takes us there.
focus_player
xdotool key l
answer_box Return
check_same "bookmark は still leads to the choice of three" choice-three-2 choice-three
click_at "$ANSWER_C" "$ANSWER_Y"
check_screen "answer C by mouse: darker, a new picture, brighter again" home
for _ in 1 2 3 4 5; do click_at 320 300 || break; done
settle choice-two-home

# Bookmark い through the menu, with the mouse.
menu_pick "$MENU_SAVE" 1
check "the menu's セーブ > しおり「い」 saves bookmark い" answer_box Return
check "bookmark い holds the pending choice" test "$(save_line 31)" = ABC
click_at "$ANSWER_A" "$ANSWER_Y"
clicks 3
check_same "answer A by mouse, and the end again" blank-3 blank
menu_pick "$MENU_LOAD" 1
check "the menu's ロード > しおり「い」 loads bookmark い" answer_box Return
check_same "bookmark い brings back the choice of two" choice-two-loaded choice-two-home
click_at "$ANSWER_A" "$ANSWER_Y"
check_screen "the answer after a load goes on from there" promise "$FIRST_LINE"

echo "demo: $E2E_PASSED passed, $E2E_FAILED failed"
[ "$E2E_FAILED" -eq 0 ]
