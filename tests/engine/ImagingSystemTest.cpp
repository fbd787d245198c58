// The imaging system beyond the shared checks: the image construction, the
// blurred picture it chooses, the drag limits, the focal length row, and the
// pictures the build draws for it.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QImage>
#include <csignal>
#include <filesystem>
#include <thread>

#include "FakePropertySheet.h"
#include "TestEnvironment.h"
#include "gfx/RecordingCanvas.h"
#include "objects/elements/ImagingSystem.h"

namespace {

class ImagingSystemTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    Settings().pictureDirectory = EXO_PICTURE_DIR;
  }
  RecordingCanvas canvas;

  // Grabs the part under (x, y) and drags it by (dx, dy).
  static void Drag(ImagingSystem& s, int x, int y, int dx, int dy) {
    ASSERT_EQ(s.HitTest(x, y), 2);
    s.SetDragOrigin(float(x), float(y));
    s.Move(2, x + dx, y + dy);
  }
  std::vector<const RecordedOp*> Ops(RecordedOp::Kind kind) const {
    std::vector<const RecordedOp*> ops;
    for (const auto& op : canvas.ops)
      if (op.kind == kind) ops.push_back(&op);
    return ops;
  }
};

}  // namespace

TEST_F(ImagingSystemTest, DefaultsFormARealImageAndShowPicture44) {
  ImagingSystem system(&canvas);
  system.Draw(2);  // the first paint is not swallowed
  EXPECT_NEAR(system.imageA.x, 400 + 500.0 / 3, 1e-3);
  EXPECT_NEAR(system.imageA.y, 220 + 140.0 / 3, 1e-3);  // inverted, 2/3 as tall
  EXPECT_NEAR(system.imageB.y, 220 - 140.0 / 3, 1e-3);
  EXPECT_EQ(system.BlurLevel(), 4);
  EXPECT_EQ(ImagingSystem::ScreenPictureName(4), "44.dat");
  ASSERT_NE(system.Picture(4), nullptr);
  // The icon, the object picture and the screen picture, scaled by 2/3.
  const auto pictures = Ops(RecordedOp::Picture);
  ASSERT_EQ(pictures.size(), 3u);
  EXPECT_EQ(pictures[2]->coords, (std::vector<float>{654, 143, 685, 284}));
}

TEST_F(ImagingSystemTest, MissingPicturesLeaveTheirPlacesEmptyAndNamed) {
  Settings().pictureDirectory = testing::TempDir() + "/no-pictures-here";
  ImagingSystem system(&canvas);
  system.Draw(2);
  EXPECT_EQ(canvas.Count(RecordedOp::Picture), 1u);  // only the icon
  std::string texts;
  for (const auto* op : Ops(RecordedOp::Text)) texts += op->text + "|";
  EXPECT_NE(texts.find("|缺少图片 0.dat|缺少图片 44.dat|"), std::string::npos) << texts;
}

TEST_F(ImagingSystemTest, DragsPastTheLimitsMoveNothing) {
  ImagingSystem s(&canvas);
  ImagingSystem before = s;
  Drag(s, 400, 100, -245, 0);  // the lens to within 10 px of the object
  Drag(s, 400, 100, 195, 0);   // ... or of the screen
  Drag(s, 150, 200, 241, 0);   // the object to 9 px before the lens
  Drag(s, 150, 200, 0, -101);  // A above the lens's top
  Drag(s, 600, 100, 91, 0);    // the screen to 9 px before the frame's side
  EXPECT_EQ(s.ControlPointValues(), before.ControlPointValues());
  Drag(s, 400, 100, -240, 0);
  Drag(s, 150, 200, 0, 100);
  EXPECT_FLOAT_EQ(s.lensTop.x, 160);
  EXPECT_FLOAT_EQ(s.lensBottom.x, 160);
  EXPECT_FLOAT_EQ(s.b.y, 390);
}

TEST_F(ImagingSystemTest, ObjectInsideTheFocalLengthGivesAVirtualImageAndAWhiteScreen) {
  ImagingSystem s(&canvas);
  s.a.x = s.b.x = 350;
  s.Draw(2);
  EXPECT_LT(s.imageA.x, 400);
  EXPECT_EQ(s.BlurLevel(), -1);
  bool dotted = false;
  for (const auto& op : canvas.ops)
    dotted |= op.pen.style == TPenStyle::Dot && op.pen.color == 0xFF;
  EXPECT_TRUE(dotted);
  // In the focal plane there is no image at all.
  s.a.x = s.b.x = 300;
  s.Draw(2);
  EXPECT_EQ(s.BlurLevel(), -1);
}

