# Sound recipes for sox, read by tools/content/regenerate (which sets OUT, the sounds folder, and
# WORK, a scratch folder). All mono, 22050 Hz, 16 bit; every sound fades in and out so that it
# starts and ends without a click.
RATE="-r 22050 -c 1 -b 16"

# rotate: a short, soft tick, two partials a fifth apart
sox -R -n $RATE "$OUT/rotate.wav" synth 0.07 sine 1175 sine mix 1760 \
    fade q 0.006 0.07 0.05 gain -n -9

# hit: the landing thump, a falling low tone with a little filtered noise
sox -R -n $RATE "$WORK/hit_tone.wav" synth 0.16 sine 190:70 fade q 0.003 0.16 0.13
sox -R -n $RATE "$WORK/hit_noise.wav" synth 0.16 brownnoise lowpass 900 fade q 0.002 0.16 0.15 vol 0.5
sox -R -m "$WORK/hit_tone.wav" "$WORK/hit_noise.wav" $RATE "$OUT/hit.wav" gain -n -4

# row: a bright rising chime, C6 E6 G6 C7 one after another, each note ringing out
notes=""
i=0
for f in 1047 1319 1568 2093; do
  start=$(awk "BEGIN { print $i * 0.055 }")
  sox -R -n $RATE "$WORK/row_$i.wav" synth 0.32 sine $f sine mix $((f * 2)) \
      fade q 0.008 0.32 0.28 pad "$start" 0
  notes="$notes $WORK/row_$i.wav"
  i=$((i + 1))
done
# shellcheck disable=SC2086
sox -R -m $notes $RATE "$OUT/row.wav" gain -n -6
