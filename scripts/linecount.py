#!/usr/bin/env python3
"""Code lines of the program and of its tests: .cpp and .h files, blank and
comment lines left out; the tests' data files are counted on their own."""
import pathlib
import re

ROOT = pathlib.Path(__file__).resolve().parent.parent
SKIP = {"build", ".git", ".ci"}


def code_lines(path):
    text = re.sub(r"/\*.*?\*/", "", path.read_text(encoding="utf-8", errors="replace"), flags=re.S)
    return sum(1 for line in text.splitlines() if line.strip() and not line.strip().startswith("//"))


def main():
    production = tests = data = 0
    for path in ROOT.rglob("*"):
        parts = path.relative_to(ROOT).parts
        if not path.is_file() or parts[0] in SKIP or parts[0].startswith("build"):
            continue
        if path.suffix in (".cpp", ".h"):
            if parts[0] == "tests":
                tests += code_lines(path)
            else:
                production += code_lines(path)
        elif parts[0] == "tests" and len(parts) > 2 and parts[2] in ("cases", "corpus"):
            data += sum(1 for _ in path.open("rb"))
    print(f"production {production}, tests {tests}, tests/all {tests / (production + tests):.2f}, "
          f"tests/production {tests / production:.2f}, test data lines {data}")


if __name__ == "__main__":
    main()
