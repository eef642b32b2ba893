#include "sheets/teacher_sheet.h"

#include <algorithm>

#include "core/procedures.h"
#include "core/teacherlist.h"
#include "core/texts.h"
#include "sheets/range.h"
#include "sheets/sheet_operation.h"
#include "sheets/sheet_reading.h"
#include "sheets/sheetops.h"

namespace tavro {

namespace {

constexpr int kFirstTeacherRow = 7;  // teacher i is on row i + 6
constexpr int kBlockRows = 10;       // border blocks of 10 teacher rows

int lastTeacherColumn(const School& s) {
  return s.Mtjs * s.Mzts + 3;
}

// ---------------------------------------------------------------- template

void writeTeacherHeadings(Sheet& sh, const School& s) {
  const int last = lastTeacherColumn(s);
  putMerged(sh, 1, 1, 1, last, "教师数据表");
  sh.setText(2, 1, "说明：不能改动格式。淡黄色区域用户可以编辑。教师数最大998。");
  putMerged(sh, "A3:A4", "教师序号");
  putMerged(sh, "A5:A6", "不能改动");
  putMerged(sh, "B3:B4", "教 师姓 名");
  putMerged(sh, "B5:B6", "2～6字");
  putMerged(sh, "C3:C4", "教师简称");
  putMerged(sh, "C5:C6", "2字(暂不填)");
  putMerged(sh, 3, 4, 3, last, "全周禁排的节次(教师要求不排:n；会议:h；不禁排:不填)").hAlign(HAlign::Centre);
  for (int d = 1; d <= s.Mzts; ++d) {
    const int first = teacherPeriodColumn(s, d, 1);
    putMerged(sh, 4, first, 4, first + s.Mtjs - 1, "星期" + Xqm(d)).hAlign(HAlign::Centre);
    if (s.Swjs > 0) putMerged(sh, 5, first, 5, first + s.Swjs - 1, "上午").hAlign(HAlign::Centre);
    if (s.Xwjs > 0) putMerged(sh, 5, first + s.Swjs, 5, first + s.Mtjs - 1, "下午").hAlign(HAlign::Centre);
    for (int p = 1; p <= s.Mtjs; ++p) sh.setNumber(6, first + p - 1, p);
  }
  for (int i = 1; i <= s.Jsrs; ++i) sh.setText(i + 6, 1, Lbq(3, i));
}

// Lines of the first block of teacher rows and of the first weekday, copied to every further
// complete block of teacher rows and to the other weekdays.
void drawTeacherBorders(Sheet& sh, const School& s) {
  const int lastRow = s.Jsrs + 6;
  const int weekEnd = teacherPeriodColumn(s, 1, s.Mtjs);
  sh.range(3, 1, 6, lastTeacherColumn(s)).grid(Line::Thin);
  sh.range(3, 1, 6, lastTeacherColumn(s)).border(Edge::OutlineBottom, Line::Medium);
  const int blockEnd = std::min(kFirstTeacherRow + kBlockRows - 1, lastRow);
  if (blockEnd >= kFirstTeacherRow) {
    sh.range(kFirstTeacherRow, 1, blockEnd, weekEnd).grid(Line::Thin);
    sh.range(kFirstTeacherRow, 1, blockEnd, weekEnd).border(Edge::OutlineBottom, Line::Medium);
    sh.range(kFirstTeacherRow, 3, blockEnd, 3).border(Edge::OutlineRight, Line::Medium);
    // Only complete blocks of 10 rows get the lines; the rows of a last, incomplete block stay as
    // they are.
    for (int top = kFirstTeacherRow + kBlockRows; top + kBlockRows - 1 <= lastRow; top += kBlockRows)
      sh.paste(CellRange{kFirstTeacherRow, 1, blockEnd, weekEnd},
               CellRange{top, 1, top + kBlockRows - 1, weekEnd}, Paste::Formats);
  }
  sh.range(3, weekEnd, std::max(lastRow, 6), weekEnd).border(Edge::OutlineRight, Line::Medium);
  const int copyEnd = std::max(lastRow, 106);
  for (int d = 2; d <= s.Mzts; ++d) {
    const int first = teacherPeriodColumn(s, d, 1);
    sh.paste(CellRange{4, 4, copyEnd, weekEnd}, CellRange{4, first, copyEnd, first + s.Mtjs - 1},
             Paste::Formats);
  }
}

void formatTeacherTemplate(Sheet& sh, const School& s) {
  const int last = lastTeacherColumn(s);
  const int lastRow = s.Jsrs + 6;
  sh.range("A1").fontSize(16).bold();
  sh.range(1, 1, 1, last).hAlign(HAlign::Centre);
  sh.range(2, 1, 2, last).fillIndex(2);
  if (lastRow >= kFirstTeacherRow) sh.range(kFirstTeacherRow, 2, lastRow, last).fillIndex(36);
  sh.range("A5:C6").fontSize(10);
  sh.range(3, 1, 6, last).wrap().hAlign(HAlign::Centre).vAlign(VAlign::Centre);
  sh.range("A:A").columnWidth(4.25);
  sh.range("B:B").columnWidth(6.25);
  sh.range("C:C").columnWidth(5.25);
  sh.range(1, 4, 1, last).columnWidth(1.88);
  if (lastRow >= kFirstTeacherRow) {
    sh.range(kFirstTeacherRow, 1, lastRow, last).hAlign(HAlign::Centre);
    sh.autoFitRows(kFirstTeacherRow, lastRow);
  }
  sh.range("5:6").rowHeight(18.75);
  drawTeacherBorders(sh, s);
  sh.freezePanes(7, 4);
  fitToPageWidth(sh, true);
}

// ---------------------------------------------------------------- import steps

bool refuse(Ctx& c, const QString& text) {
  Cwxx(c.ui, text);
  return false;
}

// Step 3: names of 2 to 6 characters; a 2-character name is stored with "　" between its characters.
bool readTeacherNames(Ctx& c, const Sheet& sh) {
  School& s = c.s;
  s.Jsmcd = 0;
  for (int i = 1; i <= s.Jss; ++i) {
    const QString name = sh.text(i + 6, 2);
    s.Jsmcd = std::max(s.Jsmcd, static_cast<int>(name.size()));
    if (name.size() < 2 || name.size() > 6)
      return refuse(c, "序号为" + Szc(i) + "的教师名称“" + shownValue(name) +
                           "”的字数不合要求！需要在Excel表中修改成2～6字，然后保存，重新导入。");
    s.Jsmc(i) = name.size() == 2 ? name.left(1) + "　" + name.right(1) : name;
    c.ui.progress(i * 10 / s.Jss);
  }
  return true;
}

bool checkShortName(Ctx& c, int i) {
  const QString& jc = c.s.Jsjc(i);
  if (jc.size() == 2) return true;
  return refuse(c, "序号为" + Szc(i) + "的教师简称“" + shownValue(jc) +
                       "”的字数不合要求！需要在Excel表中修改成2字，然后保存，重新导入。");
}

// Step 4: short names, generated (and written back) when column C is empty, else read.
bool readShortNames(Ctx& c, const Sheet& sh, std::vector<CellEdit>& edits) {
  School& s = c.s;
  c.ui.progress(20);
  const bool generate = sh.text(7, 3).isEmpty();
  const std::vector<QString> generated = generate ? generateShortNames(s) : std::vector<QString>();
  for (int i = 1; i <= s.Jss; ++i) {
    s.Jsjc(i) = generate ? generated.at(i) : sh.text(i + 6, 3);
    if (generate) edits.push_back(CellEdit::textAt(i + 6, 3, s.Jsjc(i)));
    if (!checkShortName(c, i)) return false;
  }
  // The heading above the short names loses its "(暂不填)" once they are filled in.
  if (generate) edits.push_back(CellEdit::textAt(5, 3, "2字"));
  return true;
}

// Step 6: names and short names must differ between teachers.
bool checkTeacherDuplicates(Ctx& c) {
  const School& s = c.s;
  for (int i = 1; i <= s.Jss; ++i)
    for (int j = i + 1; j <= s.Jss; ++j) {
      QString what, same;
      if (s.Jsmc(i) == s.Jsmc(j)) {
        what = "号教师的名称相同，都是“";
        same = s.Jsmc(i);
      } else if (s.Jsjc(i) == s.Jsjc(j)) {
        what = "号教师的简称相同，都是“";
        same = s.Jsjc(i);
      } else {
        continue;
      }
      return refuse(c, Szc(i) + "号教师" + "和" + Szc(j) + what + same +
                           "”，需要在Excel表中修改，然后保存，重新导入。");
    }
  return true;
}

struct BlockRecord {
  QString times, reason, who;
};

// Step 7: one blocked-period record per teacher with "n" or "h" cells; the records are added only
// when the whole step succeeds, so a stopped import adds none.
bool readBlockedPeriods(Ctx& c, const Sheet& sh) {
  School& s = c.s;
  c.ui.progress(40);
  std::vector<BlockRecord> records;
  int lastTeacher = 0;
  for (int t = 1; t <= s.Jss; ++t) {
    for (int d = 1; d <= s.Mzts; ++d)
      for (int p = 1; p <= s.Mtjs; ++p) {
        const QString code = sh.text(t + 6, teacherPeriodColumn(s, d, p));
        if (code.isEmpty()) continue;
        const bool asked = code == "n" || code == "N";
        if (!asked && code != "h" && code != "H")
          return refuse(c, s.Jsmc(t) + "星期" + Xqm(d) + "第" + Szc(p) + "节的代码" + shownValue(code) +
                               "错误！只能填“n”（表示“教师要求不排”）或“h”（表示“会议”）！请在Excel表格中修改"
                               "，再保存，重新导入。");
        if (t != lastTeacher) {
          records.push_back({QString(), asked ? "教师要求" : "会议", Lbq(3, t)});
          lastTeacher = t;
        }
        records.back().times += Lbq(2, d) + Lbq(2, p);
      }
    c.ui.progress(40 + t * 60 / s.Jss);
  }
  const int first = s.Hyjys + 1;
  s.sizeBlockRecords(s.Hyjys + static_cast<int>(records.size()));
  for (int w = 0; w < static_cast<int>(records.size()); ++w) {
    s.Hyjy(1, first + w) = records[w].times;
    s.Hyjy(2, first + w) = records[w].reason;
    s.Hyjy(3, first + w) = "n";
    s.Hyjy(4, first + w) = records[w].who;
  }
  return true;
}

// The template goes into the opened sheet (if any), keeping what it does not overwrite.
SheetOutcome generateTeacherSheet(Ctx& c, OpenedSheet& opened) {
  c.ui.status("正在产生教师数据表……");
  Workbook book = opened.opened ? std::move(opened.book) : Xjgzb();
  Sheet& sh = book.first();
  writeTeacherTemplate(sh, c.s);
  Dcbgjw(sh, c.ui, c.st);
  c.st.CmdJsCaption = "2、导入教师";
  return saveTemplate(c, book, kTeacherSheet) ? SheetOutcome::TemplateWritten : SheetOutcome::Stopped;
}

}  // namespace

int teacherPeriodColumn(const School& s, int weekday, int period) {
  return s.Mtjs * (weekday - 1) + 3 + period;
}

std::vector<QString> generateShortNames(const School& s) {
  std::vector<QString> jc(static_cast<std::size_t>(s.Jss) + 1);
  for (int i = 1; i <= s.Jss; ++i) {
    const QString& n = s.Jsmc(i);
    jc[i] = n.size() >= 2 && n[1] == u'　' ? n.left(1) + n.right(1) : n.right(2);
  }
  for (int j = 2; j <= s.Jsmcd; ++j)
    for (int k = 1; k <= s.Jss - 1; ++k)
      for (int l = 1; l <= s.Jss; ++l) {
        if (l == k || jc[k] != jc[l]) continue;
        const QString before = s.Jsmc(l).mid(j - 2, 2), at = s.Jsmc(l).mid(j - 1, 2);
        if (before != "　" && at != "　") jc[l] = before;
      }
  return jc;
}

void writeTeacherTemplate(Sheet& sh, const School& s) {
  writeTeacherHeadings(sh, s);
  formatTeacherTemplate(sh, s);
}

bool importTeacherSheet(Ctx& c, const Sheet& sh, std::vector<CellEdit>& edits) {
  School& s = c.s;
  if (s.Jsydr == 1) {
    Tsxx(c.ui, "教师数据已导入！");
    return false;
  }
  c.st.CmdJsCaption = "2、导入教师";
  c.ui.status("正在导入教师数据……");
  if (!readTeacherNames(c, sh) || !readShortNames(c, sh, edits)) return false;
  c.ui.progress(30);
  Fcts(c.ui, c.st);
  if (!checkTeacherDuplicates(c) || !readBlockedPeriods(c, sh)) return false;
  fillTeacherList(s, c.st.LstJs);
  s.Jsydr = 1;
  c.ui.progress(100);
  c.st.Drcg[1] = true;
  c.st.CmdKcEnabled = true;
  return true;
}

SheetOutcome teacherSheetOperation(Ctx& c) {
  return runSheetOperation(c, [&] {
    OpenedSheet opened;
    if (!openSheetOrStop(c, kTeacherSheet, opened)) return SheetOutcome::Stopped;
    if (!opened.opened || !cellFilled(opened.book.first(), 7, 2)) return generateTeacherSheet(c, opened);
    std::vector<CellEdit> edits;
    if (!importTeacherSheet(c, opened.book.first(), edits)) return SheetOutcome::Stopped;
    const auto layout = [&](Sheet& sh) { writeTeacherTemplate(sh, c.s); };
    saveImportEdits(c, opened, edits, layout);
    return SheetOutcome::Imported;
  });
}

SheetOutcome CmdJs_Click(Ctx& c) {
  const SheetOutcome outcome = teacherSheetOperation(c);
  if (outcome == SheetOutcome::TemplateWritten) tellTemplatesWritten(c, {kTeacherSheet});
  return outcome;
}

}  // namespace tavro
