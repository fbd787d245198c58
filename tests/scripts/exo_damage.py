#!/usr/bin/env python3
"""Writes damaged variants of the sample experiment into a directory, with a
manifest (manifest.tsv) of: file name, exo-tool command, allowed exit codes,
a text that stderr must contain (may be empty).

Usage: exo_damage.py OUTDIR
"""

import math
import os
import struct
import sys

import exo_independent as exo

DAMAGED = "文件格已经损,不能打开."
DAMAGED_RECORD = "文件已经损坏"
TOO_NEW = "不能打开此版本，应在一个高版本中打开"
UNKNOWN = "不能生成未知控件:"
NO_CONVERTER = "此文件不是本版本的实验文件"

def patch_int(data, offset, value):
    return data[:offset] + struct.pack("<i", value) + data[offset + 4:]

def patch_float(data, offset, value):
    return data[:offset] + struct.pack("<f", value) + data[offset + 4:]

def with_size(data):
    return patch_int(data, 4, len(data))

def main(argv):
    if len(argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    out = argv[1]
    os.makedirs(out, exist_ok=True)
    offsets = []
    valid = exo.build(exo.sample_spec(), offsets)
    frame_at, lamp_at, mirror_at = offsets
    cases = []

    def add(name, data, command, codes, text=""):
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)
        cases.append((name, command, codes, text))

    add("valid.exo", valid, "info", "0")
    # Every prefix keeps the size field of the whole file: refused as damaged,
    # or (below the header) handed to the converter, which is not installed.
    for n in range(len(valid)):
        # The product tag ends at byte 70; a shorter prefix is an older file.
        add("cut%04d.exo" % n, valid[:n], "info", "1", DAMAGED if n >= 70 else NO_CONVERTER)
    # Prefixes whose size field was mended: read as far as the records go.
    # A cut that happens to leave whole records and 14 spare bytes is a valid,
    # shorter experiment. Every length near a record's end, a sample elsewhere
    # (the engine tests try every length in-process).
    ends = [120 + 108] + offsets[1:] + [len(valid) - 14, len(valid)]
    near = {n for e in ends for n in range(e - 20, e + 20)}
    for n in range(120, len(valid)):
        if n in near or n % 9 == 0:
            add("cutsized%04d.exo" % n, with_size(valid[:n]), "info", "0,1")

    add("size-plus-one.exo", patch_int(valid, 4, len(valid) + 1), "info", "1", DAMAGED)
    add("size-minus-one.exo", patch_int(valid, 4, len(valid) - 1), "info", "1", DAMAGED)
    add("size-negative.exo", patch_int(valid, 4, -1), "info", "1", DAMAGED)
    add("version-6.01.exo", patch_float(valid, 0, 6.01), "info", "1", TOO_NEW)
    add("version-7.exo", patch_float(valid, 0, 7.0), "info", "1", TOO_NEW)
    add("version-nan.exo", patch_float(valid, 0, math.nan), "info", "1", TOO_NEW)
    add("version-5.exo", patch_float(valid, 0, 5.0), "info", "0")
    add("version-6.009.exo", patch_float(valid, 0, 6.009), "info", "0")
    add("product-tag.exo", valid[:58] + exo.fixed_text("物理光学", 62) + valid[120:],
        "info", "1", NO_CONVERTER)

    # Lengths of class names and of the base record's strings.
    for label, value in (("huge", 0x7FFFFFFF), ("minus-one", -1),
                         ("most-negative", -0x80000000), ("over-bound", 65),
                         ("past-end", len(valid))):
        add("class-length-%s.exo" % label, patch_int(valid, lamp_at, value), "info", "1",
            DAMAGED_RECORD)
        if label != "over-bound":
            name_at = lamp_at + 4 + len("LampHouse")
            add("name-length-%s.exo" % label, patch_int(valid, name_at, value), "info", "1",
                DAMAGED_RECORD)

    # Unknown classes: the objects before them are kept, reading stops.
    def insert_record(at, class_bytes):
        return with_size(valid[:at] + struct.pack("<i", len(class_bytes)) + class_bytes
                         + valid[at:])

    add("unknown-class.exo", insert_record(lamp_at, b"Foo"), "info", "1", UNKNOWN + "Foo")
    add("unknown-class-gbk.exo", insert_record(mirror_at, "未知".encode("gbk")), "info", "1",
        UNKNOWN + "未知")
    add("unknown-class-controls.exo", insert_record(mirror_at, b"\x01\x02\x1b[2J"), "info",
        "1", UNKNOWN)
    add("unknown-class-case.exo", insert_record(mirror_at, b"flatmirror"), "info", "1",
        UNKNOWN + "flatmirror")
    add("empty-class-name.exo", insert_record(mirror_at, b""), "info", "1", UNKNOWN)

    # A source asking for two billion rays must not hang the tracer.
    count_at = lamp_at + 4 + len("LampHouse")
    count_at += sum(4 + len(s.encode("gbk")) for s in ("光源一", "n3", "n4")) + 31 + 80
    add("ray-count-huge.exo", patch_int(valid, count_at, 2000000000), "trace", "0,1", "")
    add("ray-count-negative.exo", patch_int(valid, count_at, -2000000000), "trace", "0,1", "")

    # Ray widths far outside what the page dialog offers: opened, painted bounded.
    add("ray-width-huge.exo", patch_int(valid, 120 + 5, 2000000000), "info", "0")
    add("ray-width-negative.exo", patch_int(valid, 120 + 5, -2000000000), "trace", "0")
    # Widths at the ends of the int range, coordinates at the bound a file may
    # give; a bundle caught by total reflection for every generation, cut at
    # the trace's work bound.
    big = 0x7FFFFFFF
    add("far-and-wide.exo", exo.build({"page": {"showAngles": 1}, "objects": [
        {"class": "RealObject", "lineWidth": big, "points": [[1e8, -1e8]] * 11},
        {"class": "PointLampHouse", "lineWidth": -big - 1, "points": [[-1e8, 1e8]] * 11},
        {"class": "ThreePrism", "lineWidth": big, "handleSize": big, "firstPaint": 0,
         "vertices": [[9e7, 9e7], [-9e7, 0], [0, -9e7]]}]}), "render", "0", "")
    # Beyond it, or not a number, a source's point refuses its record.
    add("source-far.exo", exo.build({"objects": [
        {"class": "RealObject", "points": [[1e30, -1e30]] * 11}]}), "info", "1", DAMAGED_RECORD)
    add("source-nan.exo", exo.build({"objects": [
        {"class": "PointLampHouse", "points": [[float("nan"), 0]] * 11}]}), "info", "1",
        DAMAGED_RECORD)
    add("mirror-nan.exo", exo.build({"objects": [
        {"class": "FlatMirror", "x1": float("nan")}]}), "info", "1", DAMAGED_RECORD)
    add("ideal-lens-far.exo", exo.build({"objects": [
        {"class": "IdealMagnifier", "end1": [0.0, 2e8]}]}), "info", "1", DAMAGED_RECORD)
    slab = {"class": "FourPrism", "index": 1.5, "firstPaint": 0,
            "vertices": [[50, 50], [1800, 50], [1800, 1000], [50, 1000]]}
    add("trapped-bundle.exo", exo.build({"objects": [slab, {
        "class": "ComplexlH", "x1": 100.0, "y1": 300.0, "x2": 150.0, "y2": 250.0,
        "rayCount": 10000, "spacing": 0.05}]}), "trace", "0", "提前结束")

    # An experiment without objects: header, page record, trailer.
    empty = exo.build({"objects": []})
    assert len(empty) == 120 + 108 + 14
    add("empty.exo", empty, "info", "0")
    # A file holding only the header and trailer: no page record.
    add("no-page.exo", with_size(empty[:120] + empty[-14:]), "info", "1", DAMAGED)

    with open(os.path.join(out, "manifest.tsv"), "w", encoding="utf-8") as f:
        for case in cases:
            f.write("\t".join(case) + "\n")
    return 0

if __name__ == "__main__":
    sys.exit(main(sys.argv))
