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

for i in $(seq 1 50); do [ "$(e2e_grid_share red)" -gt 0 ] && break; sleep 0.2; done
[ "$(e2e_grid_share red)" -gt 0 ] && [ "$(e2e_grid_share lime)" -gt 0 ] && [ "$(e2e_grid_share blue)" -gt 0 ] ||
    fail "the grid does not show the three pictures"

read -r bx by _ <<< "$(e2e_pane ImageToolbar)"
read -r _ sx sy sw sh _ <<< "$(e2e_children VellumoMain Edit | head -1)"
[ -n "$sh" ] || fail "no search box"
e2e_click $((sx + sw / 2)) $((sy + sh / 2))
sleep 0.2
xdotool type --delay 30 dog
xdotool key Return
for i in $(seq 1 50); do [ "$(e2e_grid_share red)" = 0 ] && break; sleep 0.2; done
e2e_keep_shot "$E2E_WORK/grid.png" search.png
[ "$(e2e_grid_share red)" = 0 ] || fail "cat-1 still shown after the search"
[ "$(e2e_grid_share lime)" = 0 ] || fail "cat-2 still shown after the search"
[ "$(e2e_grid_share blue)" -gt 0 ] || fail "dog not shown after the search"
e2e_close
