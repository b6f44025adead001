#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test under a virtual display.
# In CI (CI set; .ci/run sets it) or with TESSRIN_SANITIZE=1 the suite runs a
# second time in a sanitizer build of its own folder: AddressSanitizer and
# UndefinedBehaviorSanitizer, Debug, with checked containers. CI also treats
# compiler warnings in our code as errors. TESSRIN_SANITIZE=0 skips the
# sanitizer build even in CI; TESSRIN_JOBS limits the parallel jobs.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
jobs=${TESSRIN_JOBS:-$(nproc)}
sanitize=${TESSRIN_SANITIZE:-}
werror=OFF
if [ -n "${CI:-}" ]; then
    werror=ON
    sanitize=${sanitize:-1}
fi

export LANG=C.UTF-8 GDK_BACKEND=x11 GDK_GL=disable NO_AT_BRIDGE=1
unset WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS || true

# Extra ctest options of the next run_suite.
ctest_extra=()

# run_suite BUILD_FOLDER CMAKE_OPTIONS...: configure, build, test.
run_suite() {
    local build=$1
    shift
    local start=$SECONDS
    cmake -S . -B "$build" -G Ninja "$@" >/dev/null
    cmake --build "$build" -j "$jobs"
    local built=$SECONDS
    # GUI test programs bring their own display; this one is for the
    # processes the other tests start. Without -noreset Xvfb resets whenever
    # its last client leaves and drops a client that is connecting then.
    (cd "$build" && xvfb-run -a -s "-screen 0 1600x1000x24 -noreset" \
        ctest --output-on-failure -j "$jobs" --timeout 300 "${ctest_extra[@]}")
    echo "$build: built in $((built - start)) s, tested in $((SECONDS - built)) s"
}

# Line tables (-g1) are enough for a failing test's stack and compile
# markedly faster than full debug information.
run_suite "${TESSRIN_BUILD:-build}" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSRIN_SANITIZE=OFF \
    -DTESSRIN_WERROR=$werror -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG"
if [ "$sanitize" = 1 ]; then
    # GCC 12's leak checker could crash in its own scan at a program's exit
    # ("Tracer caught signal 11"; see TessrinTesting.cmake); a program that
    # fails runs once more in case another such crash remains.
    ctest_extra=(--repeat until-pass:2)
    run_suite "${TESSRIN_SANITIZE_BUILD:-build-asan}" -DCMAKE_BUILD_TYPE=Debug -DTESSRIN_SANITIZE=ON \
        -DTESSRIN_WERROR=$werror -DCMAKE_CXX_FLAGS_DEBUG="-g1"
fi
echo "all suites passed in $SECONDS s"
