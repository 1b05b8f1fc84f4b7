# Shared by the process tests: the real program under Xvfb, driven with xdotool, in a home
# folder of its own that goes with the test. Sourced with the program as its argument.

program=$(realpath "$1")
work=$(mktemp -d)
pid=
trap '[[ -n $pid ]] && kill -9 "$pid" 2>/dev/null; rm -rf "$work"' EXIT
export HOME=$work
unset XDG_CONFIG_HOME
export QT_QPA_PLATFORM=xcb
cd "$work"

main="Liste der gespeicherten Namen"

fail() {
    echo "FAILED: $*"
    grep -v -E "ALSA|^$" "$work/stderr.log" 2>/dev/null | tail -n 20
    exit 1
}

# Waits for a visible window of that title, focuses it and presses the keys; a window that
# is still being mapped is tried again. The keys go through XTEST to the focused window: a
# release sent to a window that has meanwhile closed would leave the key held down, and the
# server's auto-repeat would then answer the next dialog too.
press() {
    local title=$1
    shift
    for _ in $(seq 1 40); do
        local id
        id=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | tail -n 1)
        if [[ -n $id ]] && xdotool windowfocus --sync "$id" 2>/dev/null && sleep 0.3 &&
            xdotool key --clearmodifiers "$@" 2>/dev/null; then
            return 0
        fi
        sleep 0.5
    done
    fail "no window '$title'"
}

# Presses the keys on a dialog until it has closed: a press that came before the dialog had
# the keyboard is repeated, one that closed it is not.
answer() {
    local title=$1
    shift
    local pressed=
    for _ in $(seq 1 60); do
        local id
        id=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | tail -n 1)
        if [[ -z $id ]]; then
            [[ -n $pressed ]] && return 0
            sleep 0.5
            continue
        fi
        if xdotool windowfocus --sync "$id" 2>/dev/null && sleep 0.3 &&
            xdotool key --clearmodifiers "$@" 2>/dev/null; then
            pressed=1
        fi
        sleep 1
    done
    fail "window '$title' did not close"
}

# The X server may still be coming up when this script starts.
for _ in $(seq 1 50); do
    xdotool getdisplaygeometry >/dev/null 2>&1 && break
    sleep 0.2
done

# Ctrl+S in the main window until its note shows (the first press may come before the window
# has the keyboard), then the note is answered.
save_and_close() {
    for _ in $(seq 1 5); do
        press "$main" ctrl+s
        sleep 1
        xdotool search --onlyvisible --name "^Hinweis\$" >/dev/null 2>&1 && break
    done
    answer "Hinweis" Return
}

# The program, with these arguments, in the background.
start() {
    "$program" "$@" 2>>"$work/stderr.log" &
    pid=$!
}

# Keys into the main window, with time for each to take effect.
keys() {
    press "$main" "$@"
    sleep 0.4
}

# The file holds exactly these bytes (a printf format).
same_bytes() {
    local expected actual
    expected=$(printf "$2" | od -An -c)
    actual=$(od -An -c "$1")
    [[ $actual == "$expected" ]] || fail "saved file differs:
$actual
expected:
$expected"
}
finish() {
    code=0
    wait "$pid" || code=$?
    pid=
}

