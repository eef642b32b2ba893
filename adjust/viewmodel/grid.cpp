// The class grid: cell texts and colours, repeats and temporary changes,
// headers, cell style and the course list beside the grid.

#include "adjust/gridmodel.h"
#include "adjust/viewmodel/mainwindow.h"
#include "core/procedures.h"
#include "core/texts.h"
#include "core/vbtext.h"

namespace tavro {

namespace {

const QString kBlank = QStringLiteral("　");

// Layer chosen by the option buttons (HCqls): 1 for 长期, 2 for 临时.
int HCqls(const RunState& st) {
  return st.OptCqls == 0 ? kLongTerm : kTemporary;
}

// Text padded with "　" on both sides to n characters (left gets (n - len) \ 2).
QString centred(const QString& text, int n) {
  const int room = n - static_cast<int>(text.size());
  if (room <= 0) return text;
  return kBlank.repeated(room / 2) + text + kBlank.repeated(room - room / 2);
}

// Text colour of a temporarily changed cell by the kind of its cell in the layer shown.
int temporaryFore(const QString& cell) {
  if (cell.endsWith(u'1')) return kColourDarkRed;
  if (cell.endsWith(u'0')) return 0;
  return kColourDarkGreen;
}

// The grid label: class name padded to Bjmcd, then the head teacher or blanks.
QString gridLabel(const School& s, int nj, int bj) {
  const QString name = s.Bjmc(nj, bj);
  const int pad = s.Bjmcd - static_cast<int>(name.size());
  QString label = name + kBlank.repeated(pad > 0 ? pad : 1);
  const int h = s.Bzr(nj, bj);
  if (h >= 1 && s.Jsmc.has(h)) return label + Lbq(3, h) + s.Jsmc(h);
  return label + kBlank.repeated(s.Jsmcd + 3);
}

// Course name padded with "　" to 6 characters.
QString padSix(const QString& name) {
  const int pad = 6 - static_cast<int>(name.size());
  return name + kBlank.repeated(pad > 0 ? pad : 0);
}

}  // namespace

void MainWindowModel::Xsbb(int nj, int bj) {
  const School& s = c_.s;
  if (!s.isClass(nj, bj)) return;
  GridModel& g = c_.st.MSFG;
  g.label = gridLabel(s, nj, bj);
  const int layer = HCqls(c_.st);
  const int n = gridStyleDigit(g.style);
  for (int x = 1; x <= s.Mzts; ++x)
    for (int j = 1; j <= s.Mtjs; ++j)
      Xsbbk(s, g, nj, bj, x, j, kColour3DLight, classCellText(s, s.Kb(layer, x, j, nj, bj), n));
  Jcljklsk(nj, bj);
  w_.LblToolTip = QStringLiteral("在此单击显示详细的班级课表");
}

void MainWindowModel::Jcljklsk(int nj, int bj) {
  const School& s = c_.s;
  if (!s.isClass(nj, bj)) return;
  GridModel& g = c_.st.MSFG;
  const int layer = HCqls(c_.st);
  for (int x = 1; x <= s.Mzts; ++x) {
    // Repeats: a start cell k and every later cell of the day with the same first five characters.
    for (int k = 1; k <= s.Mtjs - 1; ++k) {
      if (s.Kb(layer, x, k, nj, bj).isEmpty()) continue;
      for (int j = k + 1; j <= s.Mtjs; ++j) {
        if (s.Kb(layer, x, j, nj, bj).left(5) != s.Kb(layer, x, k, nj, bj).left(5)) continue;
        g.cells(x, j).back = kColourWhite;
        g.cells(x, k).back = kColourWhite;
        if (j == k + 1 && k < s.Mtjs - 1) ++k;
      }
    }
    for (int j = 1; j <= s.Mtjs; ++j)
      if (s.Kb(kTemporary, x, j, nj, bj) != s.Kb(kLongTerm, x, j, nj, bj))
        g.colour(x, j, temporaryFore(s.Kb(layer, x, j, nj, bj)), kColourTemporary);
  }
}

void MainWindowModel::Hfbbxs(int nj, int bj) {
  const School& s = c_.s;
  if (!s.isClass(nj, bj)) return;
  for (int x = 1; x <= s.Mzts; ++x)
    for (int j = 1; j <= s.Mtjs; ++j) c_.st.MSFG.colour(x, j, HBbqjs(s, nj, bj, x, j), kColourDefault);
  Jcljklsk(nj, bj);
}

void MainWindowModel::Hpbt() {
  const School& s = c_.s;
  GridModel& g = c_.st.MSFG;
  const int n = gridStyleDigit(g.style);
  for (int j = 1; j <= s.Mtjs && j <= kMaxPeriod; ++j) {
    const QString digit = s.Mtjs < 10 ? Qjkg(1, j) : Ydq(2, j);
    const QString label = n > 2 ? QStringLiteral("第") + digit + QStringLiteral("节") : digit;
    const int f = n > 2 ? 3 : 1;
    const int c1 = (n - f) / 2 > 0 ? (n - f) / 2 : 0;
    const int c2 = n - f - c1 > 0 ? n - f - c1 : 0;
    g.cells(0, j).text = kBlank.repeated(c1) + label + kBlank.repeated(c2);
  }
  for (int x = 1; x <= s.Mzts && x <= kMaxWeekday; ++x) g.cells(x, 0).text = Xqm(x);
  g.cells(0, 0).text.clear();
}

void MainWindowModel::Spbt() {
  const School& s = c_.s;
  GridModel& g = c_.st.MSFG;
  const int n = gridStyleDigit(g.style);
  for (int x = 1; x <= s.Mzts && x <= kMaxWeekday; ++x) {
    QString prefix;
    if (s.Mzts > 7) {
      const QString week = x <= 7 ? QStringLiteral("单") : QStringLiteral("双");
      prefix = n > 2 ? week + QStringLiteral("周") : (n == 2 ? week : QString());
    } else {
      prefix = n > 2 ? QStringLiteral("星期") : (n == 2 ? QStringLiteral("周") : QString());
    }
    g.cells(x, 0).text = centred(prefix + Xqm(x > 7 ? x - 7 : x), n);
  }
  for (int j = 1; j <= s.Mtjs && j <= kMaxPeriod; ++j) {
    const int width = j < 10 ? 1 : 2;
    g.cells(0, j).text = s.Mtjs <= 9 ? Qjkg(width, j) : Ydq(width, j);
  }
  g.cells(0, 0).text.clear();
}

void MainWindowModel::writeHeaders() {
  if (c_.s.Hsdm != 0) {
    Spbt();
  } else {
    Hpbt();
  }
}

namespace {

// The cell style from the setting Csz6 (1..8); "" when the style follows the cell width.
QString styleFromSetting(int v) {
  switch (v) {
    case 1:
    case 2:
      return QStringLiteral("Dz") + Szc(v);
    case 3:
      return QStringLiteral("Dz4");
    case 4:
      return QStringLiteral("Dz6");
    case 5:
    case 6:
      return QStringLiteral("Xz") + Szc(v - 4);
    case 7:
      return QStringLiteral("Xz4");
    case 8:
      return QStringLiteral("Xz6");
    default:
      return QString();
  }
}

// The cell style for the available cell width w and the longest course names.
QString styleFromWidth(const School& s, int w, bool halfWindowFitsGrid) {
  if (w < 1) return s.Kcjccd == 1 ? QStringLiteral("Xz1") : QStringLiteral("Xz2");
  if (w <= 2) return (s.Kcjccd == 2 || s.Kcmcd == 2) ? QStringLiteral("Xz2") : QStringLiteral("Xz1");
  if (w <= 4) {
    if (s.Kcmcd == 4) return QStringLiteral("Xz4");
    return s.Kcjccd != 1 ? QStringLiteral("Xz2") : QStringLiteral("Dz1");
  }
  if (w <= 6) {
    if (s.Kcmcd > 4) return QStringLiteral("Xz6");
    if (s.Kcmcd >= 3) return QStringLiteral("Xz4");
    return s.Kcjccd != 1 ? QStringLiteral("Xz2") : QStringLiteral("Dz1");
  }
  if (s.Kcmcd >= 5) return (w >= 15 && halfWindowFitsGrid) ? QStringLiteral("Dz6") : QStringLiteral("Xz6");
  if (s.Kcmcd < 3) return QStringLiteral("Dz2");
  return w < 15 ? QStringLiteral("Xz4") : QStringLiteral("Dz4");
}

}  // namespace

void MainWindowModel::Pdbbz() {
  QString style = styleFromSetting(c_.st.Csz6);
  if (style.isEmpty()) style = styleFromWidth(c_.s, w_.Xskd, w_.halfWindowFitsGrid);
  const int n = gridStyleDigit(style);
  if (style.startsWith(QStringLiteral("Dz"))) {
    Mgngdz(n);
  } else {
    Mgngxz(n);
  }
}

namespace {
// Shows the class of the label again when the first cell's text is not n characters long.
void reshowWhenWidthChanged(MainWindowModel& m, int n) {
  const GridCell& first = m.ctx().st.MSFG.cells(1, 1);
  int nj = 0, bj = 0;
  if (static_cast<int>(first.text.size()) != n && m.labelClass(nj, bj)) m.Xsbb(nj, bj);
}
}  // namespace

void MainWindowModel::Mgngdz(int n) {
  c_.st.MSFG.style = QStringLiteral("Dz") + Szc(n);
  reshowWhenWidthChanged(*this, n);
}

void MainWindowModel::Mgngxz(int n) {
  c_.st.MSFG.style = QStringLiteral("Xz") + Szc(n);
  c_.st.MSFG.curXq = 1;
  c_.st.MSFG.curJc = 1;
  reshowWhenWidthChanged(*this, n);
}

bool MainWindowModel::labelClass(int& nj, int& bj) const {
  const QString& label = c_.st.MSFG.label;
  if (label.isEmpty()) return false;
  Cbjm(c_.s, label.left(c_.s.Bjmcd), nj, bj);
  return c_.s.isClass(nj, bj);
}

void MainWindowModel::Cbxskc(int nj, int bj) {
  const School& s = c_.s;
  ListBox& list = c_.st.LstKc;
  list.clear();
  if (nj <= 0 || bj <= 0 || !s.isClass(nj, bj)) {
    list.addItem(QStringLiteral("000空课"));
    for (int k = 1; k <= s.Kcs - 1 && s.Kcmc.has(k); ++k) list.addItem(Lbq(3, k) + s.Kcmc(k));
    return;
  }
  for (int r = 1; r <= s.Bjkcs(nj, bj) && r <= s.planRows(); ++r) {
    const int k = s.Bjkcb(r, 1, nj, bj);
    const QString name = s.Kcmc.has(k) ? s.Kcmc(k) : QString();
    list.addItem(Lbq(3, k) + padSix(name) + Ydq(2, s.Bjkcb(r, 3, nj, bj)));
  }
}

}  // namespace tavro
