#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "GuiApplication.h"
#include "TestEnvironment.h"
#include "TraceBuilders.h"
#include "gfx/RecordingCanvas.h"
#include "gfx/paint/QImageCanvas.h"
#include "optics/CanvasTraceSink.h"
#include "optics/TextTraceSink.h"
#include "optics/schedule/Tracer.h"

namespace {

class CanvasTraceSinkTest : public EngineTest {
 protected:
  DrawBaseRayDataStruct Ray(TColor colour, bool blend) {
    DrawBaseRayDataStruct ray = RayAt({0, 0}, 0);
    ray.rayColour = colour;
    ray.blend = blend ? 1 : 0;
    return ray;
  }
  RecordingCanvas canvas;
  TraceOptions options;
};

}  // namespace

TEST_F(CanvasTraceSinkTest, RayPiecesUseTheRayPenAndHandBackCopy) {
  options.rayWidth = 3;
  {
    CanvasTraceSink sink(canvas, options);
    sink.RayPiece({10.7f, 20.2f}, {-30.9f, 40}, Ray(0x00FF00, false));
    sink.RayPiece({0, 0}, {5, 5}, Ray(0xFF0000, true));
  }
  ASSERT_EQ(canvas.ops.size(), 2u);
  const auto& copy = canvas.ops[0];
  EXPECT_EQ(copy.kind, RecordedOp::Line);
  EXPECT_EQ(copy.coords, (std::vector<float>{10, 20, -30, 40}));  // truncated toward zero
  EXPECT_EQ(copy.pen.mode, TPenMode::Copy);
  EXPECT_EQ(copy.pen.style, TPenStyle::Solid);
  EXPECT_EQ(copy.pen.width, 3);
  EXPECT_EQ(copy.pen.color, 0x00FF00u);
  EXPECT_EQ(canvas.ops[1].pen.mode, TPenMode::Merge);
  EXPECT_EQ(canvas.Pen.mode, TPenMode::Copy);
}

TEST_F(CanvasTraceSinkTest, RayWidthsFromFilesAreBoundedWhenPainted) {
  for (auto [stored, painted] : {std::pair{-5, 1}, {0, 1}, {1000, 1000}, {2000000000, 1000}}) {
    canvas.Clear();
    options.rayWidth = stored;
    CanvasTraceSink sink(canvas, options);
    sink.RayPiece({0, 0}, {5, 5}, Ray(0xFF, false));
    sink.Normal({0, 0}, {0, 5});
    ASSERT_EQ(canvas.ops.size(), 2u);
    EXPECT_EQ(canvas.ops[0].pen.width, painted) << stored;
    EXPECT_EQ(canvas.ops[1].pen.width, painted) << stored;
  }
}

TEST_F(CanvasTraceSinkTest, HighQualityOnlyForRaysWithoutBlend) {
  options.highQuality = true;
  options.rayWidth = 2;
  CanvasTraceSink sink(canvas, options);
  sink.RayPiece({1.5f, 2.5f}, {100.25f, 3}, Ray(0xFF, false));
  sink.Arrow({50, 3}, 0, Ray(0xFF, false));
  sink.Normal({50, -67}, {50, 73});
  ASSERT_EQ(canvas.ops.size(), 4u);
  for (const auto& op : canvas.ops) EXPECT_EQ(op.kind, RecordedOp::AaLine);
  EXPECT_EQ(canvas.ops[0].coords, (std::vector<float>{1.5f, 2.5f, 100.25f, 3}));
  EXPECT_EQ(canvas.ops[0].aaPen.color, 0xFFu);
  EXPECT_FLOAT_EQ(canvas.ops[0].aaPen.width, 2);
  EXPECT_EQ(canvas.ops[3].aaPen.color, options.normalColour);
  canvas.Clear();
  // Blended rays, and the normals at their hits, stay on the plain canvas.
  sink.RayPiece({0, 0}, {10, 0}, Ray(0xFF, true));
  sink.Arrow({5, 0}, 0, Ray(0xFF, true));
  sink.Normal({5, -70}, {5, 70});
  ASSERT_EQ(canvas.ops.size(), 4u);
  for (const auto& op : canvas.ops) EXPECT_EQ(op.kind, RecordedOp::Line);
  EXPECT_EQ(canvas.ops[3].pen.mode, TPenMode::Copy);
  EXPECT_EQ(canvas.ops[3].pen.color, options.normalColour);
}

