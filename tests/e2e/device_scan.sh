#!/usr/bin/env bash
# The driver library's "devices ready" event is what loads the stored
# assignments into it: at start, and again when a device arrives; nothing
# else reloads them once the scans that follow a start are over.
source "$(dirname "$0")/lib/session.sh"

# One assignment for button 3 of the demo's model (model 16, pid 0x9208,
# USB 0x3a7c:0x7a10): Ctrl plus the given key.
store_ctrl_key() {
  mkdir -p "$(dirname "$SETTINGS_FILE")"
  local key=$1
  printf '%s' '{"language id":"1033","setting_ver":"2","slowdown enable":"0","slowdown modifier":"1",'\
'"trigger_setting":[{"event":{"hid_button":"0x08","hid_num_down":"0","hid_num_up":"0","model_id":"16",'\
'"mouse_button":"0x00","pid":"37384","swap45":"0","tilt_mask":"0","usb_pid":"0x7a10","usb_vid":"0x3a7c","vid":"75"},'\
'"function_define":{"press":["0x01","0x11","'"$key"'"],"release":["0x00","'"$key"'","0x11"],"type":"2","url":""},'\
'"function_name":"Ctrl key"}]}' >"$SETTINGS_FILE"
}

# The key of the library's Ctrl-key trigger on button 3 of model 16, or
# "none".
programmed_key() {
  vxctl '{"cmd":"state"}' | tr -d '\r' | python3 -c '
import json, sys
state = json.load(sys.stdin)
keys = [t["function"]["press"][2] for t in state["triggers"]
        if t["model_id"] == 16 and t["hid_button"] == 8 and t["function"]["type"] == 2]
print(keys[0] if len(keys) == 1 else "none" if not keys else "several")'
}
key_is() { [ "$(programmed_key)" = "$1" ]; }

store_ctrl_key 0x74  # F5
watch_settings_reads
start_tessaro demo
[ -n "$(wait_for_window)" ] || fail "the main window did not show"
wait_until 20 key_is 116 || fail "the stored assignment was not programmed after start: $(programmed_key)"

# A start reads the file for its language, at the first scan and at the
# refresh five seconds later, which is the last one.
wait_until 60 settings_reads_reach 3 || fail "the file was read $(settings_reads) times, not at the refresh after the first scan"
store_ctrl_key 0x75  # F6
key_is 116 || fail "the assignments were reloaded without a device event: $(programmed_key)"
[ "$(settings_reads)" -eq 3 ] || fail "the file was read again without a device event ($(settings_reads) reads)"

vxctl '{"cmd":"plug","device":{"name":"Kesto 8","type":1,"unit_active":[1],"vendor_code":75,"sub_id":14,"handle":4609}}' >/dev/null
wait_until 20 key_is 117 || fail "a device's arrival did not reload the assignments: $(programmed_key)"

end_tessaro
echo "device_scan: ok"
