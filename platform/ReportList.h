#pragma once
// A report-style list view: text cells addressed by 0-based row and column, a check mark per row on
// lists that show check boxes, one selected row (the current row). Header columns can be dragged to
// another visual order without changing the logical column index; the list never sorts itself.
// User-interface thread only.

#include <QTreeWidget>

#include "net/Text.h"

class ReportList : public QTreeWidget {
  Q_OBJECT

 public:
  explicit ReportList(QWidget* parent = nullptr);

  // Columns: titles and initial widths, in order.
  void SetColumns(const QStringList& titles, const QList<int>& widths);
  // Lists with check boxes show one in front of every row (column 0).
  void SetShowsCheckBoxes(bool shows);
  bool ShowsCheckBoxes() const { return checkBoxes_; }

  int RowCount() const;
  int ColumnCount() const;
  void DeleteAllRows();
  // Appends a row with empty cells and returns its index.
  int InsertRow();
  // Inserts a row at `position` (appended when negative or past the end); returns its index.
  int InsertRowAt(int position);
  void SetCell(int row, int column, const Text& text);
  // The empty text for a row or column that does not exist.
  Text Cell(int row, int column) const;
  // 1 checked, 0 unchecked, -1 when the row shows no check box (or does not exist).
  int CheckMark(int row) const;
  void SetCheckMark(int row, int mark);
  // Per-cell image index and per-row indent and item value, carried along by a sort.
  int CellImage(int row, int column) const;
  void SetCellImage(int row, int column, int image);
  int Indent(int row) const;
  void SetIndent(int row, int indent);
  qint32 ItemValue(int row) const;
  void SetItemValue(int row, qint32 value);
  // -1 when no row is selected. Setting an index at or beyond the row count changes nothing;
  // setting -1 clears the selection.
  int CurrentRow() const;
  void SetCurrentRow(int row);

 signals:
  // A left click anywhere on the list (after the click made its row current).
  void Clicked();
  void DoubleClicked();
  // A click on a column header: its logical (0-based) column index.
  void HeaderClicked(int column);

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  QTreeWidgetItem* Row(int row) const;
  bool checkBoxes_ = false;
};
