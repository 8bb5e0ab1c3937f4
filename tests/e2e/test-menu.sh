# The menu road through the real program: a click on "File" opens its menu under the title, a
# glide to "Browse" switches to that menu, "Arrange Image By Size" is picked, shows checked the
# next time the menu opens, reorders the grid (the larger file, first by name, goes second) and is
# the sort stored at the close.
e2e_program_folder
e2e_desktop
convert -size 300x200 xc:'rgb(255,0,0)' "$E2E_DESKTOP/a-red.bmp"
convert -size 300x200 xc:'rgb(0,0,255)' "$E2E_DESKTOP/b-blue.png"
e2e_reg_clear
e2e_start
e2e_wait_pane SingleyzPreview

read -r bx by bw bh _ <<< "$(e2e_pane yzToolbarUser)"
cy=$((by + bh / 2))
menu_top=$((by + bh))

# Waits (up to 5 s) until the menu's visibility is $1.
wait_menu() {
    local i
    for i in $(seq 1 50); do
        [ "$(e2e_pane SkinMenu | cut -f5)" = "$1" ] && return 0
        sleep 0.1
    done
    fail "the menu's visibility did not become $1"
}

e2e_click $((bx + 15)) "$cy"
wait_menu 1
e2e_expect_pane SkinMenu "$((bx + 5)) $menu_top 217 *"
sleep 0.3
e2e_screenshot "$E2E_WORK/file-menu.png"
[ -n "${E2E_SHOTS:-}" ] && cp "$E2E_WORK/file-menu.png" "$E2E_SHOTS/file-menu.png"

# Gliding over "Browse" hangs its menu under it, still open.
xdotool mousemove $((bx + 95)) "$cy"
sleep 0.2
xdotool mousemove $((bx + 96)) "$cy"
for i in $(seq 1 50); do
    [ "$(e2e_pane SkinMenu | cut -f1)" = $((bx + 80)) ] && break
    sleep 0.1
done
e2e_expect_pane SkinMenu "$((bx + 80)) $menu_top 217 *"
wait_menu 1

# Rows from the menu's top: 8, 28, a separator, 58, 78, a separator, "By Name" at 108, "By Size" at 128.
mx=$((bx + 80))
xdotool mousemove $((mx + 60)) $((menu_top + 115))
sleep 0.2
e2e_click $((mx + 60)) $((menu_top + 137))
wait_menu 0

# Open again: the check mark stands before "By Size", not before "By Name".
sleep 0.5
e2e_click $((bx + 95)) "$cy"
wait_menu 1
sleep 0.5
e2e_screenshot "$E2E_WORK/browse-menu.png"
[ -n "${E2E_SHOTS:-}" ] && cp "$E2E_WORK/browse-menu.png" "$E2E_SHOTS/browse-menu.png"
by_name="$(e2e_colour_share "$E2E_WORK/browse-menu.png" "$((mx + 3)) $((menu_top + 108)) 16 16" white)"
by_size="$(e2e_colour_share "$E2E_WORK/browse-menu.png" "$((mx + 3)) $((menu_top + 128)) 16 16" white)"
[ "$by_name" -ge 95 ] || fail "a mark before By Name ($by_name % white)"
[ "$by_size" -le $((by_name - 4)) ] || fail "no mark before By Size ($by_size % white)"
# The grid's first cell shows the smaller file, the second the larger.
read -r gx _ <<< "$(e2e_pane ThumyzViewer)"
[ "$(e2e_colour_share "$E2E_WORK/browse-menu.png" "$((gx + 17)) 395 80 50" blue)" -ge 80 ] || fail "first cell not the smaller file"
[ "$(e2e_colour_share "$E2E_WORK/browse-menu.png" "$((gx + 137)) 395 80 50" red)" -ge 80 ] || fail "second cell not the larger file"
e2e_click $((bx + 95)) "$cy"
wait_menu 0

e2e_close
e2e_reg_values | grep -q '^ArrangeString REG_SZ View_Sortsize$' || fail "sort not stored: $(e2e_reg_values)"
