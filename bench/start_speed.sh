#!/bin/bash
# Starts of Kolvane (ten years of month files, a normal start with its settings file) against
# the floor: a Qt window of the main window's size showing one line of Japanese text in the
# program's font (bare_window.cpp), in turns, on a display of their own. Prints, for each
# figure, the median of Kolvane, that of the floor and their ratio:
#   settled first paint   start to the last drawing before QUIET_MS (300) of quiet (XDamage)
#   mapped                start to the map of the main window
#   RSS                   resident memory SETTLE_MS (1500) after the start, sounds on and off
#   instructions          (valgrind) start to the map, and the map to the first frame
#   month moves           six moves (the next-month button) through months nobody edited: renames,
#                         fsyncs and new files in the schedule folder (strace); the floor is 0
# With a PulseAudio server installed, a private one with a null sink runs for the sounds, as on
# a desktop; else the sounds find no server. With COMPARE set to another build folder, its
# Kolvane runs in the same turns and a column shows its figures (before and after a change).
# Usage: bench/start_speed.sh [BUILD_DIR] [RUNS] [WM: none|openbox|both]
set -u
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
runs=${2:-15}
case ${3:-none} in
    both) managers="none openbox" ;;
    openbox | none) managers=$3 ;;
    *) echo "window manager: none, openbox or both" >&2; exit 2 ;;
esac
quiet=${QUIET_MS:-300}
settle=$(awk -v ms="${SETTLE_MS:-1500}" 'BEGIN {print ms / 1000}')
# The one line of the floor, as the calendar heads a day.
text="12月9日(水) 会議"
for tool in Kolvane paint_timer bare_window; do
    [ -x "$build/$tool" ] || { echo "missing $build/$tool (build the bench targets)" >&2; exit 2; }
done
for tool in Xvfb xwininfo xdotool; do
    command -v $tool >/dev/null || { echo "$tool is needed" >&2; exit 2; }
done
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
# A settings file as a previous run leaves it: no first-start dialog, no notices. oto=0 plays the
# voices (a sound as the main window first shows), oto=1 turns them off.
settings() {
    printf '[path]\r\ndat_Path=%s\r\nmemo_path=%s\r\n[NIK]\r\nni_dir=%s\r\n[etc]\r\nkyou_flg=1\r\nasu_flg=1\r\noto=%s\r\n' \
        "$home/dat" "$home/dat" "$home/dat" "$1" >"$home/Kolvane32.ini"
}
export KOLVANE_HOME=$home

server="no sound server"
if command -v pulseaudio >/dev/null; then
    mkdir -p "$work/pulse"
    HOME=$work/pulse XDG_RUNTIME_DIR=$work/pulse pulseaudio -n --daemonize=no \
        --exit-idle-time=-1 --disable-shm=no -L module-null-sink \
        -L "module-native-protocol-unix auth-anonymous=1 socket=$work/pulse/native" \
        >/dev/null 2>&1 &
    pids+=($!)
    for _ in $(seq 100); do [ -S "$work/pulse/native" ] && break; sleep 0.05; done
    if [ -S "$work/pulse/native" ]; then
        export PULSE_SERVER=unix:$work/pulse/native
        server="a PulseAudio server with a null sink"
    fi
fi

# Ends a started program and waits until it is gone. Nothing is edited: no need to wait for
# the farewell sound.
stop() {
    kill -KILL "$1" 2>/dev/null
    for _ in $(seq 200); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.05; done
}

