# The editing tools through the real program's menus: Image Tool > Add Text puts the text bar
# above the canvas and a second pick takes it away; the line tool's Option menu sets the line
# width; Effect > Snows applied from the canvas's edit panel changes the picture and adds one undo
# step; File > New, 300 x 200, OK shows a blank picture of that size; Browse > Full Browse fills
# the screen and Esc closes it.
e2e_program_folder
e2e_desktop
convert -size 300x200 xc:'rgb(0,0,120)' "$E2E_DESKTOP/a-navy.png"
e2e_reg_clear
e2e_start
e2e_wait_pane SingleyzPreview

shot() {
    e2e_screenshot "$E2E_WORK/$1.png"
    e2e_keep_shot "$E2E_WORK/$1.png" "tools-$1.png"
}
# Waits (up to 5 s) until the drop-down menu's visibility is $1.
wait_menu() {
    local i
    for i in $(seq 1 50); do
        [ "$(e2e_pane SkinMenu | cut -f5)" = "$1" ] && return 0
        sleep 0.1
    done
    fail "the menu's visibility did not become $1"
}
pick() {
    e2e_menu_pick "$@"
    wait_menu 0
    sleep 0.5
}
# The share in thousandths of the canvas's pixels within 10 % of the picture's navy in a screenshot.
navy_permille() {
    read -r px py pw ph _ <<< "$(e2e_pane SingleyzPreview)"
    convert "$E2E_WORK/$1.png" -crop "${pw}x${ph}+${px}+${py}" +repage -fuzz 10% -fill black +opaque 'rgb(0,0,120)' \
        -fill white -opaque 'rgb(0,0,120)' -format '%[fx:int(1000*mean)]' info:
}

# The picture opens in the canvas.
read -r gx gy _ <<< "$(e2e_pane ThumyzViewer)"
e2e_click $((gx + 60)) $((gy + 70))
for i in $(seq 1 50); do
    shot shown
    [ "$(navy_permille shown)" -gt 50 ] && break
    sleep 0.2
done
[ "$(navy_permille shown)" -gt 50 ] || fail "the picture did not open"

# Image Tool > Add Text (menu left 135, row 398): the text bar stands where the canvas began, and
# the canvas starts 25 pixels lower; picked again, browse: the bar goes and the canvas is back.
read -r _ top_before _ <<< "$(e2e_pane SingleyzPreview)"
pick 135 150 398
read -r tx ty tw th tv <<< "$(e2e_pane YDSTextControl1)"
[ "$tv" = 1 ] || fail "the text bar is not shown"
[ "$ty" = "$top_before" ] || fail "the text bar at $ty, the canvas was at $top_before"
read -r _ top_text _ <<< "$(e2e_pane SingleyzPreview)"
[ "$top_text" = $((top_before + 25)) ] || fail "the canvas at $top_text with the text bar, expected $((top_before + 25))"
shot text-tool
pick 135 150 398
[ "$(e2e_pane YDSTextControl1 | cut -f5)" = 0 ] || fail "the text bar stayed after the second pick"
read -r _ top_after _ <<< "$(e2e_pane SingleyzPreview)"
[ "$top_after" = "$top_before" ] || fail "the canvas at $top_after after browse, expected $top_before"

# Image Tool > Line (row 448): the edit panel's Option opens the line widths beside it; "7 Pixels"
# (row 68) becomes the line width kept at the close. Picked again, the line tool ends.
pick 135 150 448
read -r px py pw ph _ <<< "$(e2e_pane SingleyzPreview)"
option_x=$((px + (pw - 200) / 2 - 50 + 200 + 120 + 27))
option_y=$((py + ph - 35 + 13))
xdotool mousemove "$option_x" "$option_y"
sleep 0.3
e2e_click "$option_x" "$option_y"
wait_menu 1
read -r mx my _ <<< "$(e2e_pane SkinMenu)"
xdotool mousemove $((mx + 40)) $((my + 70))
sleep 0.2
e2e_click $((mx + 40)) $((my + 78))
wait_menu 0
pick 135 150 448

