#!/usr/bin/env bash
# The demo end to end, as a person at the terminal: zelsheet-demo runs in tmux on a new
# database; the test unticks a check box with Space and saves, queries by name, types a
# remark into a customer, adds a customer whose code already exists (and a date that is no
# date), saves, reads the screen back, opens the error list, hides a column, filters the
# rows and quits. Then the database must hold exactly the saved changes, and the next start
# shows the column hidden.
#
#   demo_e2e.sh PATH_TO_ZELSHEET_DEMO
set -euo pipefail
demo="$1"
work="$(mktemp -d)"
session="zel_e2e_$$"
sock="$work/tmux.sock"
t() { tmux -S "$sock" "$@"; }
cleanup() {
  t kill-server 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

screen() { t capture-pane -p -t "$session"; }
fail() {
  echo "FAILED: $*"
  echo "---- screen ----"
  screen || true
  exit 1
}
# Every check waits for the screen to come to the state it expects (at most 60 s): a frame
# may be caught half drawn, and a loaded machine may be slow to draw it at all.
# wait_for TEXT [WHY]: until a line holds TEXT; wait_re REGEX [WHY]: until a line matches.
wait_until() {
  for _ in $(seq 600); do
    screen | grep -q "$1" -- "$2" && return 0
    sleep 0.1
  done
  fail "${3:-the screen never showed: $2}"
}
wait_for() { wait_until -F "$1" "${2:-}"; }
wait_re() { wait_until -E "$1" "${2:-}"; }
# Waits until the screen no longer shows `text`.
wait_gone() {
  for _ in $(seq 600); do
    screen | grep -qF -- "$1" || return 0
    sleep 0.1
  done
  fail "the screen still shows: $1"
}
keys() { t send-keys -t "$session" "$@"; }
type_text() { t send-keys -t "$session" -l -- "$1"; }
db() { sqlite3 "$work/customers.db" "$1"; }

export LC_ALL=C.UTF-8 ZELSHEET_SETTINGS_DB="$work/settings.db" XDG_DATA_HOME="$work/data"
t -u new-session -d -s "$session" -x 120 -y 30 \
  "TERM=xterm-256color '$demo' --db '$work/customers.db'; echo \"demo ended \$?\"; sleep 60"
wait_for "300건 조회했습니다"

# Space on C0000002's 사용 box unticks it; the row is marked and Ctrl+S saves it.
keys Down Right Right Right Right Right Space
wait_for " U │C0000002"
keys Right Right C-s
wait_for "1건 저장했습니다."
# A new customer's first change must leave the saved row alone, though the last cell entered
# is still its region code.
keys C-n
type_text "C0000301"
keys Tab C-Home
wait_for "행 1 / 301"
wait_for " 2 │C0000002" "the saved row was marked again"

# Query by name (the new customer is let go): two customers hold "한결상사"; C0000005 comes
# first.
keys F6
type_text "한결상사"
keys Enter
wait_for "저장하겠습니까?"
type_text "n"
wait_for "2건 조회했습니다"
wait_for " 1 │C0000005  │주식회사 한결상사" "C0000005 is not the first row"

# A remark for C0000005: the remark column is the tenth; the cursor starts in the first.
keys Right Right Right Right Right Right Right Right Right
type_text "우수 거래처"
# Enter in the last column goes to the start of the next row, and the view back to the first
# columns; going right again brings the remark into sight.
keys Enter
wait_for "행 2 / 2"
keys Right Right Right Right Right Right Right Right Right
wait_for "우수 거래처"
wait_for " U │C0000005" "the edited row is not marked U"

# A new customer with a code that exists: the server must refuse it.
keys C-n
wait_for "새 거래처를 입력하십시오"
type_text "C0000005"
keys Tab
type_text "새한물산"
keys Tab F4 Down Enter
wait_for "새한물산"
# A registration date that is no date keeps the cursor in its cell, and the status line
# says why; a real one typed over it is checked by the save too, which leaves no cell, and
# written day first. (Enter closing the list of 구분 moved on to 여신한도.)
keys Tab
type_text "20241315"
keys Tab
wait_for "올바른 날짜가 아닙니다 (20241315)"
type_text "2024-1-5"

keys C-s
wait_for "저장시 오류가 1개 발생하였습니다"
wait_for "│05-01-2024 │"
keys Enter
wait_for "1건 저장, 1건 오류"
wait_for " 1 │C0000005  │주식회사 한결상사" "the saved row is not unmarked"
wait_for " A │C0000005  │새한물산" "the refused row is not pending"
# The refused row is red: its text is written in the failed-row colour (red, 196).
red() { t capture-pane -p -e -t "$session" | grep "새한물산" | grep -q $'\e\\[[0-9;]*38;5;196'; }
for _ in $(seq 100); do red && break; sleep 0.1; done
red || fail "the refused row is not red"

keys F8
wait_for "3행: 거래처코드가 이미 있습니다: C0000005"
keys Escape
wait_gone "오류 목록 (1건)"

# The user hides the kind column ("구분") through the sheet's configuration dialog; the next
# start must show the sheet as the user left it.
keys F10
wait_for "Sheet 설정..."
keys Down Down Down Down Enter
wait_for "숨길 열에 표시하십시오"
keys Down Down Space Enter
wait_gone "  구분  │"

# The filter offers the columns the user sees (not the hidden 구분, nor the system's own),
# and the title line says that rows are hidden.
keys F10
wait_for "Sheet 설정..."
keys Down Down Down Down Down Down Enter
wait_for "│ 비고 "
! screen | grep -qE "│ (구분|일련번호|버전) " || fail "the filter offers hidden columns"
keys Down
type_text "주식"
keys Enter
wait_for "필터: 1건이 조건에 맞습니다"
wait_for "필터 적용 중"

# Quitting with the refused row pending asks first; No quits without saving.
keys C-q
wait_for "저장하겠습니까?"
type_text "n"
wait_for "demo ended"
wait_for "demo ended 0" "the demo did not end cleanly"

[ "$(db "SELECT remark FROM customers WHERE code = 'C0000005'")" = "우수 거래처" ] ||
  fail "the remark was not saved"
[ "$(db "SELECT active FROM customers WHERE code = 'C0000002'")" = "0" ] ||
  fail "the box ticked with Space was not saved"
[ "$(db "SELECT count(*) FROM customers")" = "300" ] || fail "the customer count changed"
[ "$(db "SELECT count(*) FROM customers WHERE name = '새한물산'")" = "0" ] ||
  fail "the refused customer was written"

# SIGTERM ends the program cleanly: the terminal is given back in its usual modes.
# The second session starts before the first is killed: killing a server's last session
# ends the server, and a session started meanwhile can find it gone.
first="$session"
session="${session}_2"
t -u new-session -d -s "$session" -x 100 -y 20 \
  "TERM=xterm-256color '$demo' --db '$work/customers.db'; echo \"ended \$?\"; stty -a | tr ' ;' '\\n\\n' | grep -xE -- '-?(icanon|echo)'; echo modes read; sleep 60"
t kill-session -t "$first"
wait_for "300건 조회했습니다"
wait_re "│거래처명 *║ *여신한도│" "the hidden column came back"
shell_pid="$(t display-message -p -t "$session" '#{pane_pid}')"
demo_pid="$(pgrep -P "$shell_pid" | head -n 1)"
[ -n "$demo_pid" ] || fail "no demo process"
kill -TERM "$demo_pid"
wait_for "ended 0"
# "ended" is printed before stty runs: wait until its lines are on the screen too.
wait_for "modes read"
wait_re "^icanon$" "the terminal modes were not restored"
wait_re "^echo$" "the terminal modes were not restored"
echo "1 passed, 0 failed"
