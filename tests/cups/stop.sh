#!/bin/sh
# Ends the scheduler that start.sh started in $1 and removes what it set up.
set -u
dir=$1
rm -f /etc/cups/cups-pdf-nyugvarteszt.conf 2>/dev/null
if [ -f "$dir/cupsd.pid" ]; then
    pid=$(cat "$dir/cupsd.pid")
    kill "$pid" 2>/dev/null
    i=0
    while kill -0 "$pid" 2>/dev/null && [ $i -lt 50 ]; do
        i=$((i + 1))
        sleep 0.1
    done
    kill -9 "$pid" 2>/dev/null
fi
# $dir is a link to the spooler's folder under /tmp: both go.
[ -L "$dir" ] && rm -rf "$(readlink "$dir")"
rm -rf "$dir"
exit 0
