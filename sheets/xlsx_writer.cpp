// Writing the sheet model as .xlsx with libxlsxwriter. The file is written
// under a temporary name in the target's folder and replaces the target only
// when complete, so a failed save never leaves half a file; every failure is
// reported with its cause in the user's words.
#include <xlsxwriter.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <cerrno>
#include <cmath>
#include <map>
#include <set>

#include "sheets/file_writing.h"
#include "sheets/formula.h"
#include "sheets/xlsx.h"

namespace tavro {

namespace {

constexpr int kMaxTextLength = 32767;

// Texts for the file: invalid XML control characters dropped, cut to the cell limit.
std::string cellText(const QString& text) {
  QString clean;
  clean.reserve(text.size());
  for (QChar ch : text)
    if (ch.unicode() >= 0x20 || ch == '\t' || ch == '\n' || ch == '\r') clean += ch;
  return clean.left(kMaxTextLength).toStdString();
}

// Formula text in the file's form: upper case outside string literals (function names), no "=".
std::string formulaText(const QString& formula) {
  QString f = formula.startsWith('=') ? formula.mid(1) : formula;
  bool quoted = false;
  for (QChar& ch : f) {
    if (ch == '"')
      quoted = !quoted;
    else if (!quoted)
      ch = ch.toUpper();
  }
  return f.toStdString();
}

// Shares one libxlsxwriter format among cells with equal formats.
class FormatCache {
 public:
  FormatCache(lxw_workbook* wb, const Workbook& book) : wb_(wb), book_(book) {}
  lxw_format* get(const CellFormat& f) {
    const std::string k = f.key();
    const auto it = cache_.find(k);
    if (it != cache_.end()) return it->second;
    lxw_format* fmt = workbook_add_format(wb_);
    apply(fmt, f);
    cache_.emplace(k, fmt);
    return fmt;
  }

 private:
  void apply(lxw_format* fmt, const CellFormat& f) const {
    if (f.hAlign != HAlign::General) format_set_align(fmt, uint8_t(int(f.hAlign) - 1));
    static const uint8_t vertical[] = {0, LXW_ALIGN_VERTICAL_TOP, LXW_ALIGN_VERTICAL_CENTER,
                                       LXW_ALIGN_VERTICAL_JUSTIFY, LXW_ALIGN_VERTICAL_DISTRIBUTED};
    if (f.vAlign != VAlign::Bottom) format_set_align(fmt, vertical[int(f.vAlign)]);
    if (f.wrap) format_set_text_wrap(fmt);
    if (f.shrink) format_set_shrink(fmt);
    if (f.rotation != 0) format_set_rotation(fmt, int16_t(f.rotation == 255 ? 270 : f.rotation));
    const QString font = f.fontName.isEmpty() ? book_.defaultFontName : f.fontName;
    format_set_font_name(fmt, font.toStdString().c_str());
    format_set_font_size(fmt, f.fontSize > 0 ? f.fontSize : book_.defaultFontSize);
    if (f.bold) format_set_bold(fmt);
    if (f.italic) format_set_italic(fmt);
    if (f.underline) format_set_underline(fmt, LXW_UNDERLINE_SINGLE);
    if (f.fontColour != kNoColour) format_set_font_color(fmt, lxw_color_t(f.fontColour));
    if (f.fill != kNoColour) {
      format_set_pattern(fmt, LXW_PATTERN_SOLID);
      format_set_bg_color(fmt, lxw_color_t(f.fill));
    }
    if (!f.numberFormat.isEmpty()) format_set_num_format(fmt, f.numberFormat.toStdString().c_str());
    format_set_left(fmt, uint8_t(f.line(Side::Left)));
    format_set_right(fmt, uint8_t(f.line(Side::Right)));
    format_set_top(fmt, uint8_t(f.line(Side::Top)));
    format_set_bottom(fmt, uint8_t(f.line(Side::Bottom)));
  }

