#!/usr/bin/env python3
"""Copies a game source with every non-ASCII character written as octal
escapes of its code page 932 bytes, for compilers without -fexec-charset."""
import sys


def escape(text: str) -> str:
    out = []
    for ch in text:
        if ord(ch) < 0x80:
            out.append(ch)
        else:
            # Three digits each, so that a digit after it is never taken in.
            out.append("".join("\\%03o" % b for b in ch.encode("cp932")))
    return "".join(out)


def main() -> None:
    source, target = sys.argv[1], sys.argv[2]
    with open(source, encoding="utf-8") as f:
        text = f.read()
    with open(target, "w", encoding="ascii", newline="") as f:
        f.write(escape(text))


if __name__ == "__main__":
    main()
