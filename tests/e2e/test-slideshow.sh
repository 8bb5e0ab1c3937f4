# Browse > Slideshow through the real program over a grid of two pictures: the first fades in over
# the stripes, a pointer move of 10 pixels brings the bar up at the bottom right, Esc closes the
# show and the program goes on.
e2e_program_folder
e2e_desktop
convert -size 400x300 xc:'rgb(255,0,0)' "$E2E_DESKTOP/a-red.png"
convert -size 400x300 xc:'rgb(0,0,255)' "$E2E_DESKTOP/b-blue.png"
e2e_reg_clear
# Each picture is held 5 seconds: long enough to look at the first.
e2e_reg_dword SlideSpeed 5000
e2e_start
e2e_wait_pane SingleyzPreview

# Browse > Slideshow (row at 298 of the menu under "Browse", title left 80).
e2e_menu_pick 80 95 298
e2e_wait_window VellumoSlideshow
read -r sx sy sw sh _ <<< "$(e2e_window VellumoSlideshow)"
[ "$sx $sy" = "0 0" ] || fail "the show does not start at the screen's corner: $sx $sy"
cx=$((sw / 2)) cy=$((sh / 2))
# Faded in: the picture's full red in the middle, none of it at the edges.
for i in $(seq 1 50); do
    e2e_screenshot "$E2E_WORK/slideshow.png"
    [ "$(e2e_pixel "$E2E_WORK/slideshow.png" $cx $cy)" = "255,0,0" ] && break
    sleep 0.1
done
e2e_keep_shot "$E2E_WORK/slideshow.png" slideshow-faded.png
[ "$(e2e_pixel "$E2E_WORK/slideshow.png" $cx $cy)" = "255,0,0" ] || fail "the first picture did not fade in fully: $(e2e_pixel "$E2E_WORK/slideshow.png" $cx $cy)"
[ "$(e2e_colour_share "$E2E_WORK/slideshow.png" "0 0 60 $sh" red)" = 0 ] || fail "the picture reaches the left edge"
[ "$(e2e_colour_share "$E2E_WORK/slideshow.png" "$((sw - 60)) 0 60 $sh" red)" = 0 ] || fail "the picture reaches the right edge"
[ "$(e2e_colour_share "$E2E_WORK/slideshow.png" "0 0 $sw $sh" blue)" = 0 ] || fail "the second picture shows too"
# The stripes: the left edge is not one flat colour.
[ "$(convert "$E2E_WORK/slideshow.png" -crop "60x$sh+0+0" -format '%[fx:int(1000*standard_deviation)]' info:)" -gt 5 ] ||
    fail "no stripes at the edge"
# The bar's light frames and labels: the share (per mille) of light pixels at the bottom right.
bar_light() {
    convert "$1" -crop "352x34+$((sw - 360))+$((sh - 52))" +repage -colorspace Gray -threshold 60% \
        -format '%[fx:int(1000*mean)]' info:
}
[ "$(bar_light "$E2E_WORK/slideshow.png")" = 0 ] || fail "the bar is up before any move"

# A move 10 pixels right and down brings the bar up; the picture stays.
xdotool mousemove_relative 10 10
for i in $(seq 1 50); do
    e2e_screenshot "$E2E_WORK/slideshow-bar.png"
    [ "$(bar_light "$E2E_WORK/slideshow-bar.png")" -ge 30 ] && break
    sleep 0.1
done
e2e_keep_shot "$E2E_WORK/slideshow-bar.png" slideshow-bar.png
[ "$(bar_light "$E2E_WORK/slideshow-bar.png")" -ge 30 ] || fail "no bar after the pointer moved ($(bar_light "$E2E_WORK/slideshow-bar.png") per mille light)"
[ "$(e2e_pixel "$E2E_WORK/slideshow-bar.png" $cx $cy)" = "255,0,0" ] || fail "the picture went with the bar"

# Esc closes the show; the main window stays.
xdotool key Escape
e2e_wait_window_gone VellumoSlideshow
kill -0 "$E2E_PID" 2>/dev/null || fail "Esc ended the program"
e2e_close
