#!/usr/bin/env python3
"""Generate everything that knows the PDF library's entry points from one table.

Usage: genentrypoints.py TABLE OUTDIR [--defaults FILE [--omit NAME ...]]

Writes into OUTDIR:
  ulrentrypoints.h          C prototypes of every entry point
  pdflibrarymembers.inc     the binding's member declarations (class body)
  pdflibrarymembers.cpp     the binding's member definitions and slot names
With --defaults FILE, also writes FILE: a weak definition of every entry point
returning its neutral value, so a library only implements what it needs; the
names given with --omit are left out (a library missing an entry point).
"""
import os
import sys

C_TYPES = {
    'int': 'int', 'double': 'double', 'wstr': 'wchar_t*', 'bytes': 'char*',
    'ptr': 'char*', 'cptr': 'const char*',
}
MEMBER_ARG = {'int': 'int', 'double': 'double',
              'wstr': 'const std::wstring&', 'bytes': 'const std::string&'}
MEMBER_RESULT = {'int': 'int', 'double': 'double',
                 'wstr': 'std::wstring', 'bytes': 'std::string'}
NEUTRAL = {'int': '0', 'double': '0.0', 'wstr': 'std::wstring()',
           'bytes': 'std::string()'}
C_NEUTRAL = {'int': '0', 'double': '0.0', 'wstr': 'nullptr', 'bytes': 'nullptr',
             'ptr': 'nullptr'}


class Entry:
    def __init__(self, line):
        parts = line.split()
        self.name, self.result = parts[0], parts[1]
        flags = [p for p in parts[2:] if ':' not in p]
        self.binding = 'binding' in flags
        self.has_id = 'noid' not in flags
        self.args = [tuple(p.split(':', 1)) for p in parts[2:] if ':' in p]
        for t, _ in self.args:
            if t not in C_TYPES:
                raise SystemExit(f'{self.name}: unknown type {t}')
        if self.result not in C_TYPES:
            raise SystemExit(f'{self.name}: unknown result {self.result}')

    @property
    def symbol(self):
        return 'ULR' + self.name

    def c_params(self, named=True):
        params = ['int instanceID'] if self.has_id else []
        params += [f'{C_TYPES[t]} {n}' if named else C_TYPES[t] for t, n in self.args]
        if not named and self.has_id:
            params[0] = 'int'
        return ', '.join(params) if params else 'void'


def read_table(path):
    entries = []
    with open(path) as f:
        for line in f:
            line = line.strip()
            if line and not line.startswith('#'):
                entries.append(Entry(line))
    names = [e.symbol.encode() for e in entries]
    if names != sorted(names):
        raise SystemExit('entry points must be listed in byte order of their symbols')
    if len(set(names)) != len(names):
        raise SystemExit('duplicate entry point')
    return entries


def write_if_changed(path, text):
    try:
        with open(path) as f:
            if f.read() == text:
                return
    except OSError:
        pass
    with open(path, 'w') as f:
        f.write(text)


def header(entries):
    out = ['// Generated from entrypoints.table; do not edit.',
           '#pragma once',
           '#include <wchar.h>',
           '',
           '#ifndef ULR_API',
           '#define ULR_API',
           '#endif',
           '',
           f'#define ULR_ENTRY_POINT_COUNT {len(entries)}',
           '',
           '#ifdef __cplusplus',
           'extern "C" {',
           '#endif',
           '']
    for e in entries:
        out.append(f'ULR_API {C_TYPES[e.result]} {e.symbol}({e.c_params()});')
    out += ['', '#ifdef __cplusplus', '}', '#endif', '']
    return '\n'.join(out)


def members_decl(entries):
    out = ['// Generated from entrypoints.table; do not edit.',
           '// Included inside the class body of OmbrelPDFLibraryCPDylibCPP1311.',
           '',
           '// Slots of the entry points that serve the binding itself.',
           'enum BindingSlot {']
    out += [f'    {e.name}Slot = {i},' for i, e in enumerate(entries) if e.binding]
    out += ['};', '']
    for e in entries:
        if e.binding:
            continue
        args = ', '.join(f'{MEMBER_ARG[t]} {n}' for t, n in e.args)
        out.append(f'{MEMBER_RESULT[e.result]} {e.name}({args});')
    return '\n'.join(out) + '\n'


