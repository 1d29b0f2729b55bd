#!/bin/sh
# Ends the cluster that start.sh started in $1 and removes what it set up.
set -u
dir=$1
if [ -f "$dir/data/postmaster.pid" ]; then
    # pg_ctl runs as the cluster's owner; root may send the signal itself.
    pid=$(head -n 1 "$dir/data/postmaster.pid")
    kill -INT "$pid" 2>/dev/null
    i=0
    while kill -0 "$pid" 2>/dev/null && [ $i -lt 100 ]; do
        i=$((i + 1))
        sleep 0.1
    done
    kill -9 "$pid" 2>/dev/null
fi
# $dir is a link to the cluster's folder under /tmp: both go.
[ -L "$dir" ] && rm -rf "$(readlink "$dir")"
rm -rf "$dir"
exit 0
