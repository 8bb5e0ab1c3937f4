# The file commands through the real program and the system's dialogs: File > Open... with a path
# typed into the name box opens it in the canvas; File > Save As... with the PNG type writes the
# file, and a second save under the same name asks (No keeps it); File > Save a Copy... writes
# "name_Copy.ext" beside the shown file, the one saved as; File > Import to screen... makes the file
# the stamp.
e2e_program_folder
e2e_desktop
convert -size 300x200 xc:'rgb(255,0,0)' "$E2E_DESKTOP/a-red.png"
mkdir -p "$E2E_WORK/in"
green="$E2E_WORK/in/green.png"
convert -size 240x160 xc:'rgb(0,255,0)' "$green"
e2e_reg_clear
e2e_start
e2e_wait_pane SingleyzPreview

read -r bx by bw bh _ <<< "$(e2e_pane yzToolbarUser)"
menu_top=$((by + bh))
win() { printf 'Z:%s' "${1//\//\\}"; }
# Picks the File menu's row at offset $1 from the menu's top, then waits for a dialog if $2 is set.
file_pick() {
    e2e_click $((bx + 15)) $((by + bh / 2))
    for i in $(seq 1 50); do [ "$(e2e_pane SkinMenu | cut -f5)" = 1 ] && break; sleep 0.1; done
    xdotool mousemove $((bx + 65)) $((menu_top + $1 + 2))
    sleep 0.2
    e2e_click $((bx + 65)) $((menu_top + $1 + 10))
    [ -n "${2:-}" ] || return 0
    wine "$E2E_PROBE" wait '#32770' 10000 >/dev/null 2>&1 || fail "no dialog for the row at $1"
    sleep 1
}
# Types a path into the dialog's name box (it has the focus).
type_path() { xdotool type --delay 20 "$(win "$1")"; }

# File > Open... (row 28): the canvas shows the green picture.
file_pick 28 dialog
type_path "$green"
xdotool key Return
read -r px py pw ph _ <<< "$(e2e_pane SingleyzPreview)"
for i in $(seq 1 50); do
    e2e_screenshot "$E2E_WORK/canvas.png"
    [ "$(e2e_colour_share "$E2E_WORK/canvas.png" "$px $py $pw $ph" lime)" -gt 5 ] && break
    sleep 0.2
done
[ "$(e2e_colour_share "$E2E_WORK/canvas.png" "$px $py $pw $ph" lime)" -gt 5 ] || fail "the picture is not on the canvas"

# File > Save As... (row 78): the name typed, the fourth type (PNG) picked in the dropped list.
save_as_png() {
    file_pick 78 dialog
    type_path "$E2E_WORK/out"
    xdotool key Tab alt+Down
    sleep 0.3
    xdotool key Down Down Down Return
    sleep 0.5
    e2e_screenshot "$E2E_WORK/save-dialog.png"
    xdotool key Return
}
save_as_png
for i in $(seq 1 50); do [ -s "$E2E_WORK/out.png" ] && break; sleep 0.2; done
[ "$(identify -format '%m %wx%h' "$E2E_WORK/out.png" 2>/dev/null)" = "PNG 240x160" ] || fail "no out.png as PNG"
before="$(stat -c %Y.%s "$E2E_WORK/out.png")"
sleep 1
save_as_png
asked=0
for i in $(seq 1 50); do
    wine "$E2E_PROBE" tree '#32770' 2>/dev/null | tr -d '\r' | grep -qi "already exists" && { asked=1; break; }
    sleep 0.1
done
[ "$asked" = 1 ] || fail "saving over out.png did not ask"
xdotool key n
sleep 0.5
xdotool key Escape
sleep 0.5
[ "$(stat -c %Y.%s "$E2E_WORK/out.png")" = "$before" ] || fail "No replaced out.png"

# File > Save a Copy... (row 98): beside the file shown, which after Save As is out.png.
file_pick 98
for i in $(seq 1 50); do [ -s "$E2E_WORK/out_Copy.png" ] && break; sleep 0.2; done
[ "$(identify -format '%m %wx%h' "$E2E_WORK/out_Copy.png" 2>/dev/null)" = "PNG 240x160" ] ||
    fail "no out_Copy.png: $(ls "$E2E_WORK")"

# File > Import to screen... (row 128): the working stamp is the chosen file.
file_pick 128 dialog
type_path "$green"
xdotool key Return
stamp="$E2E_PROGRAM/Librarians/Stamptemp.tmp"
for i in $(seq 1 50); do [ -s "$stamp" ] && break; sleep 0.2; done
cmp -s "$stamp" "$green" || fail "the working stamp is not the imported file"
sleep 1
e2e_close
