#!/usr/bin/env bash
# Builds SQLite for 64-bit Windows (mingw-w64) from Debian's own sqlite3
# source package, the same version as the host's libsqlite3-dev: the
# amalgamation (sqlite3.c, made with tclsh) compiled into a static library,
# so the car book needs no DLL beside the programs.
#
# The result goes to a cache folder outside the clone,
#   ${DRAVINOR_QT_CACHE:-/opt/dravinor}/sqlite3-mingw-<version>-<key>
# (include/sqlite3.h, lib/libsqlite3.a, Debian's copyright file), where the
# key hashes the source package's checksum, the compile line and the
# compiler's version. It takes under a minute and is built once per machine;
# the prefix is the last line on stdout, everything else goes to stderr. With
# --cached-only it builds nothing: it prints the prefix when the cache is
# there and exits 3 when it is not. Needs root (apt-get) and Debian's mirror.
set -euo pipefail
cached_only=no
[ "${1:-}" = --cached-only ] && cached_only=yes

cache_root=${DRAVINOR_QT_CACHE:-/opt/dravinor}
work_root=${DRAVINOR_QT_WORK:-/var/tmp/dravinor-qt-build}
triple=x86_64-w64-mingw32

say() { echo "build-sqlite-windows: $*" >&2; }
die() { say "$*"; exit 1; }

packages=(g++-mingw-w64-x86-64-posix libsqlite3-dev tcl dpkg-dev xz-utils make)
mapfile -t missing < <(for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q ' installed$' || echo "$p"; done)
if [ ${#missing[@]} -gt 0 ]; then
  [ "$(id -u)" -eq 0 ] || die "need root to install: ${missing[*]}"
  say "installing ${missing[*]}"
  apt-get update -qq >&2
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
fi

# shellcheck source=scripts/debian-source.sh
source "$(dirname "$0")/debian-source.sh"

debian_version=$(dpkg-query -W -f='${Version}' libsqlite3-dev)   # e.g. 3.40.1-2+deb12u2
version=${debian_version%%-*}
compiler="$triple-gcc-posix"
compiler_id=$(dpkg-query -W -f='${Version}' gcc-mingw-w64-x86-64-posix 2>/dev/null || "$compiler" -dumpversion)
# Debian's own choices where they matter to us (threads, secure delete), and
# no extension loading: the book never loads one.
cflags=(-O2 -fno-strict-aliasing -DSQLITE_THREADSAFE=1 -DSQLITE_SECURE_DELETE -DSQLITE_OMIT_LOAD_EXTENSION
        -DSQLITE_LIKE_DOESNT_MATCH_BLOBS)

mkdir -p "$cache_root"
exec 9>"$cache_root/.sqlite3-mingw.lock"
flock 9

key=$( { debian_dsc_checksum sqlite3 "$debian_version"; echo "$compiler_id"; echo "${cflags[*]}"; } |
       sha256sum | cut -c1-12)
prefix=$cache_root/sqlite3-mingw-$version-$key
stop_when_cached "$prefix"

started=$SECONDS
build_dir=$work_root/sqlite3-$key
rm -rf "$build_dir" "$prefix"
fetch_debian_source sqlite3 "$debian_version" "$build_dir/source"
source_tree=$(find "$build_dir/source" -mindepth 1 -maxdepth 1 -type d -name 'sqlite3-*')
[ -d "$source_tree" ] || die "no unpacked source in $build_dir/source"

log=$build_dir/build.log
run_logged() {
  if ! nice -n 19 "$@" >>"$log" 2>&1; then
    tail -n 30 "$log" >&2
    die "failed: $* (the whole log: $log)"
  fi
}
# The amalgamation is made on the host (its configure only prepares the tools).
mkdir -p "$build_dir/host"
cd "$build_dir/host"
say "making the amalgamation (log: $log)"
run_logged "$source_tree/configure" --disable-tcl
run_logged make sqlite3.c
run_logged "$compiler" "${cflags[@]}" -c sqlite3.c -o sqlite3.o
run_logged "$triple-ar" rcs libsqlite3.a sqlite3.o

mkdir -p "$prefix/include" "$prefix/lib"
cp sqlite3.h sqlite3ext.h "$prefix/include/"
cp libsqlite3.a "$prefix/lib/"
cp "$source_tree/debian/copyright" "$prefix/copyright"
{
  echo "sqlite3 $debian_version (.dsc sha256 $(debian_dsc_checksum sqlite3 "$debian_version"))"
  echo "compiler: $compiler $compiler_id"
  echo "flags: ${cflags[*]}"
  echo "built: $(date -u +%Y-%m-%dT%H:%M:%SZ) in $((SECONDS - started)) s"
} >"$prefix/BUILD-INFO.txt"
touch "$prefix/.dravinor-complete"
cd /
rm -rf "$build_dir"
say "installed in $((SECONDS - started)) s: $prefix"
echo "$prefix"