# One start: prints the milliseconds to the map and to the settled first paint, and the
# resident KiB SETTLE_MS after the start.
start_once() {
    local title=$1
    shift
    local out pid rss begin
    begin=$(date +%s%N)
    out=$("$build/paint_timer" "$title" 20000 "$quiet" "$@" 2>/dev/null) || return 1
    pid=${out##* }
    # The memory is read at the same moment after the start for every program.
    sleep "$(awk -v s="$settle" -v b="$begin" -v n="$(date +%s%N)" 'BEGIN {w = s - (n - b) / 1e9; print (w > 0) ? w : 0}')"
    rss=$(awk '/^VmRSS:/ {print $2}' "/proc/$pid/status" 2>/dev/null)
    stop "$pid"
    echo "${out% *} ${rss:-0}"
}

median() { sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

compare=${COMPARE:+$(cd "$COMPARE" && pwd)}
if [ -n "$compare" ] && [ ! -x "$compare/Kolvane" ]; then
    echo "missing $compare/Kolvane" >&2
    exit 2
fi

row() {  # label kolvane floor [scale [other kolvane]]
    awk -v l="$1" -v k="$2" -v f="$3" -v s="${4:-1}" -v o="${5:-}" \
        'BEGIN {
            printf "  %-40s %10.1f %10.1f %7s", l, k / s, f / s, (f > 0) ? sprintf("%.2f", k / f) : "-"
            if (o != "") printf " %10.1f %7s", o / s, (f > 0) ? sprintf("%.2f", o / f) : "-"
            printf "\n"
        }'
}

# Instructions of the main thread of one start under callgrind (threads of their own, which
# the first frame does not wait for, are left out), counted until the first window's first
# frame is drawn: a profile is written before each window is mapped and after each frame is
# handed to the display. Prints the instructions from the start to the first map, and from
# there to the end of the first frame.
instructions() {
    local prefix=$1
    shift
    valgrind --tool=callgrind --separate-threads=yes --fair-sched=yes \
        --callgrind-out-file="$work/cg/$prefix.%p" \
        --dump-before=xcb_map_window --dump-after='QBackingStore::flush*' "$@" \
        >/dev/null 2>&1 &
    local pid=$! counts n f
    for _ in $(seq 1200); do
        sleep 0.25
        kill -0 "$pid" 2>/dev/null || break
        counts=$(for ((n = 1; n <= 400; n++)); do
            f=$work/cg/$prefix.$pid.$n-01
            [ -f "$f" ] || break
            awk '/^desc: Trigger:/ {t = ($0 ~ /flush/) ? "flush" : "map"} /^totals:/ {print t, $2}' "$f"
        done | awk '$1 == "map" && !m {m = 1; print "to", $2; next}
                    m && $1 == "map" {after += $2}
                    m && $1 == "flush" {print "after", after + $2; exit}')
        [[ $counts == *after* ]] && break
    done
    stop "$pid"
    [[ $counts == *after* ]] || return 1
    echo "$counts" | awk '{v[$1] = $2} END {print v["to"], v["after"]}'
}

# Six month moves from today's month, in a started Kolvane under strace: the renames and
# fsyncs, and the files that are new in the schedule folder afterwards.
month_moves() {
    local program=$1 before after out pid log=$work/moves.strace
    settings 1
    before=$(ls "$home/dat" | sort)
    out=$("$build/paint_timer" Kolvane32 20000 "$quiet" strace -f -qq -o "$log" \
        -e trace=rename,renameat,renameat2,fsync,fdatasync "$program" 2>/dev/null) ||
        return 1
    pid=${out##* }
    local window
    window=$(xdotool search --name '^Kolvane32$' | head -1)
    [ -n "$window" ] || { stop "$pid"; return 1; }
    sleep 0.3
    local start_lines
    start_lines=$(wc -l <"$log")
    # The middle of the next-month button, in the main window.
    for _ in 1 2 3 4 5 6; do
        xdotool mousemove --window "$window" 158 228 click 1
        sleep 0.3
    done
    sleep 1
    local writes
    writes=$(tail -n +"$((start_lines + 1))" "$log" | grep -cE '^[0-9]+ +(rename|renameat|renameat2|fsync|fdatasync)\(')
    local child
    for child in $(cat /proc/"$pid"/task/*/children 2>/dev/null); do stop "$child"; done
    stop "$pid"
    after=$(ls "$home/dat" | sort)
    local new
    new=$(comm -13 <(echo "$before") <(echo "$after"))
    # The next run starts from the same folder.
    for f in $new; do rm -f "$home/dat/$f"; done
    echo "$writes $(echo "$new" | grep -c .)"
}

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

    # The floor gets the size of Kolvane's main window.
    settings 1
    local out size width height
    out=$("$build/paint_timer" Kolvane32 20000 "$quiet" "$build/Kolvane" 2>/dev/null) ||
        { echo "Kolvane did not show" >&2; return 1; }
    size=$(xwininfo -name Kolvane32 2>/dev/null | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w, h}')
    stop "${out##* }"
    read -r width height <<<"${size:-200 200}"
    local floor=("$build/bare_window" bare_window "$width" "$height" "$text")

    # In turns, so that a busy moment of the machine weighs on all alike; the first round warms up.
    : >"$work/on"
    : >"$work/off"
    : >"$work/floor"
    : >"$work/other_on"
    : >"$work/other_off"
    local i on off f
    for ((i = 0; i <= runs; i++)); do
        settings 0
        on=$(start_once Kolvane32 "$build/Kolvane") || { echo "Kolvane did not show" >&2; return 1; }
        settings 1
        off=$(start_once Kolvane32 "$build/Kolvane") || { echo "Kolvane did not show" >&2; return 1; }
        f=$(start_once bare_window "${floor[@]}") || return 1
        ((i > 0)) && echo "$on" >>"$work/on" && echo "$off" >>"$work/off" && echo "$f" >>"$work/floor"
        if [ -n "$compare" ]; then
            settings 0
            on=$(start_once Kolvane32 "$compare/Kolvane") || return 1
            settings 1
            off=$(start_once Kolvane32 "$compare/Kolvane") || return 1
            ((i > 0)) && echo "$on" >>"$work/other_on" && echo "$off" >>"$work/other_off"
        fi
    done
    col() { [ -s "$work/$2" ] && cut -d' ' -f"$1" "$work/$2" | median; }
    echo "${manager/none/no window manager}: window ${width}x${height}, $runs starts each, $server"
    printf '  %-40s %10s %10s %7s' "" Kolvane floor ratio
    [ -n "$compare" ] && printf ' %10s %7s' compared ratio
    printf '\n'
    row "settled first paint (median ms)" "$(col 2 on)" "$(col 2 floor)" 1 "$(col 2 other_on)"
    row "mapped (median ms)" "$(col 1 on)" "$(col 1 floor)" 1 "$(col 1 other_on)"
    row "RSS ${settle} s after, sounds on (MiB)" "$(col 3 on)" "$(col 3 floor)" 1024 "$(col 3 other_on)"
    row "RSS ${settle} s after, sounds off (MiB)" "$(col 3 off)" "$(col 3 floor)" 1024 "$(col 3 other_off)"

    if command -v valgrind >/dev/null && command -v callgrind_control >/dev/null; then
        mkdir -p "$work/cg"
        settings 0
        local ki fl ko=""
        if ki=$(instructions kolvane "$build/Kolvane") && fl=$(instructions floor "${floor[@]}"); then
            [ -n "$compare" ] && ko=$(instructions other "$compare/Kolvane")
            row "instructions to the map (M)" "${ki% *}" "${fl% *}" 1000000 "${ko% *}"
            row "instructions map to first frame (M)" "${ki#* }" "${fl#* }" 1000000 "${ko#* }"
        else
            echo "  (instructions: no frame was drawn under valgrind)"
        fi
    else
        echo "  (instructions: valgrind is not installed)"
    fi

    if command -v strace >/dev/null; then
        local moves mo=""
        if moves=$(month_moves "$build/Kolvane"); then
            [ -n "$compare" ] && mo=$(month_moves "$compare/Kolvane")
            row "six month moves: renames and fsyncs" "${moves% *}" 0 1 "${mo% *}"
            row "six month moves: new files" "${moves#* }" 0 1 "${mo#* }"
        else
            echo "  (month moves: Kolvane did not show)"
        fi
    else
        echo "  (month moves: strace is not installed)"
    fi

    for p in "${display_pids[@]}"; do kill "$p" 2>/dev/null; done
    wait "${display_pids[@]}" 2>/dev/null
}

for manager in $managers; do measure "$manager" || exit 1; done
