#pragma once
// Sorting a report list by one column. A key per row is kept in a sorted mirror (ascending, byte
// by byte on the GBK bytes, a key equal to earlier ones placed after them); the list is then
// refilled in the mirror's order or in its exact reverse. Whole rows move: every cell's text and
// image, the check mark, the indent and the item value. No row is current afterwards.
// User-interface thread only.

#include <optional>

#include <QtGlobal>

#include "net/Text.h"

class ReportList;

// Key types: 0 the cell text, 1 the cell read as a number, 2 the cell read as a date and time,
// 3 the row's item value, 4 the cell's image index.
// Order 1 sorts ascending, any other order descending. Returns false and leaves the list as it
// was when it has no rows, the column is not one of its columns, the list sorts itself or the
// key type is not 0 to 4.
bool SortListByColumn(ReportList* list, int column, int order = 1, int keyType = 0);

// Inserts row `row` of source into destination at `position` (appended when negative or past the
// end): column 0's text and image, the check mark, indent and item value, then the image and
// text of columns 1 to columns - 1. Returns the new row's index, -1 when source has no such row.
int CopyListRow(ReportList* source, ReportList* destination, int row, int position, int columns);

// The sort keys. Type 0 is the cell text itself.
// Type 1: the number with exactly 30 decimals (rounded half up), zero-filled on the left to 61
// characters; below -0.0000001 a "-" goes in front. Not a number: read as 0.
Text NumberSortKey(const Text& cell);
// Type 2: "YYYYMMDDHHMMSS" of "YYYY-MM-DD HH:MM[:SS]" or "YYYY/MM/DD HH:MM[:SS]" (the time may be
// left out); blanks around it are allowed. Anything else: "00000000000000".
Text DateSortKey(const Text& cell);
// Type 3: the absolute item value zero-filled to 31 characters, "-" in front when negative.
Text ValueSortKey(qint32 itemValue);
// Type 4: the image index (its own sign kept) zero-filled to 31 characters, "-" in front when
// negative.
Text ImageSortKey(int image);
// The key of one row for a key type; nothing for a key type outside 0 to 4.
std::optional<Text> SortKey(int keyType, const Text& cell, qint32 itemValue, int image);
