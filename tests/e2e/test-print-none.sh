# File > Print and Ctrl+P with no printer installed (the program sees a print spooler that is not
# there): "Sorry, no printers installed." and no print window.
e2e_program_folder
e2e_desktop
convert -size 300x200 xc:'rgb(255,0,0)' "$E2E_DESKTOP/a-red.png"
e2e_reg_clear
CUPS_SERVER="$E2E_WORK/no-spooler.sock" e2e_start
e2e_wait_pane SingleyzPreview
e2e_select_thumbnails 1
e2e_wait_canvas_colour red

e2e_menu_pick 0 15 228
wine "$E2E_PROBE" wait '#32770' 10000 >/dev/null || fail "no message"
e2e_screenshot "$E2E_WORK/no-printers.png"
e2e_keep_shot "$E2E_WORK/no-printers.png" no-printers.png
wine "$E2E_PROBE" tree '#32770' 2>/dev/null | tr -d '\r' | grep -q 'Sorry, no printers installed\.' ||
    fail "the message is not 'Sorry, no printers installed.': $(wine "$E2E_PROBE" tree '#32770' 2>/dev/null)"
wine "$E2E_PROBE" wait VellumoFrmPrinter 0 >/dev/null 2>&1 && fail "a print window without printers"
# Enter answers the message box. (The folder pane is a dialog too: the message box is gone when
# no dialog shows its text.)
answer_message() {
    xdotool key Return
    for i in $(seq 1 50); do
        wine "$E2E_PROBE" tree '#32770' 2>/dev/null | grep -q 'Sorry, no printers' || return 0
        sleep 0.2
    done
    fail "Enter did not close the message"
}
answer_message
wine "$E2E_PROBE" wait VellumoFrmPrinter 500 >/dev/null 2>&1 && fail "a print window after the message"

# Ctrl+P takes the same road.
xdotool key ctrl+p
for i in $(seq 1 50); do
    wine "$E2E_PROBE" tree '#32770' 2>/dev/null | grep -q 'Sorry, no printers' && break
    sleep 0.2
done
wine "$E2E_PROBE" tree '#32770' 2>/dev/null | grep -q 'Sorry, no printers' || fail "Ctrl+P did not say there are no printers"
answer_message
wine "$E2E_PROBE" wait VellumoFrmPrinter 500 >/dev/null 2>&1 && fail "a print window after Ctrl+P"
e2e_close
