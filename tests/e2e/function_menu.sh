#!/usr/bin/env bash
# The function menu of a marker: it opens below the marker; a function
# picked from a folder is programmed into the driver and saved; a custom
# key combination is recorded in the key capture dialog and stored as the
# keys it names; after a restart every assignment is programmed again.
# With FUNCTION_MENU_SNAPSHOT set to a file name, the open menu with a
# folder open is saved there as a PNG picture.
source "$(dirname "$0")/lib/session.sh"
source "$(dirname "$0")/lib/markers.sh"

# The demo's mouse has buttons 1 to 7 and a tilting wheel: nine rows.
rows=9
spaced=9
# The general list of buttons 1 and 4: "Default", "Custom key",
# "Disabled", a line, then the folders "Mouse", "Editing", "Media",
# "Web browser", "System" and "Launch".
top_rows="r r r s r r r r r r"
media=5
# In "Media": "Play/Pause", "Stop", "Previous track", "Next track", a
# line, "Volume up", "Volume down", "Mute".
media_rows="r r r r s r r r"

start_tessaro demo
window=$(wait_for_window)
[ -n "$window" ] || fail "the main window did not show"
scale=$(xwininfo -id "$window" | awk '/Width:/ { print $2 / 2400 }')

# hover LIST KINDS K: the pointer onto row K of a list.
hover() {
  # shellcheck disable=SC2046
  xdotool mousemove $(list_row_point "$1" "$scale" "$2" "$3")
}

has_trigger() { [ "$(triggers_where "$1")" -eq 1 ]; }

# Button 1 (the column's first marker) gets "Play/Pause" from the "Media"
# folder.
list=$(open_menu 0)
hover "$list" "$top_rows" $media
wait_until 5 untitled_count_is 2 || fail "the Media folder opened no list"
child=$(newest_untitled)
sleep 0.5
if [ -n "${FUNCTION_MENU_SNAPSHOT:-}" ]; then
  hover "$child" "$media_rows" 3
  sleep 0.5
  # The main window and both lists.
  picture_of_windows "$FUNCTION_MENU_SNAPSHOT" "$window" "$list" "$child"
fi
hover "$child" "$media_rows" 0
xdotool click 1
# The demo mouse's model: id 16, pid 0x9208.
model='model_id == 16 and pid == 0x9208 and usb_pid == 0x7a10 and hid_num_down == 0 and tilt_mask == 0'
play="$model and hid_button == 2 and type == 3 and press == [1, 0xB3]"
wait_until 5 has_trigger "$play" || fail "no Play/Pause trigger on button 1: $(triggers)"
wait_until 5 untitled_count_is 0 || fail "the menu stayed open after the choice"
grep -qE '^Play/Pause\|0x02\|0\|3\|0x01,0xb3' <<<"$(stored_assignments)" || fail "Play/Pause was not saved: $(stored_assignments)"

# Button 4 records Ctrl+Shift+F5 as a custom key.
list=$(open_menu 3)
hover "$list" "$top_rows" 1
xdotool click 1
dialog_shows() { [ -n "$(untitled_windows)" ] && [ "$(untitled_windows)" != "$list" ]; }
wait_until 5 dialog_shows || fail "the custom key opened no key capture dialog"
dialog=$(untitled_windows)
read -r dx dy dw dh <<<"$(xwininfo -id "$dialog" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 }
  /Width:/ { w = $2 } /Height:/ { h = $2 } END { print x, y, w, h }')"
# The pointer over the dialog gives it the keyboard.
xdotool mousemove $((dx + dw / 2)) $((dy + dh / 2))
sleep 0.5
xdotool key ctrl+shift+F5
sleep 0.5
# Its "ok" widget, right in the bottom bar, whose font size is 1/100 of
# the screen's width.
read -r ok_x ok_y <<<"$(python3 -c "
s, w, h, f = $scale, $dw, $dh, 1920 / 100
top, bottom = int(h - f * 1.3 - 4), h - 1
bh = (bottom - top) * 0.7
print($dx + int(w - 1 - 20 * s - (4 * bh + 40 * s) / 2), $dy + int((top + bottom) / 2))")"
xdotool mousemove "$ok_x" "$ok_y" click 1
custom="$model and hid_button == 16 and type == 2 and press == [1, 17, 16, 116] and release == [0, 116, 17, 16]"
wait_until 5 has_trigger "$custom" || fail "no Ctrl+Shift+F5 trigger on button 4: $(triggers)"
grep -qxF "Ctrl + Shift + F5|0x10|0|2|0x01,0x11,0x10,0x74" <<<"$(stored_assignments)" ||
  fail "the custom key was not saved: $(stored_assignments)"

# A restart programs every trigger again, these two and the defaults of
# the HID buttons of the catalogue's models (each under the slot of its
# place in the file).
without_slots() { triggers | sed -E 's/"slot": [0-9]+, //' | sort; }
before=$(without_slots)
end_tessaro
start_tessaro demo
window=$(wait_for_window)
[ -n "$window" ] || fail "the main window did not show again"
restored() { [ "$(without_slots)" = "$before" ]; }
wait_until 10 restored || fail "after a restart the driver has $(without_slots), not $before"
has_trigger "$play" && has_trigger "$custom" || fail "the choices were not programmed again"

end_tessaro
echo "function_menu: ok"
