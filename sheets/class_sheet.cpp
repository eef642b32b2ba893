#include "sheets/class_sheet.h"

#include <algorithm>

#include "core/procedures.h"
#include "core/vbtext.h"
#include "sheets/sheet_operation.h"
#include "sheets/sheet_reading.h"
#include "sheets/sheetops.h"

namespace tavro {

namespace {

constexpr int kFirstClassRow = 6;  // the class with ordinal n is on row n + 5

struct ClassRow {
  int row = 0, nj = 0, bj = 0;
  QString name;  // Bjmc with trailing blanks removed, as messages quote it
};

bool refuse(Ctx& c, const QString& text) {
  Cwxx(c.ui, text);
  return false;
}

QString withoutTrailingBlanks(QString text) {
  while (!text.isEmpty() && text.back().isSpace()) text.chop(1);
  return text;
}

// A teacher cell: a name (looked up) or a number; text receives the cleaned name.
double teacherOf(const School& s, const Sheet& sh, int row, int col, QString& text) {
  text = sh.text(row, col);
  if (!text.isEmpty() && !text.at(0).isDigit()) return Val(HJsmJsh(s, text));
  return sh.number(row, col);
}

double cellNumberOr0(const Sheet& sh, int row, int col) {
  return cellHoldsNumber(sh, row, col) ? sh.number(row, col) : 0;
}

// Step 3.1: the class code in column A names a real class.
bool readClassCode(Ctx& c, const Sheet& sh, ClassRow& cr) {
  const School& s = c.s;
  const QString code = cellCode(sh, cr.row, 1, 4);
  const QString gradeText = code.left(2);
  if (gradeText.isEmpty()) {
    Tsxx(c.ui, "没有读入班级数据！请检查班级数据表。");
    return false;
  }
  cr.nj = ValInt(gradeText);
  if (cr.nj < s.Snj || cr.nj > s.Mnj)
    return refuse(c, "第" + Szc(cr.row) + "个班级的级代码" + gradeText + "不在" + Szc(s.Snj) + "和" +
                         Szc(s.Mnj) + "间，需修改！");
  cr.bj = ValMid(code, 2, 2);
  if (cr.bj < 1 || cr.bj > s.Njbjs(cr.nj))
    return refuse(c, s.Njm(cr.nj) + "年级的的班代码" + code.mid(2, 2) + "不在0和" + Szc(s.Njbjs(cr.nj)) +
                         "间，需修改！");
  return true;
}

// Steps 3.2 and 3.3: class name and head teacher.
bool readClassNameAndHead(Ctx& c, const Sheet& sh, ClassRow& cr) {
  School& s = c.s;
  s.Bjmc(cr.nj, cr.bj) = s.Njm(cr.nj) + sh.text(cr.row, 3);
  s.Bjmcd = std::max(s.Bjmcd, static_cast<int>(s.Bjmc(cr.nj, cr.bj).size()));
  cr.name = withoutTrailingBlanks(s.Bjmc(cr.nj, cr.bj));
  QString text;
  const double head = teacherOf(s, sh, cr.row, 4, text);
  if (!text.isEmpty() && head == 0)
    return refuse(c, cr.name + "班的班主任" + shownValue(text) + "在教师数据中没有，需修改！");
  if (head > s.Jss || head < 0)
    return refuse(c, cr.name + "班的班主任号" + Szc(head) + "不能大于教师人数" + Szc(s.Jss) + "，需修改！");
  s.Bzr(cr.nj, cr.bj) = static_cast<int>(head);
  return true;
}

// Step 3.4: the unassigned periods (week - combined periods - typed counts) must be 0. Computed
// from the cells, so a sheet saved without formula results imports right.
bool checkUnassigned(Ctx& c, const Sheet& sh, const ClassRow& cr) {
  const School& s = c.s;
  double typed = cellNumberOr0(sh, cr.row, classCountColumn(0));
  for (int k = 1; k < s.Kcs; ++k) typed += cellNumberOr0(sh, cr.row, classCountColumn(k));
  const double unassigned = s.Mtjs * s.Mzts - sh.number(cr.row, 5) - typed;
  if (unassigned == 0) return true;
  return refuse(c, cr.name + "班的未定节数不是0！请在Excel班级数据表中修改。");
}

// Adds one plan row and the teacher's load.
void addPlanRow(School& s, const ClassRow& cr, int course, int teacher, int count) {
  const int row = ++s.Bjkcs(cr.nj, cr.bj);
  s.Bjkcb(row, 1, cr.nj, cr.bj) = course;
  s.Bjkcb(row, 2, cr.nj, cr.bj) = teacher;
  s.Bjkcb(row, 3, cr.nj, cr.bj) = count;
  if (teacher <= 0) return;
  s.Jszjs(teacher) += count;
  if (teacher <= s.Jss) s.Jsrk(teacher) += Lbq(3, course) + Lbq(2, cr.nj);
}

// Step 3.5 for one course block whose count cell is filled.
bool readCourseBlock(Ctx& c, const Sheet& sh, const ClassRow& cr, int col) {
  School& s = c.s;
  const int week = s.Mtjs * s.Mzts;
  const double count = sh.number(cr.row, col);
  const double course = Val(sh.text(3, col));
  if (course > s.Kcs - 1 || course < 0)
    return refuse(c, cr.name + "班的课程号" + Szc(course) + "不在0和" + Szc(s.Kcs - 1) + "之间，需修改！");
  const QString courseName = withoutTrailingBlanks(s.Kcmc(static_cast<int>(course)));
  if (!wholeIn(count, 0, 1e9))
    return refuse(c, cr.name + "班" + courseName + "的每周节数" + shownValue(sh.text(cr.row, col)) +
                         "不合要求！请在Excel班级数据表中修改成不小于0的整数，然后保存，重新导入。");
  if (count > week)
    Cwxx(c.ui, s.Bjmc(cr.nj, cr.bj) + "班" + s.Kcmc(static_cast<int>(course)) + "的每周节数" + Szc(count) +
                   "不能大于" + Szc(week) + "，需修改！");
  QString text;
  double teacher = teacherOf(s, sh, cr.row, col + 1, text);
  if (!text.isEmpty() && teacher == 0)
    Cwxx(c.ui, cr.name + "班" + courseName + "的教师" + shownValue(text) + "在教师姓名设置中没有，需修改！");
  if (teacher > s.Jss || teacher < 0) {
    // A teacher that does not exist has no timetable (the rows after the last teacher park lessons
    // during swaps): the lesson is planned without a teacher, as for an unknown name.
    Cwxx(c.ui, cr.name + "班" + courseName + "的教师号" + Szc(teacher) + "不能大于教师人数" + Szc(s.Jss) +
                   "，需修改！");
    teacher = 0;
  }
  addPlanRow(s, cr, static_cast<int>(course), static_cast<int>(teacher), static_cast<int>(count));
  s.Zdkcs = std::max(s.Zdkcs, s.Bjkcs(cr.nj, cr.bj));
  return true;
}

// Steps 3.4 to 3.6: the class's course plan.
bool readPlan(Ctx& c, const Sheet& sh, const ClassRow& cr) {
  School& s = c.s;
  s.Bjkcs(cr.nj, cr.bj) = 0;
  if (!checkUnassigned(c, sh, cr)) return false;
  for (int col = 9; col <= 2 * s.Kcs + 8; col += 2) {
    if (sh.text(cr.row, col).isEmpty()) continue;
    if (!readCourseBlock(c, sh, cr, col)) return false;
  }
  const double free = sh.number(cr.row, classCountColumn(0));
  if (!sh.text(cr.row, classCountColumn(0)).isEmpty() && !wholeIn(free, 0, 1e9))
    return refuse(c, cr.name + "班空课的每周节数" + shownValue(sh.text(cr.row, classCountColumn(0))) +
                         "不合要求！请在Excel班级数据表中修改成不小于0的整数，然后保存，重新导入。");
  if (free > 0) addPlanRow(s, cr, 0, 0, static_cast<int>(free));
  return true;
}

// Clears what an earlier, stopped class import added, so that no load is counted twice.
void resetPlans(School& s) {
  s.Jszjs.fill(0);
  s.Jsrk.fill(QString());
  s.Bjmcd = 0;
  s.Zdkcs = 0;
}

void fillClassList(Ctx& c) {
  const School& s = c.s;
  c.st.LstBj.clear();
  for (int nj = s.Snj; nj <= s.Mnj; ++nj)
    for (int bj = 1; bj <= s.Njbjs(nj); ++bj) c.st.LstBj.addItem(Lbq(2, nj) + Lbq(2, bj) + s.Bjmc(nj, bj));
}

// The template goes into the opened sheet (if any), keeping what it does not overwrite.
SheetOutcome generateClassSheet(Ctx& c, OpenedSheet& opened) {
  c.ui.status("正在产生班级数据表……");
  Workbook book = opened.opened ? std::move(opened.book) : Xjgzb();
  writeClassTemplate(book.first(), c.s);
  Fcts(c.ui, c.st);
  if (!saveTemplate(c, book, kClassSheet)) return SheetOutcome::Stopped;
  c.st.CmdJsCaption = "2、导入教师";
  return SheetOutcome::TemplateWritten;
}

}  // namespace

QString HJsmJsh(const School& s, QString& name) {
  name.remove(u' ');
  const QString stored = name.size() == 2 ? name.left(1) + "　" + name.right(1) : name;
  for (int i = 1; i <= s.Jss; ++i)
    if (s.Jsmc(i) == stored) return Lbq(3, i);
  return QString();
}

bool classSheetFilled(const School& s, const Sheet& sh) {
  for (int r = kFirstClassRow; r <= s.Bjzs + 5; ++r)
    for (int k = 0; k < s.Kcs; ++k)
      if (cellHoldsNumber(sh, r, classCountColumn(k))) return true;
  return false;
}

bool importClassSheet(Ctx& c, const Sheet& sh) {
  School& s = c.s;
  if (s.Bjydr == 1) {
    Tsxx(c.ui, "班级数据已导入！");
    return false;
  }
  c.st.CmdBjCaption = "5、导入班级";
  c.ui.status("正在导入班级数据……");
  c.st.OptCqls = 0;
  c.st.Dqcqls = 1;
  resetPlans(s);
  for (int r = kFirstClassRow; r <= s.Bjzs + 5; ++r) {
    ClassRow cr{r, 0, 0, QString()};
    if (!readClassCode(c, sh, cr) || !readClassNameAndHead(c, sh, cr) || !readPlan(c, sh, cr)) return false;
    c.ui.progress((r - 5) * 80 / s.Bjzs);
  }
  fillClassList(c);
  s.Bjydr = 1;
  Fcts(c.ui, c.st);
  c.ui.progress(100);
  c.st.Drcg[4] = true;
  c.st.CmdKbEnabled = true;
  return true;
}

SheetOutcome classSheetOperation(Ctx& c, SheetsHost& host) {
  const SheetOutcome outcome = runSheetOperation(c, [&] {
    OpenedSheet opened;
    if (!openSheetOrStop(c, kClassSheet, opened)) return SheetOutcome::Stopped;
    if (!opened.opened || !classSheetFilled(c.s, opened.book.first())) return generateClassSheet(c, opened);
    return importClassSheet(c, opened.book.first()) ? SheetOutcome::Imported : SheetOutcome::Stopped;
  });
  if (outcome == SheetOutcome::Imported) host.startSchedulingRun(c);
  return outcome;
}

SheetOutcome CmdBj_Click(Ctx& c, SheetsHost& host) {
  const SheetOutcome outcome = classSheetOperation(c, host);
  if (outcome == SheetOutcome::TemplateWritten) tellTemplatesWritten(c, {kClassSheet});
  return outcome;
}

}  // namespace tavro
