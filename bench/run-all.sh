#!/usr/bin/env bash
# Runs every benchmark of the game next to its floor and prints one table:
# figure, game, floor, ratio, goal, met or missed.
#
#   bench/run-all.sh [BUILD_DIR]        default: build (configure and build it first)
#
# Takes about twelve minutes, most of it in real time (a whole game is 81 s, and the countdown,
# the music loop and the wave latencies play in real time too). Figures swing with whatever else
# the machine does: run it when the machine is quiet. STARTUP_RUNS sets the number of timed
# start-ups of each program (default 15; two more of each warm the caches first).
set -euo pipefail
# Figures with a decimal point pass through sort -g and awk, and GNU time's labels are read back in
# English: under a locale with a decimal comma or translated labels they would come out wrong. The
# game is measured as it starts for a player of its own language.
export LC_ALL=C.UTF-8 LANGUAGE=de
cd "$(dirname "$0")/.."
root=$(pwd)
build=$(cd "${1:-build}" && pwd)
bench=$build/bench
startup_runs=${STARTUP_RUNS:-15}

for program in "$build/brummo" "$bench/floor_qt_window" "$bench/floor_splash" "$bench/floor_sdl_midi" "$bench/firstpaint" \
               "$bench/countdown" "$bench/presstoscore" "$bench/wavelatency" "$bench/musicgap" "$bench/wavladen"; do
  [ -x "$program" ] || { echo "missing $program: build first (cmake --build $build)" >&2; exit 2; }
done

# A desktop session has a session bus; without one, Qt and SDL each try to start a bus daemon
# during start-up, which a player never waits for.
if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ]; then
  exec dbus-run-session -- bash "$0" "$@"
fi

work=$(mktemp -d)
results=$work/results
: >"$results"
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"

xvfb_pid=
game_pid=
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# A screen of our own, black root (firstpaint relies on it), no window manager.
display=
for n in $(seq 91 120); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=:$n; break; fi
done
Xvfb "$display" -br -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
export DISPLAY=$display
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

result() { echo "$1 $2" >>"$results"; }
median() { sort -g | awk '{v[NR]=$1} END {if (NR%2) print v[(NR+1)/2]; else print (v[NR/2]+v[NR/2+1])/2}'; }
note() { echo "== $*" >&2; }

note "machine load before: $(cut -d' ' -f1-3 /proc/loadavg)"

# --- Start-up: process start to the first paint of the first window -------------------------
# Floors: the bare window, and the splash window's content shown the plainest way (at 1x and on a
# desktop scaled to 2x, where the game shows its pictures drawn for that scale).
note "start-up, $startup_runs runs of each program, alternating"
startup_programs=("floor $bench/floor_qt_window" "splash_floor $bench/floor_splash" "game $build/brummo"
                  "splash_floor_2x $bench/floor_splash" "game_2x $build/brummo")
