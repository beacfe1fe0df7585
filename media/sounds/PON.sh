#!/bin/sh
# Pon: a round, hollow pop, like a cork leaving a bottle.
. "$(dirname "$0")/common.sh"
mix "fade t 0.002 0.3 0.2" \
  "$(part synth 0.3 sine 700-330 fade l 0 0.3 0.28)" \
  "$(part synth 0.3 sine 1400-660 fade l 0 0.1 0.098 pad 0 0.2 gain -10)"
