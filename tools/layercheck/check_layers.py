#!/usr/bin/env python3
"""Reports what breaks the layering below the user interface.

Reads the records the build wrote at configure time (cmake/TovantaLayers.cmake): the forbidden
links found there, the names of the Qt Widgets and Qt Gui headers, and the folders of the lower
layers, whose files it reads now. Prints one line per violation and fails when there is any.
"""

import argparse
import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s*[<"]([^>"]+)[>"]')
SOURCE_SUFFIXES = ('.h', '.hh', '.hpp', '.c', '.cc', '.cpp', '.cxx', '.inl')


def read_lines(path):
    with open(path, encoding='utf-8') as records:
        return [line.rstrip('\n') for line in records if line.strip()]


def read_headers(path):
    """Maps every include name of a Qt Widgets or Qt Gui header to its module."""
    headers = {}
    for line in read_lines(path):
        name, module = line.rsplit(' ', 1)
        headers[name] = module
    return headers


def source_files(folder):
    for directory, subdirectories, names in os.walk(folder):
        subdirectories.sort()
        for name in sorted(names):
            if name.endswith(SOURCE_SUFFIXES):
                yield os.path.join(directory, name)


def forbidden_includes(layer_dirs, headers, source_root):
    for folder in layer_dirs:
        for path in source_files(folder):
            shown = os.path.relpath(path, source_root)
            with open(path, encoding='utf-8', errors='replace') as source:
                for number, line in enumerate(source, 1):
                    match = INCLUDE.match(line)
                    if match and match.group(1) in headers:
                        name = match.group(1)
                        yield f'{shown}:{number}: includes <{name}>, a {headers[name]} header'


def check(records, source_root):
    """Returns the violations, and the problems that keep the check from running."""
    libraries = read_lines(os.path.join(records, 'libraries.txt'))
    headers = read_headers(os.path.join(records, 'headers.txt'))
    if not libraries:
        return ['no library of the lower layers is known: the build records are incomplete']
    if not headers:
        return ['no Qt Widgets or Qt Gui header is known: their include folders were not found']
    problems = read_lines(os.path.join(records, 'link-findings.txt'))
    layer_dirs = read_lines(os.path.join(records, 'layer-dirs.txt'))
    problems += forbidden_includes(layer_dirs, headers, source_root)
    return problems


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument('--records', required=True, help='folder the build wrote the records to')
    parser.add_argument('--source-root', required=True, help='paths are shown relative to it')
    options = parser.parse_args()

    problems = check(options.records, options.source_root)
    for problem in problems:
        print(f'layer check: {problem}')
    if problems:
        print(f'layer check: {len(problems)} problem(s) below the user interface')
        return 1
    print('layer check: the layers below the user interface link and include no Qt Widgets '
          'or Qt Gui')
    return 0


if __name__ == '__main__':
    sys.exit(main())
