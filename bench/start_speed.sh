#!/bin/bash
# Time from starting Kolvane (ten years of month files, a normal start with its settings file)
# to its main window being mapped, against a bare Qt window of the same size, on a display of
# its own. Prints both medians in milliseconds and their ratio.
# Usage: bench/start_speed.sh [BUILD_DIR] [RUNS] [SOUNDS: on|off]
# With sounds on (the default) a sound plays as the main window first shows.
set -u
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
runs=${2:-15}
case ${3:-on} in
    on) oto=0 ;;
    off) oto=1 ;;
    *) echo "sounds: on or off" >&2; exit 2 ;;
esac
for tool in Kolvane map_timer bare_window; do
    [ -x "$build/$tool" ] || { echo "missing $build/$tool (build the bench targets)" >&2; exit 2; }
done
command -v Xvfb >/dev/null || { echo "Xvfb is needed" >&2; exit 2; }

work=$(mktemp -d)
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
    rm -rf "$work"
}
trap cleanup EXIT

# A display of our own: another copy of Kolvane elsewhere must not answer for ours.
n=150
while [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ]; do n=$((n + 1)); done
Xvfb :$n -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -e /tmp/.X11-unix/X$n ] && break; sleep 0.05; done
export DISPLAY=:$n
if command -v openbox >/dev/null; then
    openbox >/dev/null 2>&1 &
    pids+=($!)
    sleep 1
fi

# Ten years of months up to this one, a third of the days with a schedule.
home=$work/home
mkdir -p "$home/dat"
this_year=$(date +%Y)
for ((y = this_year - 9; y <= this_year; y++)); do
    for m in $(seq -w 1 12); do
        for d in $(seq 1 31); do
            printf '#S#!\r\n'
            if (((d + 10#$m) % 3 == 0)); then
                printf '@9:30 会議\r\n打ち合わせ 第%d回\r\n' "$d"
            fi
            printf '#E#!\r\n'
        done | iconv -f UTF-8 -t CP932 >"$home/dat/$y$m.yo2"
    done
done
# A settings file as a previous run leaves it: no first-start dialog, no notices.
printf '[path]\r\ndat_Path=%s\r\nmemo_path=%s\r\n[NIK]\r\nni_dir=%s\r\n[etc]\r\nkyou_flg=1\r\nasu_flg=1\r\noto=%s\r\n' \
    "$home/dat" "$home/dat" "$home/dat" "$oto" >"$home/Kolvane32.ini"
export KOLVANE_HOME=$home

# Ends a started program and waits until it is gone. Only the start is measured and nothing
# is edited: no need to wait for the farewell sound.
stop() {
    kill -KILL "$1" 2>/dev/null
    for _ in $(seq 200); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.05; done
}

# One start: prints the milliseconds to the map.
start_once() {
    local title=$1
    shift
    local out
    out=$("$build/map_timer" "$title" 20000 "$@" 2>/dev/null) || return 1
    stop "${out#* }"
    echo "${out% *}"
}

median() { sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

# The bare window gets the size of Kolvane's main window.
out=$("$build/map_timer" Kolvane32 20000 "$build/Kolvane" 2>/dev/null) || { echo "Kolvane did not show" >&2; exit 1; }
size=$(xwininfo -name Kolvane32 2>/dev/null | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w, h}')
stop "${out#* }"
read -r width height <<<"${size:-200 200}"

# Alternating, so that a busy moment of the machine weighs on both alike; the first pair warms up.
: >"$work/kolvane"
: >"$work/bare"
for ((i = 0; i <= runs; i++)); do
    k=$(start_once Kolvane32 "$build/Kolvane") || { echo "Kolvane did not show" >&2; exit 1; }
    b=$(start_once bare_window "$build/bare_window" bare_window "$width" "$height") || exit 1
    if ((i > 0)); then
        echo "$k" >>"$work/kolvane"
        echo "$b" >>"$work/bare"
    fi
done
mk=$(median <"$work/kolvane")
mb=$(median <"$work/bare")
echo "window ${width}x${height}, $runs starts each, sounds ${3:-on}"
echo "Kolvane main window mapped: median $mk ms"
echo "bare Qt window mapped:      median $mb ms"
awk -v k="$mk" -v b="$mb" 'BEGIN {printf "ratio: %.2f\n", k / b}'
