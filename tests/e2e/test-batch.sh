# The batch dialog and the properties through the real program: three Ctrl-clicked thumbnails
# renamed "Trip" (Trip1 to Trip3, extensions kept, on disk and in the grid); Edit > Resize Canvas
# from 300 x 200 to 400 x 300 on a white background, undone and redone; Browse > Properties shows
# the larger picture with its white margin.
e2e_program_folder
e2e_desktop
convert -size 300x200 xc:'rgb(255,0,0)' "$E2E_DESKTOP/a-red.png"
convert -size 300x200 xc:'rgb(0,0,255)' -quality 95 "$E2E_DESKTOP/b-blue.jpg"
convert -size 300x200 xc:'rgb(0,255,0)' "$E2E_DESKTOP/c-green.png"
e2e_reg_clear
# A tall canvas pane, so that the resized picture shows whole at 100 %.
e2e_reg_dword SplitVTop 700
e2e_start
e2e_wait_pane SingleyzPreview
e2e_select_thumbnails 3
e2e_wait_canvas_colour red

# Replaces the text of the batch dialog's box at (x, y) (dialog coordinates) by $3.
dialog_type() {
    local dx dy
    read -r dx dy _ <<< "$(e2e_window VellumoShells)"
    e2e_click $((dx + $1)) $((dy + $2))
    xdotool key End shift+Home
    xdotool type "$3"
    sleep 0.2
}
dialog_ok() {
    local dx dy
    read -r dx dy _ <<< "$(e2e_window VellumoShells)"
    e2e_click $((dx + 395 - 180 + 30)) $((dy + 200 - 40 + 7))
}

# Edit > Rename (row at 228 of the menu under "Edit", title left 40), prefilled without extension.
e2e_menu_pick 40 50 228
e2e_wait_window VellumoShells
e2e_children VellumoShells Edit | grep -q '^a-red	18	72	' || fail "the name box is not 'a-red': $(e2e_children VellumoShells Edit)"
dialog_type 100 79 Trip
e2e_children VellumoShells Edit | grep -q '^Trip	18	72	' || fail "the name box is not 'Trip': $(e2e_children VellumoShells Edit)"
dialog_ok
e2e_wait_window_gone VellumoShells
for i in $(seq 1 50); do [ -e "$E2E_DESKTOP/Trip3.png" ] && break; sleep 0.1; done
[ "$(ls "$E2E_DESKTOP" | sort | tr '\n' ' ')" = "Trip1.png Trip2.jpg Trip3.png " ] || fail "on disk: $(ls "$E2E_DESKTOP")"
[ "$(convert "$E2E_DESKTOP/Trip2.jpg" -format '%[fx:int(255*p{150,100}.b)]' info:)" -ge 240 ] || fail "Trip2.jpg is not the blue picture"
# The grid lists the new names: its second cell opens Trip2.jpg.
read -r gx gy _ <<< "$(e2e_pane ThumyzViewer)"
sleep 0.5
e2e_click $((gx + 180)) $((gy + 70))
e2e_wait_canvas_colour blue

# Edit > Resize Canvas (row at 318) to 400 x 300; the box starts at the picture's size.
e2e_menu_pick 40 50 318
e2e_wait_window VellumoShells
boxes="$(e2e_children VellumoShells Edit)"
echo "$boxes" | grep -q '^300	120	88	' || fail "the width box does not start at 300: $boxes"
echo "$boxes" | grep -q '^200	192	88	' || fail "the height box does not start at 200: $boxes"
dialog_type 140 97 400
dialog_type 212 97 300
dialog_ok
e2e_wait_window_gone VellumoShells
read -r px py pw ph _ <<< "$(e2e_pane SingleyzPreview)"
for i in $(seq 1 50); do
    e2e_screenshot "$E2E_WORK/canvas-resized.png"
    [ "$(e2e_colour_share "$E2E_WORK/canvas-resized.png" "$px $py $pw $ph" white)" -gt 0 ] && break
    sleep 0.1
