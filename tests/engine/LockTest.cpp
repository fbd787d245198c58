// Locks: a locked object refuses every change and shows no handles. The lock
// lies in the reserved bytes of the object's record, which every reader of
// the layout reads past: a file without locks is as before, and a file with
// them opens whole, unlocked, in a reader that knows none.

#include "ExperimentFileFixture.h"
#include "scene/ProcessSettings.h"
#include "scene/SelectionSteps.h"

namespace {

class LockTest : public ExperimentFileFixture {
 protected:
  DrawObjectUnit* Mirror() {
    auto mirror = CreateObjectByClassName("FlatMirror", &canvas);
    mirror->SetControlPoints({{100, 100}, {200, 100}});
    mirror->skipNextPaint = 0;
    return document.AppendObject(std::move(mirror));
  }
  std::size_t HandleSquares() {
    canvas.Clear();
    document.Repaint(true);
    return canvas.Count(RecordedOp::Rectangle);
  }
};

}  // namespace

TEST_F(LockTest, ALockedObjectIsNotMovedDeletedCutOrEditedAndShowsNoHandles) {
  DrawObjectUnit* mirror = Mirror();
  const std::size_t unlockedSquares = HandleSquares();
  mirror->SetLocked(true);
  EXPECT_LT(HandleSquares(), unlockedSquares);
  const auto points = mirror->ControlPointValues();
  document.SetDragOriginAll(150, 100);
  document.MoveSelection(kMoveDrag, 170, 130);
  mirror->selectedHandle = 0;
  document.MoveSelection(kMoveHandle, 300, 300);
  EXPECT_EQ(mirror->ControlPointValues(), points);
  // Nor nudged or turned by the keys, nor turned to a typed angle.
  document.selection = {mirror};
  EXPECT_FALSE(NudgeSelection(document, 10, 0));
  EXPECT_FALSE(TurnSelection(document, 15));
  EXPECT_FALSE(TurnObjectTo(document, *mirror, 30));
  EXPECT_EQ(mirror->ControlPointValues(), points);
  EXPECT_FALSE(document.CanDelete());
  EXPECT_FALSE(document.DeleteSelection());
  EXPECT_FALSE(document.Cut(0, 0));
  EXPECT_EQ(document.scene.size(), 2u);

  Settings().lockRow = LockRowRule::Editable;
  mirror->ShowProperties();
  for (const auto& row : ui->sheet.rows)
    EXPECT_EQ(row.readOnly || row.key == "锁定", true) << row.key;
  ASSERT_NE(ui->sheet.Find("锁定"), nullptr);
  ui->sheet.typed = {{ui->sheet.rows.front().key, "999"}};
  EXPECT_TRUE(mirror->ApplyProperties());
  EXPECT_EQ(mirror->ControlPointValues(), points);
  EXPECT_TRUE(mirror->Locked());
  // The lock row itself unlocks, and the object's rows apply again.
  ui->sheet.typed = {{"锁定", "否"}};
  mirror->ShowProperties();
  EXPECT_TRUE(mirror->ApplyProperties());
  EXPECT_FALSE(mirror->Locked());
  EXPECT_TRUE(document.CanDelete());
}

TEST_F(LockTest, StudentModeShowsTheLockButDoesNotLetItChange) {
  DrawObjectUnit* mirror = Mirror();
  mirror->SetLocked(true);
  Settings().lockRow = LockRowRule::Fixed;
  ui->sheet.typed = {{"锁定", "否"}};
  mirror->ShowProperties();
  EXPECT_TRUE(mirror->ApplyProperties());
  EXPECT_TRUE(mirror->Locked());
}

TEST_F(LockTest, TheLockChangesOnlyReservedBytesAndSurvivesSaveAndOpen) {
  DrawObjectUnit* mirror = Mirror();
  const FileBytes unlocked = SerializeExperiment(document);
  mirror->SetLocked(true);
  const FileBytes locked = SerializeExperiment(document);
  ASSERT_EQ(locked.size(), unlocked.size());
  std::vector<std::size_t> differing;
  for (std::size_t i = 0; i < locked.size(); ++i)
    if (locked[i] != unlocked[i]) differing.push_back(i);
  // The four bytes before the mirror's last field, the end of its reserved block.
  const std::size_t reservedEnd = locked.size() - kTrailerSize;
  EXPECT_EQ(differing, (std::vector<std::size_t>{reservedEnd - 4, reservedEnd - 3, reservedEnd - 2,
                                                 reservedEnd - 1}));
  const std::string path = Write("locked.exo", locked);
  const OpenResult r = OpenExperimentFile(path, document);
  ASSERT_TRUE(r.status == OpenStatus::Opened && r.complete);
  EXPECT_FALSE(document.scene.front()->Locked());
  EXPECT_TRUE(document.scene.back()->Locked());
  document.scene.back()->SetLocked(false);
  EXPECT_EQ(SerializeExperiment(document), unlocked);
}
