#!/usr/bin/env bash
# Benchmark, not a test: the device library's download, verify and unpack against curl, sha1sum and unzip on
# a 1 GiB firmware package, on this machine. Prints one table; a ratio is the reference tool's time divided by
# ours (1.00: as fast; above: faster).
#   bench/devicelib.sh            uses BUILD_DIR (default build) for libzUZArovadu.so
# Needs about 4 GiB free in TMPDIR.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
BUILD_DIR=${BUILD_DIR:-build}
LIB_DIR=$ROOT/$BUILD_DIR/bin
RUNS=${RUNS:-3}
[ -f "$LIB_DIR/libzUZArovadu.so" ] || { echo "build the device library first (./build.sh test)" >&2; exit 1; }

WORK=$(mktemp -d "${TMPDIR:-/tmp}/devicelib-bench.XXXXXX")
SERVER_PID=
cleanup() {
    [ -n "$SERVER_PID" ] && kill "$SERVER_PID" 2>/dev/null || true
    rm -rf "$WORK"
}
trap cleanup EXIT

c++ -O2 -std=c++17 -I"$ROOT" -I"$ROOT/devicelib" bench/restore_timer.cpp -o "$WORK/restore_timer" \
    -L"$LIB_DIR" -lzUZArovadu -Wl,-rpath,"$LIB_DIR"

echo "making a 1 GiB package..." >&2
mkdir -p "$WORK/content/Firmware" "$WORK/served"
printf '<plist version="1.0"><dict><key>ProductVersion</key><string>1</string><key>SupportedProductTypes</key><array><string>Bench1,1</string></array></dict></plist>\n' \
    > "$WORK/content/Restore.plist"
head -c 960M /dev/urandom > "$WORK/content/system.dmg"            # images are mostly incompressible
head -c 192M /dev/zero > "$WORK/content/Firmware/filler.img"       # and partly not
(cd "$WORK/content" && zip -q -1 -r "$WORK/served/package.ipsw" .)
PACKAGE=$WORK/served/package.ipsw
SIZE=$(stat -c %s "$PACKAGE")
SHA1=$(sha1sum "$PACKAGE" | cut -d' ' -f1)

# A loopback server that hands the file to the kernel (sendfile), so neither client waits on it.
PORT=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
python3 - "$WORK/served" "$PORT" <<'PY' &
import http.server, os, sys
root, port = sys.argv[1], int(sys.argv[2])
class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    def do_GET(self):
        path = os.path.join(root, os.path.basename(self.path))
        size = os.path.getsize(path)
        self.send_response(200)
        self.send_header("Content-Length", str(size))
        self.send_header("Connection", "close")
        self.end_headers()
        self.wfile.flush()
        with open(path, "rb") as f:
            self.connection.sendfile(f)
    def log_message(self, *args):
        pass
http.server.ThreadingHTTPServer(("127.0.0.1", port), Handler).serve_forever()
PY
SERVER_PID=$!
URL=http://127.0.0.1:$PORT/package.ipsw
until curl -s -o /dev/null -r 0-0 "$URL"; do sleep 0.1; done

seconds() { local start end; start=$(date +%s.%N); "$@" >/dev/null; end=$(date +%s.%N); awk "BEGIN { print $end - $start }"; }
best() { sort -g | head -1; }

ours_download=() ours_verify=() ours_unpack=() ref_download=() ref_verify=() ref_unpack=()
for run in $(seq "$RUNS"); do
    echo "run $run of $RUNS..." >&2
    rm -rf "$WORK/dl" "$WORK/out"; mkdir -p "$WORK/dl" "$WORK/out"
    ref_download+=("$(seconds curl -s -o "$WORK/dl/curl.ipsw" "$URL")")
    rm -f "$WORK/dl/curl.ipsw"
    ref_verify+=("$(seconds sha1sum "$PACKAGE")")
    ref_unpack+=("$(seconds unzip -q -o "$PACKAGE" -d "$WORK/out")")
    rm -rf "$WORK/out"
    read -r d v u < <("$WORK/restore_timer" "$URL" "$SHA1" "$SIZE" "$WORK/dl")
    ours_download+=("$d"); ours_verify+=("$v"); ours_unpack+=("$u")
done

row() {
    local name=$1 ref=$2 ours=$3 tool=$4
    local r o
    r=$(printf '%s\n' $ref | best); o=$(printf '%s\n' $ours | best)
    printf '| %-8s | %-8s | %8.2f s | %8.2f s | %5.2f |\n' "$name" "$tool" "$r" "$o" "$(awk "BEGIN { print $r / $o }")"
}
printf '\npackage: %s bytes, best of %s runs\n\n' "$SIZE" "$RUNS"
printf '| step     | tool     | tool time  | our time   | ratio |\n|---|---|---|---|---|\n'
row download "${ref_download[*]}" "${ours_download[*]}" curl
row verify "${ref_verify[*]}" "${ours_verify[*]}" sha1sum
row unpack "${ref_unpack[*]}" "${ours_unpack[*]}" unzip
