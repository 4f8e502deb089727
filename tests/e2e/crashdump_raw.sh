#!/bin/bash
# -a with -o stores the records found in the dump raw, back to back in
# sequence order, and prints nothing.
set -u
BUILD=$1
SRC=${MARLOG_SOURCE_DIR:-$(dirname "$0")/../..}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$BUILD/compose" -o "$work/dump" "$SRC/tests/golden/crashdump/scan.case" || exit 1
cat >"$work/expect.case" <<'CASE'
rec t=10:00:03.000 seq=3 drv=2 class=3 type=wan | "line 0: three"
rec t=10:00:03.500 seq=3 drv=1 class=1 | "remark sharing number three"
rec t=10:00:04.000 seq=4 drv=2 class=3 type=wan | "line 0: four"
rec t=10:00:04.200 seq=4 drv=1 class=1 | "remark sharing number four"
rec t=10:00:05.000 seq=5 drv=2 class=3 type=wan | "line 0: five"
rec t=10:00:06.500 seq=8 drv=2 class=3 type=wan | "line 0: eight"
CASE
"$BUILD/compose" -o "$work/expect" "$work/expect.case" || exit 1
"$BUILD/marlog" -a "$work/dump" -o "$work/out" >"$work/stdout" 2>"$work/stderr"
rc=$?
fails=0
[ "$rc" -eq 0 ] || { echo "FAIL exit code $rc"; fails=1; }
[ -s "$work/stdout" ] && { echo "FAIL printed:"; cat "$work/stdout"; fails=1; }
[ -s "$work/stderr" ] && { echo "FAIL stderr:"; cat "$work/stderr"; fails=1; }
if ! cmp "$work/out.3" "$work/expect"; then
  echo "FAIL raw file differs from the records in order"
  fails=1
fi
# A dump of more than one batch: 3000 records, stored whole and in order.
for i in $(seq 3000 -1 1); do
  echo "rec t=11:00:00 seq=$i drv=2 class=3 type=wan | \"record $i\""
done >"$work/many.case"
"$BUILD/compose" -o "$work/many" "$work/many.case" || exit 1
"$BUILD/marlog" -a "$work/many" -o "$work/many_out" || { echo "FAIL many"; fails=1; }
count=$("$BUILD/marlog" -i "$work/many_out.3" | grep -c "record ")
first=$("$BUILD/marlog" -i "$work/many_out.3" | head -1)
[ "$count" -eq 3000 ] || { echo "FAIL $count of 3000 records"; fails=1; }
case $first in *"record 1") ;; *) echo "FAIL first: $first"; fails=1 ;; esac
[ "$("$BUILD/marlog" -i "$work/many_out.3" | grep -c missing)" -eq 0 ] || { echo "FAIL gaps"; fails=1; }
[ "$fails" -eq 0 ] && echo "all passed"
exit "$fails"
