# Two starts of one program folder: the second brings the first, minimised, back to the front and
# ends, so the two never share the folder's scratch files; a copy installed in another folder runs
# beside it.
e2e_program_folder
e2e_desktop
convert -size 120x40 xc:'rgb(255,0,0)' "$E2E_DESKTOP/a-rb.png"
e2e_reg_clear
e2e_start
e2e_wait_pane SingleyzPreview

# How many main windows there are.
main_windows() { wine "$E2E_PROBE" count "$E2E_CLASS" 2>/dev/null | tr -d '\r'; }

# The title bar's minimise button: the window hides, its taskbar companion stands minimised.
read -r tx ty tw _ _ <<< "$(e2e_pane TitleSkin)"
e2e_click $((tx + tw - 32)) $((ty + 13))
wait_hidden() {
    local i
    for i in $(seq 1 50); do
        [ "$(e2e_window "$E2E_CLASS" | cut -d' ' -f5)" = 0 ] && return 0
        sleep 0.2
    done
    fail "the minimise button did not hide the window"
}
wait_hidden

wine "$E2E_PROGRAM/Vellumo.exe" >/dev/null 2>&1 </dev/null &
second=$!
for i in $(seq 1 200); do
    kill -0 "$second" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$second" 2>/dev/null; then
    kill "$second" 2>/dev/null
    fail "the second start of the same folder kept running ($(main_windows) main windows)"
fi
wait "$second" || fail "the second start ended with an error"
[ "$(main_windows)" = 1 ] || fail "$(main_windows) main windows after the second start"
e2e_wait_window "$E2E_CLASS"
front="$(wine "$E2E_PROBE" foreground 2>/dev/null | tr -d '\r')"
[ "$front" = "$E2E_CLASS" ] || fail "the first copy's window is not in front: $front"

# Another install beside it runs on its own (and goes with the test, whatever its end).
other="$E2E_WORK/program2"
trap '[ -n "${beside:-}" ] && kill "$beside" 2>/dev/null' EXIT
rm -rf "$other"
cp -r "$E2E_BUILD/program" "$other"
wine "$other/Vellumo.exe" >/dev/null 2>&1 </dev/null &
beside=$!
for i in $(seq 1 200); do
    [ "$(main_windows)" = 2 ] && break
    kill -0 "$beside" 2>/dev/null || fail "the copy of another folder ended"
    sleep 0.1
done
[ "$(main_windows)" = 2 ] || fail "the copy of another folder showed no window"

# Both closed: each WM_CLOSE ends one of them.
wine "$E2E_PROBE" close "$E2E_CLASS" || fail "no main window to close"
for i in $(seq 1 200); do [ "$(main_windows)" = 1 ] && break; sleep 0.1; done
e2e_close
for i in $(seq 1 200); do
    kill -0 "$beside" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$beside" 2>/dev/null && { kill "$beside"; fail "the copy of another folder did not end"; }
wait "$beside" 2>/dev/null || true
