#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The netquiz developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds netquiz and its benchmarks and prints one table: netquiz against the floor programs,
# measured side by side in the same run. usage: bash bench/run.sh [pairs] [handover-runs]
set -euo pipefail
cd "$(dirname "$0")/.."
pairs=${1:-15}
runs=${2:-50}
bash tools/deps.sh
command -v valgrind >/dev/null || { sudo=""; [ "$(id -u)" -eq 0 ] || sudo=sudo; $sudo apt-get install -y --no-install-recommends valgrind; }
cmake --preset release >/dev/null
cmake --build --preset bench >/dev/null
b=build/bench
export LC_ALL=C.UTF-8 QT_QPA_PLATFORM=offscreen
stat() { python3 -c 'import statistics,sys; v=[float(x) for x in sys.argv[1:]]; print("%.1f" % statistics.median(v))' "$@"; }

# Time to first prompt: process start to the prompt exposed; A B A B after a warm-up pair.
# Start times on CLOCK_MONOTONIC come from a tiny launcher, so both clocks agree.
launch() { python3 - "$@" <<'PY'
import os, subprocess, sys, time
start = time.clock_gettime_ns(time.CLOCK_MONOTONIC)
out = subprocess.run(sys.argv[1:], capture_output=True, text=True, env=os.environ).stdout
for line in out.splitlines():
    if line.startswith("prompt_ns"):
        print("%.3f" % ((int(line.split()[1]) - start) / 1e6))
PY
}
first_prompt_row() { # platform label [build folder of the benchmarks]
  local a=() f=() ratios=() dir=${3:-$b}
  for i in $(seq 0 "$pairs"); do
    local ta tb
    ta=$(QT_QPA_PLATFORM=$1 launch $dir/netquiz_bench first-prompt)
    tb=$(QT_QPA_PLATFORM=$1 launch $dir/floor_prompt first-prompt)
    [ "$i" -eq 0 ] && continue
    a+=("$ta"); f+=("$tb"); ratios+=("$(python3 -c "print($ta/$tb)")")
  done
  printf '| time to first prompt, %s (ms, %d pairs) | %s | %s | %s | 1.10 |\n' "$2" "$pairs" "$(stat "${a[@]}")" "$(stat "${f[@]}")" "$(python3 -c "import statistics,sys; print('%.2f' % statistics.median([float(x) for x in sys.argv[1:]]))" "${ratios[@]}")"
}

echo "| measure | netquiz | floor | ratio | budget |"
echo "|---|---|---|---|---|"
first_prompt_row offscreen offscreen
if command -v Xvfb >/dev/null; then
  Xvfb :91 -screen 0 1280x1024x24 -noreset -nolisten tcp >/dev/null 2>&1 & xvfb=$!
  sleep 1
  DISPLAY=:91 first_prompt_row xcb "Xvfb"
  kill $xvfb
fi
# The same with Qt 5.15 (the release-qt5 build, for distributions whose Qt 6 is older): netquiz
# against the same bare prompt, both built with Qt 5.15.
cmake --preset release-qt5 >/dev/null
cmake --build --preset bench-qt5 >/dev/null
first_prompt_row offscreen "offscreen, Qt 5.15" build-qt5/bench

# The teacher's results: 40 journals of 1,000 lines, one folder per computer, as a class's
# collected journals. The view from process start to its table painted; its floor is reading and
# splitting the same bytes with no view plus Qt's start of an empty window. The CSV export from
# process start to exit against the same reading floor, also start to exit.
journals=$(mktemp -d)
trap 'rm -rf "$journals"' EXIT
python3 - "$journals" <<'PY'
import os, random, sys
random.seed(12)
topic = "Тема: Чи контактують між собою комп'ютери"
first = ["Іван", "Олена", "Марія", "Тарас", "Ярина", "Остап", "Дарина", "Максим", "Софія", "Назар"]
last = ["Петренко", "Коваль", "Бондар", "Шевченко", "Гнатюк", "Мельник", "Ткаченко", "Лисенко", "Кравець", "Олійник"]
for pc in range(40):
    folder = os.path.join(sys.argv[1], "pc%02d" % pc)
    os.makedirs(folder)
    lines = ["%s - %s %s - %s - %02d.11.26 - Оцінка - %d\r\n" % (topic, random.choice(last), random.choice(first),
             random.choice(["9-А", "9-Б", "10-А", "11-В"]), random.randint(1, 28), random.choice([1, 2, 5, 7, 10, 12]))
             for _ in range(1000)]
    open(os.path.join(folder, "1.txt"), "wb").write("".join(lines).encode("cp1251"))
