#!/usr/bin/env python3
"""Compares the words of `folverin-cli text` with those of `lynx -dump`.

For every HTML file of a collection folder both programs produce the text of
the document; both texts are cut into words (runs of letters and digits,
case-folded) and compared as sets. folverin-cli runs once for the whole
collection (as the index builder's view does), with a small separator
document between the files so that its output can be split per file; when
it dies, the file it was on is counted as a crash and the run goes on with
the next file.

    compare_with_lynx.py --cli build/src/folverin-cli [--normalise] NAME=FOLDER [NAME=FOLDER ...]

--normalise gives lynx a copy of each file without IMG elements and with
ordered lists made unordered, the two things the engine leaves out by
design that lynx shows; what differs then needs another explanation.
"""

import argparse
import collections
import os
import re
import signal
import subprocess
import sys
import tempfile

MARKER = "FOLVERIN-SEPARATOR-2c1f9e0b"
WORD = re.compile(r"[^\W_]+")
# Room for the separator names that go between the files.
MAX_ARGUMENT_BYTES = 1_000_000


def words(text):
    return {w.casefold() for w in WORD.findall(text)}


def html_files(folder):
    found = []
    for root, _dirs, names in os.walk(folder):
        for name in names:
            if name.lower().endswith((".html", ".htm")):
                path = os.path.join(root, name)
                if os.path.isfile(path):
                    found.append(path)
    return sorted(found)


def chunks(files, separator):
    chunk, size = [], 0
    for path in files:
        cost = len(path) + len(separator) + 2
        if chunk and size + cost > MAX_ARGUMENT_BYTES:
            yield chunk
            chunk, size = [], 0
        chunk.append(path)
        size += cost
    if chunk:
        yield chunk


def split_output(stdout):
    """The per-file texts (title line removed) between the separators."""
    parts = ("\n" + stdout).split("\n" + MARKER + "\n\n")
    texts = []
    for part in parts[1:]:
        title, _, text = part.partition("\n")
        texts.append(text)
    return texts


def run_engine(cli, files, separator):
    """Returns {file: text}, the crashed files and the files with an error."""
    texts, crashed, failed = {}, [], []
    pending = list(files)
    while pending:
        chunk = next(chunks(pending, separator))
        args = [cli, "text"]
        for path in chunk:
            args += [separator, path]
        args.append(separator)
        proc = subprocess.run(args, capture_output=True)
        out = proc.stdout.decode("utf-8", "replace")
        done = split_output(out)
        # Each complete file is followed by a separator; the last part is
        # what came after the final separator (empty on a clean run).
        complete = done[:-1] if done else []
        for path, text in zip(chunk, complete):
            texts[path] = text
        stderr = proc.stderr.decode("utf-8", "replace")
        for path in chunk[: len(complete)]:
            if path in stderr:
                failed.append(path)
        if proc.returncode < 0 or len(complete) < len(chunk):
            # Output still buffered at the crash is lost, so the files after
            # the last complete one are run one by one up to the culprit.
            rest = chunk[len(complete):]
            for index, path in enumerate(rest):
                single = subprocess.run([cli, "text", path], capture_output=True)
                if single.returncode < 0:
                    crashed.append((path, single.returncode,
                                    single.stderr.decode("utf-8", "replace")[-500:]))
                    pending = rest[index + 1:] + pending[len(chunk):]
                    break
                title, _, text = single.stdout.decode("utf-8", "replace").partition("\n")
                texts[path] = text[:-1] if text.endswith("\n") else text
                if single.returncode != 0:
                    failed.append(path)
            else:
                # No single file crashes: the fault needs the files before it.
                crashed.append((chunk[len(complete)] if rest else chunk[-1], proc.returncode,
                                "only in the run over many files\n" + stderr[-500:]))
                pending = pending[len(chunk):]
        else:
            pending = pending[len(chunk):]
    return texts, crashed, failed


IMAGE = re.compile(rb"""<img\b(?:[^>"']|"[^"]*"|'[^']*')*>""", re.I)
ORDERED_LIST = re.compile(rb"<(/?)ol\b", re.I)


