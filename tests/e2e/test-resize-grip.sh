# The resize grip with the real mouse: the window follows the pointer exactly, on both axes, in odd
# steps and back again; after the drag the title bar's close and minimise glyphs and the tool bar's
# search box ("Search:", its frame and "GO") stand at the new right edge as they stood at the old one.
e2e_program_folder
e2e_desktop
e2e_reg_clear
# Inverted at start: 0, so the grip works.
e2e_reg_dword isMax 1
e2e_start
e2e_wait_pane SingleyzPreview

read -r _ _ w0 h0 _ <<< "$(e2e_window "$E2E_CLASS")"
read -r gx gy _ <<< "$(e2e_pane ResizeBorder)"
sx=$((gx + 8)) sy=$((gy + 8))
xdotool mousemove "$sx" "$sy"
sleep 1
e2e_screenshot "$E2E_WORK/before.png"

# Waits (up to 5 s) until the window is $1 x $2.
wait_size() {
    local i w h
    for i in $(seq 1 50); do
        read -r _ _ w h _ <<< "$(e2e_window "$E2E_CLASS")"
        [ "$w" = "$1" ] && [ "$h" = "$2" ] && return 0
        sleep 0.1
    done
    fail "the window is ${w}x$h, not $1x$2: $3"
}
# Holds the grip and moves the pointer by each "dx dy" in turn (the travel from the press), checking
# the window's size after each move, then lets go.
drag() {
    local x0=$1 y0=$2 w=$3 h=$4 step dx dy
    shift 4
    xdotool mousemove "$x0" "$y0" mousedown 1
    sleep 0.3
    for step in "$@"; do
        read -r dx dy <<< "$step"
        xdotool mousemove $((x0 + dx)) $((y0 + dy))
        wait_size $((w + dx)) $((h + dy)) "after a travel of $dx, $dy"
    done
    xdotool mouseup 1
}

# Up and left in odd steps, past the goal and a little back.
drag "$sx" "$sy" "$w0" "$h0" "-7 -3" "-58 -41" "-123 -99" "-211 -205" "-200 -200"
wait_size $((w0 - 200)) $((h0 - 200)) "after the release"
w1=$((w0 - 200)) h1=$((h0 - 200))

# The bars' right ends at the new edge look as they did at the old one: the title bar's last 60
# pixels (the two glyphs) and the tool bar's last 210 (the search box with its label and "GO").
read -r _ ty _ th _ <<< "$(e2e_pane TitleSkin)"
read -r _ iy _ ih _ <<< "$(e2e_pane ImageToolbar)"
for i in $(seq 1 30); do
    e2e_screenshot "$E2E_WORK/after.png"
    title="$(e2e_region_diff "$E2E_WORK/before.png" "$((w0 - 60)) $ty 60 $th" "$E2E_WORK/after.png" "$((w1 - 60)) $ty")"
    tools="$(e2e_region_diff "$E2E_WORK/before.png" "$((w0 - 210)) $iy 210 $ih" "$E2E_WORK/after.png" "$((w1 - 210)) $iy")"
    [ "$title" -lt 8 ] && [ "$tools" -lt 80 ] && break
    sleep 0.2
done
e2e_keep_shot "$E2E_WORK/after.png" resize-grip.png
[ "$title" -lt 8 ] || fail "the title bar's right end differs in $title pixels after the drag"
[ "$tools" -lt 80 ] || fail "the tool bar's search box differs in $tools pixels after the drag"

# Right and down in four moves of 5: the window grows by the pointer's 20 and no more.
read -r gx gy _ <<< "$(e2e_pane ResizeBorder)"
drag $((gx + 8)) $((gy + 8)) "$w1" "$h1" "5 5" "10 10" "15 15" "20 20"
wait_size $((w1 + 20)) $((h1 + 20)) "after the second release"

e2e_close
