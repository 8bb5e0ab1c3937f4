# The floating stamp through the real program: a rectangle selected with Image Tool > Rectangular
# Marquee, Edit > Copy, then Edit > Paste puts the copied pixels on the canvas as a stamp at the
# picture's top-left corner, and Apply writes them into the picture (the undo step holds them);
# File > Import to screen... shows the chosen picture over the canvas as a stamp, and Send to Stamp
# Libriary then writes that stamp into the library. Before that,
# Browse > Add Star and Remove Star write the selected picture into the folder's favourites list
# and take it out again.
e2e_program_folder
e2e_desktop
# Navy with a red block at (200, 120) to (279, 179): the selection takes only red.
convert -size 300x200 xc:'rgb(0,0,120)' -fill 'rgb(255,0,0)' -draw 'rectangle 200,120 279,179' "$E2E_DESKTOP/a-navy.png"
mkdir -p "$E2E_WORK/in"
lime="$E2E_WORK/in/lime.png"
convert -size 100x60 xc:'rgb(0,255,0)' "$lime"
e2e_reg_clear
e2e_start
e2e_wait_pane SingleyzPreview

shot() {
    e2e_screenshot "$E2E_WORK/$1.png"
    e2e_keep_shot "$E2E_WORK/$1.png" "stamp-$1.png"
}
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
# The share in thousandths of the screenshot's pixels in "x y w h" within 10 % of colour $3.
permille() {
    local -a r
    read -ra r <<< "$2"
    convert "$E2E_WORK/$1.png" -crop "${r[2]}x${r[3]}+${r[0]}+${r[1]}" +repage -fuzz 10% -fill black +opaque "$3" \
        -fill white -opaque "$3" -format '%[fx:int(1000*mean)]' info:
}

# The picture opens in the canvas; where it shows is the box of its navy.
read -r gx gy _ <<< "$(e2e_pane ThumyzViewer)"
e2e_click $((gx + 60)) $((gy + 70))
read -r px py pw ph _ <<< "$(e2e_pane SingleyzPreview)"
for i in $(seq 1 50); do
    shot shown
    [ "$(permille shown "$px $py $pw $ph" 'rgb(0,0,120)')" -gt 20 ] && break
    sleep 0.2
done
box="$(convert "$E2E_WORK/shown.png" -crop "${pw}x${ph}+${px}+${py}" +repage -fuzz 10% -fill black +opaque 'rgb(0,0,120)' \
    -fill white -opaque 'rgb(0,0,120)' -format '%@' info:)"
IFS='x+' read -r iw ih ix iy <<< "$box"
[ "$iw" -gt 0 ] && [ "$ih" -gt 0 ] || fail "the picture did not open ($box)"
# A point of the picture (image pixels) on the screen.
sx() { echo $((px + ix + $1 * iw / 300)); }
sy() { echo $((py + iy + $1 * ih / 200)); }
# Browse > Add Star (row 248), Remove Star (row 268): the selected picture in the folder's list.
favourites="$E2E_DESKTOP/Vellumolib.vlb"
pick 80 95 248
for i in $(seq 1 50); do grep -aq 'a-navy.png' "$favourites" 2>/dev/null && break; sleep 0.1; done
grep -aq 'a-navy.png' "$favourites" 2>/dev/null || fail "Add Star did not list the picture"
pick 80 95 268
for i in $(seq 1 50); do grep -aq 'a-navy.png' "$favourites" 2>/dev/null || break; sleep 0.1; done
grep -aq 'a-navy.png' "$favourites" 2>/dev/null && fail "Remove Star kept the picture in the list"

corner="$(sx 0) $(sy 0) $((iw * 50 / 300)) $((ih * 30 / 200))"
[ "$(permille shown "$corner" red)" = 0 ] || fail "red at the picture's corner before the paste"

