#!/bin/sh
# Runs a test program on the xcb platform, as users' keys meet it: on the X server of the
# CTest display slot it was given (displays.sh), else under an X server of its own.
# Usage: on-xvfb.sh DISPLAYS-DIR PROGRAM [ARGS...]
# Listing the cases needs none: a build without a display lists them too.
dir=$1
shift
case " $* " in *" --gtest_list_tests "*) exec "$@" ;; esac
if [ -n "${CTEST_RESOURCE_GROUP_0_DISPLAYS:-}" ]; then
    id=${CTEST_RESOURCE_GROUP_0_DISPLAYS#id:}
    id=${id%%,*}
    DISPLAY=:$(cat "$dir/$id.nummer") QT_QPA_PLATFORM=xcb exec "$@"
fi
exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" env QT_QPA_PLATFORM=xcb "$@"
