# Shortcut keys wherever a click leaves the focus: after a click on the grid, the side panel's
# splitter, the Tools scroll bar, the date picker's "<", the stamp browser's scroll bar, the title
# bar or the column splitter, Tab hides the grid and a second Tab brings it back.
e2e_program_folder
e2e_desktop
convert -size 120x40 xc:'rgb(255,0,0)' "$E2E_DESKTOP/a.png"
e2e_reg_clear
e2e_start
e2e_wait_pane SingleyzPreview
e2e_wait_pane ThumyzViewer

# Tab twice after the click that gave a control the focus ($1 names it).
tab_hides_and_shows_grid() {
    sleep 0.3
    xdotool key Tab
    e2e_wait_visibility ThumyzViewer 0 "Tab after a click on $1"
    xdotool key Tab
    e2e_wait_visibility ThumyzViewer 1 "the second Tab after a click on $1"
}
# A side-panel tab, by its place on the strip (the Tools tab at 15, Stamp at 70, Calender at 200).
open_tab() {
    e2e_click_pane UseryzProcess1 "$1" 21
    e2e_wait_visibility "$2" 1 "the tab of $2"
}

e2e_click_pane ThumyzViewer 60 70
tab_hides_and_shows_grid "the grid"

read -r _ _ lw lh _ <<< "$(e2e_pane UseryzSplitLV)"
e2e_click_pane UseryzSplitLV $((lw / 2)) $((lh / 2))
tab_hides_and_shows_grid "the side panel's splitter"

open_tab 15 ToolVscroll
read -r _ _ sw _ _ <<< "$(e2e_pane ToolVscroll)"
e2e_click_pane ToolVscroll $((sw / 2)) 30
tab_hides_and_shows_grid "the Tools scroll bar"

# The date picker's "<" (month back): 42 left of the year-forward button, which stands 180 from
# the centred 210-pixel calendar's left.
open_tab 200 CalenderSee
read -r _ _ cw _ _ <<< "$(e2e_pane CalenderSee)"
e2e_click_pane CalenderSee $(((cw - 210) / 2 + 180 - 42 + 8)) 38
tab_hides_and_shows_grid "the date picker's \"<\""

open_tab 70 StampMenu
read -r _ _ tw th _ <<< "$(e2e_pane ThumScroll)"
e2e_click_pane ThumScroll $((tw / 2)) $((th / 2))
tab_hides_and_shows_grid "the stamp browser's scroll bar"

e2e_click_pane TitleSkin 120 12
tab_hides_and_shows_grid "the title bar"

read -r _ _ hw hh _ <<< "$(e2e_pane UseryzSplitH)"
e2e_click_pane UseryzSplitH $((hw / 2)) $((hh / 2))
tab_hides_and_shows_grid "the column splitter"

e2e_close
