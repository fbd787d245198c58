// The Ray Optics dialogs in a real window under a window manager: a scene
// file chosen by typing its name into the import dialog, and a share link
// pasted into its dialog, by keys from the display server (xdotool).
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "RayOpticsSceneBuilder.h"
#include "TestEnvironment.h"
#include "app/TLumidorNetworkFrm.h"
#include "files/ShareLink.h"
#include "scene/Document.h"
#include "scene/IMessageSink.h"
#include "ui/UiTestApp.h"

namespace {

// Once a modal dialog is up and active, types `text` and Return into it.
// Runs inside the dialog's own event loop; a dialog that never becomes
// active is closed after 10 s, so that the test fails instead of hanging.
void AnswerNextDialog(const QString& text, bool& typed) {
  auto* timer = new QTimer;
  auto* waited = new int(0);
  QObject::connect(timer, &QTimer::timeout, [timer, waited, text, &typed] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && QApplication::activeWindow() == modal) {
      timer->stop();
      QProcess::execute("xdotool", {"type", "--delay", "2", text});
      QProcess::execute("xdotool", {"key", "--clearmodifiers", "Return"});
      typed = true;
    } else if (++*waited > 200) {
      timer->stop();
      if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
    }
    if (!timer->isActive()) {
      timer->deleteLater();
      delete waited;
    }
  });
  timer->start(50);
}

std::vector<std::string> Classes(const Document& document) {
  std::vector<std::string> names;
  for (const auto& o : document.scene)
    if (o->className != "ReferenceFrame") names.push_back(o->className);
  return names;
}

class RayOpticsDialogsWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    UiTestApp();
    if (QGuiApplication::platformName() != "xcb")
      GTEST_SKIP() << "needs a display server (run under xvfb-run with QT_QPA_PLATFORM=xcb)";
    Settings().messages = &messages;
    TLumidorNetworkFrm::Options options;
    options.splash = false;
    window = std::make_unique<TLumidorNetworkFrm>(options);
    window->setGeometry(0, 0, 1000, 700);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    scene.Line("Blocker", Pt(100, 100), Pt(100, 200));
    scene.Add({{"type", "Glass"},
               {"path",
                QJsonArray{Pt(300, 300), Pt(400, 300), Pt(420, 380), Pt(350, 440), Pt(280, 380)}}});
  }
  void TearDown() override { Settings().messages = nullptr; }
  // Triggers the menu command and answers its dialog with `text`.
  void Answer(const char* command, const QString& text) {
    bool typed = false;
    AnswerNextDialog(text, typed);
    window->Action(command)->trigger();
    EXPECT_TRUE(typed) << command << ": no active dialog";
  }

  CollectingMessageSink messages;
  std::unique_ptr<TLumidorNetworkFrm> window;
  RayOpticsSceneBuilder scene;
  QTemporaryDir dir;
};

TEST_F(RayOpticsDialogsWindow, SceneFileTypedIntoTheImportDialogOpens) {
  const QString path = dir.filePath("scene.json");
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  const auto json = scene.Json();
  file.write(reinterpret_cast<const char*>(json.data()), qint64(json.size()));
  file.close();
  Answer("ImportRayOpticsMenu", path);
  EXPECT_EQ(Classes(window->Doc()), (std::vector<std::string>{"LightBlocker", "PolygonGlass"}));
  EXPECT_TRUE(messages.messages.empty());
}

TEST_F(RayOpticsDialogsWindow, LinkPastedIntoItsDialogOpens) {
  Answer("RayOpticsLinkMenu", QString::fromStdString("https://phydemo.app/ray-optics/simulator/#" +
                                                     ShareLink::Encode(scene.Scene())));
  EXPECT_EQ(Classes(window->Doc()), (std::vector<std::string>{"LightBlocker", "PolygonGlass"}));
}

}  // namespace
