// The composite source: seven coloured rays per beam, its handles, rows and
// record.
#include <gtest/gtest.h>

#include <bit>
#include <cstring>

#include "FakePropertySheet.h"
#include "ObjectRecord.h"
#include "ObjectTest.h"
#include "TestEnvironment.h"
#include "gfx/RecordingCanvas.h"
#include "objects/sources/ComplexlH.h"
#include "scene/ByteStream.h"

namespace {

class ComplexlHTest : public ObjectTest {
 protected:
  // Placed with the mouse from p1 to p2.
  std::unique_ptr<ComplexlH> Place(TPoint p1, TPoint p2) {
    auto s = std::make_unique<ComplexlH>(&canvas);
    s->BeginCreate(p1.x, p1.y);
    s->DragCreate(p2.x, p2.y);
    s->EndCreate(p2.x, p2.y);
    canvas.Clear();
    return s;
  }

  static std::size_t HeaderSize() { return 4 * (4 + 9) + 31; }  // "ComplexlH" in four names
};

// The slot factors as the documented bit patterns.
std::uint32_t FactorBits(int slot) { return 0x3F800000u + std::uint32_t(slot - 1) * 83886u; }

const TColor kSpectrum[7] = {0x0000FF, 0x0080FF, 0x00FFFF, 0x00FF00, 0xFFFF00, 0xFF0000, 0xFF0080};

}  // namespace

TEST_F(ComplexlHTest, SevenRaysPerBeamInSlotOrder) {
  auto s = Place({100, 200}, {150, 200});
  s->rayCount = 3;
  const auto rays = s->GetBaseRays();
  ASSERT_EQ(rays.size(), 21u);
  for (int beam = 0; beam < 3; ++beam) {
    for (int slot = 1; slot <= 7; ++slot) {
      const auto& r = rays[std::size_t(beam * 7 + slot - 1)];
      EXPECT_EQ(r.rayColour, kSpectrum[slot - 1]) << beam << "/" << slot;
      EXPECT_EQ(std::bit_cast<std::uint32_t>(r.indexFactor), FactorBits(slot)) << slot;
      EXPECT_EQ(r.blend, 1);
      EXPECT_EQ(r.sourceKind, 0);
      EXPECT_TRUE(r.name.empty());
      EXPECT_EQ(r.emissionGroup, 0);
      // Beams lie on the left of the direction of travel: above for +x.
      EXPECT_FLOAT_EQ(r.startX, 100);
      EXPECT_NEAR(r.startY, 200 - 10 * beam, 1e-4);
      EXPECT_NEAR(r.throughY, 200 - 10 * beam, 1e-4);
      EXPECT_FLOAT_EQ(r.direction, 0);
    }
  }
}

TEST_F(ComplexlHTest, SlotOneUsesTheTemplateNotTheTable) {
  auto s = Place({100, 200}, {150, 200});
  s->colourTable[0] = 0x123456;
  s->factorTable[0] = 9.0f;
  s->colourTable[3] = 0xABCDEF;
  const auto rays = s->GetBaseRays();
  ASSERT_EQ(rays.size(), 7u);
  EXPECT_EQ(rays[0].rayColour, 0xFFu);
  EXPECT_FLOAT_EQ(rays[0].indexFactor, 1.0f);
  EXPECT_EQ(rays[3].rayColour, 0xABCDEFu);
}

TEST_F(ComplexlHTest, TemplateFlagsFromAFileDoNotLeakIntoTheRays) {
  auto s = Place({100, 200}, {150, 200});
  s->rayTemplate.blend = 0;
  s->rayTemplate.sourceKind = 1;
  s->rayTemplate.emissionGroup = 7;
  for (const auto& r : s->GetBaseRays()) {
    EXPECT_EQ(r.blend, 1);
    EXPECT_EQ(r.sourceKind, 0);
    EXPECT_EQ(r.emissionGroup, 0);
  }
}

TEST_F(ComplexlHTest, DamagedRayCountIsBounded) {
  auto s = Place({100, 200}, {150, 200});
  s->rayCount = 25;
  EXPECT_EQ(s->GetBaseRays().size(), 25u * 7);
  s->rayCount = 2000000000;
  EXPECT_EQ(s->GetBaseRays().size(), std::size_t(LampHouse::kMaxFileRays) * 7);
  s->rayCount = -3;
  EXPECT_EQ(s->GetBaseRays().size(), 7u);
}

TEST_F(ComplexlHTest, HandlesRepaintTheFirstArrowInTheSelectionColour) {
  auto s = Place({100, 200}, {150, 200});
  s->rayCount = 3;
  s->selectionLineColor = 0x00FF00;
  s->DrawHandles();
  ASSERT_EQ(canvas.ops.size(), 5u);
  for (int i = 0; i < 3; ++i) {
    const auto& op = canvas.ops[std::size_t(i)];
    EXPECT_EQ(op.kind, RecordedOp::Line);
    EXPECT_EQ(op.pen.color, 0x00FF00u);
    EXPECT_EQ(op.pen.mode, TPenMode::Copy);
    EXPECT_EQ(op.pen.width, s->lineWidth);
  }
  EXPECT_EQ(canvas.ops[0].coords, (std::vector<float>{100, 200, 150, 200}));
  EXPECT_EQ(canvas.ops[1].coords[0], 150);  // heads start at the tip
  EXPECT_EQ(canvas.ops[3].kind, RecordedOp::Rectangle);
  EXPECT_EQ(canvas.ops[4].kind, RecordedOp::Rectangle);
}

