// The file menu's recent experiments and experiments dropped onto the window.
#include <QDropEvent>
#include <QFile>
#include <QMenu>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>
#include <fstream>

#include "MainWindowFixture.h"
#include "app/RecentExperiments.h"
#include "files/ExperimentFile.h"

namespace {

class RecentAndDropTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    w->Recent()->Clear();
  }
  // An experiment whose ray width tells it apart.
  QString Experiment(const QString& name, int rayWidth = 2) {
    Document other(nullptr);
    other.page->rayWidth = rayWidth;
    const auto bytes = SerializeExperiment(other);
    const QString path = dir.filePath(name);
    std::ofstream(path.toStdString(), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return path;
  }
  QStringList Shown() {
    emit w->Recent()->Menu()->aboutToShow();
    QStringList entries;
    for (QAction* a : w->Recent()->Menu()->actions())
      if (!a->isSeparator()) entries << a->text() + (a->isEnabled() ? "" : " (off)");
    return entries;
  }
  // Drops `urls` onto the window; true when the drag was accepted.
  bool Drop(const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter({20, 20}, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w.get(), &enter);
    QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w.get(), &drop);
    QCoreApplication::processEvents();
    return enter.isAccepted() && drop.isAccepted();
  }
  QTemporaryDir dir;
};

TEST_F(RecentAndDropTest, LastEightOpenedOrSavedNewestFirst) {
  for (int i = 0; i < 10; ++i)
    w->OpenExperiment(Experiment(QString("%1.exo").arg(i)).toStdString());
  w->OpenExperiment(dir.filePath("5.exo").toStdString());
  Doc().page->fileName = Experiment("saved.exo").toStdString();
  w->SavePageClick();
  QStringList expected{dir.filePath("saved.exo"), dir.filePath("5.exo")};
  for (int i : {9, 8, 7, 6, 4, 3}) expected << dir.filePath(QString("%1.exo").arg(i));
  EXPECT_EQ(RecentExperiments::Paths(), expected);
  EXPECT_EQ(Shown().first(), "&1 saved.exo");
  EXPECT_TRUE(ui->messages.messages.empty());
}

TEST_F(RecentAndDropTest, GoneEntriesShowDisabledAndLeaveAtTheNextChangeClearEmpties) {
  const QString kept = Experiment("kept.exo", 4), gone = Experiment("gone.exo");
  w->OpenExperiment(kept.toStdString());
  w->OpenExperiment(gone.toStdString());
  Doc().page->rayWidth = 1;
  QFile::remove(gone);
  EXPECT_EQ(Shown(), (QStringList{"&1 gone.exo (off)", "&2 kept.exo", "清除列表"}));
  w->Recent()->Menu()->actions().at(1)->trigger();
  EXPECT_EQ(Doc().page->rayWidth, 4);
  EXPECT_EQ(RecentExperiments::Paths(), QStringList{kept});
  w->Recent()->Menu()->actions().last()->trigger();
  EXPECT_EQ(Shown(), QStringList{"清除列表 (off)"});
}

TEST_F(RecentAndDropTest, DroppedExperimentOpensAsOpenDoesOtherDropsAreIgnored) {
  const QString good = Experiment("good.exo", 5);
  EXPECT_FALSE(Drop({QUrl::fromLocalFile(Experiment("notes.txt")), QUrl("https://x/a.exo")}));
  EXPECT_NE(Doc().page->rayWidth, 5);
  EXPECT_TRUE(Drop({QUrl::fromLocalFile(dir.filePath("notes.txt")), QUrl::fromLocalFile(good)}));
  EXPECT_EQ(Doc().page->rayWidth, 5);
  EXPECT_EQ(Doc().page->fileName, good.toStdString());
  EXPECT_TRUE(ui->messages.messages.empty());
  // A damaged file: the open's own message, and the experiment stays.
  QFile damaged(Experiment("damaged.exo", 6));
  ASSERT_TRUE(damaged.open(QIODevice::ReadWrite));
  damaged.seek(4);
  damaged.write("\x7f");
  damaged.close();
  EXPECT_TRUE(Drop({QUrl::fromLocalFile(damaged.fileName())}));
  EXPECT_EQ(ui->messages.messages, std::vector<std::string>{"文件格已经损,不能打开."});
  EXPECT_EQ(Doc().page->rayWidth, 5);
  EXPECT_EQ(RecentExperiments::Paths(), QStringList{good});
}

}  // namespace
