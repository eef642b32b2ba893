#include <QFileInfo>

#include "sheets/xlsx.h"

namespace tavro {

ReadResult readXlsx(const QString& path) {
  return {std::nullopt, QStringLiteral("not yet available"), path};
}
ReadResult readXls(const QString& path) {
  return {std::nullopt, QStringLiteral("not yet available"), path};
}
ReadResult readWorkbook(const QString& path) {
  return readXlsx(path);
}
ReadResult readSheetFile(const QString& basePath) {
  return readWorkbook(basePath + ".xlsx");
}
bool sheetFileExists(const QString& basePath) {
  return QFileInfo::exists(basePath + ".xlsx") || QFileInfo::exists(basePath + ".xls");
}
IoStatus patchXlsx(const QString&, int, const std::vector<CellEdit>&) {
  return {QStringLiteral("not yet available")};
}
IoStatus patchSheetFile(const QString&, int, const std::vector<CellEdit>&) {
  return {QStringLiteral("not yet available")};
}

}  // namespace tavro
