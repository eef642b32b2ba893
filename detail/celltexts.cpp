// Cell texts of the detailed timetable window and the condensed subject list of
// its teacher view.

#include "detail/celltexts.h"

#include <algorithm>

#include "core/cells.h"
#include "core/listbox.h"
#include "core/procedures.h"
#include "core/vbtext.h"
#include "detail/tabletext.h"

namespace tavro {

using detail::entry;

namespace {

const QChar kFull = QChar(0x3000);  // full-width space "　"

// A 2-character name spread to 3: first character, "　", second character.
QString spread(const QString& name) {
  return name.size() == 2 ? name.left(1) + kFull + name.right(1) : name;
}

// a / b rounded half to even, as the school's old lists counted their items.
int roundHalfEven(int a, int b) {
  if (b <= 0) return 0;
  const int q = a / b, r = a % b;
  if (2 * r > b || (2 * r == b && q % 2 == 1)) return q + 1;
  return q;
}

// Number of decimal digits of n (n >= 0).
int digits(int n) {
  return static_cast<int>(QString::number(n).size());
}

// The activity names that a wide block spells out in full.
QString activityName(const QString& course) {
  const QString head = course.left(2);
  if (head == QStringLiteral("体活")) return QStringLiteral("体育活动");
  if (head == QStringLiteral("娱活")) return QStringLiteral("文娱活动");
  if (head == QStringLiteral("科活")) return QStringLiteral("科技活动");
  if (head == QStringLiteral("课活")) return QStringLiteral("课外活动");
  return QString();
}

}  // namespace

int HGkd(const School& s) {
  return std::max(s.Jsmcd, s.Kcmcd);
}

CellTexts::CellTexts(const School& s, int layer, const QString& zt)
    : s_(s), layer_(layer), zt_(zt), gkd_(HGkd(s)) {}

QString CellTexts::pad(const QString& block) const {
  return block.leftJustified(gkd_, kFull);
}

QString CellTexts::courseBlock(int k) const {
  const QString name = entry(s_.Kcmc, k);
  if (gkd_ > 3) {
    const QString activity = activityName(name);
    if (!activity.isEmpty()) return activity;
  }
  return spread(name);
}

CellBlocks CellTexts::HBbyjknr(int xq, int jc, int nj, int bj) const {
  const QString c = entry(s_.Kb, layer_, xq, jc, nj, bj);
  if (c.isEmpty() || c.left(3) == QStringLiteral("000")) return {QString(5, kFull), QString()};
  const QString teacher = cellTeacher(c) != 0 ? HRkjsm(nj, bj, xq, jc) : QString();
  return {pad(courseBlock(cellCourse(c))), pad(teacher)};
}

QString CellTexts::HRkjsm(int nj, int bj, int xq, int jc) const {
  const QString c = entry(s_.Kb, layer_, xq, jc, nj, bj);
  const int t = cellTeacher(c);
  if (!isCombinedCell(c)) return entry(s_.Jsmc, t);
  const QString teachers = entry(s_.Hbk, 5, t);
  if (teachers == QStringLiteral("班主任")) return entry(s_.Jsmc, s_.Bzr.has(nj, bj) ? s_.Bzr(nj, bj) : 0);
  if (teachers == QStringLiteral("000")) return QString(std::max(s_.Jsmcd, 0), kFull);
  if (teachers.size() / 3 != s_.Jss) return HJsmjh(teachers);
  return QStringLiteral("全部教师");
}

QString CellTexts::countText(int n) const {
  const QString count = Qjkg(digits(n), n);
  const bool withUnit = digits(n) < gkd_ || zt_ == QStringLiteral("查班");
  return withUnit ? count + QStringLiteral("人") : count;
}

// Rule 3 of the combined-lesson teachers: all names when they fit, else a count, else one
// character per teacher, else two. Where only one character per teacher fits, it is the first
// character of the name, the family name the staff call each other by (张, 李).
QString CellTexts::HJsmjh(const QString& codes) const {
  const int n = static_cast<int>(codes.size()) / 3;
  QStringList names;
  for (int i = 0; i < n; ++i) names << entry(s_.Jsmc, ValMid(codes, 3 * i, 3)).leftJustified(s_.Jsmcd, kFull);
  const QString amp = QStringLiteral("＆");
  if (gkd_ >= n * s_.Jsmcd) return names.join(gkd_ >= n * s_.Jsmcd + n - 1 ? amp : QString());
  if (gkd_ < n) return countText(n);
  QStringList parts;
  if (gkd_ < 2 * n) {
    for (const QString& name : names) parts << name.left(1);
    return parts.join(gkd_ >= 2 * n - 1 ? amp : QString());
  }
  for (const QString& name : names)
    parts << (name.mid(1, 1) == kFull ? name.left(1) + name.mid(2, 1) : name.mid(1, 2));
  return parts.join(gkd_ >= 3 * n - 1 ? amp : QString());
}

// Marks of blocked periods. The codes 3, 4, 5 and 9 (and any other value below 10) have no
// text of their own; they show "●" like a period the teacher asked to keep free, so that the
// period never looks free.
QString CellTexts::blockedMark(int value) const {
  auto twoCharacters = [this](const QString& a, const QString& b) {
    return gkd_ > 2 ? a + kFull + b : a + b;
  };
  switch (value) {
    case 1:
      return QStringLiteral("╳");
    case 6:
      return twoCharacters(QStringLiteral("会"), QStringLiteral("议"));
    case 7:
      return twoCharacters(QStringLiteral("教"), QStringLiteral("研"));
    case 8:
      return twoCharacters(QStringLiteral("备"), QStringLiteral("课"));
    default:
      return QStringLiteral("●");
  }
}

QString CellTexts::teacherCourseText(int k) const {
  const QString name = entry(s_.Kcmc, k);
  if (gkd_ == 3 && s_.Kcmcd == 2) return spread(name);
  return name;
}

QString CellTexts::combinedClassBlock(int n, int ssh) const {
  const int w = ValInt(entry(s_.Hbk, 1, n));
  auto headClass = [&] {
    const QString code = Bzrbj(s_, ssh);
    return code.isEmpty() ? QString() : shortClassName(s_, ValMid(code, 0, 2), ValMid(code, 2, 2));
  };
  if (w < 7 && w != 5) return QStringLiteral("全校统一").left(gkd_);
  if (w == 5) return headClass();
  if (w == 7) {
    if (entry(s_.Hbk, 5, n) == QStringLiteral("班主任")) return headClass();
    return entry(s_.Hbbj, n).isEmpty() ? QString() : QStringLiteral("年级统一").left(gkd_);
  }
  if (w == 8) {
    const QString classes = entry(s_.Hbk, 2, n);
    if (classes.size() == 4) return shortClassName(s_, ValMid(classes, 0, 2), ValMid(classes, 2, 2));
    return QStringLiteral("多班统一").left(gkd_);
  }
  return QString();
}

QString CellTexts::ordinaryCourseBlock(const QString& course) const {
  if (course.startsWith(QStringLiteral("班会")) || course.startsWith(QStringLiteral("校会")))
    return course.left(2);
  if (course.startsWith(QStringLiteral("校班会")))
    return gkd_ > 2 ? QStringLiteral("校班会") : QStringLiteral("班会") + kFull;
  return course;
}

CellBlocks CellTexts::HSbyjknr(int xq, int jc, int ssh) const {
  if (ssh <= 0) return {};
  const QString c = entry(s_.Jskb, layer_, xq, jc, ssh);
  const double v = Val(c);
  if (v == 0) return {pad(QString(kFull)), pad(QString())};
  if (v < 10) return {pad(blockedMark(static_cast<int>(v))), pad(QString())};
  const QString course = teacherCourseText(cellCourse(c));
  if (isTeacherCombinedCell(c)) return {pad(course), pad(combinedClassBlock(teacherCellCombined(c), ssh))};
  const int g = ValMid(c, 3, 4);
  return {pad(ordinaryCourseBlock(course)), pad(shortClassName(s_, g / 100, g % 100))};
}

QString shortClassName(const School& s, int nj, int bj) {
  const QString name = entry(s.Bjmc, nj, bj);
  if (name.startsWith(kFull) || (name.startsWith(u'小') && s.Xxlx == 7)) return name.mid(1);
  return name;
}

namespace {

// Width of one item of a subject list: a short course name and a 2-character grade label. The
// short names all have one character when the longest has one (Kcjccd 1); otherwise a 1-character
// short name was given a leading "　", so every item has 4 characters.
int itemWidth(const School& s) {
  return s.Kcjccd == 1 ? 3 : 4;
}

// Step 1 and 2: the items sorted, with full course names when asked.
QString sortedItems(const School& s, const QString& list, bool fullNames) {
  ListBox sorted(true);
  const int width = itemWidth(s), shortWidth = width - 2;
  const int items = roundHalfEven(static_cast<int>(list.size()), width);
  for (int i = 0; i < items; ++i) sorted.addItem(list.mid(width * i, width));
  QString out;
  for (const QString& item : sorted.items()) {
    if (!fullNames) {
      out += item;
      continue;
    }
    for (int g = 1; g <= s.Kcs; ++g)
      if (entry(s.Kcjc, g) == item.left(shortWidth)) out += entry(s.Kcmc, g) + item.mid(shortWidth);
  }
  return out;
}

// Step 3: each course name stands only at its first item.
void blankRepeatedCourses(const School& s, QString& list, bool fullNames) {
  const int w = fullNames ? s.Kcmcd : (s.Kcjccd == 2 ? 2 : 1);
  const int width = w + 2;
  const int m = roundHalfEven(static_cast<int>(list.size()), width);
  for (int i = m - 1; i >= 1; --i) {
    const QString head = list.mid(i * width, w);
    bool earlier = false;
    for (int j = 0; j < i && !earlier; ++j) earlier = list.mid(j * width, w) == head;
    if (!earlier) continue;
    for (int p = i * width; p < i * width + w && p < list.size(); ++p) list[p] = u' ';
  }
}

}  // namespace

void Clrkqk(const School& s, QString& list, bool fullNames) {
  list = sortedItems(s, list, fullNames);
  if (list.size() > 4) blankRepeatedCourses(s, list, fullNames);
  list.remove(kFull);
  list.remove(u' ');
  if (s.Xxlx == 7) list.remove(u'小');
}

}  // namespace tavro
