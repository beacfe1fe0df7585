#!/usr/bin/env python3
"""Fails when a product source file includes a file from a folder above its own.

The folders stand in layers, lowest first; a file may include its own folder and any folder of a
lower layer. Folders of one layer do not include each other, except where one hosts the other
(the play surface runs the effects)."""

import re
import sys
from pathlib import Path

LAYERS = {
    "framework": 0, "resources": 0,
    "core": 1,
    "options": 2, "effects": 2, "clock": 2,
    "surface": 3,
    "app": 4,
}
# Sideways includes that are part of the design: (from, to).
HOSTS = {("surface", "effects")}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)


def faults(root):
    found = []
    for folder in LAYERS:
        for path in sorted((root / folder).rglob("*")):
            if path.suffix not in (".h", ".cpp", ".rc"):
                continue
            for included in INCLUDE.findall(path.read_text(encoding="utf-8")):
                target = included.split("/")[0] if "/" in included else folder
                if target not in LAYERS:
                    found.append(f"{path.relative_to(root)}: includes {included}, which is in no layer")
                elif target != folder and LAYERS[target] >= LAYERS[folder] and (folder, target) not in HOSTS:
                    found.append(f"{path.relative_to(root)}: includes {included} from a layer not below it")
    return found


def main():
    root = Path(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).resolve().parents[2])
    found = faults(root)
    for line in found:
        print(line)
    print(f"{len(found)} include(s) against the layers")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
