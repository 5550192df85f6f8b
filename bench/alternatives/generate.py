#!/usr/bin/env python3
"""The job of quillet-cli as one Python 3 script, the way a user would write it to compare.

Writes the header, one copy of the base script per entry of the folder with the four
placeholders replaced (bytes.replace: literal, in quillet-cli's order, never searching what it
inserted), and the footer, in quillet-cli's order of names: letters folded to upper case, ties
by plain bytes. Everything is bytes, as quillet-cli handles it.

    generate.py BASE FOLDER OUTPUT HEADER FOOTER
"""
import os
import sys


def title_of(name):
    dot = name.rfind(b".")
    return (name[:dot] if dot >= 0 else name)[:255]


def main():
    base_path, folder, out_path, header_path, footer_path = map(os.fsencode, sys.argv[1:6])
    with open(base_path, "rb") as file:
        base = file.read().split(b"\0", 1)[0]
    with open(header_path, "rb") as file:
        header = file.read()
    with open(footer_path, "rb") as file:
        footer = file.read()
    out = open(out_path, "wb")
    names = os.listdir(folder)
    names.sort(key=lambda name: (name.upper(), name))
    os.chdir(folder)
    root = os.getcwdb()
    prefix = root if root.endswith(b"/") else root + b"/"
    with out:
        out.write(header)
        for name in names:
            text = base.replace(b"<TARGET_FOLDER>", folder)
            text = text.replace(b"<TARGET_FILEPATH>", prefix + name)
            text = text.replace(b"<TARGET_FNAMEEXT>", name)
            text = text.replace(b"<TARGET_FNAMETITLE>", title_of(name))
            out.write(text)
        out.write(footer)


if __name__ == "__main__":
    main()
