# The splitter drags with the real mouse: the ghost bar follows the pointer while the column bar is
# held; dropped near the cut-off the bar lands at 270, dropped at 200 the left column collapses and
# the folder tree and side panel go; dropped far right it opens again. The grid's bar dropped near
# the bottom hides the grid.
e2e_program_folder
e2e_desktop
convert -size 300x200 xc:'rgb(0,0,255)' "$E2E_DESKTOP/blue.png"
e2e_reg_clear
e2e_reg_dword SplitHLeft 400
e2e_start
e2e_wait_pane SingleyzPreview
e2e_expect_pane UseryzSplitH "400 93 9 *"

visible() { e2e_pane "$1" | cut -f5; }
# Presses at ($1, $2), moves to ($3, $4) in three steps and releases there; $5 names a screenshot
# taken while the button is still held.
drag() {
    xdotool mousemove "$1" "$2" mousedown 1
    sleep 0.3
    xdotool mousemove $((($1 + $3) / 2)) $((($2 + $4) / 2))
    sleep 0.2
    xdotool mousemove "$3" "$4"
    sleep 0.5
    if [ -n "${5:-}" ]; then
        e2e_screenshot "$E2E_WORK/$5.png"
        HELD_GHOST="$(e2e_pane DragingImg)"
    fi
    xdotool mouseup 1
    sleep 1
}

# Held at x 250: the dark ghost stands at the snap place 270, the bar has not moved yet.
drag 404 400 250 400 column-held
read -r gx gy gw gh gv <<< "$HELD_GHOST"
[ "$gv" = 1 ] && [ "$gx" = 270 ] && [ "$gw" = 5 ] || fail "ghost while held: '$HELD_GHOST'"
[ "$(e2e_pixel "$E2E_WORK/column-held.png" 272 400)" = "64,64,64" ] || fail "no dark ghost on screen at 270"
e2e_expect_pane UseryzSplitH "270 93 9 *"
[ "$(visible DragingImg)" = 0 ] || fail "the ghost stayed after the drop"
[ "$(visible FolderView)" = 1 ] || fail "the folder tree went at 270"
[ "$(visible UseryzProcess1)" = 1 ] || fail "the side panel went at 270"
e2e_screenshot "$E2E_WORK/column-270.png"

# Dropped at 200: below the cut-off, the left column collapses.
drag 274 400 200 400
e2e_expect_pane UseryzSplitH "3 93 9 *"
[ "$(visible FolderView)" = 0 ] || fail "the folder tree is still shown with the column collapsed"
[ "$(visible UseryzProcess1)" = 0 ] || fail "the side panel is still shown with the column collapsed"
read -r cx _ <<< "$(e2e_pane SingleyzPreview)"
[ "$cx" = 12 ] || fail "the canvas did not take the column: left $cx"
e2e_screenshot "$E2E_WORK/column-collapsed.png"

# Dropped at 500 it opens again (grabbed 4 pixels in, so 496).
drag 7 400 500 400
e2e_expect_pane UseryzSplitH "496 93 9 *"
[ "$(visible FolderView)" = 1 ] || fail "the folder tree did not come back"

# The grid's bar dropped 100 above the bottom: the grid collapses and hides.
read -r vx vy vw vh _ <<< "$(e2e_pane UseryzSplitV)"
read -r _ by _ bh _ <<< "$(e2e_pane ResizeBorder)"
bottom=$((by + bh))
drag $((vx + 300)) $((vy + 5)) $((vx + 300)) $((bottom - 100))
read -r _ ny _ _ _ <<< "$(e2e_pane UseryzSplitV)"
[ "$ny" = $((bottom - vh - 3)) ] || fail "the grid's bar at $ny, not at the bottom $((bottom - vh - 3))"
[ "$(visible ThumyzViewer)" = 0 ] || fail "the grid is still shown"

e2e_close
values="$(e2e_reg_values)"
echo "$values" | grep -q '^SplitHLeft REG_DWORD 0x1f0$' || fail "SplitHLeft not stored as 496: $values"
