#!/usr/bin/env bash
# Runs a Windows program under wine, as ctest's emulator for the mingw build:
#   wine-run.sh [--dll-dir DIR]... [--output-after] PROGRAM.exe [ARGUMENTS]...
# Each DIR (the Qt prefix's bin, the mingw runtime's folders) goes on the
# program's DLL search path. With --output-after the program's output goes
# to files and is shown when it ends (see below). The wine prefix
# (WINEPREFIX, default /var/tmp/dravinor-wine) is made on first use, and a
# persistent wineserver is left running for it so each further program
# starts in a fraction of a second; `WINEPREFIX=... wineserver -k` ends it.
set -euo pipefail

dll_dirs=()
output_after=false
while [ $# -gt 0 ]; do
  case $1 in
    --dll-dir) dll_dirs+=("$2"); shift 2 ;;
    --output-after) output_after=true; shift ;;
    --) shift; break ;;
    *) break ;;
  esac
done
[ $# -gt 0 ] || { echo "usage: wine-run.sh [--dll-dir DIR]... PROGRAM.exe [ARGUMENTS]..." >&2; exit 2; }

export WINEPREFIX=${WINEPREFIX:-/var/tmp/dravinor-wine}
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko: nothing of ours needs them, and their installers would
# ask. No menu builder: it would copy the Start-menu entries of an installer
# tried here into this machine's own menu.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml,winemenubuilder.exe=}
export WINEARCH=win64

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  wine wineboot --init >/dev/null 2>&1
  wineserver -w
fi
# Persistent; it refuses (harmlessly) when one already runs. A new one gets
# wine's services started at once with no output of ours: started by the
# program below, they would keep its caller's pipe (ctest's, a $(...)) open
# for as long as the server lives.
if wineserver -p </dev/null >/dev/null 2>&1; then
  wine wineboot </dev/null >/dev/null 2>&1 || true
fi

# Wine's drive Z: is the root of the Linux file system.
windows_path() { local p; p=$(realpath "$1"); echo "Z:${p//\//\\}"; }
search_path=()
for dir in "${dll_dirs[@]}"; do
  search_path+=("$(windows_path "$dir")")
done
if [ ${#search_path[@]} -gt 0 ]; then
  WINEPATH=$(IFS=';'; echo "${search_path[*]}")${WINEPATH:+;$WINEPATH}
  export WINEPATH
fi
$output_after || exec wine "$@"

# The first program that opens a window while wine's desktop is closed
# starts it (explorer.exe /desktop), and the desktop takes that program's
# output as its own and keeps it while any program has a window, and a
# second longer. Through a pipe (ctest's) the program seemed never to end: the
# first window test of a run waited out its time-out while the others kept
# the desktop open. Through files, the desktop keeps only files nobody reads.
output=$(mktemp -d)
show_output() {
  cat "$output/out" 2>/dev/null
  cat "$output/err" >&2 2>/dev/null
  rm -rf "$output"
}
trap show_output EXIT
trap 'exit 143' TERM INT
wine "$@" >"$output/out" 2>"$output/err"
