# Sourced by the scripts and the end-to-end tests.

# vellumo_end_process PID [sudo] ends a server started in the background: cupsd waits for its
# running filters and backends on TERM, and one that hangs must not hold the whole run, so after
# 10 s it and its children are killed. With "sudo", PID is a `sudo server ...`: sudo hands TERM on
# to its server, and the kill goes through sudo.
vellumo_end_process() {
    local pid="$1" as="${2:-}" server i
    kill "$pid" 2>/dev/null || return 0
    for i in $(seq 1 50); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.2
    done
    if kill -0 "$pid" 2>/dev/null; then
        server="$pid"
        [ -z "$as" ] || server="$(pgrep -P "$pid" | head -n 1 || true)"
        if [ -n "$server" ]; then
            $as pkill -KILL -P "$server" 2>/dev/null || true
            $as kill -KILL "$server" 2>/dev/null || true
        fi
        kill -KILL "$pid" 2>/dev/null || true
    fi
    wait "$pid" 2>/dev/null || true
}
