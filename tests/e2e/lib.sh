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

# Waits (up to 10 s) until the named pane's visibility is $2 (1 shown, 0 hidden); $3 says what for.
e2e_wait_visibility() {
    local i
    for i in $(seq 1 100); do
        [ "$(e2e_pane "$1" | cut -f5)" = "$2" ] && return 0
        sleep 0.1
    done
    fail "pane $1 did not become $([ "$2" = 1 ] && echo shown || echo hidden)${3:+: $3}"
}

# Clicks the named pane at ($2, $3) from its top-left corner.
e2e_click_pane() {
    local x y
    read -r x y _ <<< "$(e2e_pane "$1")"
    [ -n "$x" ] || fail "no pane $1"
    e2e_click $((x + $2)) $((y + $3))
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
    e2e_cups_stop
}

# Waits (up to $2 ms, 10 s when not given) for a top-level window of class $1, then (up to 10 s)
# until it is shown.
e2e_wait_window() {
    wine "$E2E_PROBE" wait "$1" "${2:-10000}" >/dev/null 2>&1 || fail "no window of class $1"
    local i
    for i in $(seq 1 50); do
        [ "$(e2e_window "$1" | cut -d' ' -f5)" = 1 ] && return 0
        sleep 0.2
    done
    fail "the window of class $1 was not shown"
}

# Waits (up to 20 s) until no top-level window of class $1 is left.
e2e_wait_window_gone() {
    local i
    for i in $(seq 1 100); do
        wine "$E2E_PROBE" wait "$1" 0 >/dev/null 2>&1 || return 0
        sleep 0.2
    done
    fail "the window of class $1 did not go"
}

# "x y width height visible" of the top-level window of class $1, in screen coordinates.
e2e_window() {
    wine "$E2E_PROBE" tree "$1" 2>/dev/null | tr -d '\r' | awk -F'\t' '$1 == "(window)" { print $3, $4, $5, $6, $7; exit }'
}

# The child windows of the top-level window of class $1 whose class is $2: "text x y width height
# visible" per line, tab-separated, in the window's client coordinates.
e2e_children() {
    wine "$E2E_PROBE" tree "$1" 2>/dev/null | tr -d '\r' | awk -F'\t' -v c="$2" 'NR > 1 && $2 == c { print $1 "\t" $3 "\t" $4 "\t" $5 "\t" $6 "\t" $7 }'
}

# Picks a row of the main window's drop-down menus: the title whose left edge is $1 (clicked at
# $2 from the title bar's left), the row at offset $3 from the menu's top (rows 20 pixels high
# from 8, separators 10).
e2e_menu_pick() {
    local bx by bw bh cy top i
    read -r bx by bw bh _ <<< "$(e2e_pane yzToolbarUser)"
    cy=$((by + bh / 2))
    top=$((by + bh))
    e2e_click $((bx + $2)) "$cy"
    for i in $(seq 1 50); do
        [ "$(e2e_pane SkinMenu | cut -f5)" = 1 ] && break
        sleep 0.1
    done
    [ "$(e2e_pane SkinMenu | cut -f5)" = 1 ] || fail "the menu under $1 did not open"
    xdotool mousemove $((bx + $1 + 60)) $((top + $3 + 2))
    sleep 0.2
    e2e_click $((bx + $1 + 60)) $((top + $3 + 10))
}

# File > Send to Stamp Libriary (row 168): types the stamp's name $1 and presses OK; returns when the
# window has gone.
e2e_send_to_stamp() {
    local dx dy
    e2e_menu_pick 0 15 168
    e2e_wait_window VellumoShells
    read -r dx dy _ <<< "$(e2e_window VellumoShells)"
    e2e_click $((dx + 100)) $((dy + 79))
    xdotool type "$1"
    sleep 0.2
    e2e_click $((dx + 395 - 180 + 30)) $((dy + 200 - 40 + 7))
    e2e_wait_window_gone VellumoShells
}

# Selects the grid's first $1 thumbnails (cells about 120 pixels apart): a click on the first
# (which opens it), Ctrl-clicks on the others.
e2e_select_thumbnails() {
    local gx gy k
    read -r gx gy _ <<< "$(e2e_pane ThumyzViewer)"
    e2e_click $((gx + 60)) $((gy + 70))
    sleep 0.5
    for k in $(seq 2 "$1"); do
        xdotool mousemove $((gx + 60 + 120 * (k - 1))) $((gy + 70)) keydown ctrl click 1 keyup ctrl
        sleep 0.3
    done
}

