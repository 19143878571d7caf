#!/bin/sh
# The quick replies: writes the phrase file chat.ini (in the code page, as the hall
# installs it) into the program folder and speaks every voice file a phrase code
# can name into the shared voice folder:
#   1 <sex digit> <variant digit> <list digit> <three index digits> .wav
# sex 1 a man's voice, 0 a woman's; variant 1 as the speaker's partners hear it,
# 0 as his opponents do; list 1 (list 2 has no phrases). Without espeak-ng the
# phrases are still shown, only silent.
# Usage: voicegen.sh phrases.txt tree-dir [espeak-ng]
set -eu
phrases=$1
tree=$2
espeak=${3:-}
mkdir -p "$tree/dravik" "$tree/common/voice"

n=$(grep -c . "$phrases")
{
  printf '[chat]\r\nnum=%d\r\n' "$n"
  i=1
  grep . "$phrases" | while IFS= read -r line; do
    printf '%d=%s\r\n' "$i" "$line"
    i=$((i + 1))
  done
} | iconv -f UTF-8 -t GBK > "$tree/dravik/chat.ini"

if [ -z "$espeak" ] || [ ! -x "$espeak" ]; then
  echo "voicegen: espeak-ng is not installed, so the quick replies stay silent" \
       "(scripts/setup.sh installs it)"
  exit 0
fi

# The four voices: a man and a woman, each a little brighter to the partners.
voice() {
  case "$1$2" in
    11) echo "cmn+m3 -p 55 -s 165" ;;
    10) echo "cmn+m7 -p 40 -s 155" ;;
    01) echo "cmn+f3 -p 65 -s 165" ;;
    00) echo "cmn+f4 -p 50 -s 155" ;;
  esac
}

index=0
grep . "$phrases" | while IFS= read -r line; do
  for sex in 0 1; do
    for variant in 0 1; do
      file=$(printf '1%d%d1%03d.wav' "$sex" "$variant" "$index")
      # shellcheck disable=SC2046
      "$espeak" -v $(voice "$sex" "$variant") -w "$tree/common/voice/$file" "$line" ||
        echo "voicegen: could not speak $file"
    done
  done
  index=$((index + 1))
done
touch "$tree/common/voice/.voices-generated"
