#!/usr/bin/env bash
# manual_pages.sh BIN_DIR PAGES_DIR PROGRAM...: each program's manual page is
# free of formatter warnings, and the options its OPTIONS section describes
# are exactly those its --help names. --help and --version answer with no
# display at all, as in a terminal over ssh.
set -euo pipefail
bin=$1
pages=$2
shift 2
options() { grep -oE -- '(^|[^[:alnum:]-])--?[[:alpha:]][[:alnum:]-]*' | sed -E 's/^[^-]+//' | sort -u; }
status=0
for program in "$@"; do
    page=$pages/$program.6
    warnings=$(groff -man -ww -z "$page" 2>&1)
    [ -z "$warnings" ] || { echo "$page: $warnings"; status=1; }
    headless=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$bin/$program")
    helped=$("${headless[@]}" --help | options)
    if grep -qx -- --version <<<"$helped"; then
        "${headless[@]}" --version >/dev/null || { echo "$program: --version failed"; status=1; }
    fi
    described=$(sed -n '/^\.SH OPTIONS/,/^\.SH [^O]/p' "$page" | grep -A1 '^\.TP' | grep -v -e '^\.TP' -e '^--$' |
        sed 's/\\-/-/g' | options)
    if [ "$helped" != "$described" ]; then
        echo "$program: --help and the manual page disagree (< --help, > page):"
        diff <(echo "$helped") <(echo "$described") || true
        status=1
    fi
done
exit $status
