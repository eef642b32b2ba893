#pragma once
// The values of a legacy .xls sheet as the reader program tavro-xls-reader
// hands them over on its standard output: the first sheet's name and its
// non-empty cells, or why the file could not be read. The library itself
// never runs the .xls library: a fault in it ends only the reader program.

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace tavro {

// What one cell holds, as the .xls file stores it.
enum class XlsValueKind : qint32 { Integer = 1, Double = 2, Text = 3, Date = 4, DateTime = 5, Time = 6 };

// One non-empty cell; row and col count from 1. Integer uses integer, Double uses real, the other
// kinds their text (dates as "yyyy-mm-dd", UTF-8).
struct XlsCell {
  qint32 row = 0, col = 0;
  XlsValueKind kind = XlsValueKind::Text;
  qint64 integer = 0;
  double real = 0;
  QByteArray text;
};

// The first sheet of an .xls, or why (a short Chinese cause) it could not be read.
struct XlsContent {
  QString why;  // "" when read
  QByteArray sheetName;
  std::vector<XlsCell> cells;
};

// The content as one line of ASCII text (base64 of a binary stream), so that no text-mode
// translation of the standard output can change it.
QByteArray encodeXlsContent(const XlsContent& content);

// The content of such a text; nullopt when the text is cut short or malformed, or a cell lies
// outside the sheet (rows 1..kMaxRows, columns 1..kMaxColumns).
std::optional<XlsContent> decodeXlsContent(const QByteArray& text);

}  // namespace tavro
