#!/usr/bin/env bash
# Rows of the performance table for the app running with its window closed. Runs inside a
# session bus of its own (report.sh starts it with dbus-run-session).
#   BUILD=build XDG_DATA_HOME=... IDLE_SECONDS=60 bench/background.sh
set -euo pipefail
build=${BUILD:-build}
idle=${IDLE_SECONDS:-60}
export QT_QPA_PLATFORM=offscreen

# Context switches of every thread of a process: each is a wake-up.
switches() {
  local total=0
  for f in /proc/"$1"/task/*/status; do
    total=$(( total + $(awk '/ctxt_switches/ { s += $2 } END { print s }' "$f") ))
  done
  echo "$total"
}
peak_kib() { awk '/VmHWM/ { print $2 }' /proc/"$1"/status; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2fx", a / b; else print "-" }'; }

"$build/taskarello" --background >/dev/null 2>&1 &
app=$!
"$build/bench/bare_dbus_app" >/dev/null 2>&1 &
bare=$!
trap 'kill $app $bare 2>/dev/null || true' EXIT
sleep 3
app_kib=$(peak_kib $app)
bare_kib=$(peak_kib $bare)
before=$(switches $app)
sleep "$idle"
after=$(switches $app)
echo "| peak memory (RSS), window closed, 300 active chores | $(( app_kib / 1024 )) MiB | bare QGuiApplication on D-Bus $(( bare_kib / 1024 )) MiB | $(ratio "$app_kib" "$bare_kib") |"
echo "| wake-ups with the window closed (context switches in ${idle} s) | $(( after - before )) | at most $(( idle / 60 )) a minute | - |"