# Waits (up to 10 s) until the canvas shows a colour ($1) over more than 5 % of its area; the last
# screenshot is left in $E2E_WORK/canvas.png.
e2e_wait_canvas_colour() {
    local i px py pw ph
    for i in $(seq 1 50); do
        e2e_screenshot "$E2E_WORK/canvas.png"
        read -r px py pw ph _ <<< "$(e2e_pane SingleyzPreview)"
        [ "$(e2e_colour_share "$E2E_WORK/canvas.png" "$px $py $pw $ph" "$1")" -gt 5 ] && return 0
        sleep 0.2
    done
    fail "the canvas does not show $1"
}

# The name of the colour nearest "r,g,b" among red, green, blue, white and black.
e2e_colour_name() {
    local r g b
    IFS=, read -r r g b <<< "$1"
    awk -v r="$r" -v g="$g" -v b="$b" 'BEGIN {
        split("red green blue white black", n, " ")
        split("255 0 0 0 255 0 0 0 255 255 255 255 0 0 0", c, " ")
        best = ""; bd = 1e9
        for (i = 1; i <= 5; i++) {
            d = (r - c[3*i-2])^2 + (g - c[3*i-1])^2 + (b - c[3*i])^2
            if (d < bd) { bd = d; best = n[i] }
        }
        print best }'
}

# Copies a screenshot into $E2E_SHOTS (when set) for a person to look at.
e2e_keep_shot() { [ -z "${E2E_SHOTS:-}" ] || cp "$1" "$E2E_SHOTS/$2"; }

# A print spooler of the test's own (scripts/print-queue.sh), run as the test's user, with one
# PostScript queue "E2E", the default, that writes each job to $E2E_CUPS/job.ps; its logs are in
# $E2E_CUPS/log. A program started with CUPS_SERVER=$E2E_CUPS_SOCKET sees this queue alone.
e2e_cups_start() {
    E2E_CUPS="$E2E_WORK/cups"
    mkdir -p "$E2E_CUPS"
    trap e2e_cups_stop EXIT
    vellumo_spooler_start self "$E2E_CUPS/log" "FileDevice Yes" 2>"$E2E_WORK/spooler.txt" ||
        fail "$(cat "$E2E_WORK/spooler.txt")"
    E2E_CUPS_SOCKET="$VELLUMO_SPOOLER_DIR/cups.sock"
    vellumo_spooler_queue E2E "file://$E2E_CUPS/job.ps" /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd \
        2>"$E2E_WORK/spooler.txt" || fail "$(cat "$E2E_WORK/spooler.txt")"
}

# Waits (up to $1 seconds by the clock) until the queue has ended its job number $2 (1 when not
# given), then renders that job's pages at 30 dpi as $E2E_CUPS/page-<n>.png. A job the spooler
# logs an error for fails the test with the spooler's own words; so does a timeout, with what the
# spooler knows of its jobs.
e2e_cups_wait_job() {
    local deadline=$((SECONDS + $1)) job="${2:-1}" ended errors
    rm -f "$E2E_CUPS"/page-*.png
    while [ "$SECONDS" -lt "$deadline" ]; do
        ended=""
        awk -v n="$job" '$3 == n { found = 1 } END { exit !found }' "$E2E_CUPS/log/page_log" 2>/dev/null &&
            [ -z "$(CUPS_SERVER="$E2E_CUPS_SOCKET" lpstat -o 2>/dev/null)" ] && ended=1
        errors="$(vellumo_spooler_errors "$E2E_CUPS/log" "$job")"
        [ -z "$errors" ] || fail "the print spooler failed job $job: $errors"
        if [ -n "$ended" ]; then
            gs -q -dNOPAUSE -dBATCH -dSAFER -sDEVICE=png16m -r30 -sOutputFile="$E2E_CUPS/page-%d.png" "$E2E_CUPS/job.ps" \
                >/dev/null 2>&1 || fail "the printed job could not be read"
            return 0
        fi
        sleep 0.2
    done
    fail "the queue did not finish job $job in $1 s; jobs: $(CUPS_SERVER="$E2E_CUPS_SOCKET" lpstat -W all -o 2>&1 |
        tr '\n' ';'); pages: $(tr '\n' ';' < "$E2E_CUPS/log/page_log" 2>/dev/null); spooler: $(tail -n 5 \
        "$E2E_CUPS/log/error_log" 2>/dev/null | tr '\n' ';')"
}

