#!/usr/bin/env python3
"""Which source folder includes which, and whether any two reach each other.

Prints one row per folder with the folders its files include, and exits 1
when the folders include each other in a circle, so CI keeps one direction.
"""
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
SOURCE_FOLDERS = ["platform", "script", "service", "velorin", "ui", "editor", "tools", "preview", "map", "find", "backup", "app", "cli"]
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def source_files(folder):
    return [p for p in (ROOT / folder).glob("*") if p.suffix in (".h", ".cpp")]


def main():
    folders = [f for f in SOURCE_FOLDERS if (ROOT / f).is_dir()]
    owner = {}
    for folder in folders:
        for path in source_files(folder):
            owner.setdefault(path.name, folder)
    uses = {f: set() for f in folders}
    for folder in folders:
        for path in source_files(folder):
            for name in INCLUDE.findall(path.read_text(encoding="utf-8", errors="replace")):
                target = owner.get(pathlib.Path(name).name)
                if target and target != folder:
                    uses[folder].add(target)
    for folder in folders:
        print(f"{folder:9} -> {', '.join(sorted(uses[folder])) or '-'}")
    circles = sorted({tuple(sorted((a, b))) for a in folders for b in uses[a] if reaches(uses, b, a)})
    for a, b in circles:
        print(f"circle: {a} <-> {b}", file=sys.stderr)
    return 1 if circles else 0


def reaches(uses, start, goal):
    seen, todo = set(), [start]
    while todo:
        here = todo.pop()
        if here == goal:
            return True
        if here not in seen:
            seen.add(here)
            todo.extend(uses[here])
    return False


if __name__ == "__main__":
    sys.exit(main())
