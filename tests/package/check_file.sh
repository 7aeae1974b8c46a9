#!/bin/sh
# Checks one of the files that make the program a desktop application, with the tool that
# desktops and distributions check it with; any complaint fails the check.
# Usage: check_file.sh desktop|metainfo|manpage FILE
# Exits 77 (skipped) when the tool is not installed.
set -u

skip() {
    echo "SKIP: $*"
    exit 77
}
need() {
    command -v "$1" >/dev/null 2>&1 || skip "$1 is not installed"
}

[ $# -eq 2 ] || { echo "usage: $0 desktop|metainfo|manpage FILE" >&2; exit 2; }
kind=$1
file=$2
[ -f "$file" ] || { echo "no file at $file" >&2; exit 2; }

case $kind in
desktop)
    need desktop-file-validate
    # Silent when the entry is clean; hints count as complaints too.
    out=$(desktop-file-validate "$file" 2>&1)
    status=$?
    ;;
metainfo)
    need appstreamcli
    # --strict fails on anything above a pedantic hint.
    out=$(appstreamcli validate --no-net --strict --no-color "$file" 2>&1)
    status=$?
    [ $status -eq 0 ] && out=
    ;;
manpage)
    need man
    need groff
    # As man shows it on a UTF-8 terminal (and as lintian checks it), on a plain ASCII one, and
    # as groff typesets it for print: none may warn.
    out=$(
        LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$file" 2>&1 >/dev/null
        LC_ALL=C MANROFFSEQ='' MANWIDTH=80 man --warnings -l "$file" 2>&1 >/dev/null
        groff -man -ww -z "$file" 2>&1
    )
    status=0
    ;;
*)
    echo "unknown kind: $kind" >&2
    exit 2
    ;;
esac

if [ $status -ne 0 ] || [ -n "$out" ]; then
    printf '%s\n' "$out"
    echo "FAIL: $kind check of $file (status $status)"
    exit 1
fi
echo "PASS: $kind check of $file"
