#!/usr/bin/env bash
# The program's sound manager plays Zvonek.wav through a PulseAudio server with a null sink: the server
# sees the stream, and the sink's monitor records real sound.
# Usage: sound_test.sh path/to/sound_probe path/to/Zvonek.wav
set -euo pipefail
probe=$1
file=$2
dir=$(mktemp -d /tmp/tavrok-sound.XXXXXX)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    pulseaudio --kill 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$dir"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

export HOME="$dir/home" XDG_RUNTIME_DIR="$dir/run"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
pulseaudio -D -n --exit-idle-time=-1 --disallow-exit \
    --load="module-null-sink sink_name=test_sink norewinds=1" \
    --load="module-native-protocol-unix auth-anonymous=1" 2>"$dir/pulse.log" \
    || fail "pulseaudio did not start: $(cat "$dir/pulse.log")"
for _ in $(seq 100); do pactl info >/dev/null 2>&1 && break; sleep 0.05; done
pactl info >/dev/null 2>&1 || fail "pulseaudio does not answer"
pactl set-default-sink test_sink

parec -d test_sink.monitor --raw --format=s16le --rate=44100 --channels=2 >"$dir/recorded.raw" &
pids+=($!)
sleep 0.3
SDL_AUDIODRIVER=pulseaudio "$probe" "$file" 2500 >"$dir/probe.log" 2>&1 &
probe_pid=$!
pids+=($probe_pid)

stream=""
for _ in $(seq 100); do
    stream=$(pactl list short sink-inputs)
    [ -n "$stream" ] && break
    sleep 0.05
done
[ -n "$stream" ] || fail "no stream reached the sound server: $(cat "$dir/probe.log")"
echo "stream: $stream"
wait "$probe_pid" || fail "the probe failed: $(cat "$dir/probe.log")"
sleep 0.3
kill "${pids[0]}" 2>/dev/null || true

stats=$(sox -t raw -r 44100 -e signed -b 16 -c 2 "$dir/recorded.raw" -n stat 2>&1)
amplitude=$(awk '/Maximum amplitude/ { print $3 }' <<<"$stats")
length=$(awk '/Length \(seconds\)/ { print $3 }' <<<"$stats")
echo "recorded ${length}s, maximum amplitude $amplitude"
awk -v a="$amplitude" 'BEGIN { exit !(a > 0.1) }' || fail "the recording is silent"
echo "sound scenario passed"
