#!/bin/sh
# Quick brush strokes: three short swishes of soft noise.
. "$(dirname "$0")/common.sh"
mix "fade t 0 0.7 0.02" \
  "$(part synth 0.18 pinknoise highpass 1200 lowpass 5000 fade q 0.05 0.18 0.12 pad 0 0.52)" \
  "$(part synth 0.18 pinknoise highpass 1800 lowpass 6500 fade q 0.05 0.18 0.12 pad 0.22 0.3)" \
  "$(part synth 0.22 pinknoise highpass 1000 lowpass 4500 fade q 0.06 0.22 0.15 pad 0.44 0.04)"
