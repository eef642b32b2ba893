#include "sheets/school_sheet.h"

#include <stdexcept>

#include "core/procedures.h"
#include "core/texts.h"
#include "sheets/class_sheet.h"
#include "sheets/combined_sheet.h"
#include "sheets/course_sheet.h"
#include "sheets/range.h"
#include "sheets/sheet_operation.h"
#include "sheets/sheet_reading.h"
#include "sheets/teacher_sheet.h"

namespace tavro {

namespace {

constexpr int kFirstGradeRow = 5;  // row r holds grade r - 4
constexpr int kLastGradeRow = 16;
constexpr int kColName = 3, kColCount = 4, kColAvoid = 5, kColValue = 7;

// ---------------------------------------------------------------- template

void writeSchoolHeadings(Sheet& sh) {
  sh.range("A:B").numberFormat("@");
  putMerged(sh, "A1:G1", "学校数据表");
  sh.setText(2, 1, "说明：不能改动格式！淡黄色区域用户可以编辑。");
  const char* row3[] = {"学校类型", "年级代码", "级名", "班数", "尽量不连排", "选项"};
  const char* row4[] = {"不能改动",       "不能改动", "1～2字", "0～50，本校没有的年级不填",
                        "是: y；否:不填", "不能改动"};
  for (int col = 1; col <= 6; ++col) {
    sh.setText(3, col, QString::fromUtf8(row3[col - 1]));
    sh.setText(4, col, QString::fromUtf8(row4[col - 1]));
  }
  sh.range("F3:G3").merge();
  sh.setText(4, 7, "各项都要填写或修改");
}

void writeSchoolGrades(Sheet& sh) {
  putMerged(sh, "A5:A10", "小学");
  putMerged(sh, "A11:A13", "初中");
  putMerged(sh, "A14:A16", "高中");
  const QStringList upper = {"初一", "初二", "初三", "高一", "高二", "高三"};
  for (int r = kFirstGradeRow; r <= kLastGradeRow; ++r) {
    const int grade = r - 4;
    sh.setText(r, 2, Lbq(2, grade));
    sh.setText(r, kColName, grade <= 6 ? Hzsz(grade) : upper.at(grade - 7));
    if (grade <= 6) sh.setText(r, kColAvoid, "y");
  }
}

void writeSchoolOptions(Sheet& sh) {
  const QStringList labels = {
      "学校名称（4～6字）",         "每周天数（1～7）",           "每天节数（1～13）",
      "其中上午节数（1～13）",      "全校教师数（1～998）",       "全校课程数（1～999，不含空课）",
      "课表横竖（横排-0；竖排-1）", "教师每天排课节数尽量不超过", "开学日期（格式不能改动）"};
  const QStringList values = {"", "5", "8", "4", "", "31", "1", "4", "2009-9-1"};
  for (int i = 0; i < labels.size(); ++i) {
    sh.setText(5 + i, 6, labels.at(i));
    if (!values.at(i).isEmpty()) sh.setValue(5 + i, kColValue, values.at(i));
  }
}

void formatSchoolTemplate(Sheet& sh) {
  sh.range("A1").fontSize(16).bold();
  sh.range("A2:G2").fillIndex(2);
  sh.range("C5:E16").fillIndex(36);
  sh.range("G5:G13").fillIndex(36);
  sh.range("A2").fontSize(9);
  sh.range("A4:G4").fontSize(9);
  sh.range("A3:G4").wrap().hAlign(HAlign::Centre).vAlign(VAlign::Centre);
  sh.range("A5:B16").hAlign(HAlign::Centre).vAlign(VAlign::Centre);
  sh.range("C5:E16").hAlign(HAlign::Centre);
  Zdlk(sh);
  sh.range("A:B").columnWidth(4.5);
  sh.range("C:D").columnWidth(6.75);
  sh.range("E:E").columnWidth(4.5);
  sh.range("F:F").columnWidth(29.75);
  sh.range("G:G").columnWidth(12.25);
  sh.range("A3:G16").grid(Line::Thin);
  sh.range("A3:G4").border(Edge::OutlineBottom, Line::Medium);
  sh.range("A3:G16").border(Edge::OutlineLeft, Line::Medium).border(Edge::OutlineRight, Line::Medium);
  sh.range("A3:G16").border(Edge::OutlineTop, Line::Medium).border(Edge::OutlineBottom, Line::Medium);
  sh.range("A3:E16").border(Edge::OutlineRight, Line::Medium);
  sh.autoFitRows(3, 4);
  fitToPageWidth(sh, false);
}

// ---------------------------------------------------------------- import steps

// A validation message in a warning box; always false so that a step can return it.
bool refuse(Ctx& c, const QString& text) {
  Cwxx(c.ui, text);
  return false;
}

// Step 3: first and last grade rows with classes.
bool findGradeRange(Ctx& c, const Sheet& sh) {
  int first = 0, last = 0;
  for (int r = kFirstGradeRow; r <= kLastGradeRow; ++r) {
    if (sh.number(r, kColCount) > 0) {
      if (first == 0) first = r - 4;
      last = r - 4;
    }
  }
  if (first == 0) {
    Tsxx(c.ui, "请在Excel学校数据表填写本校各年级的班级，然后保存，再重新导入。");
    return false;
  }
  c.s.Snj = first;
  c.s.Mnj = last;
  return true;
}

// Step 4: widen the grade range to whole school levels and set the school type.
void widenToLevels(School& s) {
  s.Njs = s.Mnj - s.Snj + 1;
  const int firstLevel = s.Snj <= 6 ? 0 : (s.Snj <= 9 ? 1 : 2);
  const int lastLevel = s.Mnj <= 6 ? 0 : (s.Mnj <= 9 ? 1 : 2);
  static const int kFirst[] = {1, 7, 10}, kLast[] = {6, 9, 12};
  static const int kType[3][3] = {{7, 8, 9}, {0, 4, 2}, {0, 0, 3}};
  s.Snj = kFirst[firstLevel];
  s.Mnj = kLast[lastLevel];
  s.Xxlx = kType[firstLevel][lastLevel];
}

// Step 5: grade names and class counts.
bool readGrades(Ctx& c, const Sheet& sh) {
  School& s = c.s;
  c.ui.progress(60);
  for (int j = s.Snj; j <= s.Mnj; ++j) {
    const int r = j + 4;
    const QString name = sh.text(r, kColName);
    if (name.isEmpty() || name.size() > 2)
      return refuse(c, "序号为" + Szc(j) + "的级名“" + shownValue(name) +
                           "”的字数不合要求！需要在Excel表中修改成1～2字，然后保存，重新导入。");
    s.Njm(j) = name.size() == 1 ? "　" + name : name;
    const double count = sh.number(r, kColCount);
    if (!wholeIn(count, 0, 50))
      return refuse(c, Szc(j) + "年级的班级数" + Szc(count) +
                           "不合要求！需要在Excel表中修改成不大于50的数，然后保存，重新导入。");
    s.Njbjs(j) = static_cast<int>(count);
    s.Zdbjs = std::max(s.Zdbjs, s.Njbjs(j));
    if (s.Njbjs(j) > 0) s.Zgnj = j;
    s.Bjzs += s.Njbjs(j);
  }
  return true;
}

// Step 6: two grades may not share a name.
bool checkGradeNames(Ctx& c) {
  const School& s = c.s;
  for (int j = s.Snj; j <= s.Mnj; ++j)
    for (int k = j + 1; k <= s.Mnj; ++k)
      if (s.Njm(j) == s.Njm(k))
        return refuse(c, "序号为" + Lbq(2, j) + "的年级" + "和序号为" + Lbq(2, k) + "的年级名称相同，都是“" +
                             s.Njm(j) + "”，需要在Excel表中修改，然后保存，重新导入。");
  return true;
}

// Step 8: the school name, 4 to 6 characters, padded to 6.
bool readSchoolName(Ctx& c, const Sheet& sh) {
  c.ui.progress(80);
  const QString name = sh.text(5, kColValue);
  if (name.size() < 4 || name.size() > 6)
    return refuse(c, "学校名称的字数不合适！请在“导出”框中修改为4～6字。");
  c.s.Xxmc = name.leftJustified(6, u'　');
  return true;
}

// Step 9: days per week, periods per day and morning periods; refused when the model cannot hold them.
bool readWeek(Ctx& c, const Sheet& sh) {
  School& s = c.s;
  const double days = sh.number(6, kColValue), periods = sh.number(7, kColValue);
  const double morning = sh.number(8, kColValue);
  if (!wholeIn(days, 1, kMostDaysPerWeek))
    return refuse(c, "每周天数" + Szc(days) + "不合适！请在Excel学校数据表的G6单元格中修改为1～" +
                         Szc(kMostDaysPerWeek) + "的数，然后保存，重新导入。");
  if (!wholeIn(periods, 1, kMostPeriodsPerDay))
    return refuse(c, "每天节数" + Szc(periods) + "不合适！请在Excel学校数据表的G7单元格中修改为1～" +
                         Szc(kMostPeriodsPerDay) + "的数，然后保存，重新导入。");
  if (!wholeIn(morning, 0, periods))
    return refuse(c, "其中上午节数" + Szc(morning) + "不合适！请在Excel学校数据表的G8单元格中修改为0～" +
                         Szc(periods) + "的数，然后保存，重新导入。");
  s.Mzts = static_cast<int>(days);
  s.Mtjs = static_cast<int>(periods);
  s.Swjs = static_cast<int>(morning);
  s.Xwjs = s.Mtjs - s.Swjs;
  return true;
}

// Steps 10 and 11: teacher and course counts, which size their tables.
bool readCounts(Ctx& c, const Sheet& sh) {
  School& s = c.s;
  const double teachers = sh.number(9, kColValue);
  if (!wholeIn(teachers, 1, kMaxTeachers))
    return refuse(c, "全校教师数不合适！请在Excel课程数据表中修改为1～998的数，然后保存，重新导入。");
  s.Jss = s.Jsrs = static_cast<int>(teachers);
  s.sizeTeacherTables();
  const double courses = sh.number(10, kColValue) + 1;
  if (!wholeIn(courses, 1, 999))
    return refuse(c, "全校课程数不合适！请在Excel课程数据表中修改为1～999的数，然后保存，重新导入。");
  s.Kcs = static_cast<int>(courses);
  s.sizeCourseTables();
  s.sizeClassTables();
  return true;
}

// Steps 12 and 13: grid layout and the teachers' preferred daily maximum.
bool readLayoutAndLoad(Ctx& c, const Sheet& sh) {
  School& s = c.s;
  const double layout = sh.number(11, kColValue);
  if (layout != 0 && layout != 1)
    return refuse(c, "学校横竖代码不合适！请在Excel课程数据表中修改为“0”或“1”，然后保存，重新导入。");
  s.Hsdm = static_cast<int>(layout);
  const double most = sh.number(12, kColValue);
  if (!wholeIn(most, 1, s.Mtjs))
    return refuse(c, "　　教师每天排课节数最大值" + Szc(most) + "不在" + Szc(1) + "和" + Szc(s.Mtjs) +
                         "间，请在Excel学校和年级数据表中修改，然后保存，重新导入。");
  s.Jsmtzdjs = static_cast<int>(most);
  return true;
}

// Step 14: the term start date (a date cell or a "2009-9-1" text) and the school-year start. A text
// that is no date ends the operation in its error handler (an information box), which says why.
void readStartDate(Ctx& c, const Sheet& sh) {
  const std::optional<QDate> date = sh.date(13, kColValue);
  if (!date)
    throw std::runtime_error(
        QString("开学日期“" + shownValue(sh.text(13, kColValue)) +
                "”不是日期！请在Excel学校数据表的G13单元格中按“2009-9-1”的格式填写，然后保存，重新导入。")
            .toStdString());
  const int y = date->year(), m = date->month(), d = date->day();
  c.s.Kxrq = Szc(y) + "-" + Ydq(2, m) + "-" + Ydq(2, d);
  c.s.Xnqsrq = m >= 8 ? c.s.Kxrq : Szc(y - 1) + "-" + Ydq(2, 9) + "-" + Ydq(2, d);
}

// Clears what an earlier, stopped school import left in the grade tables.
void resetGrades(School& s) {
  s.sizeGradeTables();
  s.Njbjs.fill(0);
  s.Njm.fill(QString());
  s.Jlblp.fill(0);
  s.Zdbjs = s.Zgnj = s.Bjzs = 0;
}

// Steps 16 and 17: the other four sheet operations in turn, then one closing message about the
// templates written. A refused sheet ends the chain; after a template, the later sheets only get
// their templates when they are missing too (they cannot be imported before it is filled in).
SheetOutcome runTheOtherSheets(Ctx& c, SheetsHost& host) {
  const std::pair<QString, std::function<SheetOutcome()>> operations[] = {
      {kTeacherSheet, [&] { return teacherSheetOperation(c); }},
      {kCourseSheet, [&] { return courseSheetOperation(c); }},
      {kCombinedSheet, [&] { return combinedSheetOperation(c); }},
      {kClassSheet, [&] { return classSheetOperation(c, host); }}};
  QStringList written;
  SheetOutcome outcome = SheetOutcome::Imported;
  for (const auto& [name, operation] : operations) {
    if (!written.isEmpty() && sheetFileExists(c.s.Wjj + name)) continue;
    const SheetOutcome step = operation();
    if (step == SheetOutcome::TemplateWritten) written << name;
    if (step == SheetOutcome::Stopped) {
      outcome = step;
      break;
    }
  }
  c.ui.status(QString());
  tellTemplatesWritten(c, written);
  if (outcome == SheetOutcome::Stopped) return outcome;
  return written.isEmpty() ? SheetOutcome::Imported : SheetOutcome::TemplateWritten;
}

SheetOutcome generateSchoolSheet(Ctx& c, OpenedSheet& opened) {
  Tsxx(c.ui, "系统将自动产生学校数据表，在此过程中用户不要进行任何操作，直到出现提示。");
  c.ui.status("正在产生学校数据表……");
  // The template goes into the opened sheet, keeping what the user typed where it writes nothing.
  Workbook book = opened.opened ? std::move(opened.book) : Xjgzb();
  Sheet& sh = book.first();
  writeSchoolTemplate(sh);
  Dcbgjw(sh, c.ui, c.st);
  if (!saveTemplate(c, book, kSchoolSheet)) return SheetOutcome::Stopped;
  c.st.CmdXxCaption = "1、导入学校";
  Tsxx(c.ui, "　　系统已自动产生了Excel表格“学校数据表”并已保存在“" + c.s.Wjj +
                 "”，请用户打开、填写或修改这表格并用原文件名保存在原文件夹。然后再单击“导入学校数据”按钮导入"
                 "学校数据并接着自动产生其他数据表，在此过程中用户不要进行任何操作，直到出现提示。");
  return SheetOutcome::TemplateWritten;
}

}  // namespace

void writeSchoolTemplate(Sheet& sh) {
  writeSchoolHeadings(sh);
  writeSchoolGrades(sh);
  writeSchoolOptions(sh);
  formatSchoolTemplate(sh);
}

bool importSchoolSheet(Ctx& c, const Sheet& sh) {
  School& s = c.s;
  c.st.CmdXxCaption = "1、导入学校";
  if (s.Xxydr == 1) {
    Tsxx(c.ui, "学校数据已导入！");
    return false;
  }
  c.ui.progress(40);
  c.ui.status("正在导入学校数据……");
  resetGrades(s);
  if (!findGradeRange(c, sh)) return false;
  widenToLevels(s);
  if (!readGrades(c, sh) || !checkGradeNames(c)) return false;
  s.sizeClassTables();
  for (int j = s.Snj; j <= s.Mnj; ++j) s.Jlblp(j) = sh.text(j + 4, kColAvoid) == "y" ? 1 : 0;
  if (!readSchoolName(c, sh) || !readWeek(c, sh) || !readCounts(c, sh)) return false;
  if (!readLayoutAndLoad(c, sh)) return false;
  readStartDate(c, sh);
  s.Xxydr = 1;
  c.ui.progress(100);
  c.st.Drcg[0] = true;
  c.st.CmdJsEnabled = c.st.CmdKcEnabled = c.st.CmdHbEnabled = c.st.CmdBjEnabled = true;
  return true;
}

SheetOutcome CmdXx_Click(Ctx& c, SheetsHost& host) {
  const SheetOutcome outcome = runSheetOperation(c, [&] {
    OpenedSheet opened;
    if (!openSheetOrStop(c, kSchoolSheet, opened)) return SheetOutcome::Stopped;
    if (!opened.opened || !cellFilled(opened.book.first(), 5, kColValue))
      return generateSchoolSheet(c, opened);
    return importSchoolSheet(c, opened.book.first()) ? SheetOutcome::Imported : SheetOutcome::Stopped;
  });
  return outcome == SheetOutcome::Imported ? runTheOtherSheets(c, host) : outcome;
}

}  // namespace tavro
