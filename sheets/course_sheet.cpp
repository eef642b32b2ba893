#include "sheets/course_sheet.h"

#include <algorithm>

#include "core/procedures.h"
#include "core/vbtext.h"
#include "sheets/sheet_operation.h"
#include "sheets/sheet_reading.h"
#include "sheets/sheetops.h"

namespace tavro {

namespace {

struct ResearchRecord {
  QString times;
  int course = 0;
};

bool refuse(Ctx& c, const QString& text) {
  Cwxx(c.ui, text);
  return false;
}

// Step 3.1: row 6 must stay "空课" with short name "╳" and number 0.
bool checkEmptyCourse(Ctx& c, const Sheet& sh, int n) {
  if (sh.text(6, 3) == "╳" && sh.text(6, 2) == "空课" && n == 0) return true;
  return refuse(c, "“空课”不能删除和修改，而且一定要放在最前面，序号为“0”！请在Excel表格中恢复“空课”！");
}

// Steps 3.2 and 3.3: name of 2 to 6 and short name of at most 2 characters.
bool readCourseNames(Ctx& c, const Sheet& sh, int r, int n) {
  School& s = c.s;
  s.Kcmc(n) = sh.text(r, 2);
  if (s.Kcmc(n).size() < 2 || s.Kcmc(n).size() > 6)
    return refuse(c, "序号为" + Szc(n) + "的课程名称“" + shownValue(s.Kcmc(n)) +
                         "”的字数不合要求！需要在Excel表中修改成2～6字，然后保存，重新导入。");
  s.Kcmcd = std::max(s.Kcmcd, static_cast<int>(s.Kcmc(n).size()));
  s.Kcjc(n) = sh.text(r, 3);
  if (s.Kcjc(n).size() > 2)
    return refuse(c, "序号为" + Szc(n) + "的课程简称“" + shownValue(s.Kcjc(n)) +
                         "”的字数不合要求！需要在Excel表中修改成1～2字，然后保存，重新导入。");
  s.Kcjccd = std::max(s.Kcjccd, static_cast<int>(s.Kcjc(n).size()));
  return true;
}

// Steps 3.4 to 3.6: kind, the simultaneous-class limit (setting column 6) and banned periods.
void readCourseSettings(Ctx& c, const Sheet& sh, int r, int n) {
  School& s = c.s;
  s.Kczf(n) = sh.text(r, 4).isEmpty() ? 2 : ValInt(sh.text(r, 4));
  if (!sh.text(r, 5).isEmpty()) {
    const int i = ValInt(s.Szlmc(6, 0)) + 1;
    s.Szlmc(6, 0) = Szc(i);
    s.Szlmc(6, i) = sh.text(r, 2).leftJustified(6, u'　');
    s.Szlz(6, i) = ValInt(sh.text(r, 5));
  }
  QString flags = "11111111";
  for (int p = 1; p <= std::min(s.Mtjs, 8); ++p) {
    const QString flag = sh.text(r, courseFlagColumn(p));
    if (flag == "y" || flag == "Y") flags[p - 1] = u'0';
  }
  s.Mtjp(n) = flags;
}

// Step 3.7: the course's weekly research periods, noted in Jysj and kept as a record.
bool readResearch(Ctx& c, const Sheet& sh, int r, int n, std::vector<ResearchRecord>& records) {
  School& s = c.s;
  if (sh.text(r, researchDayColumn(s)).isEmpty()) return true;
  const double day = sh.number(r, researchDayColumn(s));
  if (!wholeIn(day, 1, s.Mzts))
    return refuse(c, "序号为" + Szc(n) + "的课程的教研活动星期" +
                         shownValue(sh.text(r, researchDayColumn(s))) + "不在1和" + Szc(s.Mzts) +
                         "间！请在Excel课程数据表中修改，然后保存，重新导入。");
  ResearchRecord rec{QString(), n};
  int periods = 0;
  for (int p = 1; p <= s.Mtjs; ++p) {
    const QString flag = sh.text(r, researchFlagColumn(s, p));
    if (flag != "y" && flag != "Y") continue;
    rec.times += Lbq(2, day) + Lbq(2, p);
    if (periods++ == 0) s.Jysj(0, 2, n) = p;
  }
  s.Jysj(0, 1, n) = static_cast<int>(day);
  s.Jysjs(0, n) = periods;
  records.push_back(rec);
  return true;
}

// Step 3: every course row.
bool readCourseRows(Ctx& c, const Sheet& sh, std::vector<ResearchRecord>& records) {
  School& s = c.s;
  for (int r = 6; r <= s.Kcs + 5; ++r) {
    const double number = sh.number(r, 1);
    if (r == 6 && !checkEmptyCourse(c, sh, wholeIn(number, 0, 0) ? 0 : -1)) return false;
    if (!wholeIn(number, 0, s.Kcs - 1))
      return refuse(c, "第" + Szc(r) + "行的课程序号" + shownValue(sh.text(r, 1)) + "不在0和" +
                           Szc(s.Kcs - 1) + "之间！请在Excel课程数据表中修改，然后保存，重新导入。");
    const int n = static_cast<int>(number);
    if (!readCourseNames(c, sh, r, n)) return false;
    readCourseSettings(c, sh, r, n);
    if (!readResearch(c, sh, r, n, records)) return false;
    c.ui.progress(10 + (r - 4) * 80 / s.Kcs);
  }
  return true;
}

// The teachers a blocked-period record names: all head teachers, all teachers, or its list of
// 3-digit numbers (a number above Jss is asked for again). nullopt when the user gave no answer.
std::optional<std::vector<int>> recordTeachers(Ctx& c, int w) {
  School& s = c.s;
  std::vector<int> teachers;
  const QString who = s.Hyjy(4, w);
  if (who == "全体班主任") {
    for (int nj = s.Snj; nj <= s.Mnj; ++nj)
      for (int bj = 1; bj <= s.Njbjs(nj); ++bj)
        if (s.Bzr.has(nj, bj) && s.Bzr(nj, bj) > 0) teachers.push_back(s.Bzr(nj, bj));
    return teachers;
  }
  if (who == "全体教师") {
    for (int t = 1; t <= s.Jss; ++t) teachers.push_back(t);
    return teachers;
  }
  for (int i = 0; i + 3 <= who.size(); i += 3) {
    const int given = ValMid(who, i, 3);
    int t = given;
    while (t > s.Jss || (t != given && t < 1)) {
      const std::optional<QString> answer = c.ui.input(
          "第" + Szc(w) + "次“不排”（原因：" + s.Hyjy(2, w) + "）的" + "第" + Szc(i / 3 + 1) +
          "位教师的序号" + Szc(given) + "大于教师数" + Szc(s.Jss) + "，需修改！请用半角数字输入第" + Szc(w) +
          "次不排的新的教师代码（1～" + Szc(s.Jss) + "）" + ":");
      if (!answer) return std::nullopt;
      t = ValInt(*answer);
    }
    if (t != given) s.Hyjy(4, w).replace(i, 3, Lbq(3, t));
    if (t >= 1) teachers.push_back(t);
  }
  return teachers;
}

// Step 4: every record that names teachers blocks their cells in both layers of Jskb.
bool markBlockedCells(Ctx& c) {
  School& s = c.s;
  for (int w = 1; w <= s.Hyjys; ++w) {
    const QString reason = s.Hyjy(2, w);
    const QString code = reason.endsWith("会议") ? "6" : reason.endsWith("教研活动") ? "7" : "2";
    if (s.Hyjy(4, w).startsWith("年级")) continue;
    const std::optional<std::vector<int>> teachers = recordTeachers(c, w);
    if (!teachers) return false;
    const QString times = s.Hyjy(1, w);
    for (int t : *teachers)
      for (int i = 0; i + 4 <= times.size(); i += 4) {
        const int day = ValMid(times, i, 2), period = ValMid(times, i + 2, 2);
        s.Jskb(1, day, period, t) = code;
        s.Jskb(2, day, period, t) = code;
      }
  }
  return true;
}

// Step 5: names and short names of courses 1..Kcs-1 must differ.
bool checkCourseDuplicates(Ctx& c) {
  const School& s = c.s;
  for (int i = 1; i < s.Kcs; ++i)
    for (int j = i + 1; j < s.Kcs; ++j) {
      QString what, same;
      if (s.Kcmc(i) == s.Kcmc(j)) {
        what = "号课程的名称相同，都是“";
        same = s.Kcmc(i);
      } else if (s.Kcjc(i) == s.Kcjc(j)) {
        what = "号课程的简称相同，都是“";
        same = s.Kcjc(i);
      } else {
        continue;
      }
      return refuse(c, Szc(i) + "号课程" + "和" + Szc(j) + what + same +
                           "”，需要在Excel表中修改，然后保存，重新导入。");
    }
  return true;
}

// Adds the research records (who: the course) after the checks passed.
void addResearchRecords(School& s, const std::vector<ResearchRecord>& records) {
  const int first = s.Hyjys + 1;
  s.sizeBlockRecords(s.Hyjys + static_cast<int>(records.size()));
  for (int i = 0; i < static_cast<int>(records.size()); ++i) {
    s.Hyjy(1, first + i) = records[i].times;
    s.Hyjy(2, first + i) = "教研活动";
    s.Hyjy(3, first + i) = "n";
    s.Hyjy(4, first + i) = "年级全校课程" + Lbq(3, records[i].course);
  }
}

// Step 6: pads names and short names so that they line up in lists and grids.
void padCourseNames(School& s) {
  for (int k = 0; k < s.Kcs; ++k) {
    if (s.Kcmcd < 3 && s.Kcjccd == 2 && s.Kcjc(k).size() == 1) s.Kcjc(k) = "　" + s.Kcjc(k);
    if (s.Kcmcd >= 3) s.Kcmc(k) = s.Kcmc(k).leftJustified(s.Kcmcd, u'　');
  }
}

// Clears what an earlier, stopped course import left in the tables it fills from scratch.
void resetCourses(School& s) {
  s.Kcmcd = s.Kcjccd = 0;
  for (int i = s.Szlmc.lo(1); i <= s.Szlmc.hi(1); ++i) s.Szlmc(6, i) = QString();
  for (int i = s.Szlz.lo(1); i <= s.Szlz.hi(1); ++i) s.Szlz(6, i) = 0;
  s.Jysj.fill(0);
  s.Jysjs.fill(0);
}

SheetOutcome generateCourseSheet(Ctx& c) {
  c.ui.status("正在产生课程数据表……");
  Workbook book = Xjgzb();
  Sheet& sh = book.first();
  writeCourseTemplate(sh, c.s);
  Dcbgjw(sh, c.ui, c.st);
  c.st.CmdKcCaption = "3、导入课程";
  return saveTemplate(c, book, kCourseSheet) ? SheetOutcome::TemplateWritten : SheetOutcome::Stopped;
}

}  // namespace

bool importCourseSheet(Ctx& c, const Sheet& sh) {
  School& s = c.s;
  if (s.Kcydr == 1) {
    Tsxx(c.ui, "已从本Excel表格导入课程数据！");
    return false;
  }
  c.st.CmdKcCaption = "3、导入课程";
  c.ui.status("正在导入课程数据……");
  c.ui.progress(10);
  resetCourses(s);
  std::vector<ResearchRecord> research;
  if (!readCourseRows(c, sh, research) || !markBlockedCells(c) || !checkCourseDuplicates(c)) return false;
  addResearchRecords(s, research);
  padCourseNames(s);
  c.st.LstKc.clear();
  for (int k = 0; k < s.Kcs; ++k) c.st.LstKc.addItem(Lbq(3, k) + s.Kcmc(k));
  c.ui.progress(100);
  c.st.Drcg[2] = true;
  c.st.CmdHbEnabled = c.st.CmdBjEnabled = true;
  s.Kcydr = 1;
  return true;
}

SheetOutcome courseSheetOperation(Ctx& c) {
  return runSheetOperation(c, [&] {
    OpenedSheet opened;
    if (!openSheetOrStop(c, kCourseSheet, opened)) return SheetOutcome::Stopped;
    if (!opened.opened) return generateCourseSheet(c);
    return importCourseSheet(c, opened.book.first()) ? SheetOutcome::Imported : SheetOutcome::Stopped;
  });
}

SheetOutcome CmdKc_Click(Ctx& c) {
  const SheetOutcome outcome = courseSheetOperation(c);
  if (outcome == SheetOutcome::TemplateWritten) tellTemplatesWritten(c, {kCourseSheet});
  return outcome;
}

}  // namespace tavro
