#!/usr/bin/env bash
# Measures the transfers against the terminal peer, which paces its bytes at the line rate,
# over "RS-232": through the real program under Wine and through torvik-cli (native, on a
# pseudo-terminal). For each, the wall time, the line-rate bound (bytes crossing the line
# both ways x 10 bits / rate), their ratio and the processor time the program used. Prints;
# judges nothing. Needs `make native win` first (`make native` for the torvik-cli rows).
# Usage: bench/link_bench.sh [all|desktop|cli]
set -uo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$top"
which=${1:-all}
case $which in all | desktop | cli) ;; *) echo "usage: $0 [all|desktop|cli]"; exit 2 ;; esac
if [ "$which" != cli ]; then
  . scripts/display.sh
  . scripts/wine-session.sh
  trap torvik_end_wine_session EXIT
  torvik_begin_wine_session
fi

peer=build/native/tools/terminal_peer/terminal_peer
cli=build/native/torvik-cli
mkdir -p build/peer
# Wine shows the program by its Windows path; match this tree's own Torvik.exe only.
torvik_pattern="$(printf '%s' "$top/build/win/Torvik.exe" | sed 's/[^A-Za-z0-9]/./g')"
driver=build/win/gui_tests.exe
rates=(115200 57600 38400 19200 9600)

# run NAME TEST BAUD_ROW PEER_ARGS...
run() {
  local name=$1 test=$2 row=$3
  shift 3
  local work="$top/build/peer/bench_$name"
  mkdir -p "$work"
  rm -f "$work/result.txt" "$work/bench.txt" "$work/received.txt"
  [ "$test" = lookup ] && cp "$top/build/peer/bench_lookup.txt" "$work/lookup.txt"
  local project=""
  if [[ $name == download_full* ]]; then
    build/native/tools/terminal_peer/default_image --full "$work/full.tvx" "$work/expected.bin"
    project="Z:${work//\//\\}\\full.tvx"
  fi
  "$peer" --pty-link build/peer/com7 --result "$work/result.txt" --pace --timeout 900 "$@" >/dev/null 2>&1 &
  local pid=$!
  for _ in $(seq 1 50); do [ -e build/peer/com7 ] && break; sleep 0.1; done
  # Samples Torvik's processor time from /proc (Wine does not report another process's):
  # "seconds-since-start cpu-seconds" every 0.1 s while it runs.
  (
    t0=$(date +%s.%N)
    while sleep 0.1; do
      p=$(pgrep -f -- "$torvik_pattern" | head -1)
      [ -n "$p" ] || continue
      ticks=$(awk '{print $14 + $15}' "/proc/$p/stat" 2>/dev/null) || continue
      echo "$(echo "$(date +%s.%N) - $t0" | bc) $(echo "scale=3; $ticks / $(getconf CLK_TCK)" | bc)"
    done
  ) >"$work/cpu.txt" 2>/dev/null &
  local sampler=$!
  TORVIK_PEER_DIR="Z:${work//\//\\}" TORVIK_BENCH_BAUD_ROW=$row TORVIK_BENCH_PROJECT=$project scripts/wine-exec.sh "$driver" \
    --gtest_filter="PeerBench.$test" >"$work/driver.log" 2>&1 || echo "$name: driver failed (see $work/driver.log)"
  kill "$sampler" 2>/dev/null
  wait "$sampler" 2>/dev/null
  kill -TERM "$pid" 2>/dev/null
  wait "$pid"
  local rate=${rates[$row]}
  local sent received wall cpu
  sent=$(sed -n 's/^bytes_sent=//p' "$work/result.txt")
  received=$(sed -n 's/^bytes_received=//p' "$work/result.txt")
  wall=$(sed -n 's/^wall_ms=//p' "$work/bench.txt" 2>/dev/null)
  # The processor time over the last `wall` seconds of Torvik's samples: the transfer, then
  # the closing message box.
  cpu=$(awk -v w="${wall:-0}" '{ t[NR] = $1; c[NR] = $2 } END {
    if (NR == 0) { print 0; exit }
    from = c[1]; for (i = 1; i <= NR; i++) if (t[i] <= t[NR] - w / 1000 - 0.2) from = c[i];
    print c[NR] - from }' "$work/cpu.txt")
  report "$name" "$rate" "${sent:-0}" "${received:-0}" "${wall:-0}" "${cpu:-0}"
}

