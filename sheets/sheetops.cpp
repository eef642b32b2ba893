#include "sheets/sheetops.h"

#include <QFileInfo>

namespace tavro {

Workbook Xjgzb() {
  Workbook book;
  book.addSheet(QStringLiteral("Sheet1"));
  return book;
}

void Hbkx(Sheet& sh, int row, int c1, int c2, int side, int style) {
  if (side < 1 || side > 4) return;
  sh.range(row, c1, row, c2).border(side, style);
}

void Hbkx2(Sheet& sh, int r1, int r2, int col, int style) {
  sh.range(r1, col, r2, col).border(static_cast<int>(Side::Right), style);
}

void Hwg(Sheet& sh, int r1, int r2, int lastCol, int style) {
  sh.range(r1, 1, r2, lastCol).border(static_cast<int>(Side::Bottom), style);
}

void Fcts(Ui& ui, RunState& st) {
  for (int i = 0; i < 3; ++i) ui.beep();
  st.Mlz = 0;
}

void Dcbgjw(Sheet& sh, Ui& ui, RunState& st) {
  sh.range(QStringLiteral("1:1")).hAlign(HAlign::Centre);
  sh.select(cellRange(1, 1));
  sh.pageSetup().centreHorizontally = true;
  sh.pageSetup().centreVertically = true;
  Fcts(ui, st);
}

void Zdlk(Sheet& sh) {
  const int last = sh.lastColumn();
  if (last > 0) sh.autoFitColumns(1, last);
}

std::optional<QString> sheetPath(Ui& ui, QString& Wjj, const QString& name) {
  if (Wjj.isEmpty()) {
    const auto chosen = ui.chooseFile(QStringLiteral("打开"), kSheetFileFilter);
    if (!chosen || chosen->isEmpty()) return std::nullopt;
    QString folder = QFileInfo(*chosen).absolutePath();
    if (!folder.endsWith('/')) folder += '/';
    Wjj = folder;
  }
  return Wjj + name;
}

OpenedSheet DrPksj(Ui& ui, QString& Wjj, const QString& name) {
  OpenedSheet result;
  const auto base = sheetPath(ui, Wjj, name);
  if (!base) {
    result.cancelled = true;
    result.book = Xjgzb();
    return result;
  }
  result.basePath = *base;
  ReadResult read = readSheetFile(*base);
  if (read.ok() && read.book->sheetCount() > 0) {
    result.book = std::move(*read.book);
    result.opened = true;
    result.filePath = read.path;
    return result;
  }
  result.book = Xjgzb();
  result.filePath = read.path;
  if (!read.path.isEmpty()) result.error = read.error;
  result.fileAtFault = read.fileAtFault;
  return result;
}

}  // namespace tavro
