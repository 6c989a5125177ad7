#!/usr/bin/env bash
# When the mouse the window shows is unplugged, the window shows the other
# connected one: with two mice connected, unplugging either leaves the
# window as a start with only the other one draws it.
source "$(dirname "$0")/lib/session.sh"

kesto='{"name":"Kesto 8","type":1,"unit_index":0,"unit_active":[1],"vendor_code":75,"sub_id":14,"usb_vid":0,"usb_pid":0,"handle":4609}'
tolva='{"name":"Tolva T5 (BT)","type":3,"unit_index":2,"unit_active":[0,0,1],"vendor_code":75,"sub_id":6,"usb_vid":0,"usb_pid":0,"handle":4610}'
echo "{\"devices\":[$kesto]}" >"$e2e_dir/kesto.json"
echo "{\"devices\":[$tolva]}" >"$e2e_dir/tolva.json"
echo "{\"devices\":[$kesto,$tolva]}" >"$e2e_dir/both.json"

# The settled picture of a window: two equal snapshots a second apart.
settled_snapshot() {
  local window=$1 out=$2
  local before=${out%.png}.before.png
  for _ in $(seq 20); do
    snapshot "$window" "$before"
    sleep 1
    snapshot "$window" "$out"
    same_picture "$before" "$out" && return 0
  done
  fail "the window did not settle"
}

# picture_of SCENARIO OUT: the window of a start with those mice.
picture_of() {
  start_tessaro "$1"
  local window
  window=$(wait_for_window)
  [ -n "$window" ] || fail "the main window did not show"
  xdotool mousemove 0 0
  settled_snapshot "$window" "$2"
  end_tessaro
}

picture_of "$e2e_dir/kesto.json" "$e2e_dir/kesto.png"
picture_of "$e2e_dir/tolva.json" "$e2e_dir/tolva.png"
same_picture "$e2e_dir/kesto.png" "$e2e_dir/tolva.png" && fail "the two mice look alike; the test cannot tell them apart"

for unplugged in kesto tolva; do
  if [ $unplugged = kesto ]; then handle=4609 left=tolva; else handle=4610 left=kesto; fi
  start_tessaro "$e2e_dir/both.json"
  window=$(wait_for_window)
  [ -n "$window" ] || fail "the main window did not show"
  xdotool mousemove 0 0
  settled_snapshot "$window" "$e2e_dir/both.png"
  vxctl "{\"cmd\":\"unplug\",\"handle\":$handle}" >/dev/null || fail "unplug was refused"
  shows_left() {
    snapshot "$window" "$e2e_dir/after.png"
    same_picture "$e2e_dir/after.png" "$e2e_dir/$left.png"
  }
  wait_until 10 shows_left || fail "after unplugging $unplugged the window does not show $left alone"
  end_tessaro
done
echo "unplug_shows_next: ok"
