#!/bin/bash
# SPDX-FileCopyrightText: 2026 The Brontix developers
# SPDX-License-Identifier: MIT
# Each TARGET=HEADER: the target, an include of HEADER built against a
# layer that may not use it, fails to compile because HEADER is not found
# (any other failure would prove nothing).
#   wrong_arrows.sh BUILD_DIR TARGET=HEADER...
set -u
build=$1
shift
passed=0 failed=0
for pair in "$@"; do
    target=${pair%%=*} header=${pair#*=}
    out=$(cmake --build "$build" --target "$target" 2>&1)
    if [ $? -ne 0 ] && grep -q "$header: No such file or directory" <<<"$out"; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAIL: $target: including $header was not refused as not found"
        echo "$out" | tail -5
    fi
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
