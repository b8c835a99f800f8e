#!/usr/bin/env bash
# Prints the performance table: every figure beside its floor, measured in this run on this machine.
#   bench/report.sh [build-dir]
#   BEFORE=other/taskarello bench/report.sh   also times another build's start-up in the same rounds
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
runs=${RUNS:-7}
export QT_QPA_PLATFORM=offscreen

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# A store of 300 active chores, written as the app writes them.
store_dir="$tmp/data/Taskarello/Taskarello"
mkdir -p "$store_dir"
XDG_DATA_HOME="$tmp/data" "$build/taskarello" --quit-after-first-frame >/dev/null 2>&1 || true
now_ms=$(( $(date +%s) * 1000 ))
{
  echo "BEGIN;"
  for i in $(seq 1 300); do
    echo "INSERT INTO Chore (title, colorComponents, startDate, dueDate, notify, notificationTime) VALUES ('Chore $i', '{\"red\":0.2,\"green\":0.5,\"blue\":0.8}', $now_ms, $(( now_ms + (i % 90) * 86400000 )), 0, 32400);"
  done
  echo "COMMIT;"
} | sqlite3 "$store_dir/chores.sqlite"

# The same 300 beside 100,000 finished ones, a minute apart, newest an hour ago.
big_dir="$tmp/big/Taskarello/Taskarello"
mkdir -p "$big_dir"
cp "$store_dir/chores.sqlite" "$big_dir/chores.sqlite"
sqlite3 "$big_dir/chores.sqlite" "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 100000)
  INSERT INTO Chore (title, colorComponents, startDate, dueDate, endDate, notify, notificationTime)
  SELECT 'Finished chore ' || i, '{\"red\":0.2,\"green\":0.5,\"blue\":0.8}', $now_ms - i * 60000 - 86400000,
         $now_ms - i * 60000, $now_ms - 3600000 - i * 60000, 0, 32400 FROM n;"

# The same 300, a third of them repeating by rules of every kind the editor makes.
rec_dir="$tmp/rec/Taskarello/Taskarello"
mkdir -p "$rec_dir"
cp "$store_dir/chores.sqlite" "$rec_dir/chores.sqlite"
sqlite3 "$rec_dir/chores.sqlite" "INSERT INTO ChoreRecurrence (chore, rule, afterFinishing)
  SELECT id, CASE id % 4 WHEN 0 THEN 'FREQ=DAILY;INTERVAL=3' WHEN 1 THEN 'FREQ=WEEKLY;BYDAY=WE'
                         WHEN 2 THEN 'FREQ=MONTHLY;INTERVAL=2' ELSE 'FREQ=YEARLY' END, id % 2
  FROM Chore WHERE id % 3 = 0;"

# The same 300, two thirds of them for one member of a household, half of those taking turns.
asg_dir="$tmp/asg/Taskarello/Taskarello"
mkdir -p "$asg_dir"
cp "$store_dir/chores.sqlite" "$asg_dir/chores.sqlite"
sqlite3 "$asg_dir/chores.sqlite" "INSERT INTO ChorePeople (chore, assignee, turns)
  SELECT id, CASE id % 3 WHEN 1 THEN 'Alice' ELSE 'Bob' END,
         CASE id % 2 WHEN 0 THEN 'Alice' || char(10) || 'Bob' || char(10) || 'Sam' ELSE '' END
  FROM Chore WHERE id % 3 != 0;"

# Peak resident memory in KiB (GNU time's maximum resident set size).
peak_kib() {
  /usr/bin/time -f '%M' "$@" 2>&1 >/dev/null | tail -1
}

# Wall time of one run, in milliseconds.
once_ms() {
  local start end
  start=$(date +%s%N)
  "$@" >/dev/null 2>&1
  end=$(date +%s%N)
  echo $(( (end - start) / 1000000 ))
}
median() { sort -n | sed -n "$(( (runs + 1) / 2 ))p"; }

# Start-up rounds alternate the programs, so a busy machine slows each of them alike.
app_times=() big_times=() rec_times=() asg_times=() bare_times=() before_times=()
for _ in $(seq "$runs"); do
  app_times+=("$(XDG_DATA_HOME="$tmp/data" once_ms "$build/taskarello" --quit-after-first-frame)")
  big_times+=("$(XDG_DATA_HOME="$tmp/big" once_ms "$build/taskarello" --quit-after-first-frame)")
  rec_times+=("$(XDG_DATA_HOME="$tmp/rec" once_ms "$build/taskarello" --quit-after-first-frame)")
  asg_times+=("$(XDG_DATA_HOME="$tmp/asg" once_ms "$build/taskarello" --quit-after-first-frame)")
  bare_times+=("$(once_ms "$build/bench/bare_window")")
  if [ -n "${BEFORE:-}" ]; then
    before_times+=("$(XDG_DATA_HOME="$tmp/data" once_ms "$BEFORE" --quit-after-first-frame)")
  fi
