#!/bin/sh
# A longer chime: three bell notes rising (C6, E6, G6) that ring together.
. "$(dirname "$0")/common.sh"
mix "fade t 0.002 1.3 0.3" \
  "$(part synth 1.3 sine C6 fade l 0.005 1.3 1.2)" \
  "$(part synth 1.0 sine E6 fade l 0.005 1.0 0.9 pad 0.1)" \
  "$(part synth 0.9 sine G6 fade l 0.005 0.9 0.8 pad 0.2)" \
  "$(part synth 0.7 sine C7 fade l 0.005 0.7 0.65 pad 0.3 gain -6)"
