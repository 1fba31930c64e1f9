#!/usr/bin/env bash
# Builds the .deb from a build tree and checks it as a user's system would meet it: lintian
# finds no error, the metainfo and the desktop entry validate, the unpacked programs run on the
# unpacked sample, the man pages render without a warning, and bash completes orvanto-cli.
# Usage: check-package.sh BUILD_DIR SCRATCH_DIR APPSTREAM_ID
set -euo pipefail
build=$1
scratch=$2
id=$3

for tool in cpack dpkg-deb dpkg-shlibdeps lintian appstreamcli desktop-file-validate man; do
  if ! command -v "$tool" >/dev/null; then
    echo "$tool is missing (scripts/install-deps installs it)"
    exit 1
  fi
done

rm -rf "$scratch"
mkdir -p "$scratch"
trap 'rm -rf "$scratch"' EXIT
failed=0
fail() {
  echo "FAIL: $*"
  failed=1
}

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1 ||
  { cat "$scratch/cpack.log"; exit 1; }
debs=("$scratch"/out/orvanto_*_amd64.deb)
[[ ${#debs[@]} -eq 1 && -f ${debs[0]} ]] || { cat "$scratch/cpack.log"; echo "no orvanto_*_amd64.deb"; exit 1; }
deb=${debs[0]}
echo "built $(basename "$deb")"

# The libraries' packages come from dpkg-shlibdeps: Qt and libgsf must be among them.
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for library in libqt6widgets6 libgsf-1-114 libical3 libc6; do
  [[ $depends == *"$library"* ]] || fail "Depends lacks $library"
done

# Errors fail; the warnings left are listed (and explained in the package notes).
lintian --tag-display-limit 0 "$deb" >"$scratch/lintian.txt" 2>&1 || true
cat "$scratch/lintian.txt"
if grep -q '^E: ' "$scratch/lintian.txt"; then
  fail "lintian reports errors"
fi

root="$scratch/root"
dpkg-deb -x "$deb" "$root"

appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml" ||
  fail "appstreamcli validate"
desktop-file-validate "$root/usr/share/applications/orvanto.desktop" ||
  fail "desktop-file-validate"
grep -qx 'Exec=/usr/bin/orvanto' "$root/usr/share/applications/orvanto.desktop" ||
  fail "the desktop entry does not start /usr/bin/orvanto"

grid=$(cd "$root" && usr/bin/orvanto-cli grid --week 3 usr/share/orvanto/timetable.xlsx) ||
  fail "orvanto-cli grid exits $?"
[[ $grid == *第3周* ]] || fail "orvanto-cli grid printed: $grid"

# In a UTF-8 terminal and in a plain ASCII one (where the Chinese names give way to English).
for page in orvanto orvanto-cli; do
  file="$root/usr/share/man/man1/$page.1.gz"
  for locale in C.UTF-8 C; do
    warnings=$(LC_ALL=$locale MANWIDTH=80 man --warnings -l "$file" 2>&1 >/dev/null)
    [[ -z $warnings ]] || fail "man $page ($locale): $warnings"
    lines=$(LC_ALL=$locale MANWIDTH=80 man -l "$file" 2>/dev/null | wc -l)
    [[ $lines -gt 20 ]] || fail "man $page ($locale) is nearly empty"
  done
done
# The Chinese pages, in the UTF-8 terminal a Chinese locale has.
for page in orvanto orvanto-cli; do
  file="$root/usr/share/man/zh_CN/man1/$page.1.gz"
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$file" 2>&1 >/dev/null)
  [[ -z $warnings ]] || fail "man zh_CN/$page: $warnings"
  lines=$(LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$file" 2>/dev/null | wc -l)
  [[ $lines -gt 20 ]] || fail "man zh_CN/$page is nearly empty"
done

# The completion offers every command, and each command's own options.
if [[ -f /usr/share/bash-completion/bash_completion ]]; then
  complete_words() {
    bash -c '
      source /usr/share/bash-completion/bash_completion
      source "$1"; shift
      COMP_WORDS=(orvanto-cli "$@"); COMP_CWORD=$#
      COMP_LINE="orvanto-cli $*"; COMP_POINT=${#COMP_LINE}
      _orvanto_cli orvanto-cli "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD-1]}"
      printf "%s\n" "${COMPREPLY[@]}" | LC_ALL=C sort | tr "\n" " "
    ' _ "$root/usr/share/bash-completion/completions/orvanto-cli" "$@"
  }
  expect_completion() {
    local expected=$1; shift
    local got
    got=$(complete_words "$@")
    [[ $got == "$expected" ]] || fail "completing '$*': got '$got', expected '$expected'"
  }
  expect_completion '--help --version agenda check grid ics import next week ' ''
  expect_completion 'check ' ch
  expect_completion '--date --help --json --term --term-start --week --weeks ' grid -
  expect_completion '--fields --force --help --json --reading --separator -o ' import -
  expect_completion '--date --help --json --term --term-start --time --weeks ' next -
  expect_completion '--help --term --term-start --weeks ' check -
  expect_completion '--date --help --term --term-start --weeks ' week --
  expect_completion '1 10 11 12 13 14 15 16 17 18 19 ' grid --week 1
else
  echo "skipped the completion: bash-completion is not installed"
fi

if [[ $failed -ne 0 ]]; then
  exit 1
fi
echo "installed size: $(dpkg-deb -f "$deb" Installed-Size) KiB"
