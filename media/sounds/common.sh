# Shared by the sound scripts: every sound is 22050 Hz, 16-bit mono PCM, made by sox in repeatable mode
# (fixed noise seeds, no dither) so the same script always gives the same bytes.
set -eu
: "${SOX:=sox}"
: "${FFMPEG:=ffmpeg}"
RATE=22050
# Every sound is brought to one loudness: its loudest 400 ms (EBU R128 momentary loudness) at LOUDNESS
# LUFS, unless that would take its true peak above CEILING dBFS; then it stops at the ceiling.
LOUDNESS=-18
CEILING=-1.5
WORK=$(mktemp -d)
# A script makes its sound in OUT (32-bit float, so levelling rounds only once); on success it is
# levelled into 16 bits beside the work files and moved into place, so a failed run never leaves a
# half-written file that a later build would take as up to date.
DEST=$1
OUT=$WORK/made.wav
trap 'status=$?; if [ "$status" -eq 0 ]; then { level && mv "$WORK/level.wav" "$DEST"; } || status=$?; fi; rm -rf "$WORK"; exit "$status"' EXIT

# level: OUT to WORK/level.wav at the common loudness. Measured by ffmpeg's R128 meter over the sound
# followed by 400 ms of silence, so a sound shorter than the window still gets a reading. The meter
# prints its figures to 0.1, so the last bits of its arithmetic cannot change the file.
# (Runs from the exit trap, where `set -e` does not hold: every step checks its own status.)
level() {
  meter=$("$FFMPEG" -nostdin -nostats -hide_banner -i "$OUT" -af apad=pad_dur=0.4,ebur128=peak=true -f null - 2>&1) ||
    { printf '%s\n' "$meter" >&2; return 1; }
  gain=$(printf '%s\n' "$meter" | awk -v target="$LOUDNESS" -v ceiling="$CEILING" '
    match($0, /M: *-?[0-9.]+/) { m = substr($0, RSTART + 2, RLENGTH - 2) + 0; if (!seen || m > loudest) loudest = m; seen = 1 }
    /True peak:/ { in_peak = 1 }
    in_peak && match($0, /Peak: *-?[0-9.]+/) { peak = substr($0, RSTART + 5, RLENGTH - 5) + 0; found = 1; in_peak = 0 }
    END {
      if (!seen || !found) exit 1
      g = target - loudest
      if (g > ceiling - peak) g = ceiling - peak
      printf "%.2f", g
    }') || { echo "no loudness reading for $DEST" >&2; return 1; }
  "$SOX" -R -D "$OUT" -b 16 "$WORK/level.wav" gain "$gain"
}

# part EFFECTS...: one voice of a mix, as a sox pipe input ("|sox ... -p") for `sox -m`.
part() {
  printf '|%s -R -D -r %s -c 1 -n -p %s' "$SOX" "$RATE" "$*"
}

# mix "EFFECTS AFTER THE MIX" VOICE...: mixes the voices and applies the effects (peaking at -3 dBFS
# before levelling).
mix() {
  post=$1; shift
  # shellcheck disable=SC2086  # the effect list is meant to split into words
  "$SOX" -R -D -m "$@" -e floating-point -b 32 -r "$RATE" -c 1 "$OUT" $post gain -n -3
}

# one EFFECTS...: a single voice straight to the output.
one() {
  "$SOX" -R -D -r "$RATE" -c 1 -n -e floating-point -b 32 "$OUT" "$@" gain -n -3
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
# only (anything with memory, like a filter, would break the seam; the levelling gain is one too).
finish_loop() {
  "$SOX" -R -D "$WORK/loop.wav" -e floating-point -b 32 "$OUT" "$@" gain -n -3
}
