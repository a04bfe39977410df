#!/usr/bin/env bash
# Benchmark, not a test: how soon the main window maps and what the process holds on the home page, beside a
# bare Qt Widgets window built with the same Qt, on a virtual display of its own. Run it after ./build.sh.
#   bench/startup.sh        uses BUILD_DIR (default build); RUNS starts per case (default 7), SETTLE seconds on
#                           the home page before the memory is read (default 3)
# Cases, started in turn (one round after another, after one round that is not counted): the bare window, and
# for reference the same without Qt's OpenGL integration (QT_XCB_GL_INTEGRATION=none, as the program runs); the
# program with no update server (MENDRA_UPDATE_SERVER set but empty); with an update server that answers,
# one that refuses the connection, and one that accepts it and never answers.
# Prints per case the medians of: the time from process start to the first top-level window's MapNotify, seen
# from outside the program (bench/firstmap.c); RSS and PSS of the main process; the same summed over the main
# process and its child processes (the web engine's); the number of those children. Then the ratios and the
# goals: every update case within 10 % of no server, the program within 2x the bare window, RSS <= 150 MB.
# Everything the program writes goes to a throw-away home (HOME and XDG_* point into a temporary folder).
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
BUILD_DIR=${BUILD_DIR:-build}
RUNS=${RUNS:-7}
SETTLE=${SETTLE:-3}
PROGRAM=$ROOT/$BUILD_DIR/bin/mendra
[ -x "$PROGRAM" ] || { echo "build the program first (./build.sh test)" >&2; exit 1; }

WORK=$(mktemp -d "${TMPDIR:-/tmp}/startup-bench.XXXXXX")
PIDS=()
cleanup() {
    local pid
    for pid in "${PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$WORK"
}
trap cleanup EXIT

echo "building the bare window and the map watcher..." >&2
cmake -S bench/bare -B "$BUILD_DIR/bench-bare" -G Ninja >/dev/null
cmake --build "$BUILD_DIR/bench-bare" >/dev/null
BARE=$ROOT/$BUILD_DIR/bench-bare/bare_window
# shellcheck disable=SC2046 # pkg-config's words are separate arguments
cc -O2 -std=c11 -Wall bench/firstmap.c -o "$WORK/firstmap" $(pkg-config --cflags --libs xcb)

display=99
while [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1600x1000x24 -nolisten tcp >/dev/null 2>&1 &
PIDS+=($!)
for _ in $(seq 1 100); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
[ -e "/tmp/.X11-unix/X$display" ] || { echo "Xvfb did not start" >&2; exit 1; }

mkdir -p "$WORK/home" "$WORK/run" && chmod 700 "$WORK/run"
RUN_ENV=(env -u MENDRA_UPDATE_SERVER -u MENDRA_DEVICE_LIBRARY -u MENDRA_DEVICE_SCENARIO -u MENDRA_EXTRA_CA
         -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u QT_LOGGING_RULES -u QT_XCB_GL_INTEGRATION
         DISPLAY=":$display" HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/home/.config"
         XDG_DATA_HOME="$WORK/home/.local/share" XDG_CACHE_HOME="$WORK/home/.cache" XDG_RUNTIME_DIR="$WORK/run")

# The tests' update server on a free port; it ends when the script's end closes its input.
mkfifo "$WORK/server.in"
python3 tests/common/peers/update_server.py <"$WORK/server.in" >"$WORK/server.out" 2>/dev/null &
PIDS+=($!)
exec {SERVER_INPUT}>"$WORK/server.in"
for _ in $(seq 1 100); do grep -q '^PORT ' "$WORK/server.out" && break; sleep 0.05; done
SERVER_PORT=$(sed -n 's/^PORT //p' "$WORK/server.out")
[ -n "$SERVER_PORT" ] || { echo "the update server did not start" >&2; exit 1; }
CLOSED_PORT=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
UPDATE_PATH=update-product-info/update.php

CASES=(bare bare_nogl none answering refusing silent)
declare -A UPDATE_URL=(
    [none]="" [answering]="http://127.0.0.1:$SERVER_PORT/newest/$UPDATE_PATH"
    [refusing]="http://127.0.0.1:$CLOSED_PORT/$UPDATE_PATH" [silent]="http://127.0.0.1:$SERVER_PORT/hang/$UPDATE_PATH")

# RSS and PSS in kB of the given processes together.
memory_of() {
    local pid rss=0 pss=0 r p
    for pid in "$@"; do
        read -r r p < <(awk '/^Rss:/ {r = $2} /^Pss:/ {p = $2} END {print r + 0, p + 0}' \
            "/proc/$pid/smaps_rollup" 2>/dev/null || echo "0 0")
        rss=$((rss + r)) pss=$((pss + p))
    done
    echo "$rss $pss"
}

descendants_of() {
    ps -e -o pid=,ppid= | awk -v root="$1" '
        { parent[$1] = $2 }
        END { for (p in parent) { q = p; while ((q in parent) && q != root && q > 1) q = parent[q]; if (q == root && p != root) print p } }'
}

# One start of a case: appends "map_ms rss pss all_rss all_pss children" to $WORK/<case>.runs.
run_case() {
    local name=$1 command
    local -a extra=()
    case $name in
    bare) command=("$BARE") ;;
    bare_nogl) command=("$BARE") extra=(QT_XCB_GL_INTEGRATION=none) ;;
    *) command=("$PROGRAM") extra=(MENDRA_UPDATE_SERVER="${UPDATE_URL[$name]}") ;;
    esac
    rm -f "$WORK/map.in" "$WORK/map.out"
    mkfifo "$WORK/map.in"
    "${RUN_ENV[@]}" "${extra[@]}" "$WORK/firstmap" "${command[@]}" <"$WORK/map.in" >"$WORK/map.out" \
        2>>"$WORK/$name.log" &
    local watcher=$!
    exec {hold}>"$WORK/map.in"
    for _ in $(seq 1 1200); do [ -s "$WORK/map.out" ] && break; sleep 0.05; done
    local pid ms
    read -r pid ms <"$WORK/map.out" || true
    if [ -z "${ms:-}" ] || [ "$ms" = -1 ]; then
        echo "$name: no window (see $WORK/$name.log)" >&2
        exec {hold}>&-
        wait "$watcher" || true
        return 1
    fi
    sleep "$SETTLE"
    local -a children
    mapfile -t children < <(descendants_of "$pid")
    local own all
    own=$(memory_of "$pid")
    all=$(memory_of "$pid" "${children[@]}")
    exec {hold}>&-
    wait "$watcher" || true
    echo "$ms $own $all ${#children[@]}" >>"$WORK/$name.runs"
}

