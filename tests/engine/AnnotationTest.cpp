// Text and picture annotations: what they paint and what their records keep.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>

#include "FakePropertySheet.h"
#include "ObjectRecord.h"
#include "TestEnvironment.h"
#include "gfx/RecordingCanvas.h"
#include "objects/tools/DrawImage.h"
#include "objects/tools/DrawString.h"
#include "scene/ByteStream.h"

namespace {

class AnnotationTest : public EngineTest {
 protected:
  RecordingCanvas canvas;

  template <class T>
  void Place(T& box) {
    box.BeginCreate(100, 100);
    box.EndCreate(300, 200);
    box.skipNextPaint = 0;
  }
  std::vector<const RecordedOp*> Texts() const {
    std::vector<const RecordedOp*> texts;
    for (const auto& op : canvas.ops)
      if (op.kind == RecordedOp::Text) texts.push_back(&op);
    return texts;
  }
  template <class T>
  bool Reload(T& from, T& into) {
    const auto bytes = RecordBytes(from);
    ByteReader in(bytes);
    in.ReadString();
    return into.LoadFromStream(in);
  }
};

std::vector<std::uint8_t> BmpOf(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "BMP");
  return {bytes.begin(), bytes.end()};
}

}  // namespace

TEST_F(AnnotationTest, BlankTextShowsTheDefaultCentredAndTextRunsFromTheCorner) {
  DrawString text(&canvas);
  Place(text);
  for (const char* blank : {"", "  \r\n "}) {
    text.SetText(blank);
    canvas.Clear();
    text.Draw(2);
    const auto texts = Texts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0]->text, "在此输入文字");
    EXPECT_GT(texts[0]->coords[0], 104);  // centred, not at the left edge
  }
  text.SetText("一\r\n二\n三");
  canvas.Clear();
  text.Draw(2);
  const auto texts = Texts();
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[2]->text, "三");
  EXPECT_EQ(texts[0]->coords, (std::vector<float>{104, 102}));
  EXPECT_GT(texts[1]->coords[1], texts[0]->coords[1]);
}

TEST_F(AnnotationTest, TextAndFontSurviveTheRecord) {
  DrawString text(&canvas);
  Place(text);
  text.SetText("甲\r\n乙");
  text.font.name = "宋体";
  text.font.size = 14;
  text.font.color = 0x123456;
  DrawString loaded(&canvas);
  ASSERT_TRUE(Reload(text, loaded));
  EXPECT_EQ(loaded.lines, (std::vector<std::string>{"甲", "乙"}));
  EXPECT_EQ(loaded.font.name, "宋体");
  EXPECT_EQ(loaded.font.size, 14);
  EXPECT_EQ(RecordBytes(loaded), RecordBytes(text));
}

TEST_F(AnnotationTest, FontChosenInTheSheetIsApplied) {
  FakeUi ui;
  DrawString text(&canvas);
  text.font.size = 14;
  TSheetFont chosen{"Serif", 28, 0x0000FF, true, true, false, false};
  ui.sheet.chosenFont = chosen;
  ASSERT_EQ(text.ShowProperties(), 1);
  EXPECT_EQ(ui.sheet.shownFont, text.font);  // the dialog starts from the annotation's font
  ASSERT_TRUE(text.ApplyProperties());
  EXPECT_EQ(text.font, chosen);
}

// The editor takes no text that a file could not hold back, counting each
// line break as the two bytes the file stores.
TEST_F(AnnotationTest, TheSheetTakesNoTextLongerThanAFileHolds) {
  FakeUi ui;
  DrawString text(&canvas);
  text.SetText("旧");
  const std::string lineBreaks(DrawString::kMaxTextLength / 2, '\n');
  // One byte over the bound, then exactly at it.
  for (const auto& [typed, taken] :
       {std::pair{"a" + lineBreaks, false}, {"a" + lineBreaks.substr(1) + "a", true}}) {
    ui.sheet.typed["编辑字符串"] = typed;
    ASSERT_EQ(text.ShowProperties(), 1);
    EXPECT_EQ(text.ApplyProperties(), taken);
    EXPECT_EQ(text.lines.size(), taken ? lineBreaks.size() : 1u);
  }
  ASSERT_EQ(ui.messages.messages.size(), 1u);
  EXPECT_NE(ui.messages.messages[0].find("1048576"), std::string::npos);
}

TEST_F(AnnotationTest, PictureBytesAreKeptAndADamagedPictureIsRefused) {
  DrawImage picture(&canvas);
  Place(picture);
  QImage image(4, 3, QImage::Format_RGB32);
  image.fill(Qt::white);
  picture.picture = DrawImage::FromBmp(BmpOf(image));
  ASSERT_NE(picture.picture, nullptr);
  picture.hasPicture = 1;
  DrawImage loaded(&canvas);
  ASSERT_TRUE(Reload(picture, loaded));
  EXPECT_EQ(loaded.picture->image.size(), QSize(4, 3));
  EXPECT_EQ(RecordBytes(loaded), RecordBytes(picture));
  // Painted stretched into the box, white let through when it is transparent.
  loaded.fillFlag = 1;
  loaded.fillColor = 0xFFFFFF;
  loaded.Draw(2);
  ASSERT_EQ(canvas.Count(RecordedOp::Picture), 1u);
  // A header that claims more bytes than the file holds refuses the record.
  auto bytes = RecordBytes(picture);
  const std::size_t at = bytes.size() - 40 - picture.picture->bmp.size() + 2;
  bytes[at + 3] = 0x7F;
  ByteReader in(bytes);
  in.ReadString();
  DrawImage damaged(&canvas);
  EXPECT_FALSE(damaged.LoadFromStream(in));
  EXPECT_EQ(damaged.hasPicture, 0);
}
