# shellcheck shell=bash
# Sourced after session.sh and markers.sh by the scripts of the main
# window's controls: where the controls are, a settings file to start from,
# the system's button swap, the tray icon and its menu.

# The models of the demo's and the HID scenario's mouse, as the settings
# file and the driver name them.
# shellcheck disable=SC2034
DEMO_FIELDS='"model_id":"16","mouse_button":"0x00","pid":"37384","swap45":"0","tilt_mask":"0","usb_pid":"0x7a10","usb_vid":"0x3a7c","vid":"75"'
# shellcheck disable=SC2034
DEMO_MODEL='model_id == 16 and pid == 0x9208 and usb_pid == 0x7a10'
# shellcheck disable=SC2034
HID_FIELDS='"model_id":"8","mouse_button":"0x00","pid":"13062","swap45":"0","tilt_mask":"0","usb_pid":"0x7a08","usb_vid":"0x3a7c","vid":"75"'
# shellcheck disable=SC2034
HID_MODEL='model_id == 8 and pid == 0x3306 and usb_pid == 0x7a08'

# event_of FIELDS HID_BUTTON [DOWN UP]: a stored event of the model whose
# fields are FIELDS: the button of mask HID_BUTTON, or the HID codes.
event_of() {
  printf '"hid_button":"%s","hid_num_down":"%s","hid_num_up":"%s",%s' "$2" "${3:-0}" "${4:-0}" "$1"
}

# write_settings LANGUAGE ENTRY...: a settings file in LANGUAGE holding the
# given "trigger_setting" entries (JSON objects).
write_settings() {
  local language=$1
  shift
  local entries
  entries=$(IFS=,; echo "$*")
  mkdir -p "$(dirname "$SETTINGS_FILE")"
  printf '{"language id":"%s","setting_ver":"2","slowdown enable":"0","slowdown modifier":"1","trigger_setting":[%s]}' \
    "$language" "$entries" >"$SETTINGS_FILE"
}

# settings_entry EVENT NAME: a stored Ctrl+C named NAME for EVENT.
settings_entry() {
  printf '{"event":{%s},"function_define":{"press":["0x01","0x11","0x43"],"release":["0x00","0x43","0x11"],"type":"2","url":""},"function_name":"%s"}' \
    "$1" "$2"
}

# settings_value KEY: a global value of the settings file.
settings_value() {
  python3 -c 'import json, sys; print(json.load(open(sys.argv[1], encoding="utf-8")).get(sys.argv[2], ""))' \
    "$SETTINGS_FILE" "$1"
}

# control_point WINDOW NAME: screen point "x y" of a control of the main
# window: "language", "profiles" (the profile list widget beside it),
# "model_list" (in the bottom bar), "left_hand",
# "slowdown" (their check boxes) or "reset" (for a column of ROWS markers
# of which SPACED are spaced, as marker_point takes them). Lengths follow the window's scale (width /
# 2400) and the interface font size F (1/100 of the display's width, at
# least 14).
control_point() {
  local window=$1 name=$2 rows=${3:-0} spaced=${4:-0}
  local geometry display_width reset_top=0
  geometry=$(xwininfo -id "$window" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 }
    /Width:/ { w = $2 } /Height:/ { h = $2 } END { print x, y, w, h }')
  display_width=$(xwininfo -root | awk '/Width:/ { print $2 }')
  # The reset widget takes the place of the row after the last marker.
  [ "$name" = reset ] && reset_top=$(marker_point "$window" "$rows" "$spaced" "$rows" rect | awk '{ print $2 - 1 }')
  python3 - "$geometry" "$display_width" "$name" "$reset_top" <<'PY'
import sys
x, y, w, h = map(int, sys.argv[1].split())
display_width, name, reset_top = int(sys.argv[2]), sys.argv[3], int(sys.argv[4])
s, f = w / 2400, max(14.0, display_width / 100)
n, g, width = int(100 * s), int(44 * s), int(880 * s)
column, settings = w - 60 * s - width, int(h - 4.5 * n)
bar_top = int(h - f * 1.8 * 1.2 - 4)
bar = h - 1 - bar_top
c = int(bar * 0.66)
points = {
    "language": (w - 8 - 8.6 * f, 0.9 * f),
    "profiles": (w - 13 - 16.7 * f, 0.9 * f),
    "model_list": (20 * s + int(40 * s + 4.2 * c) / 2, bar_top + bar / 2),
    "left_hand": (column + 0.4 * n, settings + 1.4 * n),
    "slowdown": (column + 0.4 * n, settings + 2.4 * n),
}
if name == "reset":
    print(int(x + w - 90 * s - 4 * g), int(reset_top + 50 * s))
else:
    px, py = points[name]
    print(int(x + px), int(y + py))
PY
}

