# Cancel during a batch Move through the real program: twenty large pictures band-selected and
# moved to a folder that already holds the sixth; the replace question is answered No and Cancel
# pressed at once. The batch stops after the file in hand: the pictures before the question are
# in the folder, the others are where they were, none is lost, and the report says what was done.
e2e_program_folder
e2e_desktop
# The target lies on another file system when there is one (a move there is a copy, slower per
# file), so that Cancel meets files still to do.
other="$(mktemp -d /dev/shm/vellumo-e2e.XXXXXX 2>/dev/null || mktemp -d "$E2E_WORK/target.XXXXXX")"
trap 'rm -rf -- "$other"' EXIT
ln -s "$other" "$E2E_DESKTOP/target"
convert -size 2000x1500 xc:'rgb(255,0,0)' BMP3:"$E2E_DESKTOP/f01.bmp"
for i in $(seq -w 2 20); do cp "$E2E_DESKTOP/f01.bmp" "$E2E_DESKTOP/f$i.bmp"; done
size="$(stat -c %s "$E2E_DESKTOP/f01.bmp")"
echo "someone else's" > "$other/f06.bmp"
e2e_reg_clear
e2e_start
e2e_wait_pane SingleyzPreview
sleep 1
# The first picture opened, then a band from the empty end of the last row over all three rows.
e2e_open_first_band_all red

# Edit > Move to... (row at 268 of the menu under "Edit"), the folder "target", OK.
e2e_batch_to_target 268
e2e_wait_dialog_text 'named "f06.bmp"'
# No to the question, and Cancel of the batch dialog straight after.
xdotool mousemove $((dx + 335)) $((dy + 167)) key n click 1
e2e_wait_dialog_text 'Cancelled: '
report="$(e2e_dialog_lines | grep 'Cancelled: ')"
xdotool key Return
e2e_wait_window_gone VellumoShells

moved=() stayed=()
for i in $(seq -w 1 20); do
    [ "$i" = 06 ] && continue
    if [ -e "$other/f$i.bmp" ]; then moved+=("$i"); fi
    if [ -e "$E2E_DESKTOP/f$i.bmp" ]; then stayed+=("$i"); fi
    [ -e "$other/f$i.bmp" ] && [ -e "$E2E_DESKTOP/f$i.bmp" ] && fail "f$i.bmp is in both folders"
    [ -e "$other/f$i.bmp" ] || [ -e "$E2E_DESKTOP/f$i.bmp" ] || fail "f$i.bmp is lost"
done
[ "$(cat "$other/f06.bmp")" = "someone else's" ] || fail "the file the user kept was replaced"
[ "$(stat -c %s "$E2E_DESKTOP/f06.bmp")" = "$size" ] || fail "f06.bmp did not stay"
# The five before the question went; Cancel came within a file or two, so most stayed.
[ "${moved[*]:0:5}" = "01 02 03 04 05" ] || fail "moved: ${moved[*]}"
[ "${#stayed[@]}" -ge 10 ] || fail "only ${stayed[*]} stayed where they were after Cancel"
for i in "${moved[@]}"; do [ "$(stat -c %s "$other/f$i.bmp")" = "$size" ] || fail "f$i.bmp was cut short"; done
echo "$report" | grep -q "Cancelled: ${#moved[@]} of 20 files were moved" || fail "the report says: $report"
# The canvas opened the moved first picture again from its new place: the size question (Edit >
# Resize Canvas, row at 318) starts at its size, not at the 800 x 600 of no picture.
e2e_menu_pick 40 50 318
e2e_wait_window VellumoShells
boxes="$(e2e_children VellumoShells Edit)"
echo "$boxes" | grep -q '^2000	120	88	' || fail "the width box does not start at 2000: $boxes"
read -r dx dy _ <<< "$(e2e_window VellumoShells)"
e2e_click $((dx + 335)) $((dy + 167))
e2e_wait_window_gone VellumoShells
e2e_close
