#!/bin/sh
# Starts a private CUPS scheduler for the print tests, in the folder $1,
# with one queue, the PDF writer of cups-pdf, as its default printer. The
# tests reach it through CUPS_SERVER=$1/cups.sock, so they never print on a
# real printer and never touch the machine's own scheduler. stop.sh ends it.
# Without cupsd, cups-pdf or the rights to set up cups-pdf, it writes
# $1/unavailable with the reason, and the print tests skip.
set -u
dir=$1
instance=nyugvarteszt
conf=/etc/cups/cups-pdf-$instance.conf

# A scheduler left behind by a run that was stopped half-way goes first.
[ -f "$dir/cupsd.pid" ] && sh "$(dirname "$0")/stop.sh" "$dir"
rm -rf "$dir"

# The filters run as the spooler's own user, not as root, and must reach the
# job's files: a build folder under a home folder that others cannot enter
# (root's own is 0700 on Debian) would fail every job in the first filter.
# The spooler works in a folder of its own under /tmp, and $dir points there.
work=$(mktemp -d "${TMPDIR:-/tmp}/nyugvar-cups.XXXXXX") || { mkdir -p "$dir"; echo "no temporary folder" > "$dir/unavailable"; exit 0; }
mkdir -p "$(dirname "$dir")"
ln -s "$work" "$dir"
dir=$work
mkdir -p "$dir/root" "$dir/spool" "$dir/tmp" "$dir/cache" "$dir/state" "$dir/log" "$dir/pdf" "$dir/cpspool"

unavailable() {
    echo "$1" > "$dir/unavailable"
    echo "print tests will skip: $1"
    exit 0
}

cupsd=$(command -v cupsd || echo /usr/sbin/cupsd)
[ -x "$cupsd" ] || unavailable "no cupsd (package cups)"
[ -x /usr/lib/cups/backend/cups-pdf ] || unavailable "no cups-pdf (package printer-driver-cups-pdf)"
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
[ -f "$ppd" ] || unavailable "no cups-pdf PPD"
[ "$(id -u)" = 0 ] || unavailable "cups-pdf runs its queues as root only"

# The spool and the output folder must be reachable by the filters.
chmod 0755 "$dir" "$dir/root" "$dir/pdf"
chmod 1777 "$dir/tmp" "$dir/spool" "$dir/cpspool"

cat > "$dir/root/cupsd.conf" <<CONF
LogLevel warn
Listen $dir/cups.sock
Browsing No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Location /admin>
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF

cat > "$dir/root/cups-files.conf" <<CONF
ServerRoot $dir/root
RequestRoot $dir/spool
TempDir $dir/tmp
CacheDir $dir/cache
StateDir $dir/state
ServerBin /usr/lib/cups
DataDir /usr/share/cups
AccessLog $dir/log/access_log
ErrorLog $dir/log/error_log
PageLog $dir/log/page_log
SystemGroup root
Sandboxing Relaxed
FileDevice No
CONF

cat > "$conf" <<CONF || unavailable "cannot write $conf"
Out $dir/pdf
AnonDirName $dir/pdf
Spool $dir/cpspool
Log $dir/log
Label 1
Grp root
AnonUser
CONF

# In the foreground of a detached session, with no hold on the caller's
# output, so that the test run can end while it lives.
setsid "$cupsd" -f -c "$dir/root/cupsd.conf" -s "$dir/root/cups-files.conf" </dev/null >/dev/null 2>&1 &
echo $! > "$dir/cupsd.pid"

export CUPS_SERVER="$dir/cups.sock"
i=0
until [ -S "$dir/cups.sock" ] && lpstat -r 2>/dev/null | grep -q "is running"; do
    i=$((i + 1))
    [ $i -lt 100 ] || { cat "$dir/log/error_log" 2>/dev/null; unavailable "cupsd did not start"; }
    sleep 0.1
done
# The queue turns the program's PDF into PostScript for cups-pdf; cairo keeps
# the text of the Western letters readable in the PDF it writes back.
# A job the filters fail is ended, not left holding a stopped queue, so a
# print test sees the failure at once.
lpadmin -p NyugvarPDF -E -v "cups-pdf:/$instance" -P "$ppd" -o pdftops-renderer-default=pdftocairo \
    -o printer-error-policy=abort-job || unavailable "lpadmin refused the queue"
lpadmin -d NyugvarPDF || unavailable "lpadmin refused the default"
cupsenable NyugvarPDF 2>/dev/null
cupsaccept NyugvarPDF 2>/dev/null
echo "cups-pdf queue NyugvarPDF is the default of $CUPS_SERVER"
