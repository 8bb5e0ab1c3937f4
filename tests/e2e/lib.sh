# Helpers of the end-to-end tests, sourced by each test-*.sh: a scratch copy of the program folder,
# the program started as scripts/run starts it, its panes read from the window tree, pixels from
# screenshots, values from the registry. Needs E2E_BUILD (the build folder), E2E_PROBE (the window
# probe) and E2E_WORK (a scratch folder) from run-e2e.sh, and DISPLAY.

E2E_CLASS=VellumoMain
E2E_KEY='HKCU\SOFTWARE\Morv Vellumo'
E2E_PID=""

fail() {
    echo "FAIL: $*" >&2
    e2e_stop
    exit 1
}

# A fresh program folder: the staged program copied, so the test's files never touch the build's.
e2e_program_folder() {
    E2E_PROGRAM="$E2E_WORK/program"
    rm -rf "$E2E_PROGRAM"
    cp -r "$E2E_BUILD/program" "$E2E_PROGRAM"
}

# The prefix's own Desktop folder (made a real folder when it is a link into the real home), empty.
e2e_desktop() {
    local user
    user="$(wine cmd /c 'echo %USERNAME%' 2>/dev/null | tr -d '\r')"
    E2E_DESKTOP="$WINEPREFIX/drive_c/users/$user/Desktop"
    [ -L "$E2E_DESKTOP" ] && rm -f "$E2E_DESKTOP"
    rm -rf "$E2E_DESKTOP"
    mkdir -p "$E2E_DESKTOP"
}

e2e_reg_clear() { wine reg delete "$E2E_KEY" /f >/dev/null 2>&1 || true; }
e2e_reg_dword() { wine reg add "$E2E_KEY" /v "$1" /t REG_DWORD /d "$2" /f >/dev/null 2>&1; }
# Prints "name type data" per value of the settings key.
e2e_reg_values() { wine reg query "$E2E_KEY" 2>/dev/null | tr -d '\r' | awk 'NF >= 2 && $2 ~ /^REG_/ { print $1, $2, $3 }'; }

e2e_start() {
    wine "$E2E_PROGRAM/Vellumo.exe" >/dev/null 2>&1 </dev/null &
    E2E_PID=$!
    wine "$E2E_PROBE" wait "$E2E_CLASS" 20000 || fail "the main window did not appear"
}

# Waits (up to 30 s) until the named pane is visible.
e2e_wait_pane() {
    local i
    for i in $(seq 1 300); do
        [ "$(e2e_pane "$1" | cut -f5)" = 1 ] && return 0
        sleep 0.1
    done
    fail "pane $1 was not shown"
}

# "x y width height visible" of the named pane, in the main window's client coordinates.
e2e_pane() {
    wine "$E2E_PROBE" tree "$E2E_CLASS" 2>/dev/null | tr -d '\r' | awk -F'\t' -v n="$1" '$1 == n { print $3, $4, $5, $6, $7; exit }' |
        tr ' ' '\t'
}

# Asserts a pane's "x y width height" (each may be "*").
e2e_expect_pane() {
    local -a want got
    read -ra want <<< "$2"
    read -ra got <<< "$(e2e_pane "$1")"
    local i
    for i in 0 1 2 3; do
        [ "${want[$i]}" = "*" ] || [ "${want[$i]}" = "${got[$i]:-}" ] || fail "pane $1 at '${got[*]:0:4}', expected '$2'"
    done
}

# The screen as a PNG.
e2e_screenshot() { import -window root -display "$DISPLAY" "$1"; }
# The colour "r,g,b" of one pixel of a screenshot.
e2e_pixel() { convert "$1" -format "%[fx:int(255*u.p{$2,$3}.r)],%[fx:int(255*u.p{$2,$3}.g)],%[fx:int(255*u.p{$2,$3}.b)]" info:; }

# The share (0 to 100) of a screenshot's pixels in "x y width height" within 10 % of a colour.
e2e_colour_share() {
    local -a r
    read -ra r <<< "$2"
    convert "$1" -crop "${r[2]}x${r[3]}+${r[0]}+${r[1]}" +repage -fuzz 10% -fill black +opaque "$3" \
        -fill white -opaque "$3" -format '%[fx:int(100*mean+0.5)]' info:
}

e2e_click() { xdotool mousemove "$1" "$2" click 1; }

# Posts WM_CLOSE and waits (up to 20 s) for the program to end.
e2e_close() {
    wine "$E2E_PROBE" close "$E2E_CLASS" || fail "no main window to close"
    local i
    for i in $(seq 1 200); do
        kill -0 "$E2E_PID" 2>/dev/null || { wait "$E2E_PID" 2>/dev/null || true; E2E_PID=""; return 0; }
        sleep 0.1
    done
    fail "the program did not end after WM_CLOSE"
}

e2e_stop() {
    [ -n "$E2E_PID" ] && kill "$E2E_PID" 2>/dev/null
    E2E_PID=""
}

# Waits (up to 5 s) until the drop-down menu's visibility is $1.
e2e_wait_menu() {
    local i
    for i in $(seq 1 50); do
        [ "$(e2e_pane SkinMenu | cut -f5)" = "$1" ] && return 0
        sleep 0.1
    done
    fail "the menu's visibility did not become $1"
}

# Picks a menu row: the title bar's left $1 and middle $2, the menus' top $3; the title whose left
# edge is $4 (clicked at $5), the row at offset $6 from the menu's top.
e2e_pick() {
    e2e_click $(($1 + $5)) "$2"
    e2e_wait_menu 1
    xdotool mousemove $(($1 + $4 + 60)) $(($3 + $6 + 2))
    sleep 0.2
    e2e_click $(($1 + $4 + 60)) $(($3 + $6 + 10))
    e2e_wait_menu 0
    sleep 0.5
}
