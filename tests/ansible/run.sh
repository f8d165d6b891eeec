#!/usr/bin/env bash
# The Ansible role of contrib/ansible against three sandbox machines (XP, 2000, 98), each a host
# on this computer (local connection, HASTELYN_MACHINE per host), and a fourth with a restricted
# account played alone:
#   a preset planned with --check --diff (nothing changes, the diff names its rows), rolled out
#   (each host's baseline taken first and fetched), and a second run changes nothing; the same
#   for tick-all, after which a restart is wanted; a locked row, and a write the restricted
#   account is refused, fail that host with the row named and the rows changed; a missing tool
#   and a string where a list belongs are errors; each host drifted from its baseline gets it
#   back in one run.
# usage: run.sh HASTELYN_CLI HASTELYN_MKMACHINE   (exit 77: skipped, the reason on stdout)
set -euo pipefail

if ! command -v ansible-playbook >/dev/null 2>&1; then
  echo "SKIPPED: ansible-playbook is not installed (Debian's ansible package; ./setup.sh test installs it)"
  exit 77
fi
[ $# -eq 2 ] || { echo "usage: $0 HASTELYN_CLI HASTELYN_MKMACHINE" >&2; exit 2; }
cli=$(realpath "$1")
mkmachine=$(realpath "$2")
here=$(cd "$(dirname "$0")" && pwd)
playbook=$here/../../contrib/ansible/site.yml
output() { python3 "$here/playbook_output.py" "$@"; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
trap 'exit 1' INT TERM
export ANSIBLE_HOME=$work/ansible ANSIBLE_LOCAL_TEMP=$work/ansible/tmp ANSIBLE_REMOTE_TEMP=$work/ansible/tmp
export ANSIBLE_STDOUT_CALLBACK=json ANSIBLE_RETRY_FILES_ENABLED=false ANSIBLE_NOCOLOR=1
export ANSIBLE_PYTHON_INTERPRETER=$(command -v python3)
# Ansible refuses to start in a locale that is not UTF-8.
export LC_ALL=C.UTF-8
unset ANSIBLE_CONFIG HASTELYN_MACHINE

passes=0 failures=0
pass() { echo "ok: $*"; passes=$((passes + 1)); }
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
expect() {  # expect WHAT ACTUAL EXPECTED
  if [ "$2" = "$3" ]; then pass "$1"; else fail "$1"; printf '  expected:\n%s\n  got:\n%s\n' "$3" "$2"; fi
}

hosts=(pc-xp pc-2000 pc-98)
declare -A edition=([pc-xp]=xp [pc-2000]=2000 [pc-98]=98)
for host in "${hosts[@]}"; do "$mkmachine" "${edition[$host]}" "$work/$host" >/dev/null; done
# pc-98 gets the tool copied from the controller; the others run it where it was built.
cat >"$work/inventory.yml" <<INVENTORY
hastelyn:
  hosts:
    pc-xp: {hastelyn_machine: "$work/pc-xp"}
    pc-2000: {hastelyn_machine: "$work/pc-2000"}
    pc-98: {hastelyn_machine: "$work/pc-98", hastelyn_tool_source: "$cli", hastelyn_tool_path: "$work/bin/hastelyn-cli"}
  vars:
    ansible_connection: local
    hastelyn_tick_all: true
    hastelyn_tool_path: "$cli"
INVENTORY
# An XP machine whose account is a restricted one, played alone.
"$mkmachine" xp "$work/pc-user" >/dev/null
sed -i 's/^Account=.*/Account=Restricted/' "$work/pc-user/machine.ini"
# Beside it, a host without the tool.
sed -e '/pc-/d' -e "s|^  hosts:|&\n    pc-user: {hastelyn_machine: \"$work/pc-user\"}\n    pc-gone: {hastelyn_tool_path: \"$work/none/hastelyn-cli\"}|" \
  "$work/inventory.yml" >"$work/restricted.yml"
# Rows every edition has and none ticks when new.
printf '; rolled out by the test\r\n[Preset]\r\nDesktop5=tick\r\nExplorer2=tick\r\nPower3=tick\r\n' >"$work/fleet.ini"
preset_rows=$'Desktop5\nExplorer2\nPower3'
printf '{"hastelyn_tick_all": false, "hastelyn_preset_source": "%s"}' "$work/fleet.ini" >"$work/preset-vars.json"

# play NAME [ansible-playbook arguments]: runs the playbook, its JSON in $work/NAME.json, its
# exit status in $status.
play() {
  local name=$1
  shift
  status=0
  ansible-playbook -i "$work/inventory.yml" "$playbook" "$@" >"$work/$name.json" 2>"$work/$name.err" || status=$?
}
# Every file and folder of the three machines, with the contents' hashes.
fingerprint() {
  local host
  for host in "${hosts[@]}"; do
    (cd "$work/$host" && find . -printf '%y %p\n' | LC_ALL=C sort && find . -type f -print0 | LC_ALL=C sort -z | xargs -0 sha256sum)
  done | sha256sum
}
recap() {  # recap NAME HOST: "changed=N failures=N unreachable=N" of that host
  output "$work/$1.json" stats | sed -n "s/^$2 //p"
}
expect_recaps() {  # expect_recaps WHAT NAME RECAP HOST...
  local what=$1 name=$2 wanted=$3 host
  shift 3
  for host in "$@"; do expect "$what: $host: recap" "$(recap "$name" "$host")" "$wanted"; done
}
sorted() { LC_ALL=C sort; }
# The enabled rows of the five tweak lists that are not ticked, one a line.
unticked() { HASTELYN_MACHINE=$work/$1 "$cli" status | awk -F'\t' '$1 !~ /^Service:/ && $3 == 1 && $2 == 0 { print $1 }'; }
ticked() { HASTELYN_MACHINE=$work/$1 "$cli" status | awk -F'\t' '$2 == 1 { print $1 }'; }
baseline="drives/C/Program Files/Hastelyn/復元ポイント 基準.ini"

declare -A first_ticked
for host in "${hosts[@]}"; do first_ticked[$host]=$(ticked "$host"); done

# The preset, checked: nothing on the machines changes, no tool is copied; the plan and its diff
# name the preset's rows; the baseline would be taken; the host still waiting for its tool says so.
before=$(fingerprint)
play preset-check --check --diff -e "@$work/preset-vars.json"
expect "preset, check mode: exit status" "$status" 0
expect "preset, check mode: the machines are untouched" "$(fingerprint)" "$before"
[ ! -e "$work/bin/hastelyn-cli" ] || fail "preset, check mode: the tool was copied"
for host in pc-xp pc-2000; do
  expect "preset, check mode: $host: planned" "$(output "$work/preset-check.json" state "Plan the rows" "$host")" changed
  expect "preset, check mode: $host: the rows planned" "$(output "$work/preset-check.json" rows "Plan the rows" "$host")" "$preset_rows"
  expect "preset, check mode: $host: the diff's rows" \
    "$(output "$work/preset-check.json" diff "Plan the rows" "$host" | cut -d' ' -f1)" "$preset_rows"
  expect "preset, check mode: $host: the baseline would be taken" \
    "$(output "$work/preset-check.json" state "Take the baseline" "$host")" changed
done
expect "preset, check mode: pc-98: the tool is still to come" \
  "$(output "$work/preset-check.json" msg "Say why nothing can be planned yet" pc-98)" \
  "hastelyn-cli would be copied to $work/bin/hastelyn-cli first; nothing can be planned before it is there."

# Rolled out: each host's baseline is taken before the change and kept on the controller, and
# a second run changes nothing.
play preset -e "@$work/preset-vars.json"
expect "preset: exit status" "$status" 0
cmp -s "$cli" "$work/bin/hastelyn-cli" || fail "preset: pc-98 did not get the tool"
for host in "${hosts[@]}"; do
  expect "preset: $host: the rows done" "$(output "$work/preset.json" rows "Make the changes" "$host")" "$preset_rows"
  cmp -s "$work/$host/$baseline" "$work/hastelyn-baselines/$host/復元ポイント 基準.ini" ||
    fail "preset: $host: the baseline is not on the controller"
done
cmp -s "$work/pc-xp/$baseline" "$work/pc-2000/$baseline" && fail "preset: two hosts have one baseline"
play preset-again -e "@$work/preset-vars.json"
expect "preset again: exit status" "$status" 0
expect_recaps "preset again" preset-again "changed=0 failures=0 unreachable=0" "${hosts[@]}"

# Tick-all, checked (every row to tick is planned), rolled out (the rows done are the rows
# planned), and again (nothing changes).
declare -A to_tick
for host in "${hosts[@]}"; do
  to_tick[$host]=$(unticked "$host")
  [ -n "${to_tick[$host]}" ] || fail "$host: the machine has no row to tick"
done
play check --check
expect "tick-all, check mode: exit status" "$status" 0
for host in "${hosts[@]}"; do
  expect "tick-all, check mode: $host: every row to tick is planned" \
    "$(LC_ALL=C comm -23 <(sorted <<<"${to_tick[$host]}") <(output "$work/check.json" rows "Plan the rows" "$host" | sorted))" ""
done
play apply
expect "tick-all: exit status" "$status" 0
for host in "${hosts[@]}"; do
  expect "tick-all: $host: changed" "$(output "$work/apply.json" state "Make the changes" "$host")" changed
  expect "tick-all: $host: the rows done are the rows planned" \
    "$(output "$work/apply.json" rows "Make the changes" "$host")" "$(output "$work/check.json" rows "Plan the rows" "$host")"
  expect "tick-all: $host: nothing left unticked" "$(unticked "$host")" ""
  expect "tick-all: $host: a restart is wanted" \
    "$(output "$work/apply.json" fact "Note whether Windows wants a restart" "$host" hastelyn_reboot_required)" true
done
play again
expect "tick-all again: exit status" "$status" 0
expect_recaps "tick-all again" again "changed=0 failures=0 unreachable=0" "${hosts[@]}"
expect "tick-all again: no restart is wanted" \
  "$(output "$work/again.json" fact "Note whether Windows wants a restart" pc-xp hastelyn_reboot_required)" false

# A string where a list of rows belongs stops the play before the tool runs.
play not-a-list --limit pc-xp -e '{"hastelyn_tick_all": false, "hastelyn_tick": "Desktop2"}'
expect "a string for a list: pc-xp fails" "$(output "$work/not-a-list.json" state "Check what is to be rolled out" pc-xp)" failed
case "$(output "$work/not-a-list.json" msg "Check what is to be rolled out" pc-xp)" in
  *'lists of rows in hastelyn_tick and hastelyn_untick'*) pass "a string for a list: the message" ;;
  *) fail "a string for a list: the message"; output "$work/not-a-list.json" msg "Check what is to be rolled out" pc-xp ;;
