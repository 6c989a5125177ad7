#!/usr/bin/env bash
# The reset widget asks first, No being the default: Return changes
# nothing. Yes removes the shown model's assignments from the driver and
# from the file and leaves those of other models; the model's HID buttons
# get their default functions back at once.
source "$(dirname "$0")/lib/session.sh"
source "$(dirname "$0")/lib/markers.sh"
source "$(dirname "$0")/lib/controls.sh"

# The HID scenario's mouse has buttons 1 to 5 and two HID buttons, the
# wheel's codes 0xfa and 0xfc: seven rows, five of them spaced.
rows=7
spaced=5
# Another model, not connected.
other_fields='"model_id":"14","mouse_button":"0x00","pid":"4660","swap45":"0","tilt_mask":"0","usb_pid":"0x0000","usb_vid":"0x0000","vid":"75"'
# Button 3 and the wheel's 0xfa (instead of its default, scrolling up) do
# Ctrl+C, and so does button 3 of the other model.
write_settings 1033 "$(settings_entry "$(event_of "$HID_FIELDS" 0x08)" Copy)" \
  "$(settings_entry "$(event_of "$HID_FIELDS" 0x00 250 250)" Copy)" \
  "$(settings_entry "$(event_of "$other_fields" 0x08)" Copy)"

start_tessaro hid
window=$(wait_for_window)
[ -n "$window" ] || fail "the main window did not show"
# The Ctrl+C triggers of the test's assignments (some catalogue defaults
# are Ctrl+C too).
copies() { triggers_where "press == [1, 17, 67] and (($HID_MODEL) or model_id == 14) and ${1:-True}"; }
scroll_up_default() { [ "$(triggers_where "$HID_MODEL and hid_num_down == 0xfa and type == 6 and press == [1, 1]")" -eq 1 ]; }
all_programmed() { [ "$(copies)" -eq 3 ]; }
wait_until 20 all_programmed || fail "the stored assignments were not programmed: $(triggers)"
! scroll_up_default || fail "the stored 0xfa assignment did not replace the default"
# The reset widget shows with the marker column.
wait_for_marker_column

# ask: clicks the reset widget; prints the question's box.
ask() {
  local box
  click_control "$window" reset $rows $spaced
  box=$(timeout 30 xdotool search --sync --onlyvisible --name '^Reset$' 2>/dev/null | head -1) || true
  [ -n "$box" ] || fail "the reset widget asked nothing"
  echo "$box"
}
box_gone() { ! is_viewable "$1"; }
# stored_of MODEL_ID USB_PID: how many entries of the file are the model's.
stored_of() {
  python3 - "$SETTINGS_FILE" "$1" "$2" <<'PY'
import json, sys
entries = json.load(open(sys.argv[1], encoding="utf-8")).get("trigger_setting", [])
print(sum(1 for e in entries if (e["event"]["model_id"], e["event"]["usb_pid"]) == (sys.argv[2], sys.argv[3])))
PY
}

box=$(ask)
sleep 0.5
xdotool key --window "$box" Return 2>/dev/null
wait_until 5 box_gone "$box" || fail "Return did not answer the question"
sleep 1
[ "$(copies)" -eq 3 ] || fail "answering No removed triggers: $(triggers)"
[ "$(stored_of 8 0x7a08)" -eq 2 ] || fail "answering No changed the file: $(stored_assignments)"

box=$(ask)
sleep 0.5
xdotool key --window "$box" y 2>/dev/null
wait_until 5 box_gone "$box" || fail "y did not answer the question"
only_other_model() { [ "$(copies)" -eq 1 ] && [ "$(copies 'model_id == 14')" -eq 1 ]; }
wait_until 5 only_other_model || fail "Yes did not remove the shown model's triggers alone: $(triggers)"
wait_until 5 scroll_up_default || fail "the wheel's 0xfa did not get its default back: $(triggers)"
[ "$(stored_of 8 0x7a08)" -eq 0 ] || fail "the file still holds the model's entries: $(stored_assignments)"
[ "$(stored_of 14 0x0000)" -eq 1 ] || fail "the other model's entry left the file"

end_tessaro
echo "model_reset: ok"
