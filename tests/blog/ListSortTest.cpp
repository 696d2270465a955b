// The sort keys, SortListByColumn, CopyListRow and the blog list's check-mark handlers.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "blog/BlogHandlers.h"
#include "blog/ListSort.h"
#include "platform/Gbk.h"
#include "support/BlogTestWindow.h"

namespace {

Text Zeros(int n) {
  return Text(static_cast<size_t>(n), '0');
}

// ---- keys ----

TEST(SortKeyTest, NumberKeys) {
  struct Case {
    const char* cell;
    Text key;
  } cases[] = {
      {"3.5", Zeros(29) + "3.5" + Zeros(29)},
      {"0", Zeros(29) + "0." + Zeros(30)},
      {"", Zeros(29) + "0." + Zeros(30)},
      {"abc", Zeros(29) + "0." + Zeros(30)},
      {"  42abc", Zeros(28) + "42." + Zeros(30)},
      {"+7", Zeros(29) + "7." + Zeros(30)},
      {"007.25", Zeros(29) + "7.25" + Zeros(28)},
      {".5", Zeros(29) + "0.5" + Zeros(29)},
      // the minus sign stays inside the zero-filled text, and one more goes in front
      {"-2.5", "-" + Zeros(28) + "-2.5" + Zeros(29)},
      // not below -0.0000001: no sign in front, its own minus stays
      {"-0.00000001", Zeros(28) + "-0.00000001" + Zeros(22)},
      {"-0.0000001", Zeros(28) + "-0.0000001" + Zeros(23)},
      {"-0.00000010000001", "-" + Zeros(28) + "-0.00000010000001" + Zeros(16)},
      {"-0", Zeros(29) + "0." + Zeros(30)},
      // the 31st decimal rounds half up
      {"1.0000000000000000000000000000005", Zeros(29) + "1." + Zeros(29) + "1"},
      {"1.0000000000000000000000000000004", Zeros(29) + "1." + Zeros(30)},
      {"0.9999999999999999999999999999995", Zeros(29) + "1." + Zeros(30)},
      {"-9.9999999999999999999999999999999", "-" + Zeros(27) + "-10." + Zeros(30)},
      // a number too long keeps its last 61 characters
      {"1234567890123456789012345678901234567890",
       Text("1234567890123456789012345678901234567890").substr(10) + "." + Zeros(30)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NumberSortKey(c.cell), c.key) << c.cell;
    const size_t expected = c.key[0] == '-' ? 62 : 61;
    EXPECT_EQ(NumberSortKey(c.cell).size(), expected) << c.cell;
  }
  // Full-width digits read as their ASCII forms.
  EXPECT_EQ(NumberSortKey(ToGbk("１２")), Zeros(28) + "12." + Zeros(30));
}

TEST(SortKeyTest, DateKeys) {
  struct Case {
    const char* cell;
    const char* key;
  } cases[] = {
      {"2013-04-01 10:20:05", "20130401102005"},
      {"2013-04-01 10:20", "20130401102000"},
      {"2013-04-01 10:20 ", "20130401102000"},  // as the catalogue cuts it, blank behind
      {" 2013/4/1 9:05", "20130401090500"},
      {"2013/12/31 23:59:59", "20131231235959"},
      {"2013-04-01", "20130401000000"},
      {"2012-02-29 00:00", "20120229000000"},
      {"813-1-2 3:04", "08130102030400"},
      {"2013-02-29 00:00", "00000000000000"},  // no such day
      {"2013-13-01 00:00", "00000000000000"},
      {"2013-04-01 24:00", "00000000000000"},
      {"2013-04-01 10:60", "00000000000000"},
      {"2013-04/01 10:20", "00000000000000"},  // mixed separators
      {"20130-04-01 10:20", "00000000000000"},
      {"2013-04-01 10", "00000000000000"},
      {"2013-04-01 10:20x", "00000000000000"},
      {"yesterday", "00000000000000"},
      {"", "00000000000000"},
  };
  for (const Case& c : cases) EXPECT_EQ(DateSortKey(c.cell), c.key) << c.cell;
}

TEST(SortKeyTest, ValueAndImageKeys) {
  EXPECT_EQ(ValueSortKey(5), Zeros(30) + "5");
  EXPECT_EQ(ValueSortKey(0), Zeros(31));
  EXPECT_EQ(ValueSortKey(-5), "-" + Zeros(30) + "5");
  EXPECT_EQ(ValueSortKey(INT_MIN), "-" + Zeros(21) + "2147483648");
  EXPECT_EQ(ValueSortKey(INT_MAX), Zeros(21) + "2147483647");
  EXPECT_EQ(ImageSortKey(3), Zeros(30) + "3");
  EXPECT_EQ(ImageSortKey(-1), "-" + Zeros(29) + "-1");  // a cell without an image
}

TEST(SortKeyTest, KeyTypeSelectsTheKey) {
  EXPECT_EQ(SortKey(0, "a b", 7, 2), Text("a b"));
  EXPECT_EQ(SortKey(1, "3.5", 7, 2), NumberSortKey("3.5"));
  EXPECT_EQ(SortKey(2, "2013-04-01 10:20", 7, 2), Text("20130401102000"));
  EXPECT_EQ(SortKey(3, "x", 7, 2), ValueSortKey(7));
  EXPECT_EQ(SortKey(4, "x", 7, 2), ImageSortKey(2));
  EXPECT_FALSE(SortKey(5, "x", 7, 2).has_value());
  EXPECT_FALSE(SortKey(-1, "x", 7, 2).has_value());
}

// ---- sorting a list ----

struct RowData {
  Text cells[5];
  int check;
  int images[5];
  int indent;
  qint32 value;
};

class ListSortTest : public ::testing::Test {
 protected:
  ReportList* list() { return window.blogList; }

