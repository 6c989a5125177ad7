# Sourced by the end-to-end scripts. Each script runs in a throw-away Wine
# prefix of its own: hard links to the project's prefix (made by
# scripts/setup.sh) with its own registry files and an empty documents
# folder, so its settings file, registry values and running instances are
# its own and its wineserver serves nobody else. On exit every process the
# script started is ended and the prefix is removed, also after a failure.
#
# A failure anywhere ends the script with a message: in a function, in a
# command substitution or in a pipeline (set -E, inherit_errexit, and a
# failing subshell tells the script's own shell to stop). A Tessaro that
# the script started and that ended by itself must have ended with status
# 0, whether or not the script looked.
set -Eeuo pipefail
shopt -s inherit_errexit
: "${TESSARO_BUILD:?set TESSARO_BUILD to the Windows build folder}"
: "${TESSARO_SOURCE:?set TESSARO_SOURCE to the source tree}"

e2e_lib=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
e2e_base_prefix=${TESSARO_WINEPREFIX:-$TESSARO_SOURCE/build/wineprefix}
e2e_dir=$(mktemp -d)
e2e_pids=()
e2e_tessaro_pids=()
# What the Windows programs the script starts write, shown at the end.
e2e_wine_log=$e2e_dir/wine.log
: >"$e2e_wine_log"

# A subshell cannot end the script by itself; it asks the script's shell.
e2e_stop_script() { [ "$BASHPID" = "$$" ] || kill -USR1 $$; }
trap 'e2e_stopped_by_subshell=1; exit 1' USR1
fail() {
  echo "FAIL: $*" >&2
  e2e_stop_script
  exit 1
}
# A command that ends a script through set -e says which it was.
trap 'echo "FAIL: ${BASH_SOURCE[0]}:$LINENO (in ${FUNCNAME[*]:-the script}): \"$BASH_COMMAND\" exited with status $?" >&2
  e2e_stop_script' ERR

# The tracked Tessaro processes that have ended report a status other
# than 0; the others are left alone.
e2e_check_tessaro_exits() {
  local pid status bad=0
  for pid in "${e2e_tessaro_pids[@]}"; do
    kill -0 "$pid" 2>/dev/null && continue
    status=0
    wait "$pid" 2>/dev/null || status=$?
    if [ "$status" -ne 0 ]; then
      echo "FAIL: Tessaro (process $pid) ended with status $status" >&2
      bad=1
    fi
  done
  return $bad
}

e2e_cleanup() {
  local status=$?
  trap - ERR
  trap '' USR1
  set +e
  # Inside the signal's trap, wait would answer for the signal.
  [ -n "${e2e_stopped_by_subshell:-}" ] || e2e_check_tessaro_exits || status=1
  for pid in "${e2e_pids[@]}"; do kill "$pid" 2>/dev/null; done
  # The prefix's own server: it ends only this script's processes.
  wineserver -k 2>/dev/null
  for pid in "${e2e_pids[@]}"; do wait "$pid" 2>/dev/null; done
  if [ -s "$e2e_wine_log" ]; then
    echo "---- what the Windows programs wrote:" >&2
    cat "$e2e_wine_log" >&2
  fi
  rm -rf "$e2e_dir"
  if [ -n "${tessaro_xvfb_pid:-}" ]; then kill "$tessaro_xvfb_pid" 2>/dev/null; fi
  exit "$status"
}

export WINEPREFIX=$e2e_dir/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Hard links need the temporary folder on the prefix's file system; a copy
# does everywhere.
if ! cp -al "$e2e_base_prefix" "$WINEPREFIX" 2>/dev/null; then
  rm -rf "$WINEPREFIX"
  cp -a "$e2e_base_prefix" "$WINEPREFIX"
fi
# wineserver rewrites these whole; the others are only read.
for reg in system.reg user.reg userdef.reg; do
  [ -e "$e2e_base_prefix/$reg" ] && cp --remove-destination "$e2e_base_prefix/$reg" "$WINEPREFIX/$reg"
done
e2e_user_dir=$(find "$WINEPREFIX/drive_c/users" -mindepth 1 -maxdepth 1 ! -name Public | head -1)
rm -rf "$e2e_user_dir/Documents"
mkdir -p "$e2e_user_dir/Documents"
SETTINGS_FILE=$e2e_user_dir/Documents/Vornel/buttonSetting.json

