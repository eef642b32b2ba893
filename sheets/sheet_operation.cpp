#include "sheets/sheet_operation.h"

#include <stdexcept>

#include "core/errors.h"
#include "core/procedures.h"

namespace tavro {

void runSheetOperation(Ctx& c, const std::function<void()>& body) {
  c.st.Mlz = 1;
  try {
    body();
  } catch (const ProgramEnd&) {
    c.st.Mlz = 0;
    throw;
  } catch (const OperationStopped&) {
    c.st.Mlz = 0;
    throw;
  } catch (const std::exception& e) {
    // The operation's error handler: an information box with the error text (shown even after the
    // sheet's finishing beeps, so that no failure passes silently).
    Tsxx(c.ui, QString::fromStdString(e.what()));
  }
  c.st.Mlz = 0;
}

bool openSheetOrStop(Ctx& c, const QString& name, OpenedSheet& opened) {
  opened = DrPksj(c.ui, c.s.Wjj, name);
  if (opened.cancelled) return false;
  if (!opened.opened && !opened.error.isEmpty()) {
    const QString file = opened.filePath.isEmpty() ? opened.basePath + ".xlsx" : opened.filePath;
    Tsxx(c.ui, "无法读取“" + file + "”：" + opened.error +
                   "。请检查这个文件是否完好（可以删除它让系统重新产生表格），然后重新导入。");
    return false;
  }
  return true;
}

bool saveTemplate(Ctx& c, const Workbook& book, const QString& name) {
  const QString path = c.s.Wjj + name + ".xlsx";
  const IoStatus status = saveXlsx(book, path);
  if (status.ok()) return true;
  Tsxx(c.ui, "无法保存“" + path + "”：" + status.error);
  return false;
}

bool saveImportEdits(Ctx& c, const QString& basePath, const std::vector<CellEdit>& edits) {
  if (edits.empty()) return true;
  const IoStatus status = patchSheetFile(basePath, 0, edits);
  if (status.ok()) return true;
  Tsxx(c.ui, "无法保存“" + basePath + ".xlsx”：" + status.error);
  return false;
}

SheetRange putMerged(Sheet& sh, int r1, int c1, int r2, int c2, const QString& text) {
  SheetRange range = sh.range(r1, c1, r2, c2);
  range.merge();
  sh.setText(r1, c1, text);
  return range;
}

SheetRange putMerged(Sheet& sh, const QString& range, const QString& text) {
  const CellRange area = sh.range(range).area();
  return putMerged(sh, area.r1, area.c1, area.r2, area.c2, text);
}

void fitToPageWidth(Sheet& sh, bool landscape) {
  sh.pageSetup().fitWidth = 1;
  sh.pageSetup().fitHeight = 0;
  sh.pageSetup().landscape = landscape;
}

}  // namespace tavro
