# Sourced by scripts/test, scripts/run and the end-to-end tests: print spoolers of our own.
#
# vellumo_spooler_start AS LOGS [SETTING]... starts a cupsd that serves only the socket
# $VELLUMO_SPOOLER_DIR/cups.sock and writes its logs (error_log, page_log, access_log) into the
# folder LOGS, readable by all; each SETTING is one more line of its cups-files.conf. AS "root" runs
# it as root (through sudo for another user), as the cups-pdf backend needs; "self" as the caller.
# A cupsd of root's runs its filters as the spooler's user "lp", which cannot enter a private
# checkout (a new user's home on Debian 12, a `mktemp -d`): the spooler's request spool, temporary
# files and queue settings therefore live in a folder of the run's own under /tmp, which
# vellumo_spooler_stop removes once it has ended the spooler. Returns 1, with the reason on stderr,
# when the spooler cannot start.
#
# vellumo_print_start [pages] (needs BUILD_DIR, an absolute path) starts one with a cups-pdf queue
# "PDF", the default, writing each job as a PDF into $BUILD_DIR/print/out, exported as
# VELLUMO_PRINT_OUT; the logs, cups-pdf's too, go to $BUILD_DIR/print/log, exported as
# VELLUMO_PRINT_LOG; CUPS_SERVER is exported (Wine's printers are the ones this cupsd lists). With
# "pages", each finished PDF is also rendered as PNG pages "<name>-<n>.png" at 30 dpi, then marked
# "<name>.done", for the tests to read. cups-pdf reads its settings only from /etc/cups, from a file
# named after the queue's URI: the URI carries the run's tag, so two runs never trade pages.

source "$(dirname "${BASH_SOURCE[0]}")/end-process.sh"

VELLUMO_SPOOLER_PID=""
VELLUMO_SPOOLER_DIR=""
VELLUMO_PRINT_CONF=""
VELLUMO_SPOOLER_AS=""
# cupsd and lpadmin live in /usr/sbin, which is not on an ordinary user's PATH.
VELLUMO_SBIN=/usr/sbin

vellumo_spooler_start() {
    local logs="$2" i
    VELLUMO_SPOOLER_AS=""
    [ "$1" != root ] || [ "$(id -u)" -eq 0 ] || VELLUMO_SPOOLER_AS="sudo"
    shift 2
    [ -x "$VELLUMO_SBIN/cupsd" ] || { echo "no print spooler: cupsd is not installed" >&2; return 1; }
    VELLUMO_SPOOLER_DIR="$(mktemp -d /tmp/vellumo-spooler.XXXXXX)" || return 1
    chmod 755 "$VELLUMO_SPOOLER_DIR"
    local dir="$VELLUMO_SPOOLER_DIR"
    mkdir -p "$dir"/{spool,cache,state} "$logs"
    printf '%s\n' "ServerRoot $dir" "RequestRoot $dir/spool" "TempDir $dir/spool" "CacheDir $dir/cache" \
        "StateDir $dir/state" "AccessLog $logs/access_log" "ErrorLog $logs/error_log" "PageLog $logs/page_log" \
        "LogFilePerm 0644" "User lp" "Group lp" "SystemGroup root" "Sandboxing relaxed" "$@" > "$dir/cups-files.conf"
    # A job that fails is ended, not left to stop the queue for every job after it.
    printf '%s\n' "Listen $dir/cups.sock" "Browsing No" "WebInterface No" "ErrorPolicy abort-job" "<Location />" \
        "Order allow,deny" "Allow all" "</Location>" "<Policy default>" "<Limit All>" "Order deny,allow" "</Limit>" \
        "</Policy>" > "$dir/cupsd.conf"
    $VELLUMO_SPOOLER_AS "$VELLUMO_SBIN/cupsd" -f -c "$dir/cupsd.conf" -s "$dir/cups-files.conf" \
        >"$logs/cupsd.out" 2>&1 </dev/null &
    VELLUMO_SPOOLER_PID=$!
    for i in $(seq 1 100); do
        [ -S "$dir/cups.sock" ] && return 0
        kill -0 "$VELLUMO_SPOOLER_PID" 2>/dev/null || break
        sleep 0.1
    done
    echo "the print spooler did not start: $(cat "$logs/cupsd.out" 2>/dev/null)" >&2
    return 1
}

