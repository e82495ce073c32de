#!/bin/sh
# Synthesises the program's sounds into the folder given (the build puts them
# in Suoni beside the executable). Needs sox.
set -eu
out=$1
mkdir -p "$out"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
wav="-r 22050 -b 16 -c 1"

# A struck bell: inharmonic partials dying away.
sox -n $wav "$tmp/campana.wav" synth 1.8 sine 587 sine 1174 sine 1620 sine 3170 \
    fade l 0.004 1.8 1.75 norm -4
# A chime: three notes going up, each ringing into the next.
for note in 1047 1319 1568; do
    sox -n $wav "$tmp/$note.wav" synth 0.45 sine $note sine $((note * 2)) fade l 0.005 0.45 0.42
done
sox "$tmp/1047.wav" "$tmp/1319.wav" "$tmp/1568.wav" "$tmp/carillon.wav" norm -4
# A buzzer: three short square beeps.
sox -n $wav "$tmp/cicalino.wav" synth 0.12 square 988 fade 0.005 0.12 0.01 pad 0 0.08 repeat 2 norm -10
# An alarm-clock ring: a fast trill between two tones.
sox -n $wav "$tmp/trillo.wav" synth 1.2 square 1760 square 2093 tremolo 12 90 fade 0.01 1.2 0.05 norm -10

# Written in one step each, so a failed run leaves no half file behind.
for name in Campana Carillon Cicalino Trillo; do
    lower=$(echo "$name" | tr 'A-Z' 'a-z')
    mv "$tmp/$lower.wav" "$out/$name.wav"
done
