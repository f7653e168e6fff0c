#!/usr/bin/env python3
"""The catalogue page against the stream program: the generators that produce
values, in the order, with the width B and the seed variable and range that
`tamboril-stream --list` prints, and the stubs, so that the 26 and the stubs
are together the 41 names URN01 to URN40 and URNWN, each once. Given
`tamboril-lattice` too, each row's recurrence is the one it prints.

    doc_catalogue.py CATALOGUE_MD TAMBORIL_STREAM [TAMBORIL_LATTICE]
"""
import re
import subprocess
import sys

LIST_LINE = re.compile(r'^(URN\d\d)\s+(\d+)\s+.* \(seed (.+), (\d+) to (\d+)\)$')
PAGE_ROW = re.compile(r'^\| `(URN\d\d)` \| (\d+) \| `([^`]+)`, (\d+) to (\d+) \| ([^|]+) \|')
RECURRENCE = re.compile(r'^(URN\d\d): (.*)$')
NAME = re.compile(r'`(URN\d\d|URNWN)`')


def section(text, heading):
    start = text.index(f'\n## {heading}\n')
    end = text.find('\n## ', start + 1)
    return text[start:end if end >= 0 else len(text)]


def main():
    if len(sys.argv) not in (3, 4):
        print('usage: doc_catalogue.py CATALOGUE_MD TAMBORIL_STREAM [TAMBORIL_LATTICE]', file=sys.stderr)
        return 2
    page_path, stream = sys.argv[1:3]
    with open(page_path, encoding='utf-8') as f:
        text = f.read()
    listed = subprocess.run([stream, '--list'], check=True, capture_output=True, text=True).stdout
    program = []
    for line in listed.splitlines():
        m = LIST_LINE.match(line)
        if not m:
            print(f'doc catalogue: a line of --list not understood: {line}', file=sys.stderr)
            return 1
        program.append(m.groups())
    try:
        values = section(text, 'The generators that produce values')
        stubs = section(text, 'The stubs')
    except ValueError as e:
        print(f'doc catalogue: {page_path} lacks a section: {e}', file=sys.stderr)
        return 1
    rows = [m.groups() for m in map(PAGE_ROW.match, values.splitlines()) if m]
    page = [row[:5] for row in rows]

    failures = []
    if len(program) != 26:
        failures.append(f'--list prints {len(program)} generators, not 26')
    for i in range(max(len(page), len(program))):
        p = page[i] if i < len(page) else None
        q = program[i] if i < len(program) else None
        if p != q:
            failures.append(f'row {i + 1}: the page has {p}, --list has {q} (name, B, seed, low, high)')
    stub_names = [n for line in stubs.splitlines() if line.startswith('| `') for n in NAME.findall(line)]
    every = sorted([f'URN{k:02d}' for k in range(1, 41)] + ['URNWN'])
    together = sorted([row[0] for row in page] + stub_names)
    if together != every:
        failures.append(f'the generators and the stubs are not the 41 names once each: {together}')
    if len(sys.argv) == 4:
        printed = subprocess.run([sys.argv[3], '--catalogue', '--dimensions', '2'], check=True,
                                 capture_output=True, text=True).stdout
        recurrences = dict(m.groups() for m in map(RECURRENCE.match, printed.splitlines()) if m)
        for row in rows:
            if recurrences.get(row[0]) != row[5].strip():
                failures.append(f'{row[0]}: the page gives the recurrence "{row[5].strip()}", '
                                f'tamboril-lattice "{recurrences.get(row[0])}"')
    for line in failures:
        print(f'doc catalogue: {line}', file=sys.stderr)
    if failures:
        return 1
    also = ' and their recurrences with tamboril-lattice' if len(sys.argv) == 4 else ''
    print(f'doc catalogue: {len(page)} generators and {len(stub_names)} stubs agree with --list{also}')
    return 0


if __name__ == '__main__':
    sys.exit(main())
