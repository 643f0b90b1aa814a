#!/usr/bin/env python3
"""Prints the layer diagram of scripts/include-map.txt: the libraries by layer, each with the folders it may
include directly. With --check FILE, fails when the diagram embedded in FILE differs from the map's."""
import importlib.util
import os
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BEGIN = '<!-- layer diagram: printed by scripts/layer-diagram.py -->'

# The map is read as the include check reads it.
_spec = importlib.util.spec_from_file_location('check_includes', os.path.join(ROOT, 'scripts', 'check-includes.py'))
check_includes = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(check_includes)


def layers(direct):
    """Layer 0 includes no other library; every other folder sits one above the highest it includes."""
    level = {}

    def of(folder):
        if folder not in level:
            level[folder] = 1 + max((of(dep) for dep in direct.get(folder, [])), default=-1)
        return level[folder]

    for folder in direct:
        of(folder)
    return level


def diagram():
    direct = check_includes.read_direct()
    level = layers(direct)
    width = max(len(folder) for folder in direct)
    lines = []
    for n in range(max(level.values()), -1, -1):
        lines.append(f'layer {n}')
        for folder in sorted(f for f in direct if level[f] == n):
            deps = ' '.join(direct[folder])
            lines.append(f'  {folder.ljust(width)}  -> {deps}' if deps else f'  {folder}')
    return '\n'.join(lines) + '\n'


def embedded(path):
    """The fenced block that follows the marker line in the document."""
    text = open(path).read()
    at = text.find(BEGIN)
    if at < 0:
        return None
    start = text.find('```\n', at)
    end = text.find('```', start + 4)
    return text[start + 4:end] if start >= 0 and end >= 0 else None


def main(argv):
    if len(argv) == 3 and argv[1] == '--check':
        found = embedded(argv[2])
        if found == diagram():
            return 0
        print(f'{argv[2]}: the layer diagram differs from scripts/include-map.txt; '
              f'paste the output of scripts/layer-diagram.py after the marker line')
        return 1
    if len(argv) != 1:
        print('usage: scripts/layer-diagram.py [--check FILE]', file=sys.stderr)
        return 2
    sys.stdout.write(diagram())
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