# Image Tool > Rectangular Marquee (row 38), a drag inside the red block, Edit > Copy (row 158).
pick 135 150 38
xdotool mousemove "$(sx 210)" "$(sy 130)" mousedown 1
sleep 0.2
xdotool mousemove "$(sx 240)" "$(sy 150)"
sleep 0.2
xdotool mousemove "$(sx 270)" "$(sy 170)"
sleep 0.2
xdotool mouseup 1
sleep 0.5
pick 40 50 158
# Edit > Paste (row 178): the red stamp stands at the picture's top-left corner.
pick 40 50 178
for i in $(seq 1 50); do
    shot pasted
    [ "$(permille pasted "$corner" red)" -gt 500 ] && break
    sleep 0.2
done
[ "$(permille pasted "$corner" red)" -gt 500 ] || fail "no red stamp at the picture's corner after the paste"

# Apply on the edit panel: one undo step, the first navy at the corner, the step red there.
undo="$E2E_PROGRAM/Datas"
panel_x=$(((pw - 200) / 2 - 50))
apply_x=$((px + panel_x + 200 + 27))
apply_y=$((py + ph - 35 + 13))
xdotool mousemove "$apply_x" "$apply_y"
sleep 0.3
e2e_click "$apply_x" "$apply_y"
for i in $(seq 1 100); do [ -s "$undo/Undo1.udo" ] && break; sleep 0.2; done
sleep 1
shot applied
[ -s "$undo/Undo1.udo" ] || fail "Apply made no undo step: $(ls "$undo")"
[ "$(e2e_pixel "$undo/Undo0.udo" 5 5)" = 0,0,120 ] || fail "the first step is not navy at the corner"
[ "$(e2e_pixel "$undo/Undo1.udo" 5 5)" = 255,0,0 ] || fail "the applied step is not red at the corner"
[ "$(e2e_pixel "$undo/Undo1.udo" 100 60)" = 0,0,120 ] || fail "the applied step is red past the copied rectangle"
[ "$(permille applied "$corner" red)" -gt 500 ] || fail "the canvas is not red at the corner after Apply"

# File > Import to screen... (row 128): the lime picture is the stamp, shown over the canvas.
[ "$(permille applied "$px $py $pw $ph" lime)" = 0 ] || fail "lime on the canvas before the import"
e2e_menu_pick 0 15 128
wine "$E2E_PROBE" wait '#32770' 10000 >/dev/null 2>&1 || fail "no open dialog for Import to screen"
sleep 1
xdotool type --delay 20 "$(printf 'Z:%s' "${lime//\//\\}")"
xdotool key Return
for i in $(seq 1 50); do
    shot imported
    [ "$(permille imported "$px $py $pw $ph" lime)" -gt 5 ] && break
    sleep 0.2
done
[ "$(permille imported "$(sx 0) $(sy 0) $((iw / 3)) $((ih * 60 / 200))" lime)" -gt 500 ] ||
    fail "the imported stamp is not over the picture's corner"

# File > Send to Stamp Libriary (row 168) with the stamp floating sends the stamp, not the picture.
e2e_send_to_stamp limey
sent="$E2E_PROGRAM/Librarians/limey.lib"
for i in $(seq 1 50); do [ -s "$sent" ] && break; sleep 0.1; done
[ "$(identify -format '%wx%h' "$sent" 2>/dev/null)" = 100x60 ] || fail "the library stamp is not the 100 x 60 stamp: $(identify "$sent" 2>&1)"
[ "$(e2e_pixel "$sent" 50 30)" = 0,255,0 ] || fail "the library stamp is not lime"

# Closing with the unsaved paste answers the save question with No.
wine "$E2E_PROBE" close "$E2E_CLASS"
for i in $(seq 1 100); do
    kill -0 "$E2E_PID" 2>/dev/null || break
    wine "$E2E_PROBE" wait '#32770' 0 >/dev/null 2>&1 && xdotool key n
    sleep 0.2
done
kill -0 "$E2E_PID" 2>/dev/null && fail "the program did not end"
E2E_PID=""
