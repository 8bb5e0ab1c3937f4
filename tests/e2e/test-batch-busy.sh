# A request for the batch window while it copies, through the real program: twelve pictures
# band-selected and copied to a folder that already holds the fourth; while the replace question
# holds the copy, File > Send to Stamp Libriary is picked. The request is refused with a message,
# the copy's question comes back to the front, the copy then finishes and its window closes, and
# the same request afterwards names a stamp.
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

# The copy waits on its question; File > Send to Stamp Libriary (row at 168) meanwhile.
e2e_menu_pick 0 15 168
e2e_wait_dialog_text 'still being copied'
[ "$(wine "$E2E_PROBE" count VellumoShells 2>/dev/null | tr -d '\r')" = 1 ] || fail "a second batch window"
e2e_children VellumoShells Edit | grep -q '\\target	18	72	' || fail "the copy window changed: $(e2e_children VellumoShells Edit)"
# The refusal read; the batch window is in front again with its question: No, and the copy goes on
# with the other files.
read -r mx my mw mh _ <<< "$(e2e_window '#32770')"
e2e_click $((mx + mw / 2)) $((my + mh / 2))
xdotool key Return
e2e_wait_dialog_text 'named "p04.png"'
sleep 0.5
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
