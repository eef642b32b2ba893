#include "export/names.h"

#include <algorithm>
#include <cmath>

#include "core/cells.h"
#include "core/procedures.h"
#include "core/texts.h"
#include "sheets/range.h"

namespace tavro {

namespace {

const QChar kFull(0x3000);

// Factor of a body font size for column widths.
double sizeFactor(double size) {
  static const std::pair<double, double> table[] = {
      {9, 9.5},   {10, 10.5},  {10.5, 11.3}, {11, 12.1}, {12, 12.7}, {14, 15},
      {15, 16.3}, {16, 17.25}, {18, 19.5},   {20, 22.4}, {22, 24},   {24, 26.5},
      {26, 29.2}, {28, 32},    {36, 40},     {42, 44},   {48, 54},   {72, 84}};
  for (const auto& [s, f] : table)
    if (s == size) return f;
  return size * 1.15;
}

// Number of decimal digits of n.
int digits(int n) {
  return static_cast<int>(Szc(std::max(n, 0)).size());
}

// The names of the teachers of combined lesson n for class (nj, bj).
QString combinedTeachers(const ExportCtx& c, int n, int nj, int bj) {
  if (!c.s.Hbk.has(5, n)) return QString();
  const QString teachers = c.s.Hbk(5, n);
  if (teachers == QStringLiteral("班主任")) return c.s.Bzr.has(nj, bj) ? HJsm(c, c.s.Bzr(nj, bj)) : QString();
  QString names;
  for (int k = 0; k < codeCount(teachers, 3); ++k) names += HJsm(c, ValInt(codeAt(teachers, 3, k)));
  return names;
}

// A combined lesson's word ("全校合班课　", "多级合班课　", "多班　　　　") cut to the cell width w,
// so that it takes one line of the cell: whole from 6 characters, else its first 5 or 4 characters,
// its first 2 ("全校", "多级", "多班") for 2 or 3, its first for 1.
QString fitCombinedWord(const QString& word, int w) {
  if (w >= 4) return word.left(std::min(w, 6));
  return word.left(w >= 2 ? 2 : 1);
}

}  // namespace

QString padFull(const QString& text, int n) {
  return text.size() >= n ? text : text + QString(n - text.size(), kFull);
}

QString trimRight(QString text) {
  while (!text.isEmpty() && (text.back() == u' ' || text.back() == kFull)) text.chop(1);
  return text;
}

QString fullBlanks(int n) {
  return n > 0 ? QString(n, kFull) : QString();
}

QString schoolName(const School& s) {
  return trimRight(s.Xxmc);
}

QString HKcmc(const ExportCtx& c, int k) {
  if (!c.s.Kcmc.has(k)) return QString();
  if (c.st.Kcmxs != 1) return c.s.Kcmc(k);
  QString name = trimRight(c.s.Kcjc(k));
  if (name.size() == 1 && c.s.Kcjccd == 2) name += kFull;
  return name;
}

QString HBjjc(const School& s, int nj, int bj) {
  QString name = s.Bjmc(nj, bj);
  name.remove(kFull);
  name = name.trimmed();
  if (name.size() > 1 && name.endsWith(u'班')) name.chop(1);
  return name;
}

QString HBjmc(const ExportCtx& c, int nj, int bj) {
  if (!c.s.Bjmc.has(nj, bj)) return QString();
  return c.st.Bjmxs == 1 ? HBjjc(c.s, nj, bj) : c.s.Bjmc(nj, bj);
}

QString HJsm(const ExportCtx& c, int t) {
  if (t <= 0 || t > c.s.Jss || !c.s.Jsmc.has(t)) return QString();
  if (c.f.OptJsm == 1) return c.s.Jsmc(t);
  const QString shortName = c.s.Jsjc.has(t) ? c.s.Jsjc(t) : QString();
  if (!shortName.isEmpty()) return shortName;
  return QString(c.s.Jsmc(t)).remove(kFull).left(2);
}

QString HRkjsm(const ExportCtx& c, int layer, int nj, int bj, int xq, int jc) {
  const QString cell = c.s.Kb(layer, xq, jc, nj, bj);
  if (isCombinedCell(cell)) return combinedTeachers(c, cellTeacher(cell), nj, bj);
  return HJsm(c, cellTeacher(cell));
}

QString HRkbjm(const ExportCtx& c, int layer, int xq, int jc, int t, int w) {
  const QString cell = c.s.Jskb(layer, xq, jc, t);
  if (!isTeacherCombinedCell(cell)) return HBjmc(c, teacherCellGrade(cell), teacherCellClass(cell));
  const int n = teacherCellCombined(cell);
  if (!c.s.Hbk.has(2, n)) return QString();
  if (c.s.Hbk(2, n) == QStringLiteral("0000")) return fitCombinedWord(QStringLiteral("全校合班课　"), w);
  if (c.s.Hbbj.has(n) && codeCount(c.s.Hbbj(n), 4) > 1)
    return fitCombinedWord(QStringLiteral("多级合班课　"), w);
  const QString names = QString(Hbbjmc(c.s, n)).remove(kFull);
  return names.size() > w ? fitCombinedWord(QStringLiteral("多班　　　　"), w) : names;
}

QString HXqmc(const ExportCtx& c, int d, int w, bool schoolMaster) {
  if (c.s.Mzts <= 7) return Xqm(d);
  const bool firstOdd = c.f.Dszbz.startsWith(u'1');
  const bool secondWeek = d > 7;
  const QString name = Xqm(secondWeek ? d - 7 : d);
  const bool odd = firstOdd != secondWeek;
  QString word = odd ? QStringLiteral("单周") : QStringLiteral("双周");
  if (c.s.Hsdm == 1 && !schoolMaster) {
    if (w <= 1) return name;
    if (w == 2) word = word.left(1);
  }
  return word + name;
}

int HKbgkd(const ExportCtx& c) {
  const RunState& st = c.st;
  const int t = c.f.ChkBnfjs ? st.Jsmkd : 0;
  switch (c.f.Kbzl) {
    case 0:
      return std::max(st.Kcmkd, t);
    case 4:
      return std::max({st.Kcmkd, t, c.s.Hsdm == 1 ? st.Bjmkd : 0});
    case 1:
      return std::max(st.Kcmkd, st.Bjmkd);
    case 3: {
      int w = std::max(st.Kcmkd, st.Bjmkd);
      if (c.s.Hsdm == 1) w = std::max(w, st.Jsmkd);
      if (c.f.ChkBwfjs) w = std::max({w, st.Jsmkd, digits(c.s.Jss)});
      return w;
    }
    default:
      return st.Jsmkd + st.Bjmkd;
  }
}

double HXzlk(double zwzh, int x) {
  return x * sizeFactor(zwzh) / (x == 1 ? 5.0 : 6.0);
}

double Hxqrqjclk(const ExportCtx& c) {
  if (c.s.Hsdm == 1) return HXzlk(c.f.Zwzh, digits(c.s.Mtjs)) + 0.2;
  return HXzlk(c.f.Zwzh, c.s.Mzts > 7 ? 3 : 2) + 0.2;
}

void textCells(Sheet& sh, int lastCol) {
  sh.range(CellRange{1, 1, kMaxRows, std::max(1, lastCol)}).numberFormat(QStringLiteral("@"));
}

void A1ztzhyhzd(const ExportCtx& c, Sheet& sh) {
  sh.range(1, 1, 1, 1).fontName(c.f.Btzt).fontSize(c.f.Btzh);
}

void A2Xztzhyhzd(const ExportCtx& c, Sheet& sh, int lastCol) {
  const int last = std::max(2, sh.lastRow());
  sh.range(2, 1, last, std::max(1, lastCol)).fontName(c.f.Zwzt).fontSize(c.f.Zwzh);
}

void Erbzbbt(const ExportCtx& c, Sheet& sh, int lastCol) {
  sh.range(1, 1, 2, std::max(1, lastCol)).wrap(false).hAlign(HAlign::Centre).fillIndex(2);
  A1ztzhyhzd(c, sh);
  sh.setRowHeight(1, 30.75);
  A2Xztzhyhzd(c, sh, lastCol);
}

}  // namespace tavro
