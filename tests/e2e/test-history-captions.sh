# The recent-folder list and the grid's captions through the real program: the third and then the
# second row of History each show their folder in the grid, and a long file name is cut on its own
# line, leaving the size line under it as a short name's.
e2e_program_folder
e2e_desktop
convert -size 300x200 xc:'rgb(255,0,0)' "$E2E_DESKTOP/a.png"
convert -size 300x200 xc:'rgb(255,0,0)' "$E2E_DESKTOP/b picture with a name far too long for its cell.png"
mkdir -p "$E2E_WORK/folders/one" "$E2E_WORK/folders/two" "$E2E_WORK/folders/three"
convert -size 300x200 xc:'rgb(255,255,255)' "$E2E_WORK/folders/one/white.png"
convert -size 300x200 xc:'rgb(0,255,0)' "$E2E_WORK/folders/two/green.png"
convert -size 300x200 xc:'rgb(0,0,255)' "$E2E_WORK/folders/three/blue.png"
for f in one two three; do winepath -w "$E2E_WORK/folders/$f" 2>/dev/null | tr -d '\r'; done |
    sed 's/$/\r/' > "$E2E_PROGRAM/Datas/History.tmp"
e2e_reg_clear
e2e_start
e2e_wait_pane SingleyzPreview
read -r gx gy _ <<< "$(e2e_pane ThumyzViewer)"
e2e_wait_grid_colour red

# The size line of each cell: 100 x 13 at (5 + 120 k, 134) of the grid's surface, which stands 5
# inside the grid. The long name's must be the short name's within a little (its text may sit a
# pixel to either side).
e2e_screenshot "$E2E_WORK/captions.png"
e2e_keep_shot "$E2E_WORK/captions.png" history-captions.png
convert "$E2E_WORK/captions.png" -crop "100x13+$((gx + 10))+$((gy + 134))" +repage "$E2E_WORK/line-short.png"
least=1300
for dx in -1 0 1; do
    convert "$E2E_WORK/captions.png" -crop "100x13+$((gx + 130 + dx))+$((gy + 134))" +repage "$E2E_WORK/line-long.png"
    n="$(compare -metric AE -fuzz 15% "$E2E_WORK/line-short.png" "$E2E_WORK/line-long.png" null: 2>&1 || true)"
    n="${n%% *}"
    [ "$n" -lt "$least" ] 2>/dev/null && least="$n"
done
[ "$least" -le 6 ] || fail "the long name reaches the size line ($least pixels differ)"

e2e_pick_history_row 2
e2e_wait_grid_colour blue
e2e_pick_history_row 1
e2e_wait_grid_colour lime
e2e_close
