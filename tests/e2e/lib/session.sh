# Sourced by the end-to-end scripts. Each script runs in a throw-away Wine
# prefix of its own: hard links to the project's prefix (made by
# scripts/setup.sh) with its own registry files and an empty documents
# folder, so its settings file, registry values and running instances are
# its own and its wineserver serves nobody else. On exit every process the
# script started is ended and the prefix is removed, also after a failure.
set -euo pipefail
: "${TESSARO_BUILD:?set TESSARO_BUILD to the Windows build folder}"
: "${TESSARO_SOURCE:?set TESSARO_SOURCE to the source tree}"

e2e_base_prefix=${TESSARO_WINEPREFIX:-$TESSARO_SOURCE/build/wineprefix}
e2e_dir=$(mktemp -d)
e2e_pids=()

export WINEPREFIX=$e2e_dir/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
cp -al "$e2e_base_prefix" "$WINEPREFIX"
# wineserver rewrites these whole; the others are only read.
for reg in system.reg user.reg userdef.reg; do
  [ -e "$e2e_base_prefix/$reg" ] && cp --remove-destination "$e2e_base_prefix/$reg" "$WINEPREFIX/$reg"
done
e2e_user_dir=$(find "$WINEPREFIX/drive_c/users" -mindepth 1 -maxdepth 1 ! -name Public | head -1)
rm -rf "$e2e_user_dir/Documents"
mkdir -p "$e2e_user_dir/Documents"
SETTINGS_FILE=$e2e_user_dir/Documents/Vornel/buttonSetting.json

source "$TESSARO_SOURCE/scripts/display.sh"

e2e_cleanup() {
  local status=$?
  for pid in "${e2e_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  # The prefix's own server: it ends only this script's processes.
  wineserver -k 2>/dev/null || true
  for pid in "${e2e_pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$e2e_dir"
  if [ -n "${tessaro_xvfb_pid:-}" ]; then kill "$tessaro_xvfb_pid" 2>/dev/null || true; fi
  exit "$status"
}
trap e2e_cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
# A command that ends a script through set -e says which it was.
trap 'echo "FAIL: ${BASH_SOURCE[0]}:$LINENO: \"$BASH_COMMAND\" exited with status $?" >&2' ERR

# A scenario of data/scenarios by name, or a scenario file by its path.
scenario_path() {
  case $1 in
    */*) winepath -w "$1" ;;
    *) winepath -w "$TESSARO_SOURCE/data/scenarios/$1.json" ;;
  esac
}

# start_tessaro SCENARIO [ARGS...]: starts Tessaro with the simulated
# devices of SCENARIO (see scenario_path), or with the driver library's
# real backend for "real"; its process id is in $tessaro_pid.
start_tessaro() {
  local scenario=$1
  shift
  local -a driver=()
  [ "$scenario" = real ] || driver=("VXLIB_SCENARIO=$(scenario_path "$scenario")")
  env "${driver[@]}" wine "$TESSARO_BUILD/Tessaro.exe" "$@" >/dev/null 2>&1 &
  tessaro_pid=$!
  e2e_pids+=("$tessaro_pid")
}

# run_tessaro ARGS...: a start that is expected to end by itself; its exit
# status is the function's.
run_tessaro() {
  timeout 30 wine "$TESSARO_BUILD/Tessaro.exe" "$@" >/dev/null 2>&1
}

# The main window's X window id, once it is shown (up to 30 seconds).
wait_for_window() {
  timeout 30 xdotool search --sync --onlyvisible --name '^Vornel$' | head -1 || true
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
windows_pid() {
  wine winedbg --command "info process" 2>/dev/null | awk "/'Tessaro.exe'/ { print \"0x\" \$1; exit }" | tr -d '='
}

# vxctl JSON: one command to the simulated driver library of Tessaro.
vxctl() { wine "$TESSARO_BUILD/vxctl.exe" "$(windows_pid)" "$1"; }

# The window's picture as a PNG file.
snapshot() { import -window "$1" "$2"; }
same_picture() { [ "$(compare -metric AE "$1" "$2" null: 2>&1 || true)" = 0 ]; }

# start_input_recorder [LEFT TOP]: another program's window of 300 x 120,
# away from Tessaro's (by default at 20,20;
# tests/e2e/programs/input_recorder.cpp), once it shows; it writes what it
# receives to $recorder_log, one line each. Its centre is $recorder_point.
start_input_recorder() {
  local left=${1:-20} top=${2:-20}
  recorder_log=$e2e_dir/recorded.txt
  recorder_point="$((left + 150)) $((top + 60))"
  wine "$TESSARO_BUILD/input_recorder.exe" "$(winepath -w "$e2e_dir")\\recorded.txt" "$left" "$top" 300 120 \
    >/dev/null 2>&1 &
  e2e_pids+=("$!")
  timeout 30 xdotool search --sync --onlyvisible --name '^Input recorder$' >/dev/null ||
    fail "the recording window did not show"
}
# Whether the recording window got a left click.
recorder_clicked() { grep -qx 'lbuttondown 0' "$recorder_log" 2>/dev/null; }

tray_shown() {
  local w
  for w in $(xdotool search --name '^Wine System Tray$' 2>/dev/null); do is_viewable "$w" && return 0; done
  return 1
}