# Adds the queue NAME (device URI, then PPD) to the running spooler and makes it the default.
vellumo_spooler_queue() {
    local said
    said="$(CUPS_SERVER="$VELLUMO_SPOOLER_DIR/cups.sock" "$VELLUMO_SBIN/lpadmin" -p "$1" -E -v "$2" -P "$3" 2>&1 &&
        CUPS_SERVER="$VELLUMO_SPOOLER_DIR/cups.sock" "$VELLUMO_SBIN/lpadmin" -d "$1" 2>&1)" && return 0
    echo "the print queue $1 could not be made: $said" >&2
    return 1
}

# The error lines of the spooler's log in the folder LOGS, of job JOB alone when given.
vellumo_spooler_errors() {
    local job=""
    [ -z "${2:-}" ] || job="\\[Job $2\\] "
    grep -E "^[EACX] \\[[^]]*\\] $job" "$1/error_log" 2>/dev/null || true
}

vellumo_spooler_stop() {
    [ -z "$VELLUMO_SPOOLER_PID" ] || vellumo_end_process "$VELLUMO_SPOOLER_PID" $VELLUMO_SPOOLER_AS
    VELLUMO_SPOOLER_PID=""
    case "$VELLUMO_SPOOLER_DIR" in /tmp/vellumo-spooler.?*) $VELLUMO_SPOOLER_AS rm -rf "$VELLUMO_SPOOLER_DIR" || true ;; esac
    VELLUMO_SPOOLER_DIR=""
}

vellumo_print_start() {
    [ -e /usr/lib/cups/backend/cups-pdf ] || { echo "no PDF printer: cups-pdf is not installed" >&2; return 1; }
    local dir="$BUILD_DIR/print"
    rm -rf "$dir"
    mkdir -p "$dir"/{out,log}
    vellumo_spooler_start root "$dir/log" || return 1
    local tag="vellumo${VELLUMO_SPOOLER_DIR##*.}"
    VELLUMO_PRINT_CONF="/etc/cups/cups-pdf-$tag.conf"
    {
        printf 'Out %s\nSpool %s\nLog %s\n' "$dir/out" "$VELLUMO_SPOOLER_DIR/cups-pdf-spool" "$dir/log"
        if [ "${1:-}" = pages ]; then
            # cups-pdf runs this, as the job's user, once the PDF is whole, so a reader never sees
            # half a document.
            printf '%s\n' '#!/bin/sh' 'pdftoppm -r 30 -png "$1" "${1%.pdf}" && touch "${1%.pdf}.done"' \
                > "$dir/pages.sh"
            chmod 755 "$dir/pages.sh"
            printf 'PostProcessing %s\n' "$dir/pages.sh"
        fi
    } | $VELLUMO_SPOOLER_AS tee "$VELLUMO_PRINT_CONF" >/dev/null
    vellumo_spooler_queue PDF "cups-pdf:/$tag" /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd || return 1
    export CUPS_SERVER="$VELLUMO_SPOOLER_DIR/cups.sock" VELLUMO_PRINT_OUT="$dir/out" VELLUMO_PRINT_LOG="$dir/log"
}

vellumo_print_stop() {
    local as="$VELLUMO_SPOOLER_AS"
    vellumo_spooler_stop
    [ -n "$VELLUMO_PRINT_CONF" ] || return 0
    $as rm -f "$VELLUMO_PRINT_CONF" || true
    VELLUMO_PRINT_CONF=""
    # cups-pdf keeps its log for root alone; the user who printed may read it.
    [ -z "$as" ] || $as chown -R "$(id -u):$(id -g)" "$BUILD_DIR/print/log" || true
}
