# Helpers for driving the player in a real window under Xvfb.
# Source this file; it starts nothing by itself.
#
#   xvfb_start [WxHxD]      starts Xvfb -noreset on a free display from :50 up,
#                           exports DISPLAY, and a window manager when one is
#                           installed (maximizing needs one)
#   xvfb_stop               ends what xvfb_start and player_start started
#   player_start BIN ARGS   starts the player, waits for its main window;
#                           sets PLAYER_PID and PLAYER_WIN
#   window_count NAME       how many visible windows have this exact title
#   wait_window NAME [N]    waits until N (default 1) such windows are shown
#   shot FILE               screenshot of the whole screen
#   screen_size             "WxH" of the X screen as the server has it now
#   white_box FILE          "WxH+X+Y" of the pure white pixels in a screenshot
#   check NAME CMD...       runs CMD, prints "ok NAME" or "FAIL NAME", counts

E2E_PASSED=0
E2E_FAILED=0
E2E_PIDS=()

_e2e_free_display() {
  local n
  for n in $(seq 50 99); do
    if [ ! -e "/tmp/.X${n}-lock" ] && [ ! -e "/tmp/.X11-unix/X${n}" ]; then
      echo "$n"
      return 0
    fi
  done
  return 1
}

xvfb_start() {
  local geometry=${1:-1024x768x24} n tries
  for tries in 1 2 3; do
    n=$(_e2e_free_display) || { echo "no free X display" >&2; return 1; }
    # Without -noreset the server resets when its last client leaves, and a
    # client that connects at that moment is refused.
    Xvfb ":$n" -screen 0 "$geometry" -noreset -nolisten tcp >/dev/null 2>&1 &
    local pid=$!
    export DISPLAY=":$n"
    local i
    for i in $(seq 1 50); do
      if xdpyinfo_ok; then
        E2E_PIDS+=("$pid")
        if command -v openbox >/dev/null; then
          openbox --sm-disable >/dev/null 2>&1 &
          E2E_PIDS+=("$!")
          sleep 0.5
        fi
        return 0
      fi
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    kill "$pid" 2>/dev/null
  done
  echo "Xvfb did not start" >&2
  return 1
}

# The server answers (xrandr is there whenever the tests run; it needs no window).
xdpyinfo_ok() {
  xrandr --current >/dev/null 2>&1
}

xvfb_stop() {
  local i
  if [ -n "${PLAYER_PID:-}" ]; then
    kill "$PLAYER_PID" 2>/dev/null
    wait "$PLAYER_PID" 2>/dev/null
    PLAYER_PID=
  fi
  for ((i = ${#E2E_PIDS[@]} - 1; i >= 0; i--)); do
    kill "${E2E_PIDS[$i]}" 2>/dev/null
    wait "${E2E_PIDS[$i]}" 2>/dev/null
  done
  E2E_PIDS=()
}

player_start() {
  local bin=$1; shift
  "$bin" "$@" >"${E2E_LOG:-/dev/null}" 2>&1 &
  PLAYER_PID=$!
  PLAYER_WIN=$(xdotool search --sync --onlyvisible --pid "$PLAYER_PID" --name '^Qorix$' 2>/dev/null | head -n1)
  [ -n "$PLAYER_WIN" ]
}

# Ends the player if it still runs; true when it had ended by itself within the time.
player_wait_exit() {
  local i
  for i in $(seq 1 ${1:-30}); do
    kill -0 "$PLAYER_PID" 2>/dev/null || { wait "$PLAYER_PID" 2>/dev/null; PLAYER_PID=; return 0; }
    sleep 0.1
  done
  return 1
}

window_count() {
  xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | wc -l
}

wait_window() {
  local name=$1 want=${2:-1} i
  for i in $(seq 1 50); do
    [ "$(window_count "$name")" -ge "$want" ] && return 0
    sleep 0.1
  done
  return 1
}

wait_no_window() {
  local name=$1 want=${2:-0} i
  for i in $(seq 1 50); do
    [ "$(window_count "$name")" -le "$want" ] && return 0
    sleep 0.1
  done
  return 1
}

shot() {
  import -window root "$1" 2>/dev/null
}

screen_size() {
  xrandr --current 2>/dev/null | sed -n 's/.*current \([0-9]*\) x \([0-9]*\),.*/\1x\2/p' | head -n1
}

# Waits until the screen has the given size.
wait_screen_size() {
  local want=$1 i
  for i in $(seq 1 50); do
    [ "$(screen_size)" = "$want" ] && return 0
    sleep 0.1
  done
  return 1
}

white_box() {
  convert "$1" -fill black +opaque white -format '%@' info: 2>/dev/null
}

check() {
  local name=$1; shift
  if "$@"; then
    echo "ok   $name"
    E2E_PASSED=$((E2E_PASSED + 1))
  else
    echo "FAIL $name"
    E2E_FAILED=$((E2E_FAILED + 1))
  fi
}

# "X Y W H" of a window's client area on the screen.
client_geometry() {
  xwininfo -id "$1" 2>/dev/null | awk '
    /Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
    /^ *Width:/ {w=$NF} /^ *Height:/ {h=$NF}
    END {print x, y, w, h}'
}

# "X Y" of the top-left pure white pixel box inside a window's client area,
# relative to that client area, in a screenshot taken while it was shown.
client_white_origin() {
  local file=$1 x y w h
  read -r x y w h <<<"$2"
  convert "$file" -crop "${w}x${h}+${x}+${y}" +repage -fill black +opaque white -format '%@' info: 2>/dev/null |
    sed -n 's/^[0-9]*x[0-9]*+\([0-9]*\)+\([0-9]*\)$/\1 \2/p'
}

# The window manager's state atoms of a window, one line.
wm_state() {
  xprop -id "$1" _NET_WM_STATE 2>/dev/null
}

# True when the window asks for no frame (Motif hints, decorations 0).
borderless() {
  local hints
  hints=$(xprop -id "$1" _MOTIF_WM_HINTS 2>/dev/null) || return 1
  # flags, functions, decorations, ...: decorations is the third number.
  echo "$hints" | awk -F'= ' '{split($2, v, ", "); exit !((v[1] % 4) >= 2 && v[3] == 0)}'
}

# Two screenshots show the same picture.
same_picture() {
  local diff
  diff=$(compare -metric AE "$1" "$2" null: 2>&1) || true
  [ "${diff%% *}" = "0" ]
}