done
app_ms=$(printf '%s\n' "${app_times[@]}" | median)
big_ms=$(printf '%s\n' "${big_times[@]}" | median)
rec_ms=$(printf '%s\n' "${rec_times[@]}" | median)
asg_ms=$(printf '%s\n' "${asg_times[@]}" | median)
bare_ms=$(printf '%s\n' "${bare_times[@]}" | median)
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2fx", a / b; else print "-" }'; }

echo "| what | Taskarello | floor | ratio |"
echo "|---|---|---|---|"
echo "| start-up to first frame, 300 active chores (median of $runs) | ${app_ms} ms | bare Qt Quick window ${bare_ms} ms | $(ratio "$app_ms" "$bare_ms") |"
echo "| start-up to first frame, 300 active + 100,000 finished (median of $runs) | ${big_ms} ms | 300 active + 0 finished ${app_ms} ms | $(ratio "$big_ms" "$app_ms") |"
echo "| start-up to first frame, 300 active of which 100 repeat (median of $runs) | ${rec_ms} ms | 300 that do not ${app_ms} ms | $(ratio "$rec_ms" "$app_ms") |"
echo "| start-up to first frame, 300 active of which 200 assigned (median of $runs; aim at most 1.05x) | ${asg_ms} ms | 300 for anyone ${app_ms} ms | $(ratio "$asg_ms" "$app_ms") |"
if [ -n "${BEFORE:-}" ]; then
  before_ms=$(printf '%s\n' "${before_times[@]}" | median)
  echo "| start-up as above, $BEFORE (same rounds) | ${before_ms} ms | bare Qt Quick window ${bare_ms} ms | $(ratio "$before_ms" "$bare_ms") |"
fi
if [ -x /usr/bin/time ]; then
  app_kib=$(XDG_DATA_HOME="$tmp/data" peak_kib "$build/taskarello" --quit-after-first-frame)
  bare_kib=$(peak_kib "$build/bench/bare_window")
  big_kib=$(XDG_DATA_HOME="$tmp/big" peak_kib "$build/taskarello" --quit-after-first-frame)
  echo "| peak memory (RSS), 300 active chores | $(( app_kib / 1024 )) MiB | bare window $(( bare_kib / 1024 )) MiB | $(ratio "$app_kib" "$bare_kib") |"
  echo "| peak memory (RSS), 300 active + 100,000 finished | $(( big_kib / 1024 )) MiB | 300 active + 0 finished $(( app_kib / 1024 )) MiB | $(ratio "$big_kib" "$app_kib") |"
fi
"$build/bench/store_bench" --benchmark_format=csv 2>/dev/null | awk -F, '
  /^"StoreOpenAndFetchActive300\/0\/0"/ { store = $3 } /^"RawSqliteOpenAndFetchActive300\/0"/ { raw = $3 }
  /^"StoreOpenAndFetchActive300\/0\/1"/ { big = $3 } /^"RawSqliteOpenAndFetchActive300\/1"/ { rawbig = $3 }
  /^"StoreFirstWriteAfterOpening\/0"/ { fw = $3 } /^"StoreFirstWriteAfterOpening\/1"/ { fwbig = $3 }
  /^"StoreFieldAssignment"/ { sa = $3 } /^"RawSqliteFieldAssignment"/ { ra = $3 }
  /^"StoreInsert1000"/ { si = $3 } /^"RawSqliteInsert1000"/ { ri = $3 }
  /^"JournalOpen\/0"/ { jo = $3 } /^"JournalOpen\/1"/ { jc = $3 }
  /^"StoreOpenRepeating20000\/0"/ { rp = $3 } /^"StoreOpenRepeating20000\/1"/ { rr = $3 }
  /^"FinishedByMember\/0"/ { fm = $3 } /^"FinishedByMember\/1"/ { fd = $3 }
  END {
    printf "| open 10,000 chores + both sorted queries, first 300 | %.1f ms | raw SQLite %.1f ms | %.2fx |\n", store, raw, store / raw
    printf "| open 300 active + 100,000 finished + both sorted queries | %.1f ms | raw SQLite %.1f ms | %.2fx |\n", big, rawbig, big / rawbig
    printf "| first write after opening (checks the whole file once), 300 active + 100,000 finished | %.1f ms | 10,000 chores %.1f ms | %.2fx |\n", fwbig, fw, fwbig / fw
    printf "| one write-through field assignment | %.1f µs | raw SQLite %.1f µs | %.2fx |\n", sa, ra, sa / ra
    printf "| insert 1,000 chores, one transaction each | %.1f ms | raw SQLite %.1f ms | %.2fx |\n", si, ri, si / ri
    printf "| open 20,000 active chores that repeat, 40 exceptions each, first 300 (aim at most 1.1x) | %.1f ms | 20,000 that do not %.1f ms | %.2fx |\n", rr, rp, rr / rp
    printf "| who finished what: per-member counts of 100,000 finished copies, 400 days (aim: within one 60 Hz frame, 16.7 ms) | %.1f ms | the calendar'"'"'s day counts of the same days %.1f ms | %.2fx |\n", fm, fd, fm / fd
    printf "| open the journal with its calendar of twelve months, 300 active + 100,000 finished (aim: within one 60 Hz frame, 16.7 ms, of the journal without it) | %.1f ms | the journal without it %.1f ms | +%.1f ms |\n", jc, jo, jc - jo
  }'
