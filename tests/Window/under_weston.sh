#!/bin/sh
# Runs the command given as the Wayland client of a weston of its own, on a private runtime folder
# and socket name, and stops the compositor after. Weston's headless backend has no seat, so no
# window ever gets the keyboard there (and Qt 6.4's text input crashes without one): weston runs
# as a window of a private X server instead, which gives it a real keyboard and pointer. Exits 77
# (skipped) where weston or Xvfb is missing.
command -v weston >/dev/null && command -v xvfb-run >/dev/null || exit 77
if [ "$1" != --inside-x ]; then
    exec xvfb-run -a -s '-screen 0 1280x1024x24' sh "$0" --inside-x "$@"
fi
shift
runtime=$(mktemp -d) || exit 1 # mode 0700, as a session's runtime folder is
chmod 0700 "$runtime"
export XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY="taskarello-test-$$"
weston --backend=x11-backend.so --use-pixman --output-count=1 --width=1024 --height=768 \
    --socket="$WAYLAND_DISPLAY" --idle-time=0 --no-config --log="$runtime/weston.log" &
weston=$!
trap 'kill $weston 2>/dev/null; wait $weston 2>/dev/null; rm -rf "$runtime"' EXIT
tries=0
until [ -S "$runtime/$WAYLAND_DISPLAY" ]; do
    if ! kill -0 $weston 2>/dev/null || [ $tries -ge 100 ]; then
        echo "weston did not start:" >&2
        cat "$runtime/weston.log" >&2
        exit 1
    fi
    tries=$((tries + 1))
    sleep 0.1
done
# Wayland only: the X server is weston's, not the client's.
env -u DISPLAY QT_QPA_PLATFORM=wayland "$@"