# click_control WINDOW NAME [ROWS SPACED]
click_control() {
  # shellcheck disable=SC2046
  xdotool mousemove $(control_point "$@") click 1
}

# The system's mouse button swap as the window sets it: 1 or 0, nothing
# before the first change.
buttons_swapped() {
  reg_query 'HKCU\Software\Wine\Temporary System Parameters\Control Panel\Mouse' SwapMouseButtons || true
}

# A picture of the main window, as a file name.
window_picture() {
  local file=$1 window=$2
  import -window root -crop "$(xwininfo -id "$window" | awk '/Absolute upper-left X/ { x = $4 }
    /Absolute upper-left Y/ { y = $4 } /Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h "+" x "+" y }')" \
    +repage "$file"
}

# click_tray_icon: a single click on the program's tray icon, the first of
# the system tray window.
click_tray_icon() {
  local tray
  tray=$(xdotool search --onlyvisible --name '^Wine System Tray$' | head -1)
  [ -n "$tray" ] || return 1
  xdotool mousemove --window "$tray" 10 10 click 1
}

# The open tray menus (needs markers.sh). Wine's tray shows an untitled
# tooltip beside the icon too; the menu is the untitled window tall enough
# for its three rows.
tray_menu_windows() {
  local w
  for w in $(untitled_windows); do
    xwininfo -id "$w" | awk '/Height:/ { exit !($2 >= 60) }' && echo "$w"
  done
  return 0
}
tray_menu_count_is() { [ "$(tray_menu_windows | wc -l)" -eq "$1" ]; }

# Windows links its interface fonts to fonts of the East Asian scripts, so
# that a language's name in its own script shows whatever the interface
# family; Wine's prefix has no such fonts to link to. This gives the
# families the interface may use links to the host's fonts of those
# scripts (simplified and traditional Han, kana, Hangul), where it has any.
link_east_asian_fonts() {
  local links=() char file face link family covered joined
  for char in 7b80 9ad4 65e5 d55c; do
    covered=false
    for link in "${links[@]}"; do
      fc-list ":charset=$char" file | grep -qF "/${link%%,*}:" && covered=true
    done
    $covered && continue
    read -r file face < <(fc-list ":charset=$char" file family | sort | head -1 |
      sed -E 's|^.*/([^/:]+): ([^,]+).*$|\1 \2|') || continue
    [ -n "$file" ] && links+=("$file,$face")
  done
  [ ${#links[@]} -gt 0 ] || return 0
  # reg's separator of the strings of a REG_MULTI_SZ is the text "\0".
  joined=$(printf '%s\\0' "${links[@]}")
  joined=${joined%\\0}
  for family in "Liberation Sans" "DejaVu Sans" Tahoma "Segoe UI"; do
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' /v "$family" \
      /t REG_MULTI_SZ /d "$joined" /f </dev/null >/dev/null
  done
}

# modifier_point WINDOW: screen point "x y" on the slowdown keys widget,
# which follows the slowdown check box's text at a distance only its
# drawing knows: the right end of the last bright text of its row.
modifier_point() {
  local window=$1 geometry picture
  geometry=$(xwininfo -id "$window" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 }
    /Width:/ { w = $2 } /Height:/ { h = $2 } END { print x, y, w, h }')
  picture=$(mktemp --suffix=.png)
  window_picture "$picture" "$window"
  python3 - "$geometry" "$picture" <<'PY'
import subprocess, sys
x, y, w, h = map(int, sys.argv[1].split())
s = w / 2400
n = int(100 * s)
row = int(int(h - 4.5 * n) + 2.1 * n + 0.33 * n)
pixels = subprocess.run(["convert", sys.argv[2], "-crop", f"{w}x1+0+{row}", "-colorspace", "Gray", "txt:-"],
                        capture_output=True, text=True, check=True).stdout.splitlines()[1:]
bright = [int(line.split(",")[0]) for line in pixels if int(line.split("(")[1].split(")")[0].split(",")[0].split(".")[0]) > 150]
if not bright:
    sys.exit("no text on the slowdown row")
print(x + max(bright) - 3, y + row)
PY
  rm -f "$picture"
}