source "$TESSARO_SOURCE/scripts/display.sh"
# After display.sh, whose own trap this one takes over.
trap e2e_cleanup EXIT

# One server for the whole script: without it the server ends whenever no
# Windows program runs, and a program that meets it on its way out (reg,
# winepath) fails as if what it looked for were not there. The
# clean-up ends it; should the script be killed, it ends by itself once
# idle for ten minutes. The prefix's services start with the first
# program: here, away from the pipes of the script's commands, which they
# would otherwise hold open.
wineserver -p600 </dev/null >>"$e2e_wine_log" 2>&1
wine cmd /c exit </dev/null >>"$e2e_wine_log" 2>&1
e2e_reg_file=$(winepath -w "$e2e_dir/query.reg")

# A scenario of data/scenarios by name, or a scenario file by its path.
scenario_path() {
  case $1 in
    */*) winepath -w "$1" ;;
    *) winepath -w "$TESSARO_SOURCE/data/scenarios/$1.json" ;;
  esac
}

# track_tessaro PID: a started Tessaro whose end the clean-up checks.
track_tessaro() {
  e2e_pids+=("$1")
  e2e_tessaro_pids+=("$1")
}

# start_tessaro SCENARIO [ARGS...]: starts Tessaro with the simulated
# devices of SCENARIO (see scenario_path), or with the driver library's
# real backend for "real"; its process id is in $tessaro_pid. With
# TESSARO_EXE set, that program instead of the build's.
start_tessaro() {
  local scenario=$1 pid ended=0
  shift
  local -a driver=()
  # A Tessaro that ended a moment ago may still be known to Wine, and so
  # may its named events: a start now would take itself for a second
  # instance and end.
  for pid in "${e2e_tessaro_pids[@]}"; do
    if process_alive "$pid"; then
      ended=0
      break
    fi
    ended=1
  done
  [ "$ended" -eq 0 ] || wait_until 20 no_tessaro_in_wine || fail "Wine still lists a Tessaro.exe that has ended"
  [ "$scenario" = real ] || driver=("VXLIB_SCENARIO=$(scenario_path "$scenario")")
  env "${driver[@]}" wine "${TESSARO_EXE:-$TESSARO_BUILD/Tessaro.exe}" "$@" </dev/null >>"$e2e_wine_log" 2>&1 &
  tessaro_pid=$!
  track_tessaro "$tessaro_pid"
}

# run_tessaro ARGS...: a start that is expected to end by itself; its exit
# status is the function's.
run_tessaro() {
  timeout 30 wine "${TESSARO_EXE:-$TESSARO_BUILD/Tessaro.exe}" "$@" </dev/null >>"$e2e_wine_log" 2>&1
}

# end_tessaro: "/close" ends the Tessaro of $tessaro_pid, which must end by
# itself with status 0.
end_tessaro() {
  local status=0
  run_tessaro /close || fail "/close did not end cleanly (status $?)"
  wait_until 20 process_gone "$tessaro_pid" || fail "/close did not end the instance"
  wait "$tessaro_pid" || status=$?
  [ "$status" -eq 0 ] || fail "Tessaro ended with status $status"
}
# wine_processes: the prefix's processes, a line each: the Windows process
# id (0x and hex digits), a tab, the executable's file name. One snapshot
# by the server; the debugger's listing fails now and then, without a word,
# when a process ends while it lists.
wine_processes() {
  local list status=0
  list=$(wine "$TESSARO_BUILD/list_processes.exe" </dev/null) || status=$?
  [ "$status" -eq 0 ] || fail "list_processes failed with status $status"
  echo "$list"
}
# tessaro_windows_pids: the Windows process id of each running Tessaro.exe.
# A failed listing has said why and stopped the script (fail); the callers
# only stop where they are.
tessaro_windows_pids() {
  local list
  list=$(wine_processes) || exit 1
  awk -F'\t' '$2 == "Tessaro.exe" { print $1 }' <<<"$list"
}
no_tessaro_in_wine() {
  local pids
  pids=$(tessaro_windows_pids) || exit 1
  [ -z "$pids" ]
}

# visible_windows_titled_as_main WIDTH_TEST: the X window ids of the
# visible windows titled as the main window whose width passes the test
# (e.g. ">= 800"). The main window is always at least 800 pixels wide; the
# program's message boxes carry its title and are smaller.
visible_windows_titled_as_main() {
  local w
  for w in $(xdotool search --onlyvisible --name '^Vornel$' 2>/dev/null || true); do
    xwininfo -id "$w" 2>/dev/null | awk "/Width:/ { exit !(\$2 $1) }" && echo "$w"
  done
  return 0
}
shown_main_windows() { visible_windows_titled_as_main '>= 800'; }
main_window_shown() { [ -n "$(shown_main_windows)" ]; }
message_box_windows() { visible_windows_titled_as_main '< 800'; }

# The main window's X window id, once it is shown (up to 60 seconds).
wait_for_window() {
  if wait_until 60 main_window_shown; then shown_main_windows | head -1; fi
  return 0
}

# Every X window titled as the main window, shown or not.
main_windows() { xdotool search --name '^Vornel$' 2>/dev/null || true; }

is_viewable() { xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'; }

# wait_until SECONDS COMMAND...: polls the command every 0.1 s.
wait_until() {
  local limit=$(($1 * 10))
  shift
  for _ in $(seq "$limit"); do
    if "$@"; then return 0; fi
    sleep 0.1
  done
  return 1
}

process_alive() { kill -0 "$1" 2>/dev/null; }
process_gone() { ! process_alive "$1"; }

# The Windows process id of the one Tessaro of this prefix (hexadecimal).
# Like every helper that polls, it runs inside conditions, where a failing
# command does not end the script: the tool's failure is checked by hand.
windows_pid() {
  local pids
  pids=$(tessaro_windows_pids) || exit 1
  [ -n "$pids" ] || fail "Wine lists no Tessaro.exe"
  head -1 <<<"$pids"
}

# vxctl JSON: one command to the simulated driver library of Tessaro, which
# must accept it; prints the reply.
vxctl() {
  local pid reply status=0
  pid=$(windows_pid) || exit 1
  reply=$(wine "$TESSARO_BUILD/vxctl.exe" "$pid" "$1" </dev/null) || status=$?
  [ "$status" -eq 0 ] || fail "vxctl $1 failed with status $status: $reply"
  echo "$reply"
}

# reg_query KEY [NAME]: the data of the key's value NAME (a string as it
# stands, another type as reg writes it, e.g. dword:00000001); without NAME
# nothing. Status 1 when reg finds no such key or the key has no such value;
# any other failure of reg ends the script with reg's message. The key is
# exported (UTF-16), since reg's listing goes through the console's code
# page and loses what that cannot express.
reg_query() {
  local out status=0
  rm -f "$e2e_dir/query.reg"
  out=$(wine reg export "$1" "$e2e_reg_file" /y </dev/null 2>&1) || status=$?
  if [ "$status" -ne 0 ]; then
    if [ "$status" -eq 1 ] && grep -q 'Unable to find the specified registry' <<<"$out"; then return 1; fi
    fail "reg export $1 failed with status $status: $out"
  fi
  [ $# -ge 2 ] || return 0
  status=0
  python3 - "$e2e_dir/query.reg" "$2" <<'PY' || status=$?
import sys
text = open(sys.argv[1], encoding="utf-16").read()
# The exported key's own section comes first; its values end at the next one.
section = text.split("\n[", 2)[1].split("\n", 1)[1] if "\n[" in text else ""
prefix = '"' + sys.argv[2].replace("\\", "\\\\").replace('"', '\\"') + '"='
for line in section.replace("\\\r\n  ", "").replace("\\\n  ", "").splitlines():
    if not line.startswith(prefix):
        continue
    data = line[len(prefix):]
    if data.startswith('"'):
        value, escaped = [], False
        for c in data[1:]:
            if escaped:
                value.append(c)
                escaped = False
            elif c == "\\":
                escaped = True
            elif c == '"':
                break
            else:
                value.append(c)
        data = "".join(value)
    print(data)
    sys.exit(0)
sys.exit(3)
PY
  [ "$status" -ne 3 ] || return 1
  [ "$status" -eq 0 ] || fail "the export of $1 could not be read"
}
reg_key_exists() { reg_query "$1" >/dev/null; }
reg_key_absent() { ! reg_key_exists "$1"; }

# The window's picture as a PNG file.
snapshot() { import -window "$1" "$2"; }
# How many pixels two pictures of the same size differ in; a picture that
# compare cannot read ends the script.
pictures_differ_by() {
  local count status=0
  # compare's status 1 says only that they differ; 2 is an error.
  count=$(compare -metric AE "$1" "$2" null: 2>&1) || status=$?
  [ "$status" -le 1 ] || fail "compare $1 $2: $count"
  awk '{ print int($1) }' <<<"$count"
}
same_picture() { [ "$(pictures_differ_by "$1" "$2")" -eq 0 ]; }
# bright_pixels X Y WIDTH HEIGHT: how many pixels of that rectangle of the
# screen are bright (text, outlines).
bright_pixels() {
  local count
  count=$(import -window root -crop "${3}x${4}+${1}+${2}" +repage png:- |
    convert png:- -colorspace Gray -threshold 60% -format '%[fx:int(mean*w*h)]' info:) ||
    fail "the screen's rectangle $3x$4+$1+$2 could not be read"
  echo "$count"
}

# start_input_recorder [LEFT TOP [NAME]]: another program's window of 300 x
# 120, away from Tessaro's (by default at 20,20;
# tests/e2e/programs/input_recorder.cpp), once it shows; it writes what it
# receives to $recorder_log, one line each. Its centre is $recorder_point.
# With NAME the program runs as NAME.exe (a copy), its window is titled
# NAME and it writes to NAME.txt.
start_input_recorder() {
  local left=${1:-20} top=${2:-20} name=${3:-}
  local program=$TESSARO_BUILD/input_recorder.exe title="Input recorder" log=recorded
  if [ -n "$name" ]; then
    program=$e2e_dir/$name.exe title=$name log=$name
    cp "$TESSARO_BUILD/input_recorder.exe" "$program"
  fi
  recorder_log=$e2e_dir/$log.txt
  recorder_point="$((left + 150)) $((top + 60))"
  wine "$program" "$(winepath -w "$e2e_dir")\\$log.txt" "$left" "$top" 300 120 "$title" \
    </dev/null >>"$e2e_wine_log" 2>&1 &
  e2e_pids+=("$!")
  timeout 30 xdotool search --sync --onlyvisible --name "^$title\$" >/dev/null ||
    fail "the recording window $title did not show"
}
# Whether the recording window got a left click.
recorder_clicked() { grep -qx 'lbuttondown 0' "$recorder_log" 2>/dev/null; }

tray_shown() {
  local w
  for w in $(xdotool search --name '^Wine System Tray$' 2>/dev/null || true); do is_viewable "$w" && return 0; done
  return 1
}

# watch_settings_reads: from now on counts the reads of the settings file
# (each time it is closed after being opened without writing; the folder
# is made if it is missing). settings_reads gives the count, so a script
# can wait for the program's next settings load.
watch_settings_reads() {
  [ -z "${e2e_reads_watcher:-}" ] || kill "$e2e_reads_watcher" 2>/dev/null || true
  mkdir -p "$(dirname "$SETTINGS_FILE")"
  rm -f "$e2e_dir/settings_reads"
  python3 "$e2e_lib/file_reads.py" "$SETTINGS_FILE" "$e2e_dir/settings_reads" &
  e2e_reads_watcher=$!
  e2e_pids+=("$e2e_reads_watcher")
  wait_until 10 test -e "$e2e_dir/settings_reads" || fail "the settings file's reads are not watched"
}
settings_reads() { wc -l <"$e2e_dir/settings_reads"; }
settings_reads_reach() { [ "$(settings_reads)" -ge "$1" ]; }
# copy_settings_file DEST: a copy of the settings file, taken through a link
# of another name, so that the script's own read is not counted as one of
# the program's.
copy_settings_file() {
  ln -f "$SETTINGS_FILE" "$e2e_dir/settings.link" && cp "$e2e_dir/settings.link" "$1" ||
    fail "the settings file could not be copied"
  rm -f "$e2e_dir/settings.link"
}
