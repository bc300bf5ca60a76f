#!/usr/bin/env python3
"""Checks a shipped file from its headers alone (objdump -p), so that it runs on any host.

    check_image.py --objdump OBJDUMP --machine i386|x86-64 [--subsystem "Windows GUI"]
                   [--ordinals ordinals.txt] [--exports windows_exports.txt]
                   [--msvcrt msvcrt_nt4.txt]
                   [--resources "TYPE:ID,ID TYPE:*"] FILE

- the PE format of the machine (PE32 for i386, PE32+ for x86-64) and the subsystem;
- no import of a MinGW runtime DLL (they are linked in statically);
- with --ordinals: every import from a library of that list is by ordinal, and the imported
  ordinals are exactly the ones the list gives for that library;
- with --exports: every other import by name is a function of that list (those that Windows
  95 and NT 4.0 export), but those of msvcrt.dll;
- with --msvcrt: every import from msvcrt.dll is a name of that list (what the msvcrt.dll of
  Windows NT 4.0, that is of Visual C++ 4.2, exports);
- with --resources: each resource type holds the listed ids ("*": at least one resource).

    check_image.py --objdump OBJDUMP --exports windows_exports.txt --unused FILE...

fails on the rows of the list that none of the files imports.
"""
import argparse
import re
import subprocess
import sys

MACHINES = {"i386": ("pei-i386", "010b"), "x86-64": ("pei-x86-64", "020b")}
RUNTIMES = re.compile(r"libgcc|libstdc|libwinpthread|mingw", re.IGNORECASE)


def imports_of(headers):
    """{dll (lower case): [(name or None, ordinal or None)]} from objdump's import tables."""
    result = {}
    current = None
    for line in headers.splitlines():
        dll = re.match(r"\s*DLL Name: (\S+)", line)
        if dll:
            current = result.setdefault(dll.group(1).lower(), [])
            continue
        if current is None:
            continue
        if not line.strip():
            if current:
                current = None
            continue
        fields = line.split("\t")
        if len(fields) < 3 or not re.fullmatch(r"[0-9a-f]+", fields[1]):
            continue
        thunk = int(fields[1], 16)
        ordinal_flag = 1 << (4 * len(fields[1]) - 1)  # the top bit of a 32- or 64-bit thunk
        if len(fields[1]) in (8, 16) and thunk & ordinal_flag:
            current.append((None, thunk & 0xFFFF))
        else:
            name = fields[2].split()
            if len(name) >= 2:
                current.append((name[1], None))
    return result


def resources_of(headers):
    """{type id: {name ids}} from objdump's resource directory (type entries are indented by
    three blanks after the offset, name entries by five)."""
    result = {}
    current = None
    for line in headers.splitlines():
        entry = re.match(r"[0-9a-f]+( +)Entry: ID: 0x([0-9a-f]+)", line)
        if not entry:
            continue
        depth, number = len(entry.group(1)), int(entry.group(2), 16)
        if depth == 3:
            current = result.setdefault(number, set())
        elif depth == 5 and current is not None:
            current.add(number)
    return result


def read_ordinals(path):
    """{dll (lower case): {ordinals}} from the list of the libraries' functions."""
    result = {}
    with open(path, encoding="utf-8") as lines:
        for line in lines:
            fields = line.split()
            if not fields or fields[0].startswith("#"):
                continue
            result.setdefault(fields[0].lower(), set()).add(int(fields[1]))
    return result


def read_exports(path):
    """{(dll, function)} in lower case, from the list of what every named Windows exports."""
    result = set()
    with open(path, encoding="utf-8") as lines:
        for line in lines:
            fields = line.split()
            if len(fields) >= 2 and not fields[0].startswith("#"):
                result.add((fields[0].lower(), fields[1].lower()))
    return result


def read_names(path):
    """{name} in lower case, one a line, from a list with '#' comments."""
    with open(path, encoding="utf-8") as lines:
        return {line.split()[0].lower() for line in lines
                if line.strip() and not line.startswith("#")}


