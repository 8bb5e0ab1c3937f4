# Menu commands on a shown picture through the real program: Create > Wallpaper writes the bitmap
# and the desktop values (restored afterwards); Edit > Rotate Clockwise leaves an unsaved edit, so
# the title bar's close asks: Cancel keeps the program running, No ends it.
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

read -r bx by bw bh _ <<< "$(e2e_pane yzToolbarUser)"
cy=$((by + bh / 2))
menu_top=$((by + bh))
wait_menu() {
    local i
    for i in $(seq 1 50); do
        [ "$(e2e_pane SkinMenu | cut -f5)" = "$1" ] && return 0
        sleep 0.1
    done
    e2e_screenshot "$E2E_WORK/menu-stuck.png"
    fail "the menu's visibility did not become $1"
}
# Picks the row at offset $3 of the menu under the title whose left edge is $1 (clicked at $2).
pick() {
    e2e_click $((bx + $2)) "$cy"
    wait_menu 1
    xdotool mousemove $((bx + $1 + 60)) $((menu_top + $3 + 2))
    sleep 0.2
    e2e_click $((bx + $1 + 60)) $((menu_top + $3 + 10))
    wait_menu 0
}

# The picture opens in the canvas.
read -r gx gy _ <<< "$(e2e_pane ThumyzViewer)"
e2e_click $((gx + 60)) $((gy + 70))
for i in $(seq 1 50); do
    e2e_screenshot "$E2E_WORK/shown.png"
    read -r px py pw ph _ <<< "$(e2e_pane SingleyzPreview)"
    [ "$(e2e_colour_share "$E2E_WORK/shown.png" "$px $py $pw $ph" red)" -gt 5 ] && break
    sleep 0.2
done

# Create > Wallpaper (row at 8 of the menu under "Create", title left 270), answered Yes.
pick 270 280 8
e2e_wait_question "desktop background"
xdotool key y
paper="$E2E_PROGRAM/Datas/VelluPaper.bmp"
for i in $(seq 1 100); do [ -s "$paper" ] && break; sleep 0.1; done
[ -s "$paper" ] || { restore_desktop; fail "no wallpaper bitmap"; }
[ "$(identify -format '%wx%h' "$paper")" = 1280x1024 ] || { restore_desktop; fail "wallpaper not screen-sized"; }
values="$(wine reg query "$desk" 2>/dev/null | tr -d '\r')"
restore_desktop
echo "$values" | grep -q 'Wallpaper[[:space:]]*REG_SZ[[:space:]]*.*Datas\\VelluPaper.bmp' || fail "Wallpaper not set: $values"
echo "$values" | grep -q 'WallpaperStyle[[:space:]]*REG_SZ[[:space:]]*2' || fail "WallpaperStyle not 2"
echo "$values" | grep -q 'TileWallpaper[[:space:]]*REG_SZ[[:space:]]*0' || fail "TileWallpaper not 0"

# Edit > Rotate Clockwise (row at 388 of the menu under "Edit", title left 40).
pick 40 50 388
sleep 1
# The title bar's close button at the top right: the save question; Cancel keeps running.
read -r tx ty tw th _ <<< "$(e2e_pane TitleSkin)"
e2e_click $((tx + tw - 12)) $((ty + 12))
e2e_wait_question "save the changes"
xdotool key Escape
sleep 1
kill -0 "$E2E_PID" 2>/dev/null || fail "Cancel ended the program"
e2e_click $((tx + tw - 12)) $((ty + 12))
e2e_wait_question "save the changes"
xdotool key n
for i in $(seq 1 200); do kill -0 "$E2E_PID" 2>/dev/null || break; sleep 0.1; done
kill -0 "$E2E_PID" 2>/dev/null && fail "No did not end the program"
E2E_PID=""
