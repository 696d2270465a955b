#include "blog/ListSort.h"

#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

#include <QTreeWidgetItem>

#include "net/Conversions.h"
#include "platform/ReportList.h"

namespace {

// The zeros put before a key value; the cut keeps what fits.
const Text kZeros(88, '0');

Text ZeroFilled(const Text& value, int width) {
  return RightText(kZeros + value, width);
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// A decimal number as read from a cell: sign, integer digits and fraction digits.
struct Decimal {
  bool negative = false;
  Text whole;     // without leading zeros, "0" at least
  Text fraction;  // as written
};

Decimal ReadDecimal(const Text& cell) {
  const Text t = HalfWidthForms(cell);
  size_t i = 0;
  while (i < t.size() && IsBlank(t[i])) ++i;
  Decimal d;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) d.negative = t[i++] == '-';
  while (i < t.size() && IsDigit(t[i])) d.whole.push_back(t[i++]);
  if (i < t.size() && t[i] == '.') {
    ++i;
    while (i < t.size() && IsDigit(t[i])) d.fraction.push_back(t[i++]);
  }
  if (d.whole.empty() && d.fraction.empty()) return Decimal{false, "0", ""};
  const size_t first = d.whole.find_first_not_of('0');
  d.whole = first == Text::npos ? Text("0") : d.whole.substr(first);
  return d;
}

// Whether the magnitude is above 0.0000001.
bool AboveOneTenMillionth(const Decimal& d) {
  if (d.whole != "0") return true;
  Text f = d.fraction;
  if (f.size() < 7) f.append(7 - f.size(), '0');
  const int c = f.compare(0, 7, "0000001");
  if (c != 0) return c > 0;
  return f.find_first_not_of('0', 7) != Text::npos;
}

// The digits of a date field, between minDigits and maxDigits of them.
bool ReadField(const Text& t, size_t& i, size_t minDigits, size_t maxDigits, int& value) {
  size_t n = 0;
  value = 0;
  while (i < t.size() && IsDigit(t[i]) && n < maxDigits) {
    value = value * 10 + (t[i++] - '0');
    ++n;
  }
  return n >= minDigits && !(i < t.size() && IsDigit(t[i]));
}

int DaysInMonth(int year, int month) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

bool KeyLess(const Text& a, const Text& b) {
  // Byte by byte, each byte unsigned, a prefix before the longer text.
  return std::lexicographical_compare(
      a.begin(), a.end(), b.begin(), b.end(),
      [](char x, char y) { return static_cast<unsigned char>(x) < static_cast<unsigned char>(y); });
}

}  // namespace

Text NumberSortKey(const Text& cell) {
  const Decimal d = ReadDecimal(cell);
  // Exactly 30 decimals, the 31st deciding the rounding (half up, on the magnitude).
  Text fraction = d.fraction;
  const bool roundUp = fraction.size() > 30 && fraction[30] >= '5';
  fraction.resize(30, '0');
  Text digits = d.whole + fraction;
  if (roundUp) {
    size_t k = digits.size();
    while (k > 0 && digits[k - 1] == '9') digits[--k] = '0';
    if (k == 0)
      digits.insert(digits.begin(), '1');
    else
      ++digits[k - 1];
  }
  Text whole = digits.substr(0, digits.size() - 30);
  fraction = digits.substr(digits.size() - 30);
  const bool zero = digits.find_first_not_of('0') == Text::npos;
  const Text written = (d.negative && !zero ? "-" : "") + whole + "." + fraction;
  Text key = ZeroFilled(written, 61);
  if (d.negative && AboveOneTenMillionth(d)) key.insert(key.begin(), '-');
  return key;
}

