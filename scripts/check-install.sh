#!/usr/bin/env bash
# Installs what this tree builds the two ways the README gives, checks that
# it works where it landed, removes it as the README says, and checks that
# nothing of it is left:
#   1. the Debian package, system-wide (needs root; CI runs as root);
#   2. `cmake --install` into ~/.local, in a scratch home.
# Usage: scripts/check-install.sh [build-dir]   (after `make build`)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
package=zlatovir-vedu-dozezi
scratch=$(mktemp -d)
installed=no
# A failed check takes the package away again, so that the next run starts clean.
trap '[ "$installed" = yes ] && apt-get purge -y "$package" > /dev/null; rm -rf "$scratch"' EXIT
export XDG_RUNTIME_DIR=$scratch/run
mkdir -m 700 "$XDG_RUNTIME_DIR"

fail() { echo "check-install: $*" >&2; exit 1; }

# The installed editor starts and keeps running (offscreen, stopped after
# two seconds), and the installed kvztool writes a whole skin.
works() { # bin-dir
  local code=0
  QT_QPA_PLATFORM=offscreen HOME=$scratch timeout 2 "$1/zlatovir-vedu-dozezi" || code=$?
  [ "$code" = 124 ] || fail "$1/zlatovir-vedu-dozezi stopped by itself (status $code)"
  rm -f "$scratch/probe.kvz"
  "$1/kvztool" new "$scratch/probe.kvz"
  "$1/kvztool" check "$scratch/probe.kvz" > /dev/null || fail "$1/kvztool wrote no skin the editor would open"
}

