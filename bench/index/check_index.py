#!/usr/bin/python3
"""Checks the invariants of a keyword index built by `folverin-cli index`.

    bench/index/check_index.py DIR [--index FOLDER] [--locale NAME]
    bench/index/check_index.py --self-test DIR

DIR is the collection folder; the index is read from DIR/Index (the folder
and its three files found without regard to letter case) or from FOLDER.
The paths of File.iDB are taken relative to DIR.

Keyword.iDB must be in the order of the ICU collation (tertiary strength)
of the locale the build ran with. That locale is found as the program
finds it: LC_ALL, LC_COLLATE or LANG, cut at "." or "@"; "C", "POSIX" or
none means the root collation. Give --locale when the build ran under
another environment. Needs PyICU (Debian: python3-icu) of the same ICU
major version as the program.

Exit 0 when every invariant holds, 1 with the failures listed otherwise,
2 when the index cannot be read at all.

--self-test damages copies of DIR's index in several ways, one at a time,
and exits 1 unless the check finds every one of them.
"""

import argparse
import os
import shutil
import sys
import tempfile

MAX_KEYWORD = 30
WORD_BYTES = set(b"0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
                 b"\xc4\xd6\xdc\xdf\xe4\xf6\xfc")
NAMES = ("File.iDB", "Link.iDB", "Keyword.iDB")
SHOW = 8  # examples shown per failed invariant


def decode1252(data):
    """Windows-1252 as the program reads it: the five unassigned bytes
    become the C1 control of the same number."""
    return data.decode("cp1252", errors="surrogateescape").translate(
        {0xDC00 + b: b for b in (0x81, 0x8D, 0x8F, 0x90, 0x9D)})


def collation_locale():
    for name in ("LC_ALL", "LC_COLLATE", "LANG"):
        value = os.environ.get(name, "")
        if not value:
            continue
        for stop in ".@":
            value = value.split(stop, 1)[0]
        return "" if value in ("C", "POSIX") else value
    return ""


def find_entry(folder, name):
    """The entry of `folder` whose name equals `name` without regard to
    letter case (an exact match first), or None."""
    try:
        entries = os.listdir(folder)
    except OSError:
        return None
    if name in entries:
        return os.path.join(folder, name)
    for entry in sorted(entries):
        if entry.lower() == name.lower():
            return os.path.join(folder, entry)
    return None


def exists_as_listed(base, parts):
    """True when base/parts... is a regular file with every component in
    exactly the letter case the file system has it."""
    folder = base
    for i, part in enumerate(parts):
        if part in ("", ".", ".."):
            return False
        try:
            entries = os.listdir(folder)
        except OSError:
            return False
        if part not in entries:
            return False
        folder = os.path.join(folder, part)
        if i < len(parts) - 1 and not os.path.isdir(folder):
            return False
    return os.path.isfile(folder)


class Report:
    def __init__(self):
        self.failures = {}
        self.notes = []

    def fail(self, invariant, example):
        self.failures.setdefault(invariant, []).append(example)

    def ok(self):
        return not self.failures

    def print(self, out=sys.stdout):
        for note in self.notes:
            print(note, file=out)
        for invariant, examples in self.failures.items():
            print(f"FAIL {invariant}: {len(examples)} case(s)", file=out)
            for example in examples[:SHOW]:
                print(f"    {example}", file=out)
        print("all invariants hold" if self.ok() else
              f"{len(self.failures)} invariant(s) violated", file=out)


def split_lines(report, name, data):
    """The lines of one index file; records lines not ended by CR LF."""
    if not data:
        return []
    pieces = data.split(b"\r\n")
    if pieces[-1] != b"":
        report.fail("every line ends in CR LF", f"{name}: text after the last CR LF: {pieces[-1][:60]!r}")
    else:
        pieces.pop()
    for number, line in enumerate(pieces, 1):
        if b"\r" in line or b"\n" in line:
            report.fail("every line ends in CR LF", f"{name} line {number}: lone CR or LF in {line[:60]!r}")
    return pieces


