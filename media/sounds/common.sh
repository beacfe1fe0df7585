# Shared by the sound scripts: every sound is 22050 Hz, 16-bit mono PCM, made by sox in repeatable mode
# (fixed noise seeds, no dither) so the same script always gives the same bytes.
set -eu
: "${SOX:=sox}"
RATE=22050
WORK=$(mktemp -d)
# The sound is written beside the work files and moved into place only when every step succeeded,
# so a failed run never leaves a half-written file that a later build would take as up to date.
DEST=$1
OUT=$WORK/out.wav
trap 'status=$?; if [ "$status" -eq 0 ]; then mv "$OUT" "$DEST" || status=$?; fi; rm -rf "$WORK"; exit "$status"' EXIT

# part EFFECTS...: one voice of a mix, as a sox pipe input ("|sox ... -p") for `sox -m`.
part() {
  printf '|%s -R -D -r %s -c 1 -n -p %s' "$SOX" "$RATE" "$*"
}

# mix "EFFECTS AFTER THE MIX" VOICE...: mixes the voices, applies the effects and peaks at -3 dBFS.
mix() {
  post=$1; shift
  # shellcheck disable=SC2086  # the effect list is meant to split into words
  "$SOX" -R -D -m "$@" -b 16 -r "$RATE" -c 1 "$OUT" $post gain -n -3
}

# one EFFECTS...: a single voice straight to the output, peaking at -3 dBFS.
one() {
  "$SOX" -R -D -r "$RATE" -c 1 -n -b 16 "$OUT" "$@" gain -n -3
}

# noise_loop SECONDS SYNTH_AND_FILTERS...: writes $WORK/loop.wav, a seamless loop of shaped noise.
# A longer take is made (its first half second, where the filters settle, is dropped), then the
# take's continuation past the loop length is cross-faded (equal power) into its head, so the last
# sample of the loop runs straight on into the first.
noise_loop() {
  len=$(awk "BEGIN{print int($1 * $RATE + 0.5)}"); shift
  xf=$((RATE / 4))
  "$SOX" -R -D -r "$RATE" -c 1 -n "$WORK/take.wav" "$@" trim "$((RATE / 2))s" "$((len + xf))s" gain -n -6
  "$SOX" -R -D "$WORK/take.wav" "$WORK/head.wav" trim 0s "${xf}s" fade q "${xf}s"
  "$SOX" -R -D "$WORK/take.wav" "$WORK/tail.wav" trim "${len}s" "${xf}s" fade q 0s "${xf}s" "${xf}s"
  "$SOX" -R -D "$WORK/take.wav" "$WORK/body.wav" trim "${xf}s" "$((len - xf))s"
  "$SOX" -R -D -m -v 1 "$WORK/head.wav" -v 1 "$WORK/tail.wav" "$WORK/seam.wav"
  "$SOX" -R -D "$WORK/seam.wav" "$WORK/body.wav" "$WORK/loop.wav"
}

# finish_loop EFFECTS...: the loop from noise_loop to the output, through sample-by-sample effects
# only (anything with memory, like a filter, would break the seam).
finish_loop() {
  "$SOX" -R -D "$WORK/loop.wav" -b 16 "$OUT" "$@" gain -n -3
}
