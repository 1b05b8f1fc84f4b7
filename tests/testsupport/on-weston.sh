#!/bin/sh
# Runs a test program on the Wayland platform under a headless compositor of its own.
# Listing the cases needs none: a build without a display lists them too.
case " $* " in *" --gtest_list_tests "*) exec "$@" ;; esac
runtime=$(mktemp -d)
chmod 700 "$runtime"
export XDG_RUNTIME_DIR=$runtime
weston --backend=headless-backend.so --socket=wayland-test --idle-time=0 >"$runtime/weston.log" 2>&1 &
compositor=$!
for _ in $(seq 1 50); do [ -S "$runtime/wayland-test" ] && break; sleep 0.1; done
# A compositor without a seat has no keyboard: Qt's Wayland input method then fails on the
# first key, which users (who have one) never meet.
WAYLAND_DISPLAY=wayland-test QT_QPA_PLATFORM=wayland QT_IM_MODULE=compose "$@"
code=$?
kill "$compositor" 2>/dev/null
wait "$compositor" 2>/dev/null
rm -rf "$runtime"
exit $code