def without_documented_differences(path, tmp):
    """A copy of the file without what the engine leaves out by design and
    lynx shows: images (their ALT texts, or the file name lynx shows for a
    linked image without one) and the numbers of ordered lists."""
    with open(path, "rb") as f:
        data = f.read()
    data = IMAGE.sub(b"", data)
    data = ORDERED_LIST.sub(rb"<\1ul", data)
    copy = os.path.join(tmp, os.path.basename(path))
    with open(copy, "wb") as f:
        f.write(data)
    return copy


def run_lynx(path, normalise=False):
    options = ["-dump", "-nolist", "-force_html", "-width=1024", "-display_charset=utf-8"]
    with tempfile.TemporaryDirectory() as tmp:
        if normalise:
            path = without_documented_differences(path, tmp)
        proc = subprocess.run(["lynx"] + options + [path], capture_output=True, timeout=60)
    return strip_link_toolbar(proc.stdout.decode("utf-8", "replace"))


def strip_link_toolbar(dump):
    """Drops the paragraph lynx puts first for the LINK elements of the head
    ("#" and their titles, up to the first empty line): it is navigation,
    not text of the document."""
    lines = dump.split("\n")
    start = next((i for i, line in enumerate(lines) if line.strip()), None)
    if start is None or not lines[start].lstrip().startswith("#"):
        return dump
    end = start
    while end < len(lines) and lines[end].strip():
        end += 1
    return "\n".join(lines[:start] + lines[end:])


def compare(name, folder, cli, top, normalise):
    files = html_files(folder)
    with tempfile.TemporaryDirectory() as tmp:
        separator = os.path.join(tmp, "separator.html")
        with open(separator, "w", encoding="ascii") as f:
            f.write("<title>%s</title>" % MARKER)
        texts, crashed, failed = run_engine(cli, files, separator)

    only_engine = collections.Counter()
    only_lynx = collections.Counter()
    examples_engine = collections.defaultdict(list)
    examples_lynx = collections.defaultdict(list)
    scores = []
    for path in files:
        if path not in texts:
            continue
        engine = words(texts[path])
        lynx = words(run_lynx(path, normalise))
        union = engine | lynx
        score = len(engine & lynx) / len(union) if union else 1.0
        scores.append((score, path))
        for w in engine - lynx:
            only_engine[w] += 1
            if len(examples_engine[w]) < 2:
                examples_engine[w].append(os.path.relpath(path, folder))
        for w in lynx - engine:
            only_lynx[w] += 1
            if len(examples_lynx[w]) < 2:
                examples_lynx[w].append(os.path.relpath(path, folder))

    mean = sum(s for s, _ in scores) / len(scores) if scores else 0.0
    print("## %s (%s)%s" % (name, folder, ", images and list numbers taken out for lynx"
                             if normalise else ""))
    print("files: %d, compared: %d, crashed: %d, with an error: %d"
          % (len(files), len(scores), len(crashed), len(failed)))
    print("mean word-set agreement (Jaccard): %.5f" % mean)
    exact = sum(1 for s, _ in scores if s == 1.0)
    print("files with identical word sets: %d" % exact)
    for victim, code, tail in crashed:
        sig = -code if code < 0 else 0
        print("CRASH %s (%s)\n%s" % (victim, signal.Signals(sig).name if sig else code, tail))
    for path in failed:
        print("ERROR %s" % path)
    print("\nlowest agreement:")
    for score, path in sorted(scores)[:8]:
        print("  %.3f %s" % (score, os.path.relpath(path, folder)))
    for title, counter, examples in (("only in folverin", only_engine, examples_engine),
                                     ("only in lynx", only_lynx, examples_lynx)):
        print("\nwords %s (files, examples):" % title)
        for w, n in counter.most_common(top):
            print("  %-24s %5d  %s" % (w, n, ", ".join(examples[w])))
    print()
    return not crashed


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--cli", required=True, help="path of folverin-cli")
    parser.add_argument("--top", type=int, default=25)
    parser.add_argument("--normalise", action="store_true",
                        help="take images and ordered-list numbers out of lynx's input")
    parser.add_argument("collections", nargs="+", metavar="NAME=FOLDER")
    args = parser.parse_args()
    ok = True
    for item in args.collections:
        name, _, folder = item.partition("=")
        ok = compare(name, folder, args.cli, args.top, args.normalise) and ok
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
