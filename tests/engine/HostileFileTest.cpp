// Files made to cost the reader: they open (whole, or in part with a
// message) with bounded pictures, arcs and texts, and exo-tool handles each
// within 20 s and 600 MB. Also the one size bound of Open and Save.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <tuple>

#include "ExperimentFileFixture.h"
#include "HostileFiles.h"
#include "gfx/PictureAllowance.h"
#include "objects/ArcObject.h"
#include "objects/tools/DrawImage.h"
#include "objects/tools/DrawString.h"

namespace {

// The sanitizers' shadow memory needs terabytes of address space, and they run slower.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif

class HostileFileTest : public ExperimentFileFixture,
                        public testing::WithParamInterface<HostileFile> {};

// exo-tool under `timeout`, its address space limited: exit status (128 +
// signal when killed), peak resident megabytes, what it said on stderr.
std::tuple<int, long, std::string> RunTool(std::vector<std::string> args, const std::string& dir) {
  args.insert(args.begin(), {"timeout", "-s", "KILL", kSanitized ? "120" : "20", EXO_TOOL_PATH});
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  const std::string errPath = dir + "/stderr";
  const pid_t pid = fork();  // only system calls until exec
  if (pid == 0) {
    const rlimit limit{600ul << 20, 600ul << 20};
    if (!kSanitized) setrlimit(RLIMIT_AS, &limit);
    dup2(open("/dev/null", O_WRONLY), 1);
    dup2(creat(errPath.c_str(), 0600), 2);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  if (pid <= 0 || wait4(pid, &status, 0, &usage) != pid) return {-1, 0, ""};
  const FileBytes err = ReadBytesFromFile(errPath);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status), usage.ru_maxrss / 1024,
          std::string(err.begin(), err.end())};
}

}  // namespace

TEST_P(HostileFileTest, OpensWithBoundedPicturesArcsAndTexts) {
  const HostileFile& file = GetParam();
  const OpenResult r = OpenExperimentFile(Write(file.name, file.build()), document);
  EXPECT_EQ(r.status, OpenStatus::Opened);
  EXPECT_EQ(r.complete, file.whole);
  EXPECT_EQ(r.messages.empty(), file.whole);
  std::int64_t pixels = 0;
  for (const auto& object : document.scene) {
    if (auto* picture = dynamic_cast<DrawImage*>(object.get()); picture && picture->picture)
      pixels += std::int64_t(picture->picture->image.width()) * picture->picture->image.height();
    if (auto* arc = dynamic_cast<ArcObject*>(object.get())) {
      EXPECT_LE(std::fabs(arc->angle1), 360);
      EXPECT_LE(std::fabs(arc->angle2), 360);
      EXPECT_TRUE(arc->sweep >= 0 && arc->sweep <= 360) << arc->sweep;
      arc->HitTest(400, 300);  // the outline of a lens
    }
  }
  EXPECT_LE(pixels, PictureAllowance::kExperimentPixels);
  canvas.Clear();
  document.RefreshView();
  // No text is painted far off the surface, nor a line far longer than shows.
  for (const auto& op : canvas.ops) {
    if (op.kind != RecordedOp::Text) continue;
    const float line = float(op.font.size) * 4 / 3;
    EXPECT_LE(op.text.size(), 4096u);
    EXPECT_TRUE(op.coords[1] > -3 * line && op.coords[1] < 1080 + 3 * line) << op.coords[1];
  }
}

TEST_P(HostileFileTest, ExoToolAnswersWithinTimeAndMemory) {
  const HostileFile& file = GetParam();
  const std::string path = Write(file.name, file.build());
  for (const std::vector<std::string>& args : {std::vector<std::string>{"info", path},
                                               {"trace", path},
                                               {"render", path, dir + "/o.bmp"}}) {
    const auto [code, residentMb, err] = RunTool(args, dir);
    // Info describes a file read in part; the other commands refuse it.
    EXPECT_EQ(code, file.whole ? 0 : 1) << args[0] << ": " << err;
    EXPECT_TRUE(file.whole || !err.empty()) << args[0];
    EXPECT_TRUE(kSanitized || residentMb <= file.residentMb) << args[0] << ": " << residentMb;
  }
}

INSTANTIATE_TEST_SUITE_P(Every, HostileFileTest, testing::ValuesIn(HostileFiles()),
                         [](const auto& info) {
                           std::string name = info.param.name;
                           for (char& c : name) c = std::isalnum(c) ? c : '_';
                           return name;
                         });

