// The experiment's list operations and edit commands, driven without a window.

#include <gtest/gtest.h>

#include "TestEnvironment.h"
#include "TestSegment.h"
#include "gfx/RecordingCanvas.h"
#include "scene/Document.h"
#include "scene/ProcessSettings.h"

namespace {

class DocumentEditTest : public EngineTest {
 protected:
  RecordingCanvas canvas{400, 300};
  Document doc{&canvas};

  TestSegment* Add(float x1, float y1, float x2, float y2, const std::string& name = "Seg") {
    auto object = MakeTestSegment(name, x1, y1, x2, y2, &canvas);
    TestSegment* raw = object.get();
    doc.scene.push_back(std::move(object));
    return raw;
  }
  static TestSegment* Seg(DrawObjectUnit* object) { return static_cast<TestSegment*>(object); }
};

// ---- hit-test order and selection rules

TEST_F(DocumentEditTest, OverlappingObjectsPickTheEarliestPlaced) {
  TestSegment* first = Add(10, 50, 110, 50);
  Add(10, 50, 110, 50);
  EXPECT_EQ(doc.SelectAt(60, 50, true), 2);
  ASSERT_EQ(doc.selection.size(), 1u);
  EXPECT_EQ(doc.selection.front(), first);
}

TEST_F(DocumentEditTest, SelectedObjectIsTestedBeforeEarlierOnes) {
  Add(10, 50, 110, 50);
  TestSegment* second = Add(10, 50, 110, 50);
  doc.SelectOnly(second);
  EXPECT_EQ(doc.SelectAt(60, 50, true), 2);
  ASSERT_EQ(doc.selection.size(), 1u);
  EXPECT_EQ(doc.selection.front(), second);
}

TEST_F(DocumentEditTest, HandleBeatsBodyWithOneSelectedButNotWithSeveral) {
  TestSegment* a = Add(10, 50, 110, 50);
  TestSegment* b = Add(10, 150, 110, 150);
  doc.SelectOnly(a);
  EXPECT_EQ(doc.HitTestSelectionFirst(10, 50).code, 1);
  doc.selection = {a, b};
  const auto hit = doc.HitTestSelectionFirst(10, 50);
  EXPECT_EQ(hit.object, a);
  EXPECT_EQ(hit.code, 2);
}

TEST_F(DocumentEditTest, LeftClickOnEmptyDropsSelectionRightClickKeepsIt) {
  TestSegment* a = Add(10, 50, 110, 50);
  doc.SelectOnly(a);
  EXPECT_EQ(doc.SelectAt(300, 250, false), 0);
  EXPECT_EQ(doc.selection.size(), 1u);
  EXPECT_EQ(doc.SelectAt(300, 250, true), 0);
  EXPECT_TRUE(doc.selection.empty());
}

TEST_F(DocumentEditTest, HitOnUnselectedObjectReplacesSelectionAndDrawsItsHandles) {
  TestSegment* a = Add(10, 50, 110, 50);
  TestSegment* b = Add(10, 150, 110, 150);
  doc.SelectOnly(a);
  canvas.Clear();
  EXPECT_EQ(doc.SelectAt(60, 150, true), 2);
  EXPECT_EQ(doc.selection, Selection{b});
  // The hit object's two handle squares were painted.
  EXPECT_EQ(canvas.Count(RecordedOp::Rectangle), 2u);
}

TEST_F(DocumentEditTest, SelectInRectWorksWithCornersInAnyOrder) {
  TestSegment* a = Add(10, 50, 60, 50);
  TestSegment* b = Add(200, 200, 250, 200);
  EXPECT_TRUE(doc.SelectInRect(0, 0, 100, 100));
  EXPECT_EQ(doc.selection, Selection{a});
  EXPECT_TRUE(doc.SelectInRect(300, 300, 0, 0));
  EXPECT_EQ(doc.selection, (Selection{a, b}));
  EXPECT_FALSE(doc.SelectInRect(100, 100, 150, 150));
  EXPECT_TRUE(doc.selection.empty());
}

// ---- moving, panning, zooming

TEST_F(DocumentEditTest, MoveModeTwoFollowsThePointerFromTheDragOrigin) {
  TestSegment* a = Add(10, 50, 60, 50);
  TestSegment* b = Add(10, 150, 60, 150);
  doc.selection = {a, b};
  doc.SetDragOriginAll(20, 50);
  doc.MoveSelection(2, 25, 57);
  doc.MoveSelection(2, 35, 57);
  EXPECT_EQ(a->p1, (TPointF{25, 57}));
  EXPECT_EQ(b->p2, (TPointF{75, 157}));
}

TEST_F(DocumentEditTest, PanMovesEveryObjectAndZoomScalesAboutTheOrigin) {
  TestSegment* a = Add(120, 200, 220, 300);
  TestSegment* b = Add(0, 0, 10, 10);
  doc.SetDragOriginAll(0, 0);
  doc.PanAll(5, -5);
  EXPECT_EQ(a->p1, (TPointF{125, 195}));
  EXPECT_EQ(b->p2, (TPointF{15, 5}));
  Settings().originX = 125;
  Settings().originY = 195;
  doc.ZoomAll(2.0f);
  EXPECT_EQ(a->p1, (TPointF{125, 195}));  // a point on the origin stays
  EXPECT_FLOAT_EQ(a->p2.x, 125 + 2 * 100);
  EXPECT_FLOAT_EQ(a->p2.y, 195 + 2 * 100);
}

TEST_F(DocumentEditTest, ZoomInThenOutDoesNotReturnExactly) {
  TestSegment* a = Add(220, 100, 320, 100);
  doc.ZoomAll(1.1f);
  doc.ZoomAll(0.95f);
  // 1.1 * 0.95 = 1.045: the point ends 4.5 % further from the origin (20, 300).
  EXPECT_NEAR(a->p1.x, 20 + 200 * 1.045, 1e-3);
  EXPECT_NEAR(a->p1.y, 300 - 200 * 1.045, 1e-3);
  EXPECT_NE(a->p1, (TPointF{220, 100}));
}

// ---- clipboard

TEST_F(DocumentEditTest, PasteIsDisplacedByTheDistanceBetweenTheTwoDownPoints) {
  TestSegment* a = Add(10, 50, 60, 50);
  doc.SelectOnly(a);
  ASSERT_TRUE(doc.Copy(20, 50));
  ASSERT_TRUE(doc.Paste(120, 80));
  ASSERT_EQ(doc.scene.size(), 2u);
  TestSegment* copy = Seg(doc.scene.back().get());
  EXPECT_NE(copy, a);
  EXPECT_EQ(copy->p1, (TPointF{110, 80}));
  EXPECT_EQ(doc.selection, Selection{copy});
  EXPECT_EQ(a->p1, (TPointF{10, 50}));  // the copied object did not move
  EXPECT_EQ(doc.history.Size(), 1u);
}

TEST_F(DocumentEditTest, PasteRepeatsAndWorksOnAnEmptyScene) {
  TestSegment* a = Add(10, 50, 60, 50);
  doc.SelectOnly(a);
  doc.Copy(0, 0);
  doc.selection.clear();
  doc.scene.clear();
  EXPECT_TRUE(doc.CanPaste());
  EXPECT_TRUE(doc.Paste(0, 0));
  EXPECT_TRUE(doc.Paste(0, 0));
  EXPECT_EQ(doc.scene.size(), 2u);
  EXPECT_EQ(Seg(doc.scene[0].get())->p1, Seg(doc.scene[1].get())->p1);
  EXPECT_EQ(doc.clipboard.size(), 1u);
}

TEST_F(DocumentEditTest, ClipboardKeepsSelectionOrderAndSurvivesUndo) {
  TestSegment* a = Add(10, 50, 60, 50, "A");
  TestSegment* b = Add(10, 150, 60, 150, "B");
  doc.PushUndoSnapshot();
  doc.selection = {b, a};
  doc.Copy(0, 0);
  doc.DeleteSelection();
  ASSERT_TRUE(doc.Undo());
  ASSERT_EQ(doc.clipboard.size(), 2u);
  EXPECT_EQ(doc.clipboard[0]->className, "B");
  EXPECT_EQ(doc.clipboard[1]->className, "A");
}

TEST_F(DocumentEditTest, NothingSelectedMeansNoCopyNoDelete) {
  Add(10, 50, 60, 50);
  EXPECT_FALSE(doc.Copy(0, 0));
  EXPECT_FALSE(doc.DeleteSelection());
  EXPECT_FALSE(doc.CanPaste());
  EXPECT_FALSE(doc.Paste(0, 0));
  EXPECT_EQ(doc.history.Size(), 0u);
}

TEST_F(DocumentEditTest, AnObjectThatRefusesCopyAndDeleteIsNeitherCopiedNorDeleted) {
  TestSegment* frame = Add(20, 300, 20, 300, "ReferenceFrame");
  frame->canCopy = 0;
  frame->canDelete = 0;
  doc.SelectOnly(frame);
  EXPECT_FALSE(doc.CanCopy());
  EXPECT_FALSE(doc.CanDelete());
  EXPECT_FALSE(doc.Cut(0, 0));
  EXPECT_EQ(doc.scene.size(), 1u);
  EXPECT_TRUE(doc.clipboard.empty());
}

TEST_F(DocumentEditTest, DeleteAndCutRemoveTheSelectionAndSnapshot) {
  Add(10, 50, 60, 50);
  TestSegment* b = Add(10, 150, 60, 150);
  TestSegment* c = Add(10, 250, 60, 250);
  doc.selection = {c, b};
  ASSERT_TRUE(doc.Cut(5, 5));
  ASSERT_EQ(doc.scene.size(), 1u);
  EXPECT_TRUE(doc.selection.empty());
  EXPECT_EQ(doc.clipboard.size(), 2u);
  EXPECT_EQ(doc.history.Size(), 1u);
  EXPECT_EQ(doc.page->saved, 0);
}

// ---- undo and redo

TEST_F(DocumentEditTest, ThirtySnapshotsAllowTwentyNineUndoSteps) {
  TestSegment* a = Add(0, 0, 10, 0);
  for (int i = 0; i < 31; ++i) {
    a->p1.x = float(i);
    doc.PushUndoSnapshot();
  }
  EXPECT_EQ(doc.history.Size(), 30u);
  int steps = 0;
  while (doc.Undo()) ++steps;
  EXPECT_EQ(steps, 29);
  // The oldest kept snapshot is the second edit.
  EXPECT_EQ(Seg(doc.scene.front().get())->p1.x, 1.0f);
  EXPECT_FALSE(doc.CanUndo());
  EXPECT_TRUE(doc.CanRedo());
  // A new edit there frees the 29 newer snapshots first.
  doc.PushUndoSnapshot();
  EXPECT_EQ(doc.history.Size(), 2u);
  EXPECT_FALSE(doc.CanRedo());
}

TEST_F(DocumentEditTest, NewEditDropsTheRedoBranch) {
  TestSegment* a = Add(0, 0, 10, 0);
  doc.PushUndoSnapshot();
  a->p1.x = 5;
  doc.PushUndoSnapshot();
  a = Seg(doc.scene.front().get());
  a->p1.x = 7;
  doc.PushUndoSnapshot();
  ASSERT_TRUE(doc.Undo());
  ASSERT_TRUE(doc.Undo());
  EXPECT_EQ(Seg(doc.scene.front().get())->p1.x, 0.0f);
  Seg(doc.scene.front().get())->p1.x = 99;
  doc.PushUndoSnapshot();
  EXPECT_FALSE(doc.Redo());
  ASSERT_TRUE(doc.Undo());
  EXPECT_EQ(Seg(doc.scene.front().get())->p1.x, 0.0f);
  ASSERT_TRUE(doc.Redo());
  EXPECT_EQ(Seg(doc.scene.front().get())->p1.x, 99.0f);
}

TEST_F(DocumentEditTest, UndoReplacesSceneByCopiesAndEmptiesSelection) {
  TestSegment* a = Add(0, 0, 10, 0);
  doc.PushUndoSnapshot();
  doc.SelectOnly(a);
  Add(50, 50, 60, 60);
  doc.PushUndoSnapshot();
  ASSERT_TRUE(doc.Undo());
  EXPECT_EQ(doc.scene.size(), 1u);
  EXPECT_TRUE(doc.selection.empty());
  // Editing the restored scene leaves the stored snapshot alone.
  Seg(doc.scene.front().get())->p1.x = 42;
  ASSERT_TRUE(doc.Redo());
  ASSERT_TRUE(doc.Undo());
  EXPECT_EQ(Seg(doc.scene.front().get())->p1.x, 0.0f);
}

TEST_F(DocumentEditTest, UndoDoesNotRestorePageSettings) {
  Add(0, 0, 10, 0);
  doc.PushUndoSnapshot();
  doc.page->ambientColour = 0x00FF00;
  Add(5, 5, 10, 10);
  doc.PushUndoSnapshot();
  ASSERT_TRUE(doc.Undo());
  EXPECT_EQ(doc.page->ambientColour, 0x00FF00u);
}

TEST_F(DocumentEditTest, NothingToUndoOrRedoIsHarmless) {
  Add(0, 0, 10, 0);
  EXPECT_FALSE(doc.Undo());
  EXPECT_FALSE(doc.Redo());
  doc.PushUndoSnapshot();
  EXPECT_FALSE(doc.Undo());
  EXPECT_EQ(doc.scene.size(), 1u);
}

TEST_F(DocumentEditTest, ResetPageEmptiesEverythingButKeepsNoHistory) {
  TestSegment* a = Add(0, 0, 10, 0);
  doc.SelectOnly(a);
  doc.Copy(0, 0);
  doc.PushUndoSnapshot();
  doc.running = true;
  doc.ResetPage();
  EXPECT_TRUE(doc.scene.empty());
  EXPECT_TRUE(doc.selection.empty());
  EXPECT_FALSE(doc.CanPaste());
  EXPECT_EQ(doc.history.Size(), 0u);
  EXPECT_FALSE(doc.running);
}

}  // namespace
