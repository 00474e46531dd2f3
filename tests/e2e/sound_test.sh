#!/usr/bin/env bash
# The program's sound manager plays Zvonek.wav through a PulseAudio server with a null sink: the server
# sees the stream, and the sink's monitor records real sound.
# Usage: sound_test.sh path/to/sound_probe path/to/Zvonek.wav
source "$(dirname "$0")/lib.sh"
probe=$1
file=${2:?Zvonek.wav}
trap 'pulseaudio --kill 2>/dev/null || true; e2e_cleanup' EXIT

export HOME="$E2E_DIR/home" XDG_RUNTIME_DIR="$E2E_DIR/run"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
pulseaudio -D -n --exit-idle-time=-1 --disallow-exit \
    --load="module-null-sink sink_name=test_sink norewinds=1" \
    --load="module-native-protocol-unix auth-anonymous=1" 2>"$E2E_DIR/pulse.log" \
    || fail "pulseaudio did not start: $(cat "$E2E_DIR/pulse.log")"
e2e_until 100 'pactl info >/dev/null 2>&1' || fail "pulseaudio does not answer"
pactl set-default-sink test_sink

parec -d test_sink.monitor --raw --format=s16le --rate=44100 --channels=2 >"$E2E_DIR/recorded.raw" &
recorder=$!
E2E_PIDS+=($recorder)
sleep 0.3
SDL_AUDIODRIVER=pulseaudio "$probe" "$file" 2500 >"$E2E_DIR/probe.log" 2>&1 &
probe_pid=$!
E2E_PIDS+=($probe_pid)

stream=""
e2e_until 100 'stream=$(pactl list short sink-inputs); [ -n "$stream" ]' ||
    fail "no stream reached the sound server: $(cat "$E2E_DIR/probe.log")"
echo "stream: $stream"
wait "$probe_pid" || fail "the probe failed: $(cat "$E2E_DIR/probe.log")"
sleep 0.3
kill "$recorder" 2>/dev/null || true

stats=$(sox -t raw -r 44100 -e signed -b 16 -c 2 "$E2E_DIR/recorded.raw" -n stat 2>&1)
amplitude=$(awk '/Maximum amplitude/ { print $3 }' <<<"$stats")
length=$(awk '/Length \(seconds\)/ { print $3 }' <<<"$stats")
echo "recorded ${length}s, maximum amplitude $amplitude"
awk -v a="$amplitude" 'BEGIN { exit !(a > 0.1) }' || fail "the recording is silent"
echo "sound scenario passed"
