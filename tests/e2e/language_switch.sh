#!/usr/bin/env bash
# The language widget opens the list of languages; picking another one
# redraws the window's texts in it, renames the stored assignments and
# saves both; picking the current one again changes nothing. With
# TESSARO_SCREENSHOT_DIR set, the open list over the window is saved there
# as language_menu.png.
source "$(dirname "$0")/lib/session.sh"
source "$(dirname "$0")/lib/markers.sh"
source "$(dirname "$0")/lib/controls.sh"

# The list holds one row per language, by identifier: 1028, 1031 (Deutsch),
# 1033, 1036, 1040, 1041, 1042, 1043, 2052, 3082.
languages="r r r r r r r r r r"
deutsch=1

link_east_asian_fonts
# Button 3 of the demo mouse does "Copy".
write_settings 1033 "$(settings_entry "$(event_of "$DEMO_FIELDS" 0x08)" Copy)"

start_tessaro demo
window=$(wait_for_window)
[ -n "$window" ] || fail "the main window did not show"
scale=$(xwininfo -id "$window" | awk '/Width:/ { print $2 / 2400 }')
copy_programmed() { [ "$(triggers_where "$DEMO_MODEL and hid_button == 8 and press == [1, 17, 67]")" -eq 1 ]; }
wait_until 20 copy_programmed || fail "the stored Copy was not programmed: $(triggers)"
# The marker column is made after the assignments are programmed.
wait_for_marker_column

# open_languages: clicks the language widget; prints the list's window.
open_languages() {
  click_control "$window" language
  wait_until 20 untitled_count_is 1 || fail "the language widget opened no list"
  newest_untitled
}

window_picture "$e2e_dir/english.png" "$window"
list=$(open_languages)
sleep 0.5
if [ -n "${TESSARO_SCREENSHOT_DIR:-}" ]; then
  # shellcheck disable=SC2046
  xdotool mousemove $(list_row_point "$list" "$(python3 -c "print(0.9 * $scale)")" "$languages" $deutsch)
  sleep 0.5
  box=$(for w in "$window" "$list"; do
    xwininfo -id "$w" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 }
      /Width:/ { w = $2 } /Height:/ { h = $2 } END { print x, y, x + w, y + h }'
  done | awk 'NR == 1 { l = $1; t = $2; r = $3; b = $4 }
    NR == 2 { if ($3 + 40 > r) r = $3 + 40; if ($4 + 40 > b) b = $4 + 40 }
    END { print r - l "x" b - t "+" l "+" t }')
  import -window root -crop "$box" +repage "$TESSARO_SCREENSHOT_DIR/language_menu.png"
fi
# shellcheck disable=SC2046
xdotool mousemove $(list_row_point "$list" "$(python3 -c "print(0.9 * $scale)")" "$languages" $deutsch) click 1
wait_until 5 untitled_count_is 0 || fail "the language list stayed open after the choice"

copy_stored_as() { stored_assignments | grep -qxF "$1|0x08|0|2|0x01,0x11,0x43"; }
stored_in_german() { copy_stored_as Kopieren && [ "$(settings_value 'language id')" = 1031 ]; }
wait_until 10 stored_in_german ||
  fail "the file holds '$(stored_assignments)' in language $(settings_value 'language id'), not Kopieren in 1031"
! copy_stored_as Copy || fail "the English name was stored beside the German one"
[ "$(triggers_where "$DEMO_MODEL and hid_button == 8 and press == [1, 17, 67]")" -eq 1 ] ||
  fail "the renamed Copy is no longer programmed: $(triggers)"
# The texts are drawn again in German.
sleep 1
window_picture "$e2e_dir/german.png" "$window"
differing=$(pictures_differ_by "$e2e_dir/english.png" "$e2e_dir/german.png")
[ "$differing" -gt 2000 ] || fail "the window looks the same after the switch ($differing pixels differ)"

# The current language again: the file and the window stay as they were.
touch -d '2000-01-01' "$SETTINGS_FILE"
saved=$(stat -c %Y "$SETTINGS_FILE")
list=$(open_languages)
# shellcheck disable=SC2046
xdotool mousemove $(list_row_point "$list" "$(python3 -c "print(0.9 * $scale)")" "$languages" $deutsch) click 1
wait_until 5 untitled_count_is 0 || fail "the language list stayed open after the choice"
sleep 1
[ "$(stat -c %Y "$SETTINGS_FILE")" = "$saved" ] || fail "choosing the current language changed the file"
window_picture "$e2e_dir/again.png" "$window"
differing=$(pictures_differ_by "$e2e_dir/german.png" "$e2e_dir/again.png")
[ "$differing" -lt 200 ] || fail "choosing the current language changed the window ($differing pixels differ)"

# The new language is the one a new start takes.
end_tessaro
start_tessaro demo
window=$(wait_for_window)
[ -n "$window" ] || fail "the main window did not show again"
wait_for_marker_column
like_german() {
  window_picture "$e2e_dir/restarted.png" "$window"
  [ "$(pictures_differ_by "$e2e_dir/german.png" "$e2e_dir/restarted.png")" -lt 2000 ]
}
wait_until 20 like_german ||
  fail "a restart did not come back in German ($(pictures_differ_by "$e2e_dir/german.png" "$e2e_dir/restarted.png") pixels differ)"
end_tessaro
echo "language_switch: ok"
