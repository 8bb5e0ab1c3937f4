# "Printer Setup..." in the print window: Landscape picked in the printer's own dialog turns the
# preview's paper at once, and the paper is still landscape after the program is closed and started
# again; Portrait picked the same way turns it back, also across a restart. Cancel keeps the paper.
[ -e /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd ] || fail "no PostScript driver (scripts/setup installs it)"
e2e_program_folder
e2e_desktop
convert -size 300x200 xc:'rgb(255,0,0)' "$E2E_DESKTOP/a-red.png"
e2e_reg_clear
e2e_cups_start

# The program started with the picture selected and the print window open (Ctrl+P).
open_print_window() {
    CUPS_SERVER="$E2E_CUPS_SOCKET" e2e_start
    e2e_wait_pane SingleyzPreview
    e2e_select_thumbnails 1
    e2e_wait_canvas_colour red
    xdotool key ctrl+p
    e2e_wait_window VellumoFrmPrinter
    read -r wx wy ww wh _ <<< "$(e2e_window VellumoFrmPrinter)"
}

# "width height" of the white paper in the preview (right of x 300, below the title).
paper_size() {
    e2e_screenshot "$E2E_WORK/paper.png"
    convert "$E2E_WORK/paper.png" -crop "$((ww - 340))x$((wh - 140))+$((wx + 300))+$((wy + 60))" +repage \
        -fill black +opaque white -trim -format '%w %h' info: 2>/dev/null
}

# Waits (up to 10 s) until the paper is shown the way $1 (portrait or landscape) says.
wait_paper() {
    local i pw=0 ph=0
    for i in $(seq 1 50); do
        read -r pw ph <<< "$(paper_size)"
        case "$1" in
        portrait) [ "${ph:-0}" -gt $((pw * 5 / 4)) ] && [ "$pw" -gt 100 ] && return 0 ;;
        landscape) [ "${pw:-0}" -gt $((ph * 5 / 4)) ] && [ "$ph" -gt 100 ] && return 0 ;;
        esac
        sleep 0.2
    done
    e2e_keep_shot "$E2E_WORK/paper.png" "paper-not-$1.png"
    fail "the preview's paper is not $1: $pw x $ph"
}

# "Printer Setup..." (icon at 40, 380), then in the printer's dialog the orientation by its key
# ($1: l Landscape, p Portrait) and $2 (Return for OK, Escape for Cancel).
printer_setup() {
    e2e_click $((wx + 52)) $((wy + 392))
    e2e_wait_dialog_text '&Landscape'
    xdotool key "alt+$1"
    sleep 0.3
    xdotool key "$2"
    local i
    for i in $(seq 1 50); do
        e2e_dialog_lines | grep -qF '&Landscape' || return 0
        sleep 0.2
    done
    fail "the printer's dialog did not close"
}

open_print_window
wait_paper portrait
printer_setup l Escape
sleep 0.5
wait_paper portrait
printer_setup l Return
wait_paper landscape
e2e_keep_shot "$E2E_WORK/paper.png" print-setup-landscape.png
e2e_close

# A new run of the program starts with the user's choice.
open_print_window
wait_paper landscape
printer_setup p Return
wait_paper portrait
e2e_close
open_print_window
wait_paper portrait
e2e_close
e2e_cups_stop
