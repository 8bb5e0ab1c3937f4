# Create > Create Screensaver through the real program on three Ctrl-clicked thumbnails: the
# screen saver's data folder holds exactly the three files, byte for byte, and the installer's
# command is started (traced by Wine); then "VellumoScr.scr /s" shows the first picture full
# screen and a key ends it with exit code 0.
e2e_program_folder
e2e_desktop
convert -size 300x200 xc:'rgb(255,0,0)' "$E2E_DESKTOP/a-red.png"
convert -size 300x200 xc:'rgb(0,0,255)' "$E2E_DESKTOP/b-blue.png"
convert -size 300x200 xc:'rgb(0,255,0)' "$E2E_DESKTOP/c-green.png"
data="$E2E_PROGRAM/ScrDatas"
mkdir -p "$data"
echo old > "$data/Scrdata3.dat"
echo old > "$data/Scrdata7.dat"
e2e_reg_clear
e2e_reg_dword SlideSpeed 3000
# Started as e2e_start does, with Wine tracing the processes the program starts.
WINEDEBUG=+process wine "$E2E_PROGRAM/Vellumo.exe" >/dev/null 2>"$E2E_WORK/wine.log" </dev/null &
E2E_PID=$!
wine "$E2E_PROBE" wait "$E2E_CLASS" 20000 || fail "the main window did not appear"
e2e_wait_pane SingleyzPreview
e2e_select_thumbnails 3
e2e_wait_canvas_colour red

# Create > Create Screensaver (row at 58 of the menu under "Create", title left 270).
e2e_menu_pick 270 280 58
for i in $(seq 1 100); do
    [ -e "$data/Scrdata2.dat" ] && grep -q 'InstallScreenSaver' "$E2E_WORK/wine.log" && break
    sleep 0.1
done
e2e_wait_window_gone VellumoScrMaker
[ "$(ls "$data")" = "$(printf 'Scrdata0.dat\nScrdata1.dat\nScrdata2.dat')" ] || fail "the data folder holds: $(ls "$data")"
n=0
for f in a-red.png b-blue.png c-green.png; do
    cmp -s "$E2E_DESKTOP/$f" "$data/Scrdata$n.dat" || fail "Scrdata$n.dat is not $f"
    n=$((n + 1))
done
grep -a 'InstallScreenSaver' "$E2E_WORK/wine.log" | grep -aq 'rundll32.exe desk.cpl, InstallScreenSaver .*VellumoScr.scr' ||
    fail "the installer's command was not started: $(grep -a InstallScreenSaver "$E2E_WORK/wine.log" | head -3)"
grep -a 'InstallScreenSaver' "$E2E_WORK/wine.log" | head -1 | cut -c1-300
e2e_close

# The screen saver itself, over the data just written.
xdotool mousemove 640 512
wine "$E2E_PROGRAM/VellumoScr.scr" /s >/dev/null 2>&1 </dev/null &
scr=$!
wine "$E2E_PROBE" wait VellumoScreenSaver 20000 >/dev/null 2>&1 || { kill $scr; fail "no screen saver window"; }
read -r _ _ sw sh _ <<< "$(e2e_window VellumoScreenSaver)"
for i in $(seq 1 50); do
    e2e_screenshot "$E2E_WORK/scr.png"
    [ "$(e2e_pixel "$E2E_WORK/scr.png" $((sw / 2)) $((sh / 2)))" = "255,0,0" ] && break
    sleep 0.1
done
e2e_keep_shot "$E2E_WORK/scr.png" scr-running.png
[ "$(e2e_pixel "$E2E_WORK/scr.png" $((sw / 2)) $((sh / 2)))" = "255,0,0" ] || { kill $scr; fail "the first picture is not shown"; }
[ "$(e2e_colour_share "$E2E_WORK/scr.png" "0 0 40 $sh" red)" = 0 ] || { kill $scr; fail "the picture is not fitted in the middle"; }
kill -0 $scr 2>/dev/null || fail "the screen saver ended by itself"
xdotool key space
for i in $(seq 1 100); do kill -0 $scr 2>/dev/null || break; sleep 0.1; done
kill -0 $scr 2>/dev/null && { kill $scr; fail "a key did not end the screen saver"; }
wait $scr
code=$?
[ "$code" = 0 ] || fail "the screen saver ended with code $code"
