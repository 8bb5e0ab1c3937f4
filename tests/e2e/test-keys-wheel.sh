# Keys and the wheel with the real keyboard and mouse: the wheel steps to the next and previous
# picture; with an unsaved edit it asks first and Escape keeps the edit; Ctrl+Z undoes the edit;
# Tab hides and restores the grid; Ctrl+O opens a picture through the open dialog; the "History:"
# strip opens a recent folder; F5 starts the slideshow.
e2e_program_folder
e2e_desktop
# Wide pictures, so that a quarter turn shows as a tall shape.
convert -size 120x40 xc:'rgb(255,0,0)' "$E2E_DESKTOP/a.png"
convert -size 120x40 xc:'rgb(0,255,0)' "$E2E_DESKTOP/b.png"
convert -size 120x40 xc:'rgb(0,0,255)' "$E2E_DESKTOP/c.png"
other="$(dirname "$E2E_DESKTOP")/RecentPics"
rm -rf "$other"; mkdir -p "$other"
convert -size 120x40 xc:'rgb(255,255,0)' "$other/y.png"
printf '%s\r\n' "$(winepath -w "$other")" > "$E2E_PROGRAM/Datas/History.tmp"
e2e_reg_clear
e2e_start
e2e_wait_pane SingleyzPreview

read -r px py pw ph _ <<< "$(e2e_pane SingleyzPreview)"
# "w h" of the named colour's area in the canvas, or "0 0".
shape() {
    e2e_screenshot "$E2E_WORK/canvas.png"
    convert "$E2E_WORK/canvas.png" -crop "${pw}x${ph}+${px}+${py}" +repage -fuzz 10% -fill black +opaque "$1" \
        -fill white -opaque "$1" -trim -format '%w %h' info: 2>/dev/null || echo "0 0"
}
# Waits until the canvas shows the colour in a shape wider than tall ("wide") or taller ("tall").
wait_shown() {
    local i w h
    for i in $(seq 1 50); do
        read -r w h <<< "$(shape "$1")"
        if [ "$w" -gt 20 ] && [ "$h" -gt 20 ]; then
            [ "$2" = wide ] && [ "$w" -gt "$h" ] && return 0
            [ "$2" = tall ] && [ "$h" -gt "$w" ] && return 0
        fi
        sleep 0.2
    done
    cp "$E2E_WORK/canvas.png" "$E2E_WORK/stuck-$1.png"
    fail "the canvas does not show $1 $2 (${w}x${h}): $3"
}

read -r gx gy _ <<< "$(e2e_pane ThumyzViewer)"
e2e_click $((gx + 60)) $((gy + 70))
wait_shown red wide "the first thumbnail"

# The wheel over the canvas: towards the user the next picture, away the previous one.
xdotool mousemove $((px + pw / 2)) $((py + ph / 2))
xdotool click 5
wait_shown lime wide "after one notch towards the user"
xdotool click 4
wait_shown red wide "after one notch away"

# Edit > Rotate Clockwise (row at 388 of the menu under "Edit", title left 40): a tall red shape.
read -r bx by bw bh _ <<< "$(e2e_pane yzToolbarUser)"
e2e_click $((bx + 50)) $((by + bh / 2))
sleep 0.5
xdotool mousemove $((bx + 100)) $((by + bh + 388 + 2))
sleep 0.2
e2e_click $((bx + 100)) $((by + bh + 388 + 10))
wait_shown red tall "after the rotation"

# The wheel with the unsaved edit: the question first; Escape keeps the edit and the picture.
xdotool mousemove $((px + pw / 2)) $((py + ph / 2))
xdotool click 5
wine "$E2E_PROBE" wait '#32770' 10000 || fail "no save question before the wheel's step"
wine "$E2E_PROBE" tree '#32770' 2>/dev/null | tr -d '\r' | grep -q "save the changes" || fail "not the save question"
xdotool key Escape
sleep 1
wait_shown red tall "after Escape on the question"

# Ctrl+Z with the keys on the canvas: the wide picture again.
e2e_click $((px + 5)) $((py + ph - 5))
xdotool key ctrl+z
wait_shown red wide "after Ctrl+Z"

# Tab hides the grid, a second Tab brings it back where it was.
vtop="$(e2e_pane UseryzSplitV | cut -f2)"
xdotool key Tab
sleep 1
[ "$(e2e_pane ThumyzViewer | cut -f5)" = 0 ] || fail "Tab did not hide the grid"
xdotool key Tab
sleep 1
[ "$(e2e_pane ThumyzViewer | cut -f5)" = 1 ] || fail "the second Tab did not show the grid"
[ "$(e2e_pane UseryzSplitV | cut -f2)" = "$vtop" ] || fail "the grid's bar did not come back to $vtop"

# Ctrl+O with the keys on the canvas: the open dialog (after the save question, if the undone edit
# still counts); the path typed there opens that picture.
e2e_click $((px + 5)) $((py + ph - 5))
xdotool key ctrl+o
wine "$E2E_PROBE" wait '#32770' 10000 >/dev/null 2>&1 || fail "Ctrl+O opened no dialog"
if wine "$E2E_PROBE" tree '#32770' 2>/dev/null | tr -d '\r' | grep -q "save the changes"; then
    xdotool key n
    sleep 1
    wine "$E2E_PROBE" wait '#32770' 10000 >/dev/null 2>&1 || fail "Ctrl+O did not open the open dialog"
fi
sleep 1
xdotool type --delay 20 "$(winepath -w "$E2E_DESKTOP/c.png")"
xdotool key Return
wait_shown blue wide "after Ctrl+O"

# The "History:" strip: the recent-folder list; its first row opens that folder in the grid.
read -r hx hy _ <<< "$(e2e_pane UseryzSplitH)"
e2e_click 120 $((hy + 12))
for i in $(seq 1 50); do [ "$(e2e_pane SkinMenu | cut -f5)" = 1 ] && break; sleep 0.1; done
[ "$(e2e_pane SkinMenu | cut -f5)" = 1 ] || fail "the history list did not open"
read -r mx my _ <<< "$(e2e_pane SkinMenu)"
xdotool mousemove $((mx + 100)) $((my + 12))
sleep 0.3
e2e_click $((mx + 100)) $((my + 14))
read -r gx gy gw gh _ <<< "$(e2e_pane ThumyzViewer)"
for i in $(seq 1 50); do
    e2e_screenshot "$E2E_WORK/history.png"
    [ "$(e2e_colour_share "$E2E_WORK/history.png" "$gx $gy 300 150" yellow)" -gt 3 ] && break
    sleep 0.2
done
[ "$(e2e_colour_share "$E2E_WORK/history.png" "$gx $gy 300 150" yellow)" -gt 3 ] || fail "the recent folder's picture is not in the grid"

# F5, with the keys on the canvas: the slideshow window.
e2e_click $((px + 5)) $((py + ph - 5))
xdotool key F5
wine "$E2E_PROBE" wait VellumoSlideshow 10000 || fail "F5 did not start the slideshow"

# The close answers No to a save question, if one comes.
wine "$E2E_PROBE" close "$E2E_CLASS" || fail "no main window to close"
for i in $(seq 1 100); do
    kill -0 "$E2E_PID" 2>/dev/null || break
    if wine "$E2E_PROBE" wait '#32770' 100; then xdotool key n; fi
    sleep 0.1
done
kill -0 "$E2E_PID" 2>/dev/null && fail "the program did not end"
E2E_PID=""
