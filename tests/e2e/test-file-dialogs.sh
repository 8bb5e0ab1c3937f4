# The file commands through the real program and the system's dialogs: File > Open... with a path
# typed into the name box opens it in the canvas; File > Save As... with the PNG type writes the
# file, and a second save under the same name asks before replacing it; File > Save a Copy...
# writes "name_Copy.ext" beside the shown file; File > Import to screen... makes the chosen file
# the working stamp.
e2e_program_folder
e2e_desktop
convert -size 300x200 xc:'rgb(255,0,0)' "$E2E_DESKTOP/a-red.png"
mkdir -p "$E2E_WORK/in"
convert -size 240x160 xc:'rgb(0,255,0)' "$E2E_WORK/in/green.png"
e2e_reg_clear
e2e_start
e2e_wait_pane SingleyzPreview

read -r bx by bw bh _ <<< "$(e2e_pane yzToolbarUser)"
cy=$((by + bh / 2))
menu_top=$((by + bh))
win() { printf 'Z:%s' "${1//\//\\}"; }
wait_menu() {
    local i
    for i in $(seq 1 50); do
        [ "$(e2e_pane SkinMenu | cut -f5)" = "$1" ] && return 0
        sleep 0.1
    done
    fail "the menu's visibility did not become $1"
}
# Picks the File menu's row at offset $1 from the menu's top.
file_pick() {
    e2e_click $((bx + 15)) "$cy"
    wait_menu 1
    xdotool mousemove $((bx + 65)) $((menu_top + $1 + 2))
    sleep 0.2
    e2e_click $((bx + 65)) $((menu_top + $1 + 10))
    wait_menu 0
}
# Waits for the file dialog titled $1.
wait_dialog() {
    local i
    for i in $(seq 1 100); do
        wine "$E2E_PROBE" tree '#32770' 2>/dev/null | tr -d '\r' | grep -q . && break
        sleep 0.1
    done
    sleep 1
}
canvas_share() {
    e2e_screenshot "$E2E_WORK/canvas.png"
    local px py pw ph
    read -r px py pw ph _ <<< "$(e2e_pane SingleyzPreview)"
    e2e_colour_share "$E2E_WORK/canvas.png" "$px $py $pw $ph" "$1"
}

# File > Open... (the row at 28), the path typed and Return: the canvas shows the green picture.
file_pick 28
wait_dialog
e2e_screenshot "$E2E_WORK/open-dialog.png"
[ -n "${E2E_SHOTS:-}" ] && cp "$E2E_WORK/open-dialog.png" "$E2E_SHOTS/open-dialog.png"
xdotool type --delay 20 "$(win "$E2E_WORK/in/green.png")"
xdotool key Return
for i in $(seq 1 50); do
    [ "$(canvas_share lime)" -gt 5 ] && break
    sleep 0.2
done
[ "$(canvas_share lime)" -gt 5 ] || fail "the opened picture is not on the canvas"

# File > Save As... (the row at 78): the name typed, the PNG type picked in the type list.
save_as_png() {
    file_pick 78
    wait_dialog
    xdotool type --delay 20 "$(win "$E2E_WORK/out")"
    xdotool key Tab
    sleep 0.2
    xdotool key alt+Down
    sleep 0.3
    xdotool key Down Down Down Return
    sleep 0.5
}
save_as_png
e2e_screenshot "$E2E_WORK/save-dialog.png"
[ -n "${E2E_SHOTS:-}" ] && cp "$E2E_WORK/save-dialog.png" "$E2E_SHOTS/save-dialog.png"
xdotool key Return
for i in $(seq 1 50); do [ -s "$E2E_WORK/out.png" ] && break; sleep 0.2; done
[ -s "$E2E_WORK/out.png" ] || fail "Save As wrote no out.png: $(ls "$E2E_WORK")"
[ "$(identify -format '%m %wx%h' "$E2E_WORK/out.png")" = "PNG 240x160" ] || fail "out.png is not the picture as PNG"
before="$(stat -c %Y.%s "$E2E_WORK/out.png")"
sleep 1

# The same name again: the dialog asks; No leaves the file as it was.
save_as_png
xdotool key Return
asked=0
for i in $(seq 1 50); do
    if wine "$E2E_PROBE" tree '#32770' 2>/dev/null | tr -d '\r' | grep -qi "exists"; then asked=1; break; fi
    sleep 0.1
done
e2e_screenshot "$E2E_WORK/asked.png"
[ "$asked" = 1 ] || fail "saving over out.png did not ask"
xdotool key n
sleep 0.5
xdotool key Escape
sleep 0.5
[ "$(stat -c %Y.%s "$E2E_WORK/out.png")" = "$before" ] || fail "No replaced out.png"

# File > Save a Copy... (the row at 98): beside the shown file.
file_pick 98
for i in $(seq 1 50); do [ -s "$E2E_WORK/in/green_Copy.png" ] && break; sleep 0.2; done
[ "$(identify -format '%m %wx%h' "$E2E_WORK/in/green_Copy.png" 2>/dev/null)" = "PNG 240x160" ] ||
    fail "no green_Copy.png: $(ls "$E2E_WORK/in")"

# File > Import to screen... (the row at 128): the chosen file becomes the working stamp.
file_pick 128
wait_dialog
xdotool type --delay 20 "$(win "$E2E_WORK/in/green.png")"
xdotool key Return
stamp="$E2E_PROGRAM/Librarians/Stamptemp.tmp"
for i in $(seq 1 50); do [ -s "$stamp" ] && break; sleep 0.2; done
cmp -s "$stamp" "$E2E_WORK/in/green.png" || fail "the working stamp is not the imported file"
sleep 1
e2e_close
