#!/usr/bin/env bash
# The waiting window and the message box on a real X server (Xvfb), driven
# with xdotool; and the console stand-ins where no display can be opened.
# Run from the repository root after build/ has been built.
. "$(dirname "$0")/../lib/common.sh"

bash scripts/install_deps.sh xvfb xdotool x11-utils imagemagick libx11-dev libxft-dev >/dev/null

# The probe exists only where the X11 libraries were found at configure time.
cmake -S . -B "$build" >/dev/null
cmake --build "$build" -j2 --target scenario_builder window_probe >/dev/null

work=$(mktemp -d)
xvfb_pid=""
probe_pid=""
cleanup() {
  [ -n "$probe_pid" ] && kill "$probe_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# Retries a command for up to thirty seconds (Xvfb may take that long to
# start on a loaded machine).
eventually() {
  for _ in $(seq 300); do
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}

probe=$build/bin/window_probe
cp "$build/bin/scenario_builder" "$work/"

# The builder opens the window's libraries at run time; it links none.
if ldd "$work/scenario_builder" | grep -E 'libX11|libXft'; then
  fail_now "the builder links a window library"
fi

# --- Without a display: the label on standard output, the message on
# standard error, and nothing waits.
for display in "" ":97"; do
  DISPLAY=$display timeout 120 "$work/scenario_builder" >"$work/out" 2>"$work/err" || true
  grep -qx "Attendere" "$work/out" || fail_now "builder with DISPLAY='$display' did not print Attendere"
  printf 'box  Errore n. 1251\nclose\n' | DISPLAY=$display timeout 20 "$probe" >"$work/out" 2>"$work/err" ||
    fail_now "probe with DISPLAY='$display' did not end"
  grep -qx " Errore n. 1251" "$work/err" || fail_now "message not on standard error with DISPLAY='$display'"
done

# --- A virtual display.
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
exec 3>&-
eventually test -s "$work/display" || fail_now "Xvfb did not start"
export DISPLAY=":$(head -n1 "$work/display")"
eventually xdpyinfo || fail_now "cannot reach $DISPLAY"

# --- A display, but the font library is missing (hidden in a mount namespace
# of its own): the builder falls back to the console and still builds.
xft=$(ldconfig -p | awk '/libXft\.so\.2 / && !found {print $NF; found = 1}')
if [ -n "$xft" ] && unshare -m true 2>/dev/null; then
  unshare -m sh -c 'mount --bind /dev/null "$1" && exec timeout 120 "$2"' sh "$xft" "$work/scenario_builder" \
    >"$work/out" 2>"$work/err" || fail_now "builder without libXft: $(cat "$work/err")"
  grep -qx "Attendere" "$work/out" || fail_now "builder without libXft did not fall back to the console"
else
  echo "window check: cannot hide libXft here (no mount namespace); that case is not checked"
fi

# --- The builder: a top-level window of 280 x 179 is created, mapped and
# destroyed again before the program ends. Top-level windows are watched on
# the root; an xmessage window shows when the watcher is ready.
stdbuf -oL xev -root -event substructure >>"$work/xev" 2>&1 &
xev_pid=$!
xmessage -name watcher ready &
sync_pid=$!
eventually grep -q CreateNotify "$work/xev" || fail_now "xev does not see the root"
kill "$sync_pid" 2>/dev/null || true
wait "$sync_pid" 2>/dev/null || true
sleep 0.3
: >"$work/xev"
timeout 120 "$work/scenario_builder" >"$work/out" 2>"$work/err" || true
sleep 0.5
kill "$xev_pid" 2>/dev/null || true
wait "$xev_pid" 2>/dev/null || true
form=$(grep -o 'window 0x[0-9a-f]*, ([0-9-]*,[0-9-]*), width 280, height 179' "$work/xev" |
  head -n1 | awk '{print $2}' | tr -d ,)
[ -n "$form" ] || { cat "$work/xev"; fail_now "the builder created no 280 x 179 window"; }
grep -A1 '^MapNotify' "$work/xev" | grep "window $form," >/dev/null || fail_now "the builder's window was never shown"
grep -A1 '^DestroyNotify' "$work/xev" | grep "window $form$" >/dev/null || fail_now "the builder's window stayed"
grep -q "Attendere" "$work/out" && fail_now "the builder printed the label although a display was open"

# --- The probe: the window, its label, and the box closed three ways.
coproc PROBE { "$probe" 2>&1; }
probe_pid=$PROBE_PID
expect() {
  local line
  IFS= read -r -t 20 line <&"${PROBE[0]}" || fail_now "probe said nothing (expected '$1')"
  [ "$line" = "$1" ] || fail_now "probe said '$line', expected '$1'"
}
say() { echo "$1" >&"${PROBE[1]}"; }

expect "window shown"
form=$(xdotool search --name '^BORVALE 40617$' | sed -n 1p)
[ -n "$form" ] || fail_now "no window titled BORVALE 40617"
info=$(xwininfo -id "$form")
grep -q "Width: 280$" <<<"$info" || fail_now "window width: $info"
grep -q "Height: 179$" <<<"$info" || fail_now "window height: $info"
grep -q "Map State: IsViewable" <<<"$info" || fail_now "window not viewable"
xwininfo -id "$form" -children | grep '"Attendere": ()  [0-9]*x[0-9]*+64+64 ' >/dev/null ||
  fail_now "no label Attendere at 64, 64"
import -window "$form" "$work/window.png"
size=$(identify -format '%wx%h' "$work/window.png")
[ "$size" = "280x179" ] || fail_now "screenshot is $size"
# Dark ink where the label stands; a plain face around it.
ink=$(convert "$work/window.png" -crop 170x36+64+64 +repage -colorspace Gray -format '%[fx:minima]' info:)
face=$(convert "$work/window.png" -crop 60x60+0+0 +repage -colorspace Gray -format '%[fx:minima]' info:)
awk -v i="$ink" -v f="$face" 'BEGIN { exit !(i < 0.3 && f > 0.8) }' ||
  fail_now "label not painted (darkest label pixel $ink, darkest face pixel $face)"
cp "$work/window.png" "$build/window.png"

# Finds the box by its text and prints its OK button.
box_button() {
  local text parent
  text=$(xdotool search --name '^ Errore n\. 1250$' | sed -n 1p)
  [ -n "$text" ] || return 1
  parent=$(xwininfo -id "$text" -tree | awk '/Parent window id:/ {print $4}')
  xwininfo -id "$parent" -children | grep '"OK"' >/dev/null || return 1
  xwininfo -id "$parent" | grep "Map State: IsViewable" >/dev/null || return 1
  xwininfo -id "$parent" -children | awk '/"OK"/ {print $1}'
}
box_gone() { ! xdotool search --name '^ Errore n\. 1250$' >/dev/null; }
box_parent() {
  local text
  text=$(xdotool search --name '^ Errore n\. 1250$' | sed -n 1p)
  xwininfo -id "$text" -tree | awk '/Parent window id:/ {print $4}'
}

# 1: a click on OK, and only on OK, closes the box.
say "box  Errore n. 1250"
eventually box_button || fail_now "the box did not appear with its text and an OK button"
ok=$(box_button)
xdotool mousemove --window "$(box_parent)" 3 3 click 1
sleep 0.5
box_gone && fail_now "a click beside OK closed the box"
xdotool mousemove --window "$ok" 30 10 click 1
expect "box closed"
eventually box_gone || fail_now "the box stayed after OK"

# 2: Enter.
say "box  Errore n. 1250"
eventually box_button || fail_now "the box did not appear again"
xdotool key Return
expect "box closed"
eventually box_gone || fail_now "the box stayed after Enter"

# 3: the window's close button, as the window manager sends it.
say "box  Errore n. 1250"
eventually box_button || fail_now "the box did not appear a third time"
"$probe" -close "$(box_parent)"
expect "box closed"
eventually box_gone || fail_now "the box stayed after its close button"

# The waiting window goes away at the end.
say "close"
expect "window closed"
xdotool search --name '^BORVALE 40617$' >/dev/null && fail_now "the window stayed"
say "end"
wait "$probe_pid" || fail_now "probe ended badly"
probe_pid=""

echo "window check passed"
