#!/usr/bin/env bash
# The first exercise of level 1 played by ear, with the Orca screen reader
# as a blind pupil uses it: Orca, the accessibility bus and the speech
# server on a private session, the Russian keyboard layout, and Orca's debug
# log read for what it said and what it put on the braille display (its log
# has every braille line, with or without a display). Checks that Orca says
# the prompt and the keys that choose a level; the level, the first word
# and its first letter once "1" is pressed; that its own commands
# (where-am-I, review) neither start the clock nor count a mistake, and
# where-am-I reads the whole state; the next letter after each correct key,
# spoken and on braille; a counted mistake with the finger, spoken and on
# braille, and nothing for a repeated one; after Orca is restarted in the
# middle of the exercise, where-am-I reads the game with the next letter and
# the letters go on; the result message with its button; the next exercise
# with the counters. Everything Orca said is kept in
# <artefacts>/screen_reader/speech.txt, its braille lines in braille.txt, the
# time from each key to the next letter's announcement in latency.txt.
# Exits 77 where Orca cannot run.
set -u
if [ -z "${PALTSEKHOD_SR_SESSION:-}" ]; then
    # A private session bus: Orca and the trainer meet on it only.
    PALTSEKHOD_SR_SESSION=1 exec dbus-run-session -- bash "$0" "$@"
fi
source "$(dirname "$0")/xsession.sh"
e2e_begin screen_reader "$@"

source "$(dirname "$0")/orca_session.sh"

start_orca "$ARTEFACTS/orca.log"

# ---- what Orca said

heard=0  # utterances already looked at
# said PATTERN: an utterance after the ones looked at matches PATTERN (an
# extended regular expression).
said() {
    speech | tail -n +$((heard + 1)) | grep -qE -- "$1"
}
# hear PATTERN WHAT: waits until Orca says PATTERN; the utterances up to the
# one that matched count as looked at.
hear() {
    poll "$E2E_TIMEOUT" said "$1" || { speech >"$ARTEFACTS/speech.txt"; e2e_fail "Orca did not say '$1' ($2)"; }
    heard=$(speech | grep -nE -- "$1" | awk -F: -v h="$heard" '$1 > h { print $1; exit }')
}
# Every braille line of the log so far, one a line.
braille() {
    /usr/bin/python3 -c 'import re, sys
text = open(sys.argv[1], encoding="utf-8", errors="replace").read()
for m in re.finditer(r"BRAILLE LINE:  \x27(.*?)\x27$", text, re.M):
    print(m.group(1))' "$LOG"
}
shown=0  # braille lines already looked at
on_braille() {
    braille | tail -n +$((shown + 1)) | grep -qE -- "$1"
}
# see PATTERN WHAT: waits until a braille line matches PATTERN, as hear.
see() {
    poll "$E2E_TIMEOUT" on_braille "$1" || { braille >"$ARTEFACTS/braille.txt"; e2e_fail "no braille line '$1' ($2)"; }
    shown=$(braille | grep -nE -- "$1" | awk -F: -v h="$shown" '$1 > h { print $1; exit }')
}
# The game's line on braille as the status that holds the focus shows it:
# what matters now first.
status_line() { echo "Ход игры $1( |\$)"; }
# The time of day of Orca's last utterance, in seconds.
last_said_at() {
    grep -a "SPEECH OUTPUT" "$LOG" | tail -1 | awk '{ split($1, t, ":"); printf "%.6f\n", t[1] * 3600 + t[2] * 60 + t[3] }'
}
now() { date +%H:%M:%S.%N | awk '{ split($1, t, ":"); printf "%.6f\n", t[1] * 3600 + t[2] * 60 + t[3] }'; }

orca_started
heard=$(speech | wc -l)

screen_reader_on

start_trainer "$BINARY"
wait_splash
park_pointer

# ---- the level choice

# The prompt once, after the splash has been read.
hear "^О программе" "the splash"
hear "Тренировка\\. Выбери уровень сложности\\. Нажми 1, 2 или 3\\." "the prompt and the level keys"
[ "$(speech | grep -c "Выбери уровень сложности")" -eq 1 ] || { speech >"$ARTEFACTS/speech.txt"; e2e_fail "the prompt was said more than once"; }
see "$(status_line "Тренировка\\. Выбери уровень сложности\\. Нажми 1, 2 или 3\\.")" "the prompt on braille"
# Where the line starts with the program (Orca 43 puts it first), it is
# named as a Russian child reads it.
if braille | grep -q "^paltsekhod "; then
    braille >"$ARTEFACTS/braille.txt"
    e2e_fail "the braille line names the program by its command alone"
fi

press 1
hear "Уровень сложности: 1\\. Упражнение 1\\. пара\\. П\\." "the level, the exercise, the first word and letter"
see "$(status_line "пара\\. П\\.")" "the first word and letter on braille"

# Orca's own commands while the game waits paused: where-am-I reads the
# whole state; the review of the current and the next line, and the end of
# review. None of them is judged: the one mistake of the exercise below is
# all the errors count at its end. The keypad keys go by their keycodes: by
# name, xdotool may send another key that also carries the keysym (with
# xkb-data 2.48, Orca heard KP_Subtract as Alt and the trainer counted a
# mistake).
press_key_of KP_Enter
# where_am_i LETTERS ERRORS PAUSED LINE: what where-am-I says during the
# first exercise.
where_am_i() {
    echo "^$4 Уровень сложности: 1\\. Упражнение 1\\. Время: [0-9:]+\\. Набрано букв: $1\\. .*Ошибок: $2\\.$3\$"
}
hear "$(where_am_i 0 0 " Пауза\\." "пара\\. П\\.")" \
    "where-am-I: the state of the game, paused before the first letter"
