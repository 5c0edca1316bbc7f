# shellcheck shell=bash
# Sourced by the Windows scripts: wine's COM1 on a Linux dravinor-sim.
#
#   sim_on_com1 SIM [SIM OPTION]...   starts the simulator on a new link and
#                                     maps wine's COM1 to its pseudo-terminal
#   sim_on_com1_link SIM [OPTION]...  the same, COM1 mapped to the link itself,
#                                     which follows the simulator's adapter
#                                     when it is plugged in again (SIGUSR1
#                                     to $sim_pid unplugs, and again replugs)
#   sim_off_com1                      stops it again
#   mingw_runtime_dll_dirs            --dll-dir options for wine-run.sh: the
#                                     folders of the mingw C++ runtime's DLLs
#
# Wine reads HKLM\Software\Wine\Ports when its wineserver starts, so the
# server is restarted after the value is set (WINEPREFIX must be set).

sim_on_com1() {
  start_sim_on_com1 resolved "$@"
}

sim_on_com1_link() {
  start_sim_on_com1 link "$@"
}

start_sim_on_com1() {
  local target=$1
  shift
  sim_dir=$(mktemp -d)
  "$@" --link "$sim_dir/link" >"$sim_dir/sim.out" 2>&1 &
  sim_pid=$!
  for _ in $(seq 50); do [ -e "$sim_dir/link" ] && break; sleep 0.1; done
  local device="$sim_dir/link"
  [ "$target" = link ] || device=$(readlink -f "$sim_dir/link")
  wine reg add 'HKLM\Software\Wine\Ports' /v COM1 /t REG_SZ /d "$device" /f >/dev/null 2>&1
  wineserver -k || true
}

sim_off_com1() {
  kill "$sim_pid" 2>/dev/null || true
  wait "$sim_pid" 2>/dev/null || true
  rm -rf "$sim_dir"
}

mingw_runtime_dll_dirs() {
  local dll
  for dll in libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll; do
    echo --dll-dir
    dirname "$(realpath "$(x86_64-w64-mingw32-g++-posix -print-file-name=$dll)")"
  done
}
