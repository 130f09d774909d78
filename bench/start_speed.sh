#!/bin/bash
# Starts of Kolvane (ten years of month files, a normal start with its settings file) against
# a bare Qt window of the same size and against that window showing one line of Japanese text
# (bare_window.cpp), in turns, on a display of their own: the time from the start to the window
# being mapped, and the resident memory once the start is over. Prints the medians and
# Kolvane's ratio to each yardstick, under openbox and without a window manager.
# Usage: bench/start_speed.sh [BUILD_DIR] [RUNS] [SOUNDS: on|off] [WM: both|openbox|none]
# With sounds on (the default) a sound plays as the main window first shows. SETTLE_MS (default
# 1500) is how long after the map the memory is read.
set -u
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
runs=${2:-15}
sounds=${3:-on}
case $sounds in
    on) oto=0 ;;
    off) oto=1 ;;
    *) echo "sounds: on or off" >&2; exit 2 ;;
esac
case ${4:-both} in
    both) managers="none openbox" ;;
    openbox | none) managers=$4 ;;
    *) echo "window manager: both, openbox or none" >&2; exit 2 ;;
esac
# The one line of the second yardstick, as the calendar heads a day.
text="12月9日(水) 会議"
settle=$(awk -v ms="${SETTLE_MS:-1500}" 'BEGIN {print ms / 1000}')
for tool in Kolvane map_timer bare_window; do
    [ -x "$build/$tool" ] || { echo "missing $build/$tool (build the bench targets)" >&2; exit 2; }
done
command -v Xvfb >/dev/null || { echo "Xvfb is needed" >&2; exit 2; }
if [[ $managers == *openbox* ]] && ! command -v openbox >/dev/null; then
    echo "openbox is needed (or ask for WM none)" >&2
    exit 2
fi

work=$(mktemp -d)
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
    rm -rf "$work"
}
trap cleanup EXIT

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

# Ends a started program and waits until it is gone. Nothing is edited: no need to wait for
# the farewell sound.
stop() {
    kill -KILL "$1" 2>/dev/null
    for _ in $(seq 200); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.05; done
}

# One start: prints the milliseconds to the map and the resident KiB once the start is over.
start_once() {
    local title=$1
    shift
    local out pid rss
    out=$("$build/map_timer" "$title" 20000 "$@" 2>/dev/null) || return 1
    pid=${out#* }
    sleep "$settle"
    rss=$(awk '/^VmRSS:/ {print $2}' "/proc/$pid/status" 2>/dev/null)
    stop "$pid"
    echo "${out% *} ${rss:-0}"
}

median() { sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

# A display of our own (another copy of Kolvane elsewhere must not answer for ours), with the
# window manager asked for; prints the table for it.
measure() {
    local manager=$1 n=150 display_pids=()
    while [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ]; do n=$((n + 1)); done
    Xvfb :$n -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
    display_pids+=($!)
    pids+=($!)
    for _ in $(seq 100); do [ -e /tmp/.X11-unix/X$n ] && break; sleep 0.05; done
    export DISPLAY=:$n
    if [ "$manager" = openbox ]; then
        openbox >/dev/null 2>&1 &
        display_pids+=($!)
        pids+=($!)
        sleep 1
    fi

    # The bare window gets the size of Kolvane's main window.
    local out size width height
    out=$("$build/map_timer" Kolvane32 20000 "$build/Kolvane" 2>/dev/null) || { echo "Kolvane did not show" >&2; return 1; }
    size=$(xwininfo -name Kolvane32 2>/dev/null | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w, h}')
    stop "${out#* }"
    read -r width height <<<"${size:-200 200}"

    # In turns, so that a busy moment of the machine weighs on all alike; the first round warms up.
    : >"$work/kolvane"
    : >"$work/bare"
    : >"$work/text"
    local i k b t
    for ((i = 0; i <= runs; i++)); do
        k=$(start_once Kolvane32 "$build/Kolvane") || { echo "Kolvane did not show" >&2; return 1; }
        b=$(start_once bare_window "$build/bare_window" bare_window "$width" "$height") || return 1
        t=$(start_once bare_window "$build/bare_window" bare_window "$width" "$height" "$text") || return 1
        if ((i > 0)); then
            echo "$k" >>"$work/kolvane"
            echo "$b" >>"$work/bare"
            echo "$t" >>"$work/text"
        fi
    done
    local mk mb mt rk rb rt
    mk=$(cut -d' ' -f1 "$work/kolvane" | median)
    mb=$(cut -d' ' -f1 "$work/bare" | median)
    mt=$(cut -d' ' -f1 "$work/text" | median)
    rk=$(cut -d' ' -f2 "$work/kolvane" | median)
    rb=$(cut -d' ' -f2 "$work/bare" | median)
    rt=$(cut -d' ' -f2 "$work/text" | median)
    echo "${manager/none/no window manager}: window ${width}x${height}, $runs starts each, sounds $sounds"
    printf '  %-28s %9s %9s %6s %9s %6s\n' "" Kolvane bare ratio "one line" ratio
    awk -v k="$mk" -v b="$mb" -v t="$mt" \
        'BEGIN {printf "  %-28s %9.1f %9.1f %6.2f %9.1f %6.2f\n", "mapped (median ms)", k, b, k / b, t, k / t}'
    awk -v k="$rk" -v b="$rb" -v t="$rt" -v s="$settle" \
        'BEGIN {printf "  %-28s %9.1f %9.1f %6.2f %9.1f %6.2f\n", "RSS " s " s after (MiB)", k / 1024, b / 1024, k / b, t / 1024, k / t}'

    for p in "${display_pids[@]}"; do kill "$p" 2>/dev/null; done
    wait "${display_pids[@]}" 2>/dev/null
}

for manager in $managers; do measure "$manager" || exit 1; done
