#include "core/timetable_checks.h"

#include <algorithm>

#include "core/cells.h"
#include "core/errors.h"
#include "core/field_reader.h"
#include "core/procedures.h"
#include "core/texts.h"

namespace tavro {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// True when text is a class cell as stored: empty or exactly 10 digits.
bool isCellText(const QString& text) {
  if (text.isEmpty()) return true;
  if (text.size() != 10) return false;
  return std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// "星期一第3节": the weekday and period of a place, as the questions name them.
QString slotText(const CellPlace& at) {
  return QStringLiteral("星期") + Xqm(at.xq) + u'第' + QString::number(at.jc);
}

// The whole number an answer holds, or nothing when it holds something else.
std::optional<int> wholeNumber(const QString& answer) {
  bool ok = false;
  const int value = answer.trimmed().toInt(&ok);
  if (!ok) return std::nullopt;
  return value;
}

}  // namespace

int askNumberInRange(Ui& ui, const QString& prompt, int lo, int hi) {
  if (hi < lo) throw OperationStopped(QStringLiteral("没有可以输入的序号：") + prompt);
  while (true) {
    const std::optional<QString> answer = ui.input(prompt);
    if (!answer) throw OperationStopped(QStringLiteral("输入被取消：") + prompt);
    const std::optional<int> value = wholeNumber(*answer);
    if (value && *value >= lo && *value <= hi) return *value;
  }
}

QString rtrimBlanks(const QString& text) {
  qsizetype end = text.size();
  while (end > 0 && text[end - 1] == u' ') --end;
  return text.left(end);
}

QString TimetableCellChecker::check(const QString& text, const CellPlace& at) {
  QString cell = text.size() == 7 ? text.left(6) + QStringLiteral("000") + text.right(1) : text;
  if (!isCellText(cell)) throw FileContentError("not a timetable cell: " + text.toStdString());
  if (cell.isEmpty()) return cell;  // a free period: nothing to check or repair
  const QString read = cell;
  checkCourse(cell, at);
  checkTeacher(cell, at);
  checkCombined(cell, at);
  checkPlanTeacher(cell, at);
  if (cell != read) changed_ = true;
  return cell;
}

// A course number the school does not have is asked again.
void TimetableCellChecker::checkCourse(QString& cell, const CellPlace& at) {
  const int last = ctx_.s.Kcs - 1;
  if (cellCourse(cell) <= last) return;
  const QString prompt = QStringLiteral("　　") + ctx_.s.Bjmc(at.nj, at.bj) + slotText(at) +
                         QStringLiteral("节的课程号") + cell.mid(0, 3) + QStringLiteral("大于全校课程数") +
                         QString::number(last) + QStringLiteral("！请输入新的课程序号（1～") +
                         QString::number(last) + QStringLiteral("）：");
  cell.replace(0, 3, Lbq(3, askNumberInRange(ctx_.ui, prompt, 0, last)));
}

// A teacher number the school does not have (ordinary lessons only) is asked again.
void TimetableCellChecker::checkTeacher(QString& cell, const CellPlace& at) {
  const School& s = ctx_.s;
  if (isCombinedCell(cell) || cellTeacher(cell) <= s.Jsrs) return;
  const QString prompt = QStringLiteral("　　") + s.Bjmc(at.nj, at.bj) + slotText(at) + u'节' +
                         rtrimBlanks(s.Kcmc(cellCourse(cell))) + QStringLiteral("的教师号") + cell.mid(3, 3) +
                         QStringLiteral("大于全校教师数") + QString::number(s.Jsrs) +
                         QStringLiteral("！请输入新的教师序号（1～") + QString::number(s.Jss) +
                         QStringLiteral("）：");
  cell.replace(3, 3, Lbq(3, askNumberInRange(ctx_.ui, prompt, 0, std::min(s.Jss, s.Jsrs))));
}

// A combined-lesson number the school does not have is reported; the cell is kept as read.
void TimetableCellChecker::checkCombined(const QString& cell, const CellPlace& at) {
  const School& s = ctx_.s;
  if (!isCombinedCell(cell) || cellTeacher(cell) <= s.Hbks) return;
  Cwxx(ctx_.ui, QStringLiteral("　　课表文件（") + QStringLiteral("_kb.txt") + QStringLiteral("）中，") +
                    s.Bjmc(at.nj, at.bj) + u'班' + slotText(at) + QStringLiteral("节是第") + cell.mid(3, 3) +
                    QStringLiteral("次合班课，但在全校排课设置文件（_Qxsz.txt）中，全校合班课一共只有") +
                    QString::number(s.Hbks) + QStringLiteral("次，需要修改！"));
}

// The teacher of the class's course plan for course, or -1 when the cell agrees with the plan:
// the course is not in the plan, or one of its plan rows names teacher.
int TimetableCellChecker::planTeacherFor(const CellPlace& at, int course, int teacher) const {
  const School& s = ctx_.s;
  const int rows = std::min(s.Bjkcs(at.nj, at.bj), s.Bjkcb.hi(0));
  int planTeacher = -1;
  for (int r = 1; r <= rows; ++r) {
    if (s.Bjkcb(r, 1, at.nj, at.bj) != course) continue;
    const int rowTeacher = s.Bjkcb(r, 2, at.nj, at.bj);
    if (rowTeacher == teacher) return -1;
    if (planTeacher < 0) planTeacher = rowTeacher;
  }
  return planTeacher;
}

// An ordinary lesson whose teacher is not the plan's teacher of the course is repaired or kept
// as the answer mode says, asking while the mode is 0, 1 or 3.
void TimetableCellChecker::checkPlanTeacher(QString& cell, const CellPlace& at) {
  if (isCombinedCell(cell)) return;
  const int planTeacher = planTeacherFor(at, cellCourse(cell), cellTeacher(cell));
  if (planTeacher < 0) return;
  bool repair = false;
  if (mode_ == 0 || mode_ == 1 || mode_ == 3) {
    repair = askTeacherQuestion(cell, at, planTeacher);
  } else if (mode_ == 2) {
    repair = true;
  }
  if (repair) cell.replace(3, 3, Lbq(3, planTeacher));
}

QString TimetableCellChecker::teacherName(int teacher) const {
  return ctx_.s.Jsmc.has(teacher) ? ctx_.s.Jsmc(teacher) : QString();
}

// Asks whether to put the plan's teacher into the cell; true = repair this cell. The answer's
// numeric value becomes the mode; 5 ends the program; an empty or unreadable answer is 0 and asks
// again next time.
bool TimetableCellChecker::askTeacherQuestion(const QString& cell, const CellPlace& at, int planTeacher) {
  const School& s = ctx_.s;
  const int fileTeacher = cellTeacher(cell);
  const QString a = QStringLiteral("　　班级排课设置中") + rtrimBlanks(s.Bjmc(at.nj, at.bj)) +
                    rtrimBlanks(s.Kcmc(cellCourse(cell)));
  const QString p = planTeacher == 0 ? QStringLiteral("无") : Lbq(3, planTeacher) + teacherName(planTeacher);
  const QString f =
      fileTeacher == 0 ? QStringLiteral("无") : QString::number(fileTeacher) + teacherName(fileTeacher);
  const QString prompt = a + QStringLiteral("的任课教师是“") + p +
                         QStringLiteral("”，但是，课表文件中，同一班级同一节的任课教师却是“") + f +
                         QStringLiteral("”，二者矛盾！可能是您在排课后直接修改了班级排课设置文件造成的。") +
                         kCrLf + QStringLiteral("　　如果要把课表文件中这节课的任课教师“") + f +
                         QStringLiteral("”改为“") + p + QStringLiteral("”，请输入数字1；") + kCrLf +
                         QStringLiteral(
                             "　　如果要把课表文件中各个班所有和班级排课设置不同的任课教师都修改为和班级排课"
                             "设置文件相同，请输入数字2；") +
                         kCrLf + QStringLiteral("　　如果不把课表文件中这节课的任课教师“") + f +
                         QStringLiteral("”改为“") + p + QStringLiteral("”，请输入数字3；") + kCrLf +
                         QStringLiteral(
                             "　　如果不把课表文件中各个班所有和班级排课设置不同的任课教师都修改为和班级排课"
                             "设置文件相同，请输入数字4；") +
                         kCrLf;
  const std::optional<QString> answer = ctx_.ui.input(prompt);
  const int value = answer ? ValInt(answer->trimmed()) : 0;
  if (value == 5) throw ProgramEnd(QString());
  mode_ = value;
  return value == 1 || value == 2;
}

}  // namespace tavro
