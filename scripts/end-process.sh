# Sourced by the scripts and the end-to-end tests.

# Ends a server started in the background: cupsd waits for its running filters and backends on
# TERM, and one that hangs must not hold the whole run, so after 10 s it and its children are killed.
vellumo_end_process() {
    local pid="$1" i
    kill "$pid" 2>/dev/null || return 0
    for i in $(seq 1 50); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.2
    done
    if kill -0 "$pid" 2>/dev/null; then
        pkill -KILL -P "$pid" 2>/dev/null || true
        kill -KILL "$pid" 2>/dev/null || true
    fi
    wait "$pid" 2>/dev/null || true
}