# report NAME RATE BYTES_SENT BYTES_RECEIVED WALL_MS CPU_SECONDS
report() {
  awk -v n="$1" -v r="$2" -v s="$3" -v v="$4" -v w="$5" -v c="$6" 'BEGIN {
    bytes = s + v; bound = bytes * 10 / r; wall = w / 1000;
    printf "%-30s %7d bit/s %9d bytes  wall %8.2f s  bound %8.2f s  ratio %5.3f  cpu %6.2f s (%4.1f%% of wall)\n",
           n, r, bytes, wall, bound, (bound > 0 ? wall / bound : 0), c, (wall > 0 ? 100 * c / wall : 0) }'
}

# run_cli NAME BAUD_ROW COMMAND OPERAND PEER_ARGS...: one transfer through torvik-cli; its
# wall and processor time are the whole process's, start and design reading included.
run_cli() {
  local name=$1 row=$2 command=$3 operand=$4
  shift 4
  local work="$top/build/peer/bench_cli_$name"
  rm -rf "$work"
  mkdir -p "$work"
  local line="$work/line" rate=${rates[$row]}
  "$peer" --pty-link "$line" --result "$work/result.txt" --pace --timeout 900 "$@" >/dev/null 2>&1 &
  local pid=$!
  for _ in $(seq 1 50); do [ -e "$line" ] && break; sleep 0.1; done
  local times
  times=$( { TIMEFORMAT='%R %U %S'; time "$cli" "$command" "$operand" --port "$line" --rate "$rate" >"$work/cli.log" 2>&1; } 2>&1 ) ||
    echo "$name: torvik-cli failed (see $work/cli.log)"
  kill -TERM "$pid" 2>/dev/null
  wait "$pid"
  local sent received
  sent=$(sed -n 's/^bytes_sent=//p' "$work/result.txt")
  received=$(sed -n 's/^bytes_received=//p' "$work/result.txt")
  local real user sys
  read -r real user sys <<<"$times"
  report "cli.$name" "$rate" "${sent:-0}" "${received:-0}" "$(echo "$real * 1000" | bc)" "$(echo "$user + $sys" | bc)"
}

# A lookup file of 1 MB: 22,310 lines of 47 bytes (45 and CR LF).
awk 'BEGIN { for (i = 1; i <= 22310; i++) printf "%06d,4006381333931,Article %-11d,%4d\r\n", i, i, i % 1000 }' \
  > build/peer/bench_lookup.txt
printf 'Lookup file: %d bytes\n' "$(stat -c %s build/peer/bench_lookup.txt)"

if [ "$which" != cli ]; then
  run download_default_115200 download 0 --mode app
  run download_default_9600 download 4 --mode app
  run download_full_115200 download 0 --mode app
  run download_full_9600 download 4 --mode app
  run lookup_1MB_115200 lookup 0 --mode lookup
  run receive_1000_115200 receive 0 --mode receive --record-count 1000
fi

if [ "$which" != desktop ]; then
  build/native/tools/terminal_peer/default_image --new build/peer/bench_new.tvx build/peer/bench_new.bin
  build/native/tools/terminal_peer/default_image --full build/peer/bench_full.tvx build/peer/bench_full.bin
  run_cli download_default_115200 0 download "$top/build/peer/bench_new.tvx" --mode app
  run_cli download_default_9600 4 download "$top/build/peer/bench_new.tvx" --mode app
  run_cli download_full_115200 0 download "$top/build/peer/bench_full.tvx" --mode app
  run_cli download_full_9600 4 download "$top/build/peer/bench_full.tvx" --mode app
  run_cli lookup_1MB_115200 0 lookup "$top/build/peer/bench_lookup.txt" --mode lookup
  rm -f build/peer/bench_cli_receive.txt
  run_cli receive_1000_115200 0 receive "$top/build/peer/bench_cli_receive.txt" --mode receive --record-count 1000
fi
