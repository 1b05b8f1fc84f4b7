#!/bin/sh
# Runs a test program on the xcb platform under an X server of its own, as users' keys meet it.
exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" env QT_QPA_PLATFORM=xcb "$@"
