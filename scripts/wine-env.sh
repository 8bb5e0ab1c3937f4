# Sourced by the scripts: the Wine environment for one build folder, and the prefix set-up.
# Needs BUILD_DIR set to an absolute path.

export WINEPREFIX="$BUILD_DIR/wineprefix"
export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export XDG_DATA_HOME="$BUILD_DIR/xdg"
# Wine makes file names through the locale: under one that is not UTF-8 (a login without LANG gets
# "POSIX"), a name outside ASCII cannot be made.
case "$(locale charmap 2>/dev/null)" in UTF-8) ;; *) export LC_ALL=C.UTF-8 ;; esac

# Makes the prefix once: fonts in the prefix (Wine reads only fontconfig and that folder), font
# replacements (GDI+ does not substitute missing faces), no crash dialog, and a virtual desktop
# (without a window manager every top-level DestroyWindow costs seconds).
vellumo_make_prefix() {
    [ -f "$WINEPREFIX/.vellumo-ready" ] && return 0
    mkdir -p "$BUILD_DIR" "$XDG_DATA_HOME"
    (
        flock 9
        [ -f "$WINEPREFIX/.vellumo-ready" ] && exit 0
        rm -rf "$WINEPREFIX"
        wineboot -i >/dev/null 2>&1 </dev/null
        wineserver -w
        mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
        cp /usr/share/wine/fonts/*.ttf /usr/share/wine/fonts/*.fon "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
        reg="$BUILD_DIR/vellumo-prefix.reg"
        cat > "$reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="1280x1024"

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Arial"="Liberation Sans"
"Microsoft Sans Serif"="Liberation Sans"
"Segoe UI"="Liberation Sans"
"Times New Roman"="Liberation Serif"
"Courier New"="Liberation Mono"
"Verdana"="DejaVu Sans"
REG
        wine regedit /S "$reg" >/dev/null 2>&1 </dev/null
        wineserver -w
        wineserver -k >/dev/null 2>&1 || true
        touch "$WINEPREFIX/.vellumo-ready"
    ) 9>"$BUILD_DIR/.prefix.lock"
}

# Starts an Xvfb of our own on a free display unless DISPLAY is set; sets VELLUMO_XVFB_PID.
VELLUMO_XVFB_PID=""
vellumo_start_display() {
    [ -n "${DISPLAY:-}" ] && return 0
    local n
    for n in $(seq 90 140); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 </dev/null &
        VELLUMO_XVFB_PID=$!
        local i
        for i in $(seq 1 100); do
            if xdpyinfo -display ":$n" >/dev/null 2>&1; then
                export DISPLAY=":$n"
                return 0
            fi
            kill -0 "$VELLUMO_XVFB_PID" 2>/dev/null || break
            sleep 0.1
        done
        kill "$VELLUMO_XVFB_PID" 2>/dev/null || true
        VELLUMO_XVFB_PID=""
    done
    echo "could not start Xvfb" >&2
    return 1
}

# A persistent wineserver, and the first Wine process started with its output away from any pipe
# (the services it starts inherit that output and would hold a pipe open).
vellumo_start_wineserver() {
    wineserver -p >/dev/null 2>&1 </dev/null &
    wine cmd /c exit >/dev/null 2>&1 </dev/null || true
}

vellumo_stop() {
    wineserver -k >/dev/null 2>&1 || true
    if [ -n "$VELLUMO_XVFB_PID" ]; then
        kill "$VELLUMO_XVFB_PID" 2>/dev/null || true
        wait "$VELLUMO_XVFB_PID" 2>/dev/null || true
    fi
}