for entry in "${startup_programs[@]}"; do : >"$work/startup.${entry%% *}"; done
for i in $(seq $((startup_runs + 2))); do
  line="   run $i"
  for entry in "${startup_programs[@]}"; do
    name=${entry%% *}; program=${entry#* }
    scale=1; [[ $name == *_2x ]] && scale=2
    paint=$(QT_SCALE_FACTOR=$scale SDL_AUDIODRIVER=dummy "$bench/firstpaint" -- "$program" 2>/dev/null)
    [ "$i" -gt 2 ] && echo "$paint" | awk '{print $4}' >>"$work/startup.$name"
    line="$line  $name: $(echo "$paint" | awk '{print $4}')"
  done
  echo "$line" >&2
done
for entry in "${startup_programs[@]}"; do
  name=${entry%% *}
  result "startup_${name}_ms" "$(median <"$work/startup.$name")"
done

# --- Process figures from /proc ----------------------------------------------------------------
hz=$(getconf CLK_TCK)
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
switches() { cat /proc/"$1"/task/*/status 2>/dev/null | awk '/ctxt_switches/ {s += $2} END {print s}'; }
# Average CPU (% of one core) and context switches per second of process $1 over $2 seconds.
watch_process() {
  local pid=$1 seconds=$2 c0 s0 t0 c1 s1 t1
  c0=$(cpu_ticks "$pid"); s0=$(switches "$pid"); t0=$(date +%s.%N)
  sleep "$seconds"
  c1=$(cpu_ticks "$pid"); s1=$(switches "$pid"); t1=$(date +%s.%N)
  awk -v c="$((c1 - c0))" -v s="$((s1 - s0))" -v t0="$t0" -v t1="$t1" -v hz="$hz" \
    'BEGIN {printf "%.2f %.1f\n", 100 * c / hz / (t1 - t0), s / (t1 - t0)}'
}
# Which threads woke how often (context switches per second) and used how much CPU over $2 seconds.
thread_snapshot() {
  for t in /proc/"$1"/task/*; do
    echo "$(basename "$t") $(tr ' ' _ <"$t/comm") $(awk '/ctxt_switches/ {s += $2} END {print s}' "$t/status") $(awk '{print $14 + $15}' "$t/stat")"
  done 2>/dev/null | sort
}
thread_wakeups() {
  local pid=$1 seconds=$2 before after
  before=$(thread_snapshot "$pid")
  sleep "$seconds"
  after=$(thread_snapshot "$pid")
  join <(echo "$before") <(echo "$after") | awk -v t="$seconds" -v hz="$hz" \
    '{w = ($6 - $3) / t; c = 100 * ($7 - $4) / hz / t; if (w >= 0.05 || c > 0) printf "      thread %-16s %6.1f wake-ups/s %6.2f %% CPU\n", $2, w, c}'
}
peak_rss_mb() { awk '/Maximum resident set size/ {printf "%.1f\n", $NF / 1024}' "$1"; }
child_of() { for _ in $(seq 100); do pgrep -P "$1" && return; sleep 0.05; done; }

# --- A whole game with music: memory, CPU, wake-ups ----------------------------------------------
note "a whole game under Xvfb, driven with xdotool (about two and a half minutes)"
SDL_AUDIODRIVER=dummy /usr/bin/time -v -o "$work/time.game" "$build/brummo" >/dev/null 2>&1 &
time_pid=$!
game_pid=$(child_of $time_pid)
# The main window follows the splash after three seconds.
main_window=$(xdotool search --all --sync --onlyvisible --pid "$game_pid" --name '^Brummo on the run$' | head -1)
sleep 2
note "  idle on the main window, 20 s"
read -r idle_cpu idle_switches < <(watch_process "$game_pid" 20)
thread_wakeups "$game_pid" 10 >&2
result idle_cpu_pct "$idle_cpu"; result idle_wakeups "$idle_switches"
# Start button: twips (0, 5640) size 6975 x 225, so its middle is at (232, 383) pixels.
xdotool mousemove --window "$main_window" 232 383 click 1
note "  game running, 81 s"
read -r game_cpu game_switches < <(watch_process "$game_pid" 40)
note "    after 40 s: VmHWM $(awk '/VmHWM/ {print $2 / 1024 " MB"}' /proc/$game_pid/status)"
thread_wakeups "$game_pid" 10 >&2
read -r game_cpu2 game_switches2 < <(watch_process "$game_pid" 29)
note "    after 80 s: VmHWM $(awk '/VmHWM/ {print $2 / 1024 " MB"}' /proc/$game_pid/status)"
result game_cpu_pct "$(awk -v a="$game_cpu" -v b="$game_cpu2" 'BEGIN {printf "%.2f", (40 * a + 29 * b) / 69}')"
result game_wakeups "$(awk -v a="$game_switches" -v b="$game_switches2" 'BEGIN {printf "%.1f", (40 * a + 29 * b) / 69}')"
sleep 4
note "  idle after the game, 20 s"
read -r after_cpu after_switches < <(watch_process "$game_pid" 20)
thread_wakeups "$game_pid" 10 >&2
result after_cpu_pct "$after_cpu"; result after_wakeups "$after_switches"
# "Brummo on the run beenden": frame at (7200, 0), button at (120, 1320) in it, 2775 x 375 twips.
xdotool mousemove --window "$main_window" 580 100 click 1
wait $time_pid || true
game_pid=
result game_peak_rss_mb "$(peak_rss_mb "$work/time.game")"

# Runs a floor program under /usr/bin/time, lets it settle, watches it, ends it, and records its
# CPU, wake-ups and peak RSS under the three names given.
measure_floor() {
  local settle=$1 seconds=$2 cpu_key=$3 wakeups_key=$4 rss_key=$5 cpu switches
  shift 5
  /usr/bin/time -v -o "$work/time.floor" "$@" >/dev/null 2>&1 &
  time_pid=$!
  game_pid=$(child_of $time_pid)
  sleep "$settle"
  read -r cpu switches < <(watch_process "$game_pid" "$seconds")
  kill -TERM "$game_pid"; wait $time_pid || true; game_pid=
  result "$cpu_key" "$cpu"; result "$wakeups_key" "$switches"
  result "$rss_key" "$(peak_rss_mb "$work/time.floor")"
}

note "floor: bare Qt window with SDL_mixer looping kol.mid, 40 s"
SDL_AUDIODRIVER=dummy measure_floor 3 37 floor_game_cpu_pct floor_game_wakeups floor_peak_rss_mb \
  "$bench/floor_sdl_midi" "$build/kol.mid"

note "floor: bare Qt window idle, 20 s"
measure_floor 2 20 floor_idle_cpu_pct floor_idle_wakeups floor_qt_peak_rss_mb "$bench/floor_qt_window"

# --- Countdown ------------------------------------------------------------------------------------
note "countdown of a whole game with the production timers, 82 s"
QT_QPA_PLATFORM=offscreen "$bench/countdown" | tee "$work/countdown" >&2
awk '/^RESULT/ {print $2, $3}' "$work/countdown" >>"$results"

# --- Press to score -------------------------------------------------------------------------------
note "press to score"
QT_QPA_PLATFORM=offscreen "$bench/presstoscore" --benchmark_out="$work/press.json" --benchmark_out_format=json >&2
python3 - "$work/press.json" >>"$results" <<'EOF'
import json, sys
for b in json.load(open(sys.argv[1]))["benchmarks"]:
    name = "_".join(b["name"].split("/")[:2])
    print(f"press_{name}_p50_us {b['p50_us']:.2f}")
    print(f"press_{name}_p99_us {b['p99_us']:.2f}")
EOF

# --- Wave latency ---------------------------------------------------------------------------------
note "wave latency: the game's WavAbspielen, then the floor's Mix_PlayChannel, music looping under both"
SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null "$bench/wavelatency" 40 | tee "$work/wave" >&2
SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null "$bench/floor_sdl_midi" --wave-latency "$build/crap.wav" 40 "$build/kol.mid" |
  tee -a "$work/wave" >&2
awk '/^RESULT/ {print $2, $3}' "$work/wave" >>"$results"

# --- Music loop gap -------------------------------------------------------------------------------
note "music loop gap (about 33 s)"
"$bench/musicgap" | tee "$work/musicgap" >&2
result musicgap_ms "$(sed -n 's/^music loop gap.*: \([0-9.]*\) ms$/\1/p' "$work/musicgap")"

# --- WavLaden -------------------------------------------------------------------------------------
note "WavLaden on 50 MB against plain read()"
"$bench/wavladen" --benchmark_out="$work/wavladen.json" --benchmark_out_format=json >&2
python3 - "$work/wavladen.json" >>"$results" <<'EOF'
import json, sys
for b in json.load(open(sys.argv[1]))["benchmarks"]:
    if b.get("aggregate_name") == "median":
        print(f"{b['run_name'].split('/')[0]}_mb_s {b['bytes_per_second'] / 1e6:.0f}")
EOF

note "machine load after: $(cut -d' ' -f1-3 /proc/loadavg)"
note "raw figures:"
sed 's/^/   /' "$results" >&2

# --- The table ------------------------------------------------------------------------------------
python3 - "$results" <<'EOF'
import sys
r = {}
for line in open(sys.argv[1]):
    key, value = line.split()
    r[key] = float(value)

rows = []
def row(figure, game, floor, unit, goal_text, met, ratio=None):
    if ratio is None and floor not in (None, 0):
        ratio = game / floor
    rows.append((figure, f"{game:g} {unit}", "-" if floor is None else f"{floor:g} {unit}",
                 "-" if ratio is None else f"{ratio:.2f}", goal_text, "met" if met else "MISSED"))

f, g = r["startup_splash_floor_ms"], r["startup_game_ms"]
row("start-up to first paint (median)", g, f, "ms", "<= 1.1 x floor", g <= 1.1 * f)
f, g = r["startup_splash_floor_2x_ms"], r["startup_game_2x_ms"]
row("start-up to first paint, scale 2", g, f, "ms", "<= 1.1 x floor", g <= 1.1 * f)
f, g = r["floor_peak_rss_mb"], r["game_peak_rss_mb"]
row("peak RSS, whole game with music", g, f, "MB", "<= 1.3 x floor", g <= 1.3 * f)
e = r["countdown_end_error_ms"]
row("countdown: game end vs 81.000 s", e, None, "ms", "<= 5 ms", e <= 5)
d = r["countdown_drift_ms_per_tick"]
row("countdown: drift per tick", d, None, "ms", "~ 0 (< 0.05)", abs(d) < 0.05)
f, g = r["press_processing_floor_p50_us"], r["press_processing_game_p50_us"]
row("press to score, processing (median)", g, f, "us", "< 1000 us", g < 1000)
f, g = r["press_endToEnd_floor_p99_us"], r["press_endToEnd_game_p99_us"]
row("press to score painted (99th pct)", g, f, "us", "< 16667 us (a frame)", g < 16667)
f, g = r["floor_wave_latency_median_ms"], r["wave_latency_median_ms"]
row("wave latency (median)", g, f, "ms", "<= 15 ms", g <= 15)
f, g = r["floor_wave_latency_max_ms"], r["wave_latency_max_ms"]
row("wave latency (worst of 40)", g, f, "ms", "<= 15 ms", g <= 15)
g = r["musicgap_ms"]
row("music loop gap", g, None, "ms", "<= 50 ms", g <= 50, ratio=g / 50)
f, g = r["floor_game_cpu_pct"], r["game_cpu_pct"]
row("CPU during a game with music", g, f, "%", "<= 1.3 x floor", g <= 1.3 * f)
f, g = r["floor_idle_cpu_pct"], r["idle_cpu_pct"]
row("CPU idle on the main window", g, f, "%", "~ 0 (<= 0.1 %)", g <= 0.1, ratio=None if f == 0 else g / f)
f, g = r["floor_idle_wakeups"], r["idle_wakeups"]
row("wake-ups/s idle on the main window", g, f, "/s", "~ 0 (<= 2 /s)", g <= 2, ratio=None if f == 0 else g / f)
f, g = r["plainRead_mb_s"], r["WavLaden_mb_s"]
row("WavLaden throughput, 50 MB", g, f, "MB/s", ">= 0.8 x floor", g >= 0.8 * f)

print()
print("also measured: CPU idle after a game %.2f %% (%.1f wake-ups/s); peak RSS of the bare Qt window %.1f MB; "
      "wake-ups/s during the game %.1f, floor %.1f" % (r["after_cpu_pct"], r["after_wakeups"], r["floor_qt_peak_rss_mb"],
                                                        r["game_wakeups"], r["floor_game_wakeups"]))
print("start-up of the bare Qt window (the former floor) %.1f ms: game %.2f x, splash floor %.2f x"
      % (r["startup_floor_ms"], r["startup_game_ms"] / r["startup_floor_ms"],
         r["startup_splash_floor_ms"] / r["startup_floor_ms"]))
print()
head = ("figure", "game", "floor", "ratio", "goal", "")
widths = [max(len(str(x[i])) for x in rows + [head]) for i in range(6)]
line = lambda cells: "| " + " | ".join(str(c).ljust(w) for c, w in zip(cells, widths)) + " |"
print(line(head))
print("|" + "|".join("-" * (w + 2) for w in widths) + "|")
for x in rows:
    print(line(x))
EOF