TEST_F(CanvasTraceSinkTest, ArrowWingsAre10PxAt150Degrees) {
  CanvasTraceSink sink(canvas, options);
  sink.Arrow({100, 100}, 0, Ray(0xFF, false));
  ASSERT_EQ(canvas.ops.size(), 2u);
  const TPointF w1 = PointAt({100, 100}, 150, 10), w2 = PointAt({100, 100}, -150, 10);
  EXPECT_EQ(canvas.ops[0].coords,
            (std::vector<float>{100, 100, float(Trunc(w1.x)), float(Trunc(w1.y))}));
  EXPECT_EQ(canvas.ops[1].coords,
            (std::vector<float>{100, 100, float(Trunc(w2.x)), float(Trunc(w2.y))}));
}

TEST_F(CanvasTraceSinkTest, ExtensionsAreDottedOnAClearBrush) {
  options.rayWidth = 4;
  options.reverseColour = 0x123456;
  canvas.Brush.style = TBrushStyle::Solid;
  {
    CanvasTraceSink sink(canvas, options);
    sink.Extension({0, 0}, {500, 0});
  }
  ASSERT_EQ(canvas.ops.size(), 1u);
  EXPECT_EQ(canvas.ops[0].pen.style, TPenStyle::Dot);
  EXPECT_EQ(canvas.ops[0].pen.width, 1);
  EXPECT_EQ(canvas.ops[0].pen.color, 0x123456u);
  EXPECT_EQ(canvas.ops[0].brush.style, TBrushStyle::Clear);
  EXPECT_EQ(canvas.Brush.style, TBrushStyle::Solid);  // the canvas gets its brush back at the end
  EXPECT_EQ(canvas.Pen.style, TPenStyle::Solid);
}

TEST_F(CanvasTraceSinkTest, AngleLabelsAreCentredBoldArial) {
  CanvasTraceSink sink(canvas, options);
  sink.AngleLabel({100.9f, 50.6f}, "33.6", true);
  sink.AngleLabel({100, 50}, "45", false);
  ASSERT_EQ(canvas.ops.size(), 2u);
  const auto& text = canvas.ops[0];
  EXPECT_EQ(text.kind, RecordedOp::Text);
  EXPECT_EQ(text.text, "33.6");
  EXPECT_EQ(text.font.name, "Arial");
  EXPECT_EQ(text.font.size, 10);
  EXPECT_TRUE(text.font.bold);
  EXPECT_EQ(text.font.color, 0xFFFFFFu);
  EXPECT_EQ(text.brush.style, TBrushStyle::Clear);
  canvas.Font = text.font;
  const int width = canvas.TextWidth("33.6"), height = canvas.TextHeight("33.6");
  EXPECT_EQ(text.coords, (std::vector<float>{float(100 - width / 2), float(50 - height / 2)}));
  EXPECT_EQ(canvas.ops[1].font.color, 0xFFFFu);
}

TEST_F(CanvasTraceSinkTest, ImagePointIsAFilledCircleWithItsName) {
  CanvasTraceSink sink(canvas, options);
  sink.ImagePoint({200.5f, 100.2f}, true, "S'");
  sink.ImagePoint({10, 10}, false, "S'");
  ASSERT_EQ(canvas.ops.size(), 4u);
  const auto& dot = canvas.ops[0];
  EXPECT_EQ(dot.kind, RecordedOp::Ellipse);
  EXPECT_EQ(dot.coords, (std::vector<float>{195, 95, 205, 105}));
  EXPECT_EQ(dot.pen.color, 0xFFFFu);
  EXPECT_EQ(dot.brush.style, TBrushStyle::Solid);
  EXPECT_EQ(dot.brush.color, 0xFFFFu);
  const auto& label = canvas.ops[1];
  EXPECT_EQ(label.text, "S'");
  EXPECT_EQ(label.coords, (std::vector<float>{208, 108}));
  EXPECT_EQ(label.font.size, 8);
  EXPECT_EQ(label.brush.style, TBrushStyle::Clear);
  EXPECT_EQ(canvas.ops[2].pen.color, 0x969696u);
}

