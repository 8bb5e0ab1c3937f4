# A phone's photograph (stored on its side, EXIF orientation 6) as a user meets it: Ctrl+S before
# any picture is shown opens nothing; the grid's cell and the canvas show it upright (red above
# blue); turned clockwise and saved with Ctrl+S, the file holds the upright pixels turned (blue on
# the left, red on the right) with orientation 1, as every other viewer then shows it.
e2e_program_folder
e2e_desktop
# Stored 400 x 300, red on the left and blue on the right; orientation 6 turns it a quarter
# clockwise: upright 300 x 400, red above blue. The EXIF block goes right after the start marker.
convert -size 200x300 xc:'rgb(255,0,0)' -size 200x300 xc:'rgb(0,0,255)' +append -quality 95 "$E2E_WORK/stored.jpg"
photo="$E2E_DESKTOP/phone.jpg"
{
    head -c 2 "$E2E_WORK/stored.jpg"
    printf '\xff\xe1\x00\x22Exif\x00\x00II*\x00\x08\x00\x00\x00\x01\x00\x12\x01\x03\x00\x01\x00\x00\x00\x06\x00\x00\x00\x00\x00\x00\x00'
    tail -c +3 "$E2E_WORK/stored.jpg"
} > "$photo"
[ "$(identify -format '%[orientation]' "$photo")" = RightTop ] || fail "the photograph carries no orientation 6"
e2e_reg_clear
e2e_start
e2e_wait_pane SingleyzPreview
e2e_wait_pane ThumyzViewer

# Nothing on the canvas: Ctrl+S does nothing at all.
e2e_click_pane SingleyzPreview 40 40
xdotool key ctrl+s
sleep 2
e2e_dialog_open && fail "Ctrl+S with nothing shown opened a dialog: $(e2e_dialog_lines | tr '\n' ' ')"

# Share of red and of blue in "x y w h" of the screenshot: "red blue".
shares() { echo "$(e2e_colour_share "$1" "$2" red) $(e2e_colour_share "$1" "$2" blue)"; }
# Fails unless the area's upper half is mostly red and its lower half mostly blue ($3 names it).
expect_red_above_blue() {
    local -a a
    read -ra a <<< "$2"
    local half=$((a[3] / 2)) top bottom
    top="$(shares "$1" "${a[0]} ${a[1]} ${a[2]} $half")"
    bottom="$(shares "$1" "${a[0]} $((a[1] + half)) ${a[2]} $half")"
    read -r tr tb <<< "$top"
    read -r br bb <<< "$bottom"
    [ "$tr" -gt $((3 * tb + 2)) ] && [ "$bb" -gt $((3 * br + 2)) ] ||
        fail "$3 is not upright: red/blue $top above, $bottom below"
}

# The grid's first cell (its box of 100 at 5, 20): upright, so red above blue.
read -r gx gy _ <<< "$(e2e_pane ThumyzViewer)"
e2e_screenshot "$E2E_WORK/grid.png"
expect_red_above_blue "$E2E_WORK/grid.png" "$((gx + 5)) $((gy + 20)) 100 100" "the grid's cell"

e2e_click $((gx + 55)) $((gy + 70))
e2e_wait_canvas_colour red
read -r px py pw ph _ <<< "$(e2e_pane SingleyzPreview)"
expect_red_above_blue "$E2E_WORK/canvas.png" "$px $py $pw $ph" "the canvas"

# Edit > Rotate Clockwise (row at 388 of the menu under "Edit", title left 40), then Ctrl+S.
e2e_menu_pick 40 50 388
sleep 1
xdotool key ctrl+s
for i in $(seq 1 100); do [ "$(identify -format '%wx%h' "$photo" 2>/dev/null)" = 400x300 ] && break; sleep 0.1; done
e2e_dialog_open && fail "a dialog opened on Ctrl+S: $(e2e_dialog_lines | tr '\n' ' ')"
[ "$(identify -format '%wx%h' "$photo")" = 400x300 ] || fail "saved as $(identify -format '%wx%h' "$photo"), not 400x300"
[ "$(identify -format '%[orientation]' "$photo")" = TopLeft ] ||
    fail "the saved photograph says $(identify -format '%[orientation]' "$photo")"
[ "$(e2e_colour_name "$(e2e_pixel "$photo" 50 150)")" = blue ] || fail "the saved photograph's left is not blue"
[ "$(e2e_colour_name "$(e2e_pixel "$photo" 350 150)")" = red ] || fail "the saved photograph's right is not red"
e2e_close
