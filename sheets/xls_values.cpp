#include "sheets/xls_values.h"

#include <QDataStream>
#include <QIODevice>

#include "sheets/address.h"

namespace tavro {

namespace {

// Marks the start of the stream, so that other output is not taken for values.
constexpr quint32 kMagic = 0x54584c53;  // "TXLS"
constexpr quint32 kVersion = 1;

bool validCell(const XlsCell& cell) {
  const auto kind = qint32(cell.kind);
  return cell.row >= 1 && cell.row <= kMaxRows && cell.col >= 1 && cell.col <= kMaxColumns &&
         kind >= qint32(XlsValueKind::Integer) && kind <= qint32(XlsValueKind::Time);
}

}  // namespace

QByteArray encodeXlsContent(const XlsContent& content) {
  QByteArray bytes;
  QDataStream out(&bytes, QIODevice::WriteOnly);
  out.setVersion(QDataStream::Qt_6_0);
  out << kMagic << kVersion << content.why << content.sheetName << quint64(content.cells.size());
  for (const XlsCell& cell : content.cells)
    out << cell.row << cell.col << qint32(cell.kind) << cell.integer << cell.real << cell.text;
  return bytes.toBase64() + '\n';
}

std::optional<XlsContent> decodeXlsContent(const QByteArray& text) {
  const auto decoded =
      QByteArray::fromBase64Encoding(text.trimmed(), QByteArray::AbortOnBase64DecodingErrors);
  if (!decoded) return std::nullopt;
  QDataStream in(*decoded);
  in.setVersion(QDataStream::Qt_6_0);
  quint32 magic = 0, version = 0;
  quint64 count = 0;
  XlsContent content;
  in >> magic >> version >> content.why >> content.sheetName >> count;
  if (in.status() != QDataStream::Ok || magic != kMagic || version != kVersion) return std::nullopt;
  for (quint64 i = 0; i < count; ++i) {
    XlsCell cell;
    qint32 kind = 0;
    in >> cell.row >> cell.col >> kind >> cell.integer >> cell.real >> cell.text;
    cell.kind = XlsValueKind(kind);
    if (in.status() != QDataStream::Ok || !validCell(cell)) return std::nullopt;
    content.cells.push_back(std::move(cell));
  }
  if (!in.atEnd()) return std::nullopt;
  return content;
}

}  // namespace tavro
