// The course sheet template: headings, the default course list with its kinds,
// banned periods, limits and a sample research period, and the formatting.

#include <QStringList>
#include <cmath>

#include "core/procedures.h"
#include "sheets/course_sheet.h"
#include "sheets/range.h"
#include "sheets/sheet_operation.h"

namespace tavro {

namespace {

const QStringList kDefaultCourses = {
    "空课(╳)3",  "语文(语)1", "数学(数)1", "外语(外)1", "物理(物)2", "化学(化)2", "政治(政)2", "历史(历)2",
    "地理(地)2", "生物(生)2", "体育(体)3", "美术(美)3", "音乐(音)3", "劳技(劳)3", "信息(信)3", "科学(科)3",
    "人口(人)3", "健康(健)3", "写字(写)3", "研究(研)2", "选修(选)2", "班会(班)3", "自习(自)3", "体活(育)3",
    "娱活(娱)3", "科活(技)3", "课活(活)3", "艺术(艺)3", "思品(思)2", "社会(社)2", "自然(然)2", "劳动(动)2"};

int lastCourseColumn(const School& s) {
  return 2 * s.Mtjs + 6;
}

// "上午" over periods 1..Swjs and "下午" over the rest, on row, from column first.
void writeHalfDays(Sheet& sh, const School& s, int row, int first) {
  if (s.Swjs > 0) putMerged(sh, row, first, row, first + s.Swjs - 1, "上午").hAlign(HAlign::Centre);
  if (s.Xwjs > 0) putMerged(sh, row, first + s.Swjs, row, first + s.Mtjs - 1, "下午").hAlign(HAlign::Centre);
}

void writeCourseHeadings(Sheet& sh, const School& s) {
  const int last = lastCourseColumn(s);
  sh.range(CellRange{1, 2, kMaxRows, last}).numberFormat("@");
  putMerged(sh, 1, 1, 1, last, "课程数据表");
  sh.setText(
      2, 1,
      "说明：不能改动格式。淡黄色区域用户可以编辑，但“空课”不能修改名称和位置，也不能删除。课程数最大999。");
  const QStringList row3 = {"课程序号", "课程名称", "课程简称", "课程主副", "全校同时\n上的最大\n班级数"};
  const QStringList row4 = {"不能改动", "2～6字", "1～2字", "主科:1；普通:不填；副课:2",
                            "根据专用教室或场地的数量填数"};
  for (int col = 1; col <= 5; ++col) {
    sh.setText(3, col, row3.at(col - 1));
    sh.setText(4, col, row4.at(col - 1));
  }
  putMerged(sh, 3, courseFlagColumn(1), 3, courseFlagColumn(s.Mtjs), "每天禁排的节次（是:y；否:不填）");
  writeHalfDays(sh, s, 4, courseFlagColumn(1));
  putMerged(sh, 3, researchDayColumn(s), 3, last, "教研活动（填法见示例：语文教研星期一第5、6节）");
  sh.setText(4, researchDayColumn(s), "星期");
  writeHalfDays(sh, s, 4, researchFlagColumn(s, 1));
  for (int p = 1; p <= s.Mtjs; ++p) {
    sh.setText(5, courseFlagColumn(p), Szc(p));
    sh.setText(5, researchFlagColumn(s, p), Szc(p));
  }
}

// One default course row: number, name, short name, kind digit and banned periods.
void writeDefaultCourse(Sheet& sh, School& s, int k) {
  const int r = k + 6;
  const QString item = defaultCourseItem(k);
  sh.setNumber(r, 1, k);
  sh.setText(r, 2, item.left(2));
  sh.setText(r, 3, item.mid(3, 1));
  const QString digit = item.right(1);
  if (digit == "1" || digit == "3") sh.setText(r, 4, digit);
  int kind = 2;
  const QString flags = Zkczfqmrz(s, item.left(2), kind);
  s.Kcmc(k) = item.left(2);
  s.Kcjc(k) = item.mid(3, 1);
  s.Kczf(k) = kind;
  s.Mtjp(k) = flags.left(8);
  for (int p = 1; p <= s.Mtjs; ++p)
    if (flags.at(p - 1) == u'0') sh.setText(r, courseFlagColumn(p), "y");
}

// Default limits of special rooms and the sample research period of 语文.
void writeDefaultLimits(Sheet& sh, const School& s) {
  const auto limit = [&](int course, const QString& value) {
    if (course < s.Kcs) sh.setText(course + 6, 5, value);
  };
  const QString fifth = Szc(std::floor(s.Bjzs / 5.0 + 0.5));
  limit(4, fifth);
  limit(5, fifth);
  limit(10, fifth);
  limit(12, "1");
  limit(14, Szc(std::floor(s.Bjzs / 10.0 + 0.5)));
  if (s.Kcs < 2) return;
  sh.setText(7, researchDayColumn(s), "1");
  for (int p = s.Swjs + 1; p <= std::min(s.Swjs + 2, s.Mtjs); ++p)
    sh.setText(7, researchFlagColumn(s, p), "y");
}

void formatCourseTemplate(Sheet& sh, const School& s) {
  const int last = lastCourseColumn(s);
  const int lastRow = s.Kcs + 5;
  sh.range("A1").fontSize(16).bold();
  sh.range(2, 1, 2, last).fillIndex(2);
  if (lastRow >= 7) sh.range(7, 2, lastRow, last).fillIndex(36);
  sh.range("3:3").rowHeight(45);
  sh.range("4:5").rowHeight(18);
  sh.range(3, 1, 5, last).wrap().hAlign(HAlign::Centre).vAlign(VAlign::Centre);
  sh.range(4, 1, 4, 5).fontSize(9);
  sh.range("A:A").columnWidth(4.5);
  sh.range("B:B").columnWidth(6.5);
  sh.range("C:C").columnWidth(6.5);
  sh.range("D:E").columnWidth(9);
  sh.range(1, courseFlagColumn(1), 1, last).columnWidth(2.13);
  sh.range(1, researchDayColumn(s), 1, researchDayColumn(s)).columnWidth(3.5);
  sh.range(6, 1, std::max(lastRow, 6), last).hAlign(HAlign::Centre);
  sh.range(3, 1, std::max(lastRow, 6), last).grid(Line::Thin);
  sh.range(3, 1, std::max(lastRow, 6), last)
      .border(Edge::OutlineTop, Line::Medium)
      .border(Edge::OutlineBottom, Line::Medium);
  sh.range(3, 1, std::max(lastRow, 6), last)
      .border(Edge::OutlineLeft, Line::Medium)
      .border(Edge::OutlineRight, Line::Medium);
  sh.range(3, 1, 5, last).border(Edge::OutlineBottom, Line::Medium);
  sh.range(3, 1, std::max(lastRow, 6), 5).border(Edge::OutlineRight, Line::Medium);
  sh.range(3, 1, std::max(lastRow, 6), researchDayColumn(s) - 1).border(Edge::OutlineRight, Line::Medium);
  sh.freezePanes(6, 3);
  fitToPageWidth(sh, true);
}

}  // namespace

int courseFlagColumn(int period) {
  return period + 5;
}
int researchDayColumn(const School& s) {
  return s.Mtjs + 6;
}
int researchFlagColumn(const School& s, int period) {
  return s.Mtjs + 6 + period;
}

QString defaultCourseItem(int k) {
  return k >= 0 && k < kDefaultCourses.size() ? kDefaultCourses.at(k) : QString();
}

QString Zkczfqmrz(const School& s, const QString& name, int& kind) {
  const QString n = QString(name).remove(u'　');
  const int tail = std::max(0, 20 - s.Mtjs);
  const QString allowed = QString(s.Mtjs, u'1') + QString(tail, u'0');
  const QString early = "00" + QString(std::max(0, s.Mtjs - 2), u'1') + QString(tail, u'0');
  const QStringList mains = {"数学", "语文", "外语", "英语"};
  const QStringList minors = {"班会", "校会", "美术", "音乐", "体育", "自习", "自修"};
  QString flags = allowed;
  if (mains.contains(n.left(2))) {
    kind = 1;
  } else if (minors.contains(n.left(2)) || n.left(3) == "校班会" || n.right(1) == "活") {
    kind = 3;
    flags = early;
  } else if (!n.startsWith("空课")) {
    kind = 2;
  }
  if (mains.contains(n.right(2))) {
    kind = 1;
    flags = allowed;
  } else if (n.right(2) == "空课") {
    kind = 2;
    flags = allowed;
  }
  return flags;
}

void writeCourseTemplate(Sheet& sh, School& s) {
  writeCourseHeadings(sh, s);
  for (int k = 0; k < s.Kcs; ++k) writeDefaultCourse(sh, s, k);
  writeDefaultLimits(sh, s);
  formatCourseTemplate(sh, s);
}

}  // namespace tavro
