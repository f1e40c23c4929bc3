# Shared by the smoke tests (sourced): a fresh working folder beside the game's archives, and the
# wait for the program's window.

# Runs the calling script again ("$0" and its arguments) inside a virtual X server, once. The server
# must not reset when its last client leaves: between two runs of the program the window searches
# come and go, and a program connecting while the server resets finds no display at all.
run_inside_x_server() {
    [ -n "${SMOKE_INSIDE_X:-}" ] && return 0
    export SMOKE_INSIDE_X=1
    exec xvfb-run -a -s "-screen 0 1024x768x24 -noreset" "$@"
}

# Makes a temporary folder holding links to the archives in the data folder $1 and enters it; the
# folder is removed when the script ends. Sets $work.
enter_game_folder() {
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    cd "$work" || exit 1
    for archive in ONLY.ONE DATA.ONE AUDIO.ONE VIDEO.ONE; do
        [ -f "$1/$archive" ] && ln -s "$1/$archive" "$archive"
    done
    return 0
}

# Waits up to 20 s for a window titled "Trazo"; sets $window.
wait_for_window() {
    for _ in $(seq 1 200); do
        window=$(xdotool search --name '^Trazo$' 2>/dev/null | head -n 1)
        [ -n "$window" ] && return 0
        sleep 0.1
    done
    return 1
}
