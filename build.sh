#!/usr/bin/env bash
# Mendra's one entry point for developers and CI.
#   ./build.sh run    install what is missing, build, start the program
#   ./build.sh test   install what is missing, build, run every test headless
# Environment: BUILD_DIR (default build), JOBS (default: all cores), MENDRA_SANITIZE=1 for an
# ASan/UBSan build in build-asan.
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(
    build-essential cmake ninja-build pkg-config
    qtbase5-dev qttools5-dev qttools5-dev-tools qtwebengine5-dev libqt5svg5-dev qttranslations5-l10n
    libcurl4-openssl-dev libtinyxml2-dev libcjson-dev libzip-dev libssl-dev zip unzip
    xvfb xauth x11-utils imagemagick p7zip-full dbus-daemon
    fonts-noto-core fonts-noto-cjk fonts-dejavu-core
    python3 openssl ca-certificates
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

build() {
    local dir=$1; shift
    cmake -S . -B "$dir" -G Ninja "$@"
    cmake --build "$dir" -j "$JOBS"
}

run_tests() {
    local dir=$1
    # Tests default to the offscreen platform; the few that need a real X server get this Xvfb.
    xvfb-run -a -s "-screen 0 1600x1000x24 -nolisten tcp" \
        ctest --test-dir "$dir" --output-on-failure -j "$JOBS" --timeout 600
}

case "${1:-}" in
test)
    install_missing
    if [ "${MENDRA_SANITIZE:-0}" = 1 ]; then
        BUILD_DIR=${BUILD_DIR:-build-asan}
        build "$BUILD_DIR" -DMENDRA_SANITIZE=ON
        export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}
    else
        BUILD_DIR=${BUILD_DIR:-build}
        build "$BUILD_DIR"
    fi
    if [ "${MENDRA_SANITIZE:-0}" != 1 ]; then
        # The device library's threads call back into the program: its own tests run under ThreadSanitizer.
        # They run first so that the whole suite's summary closes the output.
        cmake -S . -B build-tsan -G Ninja -DMENDRA_TSAN=ON >/dev/null
        cmake --build build-tsan -j "$JOBS" --target tst_devicelib
        TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" \
            ctest --test-dir build-tsan --output-on-failure -L devicelib
    fi
    run_tests "$BUILD_DIR"
    ;;
run)
    install_missing
    BUILD_DIR=${BUILD_DIR:-build}
    build "$BUILD_DIR"
    if [ ! -x "$BUILD_DIR/bin/mendra" ]; then
        echo "build.sh: the program 'mendra' is not built yet (only its libraries and tests exist so far)." >&2
        exit 1
    fi
    exec "$BUILD_DIR/bin/mendra"
    ;;
*)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
