#!/usr/bin/env python3
"""Check resources/ui_strings.inc before it reaches windres and the native build.

Usage: check_strings.py [path-to-ui_strings.inc]

Prints the number of strings and the id span; prints every problem found and
exits with status 1 when there is one.
"""
import os
import re
import sys

FIRST_ID = 267
LAST_ID = 1795
MAX_TEXT = 72          # a language file entry holds 80, the table stays below

# The terminal's prompts and messages, (first, last, LCD width). New copies
# them into the design, so every id of a range must be there and fit its width.
TERMINAL_RANGES = [
    (721, 723, 15), (731, 735, 15), (741, 745, 15), (751, 753, 15),
    (761, 768, 20), (771, 778, 15), (781, 788, 20), (791, 798, 15),
    (801, 806, 20), (811, 816, 15), (821, 824, 20), (831, 832, 15),
    (841, 846, 20), (851, 855, 15), (861, 865, 20), (871, 875, 15),
    (881, 884, 20), (891, 894, 15), (901, 904, 20), (911, 914, 15),
    (921, 926, 20), (931, 934, 15), (941, 948, 20), (951, 956, 15),
    (961, 962, 15), (971, 975, 15), (981, 984, 15), (991, 994, 15),
    (1001, 1004, 15), (1011, 1013, 15), (1021, 1024, 15), (1031, 1037, 15),
    (1041, 1048, 15), (1051, 1053, 20), (1061, 1063, 15), (1071, 1076, 20),
    (1081, 1086, 15), (1091, 1093, 15), (1741, 1745, 20), (1751, 1755, 15),
]

# The Startup page shows terminal defaults in static controls, which would
# turn an ampersand into a mnemonic underline; it escapes only this one line.
AMPERSAND_ALLOWED = {767}

ENTRY = re.compile(r'UI_STRING\((\d+), "((?:[^"\\]|\\.)*)"\)$')
ESCAPES = {'\\': '\\', '"': '"', 't': '\t'}


def unescape(body):
    """Text of a C string literal body; None when it uses an escape we refuse."""
    out, i = [], 0
    while i < len(body):
        c = body[i]
        if c == '\\':
            nxt = body[i + 1]
            if nxt not in ESCAPES:
                return None
            out.append(ESCAPES[nxt])
            i += 2
        else:
            out.append(c)
            i += 1
    return ''.join(out)


def terminal_width(ident):
    for first, last, width in TERMINAL_RANGES:
        if first <= ident <= last:
            return width
    return None


def check(lines):
    """Return (entries as {id: text}, list of problems)."""
    problems = []
    entries = {}
    previous = None
    for number, raw in enumerate(lines, 1):
        line = raw.rstrip('\n')
        where = 'line %d' % number
        if any(not (32 <= ord(c) < 127) for c in line):
            problems.append('%s: not plain printable ASCII (tab or other control or non-ASCII byte)' % where)
            continue
        stripped = line.strip()
        if not stripped or stripped.startswith('//'):
            continue
        m = ENTRY.match(line)
        if not m:
            problems.append('%s: not a UI_STRING(id, "text") entry or comment: %s' % (where, stripped))
            continue
        ident = int(m.group(1))
        text = unescape(m.group(2))
        if text is None:
            problems.append('%s: id %d: only \\\\, \\" and \\t escapes are allowed' % (where, ident))
            continue
        if not FIRST_ID <= ident <= LAST_ID:
            problems.append('%s: id %d outside %d..%d' % (where, ident, FIRST_ID, LAST_ID))
        if previous is not None and ident <= previous:
            kind = 'repeated' if ident in entries else 'out of order'
            problems.append('%s: id %d %s (after %d)' % (where, ident, kind, previous))
        else:
            previous = ident
        if not text:
            # LoadString cannot tell an empty string from a missing one.
            problems.append('%s: id %d has an empty text' % (where, ident))
        if len(text) > MAX_TEXT:
            problems.append('%s: id %d has %d characters, more than %d'
                            % (where, ident, len(text), MAX_TEXT))
        width = terminal_width(ident)
        if width is not None:
            if len(text) > width:
                problems.append('%s: id %d has %d characters, more than its LCD width %d'
                                % (where, ident, len(text), width))
            if '&' in text and ident not in AMPERSAND_ALLOWED:
                problems.append('%s: id %d: an ampersand in a terminal text shows as an '
                                'underline on the Startup page' % (where, ident))
        entries.setdefault(ident, text)
    for first, last, width in TERMINAL_RANGES:
        missing = [i for i in range(first, last + 1) if i not in entries]
        if missing:
            problems.append('terminal texts %d..%d (%d columns): missing %s'
                            % (first, last, width, ', '.join(map(str, missing))))
    return entries, problems


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    path = argv[1] if len(argv) > 1 else os.path.join(here, '..', 'resources', 'ui_strings.inc')
    with open(path, encoding='latin-1', newline='') as f:
        lines = f.read().split('\n')
    if lines and lines[-1] == '':
        lines.pop()
    carriage = [n for n, l in enumerate(lines, 1) if l.endswith('\r')]
    lines = [l.rstrip('\r') for l in lines]
    entries, problems = check(lines)
    if carriage:
        problems.insert(0, 'carriage returns on lines %s' % ', '.join(map(str, carriage[:5])))
    if entries:
        print('%d strings, ids %d..%d' % (len(entries), min(entries), max(entries)))
    else:
        print('0 strings')
    for p in problems:
        print(p, file=sys.stderr)
    return 1 if problems else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