Text DateSortKey(const Text& cell) {
  const Text unreadable(14, '0');
  const Text t = HalfWidthForms(cell);
  size_t i = 0;
  while (i < t.size() && IsBlank(t[i])) ++i;
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  if (!ReadField(t, i, 1, 4, year) || i >= t.size() || (t[i] != '-' && t[i] != '/'))
    return unreadable;
  const char separator = t[i++];
  if (!ReadField(t, i, 1, 2, month) || i >= t.size() || t[i++] != separator) return unreadable;
  if (!ReadField(t, i, 1, 2, day)) return unreadable;
  size_t j = i;
  while (j < t.size() && IsBlank(t[j])) ++j;
  if (j > i && j < t.size()) {
    i = j;
    if (!ReadField(t, i, 1, 2, hour) || i >= t.size() || t[i++] != ':') return unreadable;
    if (!ReadField(t, i, 1, 2, minute)) return unreadable;
    if (i < t.size() && t[i] == ':') {
      ++i;
      if (!ReadField(t, i, 1, 2, second)) return unreadable;
    }
  }
  while (i < t.size() && IsBlank(t[i])) ++i;
  if (i != t.size()) return unreadable;
  if (year < 1 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month) ||
      hour > 23 || minute > 59 || second > 59)
    return unreadable;
  auto two = [](int v) { return RightText("0" + NumberToText(v), 2); };
  return RightText("000" + NumberToText(year), 4) + two(month) + two(day) + two(hour) +
         two(minute) + two(second);
}

Text ValueSortKey(qint32 itemValue) {
  const long long v = itemValue;
  const Text key = ZeroFilled(NumberToText(v < 0 ? -v : v), 31);
  return v < 0 ? "-" + key : key;
}

Text ImageSortKey(int image) {
  const Text key = ZeroFilled(NumberToText(image), 31);
  return image < 0 ? "-" + key : key;
}

std::optional<Text> SortKey(int keyType, const Text& cell, qint32 itemValue, int image) {
  switch (keyType) {
    case 0: return cell;
    case 1: return NumberSortKey(cell);
    case 2: return DateSortKey(cell);
    case 3: return ValueSortKey(itemValue);
    case 4: return ImageSortKey(image);
    default: return std::nullopt;
  }
}

bool SortListByColumn(ReportList* list, int column, int order, int keyType) {
  if (!list) return false;
  const int rows = list->RowCount();
  const int columns = list->ColumnCount();
  if (rows < 1 || column < 0 || column >= columns || list->isSortingEnabled()) return false;
  if (keyType < 0 || keyType > 4) return false;

  // The mirror: row indices in ascending key order, a new key going behind its equals, so rows
  // with equal keys stay together in the order they were met.
  std::vector<std::pair<Text, int>> mirror;
  mirror.reserve(static_cast<size_t>(rows));
  for (int r = 0; r < rows; ++r) {
    Text key = *SortKey(keyType, list->Cell(r, column), list->ItemValue(r), list->CellImage(r, column));
    auto at = std::upper_bound(mirror.begin(), mirror.end(), key,
                               [](const Text& k, const auto& entry) { return KeyLess(k, entry.first); });
    mirror.insert(at, {std::move(key), r});
  }

  // The rows themselves move, so everything they carry goes with them.
  const QList<QTreeWidgetItem*> taken = list->invisibleRootItem()->takeChildren();
  QList<QTreeWidgetItem*> ordered;
  ordered.reserve(rows);
  for (const auto& entry : mirror) ordered.push_back(taken[entry.second]);
  if (order != 1) std::reverse(ordered.begin(), ordered.end());
  list->addTopLevelItems(ordered);

  list->clearSelection();
  list->setCurrentItem(nullptr);
  return true;
}

int CopyListRow(ReportList* source, ReportList* destination, int row, int position, int columns) {
  if (!source || !destination || row < 0 || row >= source->RowCount()) return -1;
  const int at = destination->InsertRowAt(position < 0 ? -1 : position);
  QTreeWidgetItem* from = source->topLevelItem(row);
  QTreeWidgetItem* to = destination->topLevelItem(at);
  // Texts go across as the list holds them, without a trip through GBK.
  to->setText(0, from->text(0));
  destination->SetCellImage(at, 0, source->CellImage(row, 0));
  destination->SetCheckMark(at, source->CheckMark(row));
  destination->SetIndent(at, source->Indent(row));
  destination->SetItemValue(at, source->ItemValue(row));
  for (int c = 1; c < columns; ++c) {
    destination->SetCellImage(at, c, source->CellImage(row, c));
    if (c < destination->ColumnCount()) to->setText(c, from->text(c));
  }
  return at;
}
