# Yes on the save question writes over the shown file, with no Save As dialog: an edit (Edit >
# Rotate Clockwise) then Browse > Next, answered Yes; then an edit and the
# title bar's close, answered Yes: the program ends and the file is turned again.
e2e_program_folder
e2e_desktop
convert -size 300x200 xc:'rgb(255,0,0)' "$E2E_DESKTOP/a-red.png"
convert -size 300x200 xc:'rgb(0,0,255)' "$E2E_DESKTOP/b-blue.png"
e2e_reg_clear
e2e_start
e2e_wait_pane SingleyzPreview

size_of() { identify -format '%wx%h' "$1" 2>/dev/null; }
# Waits (up to 10 s) until file $1 is $2 pixels.
wait_size() {
    local i
    for i in $(seq 1 100); do [ "$(size_of "$1")" = "$2" ] && return 0; sleep 0.1; done
    e2e_dialog_open && fail "a dialog opened instead of saving $(basename "$1")"
    fail "$(basename "$1") is $(size_of "$1"), expected $2"
}

read -r gx gy _ <<< "$(e2e_pane ThumyzViewer)"
e2e_click $((gx + 60)) $((gy + 70))
e2e_wait_canvas_colour red
# Edit > Rotate Clockwise (row at 388 of the menu under "Edit", title left 40).
e2e_menu_pick 40 50 388
sleep 1
# Browse > Next (row at 78 of the menu under "Browse", title left 80): the question, answered Yes.
e2e_menu_pick 80 95 78
e2e_wait_question "save the changes"
xdotool key y
wait_size "$E2E_DESKTOP/a-red.png" 200x300
sleep 0.5
e2e_dialog_open && fail "a dialog is open after Yes"
e2e_wait_canvas_colour blue

# The blue picture turned, then the title bar's close: Yes saves it and the program ends.
e2e_menu_pick 40 50 388
sleep 1
read -r tx ty tw th _ <<< "$(e2e_pane TitleSkin)"
e2e_click $((tx + tw - 12)) $((ty + 12))
e2e_wait_question "save the changes"
xdotool key y
wait_size "$E2E_DESKTOP/b-blue.png" 200x300
for i in $(seq 1 200); do kill -0 "$E2E_PID" 2>/dev/null || break; sleep 0.1; done
kill -0 "$E2E_PID" 2>/dev/null && fail "Yes did not end the program"
E2E_PID=""