def check(collection, index_folder, locale, report):
    files = {}
    for name in NAMES:
        path = find_entry(index_folder, name)
        if path is None:
            raise OSError(f"{name} not found in {index_folder}")
        with open(path, "rb") as f:
            files[name] = f.read()

    # File.iDB: path TAB title, paths with backslashes, each an existing file.
    documents = split_lines(report, "File.iDB", files["File.iDB"])
    seen_paths = {}
    for number, line in enumerate(documents, 1):
        where = f"File.iDB line {number}"
        if b"\t" not in line:
            report.fail("File.iDB lines are path TAB title", f"{where}: no TAB: {line[:80]!r}")
            continue
        path = line.split(b"\t", 1)[0]
        if not path:
            report.fail("File.iDB lines are path TAB title", f"{where}: empty path")
            continue
        if b"/" in path or path.startswith(b"\\"):
            report.fail("File.iDB paths are relative with backslash separators", f"{where}: {path!r}")
            continue
        if path in seen_paths:
            report.fail("each document is listed once", f"{where}: {path!r} as in line {seen_paths[path]}")
        seen_paths[path] = number
        parts = [os.fsencode(decode1252(part)) for part in path.split(b"\\")]
        if not exists_as_listed(os.fsencode(collection), parts):
            report.fail("every File.iDB path exists under the collection (as the file system has it)",
                        f"{where}: {path!r}")
    document_count = len(documents)

    # Link.iDB: keyword TAB number TAB count.
    links = split_lines(report, "Link.iDB", files["Link.iDB"])
    pairs = set()
    link_keywords = set()
    last_number = 0
    numbers_used = set()
    for row, line in enumerate(links, 1):
        where = f"Link.iDB line {row}"
        fields = line.split(b"\t")
        if len(fields) != 3:
            report.fail("Link.iDB lines are keyword TAB number TAB count", f"{where}: {line[:80]!r}")
            continue
        keyword, number, count = fields
        if not (number.isdigit() and count.isdigit()):
            report.fail("Link.iDB lines are keyword TAB number TAB count", f"{where}: {line[:80]!r}")
            continue
        number, count = int(number), int(count)
        if not 1 <= number <= document_count:
            report.fail(f"1 <= file number <= lines of File.iDB ({document_count})", f"{where}: {number}")
        if count < 1:
            report.fail("count >= 1", f"{where}: {line!r}")
        if number < last_number:
            report.fail("Link.iDB is in the order of the file numbers", f"{where}: {number} after {last_number}")
        last_number = max(last_number, number)
        numbers_used.add(number)
        if not keyword:
            report.fail("no keyword is empty", where)
        if len(keyword) > MAX_KEYWORD:
            report.fail(f"no keyword is longer than {MAX_KEYWORD} bytes", f"{where}: {keyword!r} ({len(keyword)})")
        if any(b not in WORD_BYTES for b in keyword):
            report.fail("keywords hold only word characters", f"{where}: {keyword!r}")
        if (keyword, number) in pairs:
            report.fail("the pairs (keyword, number) are unique", f"{where}: {keyword!r}, {number}")
        pairs.add((keyword, number))
        link_keywords.add(keyword)

    # Keyword.iDB: the keywords of Link.iDB, each once, in collation order.
    keywords = split_lines(report, "Keyword.iDB", files["Keyword.iDB"])
    keyword_set = set(keywords)
    for keyword in sorted(link_keywords - keyword_set)[:SHOW * 4]:
        report.fail("Link.iDB keywords = Keyword.iDB lines", f"only in Link.iDB: {keyword!r}")
    for keyword in sorted(keyword_set - link_keywords)[:SHOW * 4]:
        report.fail("Link.iDB keywords = Keyword.iDB lines", f"only in Keyword.iDB: {keyword!r}")
    for row in range(1, len(keywords)):
        if keywords[row] == keywords[row - 1]:
            report.fail("Keyword.iDB has no two equal lines in a row", f"lines {row} and {row + 1}: {keywords[row]!r}")

    import icu  # PyICU; Debian: python3-icu
    where = icu.Locale.getRoot() if not locale else icu.Locale(locale)
    collator = icu.Collator.createInstance(where)
    collator.setStrength(icu.Collator.TERTIARY)
    keys = [collator.getSortKey(decode1252(k)) for k in keywords]
    ties = 0
    for row in range(1, len(keywords)):
        if keys[row] < keys[row - 1]:
            report.fail(f"Keyword.iDB is in collation order ({locale or 'root'}, tertiary)",
                        f"line {row + 1} {keywords[row]!r} before line {row} {keywords[row - 1]!r}")
        elif keys[row] == keys[row - 1]:
            ties += 1
    report.notes.append(
        f"{collection}: File.iDB {document_count} documents, Link.iDB {len(links)} rows "
        f"({len(numbers_used)} documents with keywords), Keyword.iDB {len(keywords)} keywords; "
        f"collation {locale or 'root'} (ICU {icu.ICU_VERSION}), {ties} pairs equal to the collation")


def run(collection, index_folder, locale, out=sys.stdout, quiet=False):
    report = Report()
    try:
        check(collection, index_folder, locale, report)
    except OSError as error:
        print(f"cannot read the index: {error}", file=out)
        return 2
    if not quiet:
        report.print(out)
    return 0 if report.ok() else 1


