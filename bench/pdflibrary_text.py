#!/usr/bin/env python3
"""Text extraction speed of the stand-in PDF library against mutool.

Loads the Octave manual (1158 pages) and asks for the text records of every
page, as the bookmark engine does, and compares the wall time with
`mutool draw -F text` on the same file in the same run. The manual comes from
Debian's octave-doc, fetched with apt-get download into bench/cache/ when
absent. Exits 1 when the library takes more than 1.2 times mutool's time.

    bench/pdflibrary_text.py [--build build] [--runs 3] [--pdf FILE]
"""
import argparse
import ctypes
import glob
import gzip
import os
import shutil
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
CACHE = os.path.join(HERE, "cache")
LIMIT = 1.2


def octave_manual():
    installed = "/usr/share/doc/octave/octave.pdf"
    if os.path.exists(installed):
        return installed
    folder = os.path.join(CACHE, "x-octave-doc")
    path = os.path.join(folder, installed.lstrip("/"))
    if os.path.exists(path):
        return path
    os.makedirs(CACHE, exist_ok=True)
    debs = glob.glob(os.path.join(CACHE, "octave-doc_*.deb"))
    if not debs:
        print("fetching octave-doc with apt-get download", file=sys.stderr)
        subprocess.run(["apt-get", "download", "octave-doc"], cwd=CACHE, check=True,
                       stdout=subprocess.DEVNULL)
        debs = glob.glob(os.path.join(CACHE, "octave-doc_*.deb"))
    subprocess.run(["dpkg-deb", "-x", sorted(debs)[-1], folder], check=True)
    if not os.path.exists(path) and os.path.exists(path + ".gz"):
        with gzip.open(path + ".gz", "rb") as packed, open(path, "wb") as plain:
            shutil.copyfileobj(packed, plain)
    return path


class Library:
    """The library's C entry points, called as the binding calls them."""

    def __init__(self, path):
        self.lib = ctypes.CDLL(path)
        self.lib.ULRCreateBuffer.restype = ctypes.c_void_p
        self.lib.ULRCreateBuffer.argtypes = [ctypes.c_int, ctypes.c_int]
        self.lib.ULRAddToBuffer.argtypes = [ctypes.c_int, ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        self.lib.ULRLoadFromFile.argtypes = [ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p]
        self.lib.ULRGetPageText.restype = ctypes.c_void_p
        self.id = self.lib.ULRCreateLibrary()

    def wide(self, text):
        data = text.encode("utf-32-le")
        buffer = self.lib.ULRCreateBuffer(self.id, len(data))
        self.lib.ULRAddToBuffer(self.id, buffer, data, len(data))
        return buffer

    def all_text(self, pdf):
        if self.lib.ULRLoadFromFile(self.id, self.wide(pdf), None) != 1:
            sys.exit(f"the library cannot load {pdf}: error {self.lib.ULRLastErrorCode(self.id)}")
        pages = self.lib.ULRPageCount(self.id)
        units = 0
        for page in range(1, pages + 1):
            self.lib.ULRSelectPage(self.id, page)
            self.lib.ULRSetTextExtractionOptions(self.id, 1, 0)
            self.lib.ULRGetPageText(self.id, 3)
            units += self.lib.ULRStringResultLength(self.id)
        return pages, units


def best_of(runs, work):
    times = []
    for _ in range(runs):
        start = time.perf_counter()
        work()
        times.append(time.perf_counter() - start)
    return min(times)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", default=os.path.join(HERE, "..", "build"))
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--pdf")
    args = parser.parse_args()
    pdf = args.pdf or octave_manual()
    library = Library(os.path.join(args.build, "bin", "OmbrelPDFLibraryCPDylib1311.dylib"))

    counted = {}
    mutool = best_of(args.runs, lambda: subprocess.run(
        ["mutool", "draw", "-q", "-F", "text", "-o", "/dev/null", pdf], check=True,
        stderr=subprocess.DEVNULL))
    ours = best_of(args.runs, lambda: counted.update(result=library.all_text(pdf)))
    pages, units = counted["result"]
    ratio = ours / mutool
    print(f"{os.path.basename(pdf)}: {pages} pages, {units} characters of records")
    print(f"mutool draw -F text: {mutool:.2f} s; library load + GetPageText(3): {ours:.2f} s; "
          f"ratio {ratio:.2f} (limit {LIMIT})")
    return 0 if ratio <= LIMIT else 1


if __name__ == "__main__":
    sys.exit(main())