TEST_F(ImagingSystemTest, AFrameBelow600By400IsUndoneAndTheLensStaysCentred) {
  ImagingSystem s(&canvas);
  ASSERT_EQ(s.HitTest(700, 420), 1);
  s.Move(1, 699, 420);
  EXPECT_FLOAT_EQ(s.frame[2].x, 700);
  s.Move(1, 700, 471);
  EXPECT_FLOAT_EQ(s.frame[3].y, 471);
  EXPECT_FLOAT_EQ(s.lensTop.y, 75);  // the frame's middle 245.5, whole pixels
  EXPECT_FLOAT_EQ(s.screenBottom.y, 405);
}

TEST_F(ImagingSystemTest, FocalLengthMustBePositive) {
  FakeUi ui;
  ImagingSystem s(&canvas);
  s.ShowProperties();
  for (const char* text : {"0", "-1", "abc", "150"}) {
    ui.sheet.SetValue("凸透镜焦距", text);
    EXPECT_EQ(s.ApplyProperties(), text == std::string("150")) << text;
  }
  EXPECT_EQ(ui.messages.messages.size(), 3u);
  EXPECT_FLOAT_EQ(s.focalLength, 150);
}

// A pipe where a picture is expected is never read: it could hold up every
// Open of a file with an imaging system. All imaging systems share each
// picture, read once.
TEST_F(ImagingSystemTest, PicturesComeOnlyFromRegularFilesAndAreShared) {
  const std::string dir = testing::TempDir() + "/picture-pipe/", pipe = dir + "0.dat";
  std::filesystem::create_directories(dir);
  std::filesystem::remove(pipe);
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  // A reader that opens the pipe gets a whole picture from it.
  std::thread writer([&pipe] {
    sigset_t blocked;
    sigemptyset(&blocked);
    sigaddset(&blocked, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &blocked, nullptr);
    QFile picture(QString::fromUtf8(EXO_PICTURE_DIR "/0.dat")), to;
    if (picture.open(QIODevice::ReadOnly) &&
        to.open(open(pipe.c_str(), O_WRONLY), QIODevice::WriteOnly, QFile::AutoCloseHandle))
      to.write(picture.readAll());  // the reader may have gone: nothing written
  });
  Settings().pictureDirectory = dir;
  EXPECT_EQ(ImagingSystem(&canvas).Picture(-1), nullptr);
  const int release = open(pipe.c_str(), O_RDONLY | O_NONBLOCK);  // for a writer still waiting
  writer.join();
  close(release);
  Settings().pictureDirectory = EXO_PICTURE_DIR;
  ImagingSystem one(&canvas), other(&canvas);
  ASSERT_NE(one.Picture(-1), nullptr);
  EXPECT_EQ(one.Picture(-1), other.Picture(-1));
  EXPECT_EQ(one.Picture(4), other.Picture(4));
}

// The build's pictures: the screen shows the candle turned about the axis,
// sharp at level 0 and more blurred at every level.
TEST_F(ImagingSystemTest, ScreenPicturesAreTheObjectTurnedAndEverMoreBlurred) {
  const std::string dir = std::string(EXO_PICTURE_DIR) + "/";
  const QImage object(QString::fromStdString(dir + "0.dat"), "BMP");
  ASSERT_EQ(object.size(), QSize(46, 212));
  EXPECT_EQ(QImage(QString::fromStdString(dir + "00.dat"), "BMP").convertToFormat(object.format()),
            object.mirrored(true, true));
  auto edges = [](const QImage& image) {
    double sum = 0;
    for (int y = 1; y < image.height(); ++y)
      for (int x = 1; x < image.width(); ++x)
        sum += std::abs(qGray(image.pixel(x, y)) - qGray(image.pixel(x - 1, y))) +
               std::abs(qGray(image.pixel(x, y)) - qGray(image.pixel(x, y - 1)));
    return sum;
  };
  std::vector<double> energy;
  for (int level = 0; level <= 6; ++level)
    energy.push_back(edges(
        QImage(QString::fromStdString(dir + ImagingSystem::ScreenPictureName(level)), "BMP")));
  for (int level = 1; level <= 6; ++level) EXPECT_LT(energy[level], energy[level - 1]) << level;
  EXPECT_LT(energy[6], 0.2 * energy[0]);
}