done
e2e_keep_shot "$E2E_WORK/canvas-resized.png" resize-canvas.png
# The canvas's white margin and the blue picture: 60000 pixels each, within 15 %.
count() {
    convert "$E2E_WORK/canvas-resized.png" -crop "${pw}x${ph}+${px}+${py}" +repage -fuzz 10% -fill black +opaque "$1" \
        -fill white -opaque "$1" -format '%[fx:int(mean*w*h+0.5)]' info:
}
blue="$(count blue)" white="$(count white)"
[ "$blue" -ge 51000 ] && [ "$blue" -le 69000 ] || fail "the picture covers $blue pixels, not about 60000"
[ "$white" -ge 51000 ] && [ "$white" -le 69000 ] || fail "the new margin covers $white pixels, not about 60000"

# The new size was the picture's first edit: Ctrl+Z shows the picture as it was, without the margin;
# Ctrl+Y brings the margin back.
undo_key() {
    local i
    xdotool key "$1"
    for i in $(seq 1 50); do
        e2e_screenshot "$E2E_WORK/canvas-resized.png"
        white="$(count white)"
        if [ "$2" = without ]; then [ "$white" -le 500 ] && return 0; else [ "$white" -ge 51000 ] && return 0; fi
        sleep 0.1
    done
    fail "after $1 the margin covers $white pixels"
}
e2e_click $((px + 5)) $((py + ph - 5))
undo_key ctrl+z without
blue="$(count blue)"
[ "$blue" -ge 51000 ] && [ "$blue" -le 69000 ] || fail "after Ctrl+Z the picture covers $blue pixels, not about 60000"
undo_key ctrl+y with

# Browse > Properties (row at 328 of the menu under "Browse", title left 80).
e2e_menu_pick 80 95 328
e2e_wait_window VellumoProperties
sleep 0.5
read -r wx wy ww wh _ <<< "$(e2e_window VellumoProperties)"
e2e_screenshot "$E2E_WORK/properties.png"
e2e_keep_shot "$E2E_WORK/properties.png" properties.png
wine "$E2E_PROBE" tree VellumoProperties 2>/dev/null | tr -d '\r' | grep -q '^&Close	' || fail "no Close button"
# The preview box P at (32, 24), 113 x 97, of the 384 x 233 client area: the 400 x 300 picture
# fitted (113 x 85) on the box's white: about 44 % blue (88 % had the canvas kept its size).
edge=$(((ww - 384) / 2))
preview="$((wx + edge + 32)) $((wy + wh - 233 - edge + 24)) 113 97"
pblue="$(e2e_colour_share "$E2E_WORK/properties.png" "$preview" blue)"
pwhite="$(e2e_colour_share "$E2E_WORK/properties.png" "$preview" white)"
[ "$pblue" -ge 35 ] && [ "$pblue" -le 55 ] || fail "the preview is $pblue % blue, not about 44"
[ "$pwhite" -ge 40 ] || fail "the preview is $pwhite % white, less than the margin"
xdotool key Escape
e2e_wait_window_gone VellumoProperties

# The resized canvas is an unsaved edit: the close asks, No ends the program.
wine "$E2E_PROBE" close "$E2E_CLASS" || fail "no main window to close"
wine "$E2E_PROBE" wait '#32770' 10000 >/dev/null || fail "no save question"
xdotool key n
for i in $(seq 1 200); do kill -0 "$E2E_PID" 2>/dev/null || break; sleep 0.1; done
kill -0 "$E2E_PID" 2>/dev/null && fail "No did not end the program"
E2E_PID=""
[ "$(ls "$E2E_DESKTOP" | sort | tr '\n' ' ')" = "Trip1.png Trip2.jpg Trip3.png " ] || fail "after the close: $(ls "$E2E_DESKTOP")"
