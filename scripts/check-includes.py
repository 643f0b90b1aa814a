#!/usr/bin/env python3
"""Fails on an include edge outside scripts/include-map.txt: lists each offending file, line and include."""
import os
import re
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
LEAVES = ('tests', 'fuzz', 'bench', 'tools')
BACKENDS = re.compile(r'#\s*include\s*<(wx/|fluidsynth|gst/|ft2build\.h|freetype/|fontconfig/|alsa/)')
INCLUDE = re.compile(r'#\s*include\s*"([^"]+)"')


def read_direct():
    """Each folder of the map with the folders listed after it."""
    direct = {}
    for line in open(os.path.join(ROOT, 'scripts', 'include-map.txt')):
        line = line.split('#', 1)[0].strip()
        if line:
            folder, _, deps = line.partition(':')
            direct[folder.strip()] = deps.split()
    return direct


def read_map():
    direct = read_direct()
    allowed = {}
    for folder in direct:
        seen, todo = set(), list(direct[folder])
        while todo:
            dep = todo.pop()
            if dep not in seen:
                seen.add(dep)
                todo.extend(direct.get(dep, []))
        allowed[folder] = seen | {folder}
    return allowed


def owner(path, folders):
    """The library folder a file or include spelling belongs to: the longest folder that holds it."""
    best = None
    for folder in folders:
        for spelled in (folder, folder[len('platform/'):] if folder.startswith('platform/') else None):
            if spelled and path.startswith(spelled + '/') and (best is None or len(folder) > len(best)):
                best = folder
    return best


def main():
    allowed = read_map()
    files = subprocess.check_output(['git', 'ls-files', '*.h', '*.cpp', '*.c'], cwd=ROOT, text=True).split()
    faults = []
    for path in files:
        top = path.split('/', 1)[0]
        source = None if top in LEAVES else owner(path, allowed)
        if source is None and top not in LEAVES:
            if path.count('/'):
                faults.append(f'{path}: folder missing from scripts/include-map.txt')
            continue
        for number, line in enumerate(open(os.path.join(ROOT, path), errors='replace'), 1):
            if BACKENDS.match(line.strip()) and not path.startswith('platform/'):
                faults.append(f'{path}:{number}: backend header outside platform/: {line.strip()}')
            m = INCLUDE.match(line.strip())
            if not m or '/' not in m.group(1) or os.path.exists(os.path.join(ROOT, os.path.dirname(path), m.group(1))):
                continue
            spelled = m.group(1)
            if spelled.split('/', 1)[0] in LEAVES:
                if top not in LEAVES:
                    faults.append(f'{path}:{number}: includes a test or tool header: {spelled}')
                continue
            target = owner(spelled, allowed)
            if target is None:
                faults.append(f'{path}:{number}: include of an unknown folder: {spelled}')
            elif source is not None and target not in allowed[source]:
                faults.append(f'{path}:{number}: {source} may not include {target}: {spelled}')
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == '__main__':
    sys.exit(main())
