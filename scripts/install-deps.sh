#!/usr/bin/env bash
# Installs the Debian packages a kind of work needs (default: test). Installs
# only what is missing; as a non-root user it prints the exact command to run
# instead (with su -c where there is no sudo).
set -euo pipefail

# What each kind of work needs: `run` builds and starts the editor; `test`
# adds the packaging and install checks; `bench`, `fuzz` and `look` (a real window
# under Xvfb) add their own tools.
set_for() {
  case $1 in
    run) echo cmake g++ make pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev libjpeg-dev liblcms2-dev qt6-l10n-tools fonts-wine ;;
    test) echo "$(set_for run) appstream desktop-file-utils dpkg-dev file libxml2-utils lintian shared-mime-info strace jq bash-completion dbus-daemon dbus-bin libglib2.0-bin qt6-gtk-platformtheme tumbler xvfb xauth" ;;
    bench) echo "$(set_for run) libbenchmark-dev hyperfine jq time" ;;
    fuzz) echo "$(set_for run) clang libclang-rt-14-dev" ;;
    look) echo "$(set_for run) xvfb xauth xdotool imagemagick" ;;
    *) echo "usage: install-deps.sh run|test|bench|fuzz|look" >&2; exit 2 ;;
  esac
}
list=$(set_for "${1:-test}") || exit 2
read -r -a packages <<<"$list"

missing=()
for p in "${packages[@]}"; do
  if [ "$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null)" != "install ok installed" ]; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -eq 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
else
  echo "Missing packages: ${missing[*]}" >&2
  line="apt-get update && apt-get install -y --no-install-recommends ${missing[*]}"
  if command -v sudo >/dev/null; then
    echo "Run: sudo sh -c '$line'" >&2
  else
    echo "Run (as root): su -c '$line'" >&2
  fi
  exit 1
fi
