# The canvas's live previews in the real program: Effect > Adjust Gamma and Image Tool >
# Straighten, each with its edit-panel slider dragged, show the changed picture while the tool is
# still open and before any Apply (no undo step is written); Effect > Flowers shows flowers over
# the picture as soon as the tool is picked.
e2e_program_folder
e2e_desktop
convert -size 200x150 xc:'rgb(200,30,30)' xc:'rgb(30,160,30)' +append \
    \( -size 200x150 xc:'rgb(30,30,200)' xc:'rgb(230,210,40)' +append \) -append "$E2E_DESKTOP/a-quarters.png"
e2e_reg_clear
e2e_start
e2e_wait_pane SingleyzPreview

# The canvas above its edit panel: "x y width height".
picture_area() {
    local px py pw ph
    read -r px py pw ph _ <<< "$(e2e_pane SingleyzPreview)"
    echo "$((px + 2)) $((py + 2)) $((pw - 4)) $((ph - 50))"
}
undo="$E2E_PROGRAM/Datas"

read -r gx gy _ <<< "$(e2e_pane ThumyzViewer)"
e2e_click $((gx + 60)) $((gy + 70))
e2e_wait_canvas_colour 'rgb(230,210,40)'

# Effect > Adjust Gamma (menu left 215, row 28): the slider (gamma 1 of 0 to 3, its thumb 68
# pixels into the panel) dragged 80 pixels to the right.
e2e_menu_run 215 225 28
e2e_shot gamma-tool previews
e2e_drag_slider 74 80 "$E2E_WORK/gamma-dragged.png"
e2e_keep_shot "$E2E_WORK/gamma-dragged.png" previews-gamma-dragged.png
changed="$(e2e_changed_pixels "$E2E_WORK/gamma-tool.png" "$E2E_WORK/gamma-dragged.png" "$(picture_area)")"
[ "$changed" -gt 20000 ] || fail "the gamma drag changed $changed pixels of the shown picture"
[ -e "$undo/Undo1.udo" ] && fail "the gamma drag applied a step"
e2e_menu_run 215 225 28 # back to browse

# Image Tool > Straighten (menu left 135, row 348): the slider (0 of -10 to 10, its thumb 98
# pixels into the panel) dragged 50 pixels to the right turns and enlarges the picture.
e2e_menu_run 135 150 348
e2e_shot straighten-tool previews
e2e_drag_slider 105 50 "$E2E_WORK/straighten-dragged.png"
e2e_keep_shot "$E2E_WORK/straighten-dragged.png" previews-straighten-dragged.png
changed="$(e2e_changed_pixels "$E2E_WORK/straighten-tool.png" "$E2E_WORK/straighten-dragged.png" "$(picture_area)")"
[ "$changed" -gt 5000 ] || fail "the straighten drag changed $changed pixels of the shown picture"
[ -e "$undo/Undo1.udo" ] && fail "the straighten drag applied a step"
e2e_menu_run 135 150 348

# Effect > Flowers (row 418): the preview draws flowers over the picture at once.
e2e_shot browse previews
e2e_menu_run 215 225 418
e2e_shot flowers-tool previews
changed="$(e2e_changed_pixels "$E2E_WORK/browse.png" "$E2E_WORK/flowers-tool.png" "$(picture_area)")"
[ "$changed" -gt 100 ] || fail "the flowers preview changed $changed pixels of the shown picture"
[ -e "$undo/Undo1.udo" ] && fail "the flowers preview applied a step"
e2e_menu_run 215 225 418

e2e_close
