// The detailed timetable window's events: opening, the list of classes or
// teachers, the layer list, drawing a class or a teacher, and the cell click.

#include "detail/detailwindow.h"

#include <algorithm>

#include "core/cells.h"
#include "core/gridmodel.h"
#include "core/procedures.h"
#include "core/texts.h"
#include "core/vbtext.h"
#include "detail/celltexts.h"
#include "detail/teachertexts.h"

namespace tavro {

namespace {

const QChar kFull = QChar(0x3000);

// The text centred in n characters with full-width spaces, (n - width) \ 2 of them before.
QString centred(const QString& text, int n, int width) {
  const int before = (n - width) / 2;
  return QString(before, kFull) + text + QString(std::max(n - width - before, 0), kFull);
}

QString withoutFullSpaces(QString text) {
  return text.remove(kFull);
}

}  // namespace

int DetailWindowModel::rows() const {
  return c_.s.Hsdm != 0 ? c_.s.Mtjs : c_.s.Mzts;
}

int DetailWindowModel::columns() const {
  return c_.s.Hsdm != 0 ? c_.s.Mzts : c_.s.Mtjs;
}

int DetailWindowModel::Gkd() const {
  return HGkd(c_.s);
}

void DetailWindowModel::Form_Load() {
  loaded_ = true;
  layer_ = kLongTerm;
  if (c_.st.Zt == QStringLiteral("查班")) fillClasses();
  Bt(Gkd());
  caption_ = QStringLiteral("文件名：");
}

void DetailWindowModel::fillClasses() {
  const School& s = c_.s;
  list_.clear();
  for (int nj = s.Snj; nj <= s.Mnj; ++nj)
    for (int bj = 1; s.Njbjs.has(nj) && bj <= s.Njbjs(nj); ++bj)
      if (s.Bjmc.has(nj, bj)) list_.addItem(Lbq(2, nj) + Lbq(2, bj) + s.Bjmc(nj, bj));
  listKind_ = ListKind::Classes;
}

void DetailWindowModel::fillTeachers() {
  const School& s = c_.s;
  list_.clear();
  for (int t = 1; t <= s.Jss && s.Jsmc.has(t); ++t) list_.addItem(Lbq(3, t) + s.Jsmc(t));
  listKind_ = ListKind::Teachers;
}

void DetailWindowModel::open(const DetailRequest& request) {
  if (!loaded_) Form_Load();
  caption_ = request.caption;
  if (request.teacher) {
    if (listKind_ != ListKind::Teachers || list_.count() < c_.s.Jss) fillTeachers();
    layer_ = request.layer == QStringLiteral("临时") ? kTemporary : kLongTerm;
  } else if (listKind_ != ListKind::Classes) {
    fillClasses();
  }
  selectRequested(request);
  List1_Click();
}

// The teacher at the requested position, or the class whose name is the label's (blanks aside).
void DetailWindowModel::selectRequested(const DetailRequest& request) {
  if (request.teacher) {
    list_.setListIndex(request.teacherIndex);
    return;
  }
  const QString name = withoutFullSpaces(request.className).trimmed();
  for (int i = 0; i < list_.count(); ++i)
    if (withoutFullSpaces(list_.item(i).mid(4)).trimmed() == name) list_.setListIndex(i);
}

void DetailWindowModel::List1_Click(int i) {
  if (i >= 0) list_.setListIndex(i);
  if (listKind_ == ListKind::Teachers) {
    Xsjskb();
  } else if (listKind_ == ListKind::Classes) {
    Xsbjkb();
  }
}

void DetailWindowModel::Xsbjkb() {
  const School& s = c_.s;
  if (list_.listIndex() < 0) {
    Tsxx(c_.ui, QStringLiteral("请在班级框中选择需查班级"));
    return;
  }
  const QString item = list_.currentText();
  xsNj_ = ValMid(item, 0, 2);
  xsBj_ = ValMid(item, 2, 2);
  if (!s.isClass(xsNj_, xsBj_)) return;
  Bt(Gkd());
  fraJdkbCaption_ = s.Bjmc(xsNj_, xsBj_);
  const int head = s.Bzr(xsNj_, xsBj_);
  if (head >= 1 && s.Jsmc.has(head)) fraJdkbCaption_ += QStringLiteral("　班主任：") + s.Jsmc(head);
  frame1Caption_ = QStringLiteral("班级");
  lblSm_.clear();
  Xsbbyzk(xsNj_, xsBj_);
}

void DetailWindowModel::Xsbbyzk(int nj, int bj) {
  const School& s = c_.s;
  const CellTexts texts(s, layer_, c_.st.Zt);
  for (int x = 1; x <= s.Mzts && x <= kMaxWeekday; ++x)
    for (int j = 1; j <= s.Mtjs && j <= kMaxPeriod; ++j) {
      const QString longTerm = s.Kb.has(kLongTerm, x, j, nj, bj) ? s.Kb(kLongTerm, x, j, nj, bj) : QString();
      const int kind = cellKind(longTerm);
      const int fore = kind > 4 ? kColourDarkGreen : (kind == 1 ? 255 : kColourDefault);
      const CellBlocks blocks = texts.HBbyjknr(x, j, nj, bj);
      setCell(x, j, kColourWhite, fore, blocks.first, blocks.second);
    }
}

void DetailWindowModel::Xsjskb() {
  const School& s = c_.s;
  if (list_.listIndex() < 0) {
    Tsxx(c_.ui, QStringLiteral("请在教师框中选择需查教师"));
    return;
  }
  xsjsh_ = ValMid(list_.currentText(), 0, 3);
  Bt(Gkd());
  fraJdkbCaption_ = teacherCaption(s, xsjsh_);
  frame1Caption_ = QStringLiteral("教师");
  lblSm_.clear();
  for (const QString& line : combinedLessonLines(s, xsjsh_)) lblSm_ += line + QStringLiteral("\r\n");
  for (int x = 1; x <= s.Mzts && x <= kMaxWeekday; ++x)
    for (int j = 1; j <= s.Mtjs && j <= kMaxPeriod; ++j) Xsrsbyjk(x, j, xsjsh_);
  curXq_ = curJc_ = 1;
}

void DetailWindowModel::Xsrsbyjk(int xq, int jc, int t) {
  const School& s = c_.s;
  const CellBlocks blocks = CellTexts(s, layer_, c_.st.Zt).HSbyjknr(xq, jc, t);
  const bool changed =
      s.Jskb.has(kLongTerm, xq, jc, t) && s.Jskb(kLongTerm, xq, jc, t) != s.Jskb(kTemporary, xq, jc, t);
  setCell(xq, jc, changed ? kColourTemporary : kColourWhite, kColourDefault, blocks.first, blocks.second);
}

void DetailWindowModel::LstCqls_Click(int index) {
  layer_ = index == 1 ? kTemporary : kLongTerm;
  Xsjdkbyzk();
}

// Redraws what is shown in the layer chosen; captions, headers and LblSm stay.
void DetailWindowModel::Xsjdkbyzk() {
  const School& s = c_.s;
  if (frame1Caption_ == QStringLiteral("班级")) {
    Xsbbyzk(xsNj_, xsBj_);
  } else if (frame1Caption_ == QStringLiteral("教师")) {
    for (int x = 1; x <= s.Mzts && x <= kMaxWeekday; ++x)
      for (int j = 1; j <= s.Mtjs && j <= kMaxPeriod; ++j) Xsrsbyjk(x, j, xsjsh_);
  }
}

void DetailWindowModel::MSFG_Click(int xq, int jc) {
  const School& s = c_.s;
  if (xq < 1 || jc < 1 || xq > s.Mzts || jc > s.Mtjs || !cells_.has(xq, jc)) return;
  const QString text = cells_(xq, jc).text;
  if (layer_ == kLongTerm && frame1Caption_ == QStringLiteral("教师")) {
    const QString notice = temporaryChangeNotice(s, xq, jc, xsjsh_);
    if (!notice.isEmpty()) Tsxx(c_.ui, notice);
  }
  highlight(text);
  curXq_ = xq;
  curJc_ = jc;
}

// Cells equal to the clicked text turn yellow, the others white; temporary changes keep their
// light cyan. Every text then takes the highlight colour.
void DetailWindowModel::highlight(const QString& text) {
  const School& s = c_.s;
  for (int x = 1; x <= s.Mzts && x <= kMaxWeekday; ++x)
    for (int j = 1; j <= s.Mtjs && j <= kMaxPeriod; ++j) {
      DetailCell& cell = cells_(x, j);
      if (cell.back != kColourTemporary)
        cell.back = (cell.text == text && text != QString(kFull)) ? kColourYellow : kColourWhite;
      cell.fore = kColourHighlight;
    }
}

void DetailWindowModel::setCell(int xq, int jc, int back, int fore, const QString& first,
                                const QString& second) {
  cells_(xq, jc) = DetailCell{first + second, static_cast<int>(first.size()), fore, back};
  curXq_ = xq;
  curJc_ = jc;
}

// Bt: empties the grid and writes the header texts for n characters per block.
void DetailWindowModel::Bt(int n) {
  const School& s = c_.s;
  cells_.fill(DetailCell{});
  auto header = [this](int xq, int jc, const QString& text) {
    cells_(xq, jc) = DetailCell{text, static_cast<int>(text.size()), kColourDefault, kColourDefault};
  };
  header(0, 0, QStringLiteral("  "));
  for (int x = 1; x <= s.Mzts && x <= kMaxWeekday; ++x) {
    if (s.Hsdm != 0) {
      const QString name = (n >= 3 ? QStringLiteral("星期") : QStringLiteral("周")) + Xqm(x);
      header(x, 0, n > 3 ? centred(name, n, 3) : name);
    } else {
      header(x, 0, Xqm(x));
    }
  }
  for (int j = 1; j <= s.Mtjs && j <= kMaxPeriod; ++j) {
    if (s.Hsdm != 0) {
      header(0, j, Qjkg(s.Mtjs < 10 ? 1 : 2, j));
    } else if (n > 3) {
      header(0, j, centred(QStringLiteral("第") + Qjkg(2, j) + QStringLiteral("节"), n, 4));
    } else {
      header(0, j, n == 3 ? Qjkg(2, j) + kFull : Qjkg(2, j));
    }
  }
}

}  // namespace tavro