  void Fill(const std::vector<RowData>& rows) {
    list()->DeleteAllRows();
    for (const RowData& d : rows) {
      const int r = list()->InsertRow();
      for (int c = 0; c < 5; ++c) {
        list()->SetCell(r, c, d.cells[c]);
        if (d.images[c] != -1) list()->SetCellImage(r, c, d.images[c]);
      }
      list()->SetCheckMark(r, d.check);
      list()->SetIndent(r, d.indent);
      list()->SetItemValue(r, d.value);
    }
  }

  // Every row read back through the list's interface.
  std::vector<RowData> Rows(ReportList* l = nullptr) {
    if (!l) l = list();
    std::vector<RowData> rows;
    for (int r = 0; r < l->RowCount(); ++r) {
      RowData d{};
      for (int c = 0; c < 5; ++c) {
        d.cells[c] = l->Cell(r, c);
        d.images[c] = l->CellImage(r, c);
      }
      d.check = l->CheckMark(r);
      d.indent = l->Indent(r);
      d.value = l->ItemValue(r);
      rows.push_back(d);
    }
    return rows;
  }

  std::vector<Text> Column(int c) {
    std::vector<Text> out;
    for (int r = 0; r < list()->RowCount(); ++r) out.push_back(list()->Cell(r, c));
    return out;
  }

  // Rows 1..n with the given texts in column `c`, the check mark alternating 1, 0.
  void FillColumn(int c, const std::vector<Text>& texts) {
    std::vector<RowData> rows;
    for (size_t i = 0; i < texts.size(); ++i) {
      RowData d{};
      d.cells[0] = std::to_string(i + 1);
      d.cells[c] = texts[i];
      d.check = i % 2 == 0 ? 1 : 0;
      for (int& img : d.images) img = -1;
      rows.push_back(d);
    }
    Fill(rows);
  }

