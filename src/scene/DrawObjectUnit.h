#pragma once
// Base class of every object placed on the drawing surface.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "gfx/TCanvas.h"
#include "optics/DrawBaseRayDataStruct.h"
#include "optics/DrawObjectLineDataStruct.h"

class ByteWriter;
class ByteReader;
class PropertyRows;
struct PropertyRow;
class RecordIo;

// A control point held somewhere inside an object's own records.
struct PointRef {
  float* x;
  float* y;
  TPointF Get() const { return {*x, *y}; }
  void Set(float nx, float ny) const {
    *x = nx;
    *y = ny;
  }
};

// Draw's modes: the XOR outline of placing and dragging, which a second
// paint erases, or the copy that shows the object.
enum DrawMode : int { kDrawXor = 1, kDrawCopy = 2 };
// Move's modes: the selected handle to (x, y); the whole object by the
// pointer's whole-pixel travel since the drag origin; the whole object by (x, y).
enum MoveMode : int { kMoveHandle = 1, kMoveDrag = 2, kMoveBy = 3 };
// What HitTest found under the pointer.
enum HitResult : int { kHitNone = 0, kHitHandle = 1, kHitBody = 2 };
// A drag moves the selection in the mode its hit names.
static_assert(int(kHitHandle) == int(kMoveHandle) && int(kHitBody) == int(kMoveDrag));

class DrawObjectUnit {
 public:
  explicit DrawObjectUnit(TCanvas* canvas);
  virtual ~DrawObjectUnit() = default;

  // Base fields, in record order.
  std::int32_t workA = 0;
  float dragOriginX = 0, dragOriginY = 0;
  std::int32_t workB = 0, workC = 0;
  std::string displayName;
  std::string className;
  std::string name3, name4;
  std::uint8_t flagD = 1;
  TCanvas* canvas = nullptr;
  TColor xorColor = 0xFF;
  TColor color = 0x80FF;
  TColor selectionLineColor = 0xFF;
  std::int32_t lineWidth;
  std::uint8_t fillFlag = 0;
  TColor fillColor = 0xFF0000;
  std::int32_t handleSize = 16;
  TColor handleColor = 0xFF0000;
  std::uint8_t flagE = 0;
  std::int32_t selectedHandle = -1;
  std::int32_t pointCount = 0;
  std::uint8_t canCopy = 1;
  std::uint8_t canDelete = 1;
  std::uint8_t isDrawn = 1;
  std::array<std::uint8_t, 40> reserved{};
  // Set for an object being placed: its first Draw only clears it, so the
  // first XOR erase of the rubber band draws nothing. Each class's record
  // says where the flag is stored; snapshots never keep it set.
  std::uint8_t skipNextPaint = 1;

  // A locked object stays as the teacher placed it: it is not moved, resized,
  // edited, deleted or cut, and shows no handles. The lock is kept in the last
  // bytes of the reserved block, which every reader of this layout reads past,
  // so that a file with locks opens as before in a program that knows none.
  bool Locked() const;
  void SetLocked(bool locked);

  // The 23 operations.
  void SetDragOrigin(float x, float y) {
    dragOriginX = x;
    dragOriginY = y;
  }
  virtual void Draw(int mode);
  // Handle squares on the control points.
  virtual void DrawHandles();
  TCanvas* SetCanvas(TCanvas* c) {
    canvas = c;
    return c;
  }
  virtual int HitTest(int x, int y);
  virtual bool InRect(float x1, float y1, float x2, float y2);
  virtual void BeginCreate(int x, int y);
  virtual void DragCreate(int x, int y);
  virtual void EndCreate(int x, int y);
  virtual std::vector<DrawObjectLineDataStruct> GetSurfaces();
  virtual std::vector<DrawBaseRayDataStruct> GetBaseRays();
  // Whether the object forms an image by the lens or mirror equation (an
  // ideal lens, a spherical mirror, the imaging system): what the equation
  // readout reads.
  virtual bool Imaging() const { return false; }
  virtual std::unique_ptr<DrawObjectUnit> Clone() const;
  virtual std::unique_ptr<DrawObjectUnit> CloneMoved(int dx, int dy);
  virtual void Move(int mode, int x, int y);
  // Both go through Rows(), the one list of the object's property rows,
  // with the row "旋转角度" after them for an object with a direction.
  virtual int ShowProperties();
  virtual bool ApplyProperties();
  // The same rows for other editors of them (the board's sliders).
  PropertyRows PropertyList();

