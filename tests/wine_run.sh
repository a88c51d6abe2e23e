#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The netquiz developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the Windows build of the journal's bytes layer test under Wine: every group, then the
# short write under a file-size limit (the one way Wine cuts a Windows program's write short).
# Usage: wine_run.sh WINE64 WINESERVER PREFIX_FOLDER TEST_EXE
set -euo pipefail
wine=$1 wineserver=$2 exe=$4
export WINEPREFIX=$3 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=" # no Mono or Gecko installer on the prefix's first start
mkdir -p "$WINEPREFIX"

"$wine" "$exe"

# The limit must not reach the wineserver, which writes the prefix's registry: start it first,
# without the limit, and let only the test run under it. SIGXFSZ ignored, as netquiz does.
"$wineserver" -k 2>/dev/null || true
"$wineserver" -w
"$wineserver" -p30 >/dev/null 2>&1
status=0
(trap '' XFSZ; ulimit -f 64; exec "$wine" "$exe" size-limit 65536) || status=$?
"$wineserver" -k 2>/dev/null || true
exit $status
