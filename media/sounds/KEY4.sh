#!/bin/sh
# Key 4: a small bell G5, a clear strike with bright partials that die away first.
. "$(dirname "$0")/common.sh"
mix "fade t 0.002 1.0 0.05" \
  "$(part synth 1.0 sine G5 fade l 0 1.0 0.98)" \
  "$(part synth 1.0 sine 2163.8 fade l 0 0.35 0.34 pad 0 0.65 gain -8)" \
  "$(part synth 1.0 sine 4233.6 fade l 0 0.12 0.118 pad 0 0.88 gain -16)"
