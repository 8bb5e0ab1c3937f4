# The zoom grip under the views follows a zoom set another way: Fit Image (Shift+F) on a 1600 x 1200
# picture puts the grip where the fitted zoom lies on its track (55 pixels to the whole picture), a
# drag of the grip towards zoom-out then shrinks the picture, and fitting again brings the grip back.
e2e_program_folder
e2e_desktop
convert -size 1600x1200 xc:'rgb(0,255,0)' "$E2E_DESKTOP/big.png"
e2e_reg_clear
e2e_start
e2e_wait_pane SingleyzPreview
read -r gx gy _ <<< "$(e2e_pane ThumyzViewer)"
e2e_click $((gx + 60)) $((gy + 70))
e2e_wait_canvas_colour lime

read -r px py pw ph _ <<< "$(e2e_pane SingleyzPreview)"
read -r vx vy vw _ _ <<< "$(e2e_pane UseryzSplitV)"
# The grip's left edge in the bar: the first dark pixel of its outline above the track, less one.
grip_left() {
    e2e_screenshot "$E2E_WORK/bar.png"
    convert "$E2E_WORK/bar.png" -crop "${vw}x1+${vx}+$((vy + 2))" +repage txt:- |
        awk -F'[(,)]' 'NR > 1 && $3 + $4 + $5 < 450 { print $1 - 1; exit }' | cut -d, -f1
}
# Waits (up to 5 s) until the grip's left edge is within a pixel of $1.
wait_grip() {
    local i at
    for i in $(seq 1 25); do
        at="$(grip_left)"
        [ -n "$at" ] && [ $((at - $1)) -le 1 ] && [ $(($1 - at)) -le 1 ] && return 0
        sleep 0.2
    done
    fail "the grip stands at '${at}', not at $1: $2"
}
# The width of the green picture on the canvas.
shown_width() {
    e2e_screenshot "$E2E_WORK/canvas.png"
    convert "$E2E_WORK/canvas.png" -crop "${pw}x${ph}+${px}+${py}" +repage -fuzz 10% -fill black +opaque lime \
        -fill white -opaque lime -trim -format '%w' info: 2>/dev/null || echo 0
}

home="$(grip_left)"
[ -n "$home" ] || fail "no grip on the bar"
# Fitted, the picture is shown at the smaller of the two ratios; the grip stands that far along.
fit="$(awk -v w="$pw" -v h="$ph" 'BEGIN { z = w / 1600; if (h / 1200 < z) z = h / 1200; printf "%.6f", z }')"
fit_at="$(awk -v home="$home" -v z="$fit" 'BEGIN { printf "%d", home - 55 + int(55 * z + 0.5) }')"
xdotool mousemove $((px + 20)) $((py + 20)) click 1
xdotool key shift+f
wait_grip "$fit_at" "after Shift+F (zoom $fit)"
fitted="$(shown_width)"

# Held 6 pixels in and moved 4 pixels towards zoom-out: the picture shrinks.
at="$(grip_left)"
xdotool mousemove $((vx + at + 6)) $((vy + 10)) mousedown 1
sleep 0.2
xdotool mousemove $((vx + at + 4)) $((vy + 10))
sleep 0.2
xdotool mousemove $((vx + at + 2)) $((vy + 10))
sleep 0.5
xdotool mouseup 1
sleep 0.5
for i in $(seq 1 25); do
    smaller="$(shown_width)"
    [ "$smaller" -lt "$fitted" ] && [ "$smaller" -gt 0 ] && break
    sleep 0.2
done
[ "$smaller" -lt "$fitted" ] && [ "$smaller" -gt 0 ] || fail "the picture went from $fitted to $smaller wide"

# Fitted again, the grip goes back to the fitted zoom's place.
xdotool mousemove $((px + 20)) $((py + 20)) click 1
xdotool key shift+f
wait_grip "$fit_at" "after fitting again"

e2e_close
