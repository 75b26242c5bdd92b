#!/bin/bash
# Makes the game's 23 sound cues and its explanation file; run it after changing a line here.
#
#   tools/cues/make-cues.sh [output folder]      (default: assets/sounds)
#
# Needs espeak-ng (with its Japanese voice), sox and iconv. The output is committed, so the
# game builds and plays without any of them. Voices are espeak-ng reading kana: it reads kanji
# as English words, so every spoken line below is written in kana only.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
out=${1:-$here/../../assets/sounds}
mkdir -p "$out/wave"
out=$(cd "$out" && pwd)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

readonly rate=22050
# -R seeds sox's noise and dither with a fixed number, so the same script gives the same bytes.
sx() { sox -R -V1 "$@"; }
# Intermediate sounds are mono 32-bit float, so mixing and chords never clip before the end.
raw=(-r "$rate" -c 1 -e floating-point -b 32)

# Writes the finished cue: 16-bit mono PCM, peak at -1 dBFS, a short fade at each end so
# nothing clicks when a cue starts or is cut off by the next one, and 2 ms of silence around
# it for the same reason. $3 is the fade-in: effects that must hit hard get a shorter one.
finish() {
    local src=$1 dst=$2 fade_in=${3:-0.02}
    sx "$src" -r "$rate" -c 1 -e signed-integer -b 16 "$dst" \
        highpass 30 fade t "$fade_in" -0 0.04 gain -n -1 pad 0.002 0.002
    local secs
    secs=$(soxi -D "$dst")
    if awk -v s="$secs" 'BEGIN { exit !(s > 3.0) }'; then
        echo "make-cues: $(basename "$dst") lasts $secs s, longer than 3 s" >&2
        exit 1
    fi
}

# The RMS level of a sound, 0..1; used to catch a voice that came out silent.
rms_of() { sx "$1" -n stat 2>&1 | awk '/^RMS +amplitude/ { print $3 }'; }

# voice NAME PITCH SPEED "KANA" [extra sox effects...]
# The man speaks: espeak-ng's Japanese voice, pitch 0..99, speed in words a minute, then a
# gentle compressor so that quiet and loud lines end up about as loud as the effects.
voice() {
    local name=$1 pitch=$2 speed=$3 text=$4
    shift 4
    espeak-ng -v ja -p "$pitch" -s "$speed" -w "$work/speech.wav" "$text"
    if awk -v r="$(rms_of "$work/speech.wav")" 'BEGIN { exit !(r < 0.01) }'; then
        echo "make-cues: espeak-ng said nothing for $name ($text)" >&2
        exit 1
    fi
    # espeak-ng leaves silence around a line; cut it so the voice starts with the moment.
    sx "$work/speech.wav" "${raw[@]}" "$work/voiced.wav" \
        silence 1 0.01 -45d reverse silence 1 0.01 -45d reverse \
        highpass 90 lowpass 7000 "$@" compand 0.002,0.08 6:-70,-60,-45,-12,-25,-6,0,-3 -3 -90 0.005
    finish "$work/voiced.wav" "$out/$name"
}

# note FILE SECONDS WAVE "FREQ..." [extra sox effects...]
# One note or chord: a tone per frequency (in Hz, or %n semitones from A 440), mixed to mono.
note() {
    local file=$1 secs=$2 wave=$3 freqs=($4)
    shift 4
    local tones=()
    for f in "${freqs[@]}"; do tones+=("$wave" "$f"); done
    sx -r "$rate" -c "${#freqs[@]}" -n "${raw[@]}" "$file" synth "$secs" "${tones[@]}" remix - "$@"
}

# rest FILE SECONDS: silence between notes and beats.
rest() { sx -n "${raw[@]}" "$1" trim 0 "$2"; }

# brass FILE SECONDS "FREQ..." [release]: a bright fanfare note.
brass() {
    local file=$1 secs=$2 freqs=$3 release=${4:-0.05}
    note "$file" "$secs" sawtooth "$freqs" lowpass 2600 fade t 0.015 -0 "$release"
}

# ---- Spoken cues -------------------------------------------------------------------------

# A new man begins his life (start-up and every restart).
voice iikaradani.wav 45 150 "いいからだに、なるぞー！"
# Training.
voice iiase.wav 35 140 "いいあせ、かいたな"
# Protein: the shake goes down in two gulps.
voice purotein.wav 40 160 "ぷろていん、ごくごくっ"
# The forbidden muscle cream starts working.
voice saibou.wav 55 170 "さいぼうが、かっせいか！"
# A full meal.
voice manpuku.wav 35 150 "うーん、まんぷく、まんぷく"
# The tanning salon.
voice hiyake.wav 40 150 "こんがり、やけたぜ"
# The beauty salon (may sound twice in one visit).
voice keana.wav 50 160 "けあなまで、すっきり"
# Posing: one short grunt of effort in a small hall.
voice pose.wav 20 120 "ふんっ！" pad 0 0.25 reverb 30 50 40
# Death by skin cancer: too much tan.
voice hihugan.wav 30 130 "うわっ、ひふがんだ"
# Death by overwork.
voice karousi.wav 25 120 "うあー、もうだめだ"
# Death by thinness.
voice yasesugi.wav 50 160 "やせすぎだっつーの！"
# After a death: a wish for the next life, slow and far away. (The particle is spelled わ
# because espeak-ng would read は as "ha".)
voice raiseha.wav 20 110 "らいせわ、まっちょに" pad 0 0.5 reverb 60 50 80 echo 0.8 0.7 120 0.3
# The body-fat ending: the scale shows seventy percent.
voice 70%.wav 35 170 "たいしぼう、ななじゅっぱーせんと！"
# Level 4 with the muscle of level 5: "squeeze the fat off"; also a poke on the belly.
voice motto.wav 35 160 "もっと、しぼってくれよ"
# Passing the audition.
voice goukaku.wav 60 160 "ごうかくだよ、あにき！"
# The explanation opens.
voice waka.wav 50 140 "よーく、よんで、わかってね"

