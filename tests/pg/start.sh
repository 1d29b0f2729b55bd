#!/bin/sh
# Starts a private PostgreSQL cluster for the suites that run on a server, in
# the folder $1: trust authentication, reached only through a Unix socket in
# that folder, no TCP port at all, so it never meets the machine's own
# server. The cluster holds a template database, "nyugvar_sablon", filled
# with the delivered register of the data folder $3 by the copy program $2;
# each test makes a fresh database from it. The port it listens on is written
# to $1/port. stop.sh ends it.
# Without PostgreSQL 15 or the copy program, it writes $1/unavailable with the
# reason, and the server suites skip.
set -u
dir=$1
atvitel=$2
adatmappa=$3
bin=/usr/lib/postgresql/15/bin
port=55432
sablon=nyugvar_sablon

# A cluster left behind by a run that was stopped half-way goes first.
[ -e "$dir" ] && sh "$(dirname "$0")/stop.sh" "$dir"
rm -rf "$dir"

# PostgreSQL refuses to run as root, so under root (as CI runs) the cluster
# belongs to "nobody", who must reach its folder: a build folder under a home
# folder that others cannot enter (root's own is 0700 on Debian) would not
# do. The cluster lives in a folder of its own under /tmp, and $dir points
# there; the socket's path stays short as well.
work=$(mktemp -d "${TMPDIR:-/tmp}/nyugvar-pg.XXXXXX") || { mkdir -p "$dir"; echo "no temporary folder" > "$dir/unavailable"; exit 0; }
mkdir -p "$(dirname "$dir")"
ln -s "$work" "$dir" || { rm -rf "$work"; echo "server tests will skip: cannot make $dir"; exit 0; }
dir=$work

# A server that started stops again: the tests will not use it.
unavailable() {
    [ -f "$dir/data/postmaster.pid" ] && kill -QUIT "$(head -n 1 "$dir/data/postmaster.pid")" 2>/dev/null
    echo "$1" > "$dir/unavailable"
    echo "server tests will skip: $1"
    exit 0
}

[ -x "$bin/initdb" ] && [ -x "$bin/pg_ctl" ] || unavailable "no PostgreSQL 15 (package postgresql)"
[ -x "$atvitel" ] || unavailable "no copy program $atvitel"
[ -f "$adatmappa/regiszter.db" ] || unavailable "no delivered register in $adatmappa"

if [ "$(id -u)" = 0 ]; then
    user=nobody
    chown "$user" "$dir" || unavailable "cannot give $dir to $user"
    chmod 0755 "$dir"
    as() { runuser -u "$user" -- "$@"; }
else
    user=$(id -un)
    as() { "$@"; }
fi
cd "$dir" || unavailable "cannot enter $dir"

# Speed over safety: the cluster lives for one test run.
as "$bin/initdb" -D "$dir/data" -U "$user" -A trust -E UTF8 --no-locale >"$dir/initdb.log" 2>&1 \
    || { cat "$dir/initdb.log"; unavailable "initdb failed"; }
as "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 30 \
    -o "-k $dir -p $port -c listen_addresses='' -c fsync=off -c synchronous_commit=off -c full_page_writes=off" \
    start >/dev/null || { cat "$dir/server.log"; unavailable "the server did not start"; }
echo "$port" > "$dir/port"
echo "$user" > "$dir/user"

conninfo="host=$dir port=$port dbname=$sablon user=$user"
"$bin/createdb" -h "$dir" -p "$port" -U "$user" "$sablon" || unavailable "createdb failed"
"$atvitel" "$adatmappa" "$conninfo" >"$dir/atvitel.log" 2>&1 \
    || { cat "$dir/atvitel.log"; unavailable "the copy program could not fill the template"; }
echo "PostgreSQL at $dir, port $port, template $sablon"
