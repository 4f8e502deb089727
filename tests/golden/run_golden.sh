#!/usr/bin/env bash
# run_golden.sh MARLOG COMPOSE CASE [--update]
#
# Composes CASE, runs marlog on it with TZ=UTC and compares standard output,
# standard error and exit code with CASE's .expected, .stderr (empty when
# absent) and .code (0 when absent). Directives in the case's comment lines:
#   #! args: <marlog arguments>   @IN stands for the composed file (default "-i @IN")
#   #! stdin                      feed the composed file on standard input (default args "-i")
#   #! env: NAME=value            one variable per line
# The composed file's path is shown as @IN in the compared texts.
# --update writes the expected files from what marlog printed; check them by hand.
set -u

if [ $# -lt 3 ] || [ $# -gt 4 ] || { [ $# -eq 4 ] && [ "$4" != --update ]; }; then
  echo "usage: $0 MARLOG COMPOSE CASE [--update]" >&2
  exit 2
fi
marlog=$1 compose=$2 case=$3 update=${4:-}
base=${case%.case}

work=$(mktemp -d "${TMPDIR:-/tmp}/golden.XXXXXX") || exit 2
trap 'rm -rf "$work"' EXIT
input=$work/in.trace

if ! "$compose" -o "$input" "$case"; then
  echo "golden: cannot compose $case" >&2
  exit 1
fi

args_line= use_stdin=0
envs=()
while IFS= read -r line; do
  case $line in
    '#! args:'*) args_line=${line#'#! args:'} ;;
    '#! stdin'*) use_stdin=1 ;;
    '#! env:'*)
      kv=${line#'#! env:'}
      kv=${kv#"${kv%%[![:space:]]*}"}
      envs+=("${kv%"${kv##*[![:space:]]}"}")
      ;;
  esac
done < "$case"

if [ -z "${args_line//[[:space:]]/}" ]; then
  if [ $use_stdin = 1 ]; then args_line='-i'; else args_line='-i @IN'; fi
fi
set -f  # no globbing of the arguments
read -r -a words <<< "$args_line"
set +f
args=()
for w in "${words[@]}"; do args+=("${w//@IN/$input}"); done

stdin_file=/dev/null
[ $use_stdin = 1 ] && stdin_file=$input

env TZ=UTC "${envs[@]}" timeout 120 "$marlog" "${args[@]}" \
  < "$stdin_file" > "$work/stdout" 2> "$work/stderr"
code=$?

# Show the temporary path as @IN so that expected texts do not depend on it.
pattern=$(printf '%s' "$input" | sed 's/[.[\*^$/]/\\&/g')
sed -i "s/$pattern/@IN/g" "$work/stdout" "$work/stderr"
printf '%s\n' "$code" > "$work/code"

if [ "$update" = --update ]; then
  cp "$work/stdout" "$base.expected"
  if [ -s "$work/stderr" ]; then cp "$work/stderr" "$base.stderr"; else rm -f "$base.stderr"; fi
  if [ "$code" != 0 ]; then cp "$work/code" "$base.code"; else rm -f "$base.code"; fi
  echo "golden: updated $base.* (exit code $code); check them by hand"
  exit 0
fi

status=0
if [ ! -f "$base.expected" ]; then
  echo "golden: $base.expected is missing" >&2
  status=1
elif ! diff -u --label "$base.expected" --label "stdout" "$base.expected" "$work/stdout"; then
  status=1
fi
expected_stderr=/dev/null
[ -f "$base.stderr" ] && expected_stderr=$base.stderr
if ! diff -u --label "${expected_stderr/#\/dev\/null/(no stderr expected)}" --label "stderr" \
    "$expected_stderr" "$work/stderr"; then
  status=1
fi
expected_code=0
[ -f "$base.code" ] && expected_code=$(tr -d '[:space:]' < "$base.code")
if [ "$code" != "$expected_code" ]; then
  echo "golden: exit code $code, expected $expected_code"
  status=1
fi
[ $status = 0 ] || echo "golden: $case FAILED"
exit $status
