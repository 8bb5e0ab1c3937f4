# Start-up and shut-down: the panes appear where the stored splitters put them, the pictures of
# the start folder (the Desktop) show in the grid, and the close writes the nineteen settings and
# deletes the stamp temporaries.
e2e_program_folder
e2e_desktop
convert -size 300x200 xc:'rgb(255,0,0)' "$E2E_DESKTOP/red.png"
touch "$E2E_PROGRAM/Librarians/Stamptemp.tmp" "$E2E_PROGRAM/Datas/libtempvellmo.dat"
e2e_reg_clear
e2e_reg_dword SplitHLeft 300
e2e_reg_dword SplitlvTop 600
e2e_reg_dword SplitVTop 520
e2e_start
e2e_wait_pane SingleyzPreview

# The column split at 300, the working area from 93; the folder pane ends 8 above the left bar.
e2e_expect_pane UseryzSplitH "300 93 9 *"
e2e_expect_pane FolderView "8 128 288 464"
e2e_expect_pane UseryzSplitLV "8 600 288 10"
e2e_expect_pane UseryzProcess1 "3 610 297 *"
e2e_expect_pane SingleyzPreview "309 93 * 427"
e2e_expect_pane UseryzSplitV "309 520 * 25"
e2e_expect_pane ThumyzViewer "309 545 * *"

# The red picture's thumbnail in the grid: none of it elsewhere in the window.
for i in $(seq 1 50); do
    e2e_screenshot "$E2E_WORK/shown.png"
    [ "$(e2e_colour_share "$E2E_WORK/shown.png" "309 545 600 200" red)" -gt 3 ] && break
    sleep 0.2
done
[ "$(e2e_colour_share "$E2E_WORK/shown.png" "309 545 600 200" red)" -gt 3 ] || fail "no thumbnail of red.png in the grid"
[ "$(e2e_colour_share "$E2E_WORK/shown.png" "0 0 1280 540" red)" = 0 ] || fail "red outside the grid"

e2e_close
values="$(e2e_reg_values)"
[ "$(echo "$values" | wc -l)" = 19 ] || fail "expected 19 settings, got: $values"
echo "$values" | grep -q '^SplitHLeft REG_DWORD 0x12c$' || fail "SplitHLeft not 300: $values"
echo "$values" | grep -q '^Quilaty REG_DWORD 0x9$' || fail "Quilaty not 9: $values"
echo "$values" | grep -q '^isMax REG_DWORD 0x1$' || fail "isMax not 1 after a first start: $values"
[ ! -e "$E2E_PROGRAM/Librarians/Stamptemp.tmp" ] || fail "the working stamp was left behind"
[ ! -e "$E2E_PROGRAM/Datas/libtempvellmo.dat" ] || fail "the library scratch picture was left behind"
