// The report list as the handlers use it: cells by row and column, check marks, the current
// row, and what a click on a row or on the empty space below the rows leaves current.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "platform/Gbk.h"
#include "platform/ReportList.h"

namespace {

class ReportListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    list.SetColumns({"编号", "日志标题"}, {50, 180});
    list.SetShowsCheckBoxes(true);
    list.resize(300, 300);
    for (int r = 0; r < 3; ++r) {
      const int row = list.InsertRow();
      list.SetCell(row, 0, std::to_string(r + 1));
      list.SetCell(row, 1, ToGbk("春游"));
      list.SetCheckMark(row, 1);
    }
    list.show();
  }
  QPoint RowCentre(int row) {
    return list.visualItemRect(list.topLevelItem(row)).center();
  }
  ReportList list;
};

TEST_F(ReportListTest, CellsAndMarks) {
  EXPECT_EQ(list.RowCount(), 3);
  EXPECT_EQ(list.ColumnCount(), 2);
  EXPECT_EQ(list.Cell(1, 1), ToGbk("春游"));
  EXPECT_EQ(list.Cell(3, 0), "");   // no such row
  EXPECT_EQ(list.Cell(0, 2), "");   // no such column
  EXPECT_EQ(list.CheckMark(3), -1);
  list.SetCheckMark(1, 0);
  EXPECT_EQ(list.CheckMark(1), 0);
  EXPECT_EQ(list.InsertRowAt(0), 0);
  EXPECT_EQ(list.Cell(1, 0), "1");
  EXPECT_EQ(list.InsertRowAt(99), 4);  // past the end: appended

  ReportList plain;
  plain.SetColumns({"a"}, {10});
  plain.InsertRow();
  EXPECT_EQ(plain.CheckMark(0), -1);  // a list without check boxes
}

TEST_F(ReportListTest, CurrentRow) {
  EXPECT_EQ(list.CurrentRow(), -1);
  list.SetCurrentRow(2);
  EXPECT_EQ(list.CurrentRow(), 2);
  list.SetCurrentRow(3);  // at the row count: nothing changes
  EXPECT_EQ(list.CurrentRow(), 2);
  list.SetCurrentRow(0);  // single selection: the other row is deselected
  EXPECT_EQ(list.CurrentRow(), 0);
  EXPECT_EQ(list.selectedItems().size(), 1);
}

TEST_F(ReportListTest, ClickOnRowMakesItCurrentAndClickBelowTheRowsLeavesNone) {
  QSignalSpy clicked(&list, &ReportList::Clicked);
  QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, RowCentre(1));
  EXPECT_EQ(list.CurrentRow(), 1);
  EXPECT_EQ(clicked.count(), 1);
  // The check mark is the handler's to toggle: the list itself leaves it alone.
  EXPECT_EQ(list.CheckMark(1), 1);

  QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, QPoint(20, list.viewport()->height() - 5));
  EXPECT_EQ(list.CurrentRow(), -1);
  EXPECT_EQ(clicked.count(), 2);
}

}  // namespace
