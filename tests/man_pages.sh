#!/usr/bin/env bash
# The manual pages: each renders without a warning (groff -ww), and each
# program's --help and its page name the same options.
#
#   man_pages.sh MAN_DIR PROGRAM...
set -euo pipefail

man=$1
shift
command -v groff >/dev/null || { echo "man pages: groff is needed (apt-get install groff-base)" >&2; exit 1; }

status=0
for program in "$@"; do
    name=$(basename "$program")
    page=$man/$name.1
    [ -f "$page" ] || { echo "man pages: no page $page for $name" >&2; status=1; continue; }
    warnings=$(groff -ww -z -man "$page" 2>&1) || true
    if [ -n "$warnings" ]; then
        echo "man pages: $page has warnings:" >&2
        echo "$warnings" >&2
        status=1
    fi
    # The options: every --word (and -h) in the help text and in the page.
    help_options=$("$program" --help | grep -oE -- '(^|[^a-z-])--?[a-z][a-z-]*' | grep -oE -- '--?[a-z][a-z-]*' | sort -u)
    page_options=$(sed 's/\\-/-/g' "$page" | grep -oE -- '(^|[^a-z-])--?[a-z][a-z-]*' | grep -oE -- '--?[a-z][a-z-]*' |
        grep -vE '^-(g|d|[0-9])$' | sort -u)
    if [ "$help_options" != "$page_options" ]; then
        echo "man pages: $name --help and $page name different options:" >&2
        diff <(echo "$help_options") <(echo "$page_options") >&2 || true
        status=1
    fi
done
[ $status -eq 0 ] && echo "man pages: $# pages render cleanly and agree with --help"
exit $status
