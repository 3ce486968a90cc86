#!/usr/bin/env bash
# Does slowed speech stay intelligible? An offline recogniser (pocketsphinx with its US English
# model; a measuring tool only, never used by the program) transcribes every lesson text of the
# sample course as the program plays it at each speed, and the word error rate against the
# text's spoken words is printed per lesson and in total. The bar: at 75 % no more than 5
# points worse than at 100 %.
#
#   scripts/install-deps.sh --measure              # pocketsphinx and its model, once
#   scripts/configure.sh release --target speech_measure --target sample_course
#   bench/speech-wer.sh [BUILD_DIR] [SPEED...]     # defaults: build/release, 100 75 50
#
# The sound is each lesson's text.wav played whole through the sound device and its stretch
# on the virtual card (speech_measure render), resampled to 16 kHz mono. The reference is the
# English column of course/lessons/*/text.tsv, spoken forms ("{214|two one four}") as said.
# Both are lower-cased and stripped of punctuation; errors are the word-level edit distance.
# Not part of test.sh: it takes a few minutes of CPU.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build/release}
shift || true
speeds=("$@")
[ ${#speeds[@]} -eq 0 ] && speeds=(100 75 50)

measure=$build/bench/speech_measure
course=$build/course/____Data
model=/usr/share/pocketsphinx/model/en-us
for need in "$measure" "$course" "$model/en-us.lm.bin"; do
  if [ ! -e "$need" ]; then
    echo "missing $need: see the header of $0" >&2
    exit 2
  fi
done
command -v pocketsphinx_continuous >/dev/null || { echo "pocketsphinx is missing: scripts/install-deps.sh --measure" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

echo "load before: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
declare -A errors
words=0
printf '%-10s %6s' lesson words
for speed in "${speeds[@]}"; do printf ' %8s' "$speed %"; errors[$speed]=0; done
echo
for source in course/lessons/*/text.tsv; do
  lesson=$(basename "$(dirname "$source")")
  [ -f "$course/$lesson/text.wav" ] || continue
  "$measure" reference "$source" > "$work/$lesson.ref"
  line=""
  for speed in "${speeds[@]}"; do
    "$measure" render "$course/$lesson/text.wav" "$speed" "$work/$lesson-$speed.wav"
    pocketsphinx_continuous -infile "$work/$lesson-$speed.wav" -hmm "$model/en-us" \
      -lm "$model/en-us.lm.bin" -dict "$model/cmudict-en-us.dict" -logfn /dev/null \
      > "$work/$lesson-$speed.hyp"
    read -r wrong count < <("$measure" wer "$work/$lesson.ref" "$work/$lesson-$speed.hyp")
    errors[$speed]=$(( errors[$speed] + wrong ))
    line+=$(awk -v e="$wrong" -v n="$count" 'BEGIN { printf " %7.1f%%", 100 * e / n }')
  done
  words=$(( words + count ))
  printf '%-10s %6d%s\n' "$lesson" "$count" "$line"
done
[ "$words" -gt 0 ] || { echo "no lesson texts found in $course" >&2; exit 2; }

printf '%-10s %6d' all "$words"
for speed in "${speeds[@]}"; do
  awk -v e="${errors[$speed]}" -v n="$words" 'BEGIN { printf " %7.1f%%", 100 * e / n }'
done
echo
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
if [[ " ${speeds[*]} " == *" 100 "* && " ${speeds[*]} " == *" 75 "* ]]; then
  awk -v a="${errors[75]}" -v b="${errors[100]}" -v n="$words" 'BEGIN {
    d = 100 * (a - b) / n
    printf "75 %% against 100 %%: %+.1f points (bar: at most +5): %s\n", d, d <= 5 ? "met" : "NOT met" }'
fi
