#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into BUILD_DIR and runs each one for
# SECONDS, starting from the corpus kept in fuzz/corpus/<target>/. Further
# arguments go to CMake (e.g. -DCMAKE_CXX_COMPILER_LAUNCHER=ccache).
# FUZZ_TARGETS="fuzz_port_map ..." runs only those targets.
# New inputs go to BUILD_DIR/fuzz-corpus, crashes to BUILD_DIR/fuzz-crashes,
# each run's output to BUILD_DIR/fuzz-logs. FUZZ_JOBS targets run at once
# (default: one per core).
set -euo pipefail
cd "$(dirname "$0")/.."
if [ $# -lt 2 ]; then
  echo "usage: fuzz/run.sh BUILD_DIR SECONDS [CMAKE_ARGS...]" >&2
  exit 1
fi
dir=$1
seconds=$2
shift 2
targets=(fuzz_link fuzz_parameter_file fuzz_live_frame fuzz_lang_reader fuzz_port_map fuzz_live_csv fuzz_journal_reader
         fuzz_car_book_import)
if [ -n "${FUZZ_TARGETS:-}" ]; then
  read -r -a targets <<<"$FUZZ_TARGETS"
fi

# The compiler cache, as scripts/build.sh uses it, when it is installed.
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=true
fi
CC=clang CXX=clang++ cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DDRAVINOR_BUILD_FUZZ=ON -DDRAVINOR_BUILD_TESTS=OFF -DDRAVINOR_BUILD_BENCH=OFF "${launcher[@]}" "$@" >/dev/null
cmake --build "$dir" --target "${targets[@]}"

mkdir -p "$dir/fuzz-crashes"
# One target per core at a time, each for the same SECONDS as alone: libFuzzer
# runs on one thread. Each target's output is kept and shown whole, in order.
jobs=${FUZZ_JOBS:-$(nproc)}
logs="$dir/fuzz-logs"
mkdir -p "$logs"
fuzz_one() {
  local target=$1 scratch="$dir/fuzz-corpus/$1" quiet=()
  mkdir -p "$scratch"
  # The language reader notes every text cut to its slot on stderr.
  [ "$target" = fuzz_lang_reader ] && quiet=(-close_fd_mask=2)
  local target_status=0
  "$dir/fuzz/$target" "${quiet[@]}" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$dir/fuzz-crashes/$target-" "$scratch" "fuzz/corpus/$target" >"$logs/$target.log" 2>&1 ||
    target_status=$?
  echo $target_status >"$logs/$target.status"
}
rm -f "$logs"/*.status
for target in "${targets[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n || true; done
  fuzz_one "$target" &
done
wait
status=0
for target in "${targets[@]}"; do
  target_status=$(cat "$logs/$target.status" 2>/dev/null || echo missing)
  echo "== $target: ${seconds}s"
  cat "$logs/$target.log"
  if [ "$target_status" != 0 ]; then
    echo "== $target failed (exit $target_status)"
    status=1
  fi
done
exit $status