# The desktop's way in: a private session bus that finds services in
# <data-dir> starts the editor through its service file, without arguments,
# when a file manager's call to Open arrives, and the editor opens the skin.
# A trace of the bus and what it starts shows both.
id=org.example.ZlatovirVeduDozezi
opens_through_the_bus() { # data-dir bin-dir
  local skin=$scratch/bus-probe.kvz trace=$scratch/bus.trace address=$scratch/bus.address pid=$scratch/bus.pid
  rm -f "$skin" "$trace" "$address" "$pid"
  "$2/kvztool" new "$skin"
  grep -qxF "Exec='$2/zlatovir-vedu-dozezi'" "$1/dbus-1/services/$id.service" || fail "no service file for $id in $1"
  XDG_DATA_DIRS=$1 QT_QPA_PLATFORM=offscreen HOME=$scratch timeout 30 strace -f -qq -s 4096 -o "$trace" -e trace=execve,openat \
    dbus-daemon --session --nofork --print-address=3 --print-pid=4 3>"$address" 4>"$pid" &
  local tracer=$!
  for _ in $(seq 50); do [ -s "$address" ] && [ -s "$pid" ] && break; sleep 0.1; done
  DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$address") gdbus call --session --dest "$id" \
    --object-path "/${id//.//}" --method org.freedesktop.Application.Open "['file://$skin']" '{}' > /dev/null \
    || fail "the bus did not start the editor from $1"
  local opened=no
  for _ in $(seq 50); do
    grep -q "openat(.*\"$skin\", O_RDONLY" "$trace" && { opened=yes; break; }
    sleep 0.1
  done
  local editor
  editor=$(sed -n "s|^\([0-9]*\) *execve(\"$2/zlatovir-vedu-dozezi\", \\[\"$2/zlatovir-vedu-dozezi\"\\].*|\1|p" "$trace")
  [ -n "$editor" ] && kill "$editor"
  kill "$(cat "$pid")"
  wait "$tracer" || true
  [ -n "$editor" ] || fail "the bus did not start $2/zlatovir-vedu-dozezi without arguments"
  [ "$opened" = yes ] || fail "the editor started by the bus did not open the skin"
}

# A file manager's thumbnail service runs the installed thumbnailer entry's
# command as a shell would split it, into the file it made for the picture.
thumbnails_through_the_entry() { # data-dir bin-dir
  local entry=$1/thumbnailers/zlatovir-kvz-skin.thumbnailer out=$scratch/thumbnail.png command
  grep -qxF "TryExec=$2/kvztool" "$entry" || fail "no thumbnailer entry naming $2/kvztool in $1"
  command=$(sed -n 's/^Exec=//p' "$entry")
  command=${command/\%s/64}
  command=${command/\%i/\'$scratch/probe.kvz\'}
  command=${command/\%o/\'$out\'}
  : > "$out"
  (export HOME=/nonexistent; eval "$command") || fail "the thumbnailer entry's command failed: $command"
  file "$out" | grep -q 'PNG image data, 64 x 15' || fail "the thumbnailer wrote no 64-pixel picture"
}

# What is on the system outside the package database, one path a line.
snapshot() {
  find /usr /etc /opt /var/lib -xdev \
    \( -path /var/lib/dpkg -o -path /var/lib/apt -o -path /var/lib/systemd \) -prune -o -print | sort
}

echo "== the Debian package"
[ "$(id -u)" = 0 ] || fail "installing the package needs root: run it as root (su -c or sudo)"
(cd "$build" && cpack -G DEB -B "$scratch/deb" > /dev/null)
deb=$(ls "$scratch"/deb/*.deb)
# The package's dependencies first, so that what the comparison below sees
# is the package alone.
needs=$(dpkg-deb -f "$deb" Depends | sed 's/([^)]*)//g; s/|[^,]*//g; s/,/ /g')
# shellcheck disable=SC2086  # one word a package
apt-get install -y --no-install-recommends $needs > /dev/null
dpkg-query -W "$package" > /dev/null 2>&1 && fail "$package is already installed; remove it first"

before=$scratch/before
snapshot > "$before"
dpkg -i "$deb" > /dev/null
installed=yes
works /usr/bin
[ -f /usr/share/mime/application/x-kvz-skin.xml ] || fail "the MIME database does not know .kvz files"
grep -q "$id.desktop" <<<"$(XDG_DATA_DIRS=/usr/share gio mime application/x-kvz-skin)" \
  || fail "the desktop does not offer the editor for .kvz files"
opens_through_the_bus /usr/share /usr/bin
thumbnails_through_the_entry /usr/share /usr/bin
grep -q '/usr/share/icons/hicolor/scalable/apps/' <<<"$(dpkg -L "$package")" || fail "no scalable icon installed"
apt-get purge -y "$package" > /dev/null
installed=no
dpkg-query -W "$package" > /dev/null 2>&1 && fail "$package is still known to dpkg after purge"
ls /var/lib/dpkg/info/"$package".* > /dev/null 2>&1 && fail "dpkg still keeps files of $package"
if ! diff -u "$before" <(snapshot) > "$scratch/left"; then
  cat "$scratch/left" >&2
  fail "installing and removing the package changed the paths above"
fi
echo "installed, worked, removed, nothing left"

echo "== cmake --install into ~/.local (a home whose path has a space)"
export HOME="$scratch/the home"
local_prefix=$HOME/.local
mkdir -p "$HOME"
cmake --install "$build" --prefix "$local_prefix" > /dev/null
update-mime-database "$local_prefix/share/mime"
works "$local_prefix/bin"
[ -f "$local_prefix/share/mime/application/x-kvz-skin.xml" ] || fail "the ~/.local MIME database does not know .kvz files"
opens_through_the_bus "$local_prefix/share" "$local_prefix/bin"
thumbnails_through_the_entry "$local_prefix/share" "$local_prefix/bin"
# The README's removal: every file the install wrote, then the MIME refresh.
xargs -d '\n' rm -f < "$build/install_manifest.txt"
update-mime-database "$local_prefix/share/mime"
left=$(find "$local_prefix" -type f ! -path "$local_prefix/share/mime/*")
[ -z "$left" ] || fail "left in ~/.local: $left"
[ ! -e "$local_prefix/share/mime/application/x-kvz-skin.xml" ] || fail "the ~/.local MIME database still knows .kvz files"
echo "installed, worked, removed, nothing left"