def check(headers, args):
    errors = []
    fmt, magic = MACHINES[args.machine]
    if f"file format {fmt}" not in headers:
        errors.append(f"not a PE image for {args.machine}")
    if not re.search(rf"Magic\s+{magic}", headers):
        errors.append(f"not {'PE32' if magic == '010b' else 'PE32+'}")
    if args.subsystem and f"({args.subsystem})" not in headers:
        errors.append(f"not a {args.subsystem} program")
    imports = imports_of(headers)
    errors += [f"imports a MinGW runtime: {dll}" for dll in imports if RUNTIMES.search(dll)]
    if args.ordinals:
        for dll, wanted in read_ordinals(args.ordinals).items():
            if dll not in imports:
                continue
            named = [name for name, _ in imports[dll] if name]
            got = {ordinal for _, ordinal in imports[dll] if ordinal is not None}
            if named:
                errors.append(f"imports {dll} by name: {', '.join(named)}")
            if got != wanted:
                errors.append(f"imports {dll} by ordinals {sorted(got)}, not {sorted(wanted)}")
    if args.exports:
        exported = read_exports(args.exports)
        ordinal_only = set(read_ordinals(args.ordinals)) if args.ordinals else set()
        for dll, entries in sorted(imports.items()):
            if dll == "msvcrt.dll" or dll in ordinal_only:
                continue
            for name, ordinal in entries:
                if name is None:
                    errors.append(f"imports ordinal {ordinal} of {dll}, which no list vouches for")
                elif (dll, name.lower()) not in exported:
                    errors.append(f"imports {name} from {dll}, which is not in the list of what "
                                  f"Windows 95 and NT 4.0 export ({args.exports})")
    if args.msvcrt:
        runtime = read_names(args.msvcrt)
        for name, ordinal in imports.get("msvcrt.dll", []):
            if name is None:
                errors.append(f"imports ordinal {ordinal} of msvcrt.dll, which no list vouches for")
            elif name.lower() not in runtime:
                errors.append(f"imports {name} from msvcrt.dll, which is not in the list of what "
                              f"the msvcrt.dll of Windows NT 4.0 exports ({args.msvcrt})")
    if args.resources:
        found = resources_of(headers)
        for wanted in args.resources.split():
            kind, ids = wanted.split(":")
            have = found.get(int(kind), set())
            if ids == "*":
                if not have:
                    errors.append(f"has no resource of type {kind}")
                continue
            missing = {int(i) for i in ids.split(",")} - have
            if missing:
                errors.append(f"lacks the resources {sorted(missing)} of type {kind}")
    return imports, errors


def unused_rows(args):
    """The rows of the --exports list that none of the files imports."""
    imported = set()
    for path in args.files:
        headers = subprocess.run([args.objdump, "-p", path], check=True,
                                 capture_output=True, text=True).stdout
        for dll, entries in imports_of(headers).items():
            imported |= {(dll, name.lower()) for name, _ in entries if name}
    return sorted(read_exports(args.exports) - imported)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--objdump", required=True)
    parser.add_argument("--machine", choices=MACHINES)
    parser.add_argument("--subsystem")
    parser.add_argument("--ordinals")
    parser.add_argument("--exports")
    parser.add_argument("--msvcrt")
    parser.add_argument("--resources")
    parser.add_argument("--unused", action="store_true",
                        help="fail on the rows of --exports that none of the files imports")
    parser.add_argument("files", nargs="+")
    args = parser.parse_args()
    if args.unused:
        unused = unused_rows(args)
        for dll, name in unused:
            print(f"{args.exports}: {name} of {dll} is imported by none of the shipped files",
                  file=sys.stderr)
        return 1 if unused else 0
    if len(args.files) != 1:
        parser.error("one file at a time, but with --unused")
    args.file = args.files[0]
    if not args.machine:
        parser.error("--machine is needed")
    headers = subprocess.run([args.objdump, "-p", args.file], check=True,
                             capture_output=True, text=True).stdout
    imports, errors = check(headers, args)
    for error in errors:
        print(f"{args.file}: {error}", file=sys.stderr)
    if errors:
        return 1
    print(f"{args.file}: {args.machine}, imports {', '.join(sorted(imports))}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
