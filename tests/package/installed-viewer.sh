#!/usr/bin/env bash
# Checks an installed package's viewer by hand, as an ordinary user on a system where the .deb
# is installed (for instance a Debian 12 chroot) and xvfb, xauth, xdotool and strace are too:
#   1. it starts offscreen and creates no settings folder by starting;
#   2. on a virtual display, 设置 → 课表路径 (Alt+S, P) and the file dialog choose the sample,
#      which is saved in ~/.config/orvanto/path.ini;
#   3. on the next start (offscreen) it reads that path.ini and opens the workbook it names.
# Not run by ctest: it needs the package installed in /usr.
set -uo pipefail
export LANG=C.UTF-8 LC_ALL=C.UTF-8
workbook=/usr/share/orvanto/timetable.xlsx
config=${XDG_CONFIG_HOME:-$HOME/.config}/orvanto
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() {
  echo "FAIL: $*"
  failed=1
}
if [[ -e $config ]]; then
  echo "$config exists already; run as a user without Orvanto settings"
  exit 2
fi

echo "1. offscreen start"
QT_QPA_PLATFORM=offscreen orvanto >"$work/offscreen.log" 2>&1 &
viewer=$!
sleep 6
if kill -0 "$viewer" 2>/dev/null; then
  kill "$viewer"
  wait "$viewer" 2>/dev/null
  echo "   running after 6 s"
else
  fail "the viewer exited: $(cat "$work/offscreen.log")"
fi
[[ ! -e $config ]] || fail "starting made $config"

echo "2. choosing $workbook through the menu and the file dialog"
QT_QPA_PLATFORM=xcb xvfb-run -a -s '-screen 0 1280x800x24' bash -c '
  orvanto >/dev/null 2>&1 &
  viewer=$!
  sleep 5  # past the splash
  window=$(xdotool search --onlyvisible --name "我的课表" 2>/dev/null | head -n 1)
  echo "   main window: $(xdotool getwindowname "$window")"
  xdotool windowfocus --sync "$window"
  sleep 0.5
  xdotool key --window "$window" alt+s
  sleep 0.7
  xdotool key p
  sleep 1.5
  dialog=$(xdotool search --onlyvisible --name "设置课表路径" 2>/dev/null | head -n 1)
  echo "   file dialog: $(xdotool getwindowname "$dialog")"
  xdotool windowfocus --sync "$dialog"
  xdotool type --delay 20 "$1"
  sleep 0.3
  xdotool key Return
  sleep 2
  kill "$viewer"
  wait "$viewer"
' _ "$workbook"
if [[ $(cat "$config/path.ini" 2>/dev/null) == "$workbook"$'\r' ]]; then
  echo "   $config/path.ini names $workbook"
else
  fail "$config/path.ini holds '$(cat "$config/path.ini" 2>&1)'"
fi

echo "3. next start, offscreen: the files it opens"
QT_QPA_PLATFORM=offscreen strace -f -e trace=openat -o "$work/trace" orvanto >/dev/null 2>&1 &
tracer=$!
sleep 8
kill "$(pgrep -P "$tracer")"
wait "$tracer" 2>/dev/null
grep -qF "\"$config/path.ini\", O_RDONLY" "$work/trace" || fail "path.ini was not read"
grep -qF "\"$workbook\", O_RDONLY" "$work/trace" || fail "the workbook was not opened"
grep -F -e "$config/path.ini" -e "$workbook" "$work/trace" | sed 's/^[0-9]* */   /'
exit $failed
