#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's throw-away prefix.
# The prefix is made by scripts/setup.sh; tests never touch the user's own.
here=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$here/build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
exec wine "$@"
