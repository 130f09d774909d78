#!/usr/bin/env bash
# Installs the built program into a temporary prefix and checks it as a user gets it: the
# desktop entry and the AppStream data validate, and Kolvane, started by the entry's Exec line
# offscreen with an empty data folder, gets through its first start and finds what it ships
# under the prefix; the uninstall then leaves nothing. With --deb it also builds the Debian
# package from a copy of the sources (without running the tests again), looks into it and has
# lintian check it.
#
#   scripts/check-install.sh [--deb] [BUILD_DIR]
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
deb=0
if [ "${1:-}" = "--deb" ]; then
  deb=1
  shift
fi
build="$(cd "${1:-$root/build}" && pwd)"
id="org.kolvane.Kolvane"

tmp="$(mktemp -d)"
pid=""
# Every install from the build folder rewrites its list of installed files; the list of the
# user's own last install is put back.
manifest="$build/install_manifest.txt"
if [ -f "$manifest" ]; then cp -p "$manifest" "$tmp/manifest"; fi
cleanup() {
  if [ -n "$pid" ]; then kill -KILL "$pid" 2>/dev/null || true; fi
  if [ -f "$tmp/manifest" ]; then cp -p "$tmp/manifest" "$manifest"; else rm -f "$manifest"; fi
  rm -rf "$tmp"
}
trap cleanup EXIT
fail() {
  echo "check-install: $*" >&2
  if [ -s "$tmp/out" ]; then sed 's/^/  | /' "$tmp/out" >&2; fi
  exit 1
}

prefix="$tmp/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null

entry="$prefix/share/applications/$id.desktop"
desktop-file-validate "$entry" || fail "the desktop entry does not validate"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" >/dev/null ||
  fail "the AppStream data does not validate"
for f in "$root"/data/files/*; do
  [ -f "$prefix/share/kolvane/${f##*/}" ] || fail "not installed: share/kolvane/${f##*/}"
done
icon="$(sed -n 's/^Icon=//p' "$entry")"
for f in scalable/apps/$icon.svg 22x22/apps/$icon.png 256x256/apps/$icon.png; do
  [ -f "$prefix/share/icons/hicolor/$f" ] || fail "the entry's icon is not installed: $f"
done
program="$(sed -n 's/^Exec=//p' "$entry")"
[ "$program" = "$prefix/bin/Kolvane" ] || fail "the entry starts '$program', not $prefix/bin/Kolvane"
installed="$(readlink -f "$program")"

# Kolvane offscreen: no display, no sound device, a runtime folder of its own so that no other
# Kolvane answers for it. SIGTERM goes once Kolvane has taken the signal; the first window's
# event loop serves it, closes that window and ends the start the orderly way, which needs the
# start to have come through and writes the settings.
home="$tmp/home"
mkdir -m 700 "$tmp/run"
start_and_end() {
  env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen KOLVANE_HOME="$home" \
    XDG_RUNTIME_DIR="$tmp/run" XDG_CONFIG_HOME="$tmp/config" XDG_CACHE_HOME="$tmp/cache" \
    LD_DEBUG=files LD_DEBUG_OUTPUT="$tmp/ld" "$program" >"$tmp/out" 2>&1 &
  pid=$!
  local caught=0 i
  for i in $(seq 400); do
    # SIGTERM (15) is bit 14 of the mask of caught signals. Until the shell's child has become
    # Kolvane, the mask is the shell's, which catches SIGTERM for its exit trap.
    mask=""
    if [ "$(readlink "/proc/$pid/exe" 2>/dev/null)" = "$installed" ]; then
      mask="$(sed -n 's/^SigCgt:[[:space:]]*//p' "/proc/$pid/status" 2>/dev/null || true)"
    fi
    if [ -n "$mask" ] && (((0x$mask >> 14) & 1)); then
      caught=1
      break
    fi
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.05
  done
  [ "$caught" = 1 ] || fail "Kolvane did not come up"
  kill -TERM "$pid"
  for i in $(seq 400); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.05
  done
  kill -0 "$pid" 2>/dev/null && fail "Kolvane did not end within 20 s of SIGTERM"
  local rc=0
  wait "$pid" || rc=$?
  pid=""
  [ "$rc" = 0 ] || fail "Kolvane ended with status $rc"
}

# The first start: it makes the data folder and comes through its first window.
start_and_end
[ -f "$home/Kolvane32.ini" ] || fail "the first start did not come through (no settings written)"

# Again with sounds on: the sound module loads at the first sound, and only for a sound file it
# found, so loading it from the prefix shows both in their installed places.
sed -i 's/^oto=1\r$/oto=0\r/' "$home/Kolvane32.ini"
rm -f "$tmp"/ld.*
start_and_end
grep -q "file=$prefix/[^ ]*/kolvane/libkolvane_sound.so .*dynamically loaded" "$tmp"/ld.* ||
  fail "no sound file or no sound module found under the prefix"

# The uninstall removes every file and the folders the install made.
"$root/scripts/uninstall.sh" "$build" >/dev/null
[ ! -e "$prefix" ] || fail "the uninstall left: $(cd "$prefix" && find . -mindepth 1 | head -5)"

if [ "$deb" = 1 ]; then
  # Built where the build folders are not, so that neither gets into the other.
  mkdir "$tmp/deb" "$tmp/deb/src"
  tar -C "$root" --exclude=./.git --exclude=./build --exclude='./build-*' --exclude='./obj-*' \
    --exclude=./debian/.debhelper --exclude=./debian/kolvane --exclude=./debian/files -cf - . |
    tar -C "$tmp/deb/src" -xf -
  (cd "$tmp/deb/src" &&
    DEB_BUILD_OPTIONS="nocheck parallel=$(nproc)" dpkg-buildpackage -b -us -uc >"$tmp/out" 2>&1) ||
    fail "dpkg-buildpackage failed"
  package="$(echo "$tmp"/deb/kolvane_*.deb)"
  [ -f "$package" ] || fail "dpkg-buildpackage made no kolvane_*.deb"
  depends="$(dpkg-deb -f "$package" Depends)"
  for p in libqt6widgets6 libcanberra0 qt6-qpa-plugins fonts-ipafont-gothic fonts-ipafont-mincho; do
    [[ "$depends" == *"$p"* ]] || fail "the package does not depend on $p: $depends"
  done
  contents="$(dpkg-deb -c "$package")"$'\n'
  for f in bin/Kolvane bin/tavikg lib/kolvane/libkolvane_sound.so lib/kolvane/libkolvane_print.so \
    share/kolvane/tukare.wav share/man/man1/Kolvane.1.gz share/man/man1/tavikg.1.gz \
    share/doc/kolvane/copyright; do
    [[ "$contents" == *" ./usr/$f"$'\n'* ]] || fail "the package lacks /usr/$f"
  done
  packaged_entry="$(dpkg-deb --fsys-tarfile "$package" | tar -xO "./usr/share/applications/$id.desktop")"
  [[ "$packaged_entry" == *$'\nExec=/usr/bin/Kolvane\n'* ]] ||
    fail "the package's entry does not start /usr/bin/Kolvane"
  lintian --pedantic --fail-on error,warning "$tmp"/deb/kolvane_*.changes >"$tmp/out" 2>&1 ||
    fail "lintian finds faults in the package"
fi
echo "check-install: installed Kolvane starts and finds its files"
