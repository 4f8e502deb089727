# Test harness for the stand-in maintenance driver; source it from an e2e
# script (bash). It starts build/qvmaint on a private device directory and
# stops it when the script exits.
#
#   . "$(dirname "$0")/lib/standin.sh"
#   standin_start "$BUILD" --replay file.3 --fast   # any qvmaint options
#   "$BUILD/marlog" -l                              # MARLOG_DEVICE_DIR is set
#   standin_stop                                    # also runs on exit
#
# After standin_start: STANDIN_DIR (the device directory, exported as
# MARLOG_DEVICE_DIR), STANDIN_PID, STANDIN_LOG (qvmaint's standard error).
# A script with an EXIT trap of its own calls standin_stop from it.

STANDIN_PID=
STANDIN_DIR=
STANDIN_LOG=

standin_start() {
  local build=$1
  shift
  standin_stop
  STANDIN_DIR=$(mktemp -d "${TMPDIR:-/tmp}/standin.XXXXXX") || return 1
  chmod 700 "$STANDIN_DIR"
  STANDIN_LOG=$STANDIN_DIR.log
  export MARLOG_DEVICE_DIR=$STANDIN_DIR
  "$build/qvmaint" --dir "$STANDIN_DIR" --pidfile "$STANDIN_DIR.pid" "$@" 2>"$STANDIN_LOG" &
  STANDIN_PID=$!
  trap standin_stop EXIT
  # The pid file appears once the socket listens.
  local i
  for i in $(seq 1 100); do
    [ -s "$STANDIN_DIR.pid" ] && return 0
    if ! kill -0 "$STANDIN_PID" 2>/dev/null; then
      echo "standin: qvmaint ended at start:" >&2
      cat "$STANDIN_LOG" >&2
      STANDIN_PID=
      return 1
    fi
    sleep 0.05
  done
  echo "standin: qvmaint did not come up within 5 s" >&2
  standin_stop
  return 1
}

standin_stop() {
  if [ -n "$STANDIN_PID" ]; then
    kill -TERM "$STANDIN_PID" 2>/dev/null
    wait "$STANDIN_PID" 2>/dev/null
    STANDIN_PID=
  fi
  if [ -n "$STANDIN_DIR" ]; then
    rm -rf "$STANDIN_DIR" "$STANDIN_DIR.pid" "$STANDIN_LOG"
    STANDIN_DIR=
  fi
}
