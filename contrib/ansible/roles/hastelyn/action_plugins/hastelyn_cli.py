# Runs one hastelyn-cli command on the host with --json and turns its answer into the task's
# outcome: changed and failed as the command's own result says, the rows and the values before
# and after as the task's diff (shown with --diff), whether Windows wants a restart, and on a
# failure the tool's message with the rows it had changed before.
#
# The command runs in check mode too: plan and verify write nothing. A backup in check mode is
# not run; it is reported as the change it would be.
from __future__ import annotations

import json

from ansible.errors import AnsibleActionFail
from ansible.module_utils.parsing.convert_bool import boolean
from ansible.plugins.action import ActionBase

# What each command's JSON "result" may be when the command did its work.
_DONE = {"accelerate": ("changed", "unchanged"), "restore": ("restored", "unchanged")}


def _text(value):
    return "(absent)" if value is None else str(value).replace("\n", "\n    ")


def _row_diff(row, header, before, after):
    return {"before_header": f"{row} {header}".rstrip(), "after_header": f"{row} {header}".rstrip(),
            "before": "".join(before), "after": "".join(after)}


def changes_diff(rows):
    """One diff per row of a plan, accelerate or restore: its values before and after."""
    diffs = []
    for row in rows:
        before, after = [], []
        for change in row.get("changes", []):
            kind, target = change.get("kind"), change.get("target")
            # A command and a service's net command stand on a line of both sides, as the
            # values do, so that each change shows as one line taken out and one put in.
            if kind in ("command", "service"):
                before.append(f"{kind} {target}\n")
                after.append(f"{kind} {target}: {change.get('after') or 'run'}\n")
            else:
                before.append(f"{kind} {target} = {_text(change.get('before'))}\n")
                after.append(f"{kind} {target} = {_text(change.get('after'))}\n")
        diffs.append(_row_diff(row.get("row", ""), row.get("label", ""), before, after))
    return diffs


def differences_diff(differences):
    """One diff per row that drifted: the machine now before, what the file holds after."""
    by_row = {}
    for difference in differences:
        before, after = by_row.setdefault(difference.get("row", ""), ([], []))
        target = difference.get("target")
        before.append(f"{target} = {_text(difference.get('actual'))}\n")
        after.append(f"{target} = {_text(difference.get('expected'))}\n")
    return [_row_diff(row, "", before, after) for row, (before, after) in by_row.items()]


def parse(stdout):
    """The one object the tool prints; Wine's helpers may print lines before it."""
    start = 0 if stdout.startswith("{") else stdout.find("\n{") + 1
    try:
        found = json.loads(stdout[start:])
    except ValueError:
        return {}
    return found if isinstance(found, dict) else {}


def problem_text(problem):
    row, message = problem.get("row", ""), problem.get("message", "")
    return message if row and row in message else f"{row}: {message}"


def outcome(command, rc, answer, stderr, check_mode):
    """changed, failed and the message of one run."""
    rows = answer.get("rows") or []
    problems = (answer.get("refused") or []) + (answer.get("failed") or [])
    done = [row.get("row") for row in rows]
    if command == "plan":
        changed, failed = bool(answer.get("changed")), rc != 0 or "changed" not in answer
    elif command == "verify":
        changed, failed = rc == 3 and check_mode, rc not in (0, 3) or "matches" not in answer
    elif command == "backup":
        changed, failed = rc == 0, rc != 0 or "file" not in answer
    else:
        result = answer.get("result")
        changed = result in ("changed", "restored")
        failed = rc != 0 or bool(problems) or result not in _DONE.get(command, ())
    if not failed:
        return changed, False, None
    if answer.get("error"):
        message = answer["error"]
    elif problems:
        message = " ".join(problem_text(problem) for problem in problems)
        if done and command != "plan":
            message += " Rows changed: " + ", ".join(done) + "."
            if answer.get("restore_point"):
                message += f" Restore point: {answer['restore_point']}"
    elif stderr.strip():
        message = stderr.strip()
    else:
        message = f"hastelyn-cli {command} ended with exit status {rc}"
    return changed, True, message


class ActionModule(ActionBase):
    _VALID_ARGS = frozenset(("command", "argv", "tool", "windows", "chdir"))

    def run(self, tmp=None, task_vars=None):
        result = super().run(tmp, task_vars)
        args = self._task.args
        command = args.get("command")
        argv = args.get("argv") or []
        if not command or not isinstance(argv, list) or not args.get("tool"):
            raise AnsibleActionFail("hastelyn_cli needs command, tool and argv (a list)")
        check_mode = bool(self._task.check_mode)
        argv = [args["tool"], command] + [str(arg) for arg in argv] + ["--json"]
        result["cmd"] = argv
        if command == "backup" and check_mode:
            result.update(changed=True, msg=f"would take {argv[2]}")
            return result

        windows = boolean(args.get("windows", False), strict=False)
        module_args = {"argv": argv}
        if args.get("chdir"):
            module_args["chdir"] = args["chdir"]
        if windows:
            # The tool writes UTF-8 whatever the console's code page.
            module_args["output_encoding_override"] = "utf-8"
        # plan and verify change nothing: they run in check mode as in a real run.
        self._task.check_mode = False
        try:
            run = self._execute_module(
                module_name="ansible.windows.win_command" if windows else "ansible.builtin.command",
                module_args=module_args, task_vars=task_vars)
        finally:
            self._task.check_mode = check_mode
        rc = run.get("rc")
        if rc is None:
            result.update(failed=True, msg=run.get("msg") or "hastelyn-cli could not be started")
            return result

        answer = parse(run.get("stdout", ""))
        changed, failed, message = outcome(command, rc, answer, run.get("stderr", ""), check_mode)
        # The tool's answer in short; the values are in the diff.
        result.update(rc=rc, changed=changed, failed=failed,
                      rows=[row.get("row") for row in answer.get("rows") or []],
                      problems=(answer.get("refused") or []) + (answer.get("failed") or []),
                      reboot_required=bool(answer.get("reboot_required")),
                      stderr_lines=run.get("stderr", "").splitlines())
        for field in ("result", "restore_point", "file", "matches"):
            if field in answer:
                result[field] = answer[field]
        if command == "verify":
            result["drifted"] = rc == 3
            result["diff"] = differences_diff(answer.get("differences") or [])
        elif answer.get("rows"):
            result["diff"] = changes_diff(answer["rows"])
        result["msg"] = message if failed else _summary(command, answer, result)
        return result


def _summary(command, answer, result):
    if command == "verify":
        return "drifted" if result["drifted"] else "matches"
    if command == "backup":
        return f"took {answer.get('file')}"
    rows = ", ".join(result["rows"]) or "no row"
    if command == "plan":
        return f"would change: {rows}" if answer.get("changed") else "nothing would change"
    return f"{answer.get('result')}: {rows}"
