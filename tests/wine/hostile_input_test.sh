#!/bin/sh
# Runs the hostile-input test program with two extra Wine drives: one on a scratch folder, so
# that a drive's root can be a game folder, and one on a 64 KiB tmpfs that the test fills. Both
# are gone afterwards, whatever the test did. Without permission to mount, the full-disk row is
# skipped and says so.
# Usage: hostile_input_test.sh <emulator> <test program> [arguments...]
set -u
dosdevices=${WINEPREFIX:?}/dosdevices
scratch=$(mktemp -d /tmp/dorvane-hostile.XXXXXX)
links=""
mounted=""

cleanup() {
    for link in $links; do rm -f "$link"; done
    [ -n "$mounted" ] && umount "$mounted"
    rm -rf "$scratch"
}
trap cleanup EXIT INT TERM

# A drive letter that the prefix does not use yet.
free_letter() {
    for letter in r s t u v w x y m n o p q; do
        if [ ! -e "$dosdevices/$letter:" ] && [ ! -L "$dosdevices/$letter:" ] \
           && ! echo "$links" | grep -q "/$letter:"; then
            echo "$letter"
            return 0
        fi
    done
    return 1
}

map_drive() {  # <folder> <environment variable>
    letter=$(free_letter) || return 1
    ln -s "$1" "$dosdevices/$letter:" || return 1
    links="$links $dosdevices/$letter:"
    export "$2=$(echo "$letter" | tr a-z A-Z):"
}

mkdir -p "$scratch/root" "$scratch/full"
map_drive "$scratch/root" DORVANE_ROOT_DRIVE
if mount -t tmpfs -o size=64k tmpfs "$scratch/full" 2>/dev/null; then
    mounted="$scratch/full"
    map_drive "$scratch/full" DORVANE_FULL_DRIVE
else
    echo "full disk row skipped: mounting a tmpfs is not permitted here"
fi

"$@"