# Sync against a Radicale the program starts on 127.0.0.1, beside curl making the same requests in the same run.
if [ -x "$build/bench/sync_bench" ] && command -v curl >/dev/null; then
  sync_rounds=${SYNC_ROUNDS:-3}
  "$build/bench/sync_bench" "$sync_rounds" 1000 2>/dev/null | awk -F, -v rounds="$sync_rounds" '
    function ratio(a, b) { return b > 0 ? sprintf("%.2fx", a / b) : "-" }
    $1 == "first_sync" {
      printf "| first sync, 1,000 chores up, %d requests (median of %d; aim at most 1.5x) | %.0f ms | curl, same %d requests, the PUTs 4 in parallel on kept-alive connections, %.0f ms | %s |\n", $4, rounds, $2, $5, $3, ratio($2, $3) }
    $1 == "pull" {
      printf "| second device'"'"'s first sync, 1,000 chores down, %d requests (median of %d; aim at most 1.5x) | %.0f ms | curl, same %d requests one after another on one connection, %.0f ms | %s |\n", $4, rounds, $2, $5, $3, ratio($2, $3) }
    $1 == "unchanged" {
      printf "| sync with nothing changed, %d request (median; aim at most 1.5x) | %.1f ms | curl, the same REPORT, its own time for it, %.1f ms | %s |\n", $4, $2, $3, ratio($2, $3) }'
fi
# Peak memory of one sync: a 60 MiB listing from a hostile server beside a calendar of 1,000 chores.
if [ -x "$build/bench/sync_bench" ]; then
  peak() { # MODE ARGS...: the sync's peak RSS in KiB against tests/Sync/hostile_dav.py in that mode
    local log="$tmp/hostile-$1.log"
    (sleep 120 | python3 tests/Sync/hostile_dav.py --mode "$@" >"$log") &
    for _ in $(seq 50); do [ -s "$log" ] && break; sleep 0.1; done
    "$build/bench/sync_bench" rss "http://127.0.0.1:$(head -1 "$log" | cut -d' ' -f2)/dav/user/cal/" | cut -d, -f2
  }
  huge=$(peak huge-listing)
  normal=$(peak big-calendar --tasks 1000)
  echo "| peak memory (RSS), one sync against a 60 MiB listing (aim at most 2x) | $((huge / 1024)) MiB | one sync of 1,000 chores $((normal / 1024)) MiB | $(ratio "$huge" "$normal") |"
fi
if [ -x "$build/bench/scroll_bench" ]; then
  full=$("$build/bench/scroll_bench" 300 2>/dev/null | sed -E 's/.*mean ([0-9.]+) ms.*/\1/')
  empty=$("$build/bench/scroll_bench" 0 2>/dev/null | sed -E 's/.*mean ([0-9.]+) ms.*/\1/')
  echo "| scrolling the grid, mean frame (offscreen, 240 frames) | ${full} ms | empty grid ${empty} ms | $(ratio "$full" "$empty") |"
fi
if [ -x "$build/bench/layout_bench" ]; then
  "$build/bench/layout_bench" --benchmark_format=console 2>/dev/null | grep -E '^[A-Za-z]' | sed 's/^/    /' || true
fi
if command -v dbus-run-session >/dev/null && [ -x "$build/bench/bare_dbus_app" ]; then
  XDG_DATA_HOME="$tmp/data" BUILD="$build" dbus-run-session -- bench/background.sh 2>/dev/null
fi