PY
since_start() { python3 - "$@" <<'PY'
import os, subprocess, sys, time
start = time.clock_gettime_ns(time.CLOCK_MONOTONIC)
out = subprocess.run(sys.argv[1:], capture_output=True, text=True).stdout
marks = [l.split() for l in out.splitlines() if l.startswith("painted_ns")]
end = int(marks[0][1]) if marks else time.clock_gettime_ns(time.CLOCK_MONOTONIC)
print("%.3f" % ((end - start) / 1e6))
PY
}
view=(); csv=(); readf=(); window=()
for i in $(seq 0 "$pairs"); do
  v=$(since_start $b/results_bench "$journals"); r=$(since_start $b/results_floor read "$journals")
  w=$(since_start $b/results_floor window); c=$(since_start build/netquiz --results --csv "$journals/out.csv" "$journals")
  [ "$i" -eq 0 ] && continue
  view+=("$v"); readf+=("$r"); window+=("$w"); csv+=("$c")
done
V=$(stat "${view[@]}"); R=$(stat "${readf[@]}"); W=$(stat "${window[@]}"); C=$(stat "${csv[@]}")
printf '| results view, 40 × 1,000 lines, start to table painted (ms, %d runs) | %s | read %s + window %s | %.2f | 3.0 (view − window) / read |\n' "$pairs" "$V" "$R" "$W" "$(python3 -c "print(($V-$W)/$R)")"
printf '| results --csv, 40 × 1,000 lines, start to exit (ms, %d runs) | %s | read %s | %.2f | 2.0 |\n' "$pairs" "$C" "$R" "$(python3 -c "print($C/$R)")"

# A folder a pupil nested 1,000 deep (one mkdir -p on the share) beside the same 40 journals: what
# it adds to the CSV (start to exit) and to the view (start to table painted), medians against
# the medians above.
mkdir -p "$journals/pc99$(printf '/a%.0s' $(seq 1000))"
dview=(); dcsv=()
for i in $(seq 0 "$pairs"); do
  v=$(since_start $b/results_bench "$journals"); c=$(since_start build/netquiz --results --csv "$journals/out.csv" "$journals")
  [ "$i" -eq 0 ] && continue
  dview+=("$v"); dcsv+=("$c")
done
DV=$(stat "${dview[@]}"); DC=$(stat "${dcsv[@]}")
printf '| results, a folder nested 1,000 deep beside 40 × 1,000 lines: added to --csv / to the view (ms, %d runs) | %.1f / %.1f | | | 1000 / 1000 |\n' "$pairs" "$(python3 -c "print($DC-$C)")" "$(python3 -c "print($DV-$V)")"
rm -rf "$journals/pc99"

# The class report: 1,000 pupils (one line each, four classes) to a PDF of every page, from
# process start to exit.
python3 - "$journals/report" <<'PY'
import os, random, sys
random.seed(7)
topic = "Тема: Чи контактують між собою комп'ютери"
os.makedirs(sys.argv[1])
lines = ["%s - Учень%04d Прізвище%04d - %s - %02d.11.26 - Оцінка - %d\r\n" % (topic, i, i, ["9-А", "9-Б", "10-А", "11-В"][i % 4],
         random.randint(1, 28), random.randint(1, 12)) for i in range(1000)]
open(os.path.join(sys.argv[1], "1.txt"), "wb").write("".join(lines).encode("cp1251"))
PY
report=()
for i in $(seq 0 "$pairs"); do
  t=$(since_start build/netquiz --results --pdf "$journals/report.pdf" "$journals/report")
  [ "$i" -eq 0 ] && continue
  report+=("$t")
done
printf '| results --pdf, report of 1,000 pupils, start to exit (ms, %d runs) | %s | | | 2000 |\n' "$pairs" "$(stat "${report[@]}")"

