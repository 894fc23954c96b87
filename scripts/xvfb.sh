# Starts Xvfb (with GLX) on a free display when no display is set, and stops it
# again by its process id.
xvfb_pid=""
start_xvfb_if_needed() {
    if [ -n "${DISPLAY:-}" ]; then return 0; fi
    local n
    for n in $(seq 91 140); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -screen 0 1280x1024x24 +extension GLX -nolisten tcp >/dev/null 2>&1 &
        xvfb_pid=$!
        local i
        for i in $(seq 1 50); do
            [ -e "/tmp/.X11-unix/X$n" ] && break
            sleep 0.1
        done
        export DISPLAY=":$n"
        echo "Xvfb on $DISPLAY (pid $xvfb_pid)"
        return 0
    done
    echo "no free display for Xvfb" >&2
    return 1
}
stop_xvfb() {
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi
}
