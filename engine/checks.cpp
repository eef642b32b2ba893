#include "engine/checks.h"

#include <QStringList>
#include <memory>
#include <vector>

#include "adjust/lookups.h"
#include "core/procedures.h"
#include "core/slots.h"
#include "core/texts.h"
#include "core/timetable_file.h"
#include "core/vbtext.h"
#include "engine/checks_memo.h"
#include "engine/classlist.h"
#include "engine/completion.h"

namespace tavro {

namespace {

const QString kRestartWindow = QStringLiteral(
    "　　一定要做以下操作：按“确定”按钮后，按“关闭”按钮，退出“编排查调课表”窗体，再按“课表”按钮，重新进入该窗"
    "体，"
    "编排这些班级的课表。");

QString trimmedClassName(const School& s, int nj, int bj) {
  QString name = s.Bjmc(nj, bj);
  while (!name.isEmpty() && name.back().isSpace()) name.chop(1);
  return name;
}

// The classes of a combined lesson's class field ("0000" = every class of the school).
template <typename F>
void forEachCombinedClass(const School& s, const QString& classes, F&& f) {
  for (int i = 0; i + 4 <= classes.size(); i += 4) {
    const int nj = ValMid(classes, i, 2), bj = ValMid(classes, i + 2, 2);
    if (nj == 0 && bj == 0) {
      for (int g = s.Snj; g <= s.Mnj; ++g)
        for (int b = 1; s.Njbjs.has(g) && b <= s.Njbjs(g); ++b) f(g, b);
    } else if (s.isClass(nj, bj)) {
      f(nj, bj);
    }
  }
}

// Names of the classes of a list of 4-digit class codes, joined by "、".
QString classNames(const School& s, const QString& codes) {
  QStringList names;
  for (int i = 0; i + 4 <= codes.size(); i += 4)
    names << trimmedClassName(s, ValMid(codes, i, 2), ValMid(codes, i + 2, 2));
  return names.join(QStringLiteral("、"));
}

// Deletes the classes of the code list after the user agreed, saves the timetable file so that the
// deleted classes do not come back when the scheduling run reads it again, and tells the user to
// restart the window.
void deleteListedClasses(Ctx& c, const QString& codes) {
  for (int i = 0; i + 4 <= codes.size(); i += 4)
    deleteClassTimetable(c, ValMid(codes, i, 2), ValMid(codes, i + 2, 2));
  Bckb(c);
  Tsxx(c.ui, kRestartWindow);
}

// The differences of combined lesson n: report lines, and the codes of the classes concerned.
QString combinedLessonDifferences(const School& s, int n, QString& codes) {
  const QString field6 = s.Hbk(6, n).isEmpty() ? QStringLiteral("000") : s.Hbk(6, n);
  const QString expected = Lbq(3, Val(s.Hbk(4, n))) + Lbq(3, n) + field6 + s.Hbk(1, n);
  const QString& times = s.Hbk(3, n);
  QString lines;
  for (int t = 0; t + 4 <= times.size(); t += 4) {
    const int xq = ValMid(times, t, 2), jc = ValMid(times, t + 2, 2);
    if (xq < 1 || xq > s.Mzts || jc < 1 || jc > s.Mtjs) continue;
    forEachCombinedClass(s, s.Hbk(2, n), [&](int nj, int bj) {
      if (s.Kb(kLongTerm, xq, jc, nj, bj) == expected) return;
      lines += QStringLiteral("　　") + trimmedClassName(s, nj, bj) + QStringLiteral("班的班级课表星期") +
               Xqm(xq) + QStringLiteral("第") + Szc(jc) + QStringLiteral("节和“全校排课设置”的第") + Szc(n) +
               QStringLiteral("次“合班课”不一致，") + QStringLiteral("\r\n");
      codes += Lbq(2, nj) + Lbq(2, bj);
    });
  }
  return lines;
}

// Checks one lesson cell against the plan: a teacher named by no plan row of the course is shown
// (a course taught by two teachers in two plan rows is right with either of them). True when shown.
bool checkPlanTeacher(Ctx& c, const PlanPairs& plan, int nj, int bj, int kch, int t) {
  const School& s = c.s;
  int planTeacher = -1;
  for (const auto& [course, teacher] : plan) {
    if (course != kch) continue;
    if (teacher == t) return false;
    if (planTeacher < 0) planTeacher = teacher;
  }
  if (planTeacher < 0) return false;
  const QString name = trimmedClassName(s, nj, bj);
  Tsxx(c.ui,
       QStringLiteral("　　") + name + QStringLiteral("班的") + courseName(s, kch) +
           QStringLiteral("教师有错！在班级排课设置里设定的教师是") + Szc(planTeacher) +
           teacherName(s, planTeacher) + QStringLiteral("，而该班课表里的教师却是") + Szc(t) +
           teacherName(s, t) + QStringLiteral("。请删除") + name +
           QStringLiteral(
               "课表，保存，然后一定要关闭“编排查调课表”窗体（按“关闭”按钮），再打开该窗体，重新排课。"));
  return true;
}

// True when teacher t's long-term cell at (x, j) holds the course of the class cell p (characters
// 1-3) and the class code (characters 4-7).
bool teacherCellAgrees(const School& s, int x, int j, int t, const QChar* p, const QChar* code) {
  if (!s.Jskb.has(kLongTerm, x, j, t)) return false;
  const QString& tc = s.Jskb(kLongTerm, x, j, t);
  if (tc.size() < 7) return false;
  const QChar* q = tc.constData();
  return q[0] == p[0] && q[1] == p[1] && q[2] == p[2] && q[3] == code[0] && q[4] == code[1] &&
         q[5] == code[2] && q[6] == code[3];
}

// Checks every ordinary lesson of a class; true when some teacher cell does not hold the lesson's
// course (characters 1-3), grade (4-5) and class (6-7). A class found right without a message is
// kept in the memo.
bool classDisagrees(Ctx& c, ConsistencyMemo& memo, int nj, int bj) {
  const School& s = c.s;
  const PlanPairs plan = planPairs(s, nj, bj);
  const QString code = Lbq(2, nj) + Lbq(2, bj);
  bool wrong = false, shown = false;
  for (int x = 1; x <= s.Mzts; ++x) {
    for (int j = 1; j <= s.Mtjs; ++j) {
      const QString& cell = s.Kb(kLongTerm, x, j, nj, bj);
      if (cell.size() < 10 || cell.at(9) >= u'5') continue;
      const QChar* p = cell.constData();
      const int t = lessonDigits(p, 3, 3);
      if (t <= 0) continue;
      const int kch = lessonDigits(p, 0, 3);
      wrong = wrong || !teacherCellAgrees(s, x, j, t, p, code.constData());
      if (kch > 0 && checkPlanTeacher(c, plan, nj, bj, kch, t)) shown = true;
    }
  }
  if (!wrong && !shown) rememberClass(s, memo, nj, bj, plan);
  return wrong;
}

}  // namespace

void deleteClassTimetable(Ctx& c, int nj, int bj) {
  School& s = c.s;
  for (int x = 1; x <= s.Mzts; ++x) {
    for (int j = 1; j <= s.Mtjs; ++j) {
      for (int layer : {kLongTerm, kTemporary}) {
        QString& cell = s.Kb(layer, x, j, nj, bj);
        if (cell.isEmpty()) continue;
        const bool combined = cellDigits(cell, 9, 1) >= 5;
        const int kch = cellDigits(cell, 0, 3), jsh = cellDigits(cell, 3, 3);
        cell.clear();
        if (!combined) Qrbjshibyjk(c, jsh, x, j, kch, nj, bj, layer);
      }
    }
  }
  if (s.Ypbz(nj, bj) == 1 && s.Ypbjs > 0) --s.Ypbjs;
  s.Ypbz(nj, bj) = 0;
  const int item = findClassItem(c.st, nj, bj);
  if (item >= 0) c.st.LstBj.removeItem(item);
}

int Jctykct(Ctx& c) {
  const School& s = c.s;
  QString codes;
  for (int n = 1; n <= s.Hbks; ++n) {
    const QString lines = combinedLessonDifferences(s, n, codes);
    if (!lines.isEmpty())
      Tsxx(c.ui,
           lines + QStringLiteral(
                       "　　需要删除这些班级的课表（不保留合班课），重新编排，还可能需要检查“全校排课设置”"
                       "的“合班课”的设置有没有冲突处。"));
  }
  if (codes.isEmpty()) return 0;
  Qcdm(codes, 4);
  if (!Wxx(c.ui, QStringLiteral("删除") + classNames(s, codes) + QStringLiteral("这些班级课表吗？")))
    return 0;
  deleteListedClasses(c, codes);
  return static_cast<int>(codes.size() / 4);
}

// Classes the memo vouches for are consistent and would show no message: they are passed over.
int Phjckcct(Ctx& c) {
  const School& s = c.s;
  if (!c.st.CheckMemo) c.st.CheckMemo = std::make_shared<ConsistencyMemo>();
  ConsistencyMemo& memo = *c.st.CheckMemo;
  const std::vector<char> vouched = vouchedClasses(s, memo);
  QString codes;
  for (int nj = s.Snj; nj <= s.Mnj; ++nj)
    for (int bj = 1; s.Njbjs.has(nj) && bj <= s.Njbjs(nj); ++bj)
      if (!vouched[classSlot(s, nj, bj)] && classDisagrees(c, memo, nj, bj)) codes += Lbq(2, nj) + Lbq(2, bj);
  if (codes.isEmpty()) return 0;
  c.st.OptYp = true;
  const bool yes = Wxx(
      c.ui, QStringLiteral("　　") + classNames(s, codes) +
                QStringLiteral("等班级的班级课表和教师课表不一致，需要删除这些班级的课表（不保留合班课），"
                               "重新编排。删除这些班级课表吗？"));
  if (yes) deleteListedClasses(c, codes);
  return static_cast<int>(codes.size() / 4);
}

int Phjc56lkc(Ctx& c) {
  const School& s = c.s;
  int shown = 0;
  for (int k = 1; k <= capEntryCount(s) && s.Szlmc.has(6, k); ++k) {
    const QString entry = s.Szlmc(6, k).trimmed();
    int x = 0;
    for (int i = 1; i < s.Kcs && x == 0; ++i)
      if (courseName(s, i) == entry) x = i;
    if (x == 0) continue;
    for (int d = 1; d <= s.Mzts; ++d) {
      for (int p = 1; p <= s.Mtjs; ++p) {
        int count = 0;
        for (int nj = s.Snj; nj <= s.Mnj; ++nj)
          for (int bj = 1; s.Njbjs.has(nj) && bj <= s.Njbjs(nj); ++bj)
            if (cellHoldsCourse(s.Kb(kLongTerm, d, p, nj, bj), x)) ++count;
        if (count <= s.Szlz(6, k)) continue;
        Cwxx(c.ui, QStringLiteral("全校的") + courseName(s, x) + QStringLiteral("星期") + Xqm(d) +
                       QStringLiteral("第") + Szc(p) + QStringLiteral("节的班级数为") + Szc(count) +
                       QStringLiteral("，大于设定值") + Szc(s.Szlz(6, k)) + QStringLiteral("！"));
        ++shown;
      }
    }
  }
  return shown;
}

}  // namespace tavro
