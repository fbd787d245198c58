#!/usr/bin/env python3
"""A second, independent implementation of the experiment file layout (*.exo,
current binary layout), used to cross-check the program's reader and writer.

It knows the frame (120-byte header, 108-byte page record, object records,
14-byte trailer), the base record and string record of every object, the
80-byte ray record, and the own records of all 26 classes: the sources
(LampHouse, ComplexlH, PointLampHouse, RealObject), the mirrors (FlatMirror,
ConcaveMirror, ConvexityMirror), the media and lenses (ThreePrism, FourPrism,
Magnifier, Concave, IdealMagnifier, IdealConcave, FitfulObject, RayFibre,
ImagingSystem), the stops and the half mirror (LightBlocker, CircularBlocker,
Aperture, BeamSplitter), the measuring tools (Ruler, Protractor, OPticsLine), the
coordinate system (ReferenceFrame) and the annotations (DrawString, DrawImage
with its BMP picture).

Usage:
  exo_independent.py write SPEC.json OUT.exo   write a file described by SPEC
  exo_independent.py parse FILE.exo            print the file's fields as JSON
  exo_independent.py sample OUT.exo            write the sample experiment

SPEC.json: {"header": {...}, "page": {...}, "objects": [{"class": ..., ...}],
"trailer": "hex"}; every field missing from SPEC takes the value below.
"""

import json
import struct
import sys

HEADER_SIZE = 120
PAGE_SIZE = 108
TRAILER_SIZE = 14
PRODUCT_TAG = "物理光学软件"
MAX_CLASS_NAME = 64
MAX_NAME = 1 << 16
POINT_TABLE = 11
# Every class a file may name, in the order the reader tries them.
FACTORY_CLASSES = ["OPticsLine", "Ruler", "FlatMirror", "ComplexlH", "Concave", "ConcaveMirror",
                   "ConvexityMirror", "DrawImage", "DrawString", "FitfulObject", "FourPrism",
                   "IdealConcave", "IdealMagnifier", "ImagingSystem", "LampHouse", "Magnifier",
                   "Protractor", "RayFibre", "ReferenceFrame", "ThreePrism", "PointLampHouse",
                   "RealObject", "LightBlocker", "CircularBlocker", "Aperture", "BeamSplitter",
                   "PolygonGlass"]

# The 80-byte ray record: points and derived line (0-27), vertical flag (28,
# padded), vertical x and index factor (32-39), colour (40), blend flag (44,
# padded), source kind (48), name reference (52), emission group (56), last
# surface (60), source line width (64), two links (68, 72), spare word (76).
RAY_FORMAT = "<fffffffB3xffIB3xiiiii8x4x"
RAY_KEYS = ["x1", "y1", "x2", "y2", "slope", "intercept", "direction", "vertical",
            "verticalX", "indexFactor", "rayColour", "blend", "sourceKind",
            "nameReference", "emissionGroup", "lastSurface", "sourceLineWidth"]

# Composite source: red, orange, yellow, green, cyan, blue, violet; the index
# factors are the floats 0x3F800000 + slot * 83886 (1.00 ... 1.06).
COMPOSITE_COLOURS = [0x0000FF, 0x0080FF, 0x00FFFF, 0x00FF00, 0xFFFF00, 0xFF0000, 0xFF0080]
COMPOSITE_FACTORS = [struct.unpack("<f", struct.pack("<I", 0x3F800000 + k * 83886))[0]
                     for k in range(7)]


# Own records that are a fixed list of fields (before the reserved block):
# class -> [(key, struct format)]; "2f" fields are [x, y] points, longer float
# runs lists of points, "Ns" raw bytes as hex, "Nz" NUL-terminated texts.
IDEAL_LENS = [("end0", "2f"), ("end1", "2f"), ("focal1", "2f"), ("focal2", "2f"),
              ("focalLength", "f"), ("firstPaint", "B")]
