# Start-up and shut-down: the panes appear where the stored splitters put them, and the title
# close writes the nineteen settings and deletes the stamp temporaries.
e2e_program_folder
e2e_desktop
convert -size 60x40 xc:'rgb(255,0,0)' "$E2E_DESKTOP/red.png"
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

e2e_close
values="$(e2e_reg_values)"
[ "$(echo "$values" | wc -l)" = 19 ] || fail "expected 19 settings, got: $values"
echo "$values" | grep -q '^SplitHLeft REG_DWORD 0x12c$' || fail "SplitHLeft not 300: $values"
echo "$values" | grep -q '^Quilaty REG_DWORD 0x9$' || fail "Quilaty not 9: $values"
echo "$values" | grep -q '^isMax REG_DWORD 0x1$' || fail "isMax not 1 after a first start: $values"
[ ! -e "$E2E_PROGRAM/Librarians/Stamptemp.tmp" ] || fail "the working stamp was left behind"
[ ! -e "$E2E_PROGRAM/Datas/libtempvellmo.dat" ] || fail "the library scratch picture was left behind"