def members_def(entries):
    cls = 'OmbrelPDFLibraryCPDylibCPP1311'
    out = ['// Generated from entrypoints.table; do not edit.',
           '#include "pdflibrarybinding.h"',
           '',
           f'const char* const {cls}::EntryPointNames[{cls}::EntryPointCount] = {{']
    out += [f'    "{e.symbol}",' for e in entries]
    out += ['};', '']
    for index, e in enumerate(entries):
        if e.binding:
            continue
        params = ', '.join(f'{MEMBER_ARG[t]} {n}' for t, n in e.args)
        ctypes = ', '.join(['int'] + [C_TYPES[t] for t, _ in e.args])
        out.append(f'{MEMBER_RESULT[e.result]} {cls}::{e.name}({params})')
        out.append('{')
        out.append(f'    if (mMissing)')
        out.append(f'        return {NEUTRAL[e.result]};')
        out.append(f'    using Fn = {C_TYPES[e.result]} (*)({ctypes});')
        call_args = ['mInstanceID']
        releases = []
        for i, (t, n) in enumerate(e.args):
            if t == 'wstr':
                call_args.append(f'WideStringParm({n})')
            elif t == 'bytes':
                out.append(f'    int made{i} = 0;')
                out.append(f'    char* buffer{i} = StringParm({n}, made{i});')
                call_args.append(f'buffer{i}')
                releases.append(f'    if (made{i})\n        CallReleaseBuffer(buffer{i});')
            else:
                call_args.append(n)
        call = f'reinterpret_cast<Fn>(mSlots[{index}])({", ".join(call_args)})'
        if e.result == 'wstr':
            out.append(f'    wchar_t* text = {call};')
            out += releases
            out.append('    return WideStringResult(text, CallStringResultLength());')
        elif e.result == 'bytes':
            out.append(f'    char* bytes = {call};')
            out += releases
            out.append('    return ByteStringResult(bytes, CallAnsiStringResultLength());')
        elif releases:
            out.append(f'    {MEMBER_RESULT[e.result]} result = {call};')
            out += releases
            out.append('    return result;')
        else:
            out.append(f'    return {call};')
        out.append('}')
        out.append('')
    return '\n'.join(out)


def defaults(entries, omit):
    out = ['// Generated from entrypoints.table; do not edit.',
           '// Weak neutral definitions: a library overrides the ones it implements.',
           '#include "ulrentrypoints.h"',
           '',
           'extern "C" {']
    for e in entries:
        if e.name in omit:
            continue
        out.append(f'__attribute__((weak)) ULR_API {C_TYPES[e.result]} '
                   f'{e.symbol}({e.c_params(named=False)}) {{ return {C_NEUTRAL[e.result]}; }}')
    out += ['}', '']
    return '\n'.join(out)


def main(argv):
    if len(argv) < 3:
        raise SystemExit(__doc__)
    table, outdir = argv[1], argv[2]
    rest = argv[3:]
    defaults_file, omit = None, set()
    while rest:
        opt = rest.pop(0)
        if opt == '--defaults':
            defaults_file = rest.pop(0)
        elif opt == '--omit':
            omit.add(rest.pop(0))
        else:
            raise SystemExit(f'unknown option {opt}')
    entries = read_table(table)
    os.makedirs(outdir, exist_ok=True)
    write_if_changed(os.path.join(outdir, 'ulrentrypoints.h'), header(entries))
    write_if_changed(os.path.join(outdir, 'pdflibrarymembers.inc'), members_decl(entries))
    write_if_changed(os.path.join(outdir, 'pdflibrarymembers.cpp'), members_def(entries))
    if defaults_file:
        write_if_changed(defaults_file, defaults(entries, omit))


if __name__ == '__main__':
    main(sys.argv)
