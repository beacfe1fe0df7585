#!/bin/sh
# A twinkle: quick high bell notes tumbling down and up, like a star glinting.
. "$(dirname "$0")/common.sh"
mix "fade t 0 0.9 0.1" \
  "$(part synth 0.4 sine E7 fade l 0.005 0.4 0.39 pad 0 0.5)" \
  "$(part synth 0.4 sine B6 fade l 0.005 0.4 0.39 pad 0.07 0.43)" \
  "$(part synth 0.4 sine G7 fade l 0.005 0.4 0.39 pad 0.14 0.36)" \
  "$(part synth 0.4 sine D7 fade l 0.005 0.4 0.39 pad 0.21 0.29)" \
  "$(part synth 0.5 sine B7 fade l 0.005 0.5 0.49 pad 0.28 0.12 gain -3)"