TEST_F(ComplexlHTest, RowsInDisplayOrder) {
  auto s = Place({100, 200}, {150, 150});
  s->rayCount = 4;
  s->raySpacing = -12;
  s->ShowProperties();
  const auto& rows = fake->sheet.rows;
  EXPECT_EQ(fake->sheet.caption, "复合光源属性");
  ASSERT_EQ(rows.size(), 9u);
  const char* keys[] = {"X1",       "Y1",   "X2",      "Y2", "颜色", "平行光线的条数",
                        "光线间距", "角度", "旋转角度"};
  for (std::size_t i = 0; i < 9; ++i) EXPECT_EQ(rows[i].key, keys[i]);
  EXPECT_EQ(rows[0].value, "80");   // 100 - origin x 20
  EXPECT_EQ(rows[1].value, "100");  // origin y 300 - 200
  EXPECT_EQ(rows[4].value, "16777215");
  EXPECT_EQ(rows[5].value, "4");
  EXPECT_EQ(rows[6].value, "-12");
  EXPECT_EQ(rows[7].value, "45");
  EXPECT_EQ(rows[4].style, TEditStyle::Ellipsis);
  EXPECT_TRUE(rows[4].readOnly);
  EXPECT_TRUE(rows[7].readOnly);
  for (std::size_t i : {0u, 1u, 2u, 3u, 5u, 6u}) EXPECT_FALSE(rows[i].readOnly);
}

TEST_F(ComplexlHTest, CountOutOfRangeResetsTheCellAfterCoordinatesApplied) {
  auto s = Place({100, 200}, {150, 200});
  s->ShowProperties();
  fake->sheet.SetValue("X2", "200");
  fake->sheet.SetValue("颜色", "65535");
  fake->sheet.SetValue("平行光线的条数", "11");
  EXPECT_FALSE(s->ApplyProperties());
  ASSERT_EQ(fake->messages.messages.size(), 1u);
  EXPECT_EQ(fake->messages.messages[0], "平行光线的条数,请输入一个1~10整数");
  EXPECT_EQ(fake->sheet.Value("平行光线的条数"), "1");
  EXPECT_FLOAT_EQ(s->rayTemplate.throughX, 220);
  EXPECT_EQ(s->color, 65535u);
  EXPECT_EQ(s->rayCount, 1);
}

TEST_F(ComplexlHTest, SpacingMustBeAnIntegerAndNoFactorRowIsRead) {
  auto s = Place({100, 200}, {150, 200});
  s->ShowProperties();
  fake->sheet.SetValue("平行光线的条数", "5");
  fake->sheet.SetValue("光线间距", "2.5");
  EXPECT_FALSE(s->ApplyProperties());
  ASSERT_EQ(fake->messages.messages.size(), 1u);
  EXPECT_EQ(fake->messages.messages[0], "光线间距,不是有用的整数,请输入一个整数");
  EXPECT_EQ(s->rayCount, 5);
  fake->sheet.SetValue("光线间距", "-7");
  EXPECT_TRUE(s->ApplyProperties());
  EXPECT_FLOAT_EQ(s->raySpacing, -7);
  EXPECT_FLOAT_EQ(s->rayTemplate.indexFactor, 1.0f);
}

TEST_F(ComplexlHTest, RecordLayout) {
  auto s = Place({100, 200}, {150, 200});
  s->rayCount = 2;
  s->reserved[39] = 0x5A;
  const auto bytes = RecordBytes(*s);
  const std::size_t t = HeaderSize();
  ASSERT_EQ(bytes.size(), t + 80 + 4 + 4 + 28 + 28 + 1 + 40);
  std::uint32_t word;
  std::memcpy(&word, &bytes[t + 40], 4);
  EXPECT_EQ(word, 0xFFu);       // template colour
  EXPECT_EQ(bytes[t + 44], 1);  // blend flag
  std::memcpy(&word, &bytes[t + 80], 4);
  EXPECT_EQ(word, 2u);
  for (int slot = 1; slot <= 7; ++slot) {
    std::memcpy(&word, &bytes[t + 88 + 4 * std::size_t(slot - 1)], 4);
    EXPECT_EQ(word, kSpectrum[slot - 1]);
    std::memcpy(&word, &bytes[t + 116 + 4 * std::size_t(slot - 1)], 4);
    EXPECT_EQ(word, FactorBits(slot));
  }
  EXPECT_EQ(bytes[t + 144], 0);  // skip flag, cleared by the placing paint
  EXPECT_EQ(bytes.back(), 0x5A);
}

TEST_F(ComplexlHTest, RoundTripKeepsTheTables) {
  auto s = Place({100, 200}, {150, 170});
  s->rayCount = 4;
  s->raySpacing = 7.5f;
  s->colourTable[6] = 0x010203;
  s->factorTable[6] = 1.5f;
  const auto bytes = RecordBytes(*s);
  ComplexlH back(&canvas);
  ASSERT_TRUE(LoadRecord(back, bytes));
  EXPECT_EQ(RecordBytes(back), bytes);
  const auto rays = back.GetBaseRays();
  ASSERT_EQ(rays.size(), 28u);
  EXPECT_EQ(rays[6].rayColour, 0x010203u);
  EXPECT_FLOAT_EQ(rays[6].indexFactor, 1.5f);
}

TEST_F(ComplexlHTest, CloneIsAComposite) {
  auto s = Place({100, 200}, {150, 200});
  s->factorTable[4] = 2.0f;
  auto copy = s->CloneMoved(5, 5);
  auto* c = dynamic_cast<ComplexlH*>(copy.get());
  ASSERT_NE(c, nullptr);
  EXPECT_FLOAT_EQ(c->factorTable[4], 2.0f);
  EXPECT_EQ(c->GetBaseRays().size(), 7u);
}
