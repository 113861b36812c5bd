#!/usr/bin/env bash
# The desktop files validate, and the .deb that CPack builds holds the
# editor, kvztool and the desktop files, with computed dependencies that
# include fonts-wine.
set -euo pipefail
src=$1
build=$2
desktop=$src/resources/desktop
desktop-file-validate "$desktop/org.example.ZlatovirVeduDozezi.desktop"
appstreamcli validate --no-net "$desktop/org.example.ZlatovirVeduDozezi.metainfo.xml"
xmllint --noout "$desktop/zlatovir-kvz-skin.xml"

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
(cd "$build" && cpack -G DEB -B "$out" >/dev/null)
deb=$(ls "$out"/*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
grep -q 'fonts-wine' <<<"$depends"
grep -q 'libqt6widgets6' <<<"$depends"
grep -q 'libjpeg62-turbo' <<<"$depends"
grep -q 'liblcms2-2' <<<"$depends"
contents=$(dpkg-deb -c "$deb")
for f in usr/bin/zlatovir-vedu-dozezi usr/bin/kvztool \
         usr/share/applications/org.example.ZlatovirVeduDozezi.desktop \
         usr/share/metainfo/org.example.ZlatovirVeduDozezi.metainfo.xml \
         usr/share/mime/packages/zlatovir-kvz-skin.xml \
         usr/share/thumbnailers/zlatovir-kvz-skin.thumbnailer \
         usr/share/icons/hicolor/48x48/apps/org.example.ZlatovirVeduDozezi.png \
         usr/share/icons/hicolor/16x16/mimetypes/application-x-kvz-skin.png \
         usr/share/man/man1/kvztool.1.gz \
         usr/share/man/man1/zlatovir-vedu-dozezi.1.gz \
         usr/share/doc/zlatovir-vedu-dozezi/copyright \
         usr/share/doc/zlatovir-vedu-dozezi/changelog.gz \
         usr/share/bash-completion/completions/kvztool; do
  grep -q "\./$f\$" <<<"$contents" || { echo "missing from the package: $f"; exit 1; }
done
# Debian's own checks find no error and no warning.
lintian --fail-on error,warning "$deb"

# A packager's build: BUILD_TESTING off compiles only what ships, and the
# flags come from the environment as dpkg-buildflags exports them.
packager=$(mktemp -d)
trap 'rm -rf "$out" "$packager"' EXIT
CXXFLAGS="-O2 -DZV_FROM_PACKAGER" LDFLAGS="-Wl,-z,relro" \
  cmake -S "$src" -B "$packager" -DBUILD_TESTING=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
sources=$(jq -r '.[].file' "$packager/compile_commands.json" | sed "s|^$src/||" | grep -v '_autogen/' | sort -u)
if grep -Eq '^(tests|fuzz|bench)/|mkshapes' <<<"$sources"; then
  echo "a packager's build compiles more than it ships:"; grep -E '^(tests|fuzz|bench)/|mkshapes' <<<"$sources"; exit 1
fi
# (Read whole first: grep -q leaving a pipe early fails it under pipefail.)
commands=$(jq -r '.[].command' "$packager/compile_commands.json")
grep -q -- '-DZV_FROM_PACKAGER' <<<"$commands" || { echo "the packager's CXXFLAGS were not taken"; exit 1; }
if grep -q -- '-fstack-protector-strong' <<<"$commands"; then
  echo "flags the packager did not set were added"; exit 1
fi
echo "packaging checks passed"
