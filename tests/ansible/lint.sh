#!/usr/bin/env bash
# yamllint with the project's .yamllint over its YAML, and ansible-lint's production profile
# over contrib/ansible (its .ansible-lint). Exit 77: skipped, the reason on stdout.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source=$(cd "$here/../.." && pwd)
for tool in yamllint ansible-lint; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "SKIPPED: $tool is not installed (Debian's $tool package; ./setup.sh test installs it)"
    exit 77
  fi
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export ANSIBLE_HOME=$work/ansible ANSIBLE_LOCAL_TEMP=$work/ansible/tmp XDG_CACHE_HOME=$work/cache LC_ALL=C.UTF-8
unset ANSIBLE_CONFIG
cd "$source"
yamllint --strict -c .yamllint contrib .yamllint
cd contrib/ansible
ansible-lint --nocolor --offline