median() { sort -g | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }
column_median() { touch "$WORK/$1.runs"; awk -v c="$2" '{print $c}' "$WORK/$1.runs" | median; }

# A start that shows no window is reported and left out.
echo "warming up..." >&2
for name in "${CASES[@]}"; do run_case "$name" || true; done
rm -f "$WORK"/*.runs
for round in $(seq 1 "$RUNS"); do
    echo "round $round of $RUNS..." >&2
    for name in "${CASES[@]}"; do run_case "$name" || true; done
done

# One line per case: name, then the median of each column.
for name in "${CASES[@]}"; do
    printf '%s' "$name"
    for column in 1 2 3 4 5 6; do printf ' %s' "$(column_median "$name" "$column")"; done
    echo
done >"$WORK/medians"

awk -v runs="$RUNS" -v settle="$SETTLE" -v display=":$display" '
    function mb(kb) { return kb / 1024 }
    function verdict(ok) { return ok ? "met" : "MISSED" }
    BEGIN {
        label["bare"] = "bare Qt window"; label["bare_nogl"] = "bare, no OpenGL"; label["none"] = "no update server"; label["answering"] = "server answers"
        label["refusing"] = "connection refused"; label["silent"] = "accepts, never answers"
    }
    { order[NR] = $1; map[$1] = $2; rss[$1] = $3; pss[$1] = $4; allrss[$1] = $5; allpss[$1] = $6; kids[$1] = $7 }
    END {
        printf "\nStart-up on Xvfb %s: medians of %d alternating starts; memory after %s s on the home page\n",
               display, runs, settle
        printf "%-24s %8s %8s %8s %11s %11s %9s\n", "case", "map ms", "RSS MB", "PSS MB", "RSS+child", "PSS+child",
               "children"
        for (i = 1; i <= NR; ++i) {
            n = order[i]
            printf "%-24s %8.1f %8.1f %8.1f %11.1f %11.1f %9d\n", label[n], map[n], mb(rss[n]), mb(pss[n]),
                   mb(allrss[n]), mb(allpss[n]), kids[n]
        }
        printf "\nprogram / bare window, map: %.2fx (goal <= 2x: %s)\n", map["none"] / map["bare"],
               verdict(map["none"] <= 2 * map["bare"])
        printf "program / bare window without OpenGL, map: %.2fx\n", map["none"] / map["bare_nogl"]
        printf "program / bare window, RSS: %.2fx\n", rss["none"] / rss["bare"]
        printf "program RSS on the home page: %.1f MB (goal <= 150 MB: %s)\n", mb(rss["none"]),
               verdict(mb(rss["none"]) <= 150)
        split("answering refusing silent", updates, " ")
        for (i = 1; i <= 3; ++i) {
            n = updates[i]
            printf "%s / no server, map: %.2fx (goal <= 1.10x: %s)\n", label[n], map[n] / map["none"],
                   verdict(map[n] <= 1.1 * map["none"])
        }
    }' "$WORK/medians"
