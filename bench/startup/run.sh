#!/bin/sh
# Start-up and memory benchmark: how long the calculator's window takes to
# come up and how much memory the calculator then holds, next to the same
# figures for two floors made by startup-floor: a bare Qt Widgets window of
# the same size and make-up ("floor"), and the same window preceded, as the
# calculator's start-up order is, by a frameless splash-type window of the
# splash window's size ("splash floor"). The splash floor is the reference
# the calculator is held to. Runs by hand (`make bench`), not as a test.
#
# Builds the release programs and starts a private desktop session as a
# user's desktop starts programs: an X server (Xvfb), a session bus (with
# the accessibility bus it starts on demand) and a window manager (openbox).
# Then runs each program once to warm the caches and RUNS times (30 unless
# set) in turn under startup-probe, and prints the median, minimum and
# maximum of each figure and the calculator's ratios to each floor.
# DESKTOP=bare measures on the X server alone, with no bus and no window
# manager, for comparison.
set -eu
cd "$(dirname "$0")/../.."

runs=${RUNS:-30}
desktop=${DESKTOP:-session}
calculator_title='RuRozovizera(Frost Figures)'
floor_title='Start-up Floor'

cmake --preset release >/dev/null
cmake --build --preset release --target rurozovizera startup-floor startup-probe

bin=build/release/bin
work=$(mktemp -d)
xvfb_pid=""
bus_pid=""
wm_pid=""
cleanup() {
    for pid in $wm_pid $bus_pid $xvfb_pid; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# Xvfb picks a free display itself and writes its number once it is ready;
# -noreset keeps it from resetting, and refusing connections meanwhile,
# each time the last program leaves.
mkfifo "$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
read -r display <"$work/display" || true
if [ -z "${display:-}" ]; then
    echo "startup bench: Xvfb did not start:" >&2
    cat "$work/xvfb.log" >&2
    exit 1
fi

# The same clean environment for both programs: the private display, the
# X11 platform and a runtime folder of their own. In a session, the bus of
# the session; bare, a bus address where none listens, so that neither
# program tries to launch one.
mkdir -m 700 "$work/runtime"
bus="unix:path=$work/no-bus"
if [ "$desktop" = session ]; then
    bus=$(dbus-daemon --session --fork --nopidfile --print-address=1 --print-pid=3 \
        3>"$work/bus.pid" 2>>"$work/programs.log")
    read -r bus_pid <"$work/bus.pid"
    DISPLAY=":$display" DBUS_SESSION_BUS_ADDRESS="$bus" XDG_RUNTIME_DIR="$work/runtime" \
        openbox --sm-disable >>"$work/programs.log" 2>&1 &
    wm_pid=$!
    # The window manager is running once it owns the screen's selection.
    tries=0
    until DISPLAY=":$display" xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
        tries=$((tries + 1))
        [ $tries -lt 100 ] || { echo "startup bench: openbox did not start" >&2; exit 1; }
        sleep 0.05
    done
fi
probe() { # NAME TITLE PROGRAM [ARGUMENT...]: one measurement, appended to NAME.txt
    name=$1
    shift
    env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY DISPLAY=":$display" XDG_RUNTIME_DIR="$work/runtime" \
        DBUS_SESSION_BUS_ADDRESS="$bus" \
        "$bin/startup-probe" "$@" >>"$work/$name.txt" 2>>"$work/programs.log" || {
        echo "startup bench: measuring $name failed:" >&2
        cat "$work/programs.log" >&2
        exit 1
    }
}

echo "Machine: $(nproc) cores, $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1)"
echo "Load average before: $(cut -d ' ' -f 1-3 /proc/loadavg)"
case $desktop in
session) echo "Desktop: Xvfb, a session bus and openbox" ;;
*) echo "Desktop: Xvfb alone, no session bus, no window manager" ;;
esac
programs="calculator floor splash_floor"
measure() { # PROGRAM [NAME]: one measurement of a program, as NAME.txt
    case $1 in
    calculator) probe "${2:-$1}" "$calculator_title" "$bin/rurozovizera" ;;
    floor) probe "${2:-$1}" "$floor_title" "$bin/startup-floor" ;;
    splash_floor) probe "${2:-$1}" "$floor_title" "$bin/startup-floor" --splash-first ;;
    esac
}
echo "Warm-up run of each, then $runs runs of each, in turn..."
for program in $programs; do
    measure "$program" warmup
done
i=0
while [ "$i" -lt "$runs" ]; do
    for program in $programs; do
        measure "$program"
    done
    i=$((i + 1))
done
echo "Load average after:  $(cut -d ' ' -f 1-3 /proc/loadavg)"

# The values of one field (mapped_ms, ...) of a program's lines, sorted.
values() { sed -n "s/.*\\b$2=\\([^ ]*\\).*/\\1/p" "$work/$1.txt" | grep -v nan | sort -g; }
# "median min max" of sorted values, each written with the printf format
# $1; "- - -" when there are none.
summary() {
    awk -v f="$1" '{ v[NR] = $1 } END {
        if (NR == 0) { print "- - -"; exit }
        m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
        printf f " " f " " f "\n", m, v[1], v[NR] }'
}

# The median of a field.
median() { values "$1" "$2" | summary %.6f | cut -d ' ' -f 1; }

printf '\n%-28s %12s %12s %12s\n' "" median min max
for field in mapped_ms drawn_ms cpu_ms peak_kib rss_kib; do
    case $field in
    *_ms) format=%.3f ;;
    *) format=%.0f ;;
    esac
    for program in $programs; do
        values "$program" "$field" | summary "$format" >"$work/summary"
        read -r middle least most <"$work/summary"
        printf '%-28s %12s %12s %12s\n' "$program $field" "$middle" "$least" "$most"
    done
done

ratio() { # FIELD FLOOR: the calculator's median over the floor's
    awk -v a="$(median calculator "$1")" -v b="$(median "$2" "$1")" \
        'BEGIN { if (a == "-" || b + 0 == 0) print "-"; else printf "%.3f", a / b }'
}
target=1.05
verdict() { awk -v r="$1" -v t="$target" 'BEGIN { print (r == "-") ? "" : (r <= t) ? "met" : "missed" }'; }
echo
printf '%-28s %12s %12s\n' "Calculator / floor, medians" "splash floor" "floor"
for field in mapped_ms drawn_ms cpu_ms peak_kib; do
    case $field in
    mapped_ms) what="time to mapped window" ;;
    drawn_ms) what="time to first drawing" ;;
    cpu_ms) what="processor time to map" ;;
    peak_kib) what="peak memory (VmHWM)" ;;
    esac
    reference=$(ratio "$field" splash_floor)
    printf '  %-26s %12s %12s  %s\n' "$what" "$reference" "$(ratio "$field" floor)" \
        "$(verdict "$reference")"
done
echo "(target: at most $target times the splash floor)"