esac

# A row locked in pc-2000's settings file and asked for by name: the play fails there with the
# tool's message, and the others, where the row is already in force, succeed.
settings="$work/pc-2000/drives/C/Program Files/Hastelyn/Hastelyn.ini"
grep -q '^\[DisabledItem\]' "$settings" 2>/dev/null && fail "the settings file already has [DisabledItem]"
printf '\r\n[DisabledItem]\r\nDesktop2=true\r\n' >>"$settings"
play locked -e '{"hastelyn_tick_all": false, "hastelyn_tick": ["Desktop2"]}'
expect "locked row: exit status" "$status" 2
expect "locked row: pc-2000 fails" "$(output "$work/locked.json" state "Make the changes" pc-2000)" failed
case "$(output "$work/locked.json" msg "Make the changes" pc-2000)" in
  *"Desktop2 はロックされているか、この Windows では使えないため、変更できません。"*) pass "locked row: the tool's message" ;;
  *) fail "locked row: the tool's message"; output "$work/locked.json" msg "Make the changes" pc-2000 ;;
esac
expect_recaps "locked row" locked "changed=0 failures=0 unreachable=0" pc-xp pc-98
sed -i '/^\[DisabledItem\]/,$d' "$settings"

# The restricted account: the first write it is refused fails the host, naming the row, and
# the rows changed before it are reported. A host without the tool says so.
status=0
ansible-playbook -i "$work/restricted.yml" "$playbook" >"$work/restricted.json" 2>"$work/restricted.err" || status=$?
expect "restricted: exit status" "$status" 2
expect "restricted: fails" "$(output "$work/restricted.json" state "Make the changes" pc-user)" failed
done_rows=$(output "$work/restricted.json" rows "Make the changes" pc-user)
[ -n "$done_rows" ] || fail "restricted: no row reported as changed before the refusal"
case "$(output "$work/restricted.json" msg "Make the changes" pc-user)" in
  *"Desktop4: "*"アクセスが拒否されました。"*"Rows changed: $(head -n 1 <<<"$done_rows"),"*) pass "restricted: the row and the rows changed" ;;
  *) fail "restricted: the row and the rows changed"; output "$work/restricted.json" msg "Make the changes" pc-user ;;