e2e_cups_stop() { vellumo_spooler_stop; }

# The number of pixels in "x y width height" that differ by more than 10 % between two screenshots.
e2e_changed_pixels() {
    local -a r
    read -ra r <<< "$3"
    convert "$1" -crop "${r[2]}x${r[3]}+${r[0]}+${r[1]}" +repage "$E2E_WORK/changed-a.png"
    convert "$2" -crop "${r[2]}x${r[3]}+${r[0]}+${r[1]}" +repage "$E2E_WORK/changed-b.png"
    compare -metric AE -fuzz 10% "$E2E_WORK/changed-a.png" "$E2E_WORK/changed-b.png" null: 2>&1 | awk '{ print int($1) }'
}

# The number of pixels that differ by more than 10 % between the region "x y width height" of one
# screenshot and the region of the same size at "x2 y2" of another.
e2e_region_diff() {
    local -a a b
    read -ra a <<< "$2"
    read -ra b <<< "$4"
    convert "$1" -crop "${a[2]}x${a[3]}+${a[0]}+${a[1]}" +repage "$E2E_WORK/region-a.png"
    convert "$3" -crop "${a[2]}x${a[3]}+${b[0]}+${b[1]}" +repage "$E2E_WORK/region-b.png"
    compare -metric AE -fuzz 10% "$E2E_WORK/region-a.png" "$E2E_WORK/region-b.png" null: 2>&1 | awk '{ print int($1) }'
}

# Drags the canvas's edit-panel slider: its thumb taken at $1 pixels from the panel's left, moved
# $2 pixels along the track and held there while the screenshot $3 is taken, then let go.
e2e_drag_slider() {
    local px py pw ph x y
    read -r px py pw ph _ <<< "$(e2e_pane SingleyzPreview)"
    x=$((px + (pw - 200) / 2 - 50 + $1))
    y=$((py + ph - 35 + 10))
    xdotool mousemove "$x" "$y"
    sleep 0.3
    xdotool mousedown 1
    xdotool mousemove $((x + $2 / 2)) "$y"
    sleep 0.1
    xdotool mousemove $((x + $2)) "$y"
    sleep 0.5
    e2e_screenshot "$3"
    xdotool mouseup 1
}

# Waits (up to 10 s) for a message box whose text holds $1. The folder pane's hidden dialog is of
# the same class and always there, so the box is told by its text, looked for until it is up.
e2e_wait_question() {
    local i
    for i in $(seq 1 50); do
        wine "$E2E_PROBE" tree '#32770' 2>/dev/null | tr -d '\r' | grep -q "$1" && return 0
        sleep 0.2
    done
    fail "no question for '$1': $(wine "$E2E_PROBE" tree '#32770' 2>/dev/null | tr -d '\r' | head -3 | tr '\n' ' ')"
}

# True while a dialog box (a message box or a file dialog) is shown: the topmost window of the
# dialog class is visible (the folder pane's own dialog is always there, hidden).
e2e_dialog_open() { [ "$(e2e_window '#32770' | cut -d' ' -f5)" = 1 ]; }

# Drags a rubber band in the grid from ($1, $2) to ($3, $4), grid coordinates.
e2e_band() {
    local gx gy
    read -r gx gy _ <<< "$(e2e_pane ThumyzViewer)"
    xdotool mousemove $((gx + $1)) $((gy + $2)) mousedown 1
    sleep 0.2
    xdotool mousemove $((gx + ($1 + $3) / 2)) $((gy + ($2 + $4) / 2))
    sleep 0.2
    xdotool mousemove $((gx + $3)) $((gy + $4))
    sleep 0.2
    xdotool mouseup 1
    sleep 0.3
}

# Opens the first thumbnail (its picture of colour $1 on the canvas) and selects every thumbnail
# with a band from the empty end of the last row; leaves the grid's "gx gy gw gh" in those names.
e2e_open_first_band_all() {
    read -r gx gy gw gh _ <<< "$(e2e_pane ThumyzViewer)"
    e2e_click $((gx + 60)) $((gy + 70))
    e2e_wait_canvas_colour "$1"
    e2e_band $((gw - 60)) $((gh - 30)) 5 5
}

