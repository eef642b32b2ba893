#include "sheets/combined_sheet.h"

#include <QRegularExpression>

#include "core/procedures.h"
#include "core/vbtext.h"
#include "sheets/range.h"
#include "sheets/sheet_operation.h"
#include "sheets/sheet_reading.h"
#include "sheets/sheetops.h"

namespace tavro {

namespace {

constexpr int kFirstLessonRow = 9;  // lesson n is on row n + 8
constexpr int kTemplateLessons = 50;
constexpr int kColClasses = 2, kColCourse = 4, kColCourseName = 5, kColTeachers = 6, kColTimes = 8;

// ---------------------------------------------------------------- template

void writeCombinedHeadings(Sheet& sh) {
  sh.range("B:C").numberFormat("@");
  sh.range("E:H").numberFormat("@");
  putMerged(sh, "A1:H1", "合班数据表");
  sh.setText(2, 1,
             "说明：不能改动格式。淡黄色区域用户可以编辑。合班课数最大999。如果无合班课，一定要在B9单元格输入"
             "“无”，然后保存！");
  const QStringList row3 = {"合班课序号",   "班级代码集合或年级名或全校",
                            "班级名称集合", "课程序号",
                            "课程名称",     "教师代码集合",
                            "教师姓名集合", "星期节次集合"};
  const QStringList row4 = {"不能改动",
                            "每4位1个班，前2位级代码，后2位班代码",
                            "可以不填",
                            "填1个课程",
                            "如果不是“班会”可以不填",
                            "每3位1人，无教师不填",
                            "可以不填",
                            "每4位1节课，前2位星期，后2位节次"};
  for (int col = 1; col <= 8; ++col) {
    sh.setText(3, col, row3.at(col - 1));
    sh.setText(4, col, row4.at(col - 1));
  }
}

void writeCombinedExamples(Sheet& sh) {
  struct Example {
    const char *classes, *course, *name, *teachers, *times;
  };
  const Example examples[] = {{"0701070208010802", "2", "数学", "004012", "01050106"},
                              {"全校", "0", "空课", "", "0605060606070608"},
                              {"全校", "21", "班会", "班主任", "0108"},
                              {"高一高二", "32", "体活", "", "0208"}};
  for (int i = 0; i < 4; ++i) {
    const int r = 5 + i;
    const Example& e = examples[i];
    sh.setText(r, 1, "示例" + QString::number(i + 1));
    sh.setText(r, kColClasses, QString::fromUtf8(e.classes));
    sh.setValue(r, kColCourse, QString::fromUtf8(e.course));
    sh.setText(r, kColCourseName, QString::fromUtf8(e.name));
    sh.setText(r, kColTeachers, QString::fromUtf8(e.teachers));
    sh.setText(r, kColTimes, QString::fromUtf8(e.times));
  }
  for (int n = 1; n <= kTemplateLessons; ++n) sh.setNumber(n + 8, 1, n);
}

void formatCombinedTemplate(Sheet& sh) {
  const int lastRow = kTemplateLessons + 8;
  sh.range("A1").fontSize(16).bold();
  sh.range("A2:H2").fillIndex(2);
  sh.range(kFirstLessonRow, 2, lastRow, 8).fillIndex(36);
  sh.range("A2").fontSize(9);
  sh.range("A4:H4").fontSize(9);
  sh.range("1:2").hAlign(HAlign::Centre);
  sh.range("A2").hAlign(HAlign::General);
  sh.range(3, 1, lastRow, 8).wrap().vAlign(VAlign::Centre);
  sh.range("A3:H4").hAlign(HAlign::Centre);
  sh.range(5, 1, lastRow, 1).hAlign(HAlign::Centre);
  sh.range("1:1").rowHeight(30.75);
  sh.range("A:A").columnWidth(6.25);
  sh.range("B:H").columnWidth(8.5);
  sh.autoFitRows(2, lastRow);
  sh.range(3, 1, 8, 8).grid(Line::Thin);
  sh.range(3, 1, 8, 8).border(Edge::OutlineLeft, Line::Medium).border(Edge::OutlineRight, Line::Medium);
  sh.range(3, 1, 8, 8).border(Edge::OutlineTop, Line::Medium).border(Edge::OutlineBottom, Line::Medium);
  sh.range(3, 1, 4, 8).border(Edge::OutlineBottom, Line::Medium);
  sh.range(kFirstLessonRow, 1, lastRow, 8).grid(Line::Thin);
  sh.range(kFirstLessonRow, 1, lastRow, 8).border(Edge::OutlineBottom, Line::Medium);
  sh.range(kFirstLessonRow, 1, lastRow, 8)
      .border(Edge::OutlineLeft, Line::Medium)
      .border(Edge::OutlineRight, Line::Medium);
  sh.range("B9").select();
  sh.freezePanes(kFirstLessonRow, 2);
  fitToPageWidth(sh, false);
}

// ---------------------------------------------------------------- import steps

struct LessonRow {
  int row = 0;
  QString classes, courseName, course, teachers, times;
};

bool refuse(Ctx& c, const LessonRow& l, const QString& what) {
  Cwxx(c.ui,
       "合班数据表第" + Szc(l.row) + "行的" + what + "需要在Excel合班数据表中修改，然后保存，重新导入。");
  return false;
}

// The lesson's grades from 2-character grade names ("高一高二"); an unknown name is refused.
bool readGradeNames(Ctx& c, const LessonRow& l, int n) {
  School& s = c.s;
  QString grades, classes;
  for (int i = 0; i < l.classes.size(); i += 2) {
    const QString piece = l.classes.mid(i, 2);
    int g = s.Snj;
    while (g <= s.Mnj && s.Njm(g) != piece) ++g;
    if (g > s.Mnj && l.classes != "无") return refuse(c, l, "年级名“" + piece + "”在学校数据中没有！");
    grades += Lbq(2, g) + "00";
    const int count = s.Njbjs.has(g) ? s.Njbjs(g) : 0;
    for (int bj = 1; bj <= count; ++bj) classes += Lbq(2, g) + Lbq(2, bj);
  }
  s.Hbk(1, n) = "7";
  s.Hbbj(n) = grades;
  s.Hbk(2, n) = classes;
  return true;
}

// Class codes, 4 digits each, of real classes.
bool checkClassCodes(Ctx& c, const LessonRow& l) {
  for (int i = 0; i < l.classes.size(); i += 4) {
    const QString code = l.classes.mid(i, 4);
    static const QRegularExpression digits(QStringLiteral("^\\d{4}$"));
    if (!digits.match(code).hasMatch() || !c.s.isClass(code.left(2).toInt(), code.mid(2).toInt()))
      return refuse(c, l, "班级代码" + code + "在学校数据中没有！");
  }
  return true;
}

// Times, course and teachers of a lesson must exist in the school.
bool checkLessonFields(Ctx& c, const LessonRow& l) {
  const School& s = c.s;
  static const QRegularExpression digits(QStringLiteral("^\\d+$"));
  for (int i = 0; i < l.times.size(); i += 4) {
    const QString code = l.times.mid(i, 4);
    const int day = code.left(2).toInt(), period = code.mid(2).toInt();
    if (!digits.match(code).hasMatch() || code.size() != 4 || day < 1 || day > s.Mzts || period < 1 ||
        period > s.Mtjs)
      return refuse(c, l,
                    "星期节次" + code + "不合要求！星期要在1和" + Szc(s.Mzts) + "间，节次要在1和" +
                        Szc(s.Mtjs) + "间，");
  }
  if (!digits.match(l.course.trimmed()).hasMatch() || !wholeIn(Val(l.course), 0, s.Kcs - 1))
    return refuse(c, l, "课程序号“" + shownValue(l.course) + "”不在0和" + Szc(s.Kcs - 1) + "之间！");
  if (l.teachers == "班主任") return true;
  for (int i = 0; i < l.teachers.size(); i += 3) {
    const QString code = l.teachers.mid(i, 3);
    const int t = code.toInt();
    if (!digits.match(code).hasMatch() || code.size() != 3 || t > s.Jss)
      return refuse(c, l, "教师代码" + code + "不合要求！每3位1人，不能大于教师数" + Szc(s.Jss) + "，");
  }
  return true;
}

// Step 2.4: one lesson row into Hbk(·, n).
bool readLesson(Ctx& c, const LessonRow& l, int n) {
  School& s = c.s;
  const bool wholeSchool = l.classes == "全校";
  const bool byGrades = !wholeSchool && !l.classes.isEmpty() && !l.classes.at(0).isDigit();
  if (l.classes == "无") return readGradeNames(c, l, n);
  if (byGrades && !readGradeNames(c, l, n)) return false;
  if (!byGrades && !wholeSchool && !checkClassCodes(c, l)) return false;
  if (!checkLessonFields(c, l)) return false;
  if (wholeSchool) {
    const bool meeting = l.courseName == "校会" || l.courseName == "班会" || l.courseName == "校班会";
    s.Hbk(1, n) = meeting ? "5" : "6";
    s.Hbk(2, n) = "0000";
    s.Hbbj(n) = QString();
  } else if (!byGrades) {
    s.Hbk(1, n) = "8";
    s.Hbk(2, n) = l.classes;
    s.Hbbj(n) = QString();
  }
  s.Hbk(3, n) = l.times;
  s.Hbk(4, n) = l.course;
  s.Hbk(5, n) = l.teachers;
  return true;
}

SheetOutcome generateCombinedSheet(Ctx& c) {
  c.ui.status("正在产生合班数据表……");
  c.ui.progress(0);
  Workbook book = Xjgzb();
  Sheet& sh = book.first();
  writeCombinedTemplate(sh);
  sh.select(cellRange(1, 1));
  Fcts(c.ui, c.st);
  c.st.CmdHbCaption = "4、导入合班";
  return saveTemplate(c, book, kCombinedSheet) ? SheetOutcome::TemplateWritten : SheetOutcome::Stopped;
}

}  // namespace

void writeCombinedTemplate(Sheet& sh) {
  writeCombinedHeadings(sh);
  writeCombinedExamples(sh);
  formatCombinedTemplate(sh);
}

bool importCombinedSheet(Ctx& c, const Sheet& sh) {
  School& s = c.s;
  if (s.Hbydr == 1) {
    Tsxx(c.ui, "合班课数据已导入！");
    return false;
  }
  c.st.CmdHbCaption = "4、导入合班";
  c.ui.status("正在导入合班数据……");
  int count = 0;
  while (!sh.text(kFirstLessonRow + count, kColClasses).isEmpty()) ++count;
  s.sizeCombinedLessons(count);
  c.ui.progress(50);
  for (int r = kFirstLessonRow; r <= count + 8; ++r) {
    const LessonRow l{r,
                      cellCode(sh, r, kColClasses, 4),
                      sh.text(r, kColCourseName),
                      sh.text(r, kColCourse),
                      cellCode(sh, r, kColTeachers, 3),
                      cellCode(sh, r, kColTimes, 4)};
    const double n = sh.number(r, 1);
    if (!wholeIn(n, 1, count))
      return refuse(c, l, "合班课序号" + shownValue(sh.text(r, 1)) + "不在1和" + Szc(count) + "间！");
    if (!readLesson(c, l, static_cast<int>(n))) return false;
  }
  s.Hbydr = 1;
  c.ui.progress(100);
  c.st.Drcg[3] = true;
  c.st.CmdBjEnabled = true;
  return true;
}

SheetOutcome combinedSheetOperation(Ctx& c) {
  return runSheetOperation(c, [&] {
    OpenedSheet opened;
    if (!openSheetOrStop(c, kCombinedSheet, opened)) return SheetOutcome::Stopped;
    if (!opened.opened || !cellFilled(opened.book.first(), kFirstLessonRow, kColClasses))
      return generateCombinedSheet(c);
    return importCombinedSheet(c, opened.book.first()) ? SheetOutcome::Imported : SheetOutcome::Stopped;
  });
}

SheetOutcome CmdHb_Click(Ctx& c) {
  const SheetOutcome outcome = combinedSheetOperation(c);
  if (outcome == SheetOutcome::TemplateWritten) tellTemplatesWritten(c, {kCombinedSheet});
  return outcome;
}

}  // namespace tavro