  // Turning to a typed angle (the sheet's row, the popup's "旋转…", the
  // keys [ and ]): the point an object with a direction turns about and the
  // way it points now, in degrees as every angle here.
  struct Heading {
    TPointF pivot;
    double angle = 0;
  };
  virtual std::optional<Heading> Direction() { return std::nullopt; }
  // Turns the object `degrees` counter-clockwise about `pivot`; by default
  // every control point turns.
  virtual void Turn(TPointF pivot, double degrees);
  // About its own pivot, to or by an angle; false without a direction or when locked.
  bool TurnTo(double degrees);
  bool TurnBy(double degrees);
  void SetSerialName(const std::string& suffix) { displayName = className + suffix; }
  virtual void Zoom(float cx, float cy, float factor);
  // Class name, base record, then the class's own fields.
  virtual bool SaveToStream(ByteWriter& out);
  // Reads into a copy first: a damaged record leaves this object untouched.
  virtual bool LoadFromStream(ByteReader& in);
  void SaveBaseFields(ByteWriter& out) const;
  bool LoadBaseFields(ByteReader& in);
  void SaveClassName(ByteWriter& out) const;
  // Every field of the record after the class name (the base fields, then
  // the class's own) through `io`, in file order: saving, reading and
  // measuring go through it, and so can a caller that compares objects.
  void RecordAllFields(RecordIo& io);
  // Bytes of the record after the class name, as SaveToStream writes it.
  // `textBound`, when given, gets the bound of the first text in it that is
  // longer than LoadFromStream accepts, 0 when none is.
  std::size_t RecordSize(std::size_t* textBound = nullptr);

  // Sets the control points in order; false (nothing set) for another count.
  bool SetControlPoints(const std::vector<TPointF>& values);
  // Current values of the control points, in order (listings and tests).
  std::vector<TPointF> ControlPointValues() {
    std::vector<TPointF> values;
    for (const auto& p : ControlPoints()) values.push_back(p.Get());
    return values;
  }

 protected:
  // Sets the class name and the three names that default to it.
  void SetClassName(const std::string& name);

  // The class's own record fields in file order after the base record (most
  // end with the reserved block); one list for writing, reading, measuring.
  virtual void RecordFields(RecordIo& io);
  void BaseRecordFields(RecordIo& io);
  // Copies every field of an object of the same class (see ObjectOf).
  virtual void AssignFrom(const DrawObjectUnit& other);
  // The property sheet of the object; none by default.
  virtual PropertyRows Rows();
  // "锁定", after the object's own rows (ProcessSettings::lockRow).
  PropertyRow LockRow();
  // Rows() and the turn row.
  PropertyRows SheetRows();

  // Placing: where the pointer of the drag puts the object (default: the
  // second control point). DragCreate and EndCreate call it.
  virtual void PlaceDragged(int x, int y);

  // PreparePen, then false (and the flag cleared) when this paint is skipped;
  // false too without a canvas. Every Draw starts with it.
  bool BeginPaint(int mode);

  // The object's control points in order; the shared handle, hit, move,
  // zoom and rectangle helpers below work over them.
  virtual std::vector<PointRef> ControlPoints() { return {}; }

  void DrawHandleSquares();
  // Handle squares at the given points only (objects with many points).
  void DrawHandleSquares(const std::vector<TPointF>& at);
  // The first control point closer than half the handle size, or -1.
  int HandleUnder(int x, int y);
  // A control point inside, or an edge between consecutive points crossing a side.
  bool InRectPolyline(float x1, float y1, float x2, float y2, bool closed);
  void MovePoints(int mode, int x, int y);
  void ZoomPoints(float cx, float cy, float factor);

  // Pen for Draw: XOR outline, or copy in the object's colour.
  void PreparePen(int mode);
  // The pen of placing, in the XOR colour and the line width: XOR while the
  // outline follows the pointer, copy once it is placed.
  void SetCreationPen(TPenMode mode);

  // One straight stroke of an outline.
  struct Stroke {
    TPointF a, b;
  };
  // Mode 2 with high-quality drawing on paints through a temporary
  // anti-aliased layer in the object's colour; otherwise the canvas with its
  // current pen, coordinates truncated to whole pixels.
  void PaintStrokes(int mode, const std::vector<Stroke>& strokes);
};
