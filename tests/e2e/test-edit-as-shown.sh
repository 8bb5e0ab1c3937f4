# What Apply makes is what the canvas showed, in the real program driven with the real pointer:
# Image Tool > Irradiation with the light dragged to the left of a red picture and a click without
# a drag on its right lights the picture on the left, where the glow still shows; Image Tool > Red
# Eye with Ctrl+A (Select All) treats only the frame's corner, 100 pixels square, not the picture;
# Image Tool > Polygonal Lasso with Cancel pressed and answered Cancel before Apply cuts the
# triangle the user clicked, not an outline to the Cancel button.
e2e_program_folder
e2e_desktop
convert -size 200x150 xc:'rgb(220,20,20)' "$E2E_DESKTOP/a-red.png"
e2e_reg_clear
e2e_start
e2e_wait_pane SingleyzPreview

undo="$E2E_PROGRAM/Datas"
step="$undo/Undo1.udo"
# The red channel of the picture's pixel (x, y) in an image file.
red_at() { convert "$1" -format "%[fx:int(255*u.p{$2,$3}.r)]" info:; }
green_at() { convert "$1" -format "%[fx:int(255*u.p{$2,$3}.g)]" info:; }
# A click on the edit panel's element $1 pixels right of the panel's left edge.
click_panel() {
    local px py pw ph x y
    read -r px py pw ph _ <<< "$(e2e_pane SingleyzPreview)"
    x=$((px + (pw - 200) / 2 - 50 + $1 + 27))
    y=$((py + ph - 35 + 13))
    xdotool mousemove "$x" "$y"
    sleep 0.3
    e2e_click "$x" "$y"
}
# Waits (up to 20 s) until the first undo step's file is written anew; $1 is its time before.
wait_step() {
    local i
    for i in $(seq 1 100); do
        [ -s "$step" ] && [ "$(stat -c %Y.%s "$step")" != "$1" ] && { sleep 0.5; return 0; }
        sleep 0.2
    done
    fail "Apply wrote no undo step"
}
step_stamp() { stat -c %Y.%s "$step" 2>/dev/null || echo none; }

read -r gx gy _ <<< "$(e2e_pane ThumyzViewer)"
e2e_click $((gx + 60)) $((gy + 70))
e2e_wait_canvas_colour 'rgb(220,20,20)'
# The picture is smaller than the canvas: shown centred at its own size, clear of the edit panel.
read -r px py pw ph _ <<< "$(e2e_pane SingleyzPreview)"
[ "$ph" -ge 200 ] || fail "the canvas is $ph pixels high, too low for the picture and the panel"
ox=$((px + (pw - 200) / 2))
oy=$((py + (ph - 150) / 2))

# Irradiation (row 368): the light dragged to (40, 75), then a click at (160, 75).
e2e_menu_run 135 150 368
xdotool mousemove $((ox + 70)) $((oy + 75)) mousedown 1
sleep 0.2
xdotool mousemove $((ox + 50)) $((oy + 75))
sleep 0.2
xdotool mousemove $((ox + 40)) $((oy + 75))
sleep 0.2
xdotool mouseup 1
sleep 0.5
e2e_click $((ox + 160)) $((oy + 75))
sleep 0.5
e2e_shot light edit-as-shown
left="$(red_at "$E2E_WORK/light.png" $((ox + 40)) $((oy + 75)))"
right="$(red_at "$E2E_WORK/light.png" $((ox + 160)) $((oy + 75)))"
[ "$left" -gt $((right + 40)) ] || fail "the glow is not shown on the left (red $left there, $right on the right)"
before="$(step_stamp)"
click_panel 200
wait_step "$before"
left="$(red_at "$step" 40 75)"
right="$(red_at "$step" 160 75)"
[ "$left" -gt $((right + 40)) ] || fail "Apply lit the picture elsewhere than shown (red $left on the left, $right on the right)"
xdotool key ctrl+z
sleep 1

# Red Eye (row 298), Ctrl+A, Apply: the 100 x 100 pixels at the corner greyed, the rest red.
e2e_menu_run 135 150 298
xdotool key ctrl+a
sleep 0.5
before="$(step_stamp)"
click_panel 200
wait_step "$before"
[ "$(red_at "$step" 50 50)" = "$(green_at "$step" 50 50)" ] || fail "the red eye inside the frame is not greyed"
for at in "130 50" "50 130" "190 140"; do
    read -r x y <<< "$at"
    { [ "$(red_at "$step" "$x" "$y")" = 220 ] && [ "$(green_at "$step" "$x" "$y")" = 20 ]; } ||
        fail "the red eye reached ($x, $y), outside its 100 x 100 frame"
done
xdotool key ctrl+z
sleep 1

# Polygonal Lasso (row 78): a triangle of three clicks closed with the right button; Cancel
# (60 pixels right of Apply on a panel without a slider) answered Cancel; then Apply.
e2e_menu_run 135 150 78
for at in "30 20" "130 20" "130 120"; do
    read -r x y <<< "$at"
    e2e_click $((ox + x)) $((oy + y))
    sleep 0.3
done
xdotool mousemove $((ox + 80)) $((oy + 140)) click 3
sleep 0.5
click_panel 150
wine "$E2E_PROBE" wait '#32770' 10000 || fail "Cancel asked nothing"
xdotool key Escape
sleep 1
rm -f "$E2E_PROGRAM/Librarians/Stamptemp.tmp"
click_panel 90
for i in $(seq 1 50); do [ -s "$E2E_PROGRAM/Librarians/Stamptemp.tmp" ] && break; sleep 0.2; done
sleep 0.5
e2e_shot lasso edit-as-shown
size="$(identify -format '%wx%h' "$E2E_PROGRAM/Librarians/Stamptemp.tmp" 2>/dev/null)"
[ "$size" = 100x100 ] || fail "the lasso cut $size, expected the 100x100 triangle"

e2e_close
