#!/usr/bin/env bash
# package-check.sh: the package end to end, as root on a brand-new Debian 12,
# laid out by the fresh-debian tool beside the repository:
#   fresh-debian scripts/package-check.sh
# Builds the .deb from this clone, installs it with apt, and then, as an
# ordinary user, plays and saves a new game on the installed data, checks the
# installed data and asks the game its version.
set -euo pipefail
cd "$(dirname "$0")/.."
export DEBIAN_FRONTEND=noninteractive
scripts/deps.sh lintian
scripts/package.sh
apt-get install -y -qq ./gloamfell_*.deb >/dev/null
echo "Installed $(dpkg-query -W -f='${Package} ${Version}' gloamfell)"

# No test, benchmark or tool program: the only executables are the three.
programs=$(dpkg -L gloamfell | while read -r f; do if [ -f "$f" ] && [ -x "$f" ]; then echo "$f"; fi; done | sort | tr '\n' ' ')
[ "$programs" = "/usr/games/gloamfell /usr/games/gloamfell-check /usr/games/gloamfell-sim " ] ||
    { echo "unexpected programs installed: $programs"; exit 1; }

id player >/dev/null 2>&1 || useradd --create-home player
as_player() { su - player -c "$1"; }
data=/usr/share/games/gloamfell
as_player "gloamfell-sim --player ~/.local/share/gloamfell $data" \
    <<<$'answer menu new\nanswer box no\nanswer input Ann\nstartup\nmenu save' >/dev/null
as_player 'test -s ~/.local/share/gloamfell/saved/Ann.saved'
echo "A new game was played and saved in the player's folder"
[ ! -e "$data/saved" ] || { echo "a save went into the installation"; exit 1; }
as_player "gloamfell-check $data"
echo "The installed data passes gloamfell-check"
as_player 'gloamfell --version'
echo "package check passed"
