#!/usr/bin/env bash
# Mendra's one entry point for developers and CI.
#   ./build.sh run    install what is missing, build (a compiler warning fails it), start the program
#   ./build.sh test   install what is missing, build as `run` does, run every test headless; besides, the
#                     threaded suites built with ThreadSanitizer (build-tsan) and the whole suite built with
#                     AddressSanitizer and UndefinedBehaviorSanitizer (build-asan), which run first
# Environment: BUILD_DIR (default build), JOBS (default: all cores), MENDRA_SANITIZE=1 for the ASan/UBSan
# build and suite alone, in build-asan.
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(
    build-essential cmake ninja-build pkg-config clang-format
    qtbase5-dev qttools5-dev qttools5-dev-tools qtwebengine5-dev libqt5svg5-dev libqt5x11extras5-dev qttranslations5-l10n
    libcurl4-openssl-dev libtinyxml2-dev libcjson-dev libzip-dev libssl-dev zip unzip
    libxcb1-dev xvfb xauth x11-utils imagemagick p7zip-full dbus-daemon
    fonts-noto-core fonts-noto-cjk fonts-dejavu-core
    usbmuxd # the device support software; the program installs it at start-up only when it is missing
    python3 python3-aiosmtpd openssl ca-certificates
)

install_missing() {
    local missing=()
    for p in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "build.sh: installing ${missing[*]}"
        local sudo=""
        [ "$(id -u)" -eq 0 ] || sudo="sudo"
        $sudo apt-get update -qq
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
    fi
}

JOBS=${JOBS:-$(nproc)}

# The flags of the build in BUILD_DIR, the same for `run` and `test`: a `test` after a `run` (or the other way round)
# then rebuilds nothing. A compiler warning fails both.
BUILD_FLAGS=(-DMENDRA_WERROR=ON)

build() {
    local dir=$1; shift
    cmake -S . -B "$dir" -G Ninja "$@"
    cmake --build "$dir" -j "$JOBS"
}

run_tests() {
    local dir=$1
    # Tests default to the offscreen platform; the few that need a real X server get this Xvfb. A stage that
    # selects no test fails: a renamed or lost test must not leave it checking less unseen.
    xvfb-run -a -s "-screen 0 1600x1000x24 -nolisten tcp" \
        ctest --test-dir "$dir" --output-on-failure -j "$JOBS" --timeout 600 --no-tests=error
}

# The whole suite built with AddressSanitizer and UndefinedBehaviorSanitizer: a bad access or undefined
# behaviour ends the test that met it. Leaks are not looked for: Qt's and the fonts' caches live until exit.
sanitized_tests() {
    local dir=$1
    build "$dir" -DMENDRA_SANITIZE=ON "${BUILD_FLAGS[@]}"
    ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0} UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1} \
        run_tests "$dir"
}

# Without a display: the program on a virtual display, a screenshot of its first window, then both are
# stopped.
HEADLESS_PIDS=()
stop_headless() {
    local pid
    for pid in "${HEADLESS_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
}
run_headless() {
    local program=$1 shot=$2 display=99
    while [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ]; do display=$((display + 1)); done
    trap stop_headless EXIT
    Xvfb ":$display" -screen 0 1600x1000x24 -nolisten tcp >/dev/null 2>&1 &
    HEADLESS_PIDS+=($!)
    for _ in $(seq 1 100); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
    echo "build.sh: no display; starting Mendra on the virtual display :$display"
    DISPLAY=":$display" "$program" &
    local app=$!
    HEADLESS_PIDS=("$app" "${HEADLESS_PIDS[@]}")
    local shown=0
    for _ in $(seq 1 300); do
        kill -0 "$app" 2>/dev/null || break
        if DISPLAY=":$display" xwininfo -root -tree 2>/dev/null | grep -q '"Tavik Mendra"'; then shown=1; break; fi
        sleep 0.1
    done
    if [ "$shown" != 1 ]; then
        echo "build.sh: Mendra showed no window (it ends at once when another Mendra of this user is running)" >&2
        exit 1
    fi
    sleep 2 # the window loads its pictures after it is first shown
    DISPLAY=":$display" import -window root "$shot"
    echo "build.sh: screenshot of the first window: $(realpath "$shot")"
}

case "${1:-}" in
test)
    install_missing
    if [ "${MENDRA_SANITIZE:-0}" = 1 ]; then
        sanitized_tests "${BUILD_DIR:-build-asan}"
        exit 0
    fi
    BUILD_DIR=${BUILD_DIR:-build}
    build "$BUILD_DIR" "${BUILD_FLAGS[@]}"
    # The device library's threads call back into the program, a bug report is mailed on a thread of its own
    # that the dialog can stop at any time, and the patch check reads its rules on a thread that quitting
    # stops: their tests run under ThreadSanitizer. The sanitizers' stages run first so that the whole suite's
    # summary closes the output.
    cmake -S . -B build-tsan -G Ninja -DMENDRA_TSAN=ON "${BUILD_FLAGS[@]}" >/dev/null
    cmake --build build-tsan -j "$JOBS" \
        --target tst_devicelib tst_smtpclient tst_bugreportthread tst_mymodelbugreport tst_cpatchupdate
    # Qt itself is not built with ThreadSanitizer: what its own code does inside a lock the sanitizer
    # cannot see (the event queue, signal connections, the test runner's watchdog thread) is left out; every
    # access of the program's code and of the device library is still checked. One ctest run for each test, so
    # that a test renamed or gone fails the stage instead of leaving it checking less.
    for threaded in tst_devicelib tst_devicelib_scenario_file tst_smtpclient tst_bugreportthread \
        tst_mymodelbugreport tst_cpatchupdate; do
        TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 ignore_noninstrumented_modules=1" \
            ctest --test-dir build-tsan --output-on-failure --no-tests=error -R "^${threaded}\$"
    done
    sanitized_tests build-asan
    run_tests "$BUILD_DIR"
    ;;
run)
    install_missing
    BUILD_DIR=${BUILD_DIR:-build}
    build "$BUILD_DIR" "${BUILD_FLAGS[@]}"
    program="$BUILD_DIR/bin/mendra"
    if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
        exec "$program"
    fi
    run_headless "$program" "$BUILD_DIR/mendra-screenshot.png"
    ;;
*)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
