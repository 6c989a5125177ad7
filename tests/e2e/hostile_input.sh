#!/usr/bin/env bash
# Tessaro started with files broken the ways files get broken: the user's
# settings file, a package or the language table beside the program. For
# each case:
#  - Tessaro keeps running and its window answers;
#  - the user sees at most the message named for that file, once: not again
#    at the refresh five seconds after the first scan, nor at the next
#    device event;
#  - the settings file stays byte for byte as it was until the user changes
#    a setting (here the slowdown check box); after the change it is whole
#    (or, where it cannot be written, still as it was) and the next load,
#    after a device arrives, takes it without a message.
# With HOSTILE_CASES set to an extended regular expression, only the cases
# whose names match it run.
# e2e-timeout: 1800
source "$(dirname "$0")/lib/session.sh"
source "$(dirname "$0")/lib/markers.sh"
source "$(dirname "$0")/lib/controls.sh"

# case | messages in order ("-": none) | the stored Copy programmed at start |
# the settings file after the change: "whole" or "kept" (it cannot be
# written)
cases=$(
  cat <<'EOF'
settings_not_json|errr|no|whole
settings_truncated|errr|no|whole
settings_array|errr|no|whole
settings_5mb|-|yes|whole
settings_bom|-|yes|whole
settings_directory|-|no|kept
settings_read_only|-|yes|kept
skin_not_zip|-|yes|whole
skin_truncated|-|yes|whole
skin_other_password|-|yes|whole
model_not_zip|-|yes|whole
model_truncated|-|yes|whole
model_other_password|-|yes|whole
function_not_zip|-|yes|whole
function_truncated|-|yes|whole
function_other_password|function load err|yes|whole
language_not_json|load language err,no language file|yes|whole
language_no_section|no language file|yes|whole
EOF
)
cases=$(grep -E "^(${HOSTILE_CASES:-.*})\|" <<<"$cases") || fail "no case matches '$HOSTILE_CASES'"

package_dir=$(sed -n 's/^TESSARO_PACKAGE_DIR:[A-Z]*=//p' "$TESSARO_BUILD/CMakeCache.txt")
[ -d "$package_dir" ] || fail "no package folder in $TESSARO_BUILD/CMakeCache.txt"
# Tessaro runs from a folder of its own, where the broken files go beside it.
app=$e2e_dir/app
TESSARO_EXE=$app/Tessaro.exe

# Button 3 of the demo's mouse does Copy (Ctrl+C), the slowdown box is off.
copy_entry=$(settings_entry "$(event_of "$DEMO_FIELDS" 0x08)" Copy)
copy_programmed() { [ "$(triggers_where "$DEMO_MODEL and hid_button == 8 and press == [1, 17, 67]")" -eq 1 ]; }
copy_absent() { [ "$(triggers_where "$DEMO_MODEL and hid_button == 8 and press == [1, 17, 67]")" -eq 0 ]; }
slowdown_sent() { vxctl '{"cmd":"state"}' | tr -d '\r' | python3 -c 'import json, sys; print(json.load(sys.stdin)["slowdown_modifier"])'; }
sent_is() { [ "$(slowdown_sent)" = "$1" ]; }

# broken_package NAME HOW: a package NAME.pkg beside the program that is not
# a ZIP, is cut short, or has its members encrypted with another password.
broken_package() {
  local name=$1 how=$2 size
  case $how in
    not_zip) printf 'This is no package.\n' >"$app/$name.pkg" ;;
    truncated)
      size=$(stat -c %s "$package_dir/$name.pkg")
      head -c $((size / 2)) "$package_dir/$name.pkg" >"$app/$name.pkg"
      ;;
    other_password)
      (cd "$TESSARO_SOURCE/data/$name" && grep -v '^#' manifest.txt | zip -q -X -P 'other@0123456789' -@ "$app/$name.pkg")
      ;;
  esac
}