# The Edit menu's row at $1 (a batch command), the folder "target" in the batch dialog, and OK;
# leaves the dialog's "dx dy" in those names.
e2e_batch_to_target() {
    e2e_menu_pick 40 50 "$1"
    e2e_wait_window VellumoShells
    e2e_batch_browse target
    read -r dx dy _ <<< "$(e2e_window VellumoShells)"
    e2e_click $((dx + 245)) $((dy + 167))
}

# The lines of the topmost dialog box ('#32770') shown now: "text<TAB>class" per child.
e2e_dialog_lines() {
    wine "$E2E_PROBE" tree '#32770' 2>/dev/null | tr -d '\r' | awk -F'\t' '$1 != "(window)" { print $1 "\t" $2 }'
}

# Waits (up to $2 seconds, 10 when not given) until the topmost dialog box shows the text $1.
e2e_wait_dialog_text() {
    local i
    for i in $(seq 1 $((${2:-10} * 5))); do
        e2e_dialog_lines | grep -qF "$1" && return 0
        sleep 0.2
    done
    fail "no dialog saying '$1': $(e2e_dialog_lines | tr '\n' ' ')"
}

# In the batch dialog, "..." and the folder dialog's item $1 under the Desktop, chosen by typing
# its name; waits until the dialog's box shows the folder.
e2e_batch_browse() {
    local dx dy i
    read -r dx dy _ <<< "$(e2e_window VellumoShells)"
    e2e_click $((dx + 308)) $((dy + 78))
    for i in $(seq 1 50); do e2e_dialog_lines | grep -q SysTreeView32 && break; sleep 0.2; done
    xdotool type "$1"
    xdotool key Return
    for i in $(seq 1 50); do
        e2e_children VellumoShells Edit | grep -q "\\\\$1	18	72	" && return 0
        sleep 0.2
    done
    fail "the batch dialog did not take the folder $1: $(e2e_children VellumoShells Edit)"
}

# Waits (up to 10 s) until the grid shows a colour ($1, a name convert knows) over more than 3 % of
# its first 600 x 200 pixels.
e2e_wait_grid_colour() {
    local i gx gy
    read -r gx gy _ <<< "$(e2e_pane ThumyzViewer)"
    for i in $(seq 1 50); do
        e2e_screenshot "$E2E_WORK/grid.png"
        [ "$(e2e_colour_share "$E2E_WORK/grid.png" "$gx $gy 600 200" "$1")" -gt 3 ] && return 0
        sleep 0.2
    done
    fail "the grid does not show $1"
}

# Opens the History list (the strip above the folder pane) and picks its row $1 (0 the first).
e2e_pick_history_row() {
    local sx sy mx my i
    read -r sx sy _ <<< "$(e2e_pane UseryzSplitH)"
    e2e_click 100 $((sy + 14))
    for i in $(seq 1 50); do
        [ "$(e2e_pane SkinMenu | cut -f5)" = 1 ] && break
        sleep 0.1
    done
    [ "$(e2e_pane SkinMenu | cut -f5)" = 1 ] || fail "the History list did not open"
    read -r mx my _ <<< "$(e2e_pane SkinMenu)"
    xdotool mousemove $((mx + 60)) $((my + 8 + 20 * $1 + 8))
    sleep 0.2
    e2e_click $((mx + 60)) $((my + 8 + 20 * $1 + 10))
}

source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/print-queue.sh"

# A menu row picked as e2e_menu_pick picks it, then a wait until the menu has closed and the
# command has had a second to run.
e2e_menu_run() {
    e2e_menu_pick "$@"
    e2e_wait_visibility SkinMenu 0 "after a pick"
    sleep 1
}

# The share (in %) of the grid's first row of cells in colour $1, from a fresh screenshot.
e2e_grid_share() {
    local gx gy gw
    read -r gx gy gw _ <<< "$(e2e_pane ThumyzViewer)"
    e2e_screenshot "$E2E_WORK/grid.png"
    e2e_colour_share "$E2E_WORK/grid.png" "$gx $gy $gw 150" "$1"
}

# A screenshot named $1 in the scratch folder, kept among the shown ones as "$2-$1.png".
e2e_shot() {
    e2e_screenshot "$E2E_WORK/$1.png"
    e2e_keep_shot "$E2E_WORK/$1.png" "$2-$1.png"
}
