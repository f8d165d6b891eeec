#!/usr/bin/env python3
"""Reads what ansible-playbook printed through its json callback, for run.sh.

  playbook_output.py FILE stats              one line per host: HOST changed=N failures=N unreachable=N
  playbook_output.py FILE state TASK HOST    changed, ok, failed or skipped (absent: the task never ran there)
  playbook_output.py FILE msg TASK HOST      the task's message: a text as it is, anything else as JSON
  playbook_output.py FILE rows TASK HOST     the rows the tool reported, one a line
  playbook_output.py FILE diff TASK HOST     the header of each entry of the task's diff, one a line
  playbook_output.py FILE fact TASK HOST K   the fact K the task set
"""
import json
import sys


def task_result(output, task, host):
    # The last run of the task on the host that was not skipped, else a skipped one.
    found = None
    for play in output["plays"]:
        for entry in play["tasks"]:
            result = entry["hosts"].get(host)
            # A role's tasks are named "ROLE : NAME".
            if entry["task"]["name"].split(" : ", 1)[-1] == task and result is not None:
                if found is None or not result.get("skipped"):
                    found = result
    return found


def show(value):
    print(value if isinstance(value, str) else json.dumps(value, ensure_ascii=False, sort_keys=True))


def main():
    with open(sys.argv[1], encoding="utf-8") as f:
        text = f.read()
    # Warnings may stand before the object.
    output = json.loads(text[text.index("{"):])
    what = sys.argv[2]
    if what == "stats":
        for host, stats in sorted(output["stats"].items()):
            print(f"{host} changed={stats['changed']} failures={stats['failures']} "
                  f"unreachable={stats['unreachable']}")
        return
    result = task_result(output, sys.argv[3], sys.argv[4])
    if what == "state":
        print("absent" if result is None else "skipped" if result.get("skipped") else
              "failed" if result.get("failed") else "changed" if result.get("changed") else "ok")
        return
    result = result or {}
    if what == "msg":
        show(result.get("msg", ""))
    elif what == "rows":
        for row in result.get("rows", []):
            print(row)
    elif what == "diff":
        for entry in result.get("diff", []):
            print(entry["before_header"])
    elif what == "fact":
        show(result.get("ansible_facts", {}).get(sys.argv[5]))


main()
