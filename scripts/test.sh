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

# build_tree BUILD_FOLDER CMAKE_OPTIONS...: configure and build, at the
# priority set in build_nice.
build_nice=0
build_tree() {
    local build=$1
    shift
    local start=$SECONDS
    # Explicit returns: a caller may test the result, which turns errexit off.
    cmake -S . -B "$build" -G Ninja "$@" >/dev/null || return
    nice -n "$build_nice" cmake --build "$build" -j "$jobs" || return
    echo "$build: built in $((SECONDS - start)) s"
}

# test_tree BUILD_FOLDER CTEST_OPTIONS...: every test of a built tree.
test_tree() {
    local build=$1
    shift
    local start=$SECONDS
    # GUI test programs bring their own display; this one is for the
    # processes the other tests start. Without -noreset Xvfb resets whenever
    # its last client leaves and drops a client that is connecting then.
    (cd "$build" && xvfb-run -a -s "-screen 0 1600x1000x24 -noreset" \
        ctest --output-on-failure -j "$jobs" --timeout 300 "$@") || return
    echo "$build: tested in $((SECONDS - start)) s"
}

# Line tables (-g1) are enough for a failing test's stack and compile
# markedly faster than full debug information.
normal=${TESSRIN_BUILD:-build}
build_tree "$normal" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSRIN_SANITIZE=OFF \
    -DTESSRIN_WERROR=$werror -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG"
if [ "$sanitize" != 1 ]; then
    test_tree "$normal"
    echo "all suites passed in $SECONDS s"
    exit 0
fi

# The tests mostly wait on windows, sockets and timers, so the normal suite
# runs while the sanitizer tree builds; the build yields the processor to
# the tests (nice), and the suite's report is printed once it is done.
normal_log=$(mktemp /tmp/tessrin-normal-suite-XXXXXX)
test_tree "$normal" >"$normal_log" 2>&1 &
normal_tests=$!
sanitized=${TESSRIN_SANITIZE_BUILD:-build-asan}
built=0
build_nice=10
build_tree "$sanitized" -DCMAKE_BUILD_TYPE=Debug -DTESSRIN_SANITIZE=ON -DTESSRIN_WERROR=$werror \
    -DCMAKE_CXX_FLAGS_DEBUG="-g1" || built=$?
tested=0
wait "$normal_tests" || tested=$?
cat "$normal_log"
rm -f "$normal_log"
[ "$tested" = 0 ] || { echo "the normal suite failed"; exit "$tested"; }
[ "$built" = 0 ] || { echo "the sanitizer build failed"; exit "$built"; }
# GCC 12's leak checker could crash in its own scan at a program's exit
# ("Tracer caught signal 11"; see TessrinTesting.cmake); a program that
# fails runs once more in case another such crash remains.
test_tree "$sanitized" --repeat until-pass:2
echo "all suites passed in $SECONDS s"
