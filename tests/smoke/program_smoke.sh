#!/usr/bin/env bash
# Runs the real program in a virtual X server, in a folder that holds the game's archives: its
# window titled "Trazo" appears and shows the picture, a key reaches it, SIGTERM ends it in order
# with exit code 0, and Esc ends it too.
#   program_smoke.sh PROGRAM DATA_FOLDER
set -u
program=$(realpath "$1")
data=$(realpath "$2")

source "$(dirname "$(realpath "$0")")/smoke_common.sh"
run_inside_x_server "$0" "$program" "$data"
enter_game_folder "$data"
export SDL_AUDIODRIVER=dummy

fail() {
    echo "FAIL: $*"
    for log in out1.txt out2.txt; do [ -s "$log" ] && { echo "--- $log"; cat "$log"; }; done
    [ -n "${pid:-}" ] && kill -9 "$pid" 2>/dev/null
    exit 1
}

# First run: a hot key, a look at the screen, then SIGTERM.
"$program" > out1.txt 2>&1 &
pid=$!
wait_for_window || fail "no window titled Trazo appeared"
sleep 0.5
xdotool key F2
sleep 0.3
kill -0 "$pid" 2>/dev/null || fail "the program ended after a hot key"
# The first frame may take a moment on a loaded machine (the renderer starts up): look again.
colours=0
for _ in $(seq 1 50); do
    import -window root shot.png || fail "no screenshot"
    colours=$(convert shot.png -format '%k' info:)
    [ "$colours" -ge 8 ] && break
    sleep 0.2
done
[ "$colours" -ge 8 ] || fail "the screen shows only $colours colours"
kill -TERM "$pid"
wait "$pid"
code=$?
[ "$code" -eq 0 ] || fail "SIGTERM gave exit code $code"

# Second run: Esc on the opening screen ends the program.
"$program" > out2.txt 2>&1 &
pid=$!
wait_for_window || fail "no window on the second run"
sleep 0.5
xdotool keydown Escape
sleep 0.2
xdotool keyup Escape
for _ in $(seq 1 50); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "Esc did not end the program"
wait "$pid"
code=$?
[ "$code" -eq 0 ] || fail "Esc gave exit code $code"
echo "PASS: window, key, screen ($colours colours), SIGTERM and Esc"
