#include "export/weekly.h"

#include <QDate>

#include "core/procedures.h"
#include "core/vbtext.h"
#include "export/names.h"

namespace tavro {

namespace {

// Item of block j of band `band` (0-based index into the set); -1 beyond the last item.
int itemIndex(const WeeklyLayout& lay, int band, int j) {
  const int i = (band - 1) * lay.m + j - 1;
  return i < lay.n ? i : -1;
}

// Code of item i: (grade, class) for classes, teacher number for teachers.
void itemCode(const WeeklyLayout& lay, int i, int& a, int& b) {
  if (lay.classes) {
    const QString code = codeAt(lay.items, 4, i);
    a = ValMid(code, 0, 2);
    b = ValMid(code, 2, 2);
  } else {
    a = ValInt(codeAt(lay.items, 3, i));
    b = 0;
  }
}

// The effective-date text "月日启用" of the header line.
QString dateText(const QDate& d) {
  return Ydq(2, d.month()) + QStringLiteral("月") + Ydq(2, d.day()) + QStringLiteral("日") +
         QStringLiteral("启用");
}

// The lesson text of item i at weekday d, period p (empty beyond the last item).
QString lessonText(ExportCtx& c, const WeeklyLayout& lay, int i, int d, int p, QStringList* entries) {
  if (i < 0) return QString();
  int a = 0, b = 0;
  itemCode(lay, i, a, b);
  if (lay.classes) return Bjbkcjsjshi(c, lay, a, b, d, p, entries).value;
  return Jsjshibkcbjjshijs(c, lay.layer, lay.w, d, p, a);
}

// Header rows and grid with one row per period (Hsdm = 1).
void periodRowsGrid(ExportCtx& c, Sheet& sh, const WeeklyLayout& lay, int band, int& r,
                    std::vector<QStringList>& entries) {
  const ExportForm& f = c.f;
  for (int j = 1; j <= lay.m; ++j) {
    const int c0 = lay.blockStart(j);
    sh.setText(r, c0, QStringLiteral("星期"));
    for (int k = 0; k < f.Dcxqs; ++k) sh.setText(r, c0 + 2 + k, HXqmc(c, ValMid(f.Dcxqjh, 2 * k, 2), lay.w));
  }
  ++r;
  const int numberWidth = f.Dcmj >= 10 ? 2 : 1;
  for (int q = 0; q < f.Dcjcs; ++q, ++r) {
    const int p = ValMid(f.Dcjcjh, 2 * q, 2);
    for (int j = 1; j <= lay.m; ++j) {
      const int c0 = lay.blockStart(j), i = itemIndex(lay, band, j);
      sh.setText(r, c0, Xsq5lE(f, p));
      sh.setText(r, c0 + 1, Qjkg(numberWidth, p));
      for (int k = 0; k < f.Dcxqs; ++k)
        sh.setText(r, c0 + 2 + k, lessonText(c, lay, i, ValMid(f.Dcxqjh, 2 * k, 2), p, &entries[j - 1]));
    }
  }
}

// Header rows and grid with one row per weekday (Hsdm = 0).
void weekdayRowsGrid(ExportCtx& c, Sheet& sh, const WeeklyLayout& lay, int band, int& r,
                     std::vector<QStringList>& entries) {
  const ExportForm& f = c.f;
  const bool oneChar = lay.w == 1;
  for (int j = 1; j <= lay.m; ++j) {
    const int c0 = lay.blockStart(j);
    sh.setText(r, c0, QStringLiteral("星期"));
    if (f.DcSwjs > 0)
      sh.setText(r, c0 + 1, f.DcSwjs == 1 && oneChar ? QStringLiteral("上") : QStringLiteral("上午"));
    if (f.DcXwjs > 0)
      sh.setText(r, c0 + 1 + f.DcSwjs,
                 f.DcXwjs == 1 && oneChar ? QStringLiteral("下") : QStringLiteral("下午"));
    for (int q = 0; q < f.Dcjcs; ++q) sh.setText(r + 1, c0 + 1 + q, Szc(ValMid(f.Dcjcjh, 2 * q, 2)));
  }
  r += 2;
  for (int k = 0; k < f.Dcxqs; ++k, ++r) {
    const int d = ValMid(f.Dcxqjh, 2 * k, 2);
    for (int j = 1; j <= lay.m; ++j) {
      const int c0 = lay.blockStart(j), i = itemIndex(lay, band, j);
      sh.setText(r, c0, HXqmc(c, d, lay.w));
      for (int q = 0; q < f.Dcjcs; ++q)
        sh.setText(r, c0 + 1 + q, lessonText(c, lay, i, d, ValMid(f.Dcjcjh, 2 * q, 2), &entries[j - 1]));
    }
  }
}

// Text without leading blanks (" " and "　").
QString trimLeft(const QString& text) {
  int k = 0;
  while (k < text.size() && (text.at(k) == u' ' || text.at(k) == QChar(0x3000))) ++k;
  return text.mid(k);
}

// The teacher-list rows of a band of class timetables.
void teacherListRows(ExportCtx& c, Sheet& sh, const WeeklyLayout& lay, int& r,
                     const std::vector<QStringList>& entries) {
  std::vector<QStringList> lines;
  for (const QStringList& list : entries) lines.push_back(teacherListLines(c, lay, list));
  for (int l = 0; l < lay.L; ++l, ++r) {
    for (int j = 1; j <= lay.m; ++j) {
      const QStringList& own = lines[j - 1];
      if (l < own.size()) sh.setText(r, lay.blockStart(j), trimLeft(own.at(l)));
    }
  }
}

// Writes one band of either kind.
void writeBand(ExportCtx& c, Sheet& sh, const WeeklyLayout& lay, int band, int& r) {
  for (int j = 1; j <= lay.m; ++j) sh.setText(r, lay.blockStart(j), c.f.Dcbt);
  ++r;
  Xsbsfnr(c, sh, lay, band, r);
  ++r;
  std::vector<QStringList> entries(lay.m);
  if (c.s.Hsdm == 1) {
    periodRowsGrid(c, sh, lay, band, r, entries);
  } else {
    weekdayRowsGrid(c, sh, lay, band, r, entries);
  }
  if (lay.list) teacherListRows(c, sh, lay, r, entries);
}

}  // namespace

void Xsbsfnr(ExportCtx& c, Sheet& sh, const WeeklyLayout& lay, int band, int r) {
  const QString date = dateText(c.f.Qyrq);
  for (int j = 1; j <= lay.m; ++j) {
    const int i = itemIndex(lay, band, j);
    if (i < 0) continue;
    int a = 0, b = 0;
    itemCode(lay, i, a, b);
    QString text = QStringLiteral("　") + schoolName(c.s);
    if (lay.classes) {
      text += trimRight(HBjmc(c, a, b)) + QStringLiteral("　");
      const int head = c.s.Bzr.has(a, b) ? c.s.Bzr(a, b) : 0;
      text += head > 0 ? HJsm(c, head) + QStringLiteral("　") : fullBlanks(c.st.Jsmkd + 2);
    } else if (c.f.ChkBwfjs) {
      text += Qjl(Szc(c.s.Jss).size(), a) + HJsm(c, a) + QStringLiteral("　");
    } else {
      text += trimRight(HJsm(c, a)) + QStringLiteral("　");
    }
    const int c0 = lay.blockStart(j);
    sh.setText(r, c0, text);
    sh.setText(r, c0 + lay.block - 2, date);
  }
}

void Xsbjzb(ExportCtx& c, Sheet& sh, const WeeklyLayout& lay, int band, int& r) {
  writeBand(c, sh, lay, band, r);
}

void Xsjsjshizb(ExportCtx& c, Sheet& sh, const WeeklyLayout& lay, int band, int& r) {
  writeBand(c, sh, lay, band, r);
}

void writeWeeklyTables(ExportCtx& c, Sheet& sh, const WeeklyLayout& lay) {
  int r = 1;
  for (int band = 1; band <= lay.bands; ++band) {
    if (lay.classes) {
      Xsbjzb(c, sh, lay, band, r);
    } else {
      Xsjsjshizb(c, sh, lay, band, r);
    }
    if (band < lay.bands) r += 2;
    c.f.progress = 100 * std::min(lay.n, band * lay.m) / std::max(1, lay.n);
    c.ui.progress(c.f.progress);
  }
  Zbdcjgs(c, sh, lay, 1);
  Fzzbge(sh, lay);
  weeklyPages(sh, lay);
}

}  // namespace tavro
