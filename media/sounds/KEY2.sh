#!/bin/sh
# Key 2: a music-box D5, a plucked string that rings out gently.
. "$(dirname "$0")/common.sh"
# The plucked-string voice only runs at 44.1 kHz or more, so it is made there and resampled.
"$SOX" -R -D -r 44100 -c 1 -n -r "$RATE" -e floating-point -b 32 "$OUT" \
  synth 0.9 pluck D5 40 highpass 80 lowpass 5000 fade t 0.002 0.9 0.5 gain -n -3