# ---- Effects -----------------------------------------------------------------------------

# Part-time job: two coins dropping into the till, a short tick and a long ring each.
note "$work/tick.wav" 0.06 sine "1976 3951" fade t 0.002 -0 0.01
note "$work/ring.wav" 0.55 sine "2637 5274 3520" fade l 0.002 -0 0.5
sx "$work/tick.wav" "$work/ring.wav" "$work/coin.wav"
rest "$work/gap.wav" 0.08
sx "$work/coin.wav" "$work/gap.wav" "$work/coin.wav" "$work/coins.wav"
finish "$work/coins.wav" "$out/money.wav" 0.003

# The audition: a heartbeat, lub-dub three times, a little fast with nerves.
note "$work/lub.wav" 0.13 sine "95-45" overdrive 12 lowpass 400 fade q 0.005 -0 0.09
note "$work/dub.wav" 0.10 sine "80-40" overdrive 12 lowpass 400 fade q 0.005 -0 0.07 vol 0.7
rest "$work/short.wav" 0.10
rest "$work/long.wav" 0.42
sx "$work/lub.wav" "$work/short.wav" "$work/dub.wav" "$work/long.wav" "$work/beat.wav"
sx "$work/beat.wav" "$work/beat.wav" "$work/beat.wav" "$work/heart.wav"
finish "$work/heart.wav" "$out/dokidoki.wav" 0.005

# A poke on the body outside the belly: a slap, a sharp crack with a short room tail.
sx -n "${raw[@]}" "$work/crack.wav" synth 0.12 whitenoise \
    bandpass 1800 1.2q fade l 0.001 -0 0.11
note "$work/smack.wav" 0.08 sine "220-110" fade l 0.001 -0 0.075
sx -m "$work/crack.wav" "$work/smack.wav" "$work/slap.wav" pad 0 0.15 reverb 20 60 30
finish "$work/slap.wav" "$out/tya.wav" 0.002

# The level-5 body is reached (and, cut in at once, the salute that follows it).
brass "$work/c1.wav" 0.12 "%-2 %3"
brass "$work/c2.wav" 0.12 "%-2 %3"
brass "$work/c3.wav" 0.12 "%3 %7"
brass "$work/c4.wav" 0.75 "%3 %7 %10" 0.65
rest "$work/c-gap.wav" 0.03
sx "$work/c1.wav" "$work/c-gap.wav" "$work/c2.wav" "$work/c-gap.wav" "$work/c3.wav" \
    "$work/c-gap.wav" "$work/c4.wav" "$work/fanfare.wav" reverb 30 50 50
finish "$work/fanfare.wav" "$out/clear.wav" 0.005

# A salute shot: a hard crack, a low boom and a long outdoor tail.
sx -n "${raw[@]}" "$work/bang.wav" synth 0.9 whitenoise lowpass 3500 fade l 0.001 -0 0.88
note "$work/boom.wav" 0.35 sine "110-35" overdrive 15 fade l 0.001 -0 0.33
sx -m "$work/bang.wav" "$work/boom.wav" "$work/shot.wav" pad 0 0.4 reverb 50 50 100 \
    trim 0 1.6
finish "$work/shot.wav" "$out/wave/鉄砲１.wav" 0.002

# Winning the contest: a rising call and a held major chord with a shake at the end.
brass "$work/w1.wav" 0.16 "%-9 %-5"
brass "$work/w2.wav" 0.16 "%-5 %-2"
brass "$work/w3.wav" 0.16 "%-2 %3"
brass "$work/w4.wav" 0.34 "%3 %7"
brass "$work/w5.wav" 0.20 "%1 %5"
brass "$work/w6.wav" 1.20 "%3 %7 %10 %15" 1.0
sx "$work/w6.wav" "$work/w6t.wav" tremolo 7 30
rest "$work/w-gap.wav" 0.04
sx "$work/w1.wav" "$work/w-gap.wav" "$work/w2.wav" "$work/w-gap.wav" "$work/w3.wav" \
    "$work/w-gap.wav" "$work/w4.wav" "$work/w-gap.wav" "$work/w5.wav" "$work/w6t.wav" \
    "$work/victory.wav" reverb 40 50 60
finish "$work/victory.wav" "$out/congra.wav" 0.005

# Failing the audition: a muted horn sinking by half steps, the last note wobbling.
sad() {
    note "$1" "$2" sawtooth "$3" lowpass 900 fade t 0.03 -0 0.25 "${@:4}"
}
sad "$work/s1.wav" 0.42 "293.7-289"
sad "$work/s2.wav" 0.42 "277.2-273"
sad "$work/s3.wav" 0.42 "261.6-258"
sad "$work/s4.wav" 1.20 "246.9-240" tremolo 5 45 fade t 0 -0 1.0
rest "$work/s-gap.wav" 0.06
sx "$work/s1.wav" "$work/s-gap.wav" "$work/s2.wav" "$work/s-gap.wav" "$work/s3.wav" \
    "$work/s-gap.wav" "$work/s4.wav" "$work/sad.wav" reverb 20 50 40
finish "$work/sad.wav" "$out/hugoukaku.wav"

# ---- The explanation file ----------------------------------------------------------------

# The game reads it as Shift_JIS with CR LF line ends; the source here is UTF-8 with LF.
sed 's/$/\r/' "$here/explanation.txt" | iconv -f UTF-8 -t CP932 >"$out/ムキロ・タフ.txt"

echo "make-cues: wrote 23 cues and the explanation into $out"
