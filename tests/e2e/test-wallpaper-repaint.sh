# Create > Wallpaper through the real program: once the desktop has its new background, the whole
# program window shows again as it was, without a pane having to be touched (the desktop values are
# restored afterwards).
e2e_program_folder
e2e_desktop
convert -size 300x200 xc:'rgb(255,0,0)' "$E2E_DESKTOP/a-red.png"
e2e_reg_clear
desk='HKCU\Control Panel\Desktop'
saved="$(wine reg query "$desk" 2>/dev/null | tr -d '\r' | awk '$1 ~ /^(Wallpaper|WallpaperStyle|TileWallpaper)$/ && $2 == "REG_SZ" { print }')"
restore_desktop() {
    local name type value
    for name in Wallpaper WallpaperStyle TileWallpaper; do
        wine reg delete "$desk" /v "$name" /f >/dev/null 2>&1
    done
    while read -r name type value; do
        [ -n "$name" ] && wine reg add "$desk" /v "$name" /t REG_SZ /d "$value" /f >/dev/null 2>&1
    done <<< "$saved"
}
e2e_start
e2e_wait_pane SingleyzPreview
read -r gx gy _ <<< "$(e2e_pane ThumyzViewer)"
e2e_click $((gx + 60)) $((gy + 70))
e2e_wait_canvas_colour red
sleep 0.5
e2e_screenshot "$E2E_WORK/before.png"

# Compares a screenshot with the one before, leaving out the menu bar and the tool bar under it
# (the picked title stays lit, the pointer rests on a button) and the question's place; prints how
# many pixels differ.
read -r mx my mw mh _ <<< "$(e2e_pane yzToolbarUser)"
read -r tx ty tw th _ <<< "$(e2e_pane ImageToolbar)"
# Only the window: the desktop around it changes with the command.
read -r wx_x wx_y wx_w wx_h _ <<< "$(e2e_window "$E2E_CLASS")"
differing() {
    local masks=(-fill black -draw "rectangle $mx,$my $((mx + mw)),$((my + mh))"
                 -draw "rectangle $tx,$ty $((tx + tw)),$((ty + th))"
                 -draw "rectangle $qx,$qy $((qx + qw)),$((qy + qh))")
    local window="${wx_w}x${wx_h}+${wx_x}+${wx_y}"
    convert "$E2E_WORK/before.png" "${masks[@]}" -crop "$window" +repage "$E2E_WORK/before-masked.png"
    convert "$1" "${masks[@]}" -crop "$window" +repage "$E2E_WORK/after-masked.png"
    compare -metric AE -fuzz 10% "$E2E_WORK/before-masked.png" "$E2E_WORK/after-masked.png" null: 2>&1 | cut -d' ' -f1
}

# The question is a dialog box like the folder pane's hidden one: it is told apart by its text.
question_up() { wine "$E2E_PROBE" tree '#32770' 2>/dev/null | tr -d '\r' | grep -q "desktop background"; }
e2e_menu_pick 270 280 8
for i in $(seq 1 50); do question_up && break; sleep 0.2; done
question_up || fail "no question before the wallpaper"
read -r qx qy qw qh _ <<< "$(e2e_window '#32770')"
xdotool key y
paper="$E2E_PROGRAM/Datas/VelluPaper.bmp"
for i in $(seq 1 100); do [ -s "$paper" ] && break; sleep 0.1; done
[ -s "$paper" ] || { restore_desktop; fail "no wallpaper bitmap"; }
for i in $(seq 1 50); do question_up || break; sleep 0.2; done
n=""
for i in $(seq 1 25); do
    e2e_screenshot "$E2E_WORK/after.png"
    n="$(differing "$E2E_WORK/after.png")"
    [ "$n" -le 50 ] 2>/dev/null && break
    sleep 0.2
done
e2e_keep_shot "$E2E_WORK/after.png" wallpaper-after.png
restore_desktop
[ "$n" -le 50 ] 2>/dev/null || fail "the window stays painted over after the wallpaper ($n pixels differ)"
# A late paint of the desktop would cover it again.
sleep 1
e2e_screenshot "$E2E_WORK/later.png"
n="$(differing "$E2E_WORK/later.png")"
[ "$n" -le 50 ] || fail "the desktop painted over the window later ($n pixels differ)"
e2e_close
