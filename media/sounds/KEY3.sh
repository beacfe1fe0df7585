#!/bin/sh
# Key 3: a little flute E5, breathy and round, swelling in softly.
. "$(dirname "$0")/common.sh"
mix "fade h 0.05 0.7 0.3 tremolo 5 12" \
  "$(part synth 0.7 sine E5)" \
  "$(part synth 0.7 sine E6 gain -14)" \
  "$(part synth 0.7 sine B6 gain -22)" \
  "$(part synth 0.7 pinknoise highpass 1500 lowpass 4000 gain -26)"
