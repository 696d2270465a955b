#include "platform/ReportList.h"

#include <QHeaderView>
#include <QMouseEvent>

#include "platform/QtText.h"

namespace {
constexpr int kImageRole = Qt::UserRole + 1;
constexpr int kIndentRole = Qt::UserRole + 2;
constexpr int kValueRole = Qt::UserRole + 3;
}  // namespace

ReportList::ReportList(QWidget* parent) : QTreeWidget(parent) {
  setRootIsDecorated(false);
  setItemsExpandable(false);
  setUniformRowHeights(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSortingEnabled(false);
  setAllColumnsShowFocus(true);
  // Grid lines between cells; the selection is drawn only while the list has the focus.
  setStyleSheet(
      "QTreeView::item { border-right: 1px solid #d8d8d8; border-bottom: 1px solid #d8d8d8; }"
      "QTreeView::item:selected:active { background: palette(highlight);"
      " color: palette(highlighted-text); }"
      "QTreeView::item:selected:!active { background: transparent; color: palette(text); }");
  header()->setSectionsMovable(true);
  header()->setSectionsClickable(true);
  header()->setStretchLastSection(false);
  connect(header(), &QHeaderView::sectionClicked, this, &ReportList::HeaderClicked);
}

void ReportList::SetColumns(const QStringList& titles, const QList<int>& widths) {
  setColumnCount(titles.size());
  setHeaderLabels(titles);
  for (int c = 0; c < widths.size() && c < titles.size(); ++c) setColumnWidth(c, widths[c]);
}

void ReportList::SetShowsCheckBoxes(bool shows) {
  checkBoxes_ = shows;
}

int ReportList::RowCount() const {
  return topLevelItemCount();
}

int ReportList::ColumnCount() const {
  return columnCount();
}

void ReportList::DeleteAllRows() {
  clear();
}

int ReportList::InsertRow() {
  return InsertRowAt(-1);
}

int ReportList::InsertRowAt(int position) {
  auto* item = new QTreeWidgetItem();
  // The list's click handler toggles the mark; the box itself is not user-checkable so that a
  // click on it toggles once, not twice.
  item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
  if (checkBoxes_) item->setCheckState(0, Qt::Unchecked);
  if (position < 0 || position > RowCount()) position = RowCount();
  insertTopLevelItem(position, item);
  return position;
}

QTreeWidgetItem* ReportList::Row(int row) const {
  if (row < 0 || row >= RowCount()) return nullptr;
  return topLevelItem(row);
}

void ReportList::SetCell(int row, int column, const Text& text) {
  if (auto* item = Row(row); item && column >= 0 && column < ColumnCount())
    item->setText(column, ToQString(text));
}

Text ReportList::Cell(int row, int column) const {
  auto* item = Row(row);
  if (!item || column < 0 || column >= ColumnCount()) return Text();
  return FromQString(item->text(column));
}

int ReportList::CheckMark(int row) const {
  auto* item = Row(row);
  if (!item || !checkBoxes_) return -1;
  return item->checkState(0) == Qt::Checked ? 1 : 0;
}

void ReportList::SetCheckMark(int row, int mark) {
  if (auto* item = Row(row); item && checkBoxes_)
    item->setCheckState(0, mark == 1 ? Qt::Checked : Qt::Unchecked);
}

int ReportList::CellImage(int row, int column) const {
  auto* item = Row(row);
  if (!item) return -1;
  QVariant v = item->data(column, kImageRole);
  return v.isValid() ? v.toInt() : -1;
}

void ReportList::SetCellImage(int row, int column, int image) {
  if (auto* item = Row(row)) item->setData(column, kImageRole, image);
}

int ReportList::Indent(int row) const {
  auto* item = Row(row);
  return item ? item->data(0, kIndentRole).toInt() : 0;
}

void ReportList::SetIndent(int row, int indent) {
  if (auto* item = Row(row)) item->setData(0, kIndentRole, indent);
}

qint32 ReportList::ItemValue(int row) const {
  auto* item = Row(row);
  return item ? item->data(0, kValueRole).toInt() : 0;
}

void ReportList::SetItemValue(int row, qint32 value) {
  if (auto* item = Row(row)) item->setData(0, kValueRole, value);
}

int ReportList::CurrentRow() const {
  const auto selected = selectedItems();
  if (selected.isEmpty()) return -1;
  return indexOfTopLevelItem(selected.first());
}

void ReportList::SetCurrentRow(int row) {
  if (row >= RowCount()) return;
  if (row < 0) {
    clearSelection();
    return;
  }
  setCurrentItem(topLevelItem(row));
  topLevelItem(row)->setSelected(true);
}

void ReportList::mouseReleaseEvent(QMouseEvent* event) {
  QTreeWidget::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton) emit Clicked();
}

void ReportList::mouseDoubleClickEvent(QMouseEvent* event) {
  QTreeWidget::mouseDoubleClickEvent(event);
  if (event->button() == Qt::LeftButton) emit DoubleClicked();
}