esac
expect "no tool: the message" "$(output "$work/restricted.json" msg "Stop where the tool is missing" pc-gone)" \
  "hastelyn-cli is not at $work/none/hastelyn-cli on pc-gone: put it there, or set hastelyn_tool_source to the file on the controller and the role copies it."

# Every host back to its own baseline: drifted in check mode (the diff names the rows), put
# back in one run, then left alone.
restore_vars=(-e '{"hastelyn_tick_all": false, "hastelyn_restore_baseline": true}')
before=$(fingerprint)
play restore-check --check --diff "${restore_vars[@]}"
expect "baseline, check mode: exit status" "$status" 0
expect "baseline, check mode: the machines are untouched" "$(fingerprint)" "$before"
for host in "${hosts[@]}"; do
  expect "baseline, check mode: $host: drifted" \
    "$(output "$work/restore-check.json" state "Compare the host with the restore point" "$host")" changed
  case $'\n'"$(output "$work/restore-check.json" diff "Compare the host with the restore point" "$host")"$'\n' in
    *$'\nDesktop5\n'*) pass "baseline, check mode: $host: the diff names a row" ;;
    *) fail "baseline, check mode: $host: the diff names a row" ;;
  esac
done
play restore "${restore_vars[@]}"
expect "baseline: exit status" "$status" 0
for host in "${hosts[@]}"; do
  expect "baseline: $host: restored" "$(output "$work/restore.json" state "Put the restore point back" "$host")" changed
  expect "baseline: $host: the rows ticked before the first run" "$(ticked "$host")" "${first_ticked[$host]}"
done
play restore-again "${restore_vars[@]}"
expect "baseline again: exit status" "$status" 0
expect_recaps "baseline again" restore-again "changed=0 failures=0 unreachable=0" "${hosts[@]}"

echo "$passes passed, $failures failed"
[ "$failures" -eq 0 ]
