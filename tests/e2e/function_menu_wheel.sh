#!/usr/bin/env bash
# A wheel whose two directions are HID buttons (codes 0xFA and 0xFC):
# choosing a scroll for one direction gives the other the opposite scroll,
# both markers show their new functions, both are saved, and a restart
# programs them again.
source "$(dirname "$0")/lib/session.sh"
source "$(dirname "$0")/lib/markers.sh"

# The mouse of hid.json has buttons 1 to 5 and the wheel's two HID
# buttons: seven rows, the wheel's in rows 5 and 6.
rows=7
spaced=5
# The HID list: "Default", "Custom key", "Disabled", a line, then the
# folders, "Mouse" first; in "Mouse": four clicks, "Backward",
# "Forward", a line, "Scroll up", "Scroll down", "Tilt left", "Tilt right".
top_rows="r r r s r r r r r r"
mouse_rows="r r r r r r s r r r r"
scroll_down=7

start_tessaro hid
window=$(wait_for_window)
[ -n "$window" ] || fail "the main window did not show"
scale=$(xwininfo -id "$window" | awk '/Width:/ { print $2 / 2400 }')

# The wheel of the hid.json mouse's model: id 8, pid 0x3306, USB ids.
wheel='model_id == 8 and pid == 0x3306 and usb_pid == 0x7a08 and type == 6'
up_scrolls_up="$wheel and hid_num_down == 0xFA and hid_num_up == 0xFA and press == [1, 1]"
down_scrolls_down="$wheel and hid_num_down == 0xFC and hid_num_up == 0xFC and press == [1, 255]"
up_scrolls_down="$wheel and hid_num_down == 0xFA and hid_num_up == 0xFA and press == [1, 255]"
down_scrolls_up="$wheel and hid_num_down == 0xFC and hid_num_up == 0xFC and press == [1, 1]"
has_trigger() { [ "$(triggers_where "$1")" -eq 1 ]; }
defaults() { has_trigger "$up_scrolls_up" && has_trigger "$down_scrolls_down"; }
wait_until 10 defaults || fail "the wheel's defaults were not programmed: $(triggers)"
wait_for_marker_column

# The pictures of the two wheel markers, the pointer away from them.
marker_pictures() {
  xdotool mousemove --window "$window" 40 300
  sleep 0.5
  local k
  for k in 5 6; do
    read -r x y w h <<<"$(marker_point "$window" $rows $spaced $k rect)"
    import -window root -crop "${w}x${h}+${x}+${y}" "$e2e_dir/$1_$k.png"
  done
}
marker_pictures before

# The up direction's menu: the HID list, since its default reports one
# code for press and release.
# shellcheck disable=SC2046
xdotool mousemove $(marker_point "$window" $rows $spaced 5) click 1
wait_until 5 untitled_count_is 1 || fail "the wheel's marker opened no menu"
list=$(untitled_windows)
# shellcheck disable=SC2046
xdotool mousemove $(list_row_point "$list" "$scale" "$top_rows" 3)
wait_until 5 untitled_count_is 2 || fail "the Mouse folder opened no list"
child=$(newest_untitled)
sleep 0.5
# shellcheck disable=SC2046
xdotool mousemove $(list_row_point "$child" "$scale" "$mouse_rows" $scroll_down) click 1

paired() { has_trigger "$up_scrolls_down" && has_trigger "$down_scrolls_up"; }
wait_until 5 paired || fail "the wheel was not paired: $(triggers_where "$wheel") wheel triggers: $(triggers)"
wait_until 5 untitled_count_is 0 || fail "the menu stayed open after the choice"
stored() { [ "$(stored_assignments | grep -cE '^(Scroll down\|0x00\|250|Scroll up\|0x00\|252)\|6\|')" -eq 2 ]; }
wait_until 5 stored || fail "the pair was not saved: $(stored_assignments)"

# The two markers swapped their texts.
marker_pictures after
same_picture "$e2e_dir/after_5.png" "$e2e_dir/before_6.png" || fail "the up direction does not show Scroll down"
same_picture "$e2e_dir/after_6.png" "$e2e_dir/before_5.png" || fail "the down direction does not show Scroll up"

end_tessaro
start_tessaro hid
window=$(wait_for_window)
[ -n "$window" ] || fail "the main window did not show again"
wait_until 10 paired || fail "after a restart the wheel is not paired: $(triggers)"
if has_trigger "$up_scrolls_up" || has_trigger "$down_scrolls_down"; then fail "a default came back: $(triggers)"; fi

end_tessaro
echo "function_menu_wheel: ok"
