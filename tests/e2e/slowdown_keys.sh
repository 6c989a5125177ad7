#!/usr/bin/env bash
# The slowdown keys widget records modifier keys in the key capture
# dialog: left Ctrl with right Shift becomes Ctrl + Shift (3) for the
# driver, the file and the widget's text; a cancelled capture keeps them.
source "$(dirname "$0")/lib/session.sh"
source "$(dirname "$0")/lib/markers.sh"
source "$(dirname "$0")/lib/controls.sh"

start_tessaro demo
window=$(wait_for_window)
[ -n "$window" ] || fail "the main window did not show"
scale=$(xwininfo -id "$window" | awk '/Width:/ { print $2 / 2400 }')
slowdown_sent() { vxctl '{"cmd":"state"}' | tr -d '\r' | python3 -c 'import json, sys; print(json.load(sys.stdin)["slowdown_modifier"])'; }
sent_is() { [ "$(slowdown_sent)" = "$1" ]; }
stored_keys_are() { [ -f "$SETTINGS_FILE" ] && [ "$(settings_value 'slowdown modifier')" = "$1" ]; }
# The first device scan loads the (missing) settings file.
wait_for_marker_column
click_control "$window" slowdown
wait_until 5 sent_is 1 || fail "slowdown on did not send Ctrl"

# capture KEYS WIDGET: records KEYS in the dialog the slowdown keys widget
# opens and ends it with its "ok" or "cancel" widget.
capture() {
  local keys=$1 widget=$2 dialog dx dy dw dh
  # shellcheck disable=SC2046
  xdotool mousemove $(modifier_point "$window") click 1
  wait_until 20 untitled_count_is 1 || fail "the slowdown keys widget opened no key capture dialog"
  dialog=$(newest_untitled)
  read -r dx dy dw dh <<<"$(xwininfo -id "$dialog" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 }
    /Width:/ { w = $2 } /Height:/ { h = $2 } END { print x, y, w, h }')"
  # The pointer over the dialog gives it the keyboard.
  xdotool mousemove $((dx + dw / 2)) $((dy + dh / 2))
  sleep 0.5
  xdotool key "$keys"
  sleep 0.5
  # "ok" at the right of the bottom bar, "cancel" at its left; the bar's
  # font size is 1/100 of the screen's width.
  read -r bx by <<<"$(python3 -c "
s, w, h, f = $scale, $dw, $dh, $(xwininfo -root | awk '/Width:/ { print $2 }') / 100
top, bottom = int(h - f * 1.3 - 4), h - 1
bh = (bottom - top) * 0.7
half = (4 * bh + 40 * s) / 2
x = w - 1 - 20 * s - half if '$widget' == 'ok' else 20 * s + half
print($dx + int(x), $dy + int((top + bottom) / 2))")"
  xdotool mousemove "$bx" "$by" click 1
  wait_until 5 untitled_count_is 0 || fail "the key capture dialog stayed open after $widget"
}

window_picture "$e2e_dir/ctrl.png" "$window"
capture Control_L+Shift_R ok
wait_until 5 sent_is 3 || fail "left Ctrl and right Shift sent $(slowdown_sent), not 3"
wait_until 5 stored_keys_are 3 || fail "the keys were stored as $(settings_value 'slowdown modifier')"
sleep 0.5
window_picture "$e2e_dir/ctrl_shift.png" "$window"
differing=$(pictures_differ_by "$e2e_dir/ctrl.png" "$e2e_dir/ctrl_shift.png")
[ "$differing" -gt 100 ] || fail "the widget still shows the old keys ($differing pixels differ)"

capture Alt_L cancel
sleep 1
sent_is 3 || fail "a cancelled capture sent $(slowdown_sent)"
stored_keys_are 3 || fail "a cancelled capture stored $(settings_value 'slowdown modifier')"

end_tessaro
echo "slowdown_keys: ok"
