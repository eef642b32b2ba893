// The main window's lists, option buttons and the swap and delete buttons.

#include "adjust/courselist.h"
#include "adjust/viewmodel/mainwindow.h"
#include "core/history_action.h"
#include "core/history_captions.h"
#include "core/procedures.h"
#include "core/slots.h"
#include "core/timetable_file.h"
#include "core/vbtext.h"
#include "engine/classlist.h"
#include "engine/completion.h"

namespace tavro {

namespace {

const QString kNoPlan = QStringLiteral("未");
const QString kChooseClass = QStringLiteral("请在班级框中选择一个班级！");
const QString kCombinedHint = QStringLiteral("　　班级课表中绿字为合班课。");

// The class name of a class list item: the text from character 5, trailing blanks removed.
QString itemName(const QString& item) {
  QString name = item.mid(4);
  while (name.endsWith(u' ')) name.chop(1);
  return name;
}

// True when the mode neither swaps nor browses and the list shows unscheduled classes: the course
// list then is the scheduling list.
bool schedulingList(const RunState& st) {
  return st.Zt != QStringLiteral("调课") && st.Zt != QStringLiteral("查班") && !st.OptYp;
}

void deselectAll(ListBox& list) {
  for (int i = 0; i < list.count(); ++i) list.setSelected(i, false);
}

}  // namespace

void MainWindowModel::refillClassList() {
  Xgypwp(c_.s, c_.st);
  Xsypwpbjs();
}

void MainWindowModel::Xsypwpbjs() {
  w_.OptYpCaption = Ydq(2, c_.s.Ypbjs) + QStringLiteral("已排");
  w_.OptWpCaption = Ydq(2, c_.s.Bjzs - c_.s.Ypbjs) + QStringLiteral("未排");
}

void MainWindowModel::fillCourseListForClass(int nj, int bj) {
  if (schedulingList(c_.st)) {
    Xskc(c_, nj, bj);
  } else {
    Cbxskc(nj, bj);
  }
}

void MainWindowModel::Xsbj() {
  RunState& st = c_.st;
  Xgypwp(c_.s, st);
  int nj = 0, bj = 0;
  if (labelClass(nj, bj)) {
    const int item = findClassItem(st, nj, bj);
    if (item >= 0) selectClassItem(st, item);
  }
  if (HNj(st) > 0 && HBj(st) > 0) {
    fillCourseListForClass(HNj(st), HBj(st));
  } else {
    Cbxskc(0, 0);
  }
}

void MainWindowModel::Ckbb() {
  const int nj = HNj(c_.st), bj = HBj(c_.st);
  if (nj > 0 && bj > 0) Xsbb(nj, bj);
}

void MainWindowModel::selectClass(int i) {
  selectClassItem(c_.st, i);
  LstBj_Click();
}

void MainWindowModel::showSelectedClass(int nj, int bj) {
  RunState& st = c_.st;
  st.Zt = QStringLiteral("查班");
  if (st.OptCqls != 0) replayTemporaryChanges();
  Ckbb();
  Cbxskc(nj, bj);
  st.LstKc.setListIndex(0);
  LstKc_Click();  // choosing the first course selects its teachers, as a click on it does
  w_.FraKcCaption = QStringLiteral("课程及每周节数");
  if (c_.s.Ypbjs == c_.s.Bjzs) Pkqbwc(c_, *this);
  st.MSFG.visible = true;
  w_.CmdScEnabled = w_.CmdDkEnabled = true;
  if (exportButtonsChanged) exportButtonsChanged();
}

void MainWindowModel::LstBj_Click() {
  RunState& st = c_.st;
  if (!st.Cshwc || !st.LstBjEnabled) return;
  Pdbbz();
  writeHeaders();
  w_.FraKcCaption = QStringLiteral("课程及每周节数");
  w_.ChkQbkc = w_.ChkQbjs = false;
  const QString item = st.LstBj.currentText();
  const bool noPlan = item.endsWith(kNoPlan);
  const int nj = HNj(st), bj = HBj(st);
  if (!noPlan && nj > 0 && bj > 0) {
    fillCourseListForClass(nj, bj);
    st.LstKc.setListIndex(0);
    w_.CmdScEnabled = true;
  }
  if (!st.OptYp && c_.s.Ypbjs < c_.s.Bjzs) {
    w_.CmdKbCaption = QStringLiteral("6、编排课表");
    st.CmdKbEnabled = true;
    st.Lbl6.clear();
  }
  if (st.LstBj.count() == 0 && !st.OptYp) OptYp_Click();
  if (st.LstBj.count() == 0 && st.OptYp) OptWp_Click();
  st.MSFG.visible = false;
  if (noPlan) {
    Tsxx(c_.ui, QStringLiteral("    该班级未进行排课条件设置，不能排课！请修改班级数据表。"));
  } else if (nj > 0 && bj > 0) {
    showSelectedClass(nj, bj);
  } else {
    Tsxx(c_.ui, kChooseClass);
  }
}

void MainWindowModel::LstKc_Click() {
  RunState& st = c_.st;
  if (!st.Cshwc) return;
  st.DqNj = HNj(st);
  st.DqBj = HBj(st);
  const int k = ValMid(st.LstKc.currentText(), 0, 3);
  if (w_.Kbzl == 2 && k > 0) w_.CmdDcEnabled = true;
  const int nj = st.DqNj, bj = st.DqBj;
  if (nj <= 0 || bj <= 0 || !c_.s.isClass(nj, bj)) return;
  if (k != st.Sched.Pkkch) st.Sched.Pkkch = k;
  deselectAll(st.LstJs);
  for (int r = 1; r <= c_.s.Bjkcs(nj, bj) && r <= c_.s.planRows(); ++r) {
    if (c_.s.Bjkcb(r, 1, nj, bj) != k) continue;
    const int t = c_.s.Bjkcb(r, 2, nj, bj);
    for (int i = 0; i < st.LstJs.count(); ++i)
      if (ValMid(st.LstJs.item(i), 0, 3) == t) st.LstJs.setSelected(i, true);
  }
}

void MainWindowModel::LstJs_MouseDown() {
  RunState& st = c_.st;
  // The first selected teacher; item 0 "000无" names no teacher.
  int selected = -1;
  for (int i = 0; i < st.LstJs.count() && selected < 0; ++i)
    if (st.LstJs.selected(i) && ValMid(st.LstJs.item(i), 0, 3) > 0) selected = i;
  if (selected < 0) {
    Tsxx(c_.ui, QStringLiteral("请在教师框内选择教师！"));
    return;
  }
  st.Zt = QStringLiteral("查师");
  DetailRequest request;
  request.teacher = true;
  request.caption = c_.s.Xxmc.trimmed() + QStringLiteral("  教师");
  request.teacherIndex = selected - 1;
  request.layer = st.OptCqls == 0 ? QStringLiteral("长期") : QStringLiteral("临时");
  if (openDetail) openDetail(request);
}

void MainWindowModel::Lbl_Click(int index) {
  RunState& st = c_.st;
  st.Zt = QStringLiteral("查班");
  if (st.MSFG.label.isEmpty()) {
    Tsxx(c_.ui, QStringLiteral("框内有内容，单击才有效！"));
    return;
  }
  st.Djbh = index;
  DetailRequest request;
  request.caption = c_.s.Xxmc.trimmed() + QStringLiteral("  班级");
  request.className = st.MSFG.label.left(c_.s.Bjmcd);
  request.layer = st.OptCqls == 0 ? QStringLiteral("长期") : QStringLiteral("临时");
  if (openDetail) openDetail(request);
}

void MainWindowModel::optionHintNoClass(const QString& emptyText) {
  c_.st.TxtSm = c_.st.LstBj.count() == 0 ? emptyText : QStringLiteral("　　请在班级框选择班级。");
}

void MainWindowModel::OptWp_Click() {
  RunState& st = c_.st;
  if (!st.Cshwc) return;
  st.OptYp = false;
  st.LstKc.clear();
  if (c_.s.Ypbjs < c_.s.Bjzs) {
    Xsbj();
  } else {
    st.LstBj.clear();
  }
  if (st.OptCqls != 0) OptCqls_Click(0);
  if (HNj(st) > 0 && HBj(st) > 0) {
    st.TxtSm = QStringLiteral("本班课表未排。");
  } else {
    optionHintNoClass(QStringLiteral("　　没有未排班级。"));
  }
  deselectAll(st.LstBj);
  w_.CmdScEnabled = false;
}

void MainWindowModel::OptYp_Click() {
  RunState& st = c_.st;
  st.OptYp = true;
  Xsbj();
  if (HNj(st) > 0 && HBj(st) > 0) {
    const bool active = st.Cshwc;
    st.Cshwc = false;
    st.LstKc.setListIndex(0);
    st.Cshwc = active;
    st.TxtSm = kCombinedHint;
  } else {
    st.LstKc.clear();
    optionHintNoClass(QStringLiteral("　　没有已排班级。"));
  }
  deselectAll(st.LstBj);
  w_.CmdScEnabled = false;
}

void MainWindowModel::OptCqls_Click(int index) {
  RunState& st = c_.st;
  st.OptCqls = index == 0 ? 0 : 1;
  if (st.Zt == QStringLiteral("打开")) st.Zt = QStringLiteral("查班");
  st.Dqcqls = st.OptCqls == 0 ? kLongTerm : kTemporary;
  const bool swapping = st.Zt == QStringLiteral("调课");
  const bool browsing = st.Zt == QStringLiteral("查班");
  const bool lessonChosen = st.Xq1 != 0 || st.Jc1 != 0;
  if (swapping && lessonChosen) {
    Hfbbxs(st.DqNj, st.DqBj);
    st.Xq1 = st.Jc1 = 0;
  }
  if (st.OptCqls == 0) {
    if (browsing) {
      Ckbb();
      const bool chosen = HNj(st) > 0 && HBj(st) > 0;
      if (!st.OptYp)
        st.TxtSm =
            chosen ? QStringLiteral("　　本班课表未排。") : QStringLiteral("　　请在班级框选择某班级。");
      else
        st.TxtSm = kCombinedHint;
    }
    st.MSFG.cells(0, 0).text = QStringLiteral("长");
    return;
  }
  w_.FraRqfwVisible = true;
  if (browsing) {
    replayTemporaryChanges();
    Ckbb();
  } else {
    if (swapping && lessonChosen) st.TxtSm.clear();
    st.TxtSm = QStringLiteral("　　选择开始日期和结束日期。") +
               (swapping ? QStringLiteral("再在班级课表上选择需调课。") : QString());
  }
  st.MSFG.cells(0, 0).text = QStringLiteral("临");
}

void MainWindowModel::CmdDk_Click() {
  RunState& st = c_.st;
  if (st.MSFG.label.isEmpty()) {
    Tsxx(c_.ui, QStringLiteral("请在“班级”框的某班级上单击，调出班表，然后再按本键调课。"));
    return;
  }
  w_.RichTextBoxZbVisible = false;
  w_.FraPkVisible = true;
  st.Zt = QStringLiteral("调课");
  st.Xq1 = st.Jc1 = st.Kch1 = 0;
}

void MainWindowModel::CmdSc_Click() {
  RunState& st = c_.st;
  if (st.OptCqls != 0) {
    Cwxx(c_.ui, QStringLiteral("只能删除长期课表！"));
    return;
  }
  const int chosen = st.LstBj.selectedCount();
  if (chosen == 0 || st.LstBj.listIndex() < 0) {
    Cwxx(c_.ui, kChooseClass);
    return;
  }
  if (chosen > 1) {
    Cwxx(c_.ui, QStringLiteral("只能选一个班级！请重新选择！"));
    return;
  }
  st.MSFG.enabled = false;
  const QString n = itemName(st.LstBj.currentText());
  const int nj = HNj(st), bj = HBj(st);
  if (Wxx(c_.ui, QStringLiteral("要删除") + n + QStringLiteral("班的") + QStringLiteral("课表吗？"))) {
    const QString cls = historyClassName(c_.s, nj, bj);
    HistoryActionScope action(st, HistoryAction{QStringLiteral("删除"), cls,
                                                QStringLiteral("删除") + cls + QStringLiteral("的课表")});
    if (Wxx(c_.ui, n + QStringLiteral("班的") + QStringLiteral("课表将被删除，一定要删除") + n +
                       QStringLiteral("课表吗?")))
      deleteConfirmed(nj, bj);
    Bckb(c_);
    st.MSFG.curXq = 0;
    st.Xq1 = st.Jc1 = 0;
    Xsypwpbjs();
  }
  // The grid is only held still while the questions are open.
  st.MSFG.enabled = true;
}

void MainWindowModel::deleteConfirmed(int nj, int bj) {
  RunState& st = c_.st;
  if (!c_.s.isClass(nj, bj)) return;
  st.Zt = QStringLiteral("删除");
  Scbjkb(nj, bj, c_.s.Mzts, 1, c_.s.Swjs + c_.s.Xwjs);
  c_.s.Ypbz(nj, bj) = 0;
  // A class is unscheduled again: the window leaves the all-scheduled export state, so that
  // "6、编排课表" can schedule it (the export frame returns once every class is scheduled).
  st.ExportMode = false;
  w_.CmdDcEnabled = false;
  if (st.OptYp) {
    for (int i = st.LstBj.count() - 1; i >= 0; --i)
      if (st.LstBj.item(i).left(4) == Lbq(2, nj) + Lbq(2, bj)) st.LstBj.removeItem(i);
  }
  Cbxskc(nj, bj);
  deselectAll(st.LstJs);
}

void MainWindowModel::Scbjkb(int nj, int bj, int xq2, int jc1, int jc2) {
  RunState& st = c_.st;
  Qkbsz(c_, nj, bj, xq2, jc1, jc2);
  if (st.OptYp) --c_.s.Ypbjs;
  int shownNj = 0, shownBj = 0;
  if (!labelClass(shownNj, shownBj) || shownNj != nj || shownBj != bj) return;
  const int layer = st.OptCqls == 0 ? kLongTerm : kTemporary;
  for (int x = 1; x <= xq2 && x <= kMaxWeekday; ++x)
    for (int j = jc1; j <= jc2 && j <= kMaxPeriod; ++j)
      if (c_.s.Kb(layer, x, j, nj, bj).isEmpty()) st.MSFG.set(x, j, QString(), 0, kColourDefault);
  st.MSFG.cells(0, 0).back = 8454016;
  st.MSFG.cells(0, 0).fore = kColourWhite;
  w_.LblToolTip.clear();
}

}  // namespace tavro