# Damage done to a copy of the index for --self-test: (what, file, how).
def _lines(data):
    return data.split(b"\r\n")[:-1]


def _join(lines):
    return b"".join(line + b"\r\n" for line in lines)


def _swap_first_distinct(lines):
    for i in range(len(lines) - 1):
        if lines[i] != lines[i + 1]:
            lines[i], lines[i + 1] = lines[i + 1], lines[i]
            return lines
    return lines


def _set_field(lines, row, field, value):
    parts = lines[row].split(b"\t")
    parts[field] = value
    lines[row] = b"\t".join(parts)
    return lines


def _slashed(lines):
    """The first path in a subfolder with "/" for "\\"; one made up when
    the collection has no subfolders."""
    for row, line in enumerate(lines):
        path, rest = line.split(b"\t", 1)
        if b"\\" in path:
            lines[row] = path.replace(b"\\", b"/") + b"\t" + rest
            return lines
    return lines + [b"Index/" + lines[0]]


DAMAGE = [
    ("LF instead of CR LF", "Link.iDB", lambda d: d.replace(b"\r\n", b"\n", 1)),
    ("no line end after the last line", "Keyword.iDB", lambda d: d[:-2]),
    ("two keywords swapped", "Keyword.iDB", lambda d: _join(_swap_first_distinct(_lines(d)))),
    ("a keyword repeated", "Keyword.iDB", lambda d: _join(_lines(d)[:1] + _lines(d))),
    ("a keyword missing", "Keyword.iDB", lambda d: _join(_lines(d)[1:])),
    ("a link row repeated", "Link.iDB", lambda d: _join(_lines(d)[:1] + _lines(d))),
    ("file number past the end", "Link.iDB", lambda d: _join(_set_field(_lines(d), 0, 1, b"999999"))),
    ("file number 0", "Link.iDB", lambda d: _join(_set_field(_lines(d), 0, 1, b"0"))),
    ("count 0", "Link.iDB", lambda d: _join(_set_field(_lines(d), 0, 2, b"0"))),
    ("keyword of 31 bytes", "Link.iDB", lambda d: _join(_set_field(_lines(d), 0, 0, b"a" * 31))),
    ("empty keyword", "Link.iDB", lambda d: _join(_set_field(_lines(d), 0, 0, b""))),
    ("a path that does not exist", "File.iDB", lambda d: _join(_set_field(_lines(d), 0, 0, b"nowhere.html"))),
    ("a path in other letter case", "File.iDB",
     lambda d: _join(_set_field(_lines(d), 0, 0, _lines(d)[0].split(b"\t")[0].swapcase()))),
    ("slash separators", "File.iDB", lambda d: _join(_slashed(_lines(d)))),
]


def self_test(collection, index_folder, locale):
    if run(collection, index_folder, locale, quiet=True) != 0:
        print("self-test needs an index that passes the check first")
        return 1
    missed = []
    with tempfile.TemporaryDirectory(prefix="check-index-") as tmp:
        for what, name, damage in DAMAGE:
            copy = os.path.join(tmp, "Index")
            shutil.rmtree(copy, ignore_errors=True)
            os.mkdir(copy)
            for each in NAMES:
                shutil.copyfile(find_entry(index_folder, each), os.path.join(copy, each))
            target = os.path.join(copy, name)
            with open(target, "rb") as f:
                data = f.read()
            damaged = damage(data)
            if damaged == data:
                missed.append(f"{what}: could not be applied")
                continue
            with open(target, "wb") as f:
                f.write(damaged)
            found = run(collection, copy, locale, quiet=True) == 1
            print(f"{'found ' if found else 'MISSED'} {what}")
            if not found:
                missed.append(what)
    print(f"{len(DAMAGE) - len(missed)} passed, {len(missed)} failed")
    return 1 if missed else 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("collection")
    parser.add_argument("--index", help="the index folder (default: DIR/Index)")
    parser.add_argument("--locale", help="the collation locale of the build (default: from the environment)")
    parser.add_argument("--self-test", action="store_true")
    args = parser.parse_args()
    collection = os.path.abspath(args.collection)
    index_folder = args.index or find_entry(collection, "Index")
    if index_folder is None:
        print(f"no index folder in {collection}")
        return 2
    locale = collation_locale() if args.locale is None else args.locale
    if args.self_test:
        return self_test(collection, index_folder, locale)
    return run(collection, index_folder, locale)


if __name__ == "__main__":
    sys.exit(main())
