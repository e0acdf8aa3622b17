#!/usr/bin/env bash
# Runs the same floods against this client and, when installed, against irssi and WeeChat
# (headless), each connected to the same scripted server (flood_server, on 127.0.0.1), and
# prints side by side the time from the first flood byte to the client's PONG and the client's
# memory as the server watched it: peak resident set (VmHWM) and peak anonymous memory (RssAnon,
# the heap and other private memory, without the code of shared libraries).
#
# Usage: bench/compare_clients.sh [build directory]   (default: build)
# The other clients run with their default settings in a temporary home, except that WeeChat
# does not write log files (this client writes none by default either).
set -euo pipefail

build=${1:-build}
server="$build/bench/flood_server"
ours="$build/bench/flood_bench"
if [[ ! -x $server || ! -x $ours ]]; then
    echo "build first: cmake -S . -B $build -G Ninja && ninja -C $build" >&2
    exit 1
fi

timeout_s=300
floods=("100000 80" "20000 400")
work=$(mktemp -d)

# Only the jobs of this script that still run: the servers and clients it started.
cleanup() {
    local pid
    for pid in $(jobs -p); do
        kill "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT

# Figures of one run, filled by the run functions.
seconds="" resident="" anonymous="" note=""

# field NAME FILE: the words after the line that starts with NAME in the server's report.
field() {
    sed -n "s/^$1 //p" "$2" | tail -n 1
}

# Starts flood_server for a flood; sets server_pid and port.
start_server() {
    local lines=$1 length=$2 dir=$3
    "$server" --lines "$lines" --length "$length" --pid-file "$dir/pid" \
        --timeout "$timeout_s" <"/dev/null" >"$dir/server.out" 2>&1 &
    server_pid=$!
    port=""
    for _ in $(seq 1 100); do
        port=$(field port "$dir/server.out")
        [[ -n $port ]] && return 0
        sleep 0.05
    done
    echo "flood_server did not start" >&2
    return 1
}

# Waits for the server's end and reads its report.
finish_server() {
    local dir=$1
    wait "$server_pid" || true
    local done_words memory_words
    done_words=$(field done "$dir/server.out")
    memory_words=$(field memory "$dir/server.out")
    if [[ -z $done_words ]]; then
        seconds="" note="no PONG: $(field failed "$dir/server.out")"
        return
    fi
    seconds=${done_words#* }
    resident=$(awk '{printf "%.1f", $1 / 1024}' <<<"$memory_words")
    anonymous=$(awk '{printf "%.1f", $2 / 1024}' <<<"$memory_words")
}

stop_client() {
    local pid=$1
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
}

run_ours() {
    local lines=$1 length=$2 out="$work/ours.out"
    note=""
    if ! "$ours" "$lines" "$length" >"$out" 2>/dev/null; then
        note="check failed"
    fi
    seconds=$(sed -n 's/^time until the PONG: \([0-9.]*\) s.*/\1/p' "$out")
    resident=$(sed -n 's/^peak memory (VmHWM): \([0-9.]*\) MiB.*/\1/p' "$out")
    anonymous=$(sed -n 's/^anonymous memory (RssAnon): peak \([0-9.]*\) MiB.*/\1/p' "$out")
    [[ -n $seconds ]] || note="no result: $(tail -n 1 "$out")"
}

run_irssi() {
    local lines=$1 length=$2 dir="$work/irssi-$1-$2"
    mkdir -p "$dir/home"
    note=""
    start_server "$lines" "$length" "$dir"
    # irssi wants a terminal: script gives it one; the pid file names irssi itself.
    TERM=xterm script -qfec "stty cols 120 rows 40; echo \$\$ >'$dir/pid.tmp'; \
        mv '$dir/pid.tmp' '$dir/pid'; exec irssi --home='$dir/home' -n floodirssi \
        -c 127.0.0.1 -p $port" /dev/null </dev/null >/dev/null 2>&1 &
    local terminal=$!
    finish_server "$dir"
    [[ -f $dir/pid ]] && stop_client "$(cat "$dir/pid")"
    stop_client "$terminal"
}

run_weechat() {
    local lines=$1 length=$2 dir="$work/weechat-$1-$2"
    mkdir -p "$dir/home"
    note=""
    start_server "$lines" "$length" "$dir"
    weechat-headless --dir "$dir/home" -r "/set logger.file.auto_log off; \
        /server add flood 127.0.0.1/$port; /set irc.server.flood.nicks floodweechat; \
        /connect flood" </dev/null >/dev/null 2>&1 &
    local client=$!
    echo "$client" >"$dir/pid.tmp" && mv "$dir/pid.tmp" "$dir/pid"
    finish_server "$dir"
    stop_client "$client"
}

clients=(ours)
command -v irssi >/dev/null && clients+=(irssi)
command -v weechat-headless >/dev/null && clients+=(weechat)

echo "flood comparison on $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg)"
for flood in "${floods[@]}"; do
    read -r lines length <<<"$flood"
    echo
    echo "$lines channel lines of $length characters (50 names), time until the PONG"
    printf "%-9s %9s %10s %10s %13s %12s %10s %10s\n" client "time s" "lines/s" \
        "peak MiB" "peak anon MiB" "time/ours" "peak/ours" "anon/ours"
    our_seconds="" our_resident="" our_anonymous="" fastest_other=""
    lower_resident=yes lower_anonymous=yes
    for client in "${clients[@]}"; do
        "run_$client" "$lines" "$length"
        if [[ -z $seconds ]]; then
            printf "%-9s %s\n" "$client" "$note"
            continue
        fi
        if [[ $client == ours ]]; then
            our_seconds=$seconds our_resident=$resident our_anonymous=$anonymous
        else
            if [[ -z $fastest_other ]] || awk "BEGIN{exit !($seconds < $fastest_other)}"; then
                fastest_other=$seconds
            fi
            awk "BEGIN{exit !($our_resident < $resident)}" || lower_resident=no
            awk "BEGIN{exit !($our_anonymous < $anonymous)}" || lower_anonymous=no
        fi
        awk -v c="$client" -v s="$seconds" -v l="$lines" -v r="$resident" -v a="$anonymous" \
            -v os="$our_seconds" -v or="$our_resident" -v oa="$our_anonymous" -v n="$note" \
            'BEGIN { printf "%-9s %9.3f %10.0f %10.1f %13.1f %11.1fx %10.2f %10.2f %s\n",
                     c, s, l / s, r, a, s / os, r / or, a / oa, n }'
    done
    if [[ -n $fastest_other && -n $our_seconds ]]; then
        awk -v f="$fastest_other" -v o="$our_seconds" -v r="$lower_resident" \
            -v a="$lower_anonymous" 'BEGIN {
                printf "ours is %.1f times as fast as the faster of the others (target: 5)\n", f / o
                printf "lower peak resident memory than both: %s; lower peak anonymous memory than both: %s\n", r, a }'
    fi
done
