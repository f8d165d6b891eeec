#!/usr/bin/env bash
# The Ansible role of contrib/ansible against three sandbox machines (XP, 2000, 98), each a host
# on this computer (local connection, HASTELYN_MACHINE per host):
#   check mode changes nothing and reports the planned changes; the real run changes all three;
#   a second run changes nothing; a drifted machine gets its restore point back, once; a host
#   whose settings file locks a row fails with the tool's message while the others succeed.
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
# A tool without plan (older than the role) cannot be played against.
probe=$(HASTELYN_MACHINE=$work/pc-xp "$cli" plan 2>&1 >/dev/null || true)
if grep -qx 'unknown command: plan' <<<"$probe"; then
  echo "SKIPPED: $cli has no plan command"
  exit 77
fi
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
# The enabled rows of the five tweak lists that are not ticked, one a line.
unticked() { HASTELYN_MACHINE=$work/$1 "$cli" status | awk -F'\t' '$1 !~ /^Service:/ && $3 == 1 && $2 == 0 { print $1 }'; }
ticked() { HASTELYN_MACHINE=$work/$1 "$cli" status | awk -F'\t' '$2 == 1 { print $1 }'; }

declare -A to_tick first_ticked
for host in "${hosts[@]}"; do
  to_tick[$host]=$(unticked "$host")
  first_ticked[$host]=$(ticked "$host")
  [ -n "${to_tick[$host]}" ] || fail "$host: the new machine has no row to tick"
done

# Check mode: plan only. Nothing on the machines changes, no tool is copied; the plan lists every
# row that tick-all ticks; the host still waiting for its tool says so.
before=$(fingerprint)
play check --check
expect "check mode: exit status" "$status" 0
expect "check mode: the machines are untouched" "$(fingerprint)" "$before"
[ ! -e "$work/bin/hastelyn-cli" ] || fail "check mode: the tool was copied"
for host in pc-xp pc-2000; do
  expect "check mode: $host: the plan is a change" "$(output "$work/check.json" state "Changes planned" "$host")" changed
  expect "check mode: $host: every row to tick is planned" \
    "$(LC_ALL=C comm -23 <(LC_ALL=C sort <<<"${to_tick[$host]}") <(output "$work/check.json" rows "Changes planned" "$host" | LC_ALL=C sort))" ""
done
expect "check mode: pc-98: the tool is still to come" \
  "$(output "$work/check.json" msg "Changes planned" pc-98)" \
  "hastelyn-cli would be copied to $work/bin/hastelyn-cli first; nothing can be planned before it is there."

# The real run changes all three: the rows done are the rows planned (pc-98 planned nothing, its
# tool still to come), and every enabled row of the five lists now reads as ticked.
play apply
expect "apply: exit status" "$status" 0
cmp -s "$cli" "$work/bin/hastelyn-cli" || fail "apply: pc-98 did not get the tool"
for host in "${hosts[@]}"; do
  expect "apply: $host: changed" "$(output "$work/apply.json" state "Changes made" "$host")" changed
  [ "$host" = pc-98 ] || expect "apply: $host: the rows done are the rows planned" \
    "$(output "$work/apply.json" rows "Changes made" "$host")" "$(output "$work/check.json" rows "Changes planned" "$host")"
  expect "apply: $host: every row to tick is done" \
    "$(LC_ALL=C comm -23 <(LC_ALL=C sort <<<"${to_tick[$host]}") <(output "$work/apply.json" rows "Changes made" "$host" | LC_ALL=C sort))" ""
  expect "apply: $host: nothing left unticked" "$(unticked "$host")" ""
done

# Applied again, and planned again: nothing changes.
play again
expect "second run: exit status" "$status" 0
for host in "${hosts[@]}"; do
  expect "second run: $host: recap" "$(recap again "$host")" "changed=0 failures=0 unreachable=0"
done
before=$(fingerprint)
play check-again --check
expect "check mode after the run: exit status" "$status" 0
expect "check mode after the run: the machines are untouched" "$(fingerprint)" "$before"
for host in "${hosts[@]}"; do
  expect "check mode after the run: $host: recap" "$(recap check-again "$host")" "changed=0 failures=0 unreachable=0"
done

# A row locked in pc-2000's settings file and asked for by name: the play fails there with the
# tool's message, and the others, where the row is already in force, succeed.
settings="$work/pc-2000/drives/C/Program Files/Hastelyn/Hastelyn.ini"
grep -q '^\[DisabledItem\]' "$settings" 2>/dev/null && fail "the settings file already has [DisabledItem]"
printf '\r\n[DisabledItem]\r\nDesktop2=true\r\n' >>"$settings"
play locked -e '{"hastelyn_tick": ["Desktop2"]}'
expect "locked row: exit status" "$status" 2
expect "locked row: pc-2000 fails" "$(output "$work/locked.json" state "Changes made" pc-2000)" failed
case "$(output "$work/locked.json" msg "Changes made" pc-2000)" in
  *"Desktop2 はロックされているか、この Windows では使えないため、変更できません。"*) pass "locked row: the tool's message" ;;
  *) fail "locked row: the tool's message"; output "$work/locked.json" msg "Changes made" pc-2000 ;;
esac
for host in pc-xp pc-98; do
  expect "locked row: $host: recap" "$(recap locked "$host")" "changed=0 failures=0 unreachable=0"
done

# pc-xp goes back to the restore point its run made: planned (drifted) in check mode, put back
# once, then left alone.
point=$(output "$work/apply.json" field "Changes made" pc-xp restore_point)
python3 -c 'import json, sys; print(json.dumps({"hastelyn_tick_all": False, "hastelyn_restore_point": sys.argv[1]}))' \
  "$point" >"$work/restore-vars.json"
before=$(fingerprint)
play restore-check --check --limit pc-xp -e "@$work/restore-vars.json"
expect "restore point, check mode: exit status" "$status" 0
expect "restore point, check mode: drifted" "$(output "$work/restore-check.json" state "Differences from the restore point" pc-xp)" changed
expect "restore point, check mode: the machines are untouched" "$(fingerprint)" "$before"
play restore --limit pc-xp -e "@$work/restore-vars.json"
expect "restore point: exit status" "$status" 0
expect "restore point: restored" "$(output "$work/restore.json" state Restored pc-xp)" changed
expect "restore point: the rows ticked before the first run" "$(ticked pc-xp)" "${first_ticked[pc-xp]}"
play restore-again --limit pc-xp -e "@$work/restore-vars.json"
expect "restore point again: exit status" "$status" 0
expect "restore point again: recap" "$(recap restore-again pc-xp)" "changed=0 failures=0 unreachable=0"

echo "$passes passed, $failures failed"
[ "$failures" -eq 0 ]
