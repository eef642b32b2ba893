#include "sheets/sheet_operation.h"

#include <QDir>
#include <QFileInfo>
#include <stdexcept>

#include "core/errors.h"
#include "core/procedures.h"
#include "sheets/file_writing.h"
#include "sheets/sheet_reading.h"

namespace tavro {

SheetOutcome runSheetOperation(Ctx& c, const std::function<SheetOutcome()>& body) {
  c.st.Mlz = 1;
  SheetOutcome outcome = SheetOutcome::Stopped;
  try {
    outcome = body();
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
    outcome = SheetOutcome::Stopped;
  }
  c.st.Mlz = 0;
  return outcome;
}

namespace {

// A formula cell of the sheet whose value neither the file stored nor this program can compute: the
// sheet cannot be read as the user sees it, so it is refused rather than read as empty.
bool refuseFormulaWithoutValue(Ctx& c, const OpenedSheet& opened) {
  const Sheet& sh = opened.book.first();
  const std::optional<CellPos> at = sh.formulaWithoutResult();
  if (!at) return false;
  const Cell* cell = sh.find(at->row, at->col);
  Tsxx(c.ui, "文件“" + QDir::toNativeSeparators(opened.filePath) + "”中" + cellName(at->row, at->col) +
                 "单元格的公式“" + shownValue(cell->formula) +
                 "”没有保存计算结果，本系统也无法计算它。请用Excel打开这个文件并保存（保存时会算出结果），"
                 "然后重新导入。");
  return true;
}

// A legacy ".xls" newer than the ".xlsx" read instead: its changes would be passed over silently.
bool refuseNewerXls(Ctx& c, const OpenedSheet& opened, const QString& name) {
  const QFileInfo xls(opened.basePath + ".xls"), xlsx(opened.basePath + ".xlsx");
  if (!opened.filePath.endsWith(".xlsx") || !xls.isFile() || xls.lastModified() <= xlsx.lastModified())
    return false;
  Tsxx(c.ui, "文件夹“" + QDir::toNativeSeparators(c.s.Wjj) + "”中的“" + name + ".xls”比“" + name +
                 ".xlsx”新，而系统读取的是“" + name + ".xlsx”，不会读取“" + name + ".xls”中的修改。请删除“" +
                 name + ".xlsx”（或把修改做到这个文件中），然后重新导入。");
  return true;
}

// The values of every cell of from written over the same cells of to (formats of to stay).
void copyValues(const Sheet& from, Sheet& to) {
  for (const auto& [k, cell] : from.cells()) {
    if (cell.kind == CellKind::Empty) continue;
    Cell& target = to.cell(Sheet::keyRow(k), Sheet::keyCol(k));
    const CellFormat format = target.format;
    target = cell;
    target.format = format;
    if (isDateFormat(cell.format.numberFormat)) target.format.numberFormat = cell.format.numberFormat;
  }
}

// The caption of the button that imports sheet name.
QString importButton(const Ctx& c, const QString& name) {
  if (name == kTeacherSheet) return c.st.CmdJsCaption;
  if (name == kCourseSheet) return c.st.CmdKcCaption;
  if (name == kCombinedSheet) return c.st.CmdHbCaption;
  if (name == kClassSheet) return c.st.CmdBjCaption;
  return c.st.CmdXxCaption;
}

}  // namespace

bool openSheetOrStop(Ctx& c, const QString& name, OpenedSheet& opened) {
  opened = DrPksj(c.ui, c.s.Wjj, name);
  if (opened.cancelled) return false;
  removeStaleTemporaryFiles(c.s.Wjj);
  if (!opened.opened && !opened.error.isEmpty()) {
    Tsxx(c.ui, opened.error + (opened.fileAtFault
                                   ? "请检查这个文件是否完好（可以删除它让系统重新产生表格），然后重新导入。"
                                   : ""));
    return false;
  }
  if (!opened.opened) return true;
  return !refuseNewerXls(c, opened, name) && !refuseFormulaWithoutValue(c, opened);
}

bool saveTemplate(Ctx& c, const Workbook& book, const QString& name) {
  const IoStatus status = saveXlsx(book, c.s.Wjj + name + ".xlsx");
  if (status.ok()) {
    c.st.TemplatesWritten.append(name + ".xlsx");
    return true;
  }
  Tsxx(c.ui, status.error);
  return false;
}

bool saveImportEdits(Ctx& c, const OpenedSheet& opened, const std::vector<CellEdit>& edits,
                     const std::function<void(Sheet&)>& writeTemplate) {
  if (edits.empty()) return true;
  if (opened.filePath.endsWith(".xlsx")) {
    const IoStatus status = patchXlsx(opened.filePath, 0, edits);
    if (!status.ok()) Tsxx(c.ui, status.error);
    return status.ok();
  }
  Workbook book = Xjgzb();
  writeTemplate(book.first());
  copyValues(opened.book.first(), book.first());
  for (const CellEdit& e : edits) {
    if (e.isNumber)
      book.first().setNumber(e.row, e.col, e.number);
    else
      book.first().setText(e.row, e.col, e.text);
  }
  const QString xlsx = opened.basePath + ".xlsx";
  const IoStatus status = saveXlsx(book, xlsx);
  if (!status.ok()) return Tsxx(c.ui, status.error), false;
  const QString name = QFileInfo(opened.basePath).fileName();
  Tsxx(c.ui, "系统在导入时修改了“" + name + "”。因为“" + name +
                 ".xls”是旧格式的文件，不能修改，修改后的表格已保存为“" + QDir::toNativeSeparators(xlsx) +
                 "”。以后请打开、修改这个.xlsx文件，系统只读取它，不再读取“" + name + ".xls”。");
  return true;
}

void tellTemplatesWritten(Ctx& c, const QStringList& names) {
  if (names.isEmpty()) return;
  if (names == QStringList{kTeacherSheet, kCourseSheet, kCombinedSheet, kClassSheet}) {
    Tsxx(c.ui,
         "　　系统已自动产生了“教师数据表”、“课程数据表”、“合班数据表”、“班级数据表”这4张Excel表格并已保存在"
         "“" +
             c.s.Wjj +
             "”，请用户打开、填写或修改这些表格并用原文件名保存在原文件夹。然后再单击“2、导入教师数据”按钮导"
             "入这些数据表。");
    return;
  }
  const QString quoted = "“" + names.join("”、“") + "”";
  const bool one = names.size() == 1;
  // The class sheet is the last: after any other, the later sheets wait for their buttons too.
  const QString then =
      one && names.first() == kClassSheet
          ? "然后再单击“" + importButton(c, names.first()) + "”按钮导入。"
          : "然后再从“" + importButton(c, names.first()) + "”按钮起依次单击各按钮导入数据表。";
  Tsxx(c.ui, "　　系统已自动产生了" + quoted + (one ? "这张" : "这" + QString::number(names.size()) + "张") +
                 "Excel表格并已保存在“" + c.s.Wjj + "”，请用户打开、填写或修改" + (one ? "这张" : "这些") +
                 "表格并用原文件名保存在原文件夹。" + then);
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
