#!/usr/bin/env bash
# The release files made from this build and their installer's whole round
# under Wine:
#  - scripts/package.sh makes the installer and the portable zip, each with
#    Tessaro.exe and VXLIB.dll only, importing system DLLs only; it refuses a
#    build that needs a MinGW runtime DLL;
#  - the shipped Tessaro.exe carries its manifest, version, icon and cursors
#    (read back with icoutils' wrestool and icotool);
#  - a silent installation writes the files, the start with Windows ("/hide"),
#    the Start menu entry and the uninstall entry; Tessaro started as Windows
#    starts it at sign-in runs hidden with its tray icon; installing again
#    ends the running instance and starts the new one; the silent uninstaller
#    ends Tessaro and removes everything but the user's button settings;
#  - a second round in a folder with spaces: the start entry quotes the path,
#    the choice against the start with Windows holds over re-installations,
#    and "/REMOVESETTINGS" removes the settings file too;
#  - the portable zip's Tessaro.exe, unpacked into a folder whose name is not
#    ASCII with a package beside it, starts, reads that package, serves the
#    simulated mouse and ends cleanly on "/close";
#  - a third round installs into such a folder and runs from there.
# e2e-timeout: 900
source "$(dirname "$0")/lib/session.sh"

work=$e2e_dir/release
mkdir -p "$work"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$TESSARO_BUILD/CMakeCache.txt")
[ -n "$version" ] || fail "no project version in $TESSARO_BUILD/CMakeCache.txt"

