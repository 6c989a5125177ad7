# Sourced after session.sh by the scripts that use the marker column and
# its function menu: where the markers and the rows of the popup lists are
# on the screen, the lists and dialogs that show, and the driver's triggers.

# Screen point "x y" of the centre of shown marker K (from 0) of the main
# window, whose column holds ROWS markers of which SPACED are buttons and
# tilt sides (HID buttons do not widen the spacing); with a fifth argument
# "rect", the marker's screen rectangle "x y width height". The rows close
# up to leave room for the reset widget above the global settings.
marker_point() {
  local window=$1 rows=$2 spaced=$3 k=$4 what=${5:-centre}
  local geometry
  geometry=$(xwininfo -id "$window" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 }
    /Width:/ { w = $2 } /Height:/ { h = $2 } END { print x, y, w, h }')
  python3 - "$geometry" "$rows" "$spaced" "$k" "$what" <<'EOF'
import sys
x, y, w, h = map(int, sys.argv[1].split())
rows, spaced, k = map(int, sys.argv[2:5])
s = w / 2400
n = int(100 * s)
width = int(880 * s)
factor = 1.2 if spaced >= 8 else 1.33 if spaced >= 6 else 1.75 if spaced >= 4 else 2.0
top = 260 * s
bottom = int(h - 4.5 * n)
step = max(min(n * factor, (bottom - top - 1.2 * n) / rows), 0.5 * n)
height = min(n, step / 1.2)
left, upper = x + w - 60 * s - width, y + top + k * step
if sys.argv[5] == "rect":
    print(int(left) + 1, int(upper) + 1, width - 2, int(height) - 2)
else:
    print(int(left + width / 2), int(upper + height / 2))
EOF
}

# Whether the marker column of $window is made (by the first device scan
# after a start): its heading, hidden until then, shows.
marker_column_shown() {
  local x y w h
  read -r x y w h <<<"$(xwininfo -id "$window" | awk '/Absolute upper-left X/ { x = $4 }
    /Absolute upper-left Y/ { y = $4 } /Width:/ { w = $2 } /Height:/ { h = $2 } END { print x, y, w, h }')"
  [ -n "$h" ] || fail "window $window is gone"
  # shellcheck disable=SC2046
  [ "$(bright_pixels $(python3 -c "
s = $w / 2400
n, width = int(100 * s), int(880 * s)
print(int($x + $w - 60 * s - width), int($y + 260 * s - 1.2 * n), width, n)"))" -gt 50 ]
}
wait_for_marker_column() { wait_until 60 marker_column_shown || fail "the marker column did not show"; }

# open_menu K: clicks shown marker K of $window (a column of $rows markers,
# $spaced of them spaced) once the column shows; prints the list's window.
open_menu() {
  wait_for_marker_column
  # shellcheck disable=SC2046
  xdotool mousemove $(marker_point "$window" "$rows" "$spaced" "$1") click 1
  wait_until 20 untitled_count_is 1 || fail "marker $1 opened no menu"
  untitled_windows
}

# Visible windows without a title that do not cover the screen: the popup
# lists and the key capture dialog, oldest first.
untitled_windows() {
  local w
  for w in $(xdotool search --onlyvisible --name '^$' 2>/dev/null | sort -n || true); do
    xwininfo -id "$w" 2>/dev/null | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { exit !(w < 1900 && h < 1000) }' &&
      echo "$w"
  done
  return 0
}
untitled_count_is() { [ "$(untitled_windows | wc -l)" -eq "$1" ]; }
newest_untitled() { untitled_windows | tail -1; }

# Screen point "x y" of row K (from 0) of the popup list WINDOW opened at
# SCALE, whose rows from the top are given as KINDS: "r" for a function or
# folder row, "s" for a separator line.
list_row_point() {
  local window=$1 scale=$2 kinds=$3 k=$4
  local geometry
  geometry=$(xwininfo -id "$window" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 }
    /Width:/ { w = $2 } END { print x, y, w }')
  python3 - "$geometry" "$scale" "$kinds" "$k" <<'EOF'
import sys
x, y, w = map(int, sys.argv[1].split())
scale, kinds, k = float(sys.argv[2]), sys.argv[3].split(), int(sys.argv[4])
heights = [max(1, int((96 if kind == "r" else 24) * scale)) for kind in kinds]
rows = [i for i, kind in enumerate(kinds) if kind == "r"]
row = rows[k]
print(x + w // 2, y + 4 + sum(heights[:row]) + heights[row] // 2)
EOF
}

# picture_of_windows FILE WINDOW...: one picture of the screen's part the
# windows cover together (the main window and its open lists), as PNG.
picture_of_windows() {
  local file=$1 box
  shift
  box=$(for w in "$@"; do
    xwininfo -id "$w" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 }
      /Width:/ { w = $2 } /Height:/ { h = $2 } END { print x, y, x + w, y + h }'
  done | awk 'NR == 1 { l = $1; t = $2; r = $3; b = $4 }
    { if ($1 < l) l = $1; if ($2 < t) t = $2; if ($3 > r) r = $3; if ($4 > b) b = $4 }
    END { print r - l "x" b - t "+" l "+" t }')
  import -window root -crop "$box" +repage "$file"
}

# The driver's triggers as JSON lines, one per trigger, in installation
# order: identity, slot and function, without the text argument.
triggers() {
  vxctl '{"cmd":"state"}' | tr -d '\r' | python3 -c '
import json, sys
for t in json.load(sys.stdin)["triggers"]:
    f = t["function"]
    print(json.dumps({k: t[k] for k in ("hid_button", "mouse_button", "model_id", "pid", "vid", "usb_vid",
                                        "usb_pid", "hid_num_down", "hid_num_up", "tilt_mask", "slot")}
                     | {"type": f["type"], "press": f["press"], "release": f["release"]}, sort_keys=True))'
}

# How many triggers meet CONDITION, a Python expression over a trigger's
# fields, e.g. 'hid_button == 8 and press == [1, 17, 67]'.
triggers_where() {
  triggers | python3 -c '
import json, sys
print(sum(1 for line in sys.stdin if eval(sys.argv[1], {}, json.loads(line))))' "$1"
}

# The stored assignments as "name|hid_button|hid_num_down|type|press" lines.
stored_assignments() {
  [ -f "$SETTINGS_FILE" ] || return 0
  python3 - "$SETTINGS_FILE" <<'EOF'
import json, sys
for entry in json.load(open(sys.argv[1], encoding="utf-8")).get("trigger_setting", []):
    event, define = entry["event"], entry["function_define"]
    print("|".join([entry["function_name"], event["hid_button"], event["hid_num_down"], define["type"],
                    ",".join(define["press"])]))
EOF
}
