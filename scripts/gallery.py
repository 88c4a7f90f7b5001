#!/usr/bin/env python3
"""Copies the tests' pictures of the programs into the gallery and lists them
in the README.

usage: gallery.py PICTURES BIN GALLERY README [--prune]

PICTURES holds the PNGs a test run left (NAME.png); those named
PROGRAM-WHAT.png, where BIN (or a folder in it) holds PROGRAM.exe, are
pictures of a program and are copied into GALLERY. With --prune (the run took
every picture) gallery pictures that the run did not take again are removed. The README's gallery
section, between its two markers, is then rewritten from what GALLERY holds:
one heading per program, one picture per window or menu.
"""
import os
import shutil
import sys

BEGIN = "<!-- gallery: written by scripts/screenshots.sh -->"
END = "<!-- end of gallery -->"


def program_pictures(pictures, binaries):
    """{file name: program} for the pictures of a built program."""
    programs = set()
    for _, _, files in os.walk(binaries):
        programs.update(os.path.splitext(f)[0].lower() for f in files if f.lower().endswith(".exe"))
    found = {}
    for name in sorted(os.listdir(pictures)) if os.path.isdir(pictures) else []:
        stem, extension = os.path.splitext(name)
        program = stem.split("-", 1)[0]
        if extension == ".png" and "-" in stem and program.lower() in programs:
            found[name] = program
    return found


def gallery_section(gallery, readme_folder):
    by_program = {}
    for name in sorted(os.listdir(gallery)):
        stem, extension = os.path.splitext(name)
        if extension == ".png" and "-" in stem:
            program, what = stem.split("-", 1)
            by_program.setdefault(program, []).append((what.replace("-", " "), name))
    lines = [BEGIN, ""]
    link = os.path.relpath(gallery, readme_folder).replace(os.sep, "/")
    for program in sorted(by_program):
        lines += [f"### {program}", ""]
        for what, name in by_program[program]:
            lines += [f"*{what}*", "", f"![{program}: {what}]({link}/{name})", ""]
    lines.append(END)
    return "\n".join(lines)


def main(arguments):
    prune = "--prune" in arguments
    arguments = [a for a in arguments if a != "--prune"]
    if len(arguments) != 4:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    pictures, binaries, gallery, readme = arguments

    os.makedirs(gallery, exist_ok=True)
    taken = program_pictures(pictures, binaries)
    for name in taken:
        shutil.copyfile(os.path.join(pictures, name), os.path.join(gallery, name))
    if prune:
        for name in os.listdir(gallery):
            if name.endswith(".png") and name not in taken:
                os.remove(os.path.join(gallery, name))
                print(f"removed {name}: no test takes it any more")
    print(f"{len(taken)} pictures in {gallery}")

    with open(readme, encoding="utf-8") as file:
        text = file.read()
    start, end = text.find(BEGIN), text.find(END)
    if start < 0 or end < start:
        print(f"{readme} has no gallery markers; it is left as it is", file=sys.stderr)
        return 1
    section = gallery_section(gallery, os.path.dirname(os.path.abspath(readme)))
    text = text[:start] + section + text[end + len(END):]
    with open(readme, "w", encoding="utf-8") as file:
        file.write(text)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
