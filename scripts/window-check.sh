#!/usr/bin/env bash
# The real-window check: installs the release build into a scratch prefix, starts the
# installed `zantor` under Xvfb in a copy of the sample world with a scratch settings
# store, and drives it like a user with the keyboard:
#
#   1. waits for the window "Zantor | v3.5", takes a screenshot and checks that the
#      window system was given the program's icon in its three sizes;
#   2. types the copy's item folder into "Directory:" and presses Tab, which lists it;
#   3. selects the first entry of the item list with the arrow keys and presses Enter,
#      which opens it (the caption then names the file) and takes a second screenshot;
#   4. presses "Save" and checks the bytes on disk: the item file and pro_item.msg are
#      rewritten (new files, the item read-only) with exactly the bytes they had;
#   5. opens "Options..." by keyboard, takes screenshots of both pages of the
#      configuration window and leaves it with Esc;
#   6. opens an item of each type with a page of its own by keyboard, at the place that
#      `zantor-cli list` gives it, and takes a screenshot of the common page and of
#      each type page, and one of the projectile file list opened, which must show
#      only some of its 256 entries;
#   7. presses Esc, which clicks "Close", and checks that the program ended and that the
#      filters and the item folder are in the settings store.
#
# Usage: scripts/window-check.sh [BUILD_DIR]   (default build/release, already built)
# Screenshots and the program's output go to build/artifacts/. Exits non-zero with a
# message naming the step that failed.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$here/build/release}"
artifacts="$here/build/artifacts"
title='Zantor | v3.5'

step="setting up"
fail() {
  echo "window check failed while $step: $*" >&2
  [ -s "${log:-}" ] && { echo "--- zantor's output:" >&2; tail -n 40 "$log" >&2; }
  exit 1
}

for tool in Xvfb xdotool xprop import cmake cmp stat; do
  command -v "$tool" >/dev/null || fail "$tool is not installed (scripts/setup.sh installs it)"
done
[ -x "$build/src/app/zantor" ] || fail "no editor in $build: build it first (cmake --workflow --preset release)"

work="$(mktemp -d -t zantor-check.XXXXXX)"
xvfb_pid="" app_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  chmod -R u+w "$work" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$artifacts"
log="$artifacts/zantor-output.txt"
: >"$log"

# --- What the program runs on: an installed copy, a world of its own, a fresh store. ---
step="installing the build"
cmake --install "$build" --prefix "$work/prefix" >/dev/null || fail "cmake --install did not succeed"
zantor="$work/prefix/bin/zantor"
cli="$work/prefix/bin/zantor-cli"
[ -x "$zantor" ] && [ -x "$cli" ] || fail "the install has no bin/zantor or bin/zantor-cli"

world="$work/sample"    # the program's current folder: its default files/ and items/
pristine="$work/pristine"
mkdir -p "$world" "$pristine"
cp -r "$here/sample/files" "$here/sample/items" "$world/"
cp -r "$here/sample/files" "$here/sample/items" "$pristine/"
folder="$world/items"
export XDG_CONFIG_HOME="$work/config"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
store="$XDG_CONFIG_HOME/zantor-store"

# --- An X server of its own; -displayfd picks a free display number. ---
step="starting Xvfb"
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
exec 3>&-
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(tr -d '[:space:]' <"$work/display")"

step="starting zantor"
(cd "$world" && QT_QPA_PLATFORM=xcb exec "$zantor") >>"$log" 2>&1 &
app_pid=$!

# Polls a command for up to $1 seconds.
within() {
  local seconds=$1
  shift
  for _ in $(seq $((seconds * 10))); do
    "$@" && return 0
    kill -0 "$app_pid" 2>/dev/null || fail "zantor ended unexpectedly"
    sleep 0.1
  done
  return 1
}
caption_names_item() { xdotool getwindowname "$wid" 2>/dev/null | grep -q '^Zantor | .* - '; }
find_window() { wid="$(xdotool search --onlyvisible --name "^Zantor \\| v3\\.5\$" 2>/dev/null | head -n 1)" && [ -n "$wid" ]; }

