# A left column collapsed at start and dragged open: the side panel's tool list is whole and its
# scroll bar enabled from the first paint, as after a start with the column open at the same place.
e2e_program_folder
e2e_desktop
# A low side-panel bar: the panel is shorter than the tool list, so the list needs its scroll bar.
panel_shot() {
    e2e_reg_clear
    e2e_reg_dword SplitHLeft "$1"
    e2e_reg_dword SplitlvTop 800
    e2e_start
    e2e_wait_pane SingleyzPreview
}

# The reference: the column open at 400 from the start.
panel_shot 400
e2e_wait_pane UseryzProcess1
read -r sx sy sw sh _ <<< "$(e2e_pane UseryzProcess1)"
xdotool mousemove 700 500
sleep 1
e2e_screenshot "$E2E_WORK/open.png"
e2e_close

# Collapsed at the start, dragged open to 400 (the bar taken 4 pixels in).
panel_shot 3
e2e_expect_pane UseryzSplitH "3 93 9 *"
[ "$(e2e_pane UseryzProcess1 | cut -f5)" = 0 ] || fail "the side panel is shown with the column collapsed"
xdotool mousemove 7 400 mousedown 1
sleep 0.3
xdotool mousemove 200 400
sleep 0.2
xdotool mousemove 404 400
sleep 0.3
xdotool mouseup 1
e2e_wait_pane UseryzProcess1
e2e_expect_pane UseryzProcess1 "$sx $sy $sw $sh"
xdotool mousemove 700 500
for i in $(seq 1 25); do
    e2e_screenshot "$E2E_WORK/opened.png"
    differ="$(e2e_region_diff "$E2E_WORK/open.png" "$sx $sy $sw $sh" "$E2E_WORK/opened.png" "$sx $sy")"
    [ "$differ" -lt 50 ] && break
    sleep 0.2
done
e2e_keep_shot "$E2E_WORK/opened.png" side-panel-opened.png
[ "$differ" -lt 50 ] || fail "the side panel differs in $differ pixels from one opened at the start"
e2e_close