FIXED_RECORDS = {
    "IdealMagnifier": IDEAL_LENS,
    "IdealConcave": IDEAL_LENS,
    "ImagingSystem": [("points", "20f"), ("sparePoint", "2f"), ("picture", "2f"),
                      ("panel", "2f"), ("imageA", "2f"), ("imageB", "2f"),
                      ("spareFlag", "B"), ("showPictures", "B"), ("focalLength", "f"),
                      ("selectedPart", "f"), ("showConstruction", "B"),
                      ("pictureSize", "2i"), ("panelSize", "2i"), ("firstPaint", "B")],
}
# Arcs: centre, radius and the two angles follow the control points.
ARC = [("centre", "2f"), ("radius", "f"), ("angle1", "f"), ("angle2", "f")]
MIRROR = [("ends", "4f")] + ARC + [("sweep", "f"), ("reservedValue", "f"), ("firstPaint", "B")]
# The tools keep an 88-byte surface segment of which a reader uses only the
# two points; the other 72 bytes are each writer's own.
SEGMENT = [("ends", "4f"), ("segmentRest", "72s")]
CORNERS = [("corners", "8f")]
FIXED_RECORDS.update({
    "ConcaveMirror": MIRROR, "ConvexityMirror": MIRROR,
    "Magnifier": [("ends", "4f")] + ARC + [("sweep", "f"), ("index", "f"), ("firstPaint", "B")],
    "Concave": CORNERS + ARC + [("angle2Again", "f"), ("thickness", "f"), ("index", "f"),
                                ("firstPaint", "B")],
    "Protractor": [("points", "6f"), ("spareWords", "32s")],
    "OPticsLine": SEGMENT + [("skipPaint", "B"), ("solid", "B"), ("spare", "i"),
                             ("showLength", "B")],
    "Ruler": SEGMENT + [("tickSpacing", "f"), ("skipPaint", "B"), ("spare", "i"),
                        ("spareFlag", "B")],
    # Followed by the BMP file when the has-picture flag is 1.
    "DrawImage": CORNERS + [("hasPicture", "B"), ("spareFlag", "B"), ("skipPaint", "B")],
    # Followed by the text, its lines joined by CR LF, as a string record.
    "DrawString": CORNERS + [("border", "B"), ("fontSize", "i"), ("fontColour", "I"),
                             ("fontName", "100z"), ("spareFlag", "B"), ("skipPaint", "B")],
})
# The stops and the half mirror: their two points (the disc: centre and a
# point on its rim), their own values, the skip-next-paint flag.
FIXED_RECORDS.update({
    "LightBlocker": [("ends", "4f"), ("screen", "B"), ("skipPaint", "B")],
    "CircularBlocker": [("ends", "4f"), ("skipPaint", "B")],
    "Aperture": [("ends", "4f"), ("gapWidth", "f"), ("gapPosition", "f"), ("skipPaint", "B")],
    "BeamSplitter": [("ends", "4f"), ("reflected", "f"), ("skipPaint", "B")],
})
ARC_DEFAULTS = {"centre": [0.0, 0.0], "radius": 0.0, "angle1": -60.0, "angle2": 60.0,
                "firstPaint": 1}
