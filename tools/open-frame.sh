#!/usr/bin/env bash
# open-frame.sh BUILD_DIR DIALOG LANGUAGE
# Starts the built program in a private home and, as a user would, opens one of its dialog frames from the
# main frame's menu (DIALOG: settings, about or update), after switching the language from the same menu
# when LANGUAGE is de. Meant as the command of a screenshot tool that photographs the display it runs on:
#   shot docs/screenshots/frame-settings-de.png --wait 14 --size 1366x768 -- tools/open-frame.sh build settings de
# The update frame shows the check against a local update server (tests/common/peers/update_server.py)
# that names a newer version. Needs xdotool and python3. Runs until it is stopped.
set -u
[ $# -eq 3 ] || { echo "usage: open-frame.sh BUILD_DIR settings|about|update en|de" >&2; exit 2; }
build=$(cd "$1" && pwd); dialog=$2; language=$3
source_dir=$(cd "$(dirname "$0")/.." && pwd)
home=$(mktemp -d)
server_pid=""
program_pid=""
trap 'kill $server_pid $program_pid 2>/dev/null; rm -rf "$home"' EXIT

mkdir -p "$home/data/Tavik/Mendra" "$home/home" "$home/config" "$home/runtime" "$home/system/usr/sbin"
chmod 700 "$home/runtime"
# The device support software counts as installed, so no install dialog comes first.
install -m 755 /dev/null "$home/system/usr/sbin/usbmuxd"
export XDG_DATA_HOME=$home/data HOME=$home/home XDG_CONFIG_HOME=$home/config XDG_RUNTIME_DIR=$home/runtime
export MENDRA_SYSTEM_ROOT=$home/system LANGUAGE=en LC_ALL=C.UTF-8
unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY all_proxy ALL_PROXY
# Nothing leaves the machine: the statistics page finds no host, the update check only the local server.
export QTWEBENGINE_CHROMIUM_FLAGS='--no-sandbox --disable-gpu "--host-resolver-rules=MAP * 127.0.0.1:9"'
export QTWEBENGINE_DISABLE_SANDBOX=1 MENDRA_UPDATE_SERVER=
if [ "$dialog" = update ]; then
    # The server runs while its standard input, a pipe of this script's, stays open.
    coproc SERVER { exec python3 -u -B "$source_dir/tests/common/peers/update_server.py" --newest 1.1.0 \
        --download https://dl.tavik.example/mendra.run; }
    server_pid=$SERVER_PID
    while read -r tag value <&"${SERVER[0]}"; do [ "$tag" = PORT ] && break; done
    export MENDRA_UPDATE_SERVER="http://127.0.0.1:$value/newer/update-product-info/update.php"
    # The start-up offers nothing: the version is skipped there, the menu's check shows it all the same.
    printf '<?xml version="1.0" encoding="UTF-8"?>\n<config><Options><SkipVersion>1.1.0</SkipVersion></Options></config>\n' \
        >"$home/data/Tavik/Mendra/config.xml"
fi

"$build/bin/mendra" &
program_pid=$!
for _ in $(seq 1 200); do
    window=$(xdotool search --name '^Tavik Mendra$' 2>/dev/null | head -1)
    [ -n "$window" ] && break
    sleep 0.1
done
sleep 1.5
eval "$(xdotool getwindowgeometry --shell "$window")"
open_menu() {
    # The menu button is the third from the right in the title bar.
    xdotool mousemove $((X + WIDTH - 83)) $((Y + 15)) click 1
    sleep 0.5
}
keys() { for key in "$@"; do xdotool key "$key"; sleep 0.15; done; }

if [ "$language" = de ]; then
    # Language, then the fifth entry of its submenu: 简体中文, English, Français, 日本語, Deutsch.
    open_menu
    keys Down Return Down Down Down Down Return
    sleep 0.5
fi
open_menu
case $dialog in
settings) keys Down Down Return ;;
about) keys Down Down Down Down Down Return ;;
update) keys Down Down Down Down Down Down Return ;;
esac
wait $program_pid