# prepare CASE: the program's folder and the settings file of a case.
prepare() {
  rm -rf "$app" "$(dirname "$SETTINGS_FILE")"
  mkdir -p "$app"
  cp "$TESSARO_BUILD/Tessaro.exe" "$TESSARO_BUILD/VXLIB.dll" "$app/"
  write_settings 1033 "$copy_entry"
  case $1 in
    settings_not_json) printf 'This is not JSON {' >"$SETTINGS_FILE" ;;
    settings_truncated) head -c 200 "$SETTINGS_FILE" >"$e2e_dir/cut" && mv "$e2e_dir/cut" "$SETTINGS_FILE" ;;
    settings_array) printf '[%s]' "$(cat "$SETTINGS_FILE")" >"$e2e_dir/array" && mv "$e2e_dir/array" "$SETTINGS_FILE" ;;
    settings_5mb)
      # Copy, then assignments of models that are not connected up to 5 MB.
      python3 - "$SETTINGS_FILE" "$copy_entry" <<'PY'
import sys
path, copy = sys.argv[1], sys.argv[2]
entries, size, i = [copy], len(copy), 0
while size < 5 * 1024 * 1024:
    entry = copy.replace('"model_id":"16"', f'"model_id":"{1000 + i}"').replace('"Copy"', f'"Copy {i}"')
    entries.append(entry)
    size += len(entry) + 1
    i += 1
with open(path, "w", encoding="utf-8") as out:
    out.write('{"language id":"1033","setting_ver":"2","slowdown enable":"0","slowdown modifier":"1",'
              '"trigger_setting":[' + ",".join(entries) + "]}")
PY
      ;;
    settings_bom) printf '\xef\xbb\xbf%s' "$(cat "$SETTINGS_FILE")" >"$e2e_dir/bom" && mv "$e2e_dir/bom" "$SETTINGS_FILE" ;;
    settings_directory) rm "$SETTINGS_FILE" && mkdir "$SETTINGS_FILE" ;;
    settings_read_only) chmod a-w "$SETTINGS_FILE" ;;
    skin_* | model_* | function_*) broken_package "${1%%_*}" "${1#*_}" ;;
    language_not_json) printf '{"1033":{"language name":"English",' >"$app/language.json" ;;
    language_no_section)
      # Only German: neither the system's language (English) nor the
      # fallback section is there.
      python3 -c 'import json, sys; d = json.load(open(sys.argv[1], encoding="utf-8"))
json.dump({"1031": d["1031"]}, open(sys.argv[2], "w", encoding="utf-8"), ensure_ascii=False)' \
        "$TESSARO_SOURCE/data/language.json" "$app/language.json"
      ;;
    *) fail "no case $1" ;;
  esac
}

# The message boxes shown so far, "title|text" one per line; answer_messages
# answers those on the screen with Return.
shown=$e2e_dir/shown
answer_messages() {
  local boxes texts box
  boxes=$(message_box_windows)
  [ -n "$boxes" ] || return 0
  texts=$(wine "$TESSARO_BUILD/window_probe.exe" messages </dev/null | tr -d '\r') || fail "window_probe failed"
  # Recorded only when the probe saw the boxes just found, no more, no less.
  [ "$(message_box_windows)" = "$boxes" ] && [ "$(grep -c . <<<"$texts")" -eq "$(wc -l <<<"$boxes")" ] || return 0
  echo "$texts" >>"$shown"
  for box in $boxes; do xdotool key --window "$box" Return; done
  # The boxes answered go; a box that follows them (one file's second
  # message) is the next call's to record.
  # shellcheck disable=SC2086
  wait_until 30 windows_gone $boxes || fail "a message box stayed after Return"
}
windows_gone() {
  local w
  for w in "$@"; do ! is_viewable "$w" || return 1; done
}
# answering COMMAND...: the command, message boxes answered before each try.
answering() {
  answer_messages
  "$@"
}
shown_texts() { [ -s "$shown" ] && cut -d'|' -f2 "$shown" | paste -sd, || echo -; }
# What is on the screen, for a failure's message.
screen() {
  local w
  for w in $(xdotool search --onlyvisible --name '.' 2>/dev/null || true); do
    printf '"%s" %s; ' "$(xdotool getwindowname "$w" 2>/dev/null)" "$(xwininfo -id "$w" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }')"
  done
  printf 'message boxes: %s' "$(wine "$TESSARO_BUILD/window_probe.exe" messages </dev/null | tr -d '\r' | paste -sd';')"
}