NO_POINTS = [[0.0, 0.0]] * 4
TOOL_DEFAULTS = {"ends": [[0.0, 0.0]] * 2, "segmentRest": "00" * 72, "skipPaint": 1, "spare": 0}
FIXED_DEFAULTS = {
    "IdealMagnifier": {"colour": 0xFFFFFF, "end0": [0.0, 0.0], "end1": [0.0, 0.0],
                       "focal1": [0.0, 0.0], "focal2": [0.0, 0.0], "focalLength": 100.0,
                       "firstPaint": 1},
    "ImagingSystem": {"points": [[100.0, 20.0], [700.0, 20.0], [700.0, 420.0], [100.0, 420.0],
                                 [150.0, 150.0], [150.0, 290.0], [400.0, 50.0], [400.0, 390.0],
                                 [600.0, 50.0], [600.0, 380.0]],
                      "sparePoint": [0.0, 0.0], "picture": [20.0, 150.0], "panel": [620.0, 20.0],
                      "imageA": [0.0, 0.0], "imageB": [0.0, 0.0], "spareFlag": 0,
                      "showPictures": 1, "focalLength": 100.0, "selectedPart": -1.0,
                      "showConstruction": 1, "pictureSize": [46, 212], "panelSize": [100, 350],
                      "firstPaint": 0},
}
FIXED_DEFAULTS["IdealConcave"] = FIXED_DEFAULTS["IdealMagnifier"]
FIXED_DEFAULTS.update({
    "ConcaveMirror": dict(ARC_DEFAULTS, colour=0x80FFFF, ends=[[0.0, 0.0]] * 2, sweep=120.0,
                          reservedValue=0.0),
    "Magnifier": dict(ARC_DEFAULTS, colour=0xFFFF80, fillColour=0xFFDAC4,
                      ends=[[0.0, 0.0]] * 2, sweep=120.0, index=1.3),
    "Concave": dict(ARC_DEFAULTS, colour=0xFFFF80, fillColour=0xFFDAC4, corners=NO_POINTS,
                    angle2Again=60.0, thickness=10.0, index=1.3),
    "Protractor": {"points": [[380.0, 300.0], [300.0, 300.0], [380.0, 220.0]],
                   "spareWords": "00" * 32},
    "OPticsLine": dict(TOOL_DEFAULTS, solid=1, showLength=0),
    "Ruler": dict(TOOL_DEFAULTS, tickSpacing=50.0, spareFlag=0),
    "DrawImage": {"corners": NO_POINTS, "hasPicture": 0, "spareFlag": 1, "skipPaint": 1,
                  "picture": ""},
    "DrawString": {"corners": NO_POINTS, "border": 1, "fontSize": 9, "fontColour": 0x008080,
                   "fontName": "Arial", "spareFlag": 0, "skipPaint": 1,
                   "lines": ["在此输入文字"]},
})
FIXED_DEFAULTS["ConvexityMirror"] = FIXED_DEFAULTS["ConcaveMirror"]
STOP_DEFAULTS = {"colour": 0xA0A0A0, "ends": [[0.0, 0.0]] * 2, "skipPaint": 1}
FIXED_DEFAULTS.update({
    "LightBlocker": dict(STOP_DEFAULTS, screen=0),
    "CircularBlocker": dict(STOP_DEFAULTS),
    "Aperture": dict(STOP_DEFAULTS, gapWidth=20.0, gapPosition=0.5),
    "BeamSplitter": dict(STOP_DEFAULTS, colour=0xFFC080, reflected=0.5),
})


def struct_format(fmt):
    return fmt[:-1] + "s" if fmt.endswith("z") else fmt


def is_points(fmt):
    return fmt.endswith("f") and fmt[:-1].isdigit() and int(fmt[:-1]) > 2


