# Edit > Delete through the real program on two Ctrl-clicked thumbnails: the shell's
# confirmations answered by key, both files end in the test trash and none is erased for good.
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

read -r bx by bw bh _ <<< "$(e2e_pane yzToolbarUser)"
cy=$((by + bh / 2))
menu_top=$((by + bh))
read -r gx gy _ <<< "$(e2e_pane ThumyzViewer)"
# The first and the third thumbnail (cells about 120 pixels apart).
e2e_click $((gx + 60)) $((gy + 70))
sleep 0.5
xdotool mousemove $((gx + 300)) $((gy + 70)) keydown ctrl click 1 keyup ctrl
sleep 1

e2e_click $((bx + 50)) "$cy"
for i in $(seq 1 50); do [ "$(e2e_pane SkinMenu | cut -f5)" = 1 ] && break; sleep 0.1; done
xdotool mousemove $((bx + 100)) $((menu_top + 210))
sleep 0.2
e2e_click $((bx + 100)) $((menu_top + 218))
# Each file the shell sends to the trash may ask first.
for i in $(seq 1 60); do
    [ -e "$E2E_DESKTOP/a-red.png" ] || [ -e "$E2E_DESKTOP/c-green.png" ] || break
    if wine "$E2E_PROBE" wait '#32770' 200 >/dev/null 2>&1; then xdotool key Return; fi
    sleep 0.3
done
[ ! -e "$E2E_DESKTOP/a-red.png" ] || fail "a-red.png still on the desktop"
[ ! -e "$E2E_DESKTOP/c-green.png" ] || fail "c-green.png still on the desktop"
[ -e "$E2E_DESKTOP/b-blue.png" ] || fail "the unselected file went too"
ls "$trash" 2>/dev/null | grep -q '^a-red' || fail "a-red.png not in the trash: $(ls "$trash" 2>&1)"
ls "$trash" 2>/dev/null | grep -q '^c-green' || fail "c-green.png not in the trash: $(ls "$trash" 2>&1)"
e2e_close
