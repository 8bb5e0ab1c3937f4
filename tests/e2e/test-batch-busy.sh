# The main window while the batch's question holds a copy, through the real program: twelve
# pictures band-selected and copied to a folder that already holds the fourth; while the replace
# question holds the copy, a click on "File" opens no menu (a request that comes between two files
# is refused, as the shell's tests show). The copy then finishes and its window closes, and File >
# Send to Stamp Libriary afterwards names a stamp.
e2e_program_folder
e2e_desktop
mkdir -p "$E2E_DESKTOP/target"
for i in $(seq -w 1 12); do convert -size 300x200 xc:'rgb(255,0,0)' "$E2E_DESKTOP/p$i.png"; done
echo "someone else's" > "$E2E_DESKTOP/target/p04.png"
e2e_reg_clear
e2e_start
e2e_wait_pane SingleyzPreview
sleep 1
e2e_open_first_band_all red

# Edit > Copy to... (row at 248 of the menu under "Edit"), the folder "target", OK.
e2e_batch_to_target 248
e2e_wait_dialog_text 'named "p04.png"'

# The copy waits on its question; a click on "File" meanwhile opens nothing.
read -r bx by _ bh _ <<< "$(e2e_pane yzToolbarUser)"
e2e_click $((bx + 15)) $((by + bh / 2))
sleep 1
[ "$(e2e_pane SkinMenu | cut -f5)" != 1 ] || fail "the main window took a click under the copy's question"
[ "$(wine "$E2E_PROBE" count VellumoShells 2>/dev/null | tr -d '\r')" = 1 ] || fail "a second batch window"
# The question is still in front: No, and the copy goes on with the other files.
[ "$(wine "$E2E_PROBE" foreground 2>/dev/null | tr -d '\r')" = '#32770' ] || fail "the copy's question is not in front"
xdotool key n
e2e_wait_window_gone VellumoShells
for i in $(seq -w 1 12); do
    [ "$i" = 04 ] && continue
    [ -e "$E2E_DESKTOP/target/p$i.png" ] || fail "p$i.png was not copied"
done
[ "$(cat "$E2E_DESKTOP/target/p04.png")" = "someone else's" ] || fail "the file the user kept was replaced"

# The main window takes the same request now: the stamp goes into the library.
e2e_send_to_stamp later
for i in $(seq 1 50); do [ -e "$E2E_PROGRAM/Librarians/later.lib" ] && break; sleep 0.1; done
[ -e "$E2E_PROGRAM/Librarians/later.lib" ] || fail "no stamp after the copy: $(ls "$E2E_PROGRAM/Librarians")"
e2e_close