def fixed_values(o, fields):
    values = []
    for key, fmt in fields:
        v = o[key]
        if is_points(fmt):
            if len(v) * 2 != int(fmt[:-1]):
                raise LayoutError("%s needs %d points" % (key, int(fmt[:-1]) // 2))
            v = [c for point in v for c in point]
        elif fmt.endswith("s"):
            v = bytes.fromhex(v)
        elif fmt.endswith("z"):
            v = fixed_text(v, int(fmt[:-1]))
        values.extend(v if isinstance(v, list) else [v])
    return struct.pack("<" + "".join(struct_format(f) for _, f in fields), *values)


def read_fixed(r, cls, o):
    for key, fmt in FIXED_RECORDS[cls]:
        v = list(r.unpack("<" + struct_format(fmt), cls + " " + key))
        if is_points(fmt):
            v = [v[2 * i:2 * i + 2] for i in range(len(v) // 2)]
        elif fmt.endswith("s"):
            v = [v[0].hex()]
        elif fmt.endswith("z"):
            v = [fixed(v[0])]
        o[key] = v if len(v) > 1 or is_points(fmt) else v[0]


MAX_PICTURE = 64 << 20


def picture_bytes(o):
    picture = bytes.fromhex(o["picture"]) if o["hasPicture"] == 1 else b""
    if picture and (picture[:2] != b"BM" or struct.unpack_from("<I", picture, 2)[0] != len(picture)):
        raise LayoutError("the picture must be a BMP file whose header gives its size")
    return picture


def read_picture(r):
    """A whole BMP file: exactly as many bytes as its file header gives."""
    head = r.take(14, "picture header")
    (size,) = struct.unpack_from("<I", head, 2)
    if head[:2] != b"BM" or not 14 + 40 <= size <= MAX_PICTURE:
        raise LayoutError("picture header %s" % head.hex())
    return (head + r.take(size - 14, "picture")).hex()


class LayoutError(Exception):
    pass


# ---------------------------------------------------------------- defaults

def default_header():
    return {"version": 6.0, "size": None, "format": "ptx",
            "date": "2024-01-02 03:04:05", "product": PRODUCT_TAG}


def default_page():
    return {"scale": 1.0, "highQuality": 0, "rayWidth": 2, "ambient": 0,
            "normals": 1, "reverse": 1, "axes": 0, "reservedColour": 255,
            "normalColour": 0xCACACA, "reverseColour": 0x0000FF, "showAngles": 0,
            "partialReflection": 0}


def default_base(class_name):
    return {"name": class_name, "name3": class_name, "name4": class_name,
            "flagD": 1, "xorColour": 0xFF, "colour": 0x80FF,
            "selectionColour": 0xFF, "lineWidth": 2, "fillFlag": 0,
            "fillColour": 0xFF0000, "handleSize": 16, "handleColour": 0xFF0000,
            "flagE": 0, "reserved": "00" * 40}


def default_ray():
    return {"x1": 0.0, "y1": 0.0, "x2": 0.0, "y2": 0.0, "slope": 0.0, "intercept": 0.0,
            "direction": 0.0, "vertical": 0, "verticalX": 0.0, "indexFactor": 1.0,
            "rayColour": 0xFF, "blend": 0, "sourceKind": 0, "emissionGroup": 0,
            "lastSurface": 0, "sourceLineWidth": 0}


def default_object(class_name):
    obj = default_base(class_name)
    obj["class"] = class_name
    if class_name in ("ThreePrism", "FourPrism"):
        n = 3 if class_name == "ThreePrism" else 4
        obj.update({"colour": 0xFFFF80, "fillColour": 0xFFDAC4, "fillFlag": 1,
                    "vertices": [[0.0, 0.0]] * n, "index": 1.3, "firstPaint": 1})
    elif class_name == "PolygonGlass":
        # Any number of vertices, 3 to 1000, the count before them.
        obj.update({"colour": 0xFFFF80, "fillColour": 0xFFDAC4, "fillFlag": 1,
                    "vertices": [[0.0, 0.0]] * 5, "index": 1.3, "firstPaint": 1})
    elif class_name == "ComplexlH":
        obj.update(default_ray())
        obj.update({"colour": 0xFFFFFF, "blend": 1, "rayCount": 1, "spacing": 10.0,
                    "colours": list(COMPOSITE_COLOURS), "factors": list(COMPOSITE_FACTORS),
                    "skipPaint": 1})
    elif class_name in ("PointLampHouse", "RealObject"):
        obj.update(default_ray())
        point = class_name == "PointLampHouse"
        obj.update({"sourceKind": 1 if point else 2, "rayCount": 3 if point else 4,
                    "spare": 10.0, "skipPaint": 1,
                    "points": [[0.0, 0.0]] * POINT_TABLE, "objectName": "S"})
    elif class_name == "LampHouse":
        obj.update({"colour": 0xFF, "x1": 0.0, "y1": 0.0, "x2": 0.0, "y2": 0.0,
                    "slope": 0.0, "intercept": 0.0, "direction": 0.0,
                    "vertical": 0, "verticalX": 0.0, "indexFactor": 1.0,
                    "rayColour": 0xFF, "blend": 0, "sourceKind": 0,
                    "emissionGroup": 0, "lastSurface": 0, "sourceLineWidth": 0,
                    "rayCount": 1, "spacing": 10.0, "skipPaint": 0})
    elif class_name == "FlatMirror":
        obj.update({"colour": 0x80FFFF, "x1": 0.0, "y1": 0.0, "x2": 0.0, "y2": 0.0,
                    "slope": 0.0, "intercept": 0.0, "direction": 0.0,
                    "vertical": 0, "verticalX": 0.0, "spare": 0, "skipPaint": 0})
    elif class_name == "ReferenceFrame":
        obj.update({"originX": 20.0, "originY": 300.0})
    elif class_name in FIXED_DEFAULTS:
        obj.update(json.loads(json.dumps(FIXED_DEFAULTS[class_name])))
    elif class_name == "FitfulObject":
        obj.update({"colour": 0x80FFFF, "fillFlag": 1, "vertices": [], "extent": -1,
                    "closed": 0, "vertexHandles": 0, "firstPaint": 1})
    elif class_name == "RayFibre":
        obj.update({"fillFlag": 1, "centre": [], "diameter": 10.0, "right": [], "left": [],
                    "index": 5.0, "pointHandles": 0, "spare": 1})
    return obj


# ---------------------------------------------------------------- writing

def gbk(text):
    return text.encode("gbk")


def fixed_text(text, size):
    raw = gbk(text)[: size - 1]
    return raw + b"\0" * (size - len(raw))


def string_record(text):
    raw = text if isinstance(text, bytes) else gbk(text)
    return struct.pack("<i", len(raw)) + raw


def header_bytes(h, size):
    return (struct.pack("<fi", h["version"], size) + fixed_text(h["format"], 20)
            + fixed_text(h["date"], 30) + fixed_text(h["product"], 62))


def page_bytes(p):
    out = struct.pack("<fBiIBBBiII", p["scale"], p["highQuality"], p["rayWidth"],
                      p["ambient"], p["normals"], p["reverse"], p["axes"],
                      p["reservedColour"], p["normalColour"], p["reverseColour"])
    out += bytes([p["showAngles"], p["partialReflection"], 0, 0]) + b"\0" * 76
    assert len(out) == PAGE_SIZE
    return out


def base_bytes(o):
    out = string_record(o["name"]) + string_record(o["name3"]) + string_record(o["name4"])
    out += struct.pack("<BIIIiBIiIB", o["flagD"], o["xorColour"], o["colour"],
                       o["selectionColour"], o["lineWidth"], o["fillFlag"],
                       o["fillColour"], o["handleSize"], o["handleColour"], o["flagE"])
    return out


def reserved_bytes(o):
    block = bytes.fromhex(o["reserved"])
    if len(block) != 40:
        raise LayoutError("reserved block must be 40 bytes")
    return block


def ray_bytes(o):
    # The name reference is written as 0: a file carries no text there.
    values = [0 if k == "nameReference" else o[k] for k in RAY_KEYS]
    ray = struct.pack(RAY_FORMAT, *values)
    assert len(ray) == 80
    return ray


def points_bytes(points, count, what):
    if len(points) != count:
        raise LayoutError("%s needs %d points" % (what, count))
    return b"".join(struct.pack("<ff", x, y) for x, y in points)


FREEHAND = 500


def freehand_bytes(points):
    """The fixed 500-entry block; entries past the count are zeros."""
    if len(points) > FREEHAND:
        raise LayoutError("at most %d points" % FREEHAND)
    padded = list(points) + [[0.0, 0.0]] * (FREEHAND - len(points))
    return points_bytes(padded, FREEHAND, "point block")


def object_bytes(o):
    cls = o["class"]
    out = string_record(cls) + base_bytes(o)
    if cls in ("ThreePrism", "FourPrism"):
        n = 3 if cls == "ThreePrism" else 4
        out += points_bytes(o["vertices"], n, cls)
        out += struct.pack("<fB", o["index"], o["firstPaint"])
    elif cls == "PolygonGlass":
        n = len(o["vertices"])
        if not 3 <= n <= 1000:
            raise LayoutError("PolygonGlass needs 3 to 1000 vertices")
        out += struct.pack("<i", n) + points_bytes(o["vertices"], n, cls)
        out += struct.pack("<fB", o["index"], o["firstPaint"])
    elif cls == "ComplexlH":
        if len(o["colours"]) != 7 or len(o["factors"]) != 7:
            raise LayoutError("ComplexlH needs seven colours and seven factors")
        out += ray_bytes(o) + struct.pack("<if", o["rayCount"], o["spacing"])
        out += struct.pack("<7I", *o["colours"]) + struct.pack("<7f", *o["factors"])
        out += struct.pack("<B", o["skipPaint"])
    elif cls in ("PointLampHouse", "RealObject"):
        out += ray_bytes(o) + struct.pack("<ifB", o["rayCount"], o["spare"], o["skipPaint"])
        out += points_bytes(o["points"], POINT_TABLE, cls)
        out += string_record(o["objectName"])
    elif cls == "LampHouse":
        out += ray_bytes(o) + struct.pack("<ifB", o["rayCount"], o["spacing"], o["skipPaint"])
    elif cls == "FlatMirror":
        seg = struct.pack("<fffffffB3xfI", o["x1"], o["y1"], o["x2"], o["y2"], o["slope"],
                          o["intercept"], o["direction"], o["vertical"], o["verticalX"],
                          o["spare"])
        assert len(seg) == 40
        out += seg + struct.pack("<B", o["skipPaint"])
    elif cls == "ReferenceFrame":
        out += struct.pack("<ff", o["originX"], o["originY"])
    elif cls in FIXED_RECORDS:
        out += fixed_values(o, FIXED_RECORDS[cls])
        if cls == "DrawImage":
            out += picture_bytes(o)
        elif cls == "DrawString":
            out += string_record("\r\n".join(o["lines"]))
    elif cls == "FitfulObject":
        out += freehand_bytes(o["vertices"])
        out += struct.pack("<iBBBi", o["extent"], o["closed"], o["vertexHandles"],
                           o["firstPaint"], len(o["vertices"]))
    elif cls == "RayFibre":
        n = len(o["centre"])
        if len(o["right"]) != n or len(o["left"]) != n:
            raise LayoutError("RayFibre walls need as many points as the centre line")
        out += freehand_bytes(o["centre"]) + struct.pack("<f", o["diameter"])
        out += freehand_bytes(o["right"]) + freehand_bytes(o["left"])
        out += struct.pack("<fBBi", o["index"], o["pointHandles"], o["spare"], n)
    else:
        raise LayoutError("cannot write class " + cls)
    return out + reserved_bytes(o)


def build(layout, offsets=None):
    """The file's bytes; `offsets`, when a list, receives the start of every
    object record."""
    h = default_header()
    h.update(layout.get("header", {}))
    p = default_page()
    p.update(layout.get("page", {}))
    body = page_bytes(p)
    for given in layout.get("objects", []):
        o = default_object(given["class"])
        o.update(given)
        if offsets is not None:
            offsets.append(HEADER_SIZE + len(body))
        body += object_bytes(o)
    trailer = bytes.fromhex(layout.get("trailer", "00" * TRAILER_SIZE))
    if len(trailer) != TRAILER_SIZE:
        raise LayoutError("trailer must be 14 bytes")
    total = HEADER_SIZE + len(body) + TRAILER_SIZE
    size = total if h["size"] is None else h["size"]
    return header_bytes(h, size) + body + trailer


# ---------------------------------------------------------------- reading

class Reader:
    def __init__(self, data, end):
        self.data = data
        self.end = end
        self.pos = 0

    def take(self, n, what):
        if n < 0 or self.pos + n > self.end:
            raise LayoutError("%s runs past the object data at %d" % (what, self.pos))
        chunk = self.data[self.pos:self.pos + n]
        self.pos += n
        return chunk

    def unpack(self, fmt, what):
        return struct.unpack(fmt, self.take(struct.calcsize(fmt), what))

    def string(self, what, limit=1 << 20):
        (n,) = self.unpack("<i", what + " length")
        if n < 0 or n > limit:
            raise LayoutError("%s length %d out of range" % (what, n))
        return self.take(n, what)


def fixed(raw):
    return raw.split(b"\0", 1)[0].decode("gbk", "replace")


def parse(data):
    if len(data) < HEADER_SIZE + PAGE_SIZE + TRAILER_SIZE:
        raise LayoutError("file shorter than header, page record and trailer")
    version, size = struct.unpack_from("<fi", data, 0)
    header = {"version": round(version, 6), "size": size,
              "format": fixed(data[8:28]), "date": fixed(data[28:58]),
              "product": fixed(data[58:120])}
    result = {"header": header, "fileLength": len(data)}
    page = struct.unpack_from("<fBiIBBBiII", data, HEADER_SIZE)
    keys = ["scale", "highQuality", "rayWidth", "ambient", "normals", "reverse", "axes",
            "reservedColour", "normalColour", "reverseColour"]
    result["page"] = dict(zip(keys, page))
    result["page"]["showAngles"] = data[HEADER_SIZE + 28]
    result["page"]["partialReflection"] = data[HEADER_SIZE + 29]
    result["page"]["reservedZero"] = all(
        b == 0 for b in data[HEADER_SIZE + 30:HEADER_SIZE + PAGE_SIZE])
    result["trailer"] = data[-TRAILER_SIZE:].hex()

    r = Reader(data, len(data) - TRAILER_SIZE)
    r.pos = HEADER_SIZE + PAGE_SIZE
    objects = []
    while r.pos < r.end:
        cls = r.string("class name", MAX_CLASS_NAME).decode("latin-1")
        o = {"class": cls}
        o["name"] = r.string("display name").decode("gbk", "replace")
        o["name3"] = r.string("name 3").decode("gbk", "replace")
        o["name4"] = r.string("name 4").decode("gbk", "replace")
        vals = r.unpack("<BIIIiBIiIB", "base record")
        for k, v in zip(["flagD", "xorColour", "colour", "selectionColour", "lineWidth",
                         "fillFlag", "fillColour", "handleSize", "handleColour", "flagE"],
                        vals):
            o[k] = v
        if cls in ("ThreePrism", "FourPrism"):
            n = 3 if cls == "ThreePrism" else 4
            flat = r.unpack("<%df" % (2 * n), "vertices")
            o["vertices"] = [[flat[2 * i], flat[2 * i + 1]] for i in range(n)]
            o["index"], o["firstPaint"] = r.unpack("<fB", "medium")
        elif cls == "PolygonGlass":
            (n,) = r.unpack("<i", "vertex count")
            if not 3 <= n <= 1000:
                raise LayoutError("PolygonGlass vertex count %d" % n)
            flat = r.unpack("<%df" % (2 * n), "vertices")
            o["vertices"] = [[flat[2 * i], flat[2 * i + 1]] for i in range(n)]
            o["index"], o["firstPaint"] = r.unpack("<fB", "medium")
        elif cls == "ComplexlH":
            o.update(zip(RAY_KEYS, r.unpack(RAY_FORMAT, "ray template")))
            o["rayCount"], o["spacing"] = r.unpack("<if", "composite source")
            o["colours"] = list(r.unpack("<7I", "colour table"))
            o["factors"] = list(r.unpack("<7f", "factor table"))
            (o["skipPaint"],) = r.unpack("<B", "composite source")
        elif cls in ("PointLampHouse", "RealObject"):
            o.update(zip(RAY_KEYS, r.unpack(RAY_FORMAT, "ray template")))
            o["rayCount"], o["spare"], o["skipPaint"] = r.unpack("<ifB", cls)
            flat = r.unpack("<%df" % (2 * POINT_TABLE), "point table")
            o["points"] = [[flat[2 * i], flat[2 * i + 1]] for i in range(POINT_TABLE)]
            o["objectName"] = r.string("object name", MAX_NAME).decode("gbk", "replace")
        elif cls == "LampHouse":
            o.update(zip(RAY_KEYS, r.unpack(RAY_FORMAT, "ray template")))
            o["rayCount"], o["spacing"], o["skipPaint"] = r.unpack("<ifB", "light source")
        elif cls == "FlatMirror":
            vals = r.unpack("<fffffffB3xfI", "mirror segment")
            for k, v in zip(["x1", "y1", "x2", "y2", "slope", "intercept", "direction",
                             "vertical", "verticalX", "spare"], vals):
                o[k] = v
            (o["skipPaint"],) = r.unpack("<B", "mirror")
        elif cls == "ReferenceFrame":
            o["originX"], o["originY"] = r.unpack("<ff", "coordinate system")
        elif cls in FIXED_RECORDS:
            read_fixed(r, cls, o)
            if cls == "DrawImage":
                o["picture"] = read_picture(r) if o["hasPicture"] == 1 else ""
            elif cls == "DrawString":
                text = r.string("text", MAX_NAME).decode("gbk", "replace")
                o["lines"] = text.split("\r\n")
        elif cls == "FitfulObject":
            flat = r.unpack("<%df" % (2 * FREEHAND), "vertices")
            o["extent"], o["closed"], o["vertexHandles"], o["firstPaint"], n = r.unpack(
                "<iBBBi", "irregular object")
            if not 0 <= n <= FREEHAND:
                raise LayoutError("vertex count %d" % n)
            o["vertices"] = [[flat[2 * i], flat[2 * i + 1]] for i in range(n)]
        elif cls == "RayFibre":
            centre = r.unpack("<%df" % (2 * FREEHAND), "centre line")
            (o["diameter"],) = r.unpack("<f", "diameter")
            right = r.unpack("<%df" % (2 * FREEHAND), "right wall")
            left = r.unpack("<%df" % (2 * FREEHAND), "left wall")
            o["index"], o["pointHandles"], o["spare"], n = r.unpack("<fBBi", "fibre")
            if not 0 <= n <= FREEHAND:
                raise LayoutError("point count %d" % n)
            for key, flat in (("centre", centre), ("right", right), ("left", left)):
                o[key] = [[flat[2 * i], flat[2 * i + 1]] for i in range(n)]
        else:
            result["objects"] = objects
            result["stoppedAt"] = cls
            return result
        reserved = r.take(40, "reserved block")
        o["reserved"] = reserved.hex()
        if cls in ("PointLampHouse", "RealObject"):
            # The choice of the three special rays instead of the fan.
            o["specialRays"] = reserved[32:36] == b"SRY3"
        objects.append(o)
    result["objects"] = objects
    return result


# ---------------------------------------------------------------- sample

def sample_spec():
    """A source whose ray runs along y = 300 to a mirror at 45 degrees that
    sends it straight up from (400, 300)."""
    return {
        "header": {"date": "2001-06-01 08:00:00"},
        "page": {"rayWidth": 3, "ambient": 0x102030, "normals": 1, "reverse": 0,
                 "axes": 1, "normalColour": 0x00FF00, "reverseColour": 0xFF00FF,
                 "showAngles": 1},
        "objects": [
            {"class": "ReferenceFrame", "originX": 20.0, "originY": 300.0,
             "reserved": "ab" * 40},
            {"class": "LampHouse", "name": "光源一", "name3": "n3", "name4": "n4",
             "x1": 100.0, "y1": 300.0, "x2": 150.0, "y2": 300.0,
             "rayColour": 0x00FFFF, "colour": 0x0000FF, "indexFactor": 1.25,
             "rayCount": 1, "spacing": 12.0, "lineWidth": 3, "handleSize": 12,
             "flagD": 0, "flagE": 1, "fillFlag": 1, "fillColour": 0x123456,
             "xorColour": 0x654321, "selectionColour": 0x111111, "handleColour": 0x222222,
             "reserved": "".join("%02x" % i for i in range(40))},
            {"class": "FlatMirror", "name": "镜子", "x1": 450.0, "y1": 250.0,
             "x2": 350.0, "y2": 350.0, "colour": 0x80FFFF,
             "reserved": "5a" * 40},
        ],
    }


def main(argv):
    if len(argv) >= 2 and argv[1] == "write" and len(argv) == 4:
        with open(argv[2], encoding="utf-8") as f:
            layout = json.load(f)
        with open(argv[3], "wb") as f:
            f.write(build(layout))
        return 0
    if len(argv) >= 2 and argv[1] == "sample" and len(argv) == 3:
        with open(argv[2], "wb") as f:
            f.write(build(sample_spec()))
        return 0
    if len(argv) >= 2 and argv[1] == "parse" and len(argv) == 3:
        with open(argv[2], "rb") as f:
            data = f.read()
        try:
            print(json.dumps(parse(data), ensure_ascii=False, indent=1, sort_keys=True))
        except (LayoutError, struct.error) as e:
            print("layout error: %s" % e, file=sys.stderr)
            return 1
        return 0
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
