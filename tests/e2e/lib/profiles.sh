# shellcheck shell=bash
# Sourced after session.sh, markers.sh and controls.sh by the scripts of
# per-program profiles: the profile list of the title bar, its rows, a
# function picked from a folder of a marker's menu, and the profiles the
# driver library holds. The scripts set $window (the main window) and
# $rows / $spaced (its marker column, as open_menu takes them).

# The general list of a marker: "Default", "Custom key", "Disabled", a
# line, then the folders "Mouse", "Editing", ...; "Editing" holds "Copy",
# "Cut", "Paste", ...
# shellcheck disable=SC2034
general_rows="r r r s r r r r r r"
editing_folder=4
editing_rows="r r r r r r r r s r r r r"

# The scale the popup lists of the title bar open at: 0.9 of the window's.
title_list_scale() { xwininfo -id "$window" | awk '/Width:/ { print 0.9 * $2 / 2400 }'; }
menu_scale() { xwininfo -id "$window" | awk '/Width:/ { print $2 / 2400 }'; }

# profile_rows PROFILES SHOWN: the rows of the profile list with PROFILES
# profiles, SHOWN 1 when a program's profile is shown ("All programs", the
# profiles, a line, "Add a program…", then "Remove this profile").
profile_rows() {
  local kinds="r" i
  for ((i = 0; i < $1; i++)); do kinds+=" r"; done
  kinds+=" s r"
  [ "$2" = 1 ] && kinds+=" r"
  echo "$kinds"
}

# open_profile_list: clicks the profile list widget until its list shows;
# prints the list's window.
open_profile_list() {
  local point
  point=$(control_point "$window" profiles)
  for _ in $(seq 20); do
    # shellcheck disable=SC2086
    xdotool mousemove $point click 1
    if wait_until 1 untitled_count_is 1; then
      untitled_windows
      return 0
    fi
  done
  fail "the profile list widget opened no list"
}

# choose_profile_row PROFILES SHOWN K: row K (of the rows that are no line)
# of the profile list.
choose_profile_row() {
  local list
  list=$(open_profile_list)
  # shellcheck disable=SC2046
  xdotool mousemove $(list_row_point "$list" "$(title_list_scale)" "$(profile_rows "$1" "$2")" "$3") click 1
  wait_until 10 untitled_count_is 0 || fail "the profile list stayed open after the choice"
}

# add_first_program PROFILES SHOWN: the first program of "Add a program…",
# whose programs are in the order of their names.
add_first_program() {
  local list child
  list=$(open_profile_list)
  # shellcheck disable=SC2046
  xdotool mousemove $(list_row_point "$list" "$(title_list_scale)" "$(profile_rows "$1" "$2")" $(($1 + 1)))
  wait_until 5 untitled_count_is 2 || fail "Add a program opened no list"
  child=$(newest_untitled)
  sleep 0.5
  # shellcheck disable=SC2046
  xdotool mousemove $(list_row_point "$child" "$(title_list_scale)" "r" 0) click 1
  wait_until 10 untitled_count_is 0 || fail "the profile list stayed open after adding a program"
}

# choose_editing MARKER ROW: row ROW of the "Editing" folder for shown
# marker MARKER (0 Copy, 2 Paste).
choose_editing() {
  local list child
  list=$(open_menu "$1")
  # shellcheck disable=SC2046
  xdotool mousemove $(list_row_point "$list" "$(menu_scale)" "$general_rows" $editing_folder)
  wait_until 5 untitled_count_is 2 || fail "the Editing folder opened no list"
  child=$(newest_untitled)
  sleep 0.5
  # shellcheck disable=SC2046
  xdotool mousemove $(list_row_point "$child" "$(menu_scale)" "$editing_rows" "$2") click 1
  wait_until 10 untitled_count_is 0 || fail "the menu stayed open after the choice"
}

# remove_shown_profile PROFILES PROGRAM: "Remove this profile" of the list
# with PROFILES profiles while PROGRAM's is shown, and Yes to the question.
remove_shown_profile() {
  choose_profile_row "$1" 1 $(($1 + 2))
  answer_yes "$2"
}

# answer_yes TITLE: the Yes of the question titled TITLE.
answer_yes() {
  local box
  box=$(timeout 30 xdotool search --sync --onlyvisible --name "^$1\$" | head -1) || true
  [ -n "$box" ] || fail "no question titled $1"
  xdotool windowactivate --sync "$box" key y 2>/dev/null || xdotool key y
  wait_until 10 eval '[ -z "$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null)" ]' ||
    fail "the question $1 stayed open"
}

# The stored profiles as "program|name,name,..." lines (the names of their
# assignments).
stored_profiles() {
  local file=${SETTINGS_FILE%/*}/appProfiles.json
  [ -f "$file" ] || return 0
  python3 - "$file" <<'PY'
import json, sys
for p in json.load(open(sys.argv[1], encoding="utf-8"))["profiles"]:
    print(p["program"] + "|" + ",".join(e["function_name"] for e in p["entries"]))
PY
}
