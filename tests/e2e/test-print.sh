# File > Print through the real program: three Ctrl-clicked thumbnails, the print window over the
# main window with the first picture in its preview and the queue in its printer box; 2 copies Fit
# to Page go to a print spooler of the test's own and come back as six pages, each picture twice
# in a row, centred on white paper. The window closes with the job. Then Ctrl+P and Thumbnail:
# one page holding the three.
command -v gs >/dev/null && [ -e /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd ] ||
    fail "no Ghostscript or PostScript driver (scripts/setup installs them)"
e2e_program_folder
e2e_desktop
convert -size 300x200 xc:'rgb(255,0,0)' "$E2E_DESKTOP/a-red.png"
convert -size 300x200 xc:'rgb(0,0,255)' "$E2E_DESKTOP/b-blue.png"
convert -size 300x200 xc:'rgb(0,255,0)' "$E2E_DESKTOP/c-green.png"
e2e_reg_clear
e2e_cups_start
CUPS_SERVER="$E2E_CUPS_SOCKET" e2e_start
e2e_wait_pane SingleyzPreview
e2e_select_thumbnails 3
e2e_wait_canvas_colour red

# File > Print (row at 228 of the menu under "File", title left 0).
e2e_menu_pick 0 15 228
e2e_wait_window VellumoFrmPrinter
read -r wx wy ww wh _ <<< "$(e2e_window VellumoFrmPrinter)"
read -r mx my mw mh _ <<< "$(e2e_window VellumoMain)"
[ "$wx $wy $ww $wh" = "$mx $my $mw $mh" ] || fail "the print window at '$wx $wy $ww $wh', the main window at '$mx $my $mw $mh'"
boxes="$(e2e_children VellumoFrmPrinter Edit)"
echo "$boxes" | grep -q '^E2E	123	355	' || fail "the printer box does not name the queue E2E: $boxes"
echo "$boxes" | grep -q '^1	125	485	' || fail "the copies box does not read 1: $boxes"

# The preview (right of x 300, below the title) shows the first picture on white paper.
for i in $(seq 1 30); do
    e2e_screenshot "$E2E_WORK/print-window.png"
    [ "$(e2e_colour_share "$E2E_WORK/print-window.png" "$((wx + 300)) $((wy + 60)) $((ww - 340)) $((wh - 140))" red)" -ge 1 ] && break
    sleep 0.2
done
e2e_keep_shot "$E2E_WORK/print-window.png" print-window.png
area="$((wx + 300)) $((wy + 60)) $((ww - 340)) $((wh - 140))"
[ "$(e2e_colour_share "$E2E_WORK/print-window.png" "$area" red)" -ge 1 ] || fail "no picture in the preview"
[ "$(e2e_colour_share "$E2E_WORK/print-window.png" "$area" white)" -ge 10 ] || fail "no paper in the preview"
[ "$(e2e_colour_share "$E2E_WORK/print-window.png" "$area" blue)" = 0 ] || fail "the second picture on the first page"

# Copies: 2, then "Print...".
e2e_click $((wx + 136)) $((wy + 491))
xdotool key End BackSpace BackSpace BackSpace type 2
sleep 0.3
echo "$(e2e_children VellumoFrmPrinter Edit)" | grep -q '^2	125	485	' || fail "copies not typed: $(e2e_children VellumoFrmPrinter Edit)"
e2e_click $((wx + ww - 210 + 35)) $((wy + wh - 50 + 10))
e2e_cups_wait_job 120
e2e_wait_window_gone VellumoFrmPrinter
pages=()
for n in 1 2 3 4 5 6 7; do [ -e "$E2E_CUPS/page-$n.png" ] && pages+=("$E2E_CUPS/page-$n.png"); done
[ "${#pages[@]}" = 6 ] || fail "expected 6 pages, got ${#pages[@]}"
seen=""
for k in 0 2 4; do
    for p in "${pages[$k]}" "${pages[$((k + 1))]}"; do
        read -r pw ph <<< "$(identify -format '%w %h' "$p")"
        [ "$(e2e_colour_name "$(e2e_pixel "$p" 2 2)")" = white ] || fail "$p: the paper's corner is not white"
        # Centred: the picture's colour at the middle and on both sides of it, white at a quarter.
        c="$(e2e_colour_name "$(e2e_pixel "$p" $((pw / 2)) $((ph / 2)))")"
        [ "$(e2e_colour_name "$(e2e_pixel "$p" $((pw / 2 - 30)) $((ph / 2 + 15)))")" = "$c" ] || fail "$p: not centred"
        [ "$(e2e_colour_name "$(e2e_pixel "$p" $((pw / 2 + 30)) $((ph / 2 - 15)))")" = "$c" ] || fail "$p: not centred"
        [ "$(e2e_colour_name "$(e2e_pixel "$p" $((pw / 2)) $((ph / 4)))")" = white ] || fail "$p: the picture fills the page"
        [ "$p" = "${pages[$k]}" ] && first="$c"
        [ "$c" = "$first" ] || fail "copies of one picture not in a row: ${pages[$k]} $first, $p $c"
    done
    case " $seen " in *" $first "*) fail "$first printed twice over" ;; esac
    seen="$seen $first"
done
for c in red green blue; do case " $seen " in *" $c "*) ;; *) fail "$c not printed (printed:$seen)" ;; esac; done

# Ctrl+P opens the window again; Thumbnail puts the three pictures on one page, in the preview
# and on paper.
xdotool key ctrl+p
e2e_wait_window VellumoFrmPrinter
e2e_click $((wx + 52)) $((wy + 242))
for i in $(seq 1 30); do
    e2e_screenshot "$E2E_WORK/print-thumbnails.png"
    [ "$(e2e_colour_share "$E2E_WORK/print-thumbnails.png" "$area" lime)" -ge 1 ] && break
    sleep 0.2
done
e2e_keep_shot "$E2E_WORK/print-thumbnails.png" print-thumbnails.png
for c in red lime blue; do
    [ "$(e2e_colour_share "$E2E_WORK/print-thumbnails.png" "$area" $c)" -ge 1 ] || fail "no $c thumbnail in the preview"
done
e2e_click $((wx + ww - 210 + 35)) $((wy + wh - 50 + 10))
e2e_cups_wait_job 120 2
e2e_wait_window_gone VellumoFrmPrinter
[ -e "$E2E_CUPS/page-1.png" ] && [ ! -e "$E2E_CUPS/page-2.png" ] || fail "the thumbnails did not print on one page"
read -r pw ph <<< "$(identify -format '%w %h' "$E2E_CUPS/page-1.png")"
for c in red lime blue; do
    [ "$(e2e_colour_share "$E2E_CUPS/page-1.png" "0 0 $pw $ph" $c)" -ge 3 ] || fail "no $c picture on the thumbnail page"
done
e2e_close
[ -z "$(ls "$E2E_PROGRAM/Datas/"~TempPrints* 2>/dev/null)" ] || fail "page files left behind"
e2e_cups_stop