  BlogTestWindow window;
};

bool operator==(const RowData& a, const RowData& b) {
  for (int c = 0; c < 5; ++c)
    if (a.cells[c] != b.cells[c] || a.images[c] != b.images[c]) return false;
  return a.check == b.check && a.indent == b.indent && a.value == b.value;
}

TEST_F(ListSortTest, CategoryExampleKeepsWholeRows) {
  const std::vector<RowData> rows = {
      {{"1", ToGbk("甲"), "B", "2013-01-01 00:00 ", "11 "}, 1, {1, 2, 3, 4, 5}, 0, 100},
      {{"2", ToGbk("乙"), "A", "2013-01-02 00:00 ", "12 "}, 0, {6, -1, 7, -1, 8}, 2, -7},
      {{"3", ToGbk("丙"), "C", "2013-01-03 00:00 ", "13 "}, 1, {-1, -1, -1, -1, -1}, 1, 0},
      {{"4", ToGbk("丁"), "A", "2013-01-04 00:00 ", "14 "}, 0, {9, 9, 9, 9, 9}, 3, 42},
  };
  Fill(rows);
  list()->SetCurrentRow(1);
  const auto widgets = window.findChildren<QWidget*>().size();

  SortBlogList(&window, 2);
  EXPECT_EQ(window.findChildren<QWidget*>().size(), widgets);  // no scratch lists left behind
  // The mirror holds A(2), A(4), B, C; refilled at the top each time: C, B, A(4), A(2).
  const std::vector<RowData> expected = {rows[2], rows[0], rows[3], rows[1]};
  EXPECT_EQ(Rows(), expected);
  EXPECT_EQ(list()->CurrentRow(), -1);

  // Ascending gives the mirror itself, equal keys in the order they were met, and is the exact
  // reverse of the descending order.
  Fill(rows);
  ASSERT_TRUE(SortListByColumn(list(), 2, 1, 0));
  const std::vector<RowData> ascending = {rows[1], rows[3], rows[0], rows[2]};
  EXPECT_EQ(Rows(), ascending);
}

TEST_F(ListSortTest, HeaderClickSortsDescendingAsTextEveryTime) {
  std::vector<RowData> rows;
  for (const char* n : {"1", "2", "9", "10"}) {
    RowData d{{n, "t", "c", "p", "i"}, 1, {-1, -1, -1, -1, -1}, 0, 0};
    rows.push_back(d);
  }
  rows[2].check = 0;
  Fill(rows);
  SortBlogList(&window, 0);
  EXPECT_EQ(Column(0), (std::vector<Text>{"9", "2", "10", "1"}));
  EXPECT_EQ(list()->CheckMark(0), 0);  // row 9 keeps its unchecked mark
  const std::vector<RowData> once = Rows();
  SortBlogList(&window, 0);
  EXPECT_EQ(Rows(), once);  // the same header again: the same order, not the reverse
}

TEST_F(ListSortTest, KeysCompareAsUnsignedGbkBytes) {
  FillColumn(2, {ToGbk("随笔"), "abc", ToGbk("生活"), ToGbk("旅行"), "Abc", ToGbk("生活")});
  ASSERT_TRUE(SortListByColumn(list(), 2));
  // Upper case before lower, ASCII before every double-byte character, GBK order after that.
  EXPECT_EQ(Column(2), (std::vector<Text>{"Abc", "abc", ToGbk("旅行"), ToGbk("生活"), ToGbk("生活"),
                                          ToGbk("随笔")}));
  EXPECT_EQ(Column(0), (std::vector<Text>{"5", "2", "4", "3", "6", "1"}));
}

TEST_F(ListSortTest, KeyTypesOrderTheRows) {
  struct Case {
    const char* name;
    int keyType;
    std::vector<Text> cells;
    std::vector<qint32> values;  // item values, when the key type reads them
    std::vector<int> images;     // images of column 3, likewise
    std::vector<Text> ascendingNumbers;
  } cases[] = {
      {"numbers", 1, {"10", "9", "-3", "2.5", "abc"}, {}, {}, {"3", "5", "4", "2", "1"}},
      {"dates", 2,
       {"2013-05-02 08:00 ", "2013/4/1 10:20", "2012-12-31 23:59:59", "never"}, {}, {},
       {"4", "3", "2", "1"}},
      {"item values", 3, {"x", "x", "x", "x"}, {5, -2, 100, 0}, {}, {"2", "4", "1", "3"}},
      {"images", 4, {"x", "x", "x"}, {}, {7, -1, 3}, {"2", "3", "1"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FillColumn(3, c.cells);
    for (size_t r = 0; r < c.values.size(); ++r) list()->SetItemValue(int(r), c.values[r]);
    for (size_t r = 0; r < c.images.size(); ++r) list()->SetCellImage(int(r), 3, c.images[r]);
    ASSERT_TRUE(SortListByColumn(list(), 3, 1, c.keyType));
    EXPECT_EQ(Column(0), c.ascendingNumbers);
    ASSERT_TRUE(SortListByColumn(list(), 3, 0, c.keyType));
    std::vector<Text> descending(c.ascendingNumbers.rbegin(), c.ascendingNumbers.rend());
    EXPECT_EQ(Column(0), descending);
    // Sorting never changes a cell.
    for (int r = 0; r < list()->RowCount(); ++r) {
      const int original = std::stoi(list()->Cell(r, 0)) - 1;
      EXPECT_EQ(list()->Cell(r, 3), c.cells[size_t(original)]);
      if (!c.values.empty()) {
        EXPECT_EQ(list()->ItemValue(r), c.values[size_t(original)]);
      }
      if (!c.images.empty()) {
        EXPECT_EQ(list()->CellImage(r, 3), c.images[size_t(original)]);
      }
    }
  }
}

TEST_F(ListSortTest, RefusalsLeaveTheListAsItWas) {
  struct Case {
    const char* name;
    bool empty;
    bool sortsItself;
    int column;
    int keyType;
  } cases[] = {
      {"no rows", true, false, 0, 0},
      {"negative column", false, false, -1, 0},
      {"column past the last", false, false, 5, 0},
      {"list sorts itself", false, true, 1, 0},
      {"key type 5", false, false, 1, 5},
      {"key type -1", false, false, 1, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.empty)
      Fill({});
    else
      FillColumn(1, {"b", "c", "a"});
    list()->setSortingEnabled(c.sortsItself);
    if (c.sortsItself) list()->sortItems(1, Qt::DescendingOrder);
    if (!c.empty) list()->SetCurrentRow(1);
    const std::vector<RowData> before = Rows();
    const int current = list()->CurrentRow();
    EXPECT_FALSE(SortListByColumn(list(), c.column, 0, c.keyType));
    EXPECT_EQ(Rows(), before);
    EXPECT_EQ(list()->CurrentRow(), current);
    list()->setSortingEnabled(false);
  }
  // The header-click handler ignores a refusal the same way.
  Fill({});
  SortBlogList(&window, 0);
  EXPECT_EQ(list()->RowCount(), 0);
  EXPECT_FALSE(SortListByColumn(nullptr, 0));
}

TEST_F(ListSortTest, ALargeListSortsStably) {
  // 500 rows with only three keys: each group keeps its rows in their order.
  std::vector<Text> cats;
  for (int i = 0; i < 500; ++i) cats.push_back(Text(1, char('a' + (i * 7) % 3)));
  FillColumn(2, cats);
  ASSERT_TRUE(SortListByColumn(list(), 2, 1));
  ASSERT_EQ(list()->RowCount(), 500);
  for (int r = 1; r < 500; ++r) {
    const Text a = list()->Cell(r - 1, 2), b = list()->Cell(r, 2);
    ASSERT_LE(a, b);
    if (a == b) {
      ASSERT_LT(std::stoi(list()->Cell(r - 1, 0)), std::stoi(list()->Cell(r, 0)));
    }
  }
}

// ---- CopyListRow ----

TEST_F(ListSortTest, CopyListRowCopiesTheRowAtItsPosition) {
  Fill({{{"1", "t1", "c1", "p1", "i1"}, 0, {4, 5, -1, 6, 7}, 2, -9},
        {{"2", "t2", "c2", "p2", "i2"}, 1, {-1, -1, -1, -1, -1}, 0, 3}});
  ReportList destination(&window);
  destination.SetColumns({"a", "b", "c", "d", "e"}, {});
  destination.SetShowsCheckBoxes(true);

  EXPECT_EQ(CopyListRow(list(), &destination, 1, -1, 5), 0);  // appended
  EXPECT_EQ(CopyListRow(list(), &destination, 0, 0, 5), 0);   // at the top
  EXPECT_EQ(CopyListRow(list(), &destination, 1, 9, 5), 2);   // past the end: appended
  EXPECT_EQ(CopyListRow(list(), &destination, 0, 1, 3), 1);   // only columns 0 to 2
  const std::vector<RowData> source = Rows();
  const std::vector<RowData> copied = Rows(&destination);
  ASSERT_EQ(copied.size(), 4u);
  EXPECT_EQ(copied[0], source[0]);
  EXPECT_EQ(copied[2], source[1]);
  EXPECT_EQ(copied[3], source[1]);
  RowData partial = source[0];
  partial.cells[3] = partial.cells[4] = "";
  partial.images[3] = partial.images[4] = -1;
  EXPECT_EQ(copied[1], partial);

  // A source row that does not exist adds nothing.
  EXPECT_EQ(CopyListRow(list(), &destination, 2, -1, 5), -1);
  EXPECT_EQ(CopyListRow(list(), &destination, -1, -1, 5), -1);
  EXPECT_EQ(destination.RowCount(), 4);
}

// ---- check marks ----

TEST_F(ListSortTest, ClickTogglesTheCurrentRowOnly) {
  FillColumn(1, {"a", "b", "c"});  // marks 1, 0, 1
  list()->SetCurrentRow(1);
  ToggleBlogCheck(&window);
  EXPECT_EQ(list()->CheckMark(1), 1);
  ToggleBlogCheck(&window);
  EXPECT_EQ(list()->CheckMark(1), 0);
  EXPECT_EQ(list()->CheckMark(0), 1);
  EXPECT_EQ(list()->CheckMark(2), 1);

  // No current row: nothing changes.
  list()->SetCurrentRow(-1);
  ToggleBlogCheck(&window);
  EXPECT_EQ((std::vector<int>{list()->CheckMark(0), list()->CheckMark(1), list()->CheckMark(2)}),
            (std::vector<int>{1, 0, 1}));
}

TEST_F(ListSortTest, CheckAllAndInvert) {
  FillColumn(1, {"a", "b", "c", "d"});  // 1, 0, 1, 0
  auto marks = [&] {
    std::vector<int> m;
    for (int r = 0; r < list()->RowCount(); ++r) m.push_back(list()->CheckMark(r));
    return m;
  };
  InvertBlogChecks(&window);
  EXPECT_EQ(marks(), (std::vector<int>{0, 1, 0, 1}));
  InvertBlogChecks(&window);
  EXPECT_EQ(marks(), (std::vector<int>{1, 0, 1, 0}));
  CheckAllBlogs(&window);
  EXPECT_EQ(marks(), (std::vector<int>{1, 1, 1, 1}));
  InvertBlogChecks(&window);
  EXPECT_EQ(marks(), (std::vector<int>{0, 0, 0, 0}));
  InvertBlogChecks(&window);
  EXPECT_EQ(marks(), (std::vector<int>{1, 1, 1, 1}));

  // An empty list and a window without the list are left alone.
  Fill({});
  CheckAllBlogs(&window);
  InvertBlogChecks(&window);
  ToggleBlogCheck(&window);
  EXPECT_EQ(list()->RowCount(), 0);
  QWidget bare;
  CheckAllBlogs(&bare);
  InvertBlogChecks(&bare);
  ToggleBlogCheck(&bare);
  SortBlogList(&bare, 0);
}

}  // namespace
