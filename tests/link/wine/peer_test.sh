#!/usr/bin/env bash
# One transfer through the real program under Wine against the terminal peer: starts the peer
# on a pseudo-terminal behind COM7, runs the GUI driver's PeerLink.<case>, then checks what
# the peer saw and stored. Exit 77 (skipped) without the Windows build or a display.
set -uo pipefail
case_name=$1
peer=$2
default_image=$3
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)
driver="$top/build/win/gui_tests.exe"
[ -f "$driver" ] || { echo "no Windows build"; exit 77; }
[ -n "${DISPLAY:-}" ] || { echo "no display"; exit 77; }
export TORVIK_WINEPREFIX="${TORVIK_WINEPREFIX:-$top/build/wineprefix}"
grep -qs 'build/peer/com7' "$TORVIK_WINEPREFIX/system.reg" || { echo "COM7 is not mapped (run scripts/test.sh)"; exit 77; }

work="$top/build/peer/$case_name"
rm -rf "$work"
mkdir -p "$work"
link="$top/build/peer/com7"
windows_dir="Z:${work//\//\\}"

args=(--mode app)
case $case_name in
  app_rs232) args=(--mode app --image "$work/image.bin" --garbage 6 --pace) ;;
  app_full)
    "$default_image" --full "$work/full.tvx" "$work/expected.bin"
    args=(--mode app --image "$work/image.bin") ;;
  app_cradle) args=(--mode app --image "$work/image.bin" --cradle-rate 57600) ;;
  no_cradle) args=(--mode app) ;;
  old_version) args=(--mode app --hello T900RU003) ;;
  full_at_block) args=(--mode app --full-at 57) ;;
  lookup)
    for i in $(seq 1 40); do printf 'ITEM%04d,Article number %d,%d.50\r\n' "$i" "$i" "$i"; done > "$work/lookup.txt"
    printf '\r\nLAST,no line end' >> "$work/lookup.txt"
    args=(--mode lookup --lookup-out "$work/lookup.out") ;;
  lookup_too_long)
    { printf 'A\r\nB\r\n'; head -c 254 /dev/zero | tr '\0' 'x'; printf '\r\n'; } > "$work/lookup.txt"
    args=(--mode lookup --lookup-out "$work/lookup.out") ;;
  check_cancel) args=(--mode app) ;;
  check_anyway) args=(--mode app --image "$work/image.bin") ;;
  lookup_line_feeds)
    printf 'A,1\nB,2\nC,3\n' > "$work/lookup.txt"
    args=(--mode lookup --lookup-out "$work/lookup.out") ;;
  lookup_check)
    "$default_image" --new "$work/new.tvx" "$work/new.bin"
    printf 'lookup1.memberLength = 9\nlookup1.fieldCount = 2\nlookup1.fieldLength.1 = 4\nlookup1.fieldLength.2 = 4\nlookup1.delimiter = "," (44)\n' |
      "$top/build/native/torvik-cli" apply "$work/new.tvx" -o "$work/lookups.tvx"
    printf 'A,1\r\nBBBBBB,2\r\nC,3\r\n' > "$work/lookup.txt"
    args=(--mode lookup --lookup-out "$work/lookup.out") ;;
  receive) args=(--mode receive --record-count 25 --bad-check 3 --repeat 5 --lost-ack 7 --pace) ;;
  receive_stops) args=(--mode receive --record-count 10 --stop-after 4) ;;
  detect_cradle) args=(--mode cradle --cradle-rate 19200) ;;
  *) echo "unknown case $case_name"; exit 2 ;;
esac

"$peer" --pty-link "$link" --result "$work/result.txt" "${args[@]}" >"$work/peer.log" 2>&1 &
peer_pid=$!
for _ in $(seq 1 50); do [ -L "$link" ] && [ -e "$link" ] && break; sleep 0.1; done

TORVIK_PEER_DIR="$windows_dir" "$top/scripts/wine-exec.sh" "$driver" --gtest_filter="PeerLink.$case_name" \
  --gtest_brief=0 2>&1 | tr -d '\r' | tee "$work/driver.log"
driver_rc=${PIPESTATUS[0]}
kill -TERM "$peer_pid" 2>/dev/null
wait "$peer_pid"

echo "--- peer result"
cat "$work/result.txt"
failed=0
expect() {  # key=value lines the peer must have written
  local want
  for want in "$@"; do
    grep -qx "$want" "$work/result.txt" || { echo "peer result lacks $want"; failed=1; }
  done
}
absent() {
  local key
  for key in "$@"; do
    grep -q "^$key=" "$work/result.txt" && { echo "peer result has $key"; failed=1; }
  done
}

case $case_name in
  app_rs232)
    expect blocks_ok=200 image_written=1 garbage_sent=6
    "$default_image" "$work/expected.bin"
    cmp "$work/image.bin" "$work/expected.bin" || { echo "received image differs from the builder's"; failed=1; } ;;
  app_full)
    expect blocks_ok=200 image_written=1
    cmp "$work/image.bin" "$work/expected.bin" || { echo "received image differs from the builder's"; failed=1; } ;;
  app_cradle)
    expect blocks_ok=200 image_written=1 cradle_switched_to=115200 final_rate=115200 cradle_answers=1
    absent rate_mismatch_bytes block_errors
    "$default_image" "$work/expected.bin"
    cmp "$work/image.bin" "$work/expected.bin" || { echo "received image differs from the builder's"; failed=1; } ;;
  no_cradle) absent hello_count ;;
  old_version) expect hello_count=1 nak_received=1; absent blocks_ok ;;
  full_at_block) expect blocks_ok=57 full_sent=1 ;;
  lookup)
    expect lookup_lines=42 over_received=1
    absent line_errors
    # What the terminal stored is the file with every line ended by CR LF.
    { cat "$work/lookup.txt"; printf '\r\n'; } | cmp - "$work/lookup.out" || { echo "lookup lines differ"; failed=1; } ;;
  lookup_too_long) absent hello_count lookup_lines ;;
  check_cancel) absent hello_count ;;
  check_anyway)
    expect blocks_ok=200 image_written=1
    "$top/build/native/torvik-cli" image "$work/errors.tvx" -o "$work/expected.bin"
    cmp "$work/image.bin" "$work/expected.bin" || { echo "received image differs from the design's"; failed=1; } ;;
  lookup_line_feeds | lookup_check) absent hello_count lookup_lines ;;
  receive)
    expect records_acked=27 naks_received=1 over_sent=1
    seq 1 25 | while read -r i; do printf '%06d,4006381333931,%d\r\n' "$i" $(( (i - 1) % 97 + 1 )); done > "$work/expected.txt"
    cmp "$work/received.txt" "$work/expected.txt" || { echo "received records differ"; failed=1; } ;;
  receive_stops)
    expect records_acked=4
    seq 1 4 | while read -r i; do printf '%06d,4006381333931,%d\r\n' "$i" "$i"; done > "$work/expected.txt"
    cmp "$work/received.txt" "$work/expected.txt" || { echo "kept records differ"; failed=1; } ;;
  detect_cradle) expect cradle_answers=1 ;;
esac

[ "$driver_rc" -eq 0 ] || { echo "driver failed ($driver_rc)"; failed=1; }
exit $failed
