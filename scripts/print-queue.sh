# Sourced by scripts/test and scripts/run: a PDF printer of the build folder's own. Needs BUILD_DIR
# set to an absolute path.
#
# vellumo_print_start [pages] starts a cupsd whose files and socket live under $BUILD_DIR/print, with
# one cups-pdf queue "PDF" (the default) writing each job as a PDF into $VELLUMO_PRINT_OUT. With
# "pages", each finished PDF is also rendered as PNG pages "<name>-<n>.png" at 30 dpi, then marked
# "<name>.done", for the tests to read. Exports CUPS_SERVER (Wine's printers are the ones this cupsd
# lists) and VELLUMO_PRINT_OUT; returns 1 when cupsd or cups-pdf is missing. Both servers' logs go
# to $BUILD_DIR/print/log.
#
# cups-pdf reads its settings only from /etc/cups, from a file named after the queue's URI: the URI
# carries a tag of the build folder, so runs in two checkouts keep their own output, spool and log
# folders and never trade pages. vellumo_print_stop ends cupsd and removes that file.

source "$(dirname "${BASH_SOURCE[0]}")/end-process.sh"

VELLUMO_CUPSD_PID=""
VELLUMO_PRINT_DIR="$BUILD_DIR/print"
VELLUMO_PRINT_CONF="/etc/cups/cups-pdf-vellumo$(printf '%s' "$BUILD_DIR" | md5sum | cut -c1-8).conf"

vellumo_print_start() {
    command -v cupsd >/dev/null && [ -e /usr/lib/cups/backend/cups-pdf ] || return 1
    local dir="$VELLUMO_PRINT_DIR" sudo="" tag
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    tag="$(basename "$VELLUMO_PRINT_CONF" .conf)"
    tag="${tag#cups-pdf-}"
    rm -rf "$dir"
    mkdir -p "$dir"/{spool,cache,state,log,out}
    printf '%s\n' "ServerRoot $dir" "RequestRoot $dir/spool" "TempDir $dir/spool" \
        "CacheDir $dir/cache" "StateDir $dir/state" "AccessLog $dir/log/access_log" \
        "ErrorLog $dir/log/error_log" "PageLog $dir/log/page_log" "User lp" "Group lp" \
        "SystemGroup root" "Sandboxing relaxed" > "$dir/cups-files.conf"
    printf '%s\n' "Listen $dir/cups.sock" "Browsing No" "WebInterface No" "<Location />" \
        "Order allow,deny" "Allow all" "</Location>" "<Policy default>" "<Limit All>" "Order deny,allow" \
        "</Limit>" "</Policy>" > "$dir/cupsd.conf"
    {
        printf 'Out %s\nSpool %s\nLog %s\n' "$dir/out" "$dir/cups-pdf-spool" "$dir/log"
        if [ "${1:-}" = pages ]; then
            # cups-pdf runs this once the PDF is whole, so a reader never sees half a document.
            printf '%s\n' '#!/bin/sh' 'pdftoppm -r 30 -png "$1" "${1%.pdf}" && touch "${1%.pdf}.done"' \
                > "$dir/pages.sh"
            chmod 755 "$dir/pages.sh"
            printf 'PostProcessing %s\n' "$dir/pages.sh"
        fi
    } | $sudo tee "$VELLUMO_PRINT_CONF" >/dev/null
    cupsd -f -c "$dir/cupsd.conf" -s "$dir/cups-files.conf" >/dev/null 2>&1 </dev/null &
    VELLUMO_CUPSD_PID=$!
    export CUPS_SERVER="$dir/cups.sock"
    local i
    for i in $(seq 1 50); do [ -S "$CUPS_SERVER" ] && break; sleep 0.1; done
    lpadmin -p PDF -E -v "cups-pdf:/$tag" -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd >/dev/null 2>&1 &&
        lpadmin -d PDF >/dev/null 2>&1 || return 1
    export VELLUMO_PRINT_OUT="$dir/out"
}

vellumo_print_stop() {
    [ -n "$VELLUMO_CUPSD_PID" ] || return 0
    vellumo_end_process "$VELLUMO_CUPSD_PID"
    VELLUMO_CUPSD_PID=""
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo rm -f "$VELLUMO_PRINT_CONF"
}