press_key_of KP_Up
hear "пара\\. П\\. Уровень" "the review of the current line"
press_key_of KP_Prior
press_key_of KP_Subtract

# ---- the first exercise by ear

exercise="ПАРА ПАРА ПАРА ПАРА ПАРА ПОРА ПОРА ПОРА ПОРА ПОРА ПАРА ПОРА ПАРА ПОРА ПАРА "
spoken_letter() { if [ "$1" = " " ]; then echo "пробел\\."; else echo "$1\\."; fi; }
: >"$ARTEFACTS/latency.txt"
for ((i = 0; i < ${#exercise}; i++)); do
    letter=${exercise:i:1}
    if [ "$i" -eq 2 ]; then
        # A wrong key (Ф for Р) counts a mistake and names the letter again
        # with the finger that strikes it, heard and on braille; a second
        # wrong key at the same place is not counted.
        press "$(home_row_keysym ru Ф)"
        hear "Ошибка\\. Р, правый указательный\\.$" "a counted mistake"
        see "$(status_line "Ошибка\\. Р, правый указательный\\.")" "a counted mistake on braille"
        mistake=$heard
        press "$(home_row_keysym ru Ф)"
    fi
    if [ "$i" -eq 22 ]; then
        # Orca restarted in the middle of a word: it finds the game's status
        # focused, and where-am-I reads the state with the next letter.
        kill -TERM "$ORCA_PID"
        poll 10 orca_gone || kill -KILL "$ORCA_PID"
        start_orca "$ARTEFACTS/orca-restarted.log"
        heard=0 shown=0
        poll 60 orca_up || e2e_fail "the restarted Orca said nothing within 60 s"
        see "$(status_line "$(spoken_letter "$letter")")" "the game's line on braille once Orca is back"
        press_key_of KP_Enter
        hear "$(where_am_i 22 1 "" "$(spoken_letter "$letter")")" "where-am-I after Orca's restart"
    fi
    sent=$(now)
    press "$(home_row_keysym ru "$letter")"
    [ $((i + 1)) -eq ${#exercise} ] && break
    next=$(spoken_letter "${exercise:i+1:1}")
    hear "$next\$" "the letter after letter $((i + 1))"
    see "$(status_line "([^ .]+\\. )?$next")" "the letter after letter $((i + 1)) on braille"
    # How long the key took from xdotool to the next letter's announcement
    # (the log's clock is the time of day).
    awk -v s="$sent" -v t="$(last_said_at)" 'BEGIN { d = t - s; if (d < 0) d += 86400; printf "%.0f\n", d * 1000 }' \
        >>"$ARTEFACTS/latency.txt"
    if [ "$i" -eq 2 ]; then
        speech | sed -n "$((mistake + 1)),${heard}p" | grep -q "Ошибка" && e2e_fail "a repeated wrong key was counted"
    fi
done

# ---- the result, then the next exercise

hear "Конец упражнения.*(Чтобы ошибок не было совсем|Работай спокойнее|Ещё чуть-чуть|Хорошо, но это|Если ещё потренироваться)" \
    "the result message's title and text (one or two mistakes)"
# Then the button, which holds the dialog's focus. On a busy machine Qt may
# have handed the last key to the window before Orca answered for it (Qt
# waits 100 ms); Orca then handles that key after the dialog has come and
# cuts its own reading short, taking the focus to the button silently. Its
# log shows the button focused all the same.
button_focused() {
    grep -aqE "object:state-changed:focused for \[(push button \| |button: ')Продолжить" "$LOG"
}
button_heard() { said "Продолжить"; }
if poll 10 button_heard; then
    hear "Продолжить" "the result message's button"
    # Nothing cut in between: no key of the child's, late, interrupted the
    # reading of the message.
    from=$(grep -an "SPEECH OUTPUT: 'Конец упражнения" "$LOG" | tail -1 | cut -d: -f1)
    to=$(grep -an "SPEECH OUTPUT: '[^']*Продолжить" "$LOG" | tail -1 | cut -d: -f1)
    if sed -n "${from},${to}p" "$LOG" | grep -q "Interrupting presentation"; then
        e2e_fail "the result message's reading was interrupted"
    fi
else
    button_focused || { speech >"$ARTEFACTS/speech.txt"; e2e_fail "the result message's button neither spoken nor focused"; }
    echo "the button took the focus; Orca, handling a late key, did not read it"
fi
shot result
press Return
hear "Упражнение 2\\. Набрано букв: 75\\. Скорость: [0-9]+ б/мин\\. Ошибок: 1\\. [^ .]+\\. П\\." \
    "the next exercise with the counters, its first word and letter"

speech >"$ARTEFACTS/speech.txt"
braille >"$ARTEFACTS/braille.txt"
sort -n "$ARTEFACTS/latency.txt" | awk '{ v[NR] = $1 } END {
    printf "key to next letter spoken: median %d ms, slowest %d ms, over %d keys\n", v[int((NR + 1) / 2)], v[NR], NR }'
echo "screen reader: passed"
