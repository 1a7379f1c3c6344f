#!/usr/bin/env bash
# One transfer through torvik-cli against the terminal peer on a pseudo-terminal, natively:
# starts the peer, runs the command on the peer's line, then checks the exit code, what the
# peer saw and stored, and what torvik-cli wrote.
# With TORVIK_CLI_WINE=1, TORVIK_CLI is the Windows build, run under Wine on COM7, which the
# test session maps to build/peer/com7; exit 77 (skipped) when that is not at hand.
# Usage: peer_cli_test.sh CASE TORVIK_CLI TERMINAL_PEER DEFAULT_IMAGE
set -uo pipefail
case_name=$1
cli=$2
peer=$3
default_image=$4
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
if [ -n "${TORVIK_CLI_WINE:-}" ]; then
  [ -f "$cli" ] || { echo "no Windows build"; exit 77; }
  export TORVIK_WINEPREFIX="${TORVIK_WINEPREFIX:-$top/build/wineprefix}"
  grep -qs 'build/peer/com7' "$TORVIK_WINEPREFIX/system.reg" || { echo "COM7 is not mapped (run scripts/test.sh)"; exit 77; }
  runner=("$top/scripts/wine-exec.sh" "$cli")
  line="$top/build/peer/com7"
  port=COM7
fi
work="$(dirname "$cli")/peer_cli/$case_name"
rm -rf "$work"
mkdir -p "$work"
cd "$work" || exit 2
if [ -z "${TORVIK_CLI_WINE:-}" ]; then
  runner=("$cli")
  line="$work/line"
  port=$line
fi
failed=0
fail() { echo "FAIL: $*"; failed=1; }

peer_pid=
start_peer() {  # PEER_ARGS...; the result goes to result.txt
  rm -f result.txt "$line"
  "$peer" --pty-link "$line" --result result.txt --timeout 60 "$@" >>peer.log 2>&1 &
  peer_pid=$!
  for _ in $(seq 1 50); do [ -e "$line" ] && return; sleep 0.1; done
  fail "the peer made no line"
}
stop_peer() {
  kill -TERM "$peer_pid" 2>/dev/null
  wait "$peer_pid"
  echo "--- peer result"
  cat result.txt
}
cli_rc=
run_cli() {  # ARGS...; stdout to out.log, stderr to err.log
  "${runner[@]}" "$@" --port "$port" >out.log 2>err.log
  cli_rc=$?
  echo "--- torvik-cli $* (exit $cli_rc)"
  cat out.log err.log
}
expect_rc() { [ "$cli_rc" -eq "$1" ] || fail "exit code $cli_rc, expected $1"; }
expect() {  # key=value lines the peer must have written
  local want
  for want in "$@"; do grep -qx "$want" result.txt || fail "peer result lacks $want"; done
}
absent() {
  local key
  for key in "$@"; do grep -q "^$key=" result.txt && fail "peer result has $key"; done
}
says() {  # FILE TEXT: a line of FILE holds TEXT
  grep -qF -- "$2" "$1" || fail "$1 lacks '$2'"
}
# The records the peer sends: NUMBER,4006381333931,CHECK with the check taken modulo 97.
records() {  # FIRST LAST
  seq "$1" "$2" | while read -r i; do printf '%06d,4006381333931,%d\r\n' "$i" $(( (i - 1) % 97 + 1 )); done
}

