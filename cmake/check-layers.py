#!/usr/bin/env python3
"""Fails when a project include has no folder or points to a later layer.

Every include of a project header is written from the repository root
("KorBasicTypes/korstring.h"). A folder may include its own layer and the
layers before it; korhost meets the component through contracts alone, so
host/ may include only component/, KorBasicTypes/, frame/ and host/.
Tests, fuzzers, benchmarks, examples and the kit's templates may include
anything.
"""
import os
import re
import subprocess
import sys

# Layer of each production folder, lowest first.
LAYERS = {
    'component': 0,
    'KorBasicTypes': 1,
    'frame': 2,
    'testservice': 3, 'results': 3,
    'commands': 4, 'include/test': 4,
    'kortest': 5,
}
HOST_ALLOWED = ('component', 'KorBasicTypes', 'frame', 'host')
FREE = ('tests/', 'fuzz/', 'bench/', 'examples/', 'cmake/')
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def folder_of(path):
    for folder in sorted(LAYERS, key=len, reverse=True):
        if path.startswith(folder + '/'):
            return folder
    return path.split('/', 1)[0] if '/' in path else ''


def problems(root):
    files = subprocess.check_output(['git', 'ls-files'], cwd=root, text=True).split()
    known = set(files)
    for path in files:
        if not path.endswith(('.h', '.hpp', '.cpp', '.cpp.in')):
            continue
        with open(os.path.join(root, path), encoding='utf-8') as source:
            for number, line in enumerate(source, 1):
                match = INCLUDE.match(line)
                if not match or match.group(1).endswith('.moc'):
                    continue
                target = match.group(1)
                where = '%s:%d: "%s"' % (path, number, target)
                if target not in known:
                    yield where + ' is not written from the repository root'
                    continue
                if path.startswith(FREE):
                    continue
                source_folder, target_folder = folder_of(path), folder_of(target)
                if path.startswith('host/'):
                    if target_folder not in HOST_ALLOWED:
                        yield where + ' reaches past the contracts into ' + target_folder + '/'
                elif LAYERS.get(target_folder, 99) > LAYERS.get(source_folder, -1):
                    yield where + ' points to a later layer (' + target_folder + '/)'


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else '.'
    found = list(problems(root))
    for problem in found:
        print(problem)
    if found:
        print('%d include(s) break the layering' % len(found))
        return 1
    print('layering: every include names its folder and points down')
    return 0


if __name__ == '__main__':
    sys.exit(main())
