#!/usr/bin/env bash
# Starts the real viewer on a virtual display on Friday 19 March 2010 with path.ini naming
# the sample timetable, and checks from outside the process that the main window appears
# with today's title. Exits 77 (skipped) where the display tools are missing.
set -euo pipefail
viewer=$1
workbook=$2
expected='今天是2010年3月19日--星期五 (第3周)——我的课表——2010年Pellwick春季版'

for tool in xvfb-run faketime xdotool; do
  if ! command -v "$tool" >/dev/null; then
    echo "skipped: $tool is not installed (scripts/install-deps installs it)"
    exit 77
  fi
done

dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
# path.ini lives beside the executable, so the viewer runs from a folder of its own.
cp "$viewer" "$dir/orvanto"
printf '%s\r\n' "$workbook" > "$dir/path.ini"

# faketime preloads itself; a sanitizer build must not insist on coming first.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0"
export QT_QPA_PLATFORM=xcb

xvfb-run -a -s '-screen 0 1280x800x24' bash -c '
  faketime "2010-03-19 10:00:00" "$1/orvanto" &
  wrapper=$!
  # xdotool dies on an X error when a window it is looking at goes away meanwhile (the
  # splash closing, say), so each look is one short attempt, repeated for up to 60 s.
  title=
  for _ in $(seq 600); do
    window=$(xdotool search --onlyvisible --name "今天是2010年3月19日" 2>/dev/null | head -n 1)
    if [[ -n $window ]] && title=$(xdotool getwindowname "$window" 2>/dev/null) && [[ -n $title ]]; then
      break
    fi
    sleep 0.1
  done
  # faketime runs the viewer as its child: end the viewer itself, before the display goes.
  # It is the one child of this wrapper (none if it has already exited); a pattern on its
  # name could end another copy of orvanto running on this machine.
  viewer=$(pgrep -P "$wrapper" || true)
  kill "${viewer:-$wrapper}" 2>/dev/null || true
  wait
  printf "%s\n" "$title"
' _ "$dir" > "$dir/title.txt"

title=$(cat "$dir/title.txt")
if [[ "$title" != "$expected" ]]; then
  echo "main window title was '$title', expected '$expected'"
  exit 1
fi
echo "main window appeared: $title"