TEST_F(CanvasTraceSinkTest, ImageArrowIsThreeTimesTheSourceWidth) {
  CanvasTraceSink sink(canvas, options);
  sink.ImageArrow({100, 100}, {100, 200}, false, 2);
  std::vector<const RecordedOp*> lines, texts;
  for (const auto& op : canvas.ops) {
    if (op.kind == RecordedOp::Line) lines.push_back(&op);
    if (op.kind == RecordedOp::Text) texts.push_back(&op);
  }
  ASSERT_EQ(lines.size(), 3u);
  for (const auto* line : lines) {
    EXPECT_EQ(line->pen.width, 6);
    EXPECT_EQ(line->pen.color, 0x969696u);
  }
  EXPECT_EQ(lines[0]->coords, (std::vector<float>{100, 100, 100, 200}));
  EXPECT_EQ(lines[1]->coords[0], 100);
  EXPECT_EQ(lines[1]->coords[1], 200);  // wings at the second image
  EXPECT_EQ(canvas.Count(RecordedOp::Ellipse), 1u);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0]->text, "A'");
  EXPECT_EQ(texts[0]->coords, (std::vector<float>{108, 108}));
  EXPECT_EQ(texts[1]->text, "B'");
  EXPECT_EQ(texts[1]->coords, (std::vector<float>{108, 208}));
  // A width from a damaged file cannot overflow.
  canvas.Clear();
  sink.ImageArrow({0, 0}, {10, 10}, true, 2147483647);
  EXPECT_GT(canvas.ops[0].pen.width, 0);
}

TEST_F(CanvasTraceSinkTest, TraceDrawsOnAnImage) {
  EnsureGuiApplication();
  OwnedImageCanvas image(400, 300, 0);
  options.showAngles = true;
  {
    CanvasTraceSink sink(image, options);
    TraceScene({Mirror({300, 0}, {300, 300})}, {RayAt({50, 150}, 10)}, options, sink);
  }  // the picture is complete when the sink ends
  // The incoming ray in red, near where it crosses x = 150.
  const int y = int(150 - 100 * std::tan(10 * 3.14159265 / 180));
  int red = 0;
  for (int dy = -2; dy <= 2; ++dy)
    red += (image.Picture().pixel(150, y + dy) & 0xFFFFFF) == 0xFF0000u;
  EXPECT_GT(red, 0);
  // The normal in its grey along the hit's horizontal, right of the mirror.
  const QRgb normal = image.Picture().pixel(340, 106) & 0xFFFFFF;
  EXPECT_TRUE(normal == 0xCACACA || (image.Picture().pixel(340, 105) & 0xFFFFFF) == 0xCACACA);
  EXPECT_EQ(image.Pen.mode, TPenMode::Copy);
}

TEST(TextTraceSinkTest, PrintsOneTabSeparatedLinePerItem) {
  std::ostringstream out;
  TextTraceSink sink(out);
  DrawBaseRayDataStruct ray;
  ray.rayColour = 255;
  ray.blend = 1;
  sink.RayPiece({1, 2.5f}, {3.25f, -0.0001f}, ray);
  sink.Arrow({5, 6}, 180, ray);
  sink.Normal({0, 0}, {1, 1});
  sink.Extension({0, 0}, {-500, 0});
  sink.AngleLabel({10, 20}, "33.6", true);
  sink.AngleLabel({10, 20}, "45", false);
  sink.ImagePoint({500, 200}, false, "S'");
  sink.ImageArrow({1, 2}, {3, 4}, true, 2);
  EXPECT_EQ(out.str(),
            "ray\t1.000\t2.500\t3.250\t0.000\t255\t1\n"
            "arrow\t5.000\t6.000\t180.000\n"
            "normal\t0.000\t0.000\t1.000\t1.000\n"
            "extension\t0.000\t0.000\t-500.000\t0.000\n"
            "angle\t10.000\t20.000\t33.6\tincidence\n"
            "angle\t10.000\t20.000\t45\toutgoing\n"
            "image\t500.000\t200.000\tvirtual\tS'\n"
            "image-arrow\t1.000\t2.000\t3.000\t4.000\treal\n");
}

// Faded items keep a quarter of each colour channel over the background.
TEST_F(CanvasTraceSinkTest, FadedItemsAreAQuarterOverTheBackground) {
  {
    CanvasTraceSink sink(canvas, options);
    sink.SetBackground(0x404040);
    sink.Faded(true);
    sink.RayPiece({0, 0}, {5, 5}, Ray(0xFF00C0, false));
    sink.Extension({0, 0}, {5, 5});
    sink.Faded(false);
    sink.RayPiece({0, 0}, {5, 5}, Ray(0xFF00C0, false));
  }
  ASSERT_EQ(canvas.ops.size(), 3u);
  EXPECT_EQ(canvas.ops[0].pen.color, 0x6F3060u);  // 0x40 + (c - 0x40) / 4 each
  EXPECT_EQ(canvas.ops[1].pen.color, 0x30306Fu);  // the extension colour 0xFF faded
  EXPECT_EQ(canvas.ops[2].pen.color, 0xFF00C0u);
}
