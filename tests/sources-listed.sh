#!/bin/sh
# Every C++ source file is named in the CMakeLists.txt of its folder or of a folder above it:
# the lists are explicit, so a file added without its line would silently not be built (a
# test that is never run) or fail only at link time. Per-platform files (NameLinux.cpp,
# NameWindows.cpp) are named once, as Name.
# Usage: sources-listed.sh SOURCE_DIR
set -u
root=${1:?usage: sources-listed.sh SOURCE_DIR}
cd "$root" || exit 2
missing=0
for file in $(find src tests bench fuzz -name '*.cpp' -not -path 'tests/data/*' \
                -not -path 'fuzz/corpus/*' | sort); do
    name=$(basename "$file" .cpp)
    case $name in
    *Linux) name=${name%Linux} ;;
    *Windows) name=${name%Windows} ;;
    esac
    folder=$(dirname "$file")
    found=no
    while [ "$folder" != . ]; do
        if [ -f "$folder/CMakeLists.txt" ] && grep -qw -- "$name" "$folder/CMakeLists.txt"; then
            found=yes
            break
        fi
        folder=$(dirname "$folder")
    done
    if [ $found = no ]; then
        echo "not in any CMakeLists.txt: $file" >&2
        missing=1
    fi
done
exit $missing
