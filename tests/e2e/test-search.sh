# The image tool bar's search box narrows the grid: "dog" typed and Enter leave only the dog
# picture (blue) among the thumbnails, the two cats (red, lime green) gone.
e2e_program_folder
e2e_desktop
convert -size 300x200 xc:'rgb(255,0,0)' "$E2E_DESKTOP/cat-1.png"
convert -size 300x200 xc:'rgb(0,255,0)' "$E2E_DESKTOP/cat-2.png"
convert -size 300x200 xc:'rgb(0,0,255)' "$E2E_DESKTOP/dog.png"
e2e_reg_clear
e2e_start
e2e_wait_pane SingleyzPreview

# The share of the grid's first row of cells in a colour, from a fresh screenshot.
grid_share() {
    local gx gy gw
    read -r gx gy gw _ <<< "$(e2e_pane ThumyzViewer)"
    e2e_screenshot "$E2E_WORK/grid.png"
    e2e_colour_share "$E2E_WORK/grid.png" "$gx $gy $gw 150" "$1"
}
for i in $(seq 1 50); do [ "$(grid_share red)" -gt 0 ] && break; sleep 0.2; done
[ "$(grid_share red)" -gt 0 ] && [ "$(grid_share lime)" -gt 0 ] && [ "$(grid_share blue)" -gt 0 ] ||
    fail "the grid does not show the three pictures"

read -r bx by _ <<< "$(e2e_pane ImageToolbar)"
read -r _ sx sy sw sh _ <<< "$(e2e_children VellumoMain Edit | head -1)"
[ -n "$sh" ] || fail "no search box"
e2e_click $((sx + sw / 2)) $((sy + sh / 2))
sleep 0.2
xdotool type --delay 30 dog
xdotool key Return
for i in $(seq 1 50); do [ "$(grid_share red)" = 0 ] && break; sleep 0.2; done
e2e_keep_shot "$E2E_WORK/grid.png" search.png
[ "$(grid_share red)" = 0 ] || fail "cat-1 still shown after the search"
[ "$(grid_share lime)" = 0 ] || fail "cat-2 still shown after the search"
[ "$(grid_share blue)" -gt 0 ] || fail "dog not shown after the search"
e2e_close
