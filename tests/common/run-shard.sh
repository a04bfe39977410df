#!/bin/sh
# Runs one share of a Qt Test program's functions, so that a long suite runs as several tests side by side:
#   run-shard.sh [--own-display] PROGRAM SHARE SHARES
# runs the functions whose place in the program's own list, counted from 1, leaves SHARE when divided by SHARES
# (SHARES for none left). A share that would hold no function fails: the split must not hide a suite.
# --own-display runs the share on an X server of its own (Xvfb), so that shares that look for their windows by
# name on the screen do not find each other's.
set -eu
own_display=0
if [ "${1:-}" = --own-display ]; then
    own_display=1
    shift
fi
program=$1
share=$2
shares=$3

# Listing needs no display, whatever platform the run itself is on.
listed=$(QT_QPA_PLATFORM=offscreen "$program" -functions) || {
    echo "run-shard.sh: $program did not list its functions" >&2
    exit 1
}
selected=$(printf '%s\n' "$listed" | sed -n 's/^\([A-Za-z_][A-Za-z0-9_]*\)()$/\1/p' |
    awk -v share="$share" -v shares="$shares" '(NR - 1) % shares == share - 1')
if [ -z "$selected" ]; then
    echo "run-shard.sh: share $share of $shares of $program holds no test function" >&2
    exit 1
fi

if [ "$own_display" = 1 ]; then
    # Xvfb picks a free display itself and writes its number once it accepts clients.
    folder=$(mktemp -d)
    mkfifo "$folder/display"
    Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp 3>"$folder/display" >"$folder/log" 2>&1 &
    server=$!
    trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; rm -rf "$folder"' EXIT
    read -r number <"$folder/display" || {
        echo "run-shard.sh: Xvfb did not start:" >&2
        cat "$folder/log" >&2
        exit 1
    }
    DISPLAY=":$number"
    export DISPLAY
    # The names are the program's own identifiers: split on the line ends only.
    # shellcheck disable=SC2086
    "$program" $selected
    exit $?
fi
# shellcheck disable=SC2086
exec "$program" $selected
