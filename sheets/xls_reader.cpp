// Reading legacy .xls files through the reader program tavro-xls-reader
// (values of the first sheet), and the reader entries that pick the file kind
// and the ".xlsx"/".xls" file of a sheet.
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include "sheets/xls_values.h"
#include "sheets/xlsx.h"

namespace tavro {

namespace {

const QString kReaderName = QStringLiteral("tavro-xls-reader");
constexpr int kReaderStartMs = 30000;
constexpr int kReaderRunMs = 120000;  // a 64 MB sheet takes a few seconds; a hang is cut off

// Stores one cell value; dates become date serials shown as "yyyy-m-d".
void storeValue(Sheet& sheet, const XlsCell& v) {
  const QString text = QString::fromUtf8(v.text);
  switch (v.kind) {
    case XlsValueKind::Integer:
      return sheet.setNumber(v.row, v.col, double(v.integer));
    case XlsValueKind::Double:
      return sheet.setNumber(v.row, v.col, v.real);
    case XlsValueKind::Text:
    case XlsValueKind::Time:
      return sheet.setText(v.row, v.col, text);
    case XlsValueKind::Date:
    case XlsValueKind::DateTime: {
      const QDate d = QDate::fromString(text.left(10), Qt::ISODate);
      if (!d.isValid()) return sheet.setText(v.row, v.col, text);
      sheet.setNumber(v.row, v.col, dateSerial(d));
      sheet.cell(v.row, v.col).format.numberFormat = QStringLiteral("yyyy-m-d");
      return;
    }
  }
}

// The reader program: beside the running program (as installed), else where this build put it,
// else on the search path; "" when there is none.
QString readerProgram() {
  QStringList folders;
  if (QCoreApplication::instance()) folders << QCoreApplication::applicationDirPath();
#ifdef TAVRO_XLS_READER_BUILD_DIR
  folders << QStringLiteral(TAVRO_XLS_READER_BUILD_DIR);
#endif
  const QString found = QStandardPaths::findExecutable(kReaderName, folders);
  return found.isEmpty() ? QStandardPaths::findExecutable(kReaderName) : found;
}

// The values of the .xls at path, read by the reader program; a reader that cannot be started,
// fails, dies or hangs gives the cause "无法解析".
XlsContent readInReaderProcess(const QString& program, const QString& path) {
  XlsContent failed;
  failed.why = QStringLiteral("无法解析");
  QProcess reader;
  reader.setProcessChannelMode(QProcess::SeparateChannels);
  reader.setStandardErrorFile(QProcess::nullDevice());
  reader.start(program, {QDir::toNativeSeparators(path)}, QIODevice::ReadOnly);
  if (!reader.waitForStarted(kReaderStartMs)) return failed;
  if (!reader.waitForFinished(kReaderRunMs)) {
    reader.kill();
    reader.waitForFinished(kReaderStartMs);
    return failed;
  }
  if (reader.exitStatus() != QProcess::NormalExit || reader.exitCode() != 0) return failed;
  const std::optional<XlsContent> content = decodeXlsContent(reader.readAllStandardOutput());
  return content ? *content : failed;
}

// The first bytes of a file: zip ("PK") or OLE compound document (.xls).
QByteArray signature(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.read(8) : QByteArray();
}

}  // namespace

ReadResult readXls(const QString& path) {
  ReadResult result;
  result.path = path;
  const QString shown = QDir::toNativeSeparators(path);
  if (const QString why = checkReadableSheetFile(path); !why.isEmpty()) return result.error = why, result;
  if (!signature(path).startsWith(QByteArray::fromHex("d0cf11e0a1b11ae1")))
    return result.error = QStringLiteral("文件“%1”不是有效的Excel文件。").arg(shown), result;
  const QString program = readerProgram();
  if (program.isEmpty())
    return result.fileAtFault = false,
           result.error = QStringLiteral(
                              "无法读取“%1”：找不到读取.xls文件的程序%2。请重新安装本系统，或在Excel中把"
                              "这个文件另存为.xlsx文件。")
                              .arg(shown, kReaderName),
           result;
  const XlsContent content = readInReaderProcess(program, path);
  if (!content.why.isEmpty())
    return result.error = QStringLiteral("文件“%1”不是有效的Excel文件：%2。").arg(shown, content.why), result;
  Workbook book;
  Sheet& sheet = book.addSheet(QString::fromUtf8(content.sheetName));
  for (const XlsCell& cell : content.cells) storeValue(sheet, cell);
  result.book = std::move(book);
  return result;
}

ReadResult readWorkbook(const QString& path) {
  if (signature(path).startsWith(QByteArray::fromHex("d0cf11e0a1b11ae1"))) return readXls(path);
  return readXlsx(path);
}

ReadResult readSheetFile(const QString& basePath) {
  const QString xlsx = basePath + QStringLiteral(".xlsx"), xls = basePath + QStringLiteral(".xls");
  if (QFileInfo(xlsx).isFile()) return readWorkbook(xlsx);
  if (QFileInfo(xls).isFile()) return readWorkbook(xls);
  ReadResult none;
  none.error = QStringLiteral("文件“%1”不存在。").arg(QDir::toNativeSeparators(xlsx));
  return none;
}

bool sheetFileExists(const QString& basePath) {
  return QFileInfo(basePath + QStringLiteral(".xlsx")).isFile() ||
         QFileInfo(basePath + QStringLiteral(".xls")).isFile();
}

}  // namespace tavro
