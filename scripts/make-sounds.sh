#!/usr/bin/env bash
# Makes the WAV files the program plays (voices, greetings, header clicks, chimes) into
# data/files/, from where the build copies them beside the executables.
# Needs sox and espeak-ng only when a file has to be made; the files are kept in the
# repository, so a normal build never runs this.
#
#   scripts/make-sounds.sh            make the files that are missing
#   scripts/make-sounds.sh --force    make all of them again
#   scripts/make-sounds.sh --out DIR  write into DIR instead of data/files
#
# Output: 16-bit PCM, mono, 22050 Hz, normalised, leading and trailing silence trimmed.
# Without a Japanese espeak-ng voice every file becomes its own tone figure instead.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
out="$here/../data/files"
force=0
while [ $# -gt 0 ]; do
  case "$1" in
    --force) force=1 ;;
    --out) shift; out="${1:?--out needs a folder}" ;;
    -h|--help) sed -n '2,12p' "${BASH_SOURCE[0]}"; exit 0 ;;
    *) echo "make-sounds: unknown option: $1" >&2; exit 2 ;;
  esac
  shift
done
mkdir -p "$out"
out="$(cd "$out" && pwd)"

rate=22050
chime_name="ﾁｬｲﾑ01.wav"   # half-width katakana, UTF-8 on disk

# name | words spoken (kana: the Japanese voice reads kanji as foreign letters) | chime first
voices=(
  "zikan.wav|おじかんです|1"
  "oyobi.wav|およびですか|0"
  "goyo.wav|ごようですか|0"
  "tukare.wav|おつかれさまでした|0"
  "asa.wav|おはようございます|0"
  "hiru.wav|こんにちは|0"
  "yoru.wav|こんばんは|0"
  "a.wav|あ|0"
  "arr.wav|あらら|0"
  "soko.wav|そこ|0"
)

# Tone figures used when no Japanese voice is there: note frequencies and lengths (s).
declare -A figures=(
  [zikan.wav]="784:0.18 988:0.18 1175:0.30"
  [oyobi.wav]="523:0.15 659:0.15 784:0.25"
  [goyo.wav]="784:0.15 659:0.15 784:0.25"
  [tukare.wav]="784:0.20 659:0.20 523:0.20 392:0.40"
  [asa.wav]="523:0.15 659:0.15 784:0.15 1047:0.30"
  [hiru.wav]="659:0.20 784:0.20 659:0.30"
  [yoru.wav]="659:0.20 523:0.20 440:0.40"
  [a.wav]="880:0.12"
  [arr.wav]="988:0.10 880:0.10 784:0.18"
  [soko.wav]="698:0.10 1047:0.16"
)

need() {
  command -v "$1" >/dev/null 2>&1 || {
    echo "make-sounds: $1 is needed to make the sound files (scripts/install-deps.sh installs it)" >&2
    exit 1
  }
}

wanted() { [ "$force" -eq 1 ] || [ ! -s "$out/$1" ]; }

# -D: no dither, so the same input always gives the same bytes.
SOX=(sox -D -V1)
FORMAT=(-r "$rate" -c 1 -b 16 -e signed-integer)

tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT

# A bell-like tone: fundamental with a softer octave, decaying.
tone() {  # file freq seconds
  local octave fadeout
  octave="$(awk -v f="$2" 'BEGIN{printf "%.2f", f * 2}')"
  fadeout="$(awk -v s="$3" 'BEGIN{printf "%.3f", s * 0.8}')"
  "${SOX[@]}" -n "${FORMAT[@]}" -c 2 "$tmp/tone2.wav" synth "$3" sine "$2" sine "$octave"
  "${SOX[@]}" "$tmp/tone2.wav" "${FORMAT[@]}" "$1" remix 1v0.7,2v0.25 fade q 0.004 "$3" "$fadeout"
}

# Two-tone chime, high then low.
chime() {  # file
  tone "$tmp/c1.wav" 659.26 0.45
  tone "$tmp/c2.wav" 523.25 0.75
  "${SOX[@]}" "$tmp/c1.wav" "$tmp/c2.wav" "${FORMAT[@]}" "$tmp/chime_raw.wav"
  finish "$tmp/chime_raw.wav" "$1"
}

figure() {  # file "freq:len ..."
  local parts=() i=0 note
  for note in $2; do
    tone "$tmp/f$i.wav" "${note%%:*}" "${note##*:}"
    parts+=("$tmp/f$i.wav")
    i=$((i + 1))
  done
  if [ ${#parts[@]} -eq 1 ]; then
    cp "${parts[0]}" "$tmp/fig_raw.wav"
  else
    "${SOX[@]}" "${parts[@]}" "${FORMAT[@]}" "$tmp/fig_raw.wav"
  fi
  finish "$tmp/fig_raw.wav" "$1"
}

# Trim silence at both ends, pad a little, normalise, write the final format.
finish() {  # in out
  "${SOX[@]}" "$1" "${FORMAT[@]}" "$tmp/final.wav" \
    silence 1 0.005 0.3% reverse silence 1 0.005 0.3% reverse \
    pad 0.02 0.05 norm -1
  mv -f "$tmp/final.wav" "$2"
}

# Spoken words into $tmp/voice.wav, leading silence trimmed.
speak() {  # words
  espeak-ng -v ja -s 150 -w "$tmp/voice_raw.wav" "$1"
  "${SOX[@]}" "$tmp/voice_raw.wav" "${FORMAT[@]}" "$tmp/voice.wav" silence 1 0.005 0.3%
}

todo=0
for entry in "${voices[@]}"; do
  wanted "${entry%%|*}" && todo=1
done
wanted "$chime_name" && todo=1
if [ "$todo" -eq 0 ]; then
  exit 0
fi

need sox
has_ja=0
if command -v espeak-ng >/dev/null 2>&1 && espeak-ng --voices=ja 2>/dev/null | awk 'NR>1 && $2=="ja"{f=1} END{exit !f}'; then
  has_ja=1
else
  echo "make-sounds: no Japanese espeak-ng voice; the voice files become tone figures" >&2
fi

if wanted "$chime_name"; then
  chime "$out/$chime_name"
  echo "made $chime_name"
fi

for entry in "${voices[@]}"; do
  IFS='|' read -r name words with_chime <<<"$entry"
  wanted "$name" || continue
  if [ "$has_ja" -eq 1 ]; then
    speak "$words"
    if [ "$with_chime" = 1 ]; then
      tone "$tmp/z1.wav" 987.77 0.22
      tone "$tmp/z2.wav" 783.99 0.35
      "${SOX[@]}" -n "${FORMAT[@]}" "$tmp/gap.wav" trim 0 0.08
      "${SOX[@]}" "$tmp/z1.wav" "$tmp/z2.wav" "$tmp/gap.wav" "$tmp/voice.wav" "${FORMAT[@]}" \
        "$tmp/joined.wav"
      finish "$tmp/joined.wav" "$out/$name"
    else
      finish "$tmp/voice.wav" "$out/$name"
    fi
  else
    figure "$out/$name" "${figures[$name]}"
  fi
  echo "made $name"
done