# The results window at a school's scale (bench/results_journals.py writes the journals): a
# keystroke in the search box and a class picked, from the input to the table repainted, at
# 200,000 rows; the table's first paint and the longest stall while rows come in; with
# 1,000,000 rows the time until every row is in, the longest stall and the peak memory; the CPU
# of an open window left idle over 10,000 journals.
scale=$(mktemp -d)
trap 'rm -rf "$journals" "$scale"' EXIT
python3 bench/results_journals.py "$scale/200k" 200 1000
python3 bench/results_journals.py "$scale/1m" 1000 1000
python3 bench/results_journals.py "$scale/10k" 10000 4
since() { python3 - "$@" <<'PY'
import subprocess, sys, time
start = time.clock_gettime_ns(time.CLOCK_MONOTONIC)
out = subprocess.run(sys.argv[1:], capture_output=True, text=True).stdout
for l in out.splitlines():
    p = l.split()
    print(" ".join([p[0], "%.1f" % ((int(p[1]) - start) / 1e6)] + p[2:]) if p[0].endswith("_ns") else l)
PY
}
out=$(since $b/results_interact 200000 "$scale/200k")
read -r _ painted < <(grep painted_ns <<<"$out")
read -r _ _ _ _ _ stall < <(grep loaded_ns <<<"$out")
read -r _ kmed kworst _ pmed pworst _ _ _ _ < <(grep keystroke_ms <<<"$out")
printf '| results, 200,000 rows: keystroke in the search box to table repainted (ms, median / worst of 18) | %s / %s | | | 50 |\n' "$kmed" "$kworst"
printf '| results, 200,000 rows: class picked to table repainted (ms, median / worst of 8) | %s / %s | | | 50 |\n' "$pmed" "$pworst"
printf '| results, 200,000 rows: start to table painted (ms) / longest stall while reading (ms) | %s / %s | | | 500 / 500 |\n' "$painted" "$stall"
out=$(since $b/results_interact --sorted 200000 "$scale/200k")
read -r _ _ _ _ _ stall < <(grep loaded_ns <<<"$out")
read -r _ kmed kworst _ pmed pworst _ _ _ _ < <(grep keystroke_ms <<<"$out")
printf '| results, 200,000 rows sorted by name: keystroke / class picked to table repainted (ms, median / worst) | %s / %s, %s / %s | | | 50 |\n' "$kmed" "$kworst" "$pmed" "$pworst"
printf '| results, 200,000 rows sorted by name: longest stall while reading (ms) | %s | | | 500 |\n' "$stall"
out=$(since $b/results_interact 1000000 "$scale/1m")
read -r _ loaded _ _ _ stall < <(grep loaded_ns <<<"$out")
read -r _ _ _ _ _ _ _ _ _ peak < <(grep keystroke_ms <<<"$out")
printf '| results, 1,000,000 rows: start to every row in (ms) / longest stall while reading (ms) | %s / %s | | | stall 500 |\n' "$loaded" "$stall"
printf '| results, 1,000,000 rows: peak memory (MiB) | %.0f | | | 400 |\n' "$(python3 -c "print($peak/1024)")"
build/netquiz --results "$scale/10k" >/dev/null 2>&1 & view=$!
sleep 8 # read everything, then leave it idle
t0=$(awk '{print $14+$15}' /proc/$view/stat); sleep 10; t1=$(awk '{print $14+$15}' /proc/$view/stat)
kill $view
printf '| results, 10,000 journals open and idle: CPU over 10 s (%% of a core) | %.1f | | | 2 |\n' "$(python3 -c "print(($t1-$t0)/$(getconf CLK_TCK)/10*100)")"

# Class-list matching: 5,000 listed pupils against 5,000 results matched whole, and one line
# appended in the window (a listed pupil's first result, which also takes a missing row away).
read -r _ whole _ first _ repeat _ < <($b/results_match)
printf '| class list of 5,000 against 5,000 results, matched whole (ms) | %s | | | 1000 |\n' "$whole"
printf '| class lists in force: one line appended, first result / a repeat (ms, median of 20) | %s / %s | | | 20 |\n' "$first" "$repeat"

# Hand-overs: click to the next page painted, median and worst of the runs.
$b/netquiz_bench handover "$runs" 2>/dev/null | while read -r _ step _ med _ worst _ floor; do
  printf '| hand-over %s (ms, median / worst of %d) | %s / %s | %s | %.2f | 2.0 and < 8 ms |\n' "$step" "$runs" "$med" "$worst" "$floor" "$(python3 -c "print($med/$floor)")"
done

# Whole run CPU and peak memory, five runs each, medians.
cpu=(); mem=(); fmem=()
for i in 1 2 3 4 5; do
  read -r _ c _ m < <(timeout 60 $b/netquiz_bench run 2>/dev/null | grep run_cpu_ms)
  cpu+=("$c"); mem+=("$m")
  fmem+=("$($b/floor_prompt run 2>/dev/null | awk '/peak_kib/{print $2}')")
done
printf '| whole run CPU, first answer to Вихід (ms) | %s | | | |\n' "$(stat "${cpu[@]}")"
m=$(stat "${mem[@]}"); fm=$(stat "${fmem[@]}")
printf '| peak memory of a whole run (MiB) | %.1f | %.1f | %.2f | 1.3 |\n' "$(python3 -c "print($m/1024)")" "$(python3 -c "print($fm/1024)")" "$(python3 -c "print($m/$fm)")"

# Instructions of one scripted run: stable from run to run, for comparing changes.
instr=$(timeout 300 valgrind --tool=callgrind --callgrind-out-file=/dev/null $b/netquiz_bench run 2>&1 | awk '/Collected/{print $4}')
printf '| instructions of a whole run (callgrind) | %s | | | |\n' "$instr"
echo
echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(awk '/MemTotal/{printf "%.0f GiB", $2/1048576}' /proc/meminfo)"
