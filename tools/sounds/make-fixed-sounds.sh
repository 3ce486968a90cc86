#!/usr/bin/env bash
# Makes the fixed sound files every course folder holds, into OUTPUT_DIR:
#   music.wav    the intro tune: a short plucked phrase in C major ending on its chord
#   Null.wav     a second of silence, played by the full-duplex check
#   NullRec.wav  an empty recording template (22050 Hz, 16-bit, mono) for that check
#   TSBegin.wav  the same empty template, copied before each recording of the learner
# The output is the same on every run: sox runs repeatable (-R, fixed random seed for the
# plucked strings) and without dither (-D).
set -euo pipefail

output=${1:?usage: make-fixed-sounds.sh OUTPUT_DIR}
command -v sox >/dev/null || { echo "make-fixed-sounds.sh: sox is not installed" >&2; exit 1; }
mkdir -p "$output"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

sox_() { sox -R -D -V1 "$@"; }

# The tune: two rising phrases and a turn, a quarter of a second a note, then the chord.
notes=(C5 E5 G5 E5 F5 A5 C6 A5 G5 B5 D6 B5)
parts=()
for i in "${!notes[@]}"; do
  part="$work/note$i.wav"
  sox_ -n -r 44100 -c 1 "$part" synth 0.25 pluck "${notes[$i]}" fade q 0.003 0.25 0.04
  parts+=("$part")
done
chord=()
for note in C5 E5 G5 C6; do
  sox_ -n -r 44100 -c 1 "$work/chord-$note.wav" synth 1.2 pluck "$note" fade q 0.003 1.2 0.5
  chord+=("$work/chord-$note.wav")
done
sox_ -m "${chord[@]}" "$work/chord.wav"
parts+=("$work/chord.wav")
# Room for the reverb to ring out, then a short fade (in a run of its own: after reverb in
# the same chain, sox's fade misplaces the end).
sox_ "${parts[@]}" "$work/tune.wav" pad 0 0.25 reverb 35 50 70 gain -n -3
sox_ "$work/tune.wav" -r 22050 -c 1 -b 16 -e signed-integer "$output/music.wav" fade 0 0 0.3

sox_ -n -r 22050 -c 1 -b 16 -e signed-integer "$output/Null.wav" trim 0 1
sox_ -n -r 22050 -c 1 -b 16 -e signed-integer "$output/NullRec.wav" trim 0 0
sox_ -n -r 22050 -c 1 -b 16 -e signed-integer "$output/TSBegin.wav" trim 0 0
