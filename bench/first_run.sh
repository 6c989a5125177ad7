#!/usr/bin/env bash
# Times the README's run command on a fresh Debian 12 machine: a minimal
# Debian root made with debootstrap and given what a developer's machine has
# before any project installs (g++, cmake, git, python3; not timed), a fresh
# clone of this repository's committed HEAD in it, then the run command
# twice without a display. Each run is timed from its start until its window is on the
# screen (the run command's screenshot, taken 2 s after the window maps,
# less those 2 s) and until the command ends. The first run installs its
# packages, fetches the zlib source, makes the Wine prefix and builds; the
# second finds everything done.
# Needs root, debootstrap and the Debian mirror (MIRROR, default
# http://deb.debian.org/debian). The root is made in WORK (default
# /tmp/tessaro-first-run) and removed at the end unless KEEP=1.
# Usage: bench/first_run.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=${WORK:-/tmp/tessaro-first-run}
mirror=${MIRROR:-http://deb.debian.org/debian}
[ "$(id -u)" = 0 ] || { echo "first_run: needs root (debootstrap, chroot)" >&2; exit 1; }
command -v debootstrap >/dev/null || { echo "first_run: needs debootstrap (apt-get install debootstrap)" >&2; exit 1; }

fresh=$work/root
mounts=(proc sys dev dev/pts dev/shm)
# Never removes the folder while anything is still mounted in it: that
# would remove the host's own /dev entries.
remove_work() {
  if grep -q " $work/" /proc/mounts; then
    echo "first_run: $work still has mounts; not removed" >&2
    return 1
  fi
  rm -rf "$work"
}
cleanup() {
  for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do umount -l "$fresh/${mounts[i]}" 2>/dev/null || true; done
  [ "${KEEP:-0}" = 1 ] || remove_work
}
remove_work || exit 1
mkdir -p "$work"
trap cleanup EXIT

echo "first_run: making a minimal Debian 12 root in $fresh"
debootstrap --variant=minbase bookworm "$fresh" "$mirror" >"$work/debootstrap.log" 2>&1 ||
  { tail -n 5 "$work/debootstrap.log" >&2; exit 1; }
cp /etc/resolv.conf "$fresh/etc/resolv.conf"
for m in "${mounts[@]}"; do mount --bind "/$m" "$fresh/$m"; done
chroot "$fresh" bash -c 'export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq && apt-get install -y -qq --no-install-recommends g++ cmake git python3 ca-certificates >/dev/null'
git clone -q "$root" "$fresh/root/tessaro"

cat >"$fresh/root/time_runs.sh" <<'EOF'
cd /root/tessaro
now() { python3 -c 'import time; print(time.time())'; }
for n in 1 2; do
  start=$(now)
  status=0
  env -u DISPLAY bash scripts/run.sh >"/root/run$n.log" 2>&1 || status=$?
  end=$(now)
  if [ -f build/screenshot.png ]; then
    shot=$(python3 -c 'import os; print(os.path.getmtime("build/screenshot.png"))')
    python3 -c "print('run $n (status $status): window on the screen after %.1f s, command ended after %.1f s' % ($shot - 2 - $start, $end - $start))"
  else
    echo "run $n (status $status): no screenshot, so no window"
  fi
  rm -f build/screenshot.png
done
EOF
chroot "$fresh" bash /root/time_runs.sh
echo "first_run: the runs' output is in $fresh/root/run1.log and run2.log (KEEP=1 keeps them)"
