#!/bin/sh
# Ends the cluster that start.sh started in $1 and removes what it set up.
set -u
dir=$1
if [ -f "$dir/data/postmaster.pid" ]; then
    # The cluster goes with its files, so it may stop at once, without a
    # checkpoint (pg_ctl's "immediate" mode, sent straight to the server so
    # that root need not act as the cluster's owner).
    pid=$(head -n 1 "$dir/data/postmaster.pid")
    kill -QUIT "$pid" 2>/dev/null
    i=0
    # The server takes its pid file away as it ends (and may then wait as a
    # zombie for a container's first process to reap it).
    while [ -f "$dir/data/postmaster.pid" ] && kill -0 "$pid" 2>/dev/null && [ $i -lt 100 ]; do
        i=$((i + 1))
        sleep 0.1
    done
    kill -9 "$pid" 2>/dev/null
fi
# $dir is a link to the cluster's folder under /tmp: both go.
[ -L "$dir" ] && rm -rf "$(readlink "$dir")"
rm -rf "$dir"
exit 0
