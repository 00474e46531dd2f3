#!/usr/bin/env bash
# Makes Tavrok's own standard sounds and default display picture. The results are committed; run this
# only to change them. Needs sox and ImageMagick.
set -euo pipefail
cd "$(dirname "$0")/.."
sounds=Data/Zvuky/Standard
mkdir -p "$sounds" Data/Obrazky

# A bell for alarms: two strokes of an inharmonic bell tone that dies away.
sox -n -r 44100 -b 16 -c 1 /tmp/tavrok-stroke.wav \
    synth 1.4 sine 880 sine 2112 sine 2640 sine 3520 remix - fade q 0.002 1.4 1.35 vol 0.8
sox /tmp/tavrok-stroke.wav /tmp/tavrok-stroke.wav "$sounds/Zvonek.wav" gain -n -3
# A short signal for advance notices: two quick beeps.
sox -n -r 44100 -b 16 -c 1 "$sounds/Signalk.wav" \
    synth 0.12 sine 1200 fade q 0.005 0.12 0.02 pad 0 0.08 repeat 1 gain -n -3
# A longer end signal: three rising tones, the last one held.
sox -n -r 44100 -b 16 -c 1 /tmp/tavrok-t1.wav synth 0.25 sine 660 fade q 0.01 0.25 0.03 pad 0 0.05
sox -n -r 44100 -b 16 -c 1 /tmp/tavrok-t2.wav synth 0.25 sine 880 fade q 0.01 0.25 0.03 pad 0 0.05
sox -n -r 44100 -b 16 -c 1 /tmp/tavrok-t3.wav synth 0.9 sine 1320 sine 1980 remix - fade q 0.01 0.9 0.4
sox /tmp/tavrok-t1.wav /tmp/tavrok-t2.wav /tmp/tavrok-t3.wav "$sounds/Signald.wav" gain -n -3
rm -f /tmp/tavrok-stroke.wav /tmp/tavrok-t[123].wav

# The display's default background: a dark blue gradient with a faint clock dial on the left.
convert -size 666x180 gradient:'#0d1b33-#24467a' \
    -fill none -stroke '#ffffff30' -strokewidth 3 -draw "circle 90,90 90,20" \
    -stroke '#ffffff40' -strokewidth 4 -draw "line 90,90 90,40" -draw "line 90,90 125,105" \
    -stroke '#ffffff18' -strokewidth 1 -draw "line 180,150 640,150" \
    -type TrueColor BMP3:Data/Obrazky/Standard.bmp