# Mismatches of a table are all reported before the script stops.
problems=()
check() { # check WHAT ACTUAL EXPECTED
  [ "$2" = "$3" ] || problems+=("$1: got '$2', expected '$3'")
}
check_true() { # check_true WHAT COMMAND...
  local what=$1
  shift
  "$@" || problems+=("$what")
}
stage_done() {
  if [ ${#problems[@]} -gt 0 ]; then
    echo "FAIL: $1:" >&2
    printf '  %s\n' "${problems[@]}" >&2
    exit 1
  fi
  echo "release: $1: ok"
}

# ---- Packaging --------------------------------------------------------------
dist=$work/dist
bash "$TESSARO_SOURCE/scripts/package.sh" --package-only --build "$TESSARO_BUILD" --out "$dist" \
  >"$work/package.log" 2>&1 || { cat "$work/package.log" >&2; fail "package.sh failed"; }
setup=$dist/TessaroSetup-$version.exe
portable_zip=$dist/Tessaro-$version-portable.zip
check_true "installer $setup made" test -s "$setup"
check "portable zip entries" "$(unzip -Z1 "$portable_zip" | sort | tr '\n' ' ')" "Tessaro/Tessaro.exe Tessaro/VXLIB.dll "
unzip -q "$portable_zip" -d "$work/portable"
shipped=$work/portable/Tessaro

# What a clean Windows has, and what ships beside the program.
allowed_imports=" advapi32.dll comctl32.dll gdi32.dll gdiplus.dll kernel32.dll msimg32.dll msvcrt.dll ole32.dll
  oleaut32.dll shell32.dll shlwapi.dll user32.dll uxtheme.dll ws2_32.dll vxlib.dll "
imports() { x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^[[:space:]]*DLL Name: //p'; }
for file in Tessaro.exe VXLIB.dll; do
  [ -n "$(imports "$shipped/$file")" ] || problems+=("$file: no import table read")
  for dll in $(imports "$shipped/$file"); do
    lower=$(echo "$dll" | tr '[:upper:]' '[:lower:]')
    case $allowed_imports in *" $lower"[[:space:]]*) ;; *) problems+=("$file imports $dll") ;; esac
  done
done
check "Tessaro.exe imports the shipped VXLIB.dll" "$(imports "$shipped/Tessaro.exe" | grep -ci '^vxlib\.dll$')" 1

# The shipped library exports the twenty operations of vxlib/include/vxlib.h
# and its profile operation, and nothing else (the operations made for
# tests are in VXLIB_test.dll, which is never shipped), as binutils reads
# its export table.
check_exports() { # check_exports DLL
  local expected="VX_SetCutCursor VX_MISC_LoadBinaryFromID VX_SetHinst VX_InitLib VX_GetDeviceCount
    VX_GetDeviceInfoByIndex VX_RefreshInfo VX_SetTriggerEvent VX_RemoveModelTriggerEvent VX_ClearAllTriggerEvent
    VX_SetSlowdoenModifier vx_checkFunctionClose VX_SetErrStr VX_SetFontSize VX_MISC_CreateRoundPath VX_MISC_Hex2Dec
    isWin11 VX_Stop VX_SetButtonMask VX_FreeLib VX_SetAppProfile"
  local table
  table=$(x86_64-w64-mingw32-objdump -p "$1") || { problems+=("objdump could not read $1"); return; }
  check "$(basename "$1") exports" \
    "$(sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/s/^[[:space:]]*\[ *[0-9]*\] //p' <<<"$table" | LC_ALL=C sort | xargs)" \
    "$(tr -s ' \n' '\n' <<<"$expected" | LC_ALL=C sort | xargs)"
}
check_exports "$shipped/VXLIB.dll"

# A build that needs the MinGW C++ runtime DLL is refused, and nothing is made.
fake=$work/fake-build
mkdir -p "$fake"
printf 'CMAKE_PROJECT_VERSION:STATIC=%s\n' "$version" >"$fake/CMakeCache.txt"
cp "$shipped/VXLIB.dll" "$fake/"
printf '#include <string>\nint main(int argc, char**) { return static_cast<int>(std::string(argc, 0).size()); }\n' |
  x86_64-w64-mingw32-g++-posix -x c++ - -o "$fake/Tessaro.exe"
if bash "$TESSARO_SOURCE/scripts/package.sh" --package-only --build "$fake" --out "$work/fake-dist" \
  >"$work/fake.log" 2>&1; then
  problems+=("package.sh took a Tessaro.exe that imports libstdc++-6.dll")
fi
check_true "package.sh names the DLL it refused" grep -q 'libstdc++-6.dll' "$work/fake.log"
check "files made from the refused build" "$(find "$work" -path "$work/fake-dist/*" -type f | wc -l)" 0
stage_done packaging

# ---- What Tessaro.exe carries -------------------------------------------------
exe=$shipped/Tessaro.exe
wrestool -x --raw -t 24 -n 1 "$exe" >"$work/manifest.xml" 2>/dev/null || true
wrestool -x --raw -t 16 -n 1 "$exe" >"$work/version.bin" 2>/dev/null || true
# One "name=value" line per fact, from the manifest and the version resource.
python3 - "$work/manifest.xml" "$work/version.bin" >"$work/facts.txt" <<'EOF'
import struct, sys
import xml.etree.ElementTree as ET

def local(tag):
    return tag.rsplit('}', 1)[-1]

try:
    root = ET.fromstring(open(sys.argv[1], 'rb').read())
    for element in root.iter():
        name = local(element.tag)
        if name in ('dpiAware', 'dpiAwareness'):
            print(f'{name}={"".join(element.text.split())}')
        elif name == 'requestedExecutionLevel':
            print(f'executionLevel={element.get("level")}')
        elif name == 'assemblyIdentity' and element.get('name') == 'Microsoft.Windows.Common-Controls':
            print(f'commonControls={element.get("version")}')
except Exception as error:
    print(f'manifest=unreadable {error}')

# VS_VERSIONINFO: nodes of (length, value length, type, UTF-16 key, padding,
# value, padding, children), every part aligned to 4 bytes.
data = open(sys.argv[2], 'rb').read()

def node(at):
    length, value_length, kind = struct.unpack_from('<HHH', data, at)
    end_key = data.index(b'\0\0', at + 6)
    while (end_key - at) % 2:
        end_key = data.index(b'\0\0', end_key + 1)
    key = data[at + 6:end_key].decode('utf-16-le')
    value_at = (end_key + 2 + 3) & ~3
    value_size = value_length * 2 if kind == 1 else value_length
    value = data[value_at:value_at + value_size]
    children_at = (value_at + value_size + 3) & ~3
    return key, kind, value, children_at, at + length

def walk(at, end, path):
    while at < end:
        key, kind, value, children_at, next_at = node(at)
        if path and path[-1] != 'VarFileInfo' and kind == 1 and len(path) == 2:
            print(f'{key}={value.decode("utf-16-le").rstrip(chr(0))}')
        walk(children_at, next_at, path + [key])
        at = (next_at + 3) & ~3

try:
    key, kind, value, children_at, end = node(0)
    signature, _, file_ms, file_ls, product_ms, product_ls = struct.unpack_from('<6I', value)
    if signature == 0xFEEF04BD:
        four = lambda ms, ls: f'{ms >> 16}.{ms & 0xFFFF}.{ls >> 16}.{ls & 0xFFFF}'
        print(f'fixedFileVersion={four(file_ms, file_ls)}')
        print(f'fixedProductVersion={four(product_ms, product_ls)}')
    walk(children_at, end, [])
except Exception as error:
    print(f'version=unreadable {error}')
EOF
fact() { sed -n "s/^$1=//p" "$work/facts.txt" | head -1; }
while read -r name expected; do
  check "$name" "$(fact "$name")" "$expected"
done <<EOF
dpiAwareness PerMonitorV2,PerMonitor
dpiAware true/pm
executionLevel asInvoker
commonControls 6.0.0.0
fixedFileVersion $version
fixedProductVersion $version
ProductVersion $version
FileVersion $version
ProductName Tessaro
OriginalFilename Tessaro.exe
EOF

# The program icon in the sizes Windows asks for.
wrestool -x -t 14 -n 128 "$exe" >"$work/icon.ico" 2>/dev/null || true
check "program icon sizes" "$(icotool -l "$work/icon.ico" 2>/dev/null | sed -n 's/.*--width=\([0-9]*\).*/\1/p' | sort -n | tr '\n' ' ')" \
  "16 24 32 48 64 256 "
# The cut tool's cursors as Windows reads them: the group's entries and,
# per entry, the image's hot spot and bitmap width. Table: id, hot spot in
# the 32 px image; larger images have it scaled.
cursor_images() { # cursor_images ID: "width:x,y" per image, by width
  local entry
  for entry in $(wrestool -x --raw -t 12 -n "$1" "$exe" 2>/dev/null | python3 -c '
import struct, sys
data = sys.stdin.buffer.read()
if len(data) >= 6:
    reserved, kind, count = struct.unpack_from("<HHH", data)
    for i in range(count if kind == 2 else 0):
        print(struct.unpack_from("<HHHHIH", data, 6 + 14 * i)[5])'); do
    wrestool -x --raw -t 1 -n "$entry" "$exe" 2>/dev/null | python3 -c '
import struct, sys
data = sys.stdin.buffer.read()
x, y, header, width = struct.unpack_from("<HHIi", data)
print(f"{width}:{x},{y}" if header == 40 else "not-a-bitmap")'
  done | sort -n | tr '\n' ' '
}
while read -r id x y; do
  expected=""
  for size in 32 48 64; do expected+="$size:$((x * size / 32)),$((y * size / 32)) "; done
  check "cursor $id images" "$(cursor_images "$id")" "$expected"
done <<'EOF'
146 16 16
147 8 8
149 16 16
150 16 16
151 16 16
152 16 16
153 16 16
EOF
stage_done resources

# ---- Under Wine ---------------------------------------------------------------
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tessaro'
start_menu_entry="$e2e_user_dir/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Tessaro.lnk"
default_dir=$e2e_user_dir/AppData/Local/Programs/Tessaro
cp "$setup" "$WINEPREFIX/drive_c/TessaroSetup.exe"
scenario=$(scenario_path demo)

# reg_value KEY NAME: the value's data, empty when reg finds none.
reg_value() { reg_query "$1" "$2" || true; }
# Runs a Windows command line as typed (cmd keeps "/D=C:\a b" whole) and
# waits for the program it starts.
run_windows() { VXLIB_SCENARIO=$scenario timeout 120 wine cmd /c "start /wait $*" </dev/null >>"$e2e_wine_log" 2>&1; }
tessaro_processes() {
  local pids
  pids=$(tessaro_windows_pids) || exit 1
  awk 'NF { n++ } END { print n + 0 }' <<<"$pids"
}
has_main_window() { [ -n "$(main_windows)" ]; }
no_main_window() { [ -z "$(main_windows)" ]; }
all_hidden() {
  local w
  for w in $(main_windows); do ! is_viewable "$w" || return 1; done
}
# The program icon in the tray: the tray window shows and holds pixels of
# the icon's teal left button.
tray_has_icon() {
  local w
  for w in $(xdotool search --name '^Wine System Tray$' 2>/dev/null || true); do
    is_viewable "$w" || continue
    import -window "$w" "$work/tray.png" 2>/dev/null || continue
    [ "$(convert "$work/tray.png" -fx 'g > r + 0.2 && b > r + 0.15 ? 1 : 0' -format '%[fx:mean*w*h]' info: 2>/dev/null |
      cut -d. -f1)" -ge 4 ] && return 0
  done
  return 1
}
installed_files() { (cd "$1" 2>/dev/null && ls | sort | tr '\n' ' '); }
# install_into FOLDER: a silent installation into that Windows folder, whose
# files and start entry are checked.
install_into() {
  run_windows "C:\\TessaroSetup.exe /S /D=$1" || fail "installation into '$1' failed"
  check "files in '$1'" "$(installed_files "$(winepath -u "$1")")" "Tessaro.exe Uninstall.exe VXLIB.dll "
  check "start entry for '$1'" "$(reg_value "$run_key" Tessaro)" "\"$1\\Tessaro.exe\" /hide"
}
# start_as_at_sign_in: starts the command of the start entry as Windows
# starts it at sign-in; its parts are in $program (a Unix path) and
# $arguments, the process in $tessaro_pid.
start_as_at_sign_in() {
  local command program_win
  command=$(reg_value "$run_key" Tessaro)
  program_win=${command#\"}
  program_win=${program_win%%\"*}
  arguments=${command#\""$program_win"\"}
  program=$(winepath -u "$program_win") || fail "no program in the start entry '$command'"
  # shellcheck disable=SC2086
  (cd / && VXLIB_SCENARIO=$scenario exec wine "$program" $arguments </dev/null >>"$e2e_wine_log" 2>&1) &
  tessaro_pid=$!
  track_tessaro "$tessaro_pid"
}
# started_hidden WHERE: the Tessaro just started has made its window, keeps
# it hidden and shows its tray icon.
started_hidden() {
  wait_until 30 has_main_window || fail "Tessaro $1 made no main window"
  wait_until 20 tray_has_icon || fail "no tray icon of Tessaro $1"
  wait_until 10 all_hidden || fail "Tessaro $1 did not keep the window hidden"
}

# Round 1: the default folder.
run_windows 'C:\TessaroSetup.exe /S' || fail "the silent installation failed"
dir_win=$(winepath -w "$default_dir")
check "installed files" "$(installed_files "$default_dir")" "Tessaro.exe Uninstall.exe VXLIB.dll "
for file in Tessaro.exe VXLIB.dll; do
  check_true "installed $file is the shipped one" cmp -s "$default_dir/$file" "$shipped/$file"
done
check_true "Start menu entry" test -f "$start_menu_entry"
while IFS='|' read -r key name expected; do
  check "$key $name" "$(reg_value "$key" "$name")" "$expected"
done <<EOF
$run_key|Tessaro|"$dir_win\\Tessaro.exe" /hide
$uninstall_key|DisplayName|Tessaro
$uninstall_key|DisplayVersion|$version
$uninstall_key|InstallLocation|$dir_win
$uninstall_key|UninstallString|"$dir_win\\Uninstall.exe"
$uninstall_key|QuietUninstallString|"$dir_win\\Uninstall.exe" /S
EOF
stage_done "silent installation"

# Started as Windows starts it at sign-in: the command of the Run value.
start_as_at_sign_in
first_pid=$tessaro_pid
check "program of the start entry" "$(realpath -m "$program")" "$(realpath -m "$default_dir/Tessaro.exe")"
check "arguments of the start entry" "$arguments" " /hide"
started_hidden "from the installed folder"
process_alive "$first_pid" || fail "Tessaro from the installed folder ended"
check_true "the settings folder was made" test -d "$e2e_user_dir/Documents/Vornel"
# The user's assignments (a valid document, so the running instance's
# next load takes it without a message).
mkdir -p "$(dirname "$SETTINGS_FILE")"
printf '{"language id":"1033","setting_ver":"2","slowdown enable":"1","slowdown modifier":"4"}' >"$SETTINGS_FILE"
cp "$SETTINGS_FILE" "$work/settings.json"
stage_done "start with Windows"

# Installing again over the running instance ends it and starts the new one.
run_windows 'C:\TessaroSetup.exe /S' || fail "the installation over a running Tessaro failed"
wait_until 20 process_gone "$first_pid" || fail "installing again did not end the running Tessaro"
wait "$first_pid" || fail "the Tessaro that the installation ended ended with status $?"
# The old instance is gone, so a Tessaro with a window is the new one.
restarted() { has_main_window && [ "$(tessaro_processes)" = 1 ]; }
wait_until 30 restarted || fail "Tessaro was not started again after the installation"
wait_until 20 tray_has_icon || fail "the restarted Tessaro has no tray icon"
wait_until 10 all_hidden || fail "the restarted Tessaro showed its window"
check "start entry after the re-installation" "$(reg_value "$run_key" Tessaro)" "\"$dir_win\\Tessaro.exe\" /hide"
check_true "settings kept by the installation" cmp -s "$SETTINGS_FILE" "$work/settings.json"
stage_done "installation over a running instance"

# The silent uninstaller ends Tessaro and removes all but the settings.
check_true "Tessaro recorded its registration" reg_key_exists 'HKCU\Software\Vornel'
# The uninstaller runs on from a copy of itself in the temporary folder.
uninstall() { timeout 60 wine "$@" </dev/null >>"$e2e_wine_log" 2>&1 || true; }
uninstall "$default_dir/Uninstall.exe" /S
folder_gone() { [ ! -e "$1" ]; }
wait_until 30 folder_gone "$default_dir" || fail "the uninstaller left $(installed_files "$default_dir")"
wait_until 15 no_main_window || fail "the uninstaller did not end Tessaro"
wait_until 15 no_tessaro_in_wine || fail "a Tessaro process outlived the uninstaller"
check "start entry after uninstalling" "$(reg_value "$run_key" Tessaro)" ""
check_true "uninstall entry removed" reg_key_absent "$uninstall_key"
check_true "registration removed" reg_key_absent 'HKCU\Software\Vornel'
check_true "Start menu entry removed" folder_gone "$start_menu_entry"
check_true "settings kept by the silent uninstaller" cmp -s "$SETTINGS_FILE" "$work/settings.json"
stage_done "silent uninstallation"

# Round 2: a folder with spaces; no start with Windows, kept over
# re-installations; the settings file removed on request.
spaced_win='C:\Tessaro Test\Mouse Tools'
spaced=$(winepath -u "$spaced_win")
install_into "$spaced_win"
run_windows 'C:\TessaroSetup.exe /S /NOAUTOSTART' || fail "installation with /NOAUTOSTART failed"
check "start entry after /NOAUTOSTART" "$(reg_value "$run_key" Tessaro)" ""
check "installation folder kept by a re-installation" "$(reg_value "$uninstall_key" InstallLocation)" "$spaced_win"
check_true "nothing in the default folder" folder_gone "$default_dir"
run_windows 'C:\TessaroSetup.exe /S' || fail "the third installation failed"
check "start entry after re-installing without /NOAUTOSTART" "$(reg_value "$run_key" Tessaro)" ""
uninstall "$spaced/Uninstall.exe" /S /REMOVESETTINGS
wait_until 30 folder_gone "$spaced" || fail "the uninstaller left $(installed_files "$spaced")"
wait_until 10 folder_gone "$SETTINGS_FILE" || problems+=("/REMOVESETTINGS kept the settings file")
check_true "the empty settings folder removed" folder_gone "$(dirname "$SETTINGS_FILE")"
stage_done "second round"

# ---- Folders whose names are not ASCII ------------------------------------------
foreign_win='C:\Prüfung 測試'
foreign=$(winepath -u "$foreign_win")
trigger_count() { vxctl '{"cmd":"state"}' | tr -d '\r' | python3 -c 'import json, sys; print(len(json.load(sys.stdin)["triggers"]))'; }
# The models' default triggers come from the model catalogue: none without
# one.
catalogue_read() { [ "$(trigger_count)" -gt 0 ]; }

# The portable zip unpacked there, with a model package beside the program,
# which takes the place of the embedded one.
mkdir -p "$foreign"
unzip -q "$portable_zip" -d "$foreign"
package_dir=$(sed -n 's/^TESSARO_PACKAGE_DIR:[A-Z]*=//p' "$TESSARO_BUILD/CMakeCache.txt")
cp "$package_dir/model.pkg" "$foreign/Tessaro/"
TESSARO_EXE=$foreign/Tessaro/Tessaro.exe
start_tessaro demo
[ -n "$(wait_for_window)" ] || fail "the portable Tessaro in '$foreign_win' showed no window"
wait_until 30 catalogue_read || fail "the portable Tessaro in '$foreign_win' read no model catalogue from the package beside it"
end_tessaro
unset TESSARO_EXE
check_true "the portable Tessaro made the settings folder" test -d "$(dirname "$SETTINGS_FILE")"
stage_done "portable zip in '$foreign_win'"

# Round 3: installed into such a folder and started from there as Windows
# starts it at sign-in.
installed_win="$foreign_win\Programme"
installed=$(winepath -u "$installed_win")
install_into "$installed_win"
check "installation folder '$installed_win'" "$(reg_value "$uninstall_key" InstallLocation)" "$installed_win"
stage_done "installation into '$installed_win'"
start_as_at_sign_in
started_hidden "from '$installed_win'"
wait_until 30 catalogue_read || fail "Tessaro from '$installed_win' read no model catalogue"
TESSARO_EXE=$program end_tessaro
uninstall "$installed/Uninstall.exe" /S /REMOVESETTINGS
wait_until 30 folder_gone "$installed" || fail "the uninstaller left $(installed_files "$installed")"
check "start entry after uninstalling from '$installed_win'" "$(reg_value "$run_key" Tessaro)" ""
check_true "uninstall entry removed after '$installed_win'" reg_key_absent "$uninstall_key"
stage_done "third round"
echo "release: ok"
