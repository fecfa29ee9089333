// SPDX-License-Identifier: MIT
// The edited stage pair's history: a long session of single-cell strokes
// stays small, and undoing and redoing column changes (with cell strokes
// between them, in both worlds) gives back each state exactly.
#include <gtest/gtest.h>

#include "editor/stage_document.h"

namespace {

EditorWorld NumberedWorld(int32_t width, int32_t height, int32_t base) {
  EditorWorld w{width, height, std::vector<int32_t>(static_cast<size_t>(width) * height)};
  for (size_t i = 0; i < w.cells.size(); i++) w.cells[i] = base + static_cast<int32_t>(i % 997);
  return w;
}

TEST(StageDocumentTest, TenThousandSingleCellStrokesStayUnderAMebibyte) {
  StageDocument doc{};
  SetDocumentWorlds(&doc, NumberedWorld(600, 20, 0), NumberedWorld(600, 22, 0));
  for (int i = 0; i < 10000; i++) {
    BeginCellStep(&doc, static_cast<uint8_t>(i % 2));
    ASSERT_TRUE(ChangeCell(&doc, i % 20, i % 600, 5000 + i));
    EndCellStep(&doc);
  }
  EXPECT_EQ(doc.history.steps.size(), 10000u);
  EXPECT_LT(HistoryBytes(doc.history), size_t{1} << 20);
  // Every stroke undone gives back the stages as they were.
  uint8_t world;
  int32_t row, column;
  while (UndoStep(&doc, &world, &row, &column)) {}
  EXPECT_EQ(doc.worlds[0].cells, NumberedWorld(600, 20, 0).cells);
  EXPECT_FALSE(DocumentChanged(doc));
}

TEST(StageDocumentTest, ColumnsPutInAndTakenOutUndoAndRedoExactly) {
  StageDocument doc{};
  SetDocumentWorlds(&doc, NumberedWorld(30, 15, 0), NumberedWorld(24, 16, 2000));
  std::vector<EditorWorld> states[2];
  auto keep = [&] {
    states[0].push_back(doc.worlds[0]);
    states[1].push_back(doc.worlds[1]);
  };
  keep();
  std::vector<int32_t> fill(15, 7);
  ASSERT_TRUE(InsertColumns(&doc, 0, 4, 3, fill.data()));
  keep();
  BeginCellStep(&doc, 0);
  ChangeCell(&doc, 2, 5, 51);
  ChangeCell(&doc, 14, 32, 52);
  EndCellStep(&doc);
  keep();
  ASSERT_TRUE(DeleteColumns(&doc, 1, 0, 4));
  keep();
  ASSERT_TRUE(InsertColumns(&doc, 1, 20, 2, nullptr));  // at the end, empty
  keep();
  ASSERT_TRUE(DeleteColumns(&doc, 0, 10, 13));
  keep();
  // The limits: never under 20 columns, never past the widest.
  EXPECT_FALSE(DeleteColumns(&doc, 0, 0, 1));
  EXPECT_FALSE(InsertColumns(&doc, 1, 0, MaxEditColumns, nullptr));
  EXPECT_EQ(doc.worlds[0].width, 20);

  uint8_t world;
  int32_t row, column;
  for (size_t k = states[0].size() - 1; k-- > 0;) {
    ASSERT_TRUE(UndoStep(&doc, &world, &row, &column));
    for (int w = 0; w < 2; w++) {
      EXPECT_EQ(doc.worlds[w].width, states[w][k].width) << "undo to state " << k;
      EXPECT_EQ(doc.worlds[w].cells, states[w][k].cells) << "undo to state " << k;
    }
  }
  EXPECT_FALSE(UndoStep(&doc, &world, &row, &column));
  EXPECT_FALSE(DocumentChanged(doc));
  for (size_t k = 1; k < states[0].size(); k++) {
    ASSERT_TRUE(RedoStep(&doc, &world, &row, &column));
    for (int w = 0; w < 2; w++) EXPECT_EQ(doc.worlds[w].cells, states[w][k].cells) << "redo to state " << k;
  }
  EXPECT_FALSE(RedoStep(&doc, &world, &row, &column));
  // A change after an undo forgets what could be redone, and the saved
  // state with it.
  MarkDocumentSaved(&doc);
  UndoStep(&doc, &world, &row, &column);
  BeginCellStep(&doc, 1);
  ChangeCell(&doc, 0, 0, 9);
  EndCellStep(&doc);
  EXPECT_FALSE(RedoStep(&doc, &world, &row, &column));
  UndoStep(&doc, &world, &row, &column);
  EXPECT_TRUE(DocumentChanged(doc));
}

}  // namespace
