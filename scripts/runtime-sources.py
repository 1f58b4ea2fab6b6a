#!/usr/bin/env python3
"""Writes the runtime's sources as they are shipped for building on the teacher's machine.

    runtime-sources.py OUT_DIR SOURCE_DIR FILE...

Our build compiles the runtime with -fexec-charset=GBK from UTF-8 sources. The teacher's
compiler may lack the converter that option needs, so the shipped copies say the same without
it: every narrow string or character literal that holds non-ASCII text has that text written
as octal escapes of its GBK bytes (octal, because a hexadecimal escape would swallow the
letters after it, and because a GBK byte 0x5C is a backslash). Wide and UTF-8 literals,
comments and everything else are copied as they are. Compiled with -finput-charset=UTF-8 the
copies give the same bytes as the originals compiled with -fexec-charset=GBK.
FILE names are relative to SOURCE_DIR (core/x.cpp keeps its folder).
"""
import os
import sys


def escaped_literal(body):
    """The body of a narrow literal with its non-ASCII characters as GBK octal escapes."""
    out = []
    for ch in body:
        if ord(ch) < 0x80:
            out.append(ch)
        else:
            out.extend('\\%03o' % b for b in ch.encode('gbk'))
    return ''.join(out)


def convert(text):
    """The source text with its narrow non-ASCII literals escaped (see above)."""
    out = []
    i, n = 0, len(text)
    while i < n:
        c = text[i]
        if text.startswith('//', i):
            end = text.find('\n', i)
            end = n if end < 0 else end
            out.append(text[i:end])
            i = end
        elif text.startswith('/*', i):
            end = text.find('*/', i + 2)
            end = n if end < 0 else end + 2
            out.append(text[i:end])
            i = end
        elif c in '"\'':
            # The prefix decides the literal's kind: L, u, U and u8 literals stay as they are.
            j = i
            while j > 0 and (text[j - 1].isalnum() or text[j - 1] == '_'):
                j -= 1
            prefix = text[j:i]
            if prefix.endswith('R') and c == '"':
                raise SystemExit('raw string literals are not supported: ' + text[j:i + 20])
            end = i + 1
            while end < n and text[end] != c:
                end += 2 if text[end] == '\\' else 1
            body = text[i + 1:end]
            narrow = prefix == '' or not any(prefix.endswith(p) for p in ('L', 'u', 'U', 'u8'))
            out.append(c + (escaped_literal(body) if narrow else body) + c)
            i = end + 1
        else:
            out.append(c)
            i += 1
    return ''.join(out)


def main(argv):
    if len(argv) < 4:
        raise SystemExit(__doc__)
    out_dir, source_dir, files = argv[1], argv[2], argv[3:]
    for name in files:
        with open(os.path.join(source_dir, name), encoding='utf-8') as f:
            text = f.read()
        target = os.path.join(out_dir, name)
        os.makedirs(os.path.dirname(target), exist_ok=True)
        new = convert(text)
        # Written only when changed, so that a build does not redo what depends on it.
        if os.path.exists(target):
            with open(target, encoding='utf-8', newline='') as f:
                if f.read() == new:
                    continue
        with open(target, 'w', encoding='utf-8', newline='') as f:
            f.write(new)


if __name__ == '__main__':
    main(sys.argv)
