#!/bin/sh
# on_weston.sh COMMAND...: runs COMMAND on a private headless Wayland
# compositor (weston) with no X server: WAYLAND_DISPLAY names the
# compositor's socket in a runtime folder of its own, and DISPLAY is unset.
set -eu
runtime=$(mktemp -d)
chmod 700 "$runtime"
weston=""
cleanup() {
    if [ -n "$weston" ]; then
        kill "$weston" 2>/dev/null || true
        wait "$weston" 2>/dev/null || true
    fi
    rm -rf "$runtime"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

export XDG_RUNTIME_DIR="$runtime"
unset DISPLAY
weston --backend=headless-backend.so --socket=wayland-test --idle-time=0 \
    >"$runtime/weston.log" 2>&1 &
weston=$!
tries=0
until [ -S "$runtime/wayland-test" ]; do
    tries=$((tries + 1))
    if [ $tries -ge 100 ] || ! kill -0 "$weston" 2>/dev/null; then
        echo "on_weston: weston did not start:" >&2
        cat "$runtime/weston.log" >&2
        exit 1
    fi
    sleep 0.1
done
WAYLAND_DISPLAY=wayland-test "$@"
