#!/bin/sh
# Runs a test program on the xcb platform under an X server of its own, as users' keys meet it.
# Listing the cases needs none: a build without a display lists them too.
case " $* " in *" --gtest_list_tests "*) exec "$@" ;; esac
exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" env QT_QPA_PLATFORM=xcb "$@"
