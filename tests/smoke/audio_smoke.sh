#!/usr/bin/env bash
# Runs the real program in a virtual X server with SDL's disk audio driver, in a folder that holds
# the game's archives: the title module, read from AUDIO.ONE at its entry's position, must reach
# the audio file as sound, and the program must still end in order on SIGTERM.
#   audio_smoke.sh PROGRAM DATA_FOLDER
set -u
program=$(realpath "$1")
data=$(realpath "$2")

source "$(dirname "$(realpath "$0")")/smoke_common.sh"
run_inside_x_server "$0" "$program" "$data"

fail() { echo "FAIL: $*"; [ -n "${pid:-}" ] && kill -9 "$pid" 2>/dev/null; exit 1; }

[ -f "$data/AUDIO.ONE" ] || fail "no AUDIO.ONE in $data"
command -v sox > /dev/null || fail "sox is needed to measure the sound"
enter_game_folder "$data"

export SDL_AUDIODRIVER=disk
export SDL_DISKAUDIOFILE="$work/audio.raw"

"$program" > out.txt 2>&1 &
pid=$!
wait_for_window || { cat out.txt; fail "no window titled Trazo appeared"; }
sleep 2
kill -0 "$pid" 2>/dev/null || { cat out.txt; fail "the program ended by itself"; }
kill -TERM "$pid"
wait "$pid"
code=$?
pid=
[ "$code" -eq 0 ] || fail "SIGTERM gave exit code $code"

[ -s audio.raw ] || fail "the disk audio driver wrote nothing"
bytes=$(stat -c %s audio.raw)
peak=$(sox -t raw -r 44100 -e signed -b 16 -c 2 audio.raw -n stat 2>&1 |
       awk '/Maximum amplitude/ {print $3}')
awk -v p="$peak" 'BEGIN { exit !(p > 0.01) }' || fail "the audio is silent (peak $peak)"
echo "PASS: $bytes bytes of audio, peak amplitude $peak"
