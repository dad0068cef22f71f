#!/usr/bin/env python3
"""Fails when a folder includes a header of a folder above it (or of a peer on its own level).

The product's folders are libraries stacked in layers; each may use its own headers and those of the
layers below. Tests, benchmarks and fuzzers sit outside the stack and may include anything.
Usage: check_layers.py ROOT   (exit 0 when every include points down, 1 with a list otherwise)
"""
import os
import re
import sys

# Bottom first. Folders on one level are peers: neither includes the other.
LAYERS = [
    ["comkit"],
    ["plinthcore", "evbus", "pattern", "engine", "resources", "include"],
    ["window"],
    ["document"],
    ["hosting", "surface", "propgrid"],
    ["properties"],
    ["control"],
    ["designer"],
]
LEVEL = {folder: level for level, folders in enumerate(LAYERS) for folder in folders}
INCLUDE = re.compile(r'^\s*#\s*include\s*"([A-Za-z_]+)/')
SOURCES = (".h", ".hpp", ".cpp", ".cc", ".c", ".rc")


def violations(root):
    found = []
    for folder, level in sorted(LEVEL.items()):
        base = os.path.join(root, folder)
        for directory, _, files in os.walk(base):
            for name in sorted(files):
                if not name.endswith(SOURCES):
                    continue
                path = os.path.join(directory, name)
                with open(path, encoding="utf-8", errors="replace") as source:
                    for number, line in enumerate(source, 1):
                        match = INCLUDE.match(line)
                        if not match:
                            continue
                        target = match.group(1)
                        if target == folder or target not in LEVEL:
                            continue
                        if LEVEL[target] >= level:
                            relative = os.path.relpath(path, root)
                            found.append(f"{relative}:{number}: {folder} includes {line.strip()[9:]} "
                                         f"({target} is {'a peer' if LEVEL[target] == level else 'above it'})")
    return found


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.getcwd()
    found = violations(root)
    for line in found:
        print(line)
    checked = sum(1 for folder in LEVEL if os.path.isdir(os.path.join(root, folder)))
    print(f"{checked} folders checked, {len(found)} includes pointing up or sideways")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
