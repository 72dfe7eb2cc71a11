#!/usr/bin/env bash
# package.sh: builds gloamfell_VERSION_ARCH.deb in the repository's root from a
# release build in build-package/, and runs lintian on it when it is installed.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh dpkg-dev lintian
dir=build-package
stage=$dir/stage
TARGETS="gloamfell gloamfell-sim gloamfell-check" scripts/build.sh "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF
rm -rf "$stage"
DESTDIR="$PWD/$stage" cmake --install "$dir" --prefix /usr --strip >/dev/null

version=$(sed -n -E 's/^CMAKE_PROJECT_VERSION:STATIC=(.*)/\1/p' "$dir/CMakeCache.txt")
arch=$(dpkg --print-architecture)
maintainer="The Gloamfell developers <maintainers@gloamfell.org>"

# A native package's changelog; dated by the last commit so a rebuild is the same.
doc=$stage/usr/share/doc/gloamfell
when=$(git log -1 --format=%aD 2>/dev/null || date -R)
printf 'gloamfell (%s) unstable; urgency=medium\n\n  * Release %s.\n\n -- %s  %s\n' \
    "$version" "$version" "$maintainer" "$when" >"$doc/changelog"
gzip -9n "$doc/changelog" "$stage"/usr/share/man/man6/*.6

# dpkg-shlibdeps reads the libraries the programs link against; it insists on a
# debian/control, which a package built this way does not otherwise need.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/debian"
printf 'Source: gloamfell\n\nPackage: gloamfell\nArchitecture: any\n' >"$work/debian/control"
programs=("$PWD/$stage"/usr/games/*)
depends=$(cd "$work" && dpkg-shlibdeps -O "${programs[@]}" 2>/dev/null | sed -n 's/^shlibs:Depends=//p')
[ -n "$depends" ] || { echo "dpkg-shlibdeps found no libraries"; exit 1; }

mkdir -p "$stage/DEBIAN"
cat >"$stage/DEBIAN/control" <<CONTROL
Package: gloamfell
Version: $version
Architecture: $arch
Maintainer: $maintainer
Installed-Size: $(du -sk --exclude=DEBIAN "$stage" | cut -f1)
Depends: $depends
Section: games
Priority: optional
Homepage: https://gloamfell.org/
Description: real-time, tile-based role-playing game in a dark maze
 You steer one creature through a maze seen from above, by the light it
 carries: fight the monsters that live there, pick up gold, weapons and
 armour, gain levels, raise your skills and take the stairs down.
 .
 This package holds the game, its headless driver gloamfell-sim and the
 level checker gloamfell-check.
CONTROL
deb="gloamfell_${version}_${arch}.deb"
dpkg-deb --root-owner-group -Zxz --build "$stage" "$deb" >/dev/null
echo "Built $deb"
# Errors fail the build; the warnings left are listed in the README.
if command -v lintian >/dev/null; then
    lintian --tag-display-limit 0 "$deb"
fi