step="waiting for the window \"$title\""
wid=""
within 20 find_window || fail "no visible window titled \"$title\" within 20 seconds"
# There is no window manager: give the window the keyboard focus directly.
xdotool windowfocus --sync "$wid"
sleep 1 # let the first paint finish
import -window root "$artifacts/screen-start.png" || fail "import could not take the screenshot"
eval "$(xdotool getwindowgeometry --shell "$wid")" # X, Y, WIDTH, HEIGHT of the window

step="reading the window icon"
# The window system is given the program's icon in each size the program carries.
icons="$(xprop -len 4000000 -id "$wid" _NET_WM_ICON | grep -o 'Icon ([0-9]* x [0-9]*)' | tr '\n' ' ')"
[ "$icons" = "Icon (32 x 32) Icon (48 x 48) Icon (128 x 128) " ] ||
  fail "the window icon holds ${icons:-no pictures}instead of 32, 48 and 128 pixels"

# Clicks at a point given relative to the window's top left corner.
click_at() { xdotool mousemove --window "$wid" "$1" "$2" click 1; sleep 0.3; }
# Real key events (XTEST) to the window that has the focus.
key() { xdotool key --delay 60 "$@"; sleep 0.3; }

# --- List the folder and open its first entry, by keyboard. ---
step="typing the item folder into \"Directory:\""
# "Directory:" has no accelerator. A click into the item list, which is empty until the
# first listing and fills the middle of the window's lower half, gives the list the
# focus; Shift+Tab then goes back through the browse button to the "Directory:" field.
click_at 150 $((HEIGHT - 110))
key shift+Tab shift+Tab ctrl+a
xdotool type --delay 20 "$folder"
# Leaving the field lists the folder: Tab goes to the browse button, a second Tab to
# the item list.
key Tab
sleep 1
key Tab

step="opening the first entry of the item list"
# Down then Up ends on the first entry whether or not the list had a current entry.
key Down Up
key Return
within 10 caption_names_item || fail "the caption did not change to the opened item's name: \"$(xdotool getwindowname "$wid")\""
caption="$(xdotool getwindowname "$wid")"
file="${caption:9:12}" # the caption: "Zantor | ", the path's last 12 characters, " - ", the name
item="$folder/$file"
[ -f "$item" ] || fail "the caption \"$caption\" names no file of $folder"
echo "opened $file ($caption)"
import -window root "$artifacts/screen-item.png"
import -window "$wid" "$artifacts/window-item.png" # the README's docs/screenshot.png

# --- Save, and check what is on disk. ---
step="saving $file"
inode_before="$(stat -c %i "$item")"
msg_inode_before="$(stat -c %i "$world/files/pro_item.msg")"
# "Save" has no accelerator. It is the rightmost button of the bottom row, which has a
# 4-pixel margin: a click 15 pixels in from the right and 12 up from the bottom hits it
# whatever the fonts make of the buttons' widths. The click leaves the focus on it.
click_at $((WIDTH - 15)) $((HEIGHT - 12))
saved() { [ "$(stat -c %i "$item")" != "$inode_before" ]; }
within 10 saved || fail "$file was not rewritten within 10 seconds"
cmp "$item" "$pristine/items/$file" || fail "$file does not hold the bytes it was opened with"
[ "$(stat -c %i "$world/files/pro_item.msg")" != "$msg_inode_before" ] ||
  fail "pro_item.msg was not rewritten by Save"
cmp "$world/files/pro_item.msg" "$pristine/files/pro_item.msg" ||
  fail "pro_item.msg changed although the name and description were not edited"
