#!/usr/bin/env bash
# With two mice connected, the model list widget of the bottom bar lists
# the one not shown, by its kind of connection; choosing it shows that
# model, and the list then offers the other one.
source "$(dirname "$0")/lib/session.sh"
source "$(dirname "$0")/lib/markers.sh"
source "$(dirname "$0")/lib/controls.sh"

start_tessaro two
window=$(wait_for_window)
[ -n "$window" ] || fail "the main window did not show"
# The first device scan connects both and shows the widget with the marker
# column.
wait_for_marker_column

# open_models: clicks the model list widget; prints the list's window.
open_models() {
  click_control "$window" model_list
  wait_until 20 untitled_count_is 1 || fail "the model list widget opened no list"
  newest_untitled
}
# picture NAME: the window, with the pointer on a spot no widget covers.
picture() {
  xdotool mousemove --window "$window" 450 400
  sleep 0.5
  window_picture "$e2e_dir/$1.png" "$window"
}
# The list at scale 1.2: a frame of 24 x 1.2 pixels and rows 96 x 1.2 high.
rows_of() { xwininfo -id "$1" | awk '/Height:/ { print int(($2 - int(24 * 1.2)) / int(96 * 1.2)) }'; }

picture first
list=$(open_models)
[ "$(rows_of "$list")" -eq 1 ] || fail "the list shows $(rows_of "$list") rows, not the one other model"
# shellcheck disable=SC2046
xdotool mousemove $(list_row_point "$list" 1.2 r 0) click 1
wait_until 5 untitled_count_is 0 || fail "the model list stayed open after the choice"
sleep 1
picture second
differing=$(pictures_differ_by "$e2e_dir/first.png" "$e2e_dir/second.png")
[ "$differing" -gt 5000 ] || fail "the window shows the same model after the choice ($differing pixels differ)"

list=$(open_models)
[ "$(rows_of "$list")" -eq 1 ] || fail "the list shows $(rows_of "$list") rows, not the first model"
# shellcheck disable=SC2046
xdotool mousemove $(list_row_point "$list" 1.2 r 0) click 1
wait_until 5 untitled_count_is 0 || fail "the model list stayed open after the choice"
sleep 1
picture back
differing=$(pictures_differ_by "$e2e_dir/first.png" "$e2e_dir/back.png")
[ "$differing" -lt 2000 ] || fail "choosing the first model again did not show it as before ($differing pixels differ)"

end_tessaro
echo "model_list: ok"
