# A picture replaced on disk under its own name while its folder is shown: after a re-sort (Browse >
# Arrange Image By Name) the first cell shows the new picture, a lime portrait, where the red
# landscape was, and nothing of the old one is left.
e2e_program_folder
e2e_desktop
convert -size 300x200 xc:'rgb(255,0,0)' "$E2E_DESKTOP/a.png"
convert -size 300x200 xc:'rgb(0,0,255)' "$E2E_DESKTOP/b.png"
e2e_reg_clear
e2e_start
e2e_wait_pane SingleyzPreview
e2e_wait_grid_colour red
read -r gx gy _ <<< "$(e2e_pane ThumyzViewer)"
# The first cell's box: 100 x 100 at (10, 20) of the grid. A landscape fills its middle band, a
# portrait its middle column, raised by 5 pixels.
cell_colours() {
    e2e_screenshot "$E2E_WORK/grid.png"
    echo "$(e2e_colour_name "$(e2e_pixel "$E2E_WORK/grid.png" $((gx + 60)) $((gy + 20 + 8)))")" \
        "$(e2e_colour_name "$(e2e_pixel "$E2E_WORK/grid.png" $((gx + 20)) $((gy + 70)))")"
}
[ "$(cell_colours)" = "white red" ] || fail "the first cell does not show the red landscape: $(cell_colours)"

convert -size 200x300 xc:'rgb(0,255,0)' "$E2E_WORK/new.png"
mv -f "$E2E_WORK/new.png" "$E2E_DESKTOP/a.png"
# Browse > Arrange Image By Name (title left 80, row at 108 of the menu).
e2e_menu_pick 80 95 108
for i in $(seq 1 50); do
    [ "$(cell_colours)" = "green white" ] && break
    sleep 0.2
done
e2e_keep_shot "$E2E_WORK/grid.png" replaced-thumbnail.png
[ "$(cell_colours)" = "green white" ] || fail "after the re-sort the first cell shows $(cell_colours), not the lime portrait"
[ "$(e2e_colour_share "$E2E_WORK/grid.png" "$((gx + 10)) $((gy + 20)) 100 100" red)" = 0 ] ||
    fail "the old red picture is still in the first cell"
e2e_close
