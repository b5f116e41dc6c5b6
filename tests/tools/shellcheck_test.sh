#!/usr/bin/env bash
# Covers: every shell script of the project (by suffix, by its #! line, or by a
# "shellcheck shell=" directive) is shellcheck-clean at warning level, following
# the files it sources.
# Usage: shellcheck_test.sh ROOT
set -euo pipefail
cd "$1"
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  files=$(git ls-files --cached --others --exclude-standard)
else
  files=$(find . -path ./build -prune -o -type f -print | sed 's|^\./||')
fi
scripts=()
while IFS= read -r f; do
  [ -f "$f" ] || continue
  case $f in
    build/*) continue ;;
    *.sh) scripts+=("$f"); continue ;;
  esac
  if head -n 1 "$f" | grep -qE '^#!.*\b(ba)?sh\b' || grep -q '^# shellcheck shell=' "$f"; then
    scripts+=("$f")
  fi
done <<<"$files"
echo "shellcheck -S warning: ${#scripts[@]} scripts"
shellcheck -x -S warning "${scripts[@]}"