# The settings file is a file whose bytes equal those of FILE (or, for the
# directory case, still a directory).
settings_file_kept() {
  if [ -d "$1" ]; then
    [ -d "$SETTINGS_FILE" ]
  else
    copy_settings_file "$e2e_dir/now" && cmp -s "$1" "$e2e_dir/now"
  fi
}
# The settings file is one whole document with the slowdown box on; with
# "yes", it holds the Copy of button 3.
settings_file_whole() {
  copy_settings_file "$e2e_dir/now" || return 1
  python3 - "$e2e_dir/now" "$1" <<'PY'
import json, sys
document = json.load(open(sys.argv[1], encoding="utf-8"))
copies = [e for e in document.get("trigger_setting", [])
          if e["function_name"] == "Copy" and e["event"]["model_id"] == "16" and e["event"]["hid_button"] == "0x08"]
ok = (isinstance(document, dict) and document.get("setting_ver") == "2" and document.get("slowdown enable") == "1"
      and len(copies) == (1 if sys.argv[2] == "yes" else 0))
sys.exit(0 if ok else 1)
PY
}

kesto='{"name":"Kesto 8","type":1,"unit_active":[1],"vendor_code":75,"sub_id":14,"handle":4609}'
report=()
while IFS='|' read -r name messages copy after; do
  echo "hostile_input: $name"
  prepare "$name"
  rm -rf "$e2e_dir/original"
  if [ -d "$SETTINGS_FILE" ]; then mkdir "$e2e_dir/original"; else cp "$SETTINGS_FILE" "$e2e_dir/original"; fi
  : >"$shown"
  watch_settings_reads
  start_tessaro demo
  wait_until 60 answering main_window_shown ||
    fail "$name: the main window did not show; Tessaro $(process_alive "$tessaro_pid" && echo runs || echo ended); on the screen: $(screen)"
  window=$(shown_main_windows | head -1)
  # Read (a folder of its name is opened too) for the language at start, at
  # the first scan and at the refresh five seconds later.
  wait_until 90 answering settings_reads_reach 3 ||
    fail "$name: the settings file was read $(settings_reads) times, not at the first scan and the refresh after it"
  process_alive "$tessaro_pid" || fail "$name: Tessaro ended"
  wine "$TESSARO_BUILD/window_probe.exe" answers Vornel </dev/null || fail "$name: the window does not answer"
  answer_messages
  [ "$(shown_texts)" = "$messages" ] || fail "$name: the messages shown were '$(shown_texts)', not '$messages'"
  if [ "$copy" = yes ]; then
    wait_until 30 answering copy_programmed || fail "$name: the stored Copy was not programmed: $(triggers)"
  else
    copy_absent || fail "$name: a Copy was programmed from a file that does not hold one: $(triggers)"
  fi
  settings_file_kept "$e2e_dir/original" || fail "$name: the settings file changed before any change was made"

  # The change; the save reads the file once the load before it has ended.
  reads=$(settings_reads)
  click_control "$window" slowdown
  wait_until 30 answering sent_is 1 || fail "$name: the slowdown box did not answer the click"
  # A device arrives: a load at once and another at the refresh after it.
  vxctl "{\"cmd\":\"plug\",\"device\":$kesto}" >/dev/null
  wait_until 90 answering settings_reads_reach $((reads + 3)) ||
    fail "$name: after the change the settings file was read $(settings_reads) times, not $((reads + 3))"
  answer_messages
  wine "$TESSARO_BUILD/window_probe.exe" answers Vornel </dev/null || fail "$name: the window does not answer"
  [ "$(shown_texts)" = "$messages" ] || fail "$name: the messages shown were '$(shown_texts)', not '$messages'"
  if [ "$after" = kept ]; then
    settings_file_kept "$e2e_dir/original" || fail "$name: a settings file that cannot be written changed"
    [ "$copy" = no ] || wait_until 30 copy_programmed || fail "$name: the stored Copy is no longer programmed: $(triggers)"
  else
    settings_file_whole "$copy" || fail "$name: after the change the settings file is not whole: $(head -c 300 "$e2e_dir/now")"
    wait_until 30 sent_is 1 || fail "$name: the saved slowdown setting was not loaded again"
    if [ "$copy" = yes ]; then
      wait_until 30 copy_programmed || fail "$name: the saved Copy was not loaded again: $(triggers)"
    fi
  fi
  end_tessaro
  chmod -R u+w "$(dirname "$SETTINGS_FILE")"
  report+=("$name: messages ${messages}; window answered; file $after after the change")
done <<<"$cases"
printf 'hostile_input: %s\n' "${report[@]}"
echo "hostile_input: ok"