[ $((8#$(stat -c %a "$item") & 8#222)) -eq 0 ] || fail "$file is not read-only after Save"
"$cli" show "$item" >/dev/null || fail "zantor-cli cannot read the saved $file"

# --- The configuration window, by keyboard. ---
step="opening the configuration window"
# The click left the focus on "Save": Shift+Tab goes back through "Save As..." to
# "Options...", and Space presses it.
key shift+Tab shift+Tab space
find_config() { cwid="$(xdotool search --onlyvisible --name '^Configuration$' 2>/dev/null | head -n 1)" && [ -n "$cwid" ]; }
cwid=""
within 10 find_config || fail "no visible window titled \"Configuration\" within 10 seconds"
xdotool windowfocus --sync "$cwid"
sleep 0.5
import -window "$cwid" "$artifacts/window-config-preferences.png"
# Done has the focus; Shift+Tab goes into the page, and Ctrl+Tab turns to the next one.
key shift+Tab ctrl+Tab
import -window "$cwid" "$artifacts/window-config-directories.png"
key Escape
config_gone() { ! xdotool search --onlyvisible --name '^Configuration$' >/dev/null 2>&1; }
within 10 config_gone || fail "Esc did not close the configuration window"
xdotool windowfocus --sync "$wid"

# --- One item of each type with a page, by keyboard. ---
# The command-line listing has the window's order: the place of an entry in it is the
# number of Down presses from the list's first entry.
mapfile -t listed < <("$cli" list "$folder" --msg "$world/files/pro_item.msg")
open_entry() { # the entry's text
  local place=0
  while [ "$place" -lt "${#listed[@]}" ] && [ "${listed[$place]}" != "$1" ]; do place=$((place + 1)); done
  [ "$place" -lt "${#listed[@]}" ] || fail "\"$1\" is not among the listed entries"
  local file="${1##* - }"
  click_at 150 $((HEIGHT - 110))
  key Home
  [ "$place" -gt 0 ] && xdotool key --delay 30 --repeat "$place" Down
  key Return
  opened() { xdotool getwindowname "$wid" 2>/dev/null | grep -qF -- "${file: -12} - "; }
  within 10 opened || fail "\"$1\" did not open: the caption reads \"$(xdotool getwindowname "$wid")\""
  sleep 0.3
}
first_of() { "$cli" list "$folder" --msg "$world/files/pro_item.msg" --types "$1" | head -n 1; }
for type in weapon armor container drug ammo; do
  step="opening the first $type"
  entry="$(first_of "$type")"
  [ -n "$entry" ] || fail "the sample has no $type"
  open_entry "$entry"
  if [ "$type" = weapon ]; then
    import -window "$wid" "$artifacts/window-common.png"
    # From the item list back through the browse button and "Directory:" to the last
    # field of the common page; Ctrl+Tab there turns to the type page, which the user
    # has then chosen, so each later item shows its type page at once.
    key shift+Tab shift+Tab shift+Tab ctrl+Tab
  fi
  import -window "$wid" "$artifacts/window-$type.png"
  if [ "$type" = weapon ]; then
    step="opening the projectile file list"
    # The focus stands on "Attack mode 1:"; the projectile file list, with its 256
    # entries, is the sixteenth stop of the Tab key from there. F4 opens it: at most
    # ten rows below it with a scroll bar, not a column of every entry.
    xdotool key --delay 30 --repeat 16 Tab
    key F4
    popup=""
    find_popup() {
      popup="$(xdotool search --onlyvisible --class zantor 2>/dev/null | grep -vx "$wid" | head -n 1)" && [ -n "$popup" ]
    }
    within 5 find_popup || fail "F4 opened no list"
    import -window root "$artifacts/screen-projectile-list.png"
    popup_height="$(xdotool getwindowgeometry --shell "$popup" | sed -n 's/^HEIGHT=//p')"
    [ "$popup_height" -lt $((HEIGHT / 2)) ] ||
      fail "the opened projectile file list is $popup_height pixels high (see build/artifacts/screen-projectile-list.png)"
    key Escape # closes the list, not the window
  fi
done

# --- Close with Esc and look at the settings store. ---
step="closing with Esc"
# Esc in the item list clicks "Close"; nothing is unsaved, so nothing is asked.
key Escape
ended() { ! kill -0 "$app_pid" 2>/dev/null; }
for _ in $(seq 100); do ended && break; sleep 0.1; done
ended || fail "zantor did not end within 10 seconds of Esc"
status=0
wait "$app_pid" || status=$?
app_pid=""
[ "$status" -eq 0 ] || fail "zantor ended with status $status"

step="checking the settings store"
settings="$(cd "$world" && "$cli" settings --store "$store")" || fail "zantor-cli settings failed"
echo "$settings" >"$artifacts/settings-after-close.txt"
grep -Eq '^ +Filter - All +bool +false$' <<<"$settings" ||
  fail "\"Filter - All\" is not stored as false (see build/artifacts/settings-after-close.txt)"
grep -Eq "^ +Default open directory +string +\"$folder\"\$" <<<"$settings" ||
  fail "the item folder $folder is not stored (see build/artifacts/settings-after-close.txt)"

echo "window check passed: screenshots in build/artifacts/"
