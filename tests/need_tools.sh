#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The netquiz developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a test that needs tools, once they are all there. A missing tool skips the test where
# someone builds by hand (exit 77, which CTest shows as skipped) and fails it under CI (CI=true),
# so no test leaves a CI run in silence.
# usage: need_tools.sh TOOL... -- COMMAND [ARG...]
#        need_tools.sh --absent WHAT        (CMake found WHAT missing when it configured)
set -euo pipefail
missing=()
if [ "${1:-}" = "--absent" ]; then
  missing=("$2")
  shift $#
else
  while [ $# -gt 0 ] && [ "$1" != "--" ]; do
    command -v "$1" >/dev/null 2>&1 || missing+=("$1")
    shift
  done
  [ $# -gt 0 ] && shift # the --
fi
if [ ${#missing[@]} -gt 0 ]; then
  if [ "${CI:-}" = "true" ]; then
    echo "FAIL: not installed: ${missing[*]} (bash tools/deps.sh installs it)" >&2
    exit 1
  fi
  echo "SKIP: not installed: ${missing[*]} (bash tools/deps.sh installs it)" >&2
  exit 77
fi
exec "$@"
