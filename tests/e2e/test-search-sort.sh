# A search lasts through a sort: "blue" typed in the image tool bar's search box and Enter leave the
# two blue pictures; View > Arrange Image By Size and then By Name (picked in the real menu) keep
# only them, with "blue" still in the box.
e2e_program_folder
e2e_desktop
convert -size 300x200 xc:'rgb(255,0,0)' "$E2E_DESKTOP/red.png"
convert -size 300x200 xc:'rgb(0,0,255)' "$E2E_DESKTOP/blue-large.png"
convert -size 60x40 xc:'rgb(0,0,255)' "$E2E_DESKTOP/blue-small.png"
e2e_reg_clear
e2e_start
e2e_wait_pane SingleyzPreview

# Waits until the grid shows blue and no red, or fails with $1.
expect_blue_only() {
    local i
    for i in $(seq 1 50); do
        [ "$(e2e_grid_share blue)" -gt 0 ] && [ "$(e2e_grid_share red)" = 0 ] && break
        sleep 0.2
    done
    e2e_keep_shot "$E2E_WORK/grid.png" "search-sort-$2.png"
    [ "$(e2e_grid_share red)" = 0 ] || fail "$1: the red picture is shown again"
    [ "$(e2e_grid_share blue)" -gt 0 ] || fail "$1: the blue pictures are gone"
    [ "$(e2e_children VellumoMain Edit | head -1 | cut -f1)" = blue ] || fail "$1: the search box lost its text"
}
for i in $(seq 1 50); do [ "$(e2e_grid_share red)" -gt 0 ] && break; sleep 0.2; done
[ "$(e2e_grid_share red)" -gt 0 ] && [ "$(e2e_grid_share blue)" -gt 0 ] || fail "the grid does not show the pictures"

read -r _ sx sy sw sh _ <<< "$(e2e_children VellumoMain Edit | head -1)"
[ -n "$sh" ] || fail "no search box"
e2e_click $((sx + sw / 2)) $((sy + sh / 2))
sleep 0.2
xdotool type --delay 30 blue
xdotool key Return
expect_blue_only "the search" search
# View > Arrange Image By Size (row at 128 of the View menu), then By Name (row at 108).
e2e_menu_pick 80 95 128
sleep 0.5
expect_blue_only "a sort by size" size
e2e_menu_pick 80 95 108
sleep 0.5
expect_blue_only "a sort by name" name
e2e_close