case $case_name in
  download)
    "$default_image" --new new.tvx expected.bin
    start_peer --mode app --image image.bin --garbage 6
    run_cli download new.tvx
    stop_peer
    expect_rc 0
    expect blocks_ok=200 image_written=1 garbage_sent=6
    says err.log "Download: Downloaded completely!"
    "$default_image" default.bin
    cmp image.bin default.bin || fail "received image differs from the builder's" ;;
  download_full)
    "$default_image" --full full.tvx expected.bin
    start_peer --mode app --image image.bin
    run_cli download full.tvx --rate 57600
    stop_peer
    expect_rc 0
    expect blocks_ok=200 image_written=1
    cmp image.bin expected.bin || fail "received image differs from the builder's" ;;
  download_cradle)
    "$default_image" --new new.tvx expected.bin
    start_peer --mode app --image image.bin --cradle-rate 57600
    run_cli download new.tvx --transport cradle
    stop_peer
    expect_rc 0
    expect blocks_ok=200 image_written=1 cradle_switched_to=115200 cradle_answers=1
    absent rate_mismatch_bytes block_errors
    cmp image.bin expected.bin || fail "received image differs from the builder's" ;;
  download_refused)
    "$default_image" --new new.tvx expected.bin
    start_peer --mode app --hello T900RU003
    run_cli download new.tvx
    stop_peer
    expect_rc 1
    expect hello_count=1 nak_received=1
    absent blocks_ok
    says err.log "Warning: Program version is incompatible to Torvik!"
    says err.log "Error: Failed to download, would you like to retry? No (no terminal to answer on)" ;;
  download_retries)
    # A loop in a shell: the answers come from --retries, not from a question.
    "$default_image" --new new.tvx expected.bin
    start_peer --mode app --hello T900RU003
    run_cli download new.tvx --retries 2 </dev/null
    stop_peer
    expect_rc 1
    expect hello_count=3
    says err.log "Error: Failed to download, would you like to retry? Yes (retry 2 of 2)"
    says err.log "Error: Failed to download, would you like to retry? No (no retries left)" ;;
  lookup)
    for i in $(seq 1 40); do printf 'ITEM%04d,Article number %d,%d.50\r\n' "$i" "$i" "$i"; done > lookup.txt
    printf '\r\nLAST,no line end' >> lookup.txt
    start_peer --mode lookup --lookup-out lookup.out
    run_cli lookup lookup.txt --transport irda --rate 19200
    stop_peer
    expect_rc 0
    expect lookup_lines=42 over_received=1
    absent line_errors
    # What the terminal stored is the file with every line ended by CR LF.
    { cat lookup.txt; printf '\r\n'; } | cmp - lookup.out || fail "lookup lines differ" ;;
  lookup_too_long)
    { printf 'A\r\nB\r\n'; head -c 253 /dev/zero | tr '\0' 'y'; printf '\r\n'; head -c 254 /dev/zero | tr '\0' 'x'; printf '\r\n'; } > lookup.txt
    start_peer --mode lookup --lookup-out lookup.out
    run_cli lookup lookup.txt
    stop_peer
    expect_rc 2
    absent hello_count lookup_lines
    says err.log "Error: Line 4 of the file is longer than 253 characters!" ;;
  receive)
    start_peer --mode receive --record-count 25 --bad-check 3 --repeat 5 --lost-ack 7
    run_cli receive received.txt
    stop_peer
    expect_rc 0
    expect records_acked=27 naks_received=1 over_sent=1
    says out.log "25 records received"
    records 1 25 | cmp - received.txt || fail "received records differ" ;;
  receive_stops)
    start_peer --mode receive --record-count 10 --stop-after 4
    run_cli receive received.txt
    stop_peer
    expect_rc 1
    expect records_acked=4
    says err.log "Error: Time out!"
    says err.log "Upload Data: Transfer not finished: 4 records received and kept in the file."
    says out.log "4 records received"
    records 1 4 | cmp - received.txt || fail "kept records differ" ;;
  receive_hangup)
    # The line goes away after 4 records: said at once, not retried into a time-out.
    start_peer --mode receive --record-count 10 --stop-after 4 --hang-up
    started=$(date +%s%N)
    run_cli receive received.txt
    took=$(( ($(date +%s%N) - started) / 1000000 ))
    echo "took $took ms"
    stop_peer
    expect_rc 1
    expect records_acked=4 hung_up=1
    says err.log "the port closed"
    grep -q "Time out" err.log && fail "a hang-up reported as a time-out"
    [ "$took" -lt 2500 ] || fail "took $took ms after the hang-up"
    says err.log "Upload Data: Transfer not finished: 4 records received and kept in the file."
    records 1 4 | cmp - received.txt || fail "kept records differ" ;;
  download_hangup)
    "$default_image" --new new.tvx expected.bin
    start_peer --mode app --stop-after 20 --hang-up
    started=$(date +%s%N)
    run_cli download new.tvx
    took=$(( ($(date +%s%N) - started) / 1000000 ))
    echo "took $took ms"
    stop_peer
    expect_rc 1
    expect hung_up=1
    says err.log "the port closed"
    grep -q "retry" err.log && fail "asked to retry on a line that is gone"
    [ "$took" -lt 2500 ] || fail "took $took ms after the hang-up" ;;
  receive_disk_full)
    # The file may grow to 1 KiB (ulimit -f), as on a disk that fills: the records before
    # are kept, and the message says why, not only the desktop's "File open/create failed!".
    start_peer --mode receive --record-count 100
    ( trap '' XFSZ; ulimit -f 1; exec "${runner[@]}" receive received.txt --port "$port" >out.log 2>err.log )
    cli_rc=$?
    cat out.log err.log
    stop_peer
    expect_rc 2
    says err.log "Error: File open/create failed!"
    says err.log "received.txt: File too large"
    kept=$(wc -l < received.txt)
    acked=$(sed -n 's/^records_acked=//p' result.txt)
    [ "$kept" -ge 1 ] && [ "$kept" = "$acked" ] || fail "kept $kept records for $acked acknowledged"
    records 1 "$kept" | cmp - received.txt || fail "kept records differ" ;;
  receive_append)
    printf 'old 1\r\nold 2 without a line end' > received.txt
    cp received.txt before.txt
    # Nothing to collect: the old file stays as it was, and no file appears where there was none.
    start_peer --mode receive --record-count 0
    run_cli receive received.txt
    stop_peer
    expect_rc 0
    says err.log "Upload Data: No data received!"
    cmp received.txt before.txt || fail "a receive of nothing changed the file"
    start_peer --mode receive --record-count 0
    run_cli receive nothing.txt
    stop_peer
    expect_rc 0
    [ -e nothing.txt ] && fail "a receive of nothing left a file"
    start_peer --mode receive --record-count 6 --bad-check 2
    run_cli receive received.txt --rate 38400
    stop_peer
    expect_rc 0
    { cat before.txt; printf '\r\n'; records 1 6; } | cmp - received.txt || fail "appended file differs"
    # --new replaces the file once records came, through a file beside it.
    start_peer --mode receive --record-count 3
    run_cli receive received.txt --new
    stop_peer
    expect_rc 0
    records 1 3 | cmp - received.txt || fail "new file differs"
    [ -e received.txt.part ] && fail "the file beside was left"
    ls -A | grep -q '\.part$' && fail "a temporary file was left: $(ls -A | grep '\.part$')" ;;
  receive_interrupt)
    # A long paced receive at 9600 bit/s, interrupted with Ctrl+C once records are on disk.
    start_peer --mode receive --record-count 3000 --pace
    settings_before=$(stty -g -F "$line")
    "$cli" receive received.txt --port "$line" --rate 9600 >out.log 2>err.log &
    cli_pid=$!
    for _ in $(seq 1 100); do
      [ -f received.txt ] && [ "$(wc -l < received.txt)" -ge 5 ] && break
      sleep 0.05
    done
    sent=$(date +%s%N)
    kill -INT "$cli_pid"
    wait "$cli_pid"
    cli_rc=$?
    echo "--- torvik-cli ended $(( ($(date +%s%N) - sent) / 1000000 )) ms after Ctrl+C (exit $cli_rc)"
    cat out.log err.log
    settings_after=$(stty -g -F "$line")
    stop_peer
    expect_rc 1
    says err.log "torvik-cli receive: interrupted"
    [ "$settings_after" = "$settings_before" ] || fail "line settings not restored: $settings_before -> $settings_after"
    acked=$(sed -n 's/^records_acked=//p' result.txt)
    kept=$(wc -l < received.txt)
    echo "acknowledged $acked, kept $kept"
    [ "${acked:-0}" -ge 5 ] || fail "too few records before the interrupt"
    # Every acknowledged record is kept, once, in order (a record on disk whose
    # acknowledgement was on its way may follow).
    [ "$kept" -ge "${acked:-0}" ] && [ "$kept" -le $(( ${acked:-0} + 1 )) ] || fail "kept $kept records for $acked acknowledged"
    records 1 "$kept" | cmp - received.txt || fail "kept records differ"
    says out.log "$kept records received" ;;
  *) echo "unknown case $case_name"; exit 2 ;;
esac
exit $failed
