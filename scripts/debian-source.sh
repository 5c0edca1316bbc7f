# shellcheck shell=bash
# Sourced by the scripts that build a library for Windows from Debian's own
# source package: the source comes through a private apt configuration (deb-src
# entries for the mirror and suites the system's Debian sources use, with lists
# and caches of their own), so the system's apt state stays as it is.
#
#   private_apt_update                  fills the private lists
#   debian_dsc_checksum PKG VERSION     prints the .dsc's sha256, remembered
#                                       under $cache_root (the archive never
#                                       reuses a version): a warm run needs no
#                                       network
#   fetch_debian_source PKG VERSION DIR unpacks the source, Debian's patches
#                                       applied, into DIR
#   stop_when_cached PREFIX             prints PREFIX and exits 0 when it is
#                                       built (PREFIX/.dravinor-complete); exits
#                                       3 when it is not and cached_only=yes
#
# The caller sets work_root and cache_root and defines say and die.

apt_dir=$work_root/apt
apt_options=(-o APT::Sandbox::User=root -o "Dir::Etc::SourceParts=$apt_dir/sources.list.d" -o "Dir::Etc::SourceList=$apt_dir/sources.list"
             -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache")

private_apt_update() {
  mkdir -p "$apt_dir/sources.list.d" "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
  apt-get indextargets --format '$(TARGET_OF) $(REPO_URI) $(RELEASE) $(COMPONENT) $(ORIGIN)' |
    awk '$1 == "deb" && $5 == "Debian" { print "deb-src " $2 " " $3 " " $4 }' | sort -u >"$apt_dir/sources.list"
  [ -s "$apt_dir/sources.list" ] || die "no Debian entry in the system's apt sources to take the mirror from"
  apt-get "${apt_options[@]}" update -qq >&2
}

debian_dsc_checksum() {
  local package=$1 version=$2 file uris
  file=$cache_root/.$package-sources/${package}_$version.dsc.sha256
  if [ ! -s "$file" ]; then
    private_apt_update
    uris=$(apt-get "${apt_options[@]}" source --print-uris -qq "$package=$version" 2>/dev/null) ||
      die "the mirror has no $package $version source (the host's); upgrade the host's package first"
    mkdir -p "$(dirname "$file")"
    awk '$2 ~ /\.dsc$/ { sub(/^SHA256:/, "", $4); print $4 }' <<<"$uris" >"$file"
    [ -s "$file" ] || { rm -f "$file"; die "no .dsc checksum in: $uris"; }
  fi
  cat "$file"
}

stop_when_cached() {
  if [ -e "$1/.dravinor-complete" ]; then
    echo "$1"
    exit 0
  fi
  if [ "${cached_only:-no}" = yes ]; then
    say "not built yet: $1"
    exit 3
  fi
}

fetch_debian_source() {
  local package=$1 version=$2 dir=$3
  mkdir -p "$dir"
  [ -s "$apt_dir/sources.list" ] || private_apt_update
  say "fetching Debian's $package $version source into $dir"
  (cd "$dir" && nice -n 19 apt-get "${apt_options[@]}" source -qq "$package=$version" >&2)
}