# Effect > Snows (menu left 215, row 308), then Apply on the edit panel at the canvas's bottom.
undo="$E2E_PROGRAM/Datas"
pick 215 225 308
shot snow-tool
read -r px py pw ph _ <<< "$(e2e_pane SingleyzPreview)"
panel_x=$(( (pw - 200) / 2 - 50 ))
apply_x=$((px + panel_x + 200 + 27))
apply_y=$((py + ph - 35 + 13))
xdotool mousemove "$apply_x" "$apply_y"
sleep 0.3
e2e_click "$apply_x" "$apply_y"
for i in $(seq 1 100); do [ -s "$undo/Undo1.udo" ] && break; sleep 0.2; done
sleep 1
shot snow-applied
[ -s "$undo/Undo0.udo" ] || fail "no first undo step"
[ -s "$undo/Undo1.udo" ] || fail "Apply made no undo step"
[ -e "$undo/Undo2.udo" ] && fail "Apply made more than one undo step"
# The snow lies light over the navy picture on the screen, and the step holds it.
navy_before="$(navy_permille shown)"
navy_after="$(navy_permille snow-applied)"
[ "$navy_after" -lt $((navy_before - 5)) ] || fail "no snow on the canvas (navy: $navy_before per mille before, $navy_after after)"
white_share() { convert "$1" -fuzz 25% -fill black +opaque white -fill white -opaque white -format '%[fx:int(1000*mean)]' info:; }
[ "$(white_share "$undo/Undo0.udo")" = 0 ] || fail "the first undo step is not the navy picture"
[ "$(white_share "$undo/Undo1.udo")" -gt 0 ] || fail "the undo step holds no snow"

# File > New (row 8): the unsaved snow is asked about (No), then the size dialog: 300 x 200, OK.
pick 5 15 8
wine "$E2E_PROBE" wait '#32770' 10000 || fail "no save question before the new picture"
xdotool key n
e2e_wait_window VellumoShells
sleep 0.5
read -r dx dy _ <<< "$(e2e_window VellumoShells)"
type_box() {
    e2e_click $(($1 + 25)) $(($2 + 9))
    xdotool key End BackSpace BackSpace BackSpace BackSpace BackSpace
    xdotool type --delay 30 "$3"
}
type_box $((dx + 120)) $((dy + 88)) 300
type_box $((dx + 192)) $((dy + 88)) 200
shot new-dialog
xdotool mousemove $((dx + 240)) $((dy + 167))
sleep 0.3
e2e_click $((dx + 240)) $((dy + 167))
e2e_wait_window_gone VellumoShells
sleep 1
shot new-image
read -r px py pw ph _ <<< "$(e2e_pane SingleyzPreview)"
# The white picture's bounding box on the grey canvas.
box="$(convert "$E2E_WORK/new-image.png" -crop "${pw}x${ph}+${px}+${py}" +repage -fuzz 2% -fill black +opaque white \
    -format '%@' info:)"
case "$box" in
300x200+*) ;;
*) fail "the new picture shows as $box, expected 300x200" ;;
esac

# Browse > Full Browse (menu left 80, row 8): the picture full screen; Esc closes it.
pick 80 95 8
e2e_wait_window VellumoSlideshow
[ "$(e2e_window VellumoSlideshow)" = "0 0 1280 1024 1" ] || fail "the full view at '$(e2e_window VellumoSlideshow)'"
sleep 1
shot full-view
xdotool key Escape
for i in $(seq 1 50); do
    [ "$(e2e_window VellumoSlideshow | cut -d' ' -f5)" = 1 ] || break
    sleep 0.1
done
[ "$(e2e_window VellumoSlideshow | cut -d' ' -f5)" = 1 ] && fail "Esc did not close the full view"

e2e_close
e2e_reg_values | grep -q '^LineMenu REG_SZ Line_7$' || fail "line width not kept: $(e2e_reg_values)"
