# A picture written elsewhere leaves its edit unsaved: Edit > Rotate Clockwise, File > Send to
# Stamp Libriary (a name, OK) writes the turned picture into the library, and the title bar's
# close still asks to save; No ends the program with the picture's file as it was.
e2e_program_folder
e2e_desktop
convert -size 300x200 xc:'rgb(255,0,0)' "$E2E_DESKTOP/a-red.png"
e2e_reg_clear
e2e_start
e2e_wait_pane SingleyzPreview

size_of() { identify -format '%wx%h' "$1" 2>/dev/null; }

read -r gx gy _ <<< "$(e2e_pane ThumyzViewer)"
e2e_click $((gx + 60)) $((gy + 70))
e2e_wait_canvas_colour red
# Edit > Rotate Clockwise (row at 388 of the menu under "Edit", title left 40): step 1 is written.
e2e_menu_pick 40 50 388
for i in $(seq 1 50); do [ -s "$E2E_PROGRAM/Datas/Undo1.udo" ] && break; sleep 0.2; done
[ "$(size_of "$E2E_PROGRAM/Datas/Undo1.udo")" = 200x300 ] || fail "the picture was not turned"

# File > Send to Stamp Libriary (row 168): the name typed, OK.
e2e_send_to_stamp turned
sent="$E2E_PROGRAM/Librarians/turned.lib"
for i in $(seq 1 50); do [ -s "$sent" ] && break; sleep 0.1; done
[ "$(size_of "$sent")" = 200x300 ] || fail "the library stamp is not the turned picture: $(identify "$sent" 2>&1)"

# The title bar's close: the save question comes, and the file is still as it was.
read -r tx ty tw th _ <<< "$(e2e_pane TitleSkin)"
e2e_click $((tx + tw - 12)) $((ty + 12))
e2e_wait_question "save the changes"
[ "$(size_of "$E2E_DESKTOP/a-red.png")" = 300x200 ] || fail "the picture's file changed before the answer"
xdotool key n
for i in $(seq 1 200); do kill -0 "$E2E_PID" 2>/dev/null || break; sleep 0.1; done
kill -0 "$E2E_PID" 2>/dev/null && fail "No did not end the program"
E2E_PID=""
[ "$(size_of "$E2E_DESKTOP/a-red.png")" = 300x200 ] || fail "No changed the picture's file"
