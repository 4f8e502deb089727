#!/bin/bash
# The golden runner passes only when output, error text and exit code all
# match, honours its directives, and the composer's command line reports
# source errors as file:line and writes nothing then.
set -u
BUILD=$1
SRC=${MARLOG_SOURCE_DIR:-$(cd "$(dirname "$0")/../.." && pwd)}
RUN=$SRC/tests/golden/run_golden.sh
COMPOSE=$BUILD/compose
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fails=0
expect() {  # expect NAME WANTED-RC COMMAND...
  local name=$1 want=$2; shift 2
  "$@" > "$work/out" 2>&1
  local rc=$?
  if { [ "$want" = 0 ] && [ $rc = 0 ]; } || { [ "$want" != 0 ] && [ $rc != 0 ]; }; then
    echo "ok   $name"
  else
    echo "FAIL $name: exit $rc"
    sed 's/^/     /' "$work/out"
    fails=$((fails + 1))
  fi
}

# A stand-in for marlog that shows what it was given.
cat > "$work/fake" <<'EOS'
#!/bin/sh
echo "args: $*"
echo "FOO=$FOO TZ=$TZ stdin=$(wc -c | tr -d ' ')"
[ -n "$ERR" ] && echo "$ERR" >&2
exit "${CODE:-0}"
EOS
chmod +x "$work/fake"

c=$work/a.case
printf '#! args: -x @IN -y\n#! env: FOO=b a r\nrec | "hello"\n' > "$c"
printf 'args: -x @IN -y\nFOO=b a r TZ=UTC stdin=0\n' > "$work/a.expected"
expect "matching output passes" 0 "$RUN" "$work/fake" "$COMPOSE" "$c"
printf 'args: -x @IN -y\nFOO=b a r TZ=UTC stdin=1\n' > "$work/a.expected"
expect "different output fails" 1 "$RUN" "$work/fake" "$COMPOSE" "$c"
grep -q '^+FOO=b a r TZ=UTC stdin=0' "$work/out" || { echo "FAIL no unified diff"; fails=$((fails + 1)); }
rm "$work/a.expected"
expect "missing .expected fails" 1 "$RUN" "$work/fake" "$COMPOSE" "$c"

printf '#! env: ERR=oops\n#! env: CODE=3\nrec\n' > "$work/b.case"
expect "update writes the files" 0 "$RUN" "$work/fake" "$COMPOSE" "$work/b.case" --update
[ "$(cat "$work/b.stderr")" = oops ] && [ "$(cat "$work/b.code")" = 3 ] ||
  { echo "FAIL update contents"; fails=$((fails + 1)); }
expect "updated case passes" 0 "$RUN" "$work/fake" "$COMPOSE" "$work/b.case"
printf '4\n' > "$work/b.code"
expect "other exit code fails" 1 "$RUN" "$work/fake" "$COMPOSE" "$work/b.case"
printf '3\n' > "$work/b.code"
rm "$work/b.stderr"
expect "unexpected stderr fails" 1 "$RUN" "$work/fake" "$COMPOSE" "$work/b.case"

printf '#! stdin\nrec | "hi"\n' > "$work/s.case"
printf 'args: -i\nFOO= TZ=UTC stdin=24\n' > "$work/s.expected"
expect "stdin directive" 0 "$RUN" "$work/fake" "$COMPOSE" "$work/s.case"

# The composer's own command line.
printf 'rec\nrec drv=x\n' > "$work/bad.case"
"$COMPOSE" -o "$work/bad.bin" "$work/bad.case" 2> "$work/err"
rc=$?
if [ $rc = 1 ] && [ "$(cat "$work/err")" = "$work/bad.case:2: bad value in 'drv=x'" ] &&
    [ ! -e "$work/bad.bin" ]; then
  echo "ok   compose error"
else
  echo "FAIL compose error: exit $rc, $(cat "$work/err")"
  fails=$((fails + 1))
fi
printf 'rec seq=9\n' > "$work/one.case"
printf 'rec\n' > "$work/two.case"
"$COMPOSE" "$work/one.case" "$work/two.case" > "$work/two.bin"
seq2=$(od -An -tu4 -j 40 -N 4 "$work/two.bin" | tr -d ' ')
if [ "$(stat -c %s "$work/two.bin")" = 48 ] && [ "$seq2" = 10 ]; then
  echo "ok   compose runs on across files"
else
  echo "FAIL compose across files: size $(stat -c %s "$work/two.bin"), seq $seq2"
  fails=$((fails + 1))
fi
expect "compose without sources" 1 "$COMPOSE"

[ $fails = 0 ]
