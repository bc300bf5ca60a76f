#!/usr/bin/env python3
"""Fails on a CreateThread call without a thread-id pointer in the given files or folders.

    check_threads.py PATH...

Windows 95 and 98 fail CreateThread when lpThreadId, its sixth argument, is null (Win32 SDK:
"Windows 95: lpThreadId cannot be NULL"), so a thread made that way is lost there without a word.
"""
import pathlib
import re
import sys

CALL = re.compile(r"\bCreateThread\s*\(")
NULL = {"nullptr", "NULL", "0", "0L"}


def arguments(text, start):
    """The top-level arguments of the call whose '(' is at text[start]."""
    depth, current, found = 0, [], []
    for char in text[start:]:
        if char in "([{":
            depth += 1
            if depth == 1:
                continue
        elif char in ")]}":
            depth -= 1
            if depth == 0:
                found.append("".join(current).strip())
                return found
        elif char == "," and depth == 1:
            found.append("".join(current).strip())
            current = []
            continue
        current.append(char)
    return found


def problems(path):
    text = path.read_text(encoding="utf-8", errors="replace")
    for match in CALL.finditer(text):
        args = arguments(text, match.end() - 1)
        line = text.count("\n", 0, match.start()) + 1
        if len(args) == 6 and args[5] in NULL:
            yield f"{path}:{line}: CreateThread without a thread-id pointer fails on Windows 95 and 98"


def main():
    files = []
    for name in sys.argv[1:]:
        path = pathlib.Path(name)
        files += sorted(path.rglob("*.cpp")) + sorted(path.rglob("*.h")) if path.is_dir() else [path]
    found = [problem for path in files for problem in problems(path)]
    for problem in found:
        print(problem, file=sys.stderr)
    if not found:
        print(f"{len(files)} files: every CreateThread has a thread-id pointer")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