class FileSizeBound : public ExperimentFileFixture {};

// Save refuses, with Open's message and without writing, what Open refuses.
TEST_F(FileSizeBound, SaveAndOpenAgreeOnBothSidesOfTheBound) {
  const std::string path = Write("kept.exo", SerializeExperiment(document));
  const FileBytes before = ReadBytesFromFile(path);
  document.scene.push_back(CreateObjectByClassName("DrawString", document.canvas));
  const std::size_t size = SerializedExperimentSize(document);
  ASSERT_EQ(size, SerializeExperiment(document).size());
  std::string error;
  EXPECT_FALSE(SaveExperimentFile(path, document, &error, size - 1));
  EXPECT_NE(error.find(TooLargeFileMessage()), std::string::npos) << error;
  EXPECT_EQ(ReadBytesFromFile(path), before);
  ASSERT_TRUE(SaveExperimentFile(path, document, &error, size)) << error;
  EXPECT_EQ(OpenExperimentFile(path, document, size - 1).messages,
            std::vector<std::string>{TooLargeFileMessage()});
  EXPECT_EQ(OpenExperimentFile(path, document, size).status, OpenStatus::Opened);
}

// Save writes nothing Open would not read back whole (a text its CR LF line
// breaks take past the reader's bound, pictures beyond the allowance) and
// says what makes a file too large, naming only the kinds it holds.
TEST_F(FileSizeBound, SaveRefusesWhatOpenWouldNotReadBack) {
  auto& text = static_cast<DrawString&>(
      *document.scene.emplace_back(CreateObjectByClassName("DrawString", document.canvas)));
  text.SetText(std::string(DrawString::kMaxTextLength / 2, '\n') + "a");  // 1 byte over
  std::string error;
  EXPECT_FALSE(SaveExperimentFile(dir + "/a.exo", document, &error));
  EXPECT_NE(error.find(std::to_string(DrawString::kMaxTextLength)), std::string::npos) << error;
  text.SetText(std::string(DrawString::kMaxTextLength, 'a'));
  EXPECT_FALSE(SaveExperimentFile(dir + "/a.exo", document, &error, 1 << 20));
  EXPECT_TRUE(error.find("文字") != std::string::npos && error.find("图片") == std::string::npos);
  ASSERT_TRUE(SaveExperimentFile(dir + "/a.exo", document, &error)) << error;
  EXPECT_TRUE(OpenExperimentFile(dir + "/a.exo", document).complete);
  const auto largest = DrawImage::FromBmp(RunLengthBmp(4096, 4096));  // 64 bytes in a file
  for (int i = 0; i < 5; ++i) {
    auto& image = static_cast<DrawImage&>(
        *document.scene.emplace_back(CreateObjectByClassName("DrawImage", document.canvas)));
    image.picture = largest;
    image.hasPicture = 1;
  }
  EXPECT_FALSE(SaveExperimentFile(dir + "/b.exo", document, &error));
  EXPECT_NE(error.find("图片合计太大"), std::string::npos) << error;
  document.scene.pop_back();
  EXPECT_TRUE(SaveExperimentFile(dir + "/b.exo", document, &error)) << error;
  EXPECT_FALSE(SaveExperimentFile(dir + "/b.exo", document, &error, 1 << 20));
  EXPECT_NE(error.find("图片"), std::string::npos) << error;
}

// A picture is decoded only within its own bound and the allowance of the
// file being read; what is refused is counted.
TEST_F(FileSizeBound, PicturesDecodeWithinTheirBoundAndTheAllowance) {
  QImage image;
  EXPECT_EQ(DecodePicture(RunLengthBmp(4096, 4096), "BMP", image), PictureStatus::Decoded);
  EXPECT_EQ(image.format(), QImage::Format_RGB32);
  PictureAllowance allowance(3 * 100 * 100);
  EXPECT_EQ(DecodePicture(RunLengthBmp(4097, 4096), "BMP", image), PictureStatus::TooLarge);
  EXPECT_EQ(DecodePicture(RunLengthBmp(100, 200), "BMP", image), PictureStatus::Decoded);
  EXPECT_EQ(DecodePicture(RunLengthBmp(100, 101), "BMP", image), PictureStatus::TooLarge);
  EXPECT_EQ(DecodePicture(RunLengthBmp(100, 100), "BMP", image), PictureStatus::Decoded);
  EXPECT_EQ(allowance.Refused(), 2);
}
