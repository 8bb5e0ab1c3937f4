# Edit > Delete after a rubber band: a is opened by a click, then a band over b and c selects those
# two without opening either; exactly b and c go to the test trash, and a stays.
e2e_program_folder
e2e_desktop
convert -size 300x200 xc:'rgb(255,0,0)' "$E2E_DESKTOP/a-red.png"
convert -size 300x200 xc:'rgb(0,0,255)' "$E2E_DESKTOP/b-blue.png"
convert -size 300x200 xc:'rgb(0,255,0)' "$E2E_DESKTOP/c-green.png"
trash="$XDG_DATA_HOME/Trash/files"
rm -rf "$XDG_DATA_HOME/Trash"
e2e_reg_clear
e2e_start
e2e_wait_pane SingleyzPreview

read -r gx gy _ <<< "$(e2e_pane ThumyzViewer)"
e2e_click $((gx + 60)) $((gy + 70))
e2e_wait_canvas_colour red
# From the empty space below and right of the third cell to the middle of the second.
e2e_band 370 220 150 60
e2e_screenshot "$E2E_WORK/band.png"
e2e_keep_shot "$E2E_WORK/band.png" band-delete.png

# Edit > Delete (row at 208 of the menu under "Edit", title left 40).
e2e_menu_pick 40 50 208
# Each file the shell sends to the trash may ask first.
for i in $(seq 1 60); do
    [ -e "$E2E_DESKTOP/b-blue.png" ] || [ -e "$E2E_DESKTOP/c-green.png" ] || break
    if wine "$E2E_PROBE" wait '#32770' 200 >/dev/null 2>&1; then xdotool key Return; fi
    sleep 0.3
done
sleep 1
left="$(ls "$E2E_DESKTOP" | sort | tr '\n' ' ')"
[ "$left" = "a-red.png " ] || fail "files left: '$left', expected only a-red.png"
ls "$trash" 2>/dev/null | grep -q '^b-blue' || fail "b-blue.png not in the trash: $(ls "$trash" 2>&1)"
ls "$trash" 2>/dev/null | grep -q '^c-green' || fail "c-green.png not in the trash: $(ls "$trash" 2>&1)"
ls "$trash" 2>/dev/null | grep -q '^a-red' && fail "a-red.png went to the trash"
e2e_close