  lxw_workbook* wb_;
  const Workbook& book_;
  std::map<std::string, lxw_format*> cache_;
};

// A sheet name the file accepts: no []:*?/\, at most 31 characters, unique in the workbook.
QString sheetName(const QString& wanted, int index, std::set<QString>& used) {
  QString name = wanted;
  name.remove(QRegularExpression(QStringLiteral(R"([\[\]:*?/\\])")));
  name = name.left(31).trimmed();
  if (name.startsWith('\'')) name.remove(0, 1);
  if (name.isEmpty()) name = QStringLiteral("Sheet") + QString::number(index + 1);
  QString unique = name;
  for (int n = 2; used.count(unique.toLower()); ++n) unique = name.left(27) + '(' + QString::number(n) + ')';
  used.insert(unique.toLower());
  return unique;
}

lxw_error writeCell(lxw_worksheet* ws, int row, int col, const Cell& c, lxw_format* fmt,
                    FormulaEvaluator& eval) {
  const lxw_row_t r = lxw_row_t(row - 1);
  const lxw_col_t k = lxw_col_t(col - 1);
  switch (c.kind) {
    case CellKind::Empty:
      return worksheet_write_blank(ws, r, k, fmt);
    case CellKind::Text:
      return worksheet_write_string(ws, r, k, cellText(c.text).c_str(), fmt);
    case CellKind::Number:
      return worksheet_write_number(ws, r, k, c.number, fmt);
    case CellKind::Bool:
      return worksheet_write_boolean(ws, r, k, c.number != 0, fmt);
    case CellKind::Formula:
      break;
  }
  const FormulaValue v = eval.cellValue(row, col);
  const std::string f = formulaText(c.formula);
  if (!v.error.isEmpty())
    return worksheet_write_formula_str(ws, r, k, f.c_str(), fmt, v.error.toStdString().c_str());
  if (v.kind == CellKind::Text)
    return worksheet_write_formula_str(ws, r, k, f.c_str(), fmt, cellText(v.text).c_str());
  if (v.kind == CellKind::Bool)
    return worksheet_write_formula_str(ws, r, k, f.c_str(), fmt, v.number != 0 ? "TRUE" : "FALSE");
  if (!std::isfinite(v.number)) return worksheet_write_formula_str(ws, r, k, f.c_str(), fmt, "#NUM!");
  return worksheet_write_formula_num(ws, r, k, f.c_str(), fmt, v.number);
}

void writeSizes(lxw_worksheet* ws, const Sheet& sh, FormatCache& formats) {
  for (const auto& [col, info] : sh.columnInfo()) {
    lxw_row_col_options opt{};
    opt.hidden = info.hidden;
    worksheet_set_column_opt(ws, lxw_col_t(col - 1), lxw_col_t(col - 1),
                             info.size >= 0 ? info.size : LXW_DEF_COL_WIDTH,
                             info.format ? formats.get(*info.format) : nullptr, &opt);
  }
  for (const auto& [row, info] : sh.rowInfo()) {
    lxw_row_col_options opt{};
    opt.hidden = info.hidden;
    worksheet_set_row_opt(ws, lxw_row_t(row - 1), info.size >= 0 ? info.size : LXW_DEF_ROW_HEIGHT,
                          info.format ? formats.get(*info.format) : nullptr, &opt);
  }
}

void writeView(lxw_worksheet* ws, const Sheet& sh) {
  const CellPos fz = sh.frozenAt();
  if (fz.row > 1 || fz.col > 1) worksheet_freeze_panes(ws, lxw_row_t(fz.row - 1), lxw_col_t(fz.col - 1));
  const CellRange& sel = sh.selection();
  if (sel != cellRange(1, 1) && sel.valid())
    worksheet_set_selection(ws, lxw_row_t(sel.r1 - 1), lxw_col_t(sel.c1 - 1), lxw_row_t(sel.r2 - 1),
                            lxw_col_t(sel.c2 - 1));
  const PageSetup& p = sh.pageSetup();
  worksheet_gridlines(ws, p.printGridlines ? LXW_SHOW_ALL_GRIDLINES : LXW_SHOW_SCREEN_GRIDLINES);
  if (p.centreHorizontally) worksheet_center_horizontally(ws);
  if (p.centreVertically) worksheet_center_vertically(ws);
  if (p.landscape) worksheet_set_landscape(ws);
  worksheet_set_margins(ws, p.marginLeft, p.marginRight, p.marginTop, p.marginBottom);
  if (p.fitWidth > 0 || p.fitHeight > 0)
    worksheet_fit_to_pages(ws, uint16_t(p.fitWidth), uint16_t(p.fitHeight));
  else if (p.scale != 100)
    worksheet_set_print_scale(ws, uint16_t(std::clamp(p.scale, 10, 400)));
  worksheet_set_paper(ws, uint8_t(std::clamp(p.paperSize, 0, 255)));
  if (!p.rowBreaks.empty()) {
    // A zero ends the list; a break after row r (counted from 1) is r in the writer's counting from 0.
    std::vector<lxw_row_t> breaks(p.rowBreaks.begin(), p.rowBreaks.end());
    breaks.push_back(0);
    worksheet_set_h_pagebreaks(ws, breaks.data());
  }
  if (!p.columnBreaks.empty()) {
    std::vector<lxw_col_t> breaks(p.columnBreaks.begin(), p.columnBreaks.end());
    breaks.push_back(0);
    worksheet_set_v_pagebreaks(ws, breaks.data());
  }
  if (p.repeatRowFirst > 0 && p.repeatRowLast >= p.repeatRowFirst)
    worksheet_repeat_rows(ws, lxw_row_t(p.repeatRowFirst - 1), lxw_row_t(p.repeatRowLast - 1));
  if (p.repeatColumnFirst > 0 && p.repeatColumnLast >= p.repeatColumnFirst)
    worksheet_repeat_columns(ws, lxw_col_t(p.repeatColumnFirst - 1), lxw_col_t(p.repeatColumnLast - 1));
  lxw_header_footer_options hf{};
  hf.margin = p.marginHeader;
  if (!p.header.isEmpty()) worksheet_set_header_opt(ws, cellText(p.header).c_str(), &hf);
  hf.margin = p.marginFooter;
  if (!p.footer.isEmpty()) worksheet_set_footer_opt(ws, cellText(p.footer).c_str(), &hf);
}

lxw_error writeSheet(lxw_workbook* wb, const Sheet& sh, const QString& name, FormatCache& formats) {
  lxw_worksheet* ws = workbook_add_worksheet(wb, name.toStdString().c_str());
  if (!ws) return LXW_ERROR_MEMORY_MALLOC_FAILED;
  writeSizes(ws, sh, formats);
  // Merges first: they fill their cells with blanks, which the cells written next replace.
  for (const CellRange& m : sh.merges()) {
    lxw_error e = worksheet_merge_range(ws, lxw_row_t(m.r1 - 1), lxw_col_t(m.c1 - 1), lxw_row_t(m.r2 - 1),
                                        lxw_col_t(m.c2 - 1), "", formats.get(sh.format(m.r1, m.c1)));
    if (e != LXW_NO_ERROR) return e;
  }
  FormulaEvaluator eval(sh);
  for (const auto& [k, c] : sh.cells()) {
    const lxw_error e = writeCell(ws, Sheet::keyRow(k), Sheet::keyCol(k), c, formats.get(c.format), eval);
    if (e != LXW_NO_ERROR && e != LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE) return e;
  }
  writeView(ws, sh);
  return LXW_NO_ERROR;
}

// A generous size of the file's parts before packing: the writer needs room for them (its temporary
// files) and for the packed file beside them.
qint64 roomNeeded(const Workbook& book) {
  qint64 bytes = 256 * 1024;
  for (int i = 0; i < book.sheetCount(); ++i)
    for (const auto& [k, c] : book.sheet(i).cells())
      bytes += 2 * (120 + 3 * (c.text.size() + c.formula.size()));
  return bytes;
}

// The cause of a failed libxlsxwriter call; systemError is errno after it.
QString writerErrorCause(lxw_error error, int systemError) {
  switch (error) {
    case LXW_ERROR_MEMORY_MALLOC_FAILED:
      return QStringLiteral("内存不足");
    case LXW_ERROR_CREATING_XLSX_FILE:
    case LXW_ERROR_CREATING_TMPFILE:
    case LXW_ERROR_READING_TMPFILE:
    case LXW_ERROR_ZIP_FILE_OPERATION:
    case LXW_ERROR_ZIP_FILE_ADD:
    case LXW_ERROR_ZIP_CLOSE:
    case LXW_ERROR_ZIP_BAD_ZIP_FILE:
    case LXW_ERROR_ZIP_INTERNAL_ERROR:
    case LXW_ERROR_ZIP_PARAMETER_ERROR: {
      const QString cause = systemErrorCause(systemError);
      return cause.isEmpty() ? QStringLiteral("写入文件时出错") : cause;
    }
    default:
      return QStringLiteral("表格内容超出了Excel文件的限制（代码%1）").arg(int(error));
  }
}

// Writes the workbook with libxlsxwriter into file, keeping its own temporary files in folder (on
// the same disk, whose room was checked). "" when written, else the cause.
QString writeWorkbook(const Workbook& book, const QString& file, const QString& folder) {
  const QByteArray fileName = QFile::encodeName(file), tmpdir = QFile::encodeName(folder);
  lxw_workbook_options options{LXW_FALSE, const_cast<char*>(tmpdir.constData()), LXW_FALSE};
  errno = 0;
  lxw_workbook* wb = workbook_new_opt(fileName.constData(), &options);
  if (!wb) return QStringLiteral("内存不足");
  FormatCache formats(wb, book);
  std::set<QString> used;
  lxw_error error = LXW_NO_ERROR;
  if (book.sheetCount() == 0) workbook_add_worksheet(wb, nullptr);
  for (int i = 0; i < book.sheetCount() && error == LXW_NO_ERROR; ++i)
    error = writeSheet(wb, book.sheet(i), sheetName(book.sheet(i).name(), i, used), formats);
  errno = 0;
  const lxw_error closed = workbook_close(wb);
  const int systemError = errno;
  if (error == LXW_NO_ERROR) error = closed;
  return error == LXW_NO_ERROR ? QString() : writerErrorCause(error, systemError);
}

}  // namespace

IoStatus saveXlsx(const Workbook& book, const QString& path) {
  const auto failed = [&](const QString& cause) {
    return IoStatus{QStringLiteral("无法保存“%1”：%2。").arg(QDir::toNativeSeparators(path), cause)};
  };
  const QString target = writeTargetOf(path);
  const QString folder = QFileInfo(target).absolutePath();
  if (const QString why = folderWriteProblem(folder); !why.isEmpty()) return failed(why);
  if (const QString why = fileNameProblem(target); !why.isEmpty()) return failed(why);
  removeStaleTemporaryFiles(folder);
  if (!folderHasRoomFor(folder, roomNeeded(book))) return failed(QStringLiteral("磁盘空间不足"));
  const QString tmp = temporaryPathBeside(target);
  QString why = writeWorkbook(book, tmp, folder);
  if (why.isEmpty()) why = replaceFileWith(target, tmp);
  QFile::remove(tmp);
  return why.isEmpty() ? IoStatus{} : failed(why);
}

}  // namespace tavro
