# Collects every character the web page can show, for the font subset and its check.
"""The characters of the game's texts, gathered from the files that hold them.

Shared by make-webfont (which subsets the font to them) and check-webfont (which fails when the
committed font lacks one of them), so both always agree on what the page can show.
"""

import glob
import os

# Every C++ source whose string literals the page can show: the rules' Messages, the window's
# captions, and the window description both front ends read. Headers too, since a table of
# words may live in one.
CPP_GLOBS = ["rules/*.cpp", "rules/*.h", "ui/*.cpp", "ui/*.h", "window/*.cpp", "window/*.h"]
# The page's own files: every character in them, markup and script included.
WEB_GLOBS = ["web/*.html", "web/*.js", "web/*.css"]
# The explanation file as the game ships it: Shift_JIS (code page 932).
EXPLANATION = "assets/sounds/ムキロ・タフ.txt"

# Numbers the page prints itself: ASCII digits, and the full-width digits and minus signs the
# window's captions use.
PRINTABLE_ASCII = "".join(chr(code) for code in range(0x20, 0x7F))
NUMBER_FORMS = "０１２３４５６７８９－−"


def string_literals(source):
    """The contents of every string literal in C++ source, comments skipped.

    Understands "...", raw strings R"delim(...)delim" and character literals well enough to
    keep quotes and comment markers inside them from being misread; escapes are kept as
    written, since only the non-ASCII characters matter here.
    """
    literals = []
    i = 0
    n = len(source)
    while i < n:
        c = source[i]
        if source.startswith("//", i):
            end = source.find("\n", i)
            i = n if end < 0 else end
        elif source.startswith("/*", i):
            end = source.find("*/", i + 2)
            i = n if end < 0 else end + 2
        elif c == "R" and source.startswith('R"', i) and not _in_identifier(source, i):
            open_paren = source.find("(", i + 2)
            delimiter = ")" + source[i + 2 : open_paren] + '"'
            end = source.find(delimiter, open_paren + 1)
            end = n if end < 0 else end
            literals.append(source[open_paren + 1 : end])
            i = end + len(delimiter)
        elif c in "\"'":
            j = i + 1
            while j < n and source[j] != c:
                j += 2 if source[j] == "\\" else 1
            if c == '"':
                literals.append(source[i + 1 : j])
            i = j + 1
        else:
            i += 1
    return literals


def _in_identifier(source, i):
    """Whether the R at i ends an identifier (say "FOR"), not a raw-string prefix (u8R"...")."""
    j = i - 1
    while j >= 0 and (source[j].isalnum() or source[j] == "_"):
        j -= 1
    return source[j + 1 : i] not in ("", "u8", "u", "U", "L")


def _files(root, patterns):
    found = []
    for pattern in patterns:
        found.extend(sorted(glob.glob(os.path.join(root, pattern))))
    return found


def page_characters(root):
    """Every character the page can show, as a sorted string, with where each set came from."""
    characters = set(PRINTABLE_ASCII) | set(NUMBER_FORMS)
    for path in _files(root, CPP_GLOBS):
        with open(path, encoding="utf-8") as file:
            for literal in string_literals(file.read()):
                characters.update(ch for ch in literal if ord(ch) > 0x7F)
    for path in _files(root, WEB_GLOBS):
        with open(path, encoding="utf-8") as file:
            characters.update(file.read())
    with open(os.path.join(root, EXPLANATION), "rb") as file:
        explanation = file.read()
    # Code page 932 and the browsers' Shift_JIS decoder read a few bytes as different
    # characters (0x817C is "－" to one and "−" to the other): keep both readings.
    characters.update(explanation.decode("cp932"))
    characters.update(explanation.decode("shift_jis", errors="ignore"))
    # Line ends, tabs and the byte-order mark take no glyph.
    characters -= {"\n", "\r", "\t", "\ufeff"}
    return "".join(sorted(characters))
