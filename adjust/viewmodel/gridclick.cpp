// The click on the class grid: highlighting equal lessons while browsing, and
// the two-click swap of swap mode (choose the lesson to move, then its
// partner), including the forced swap mode the scheduler leaves a class in.

#include "adjust/gridmodel.h"
#include "adjust/lookups.h"
#include "adjust/swap.h"
#include "adjust/swaptest.h"
#include "adjust/viewmodel/mainwindow.h"
#include "core/errors.h"
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

const QString kChooseHint = QStringLiteral(
    "　　白底黑字为需调课。绿字为优先可调课，黄字为可调课，橙字为可调但最好不调课，红字为不可调课。请选择可调"
    "课。");
const QString kCancelHint = QStringLiteral("如果在白底需调课上单击就撤销调课要求。");
const QString kNowhereMessage = QStringLiteral(
    "    "
    "该课程一定要调走，但没有任何位置可以放该课程，所以无法排课！前几个已排班级的课表已经保存。按“确定”按钮"
    "后将退出本系统，再进入后重新排课。");

// True when (xq, jc) is a cell of the school's week.
bool inWeek(const School& s, int xq, int jc) {
  return xq >= 1 && jc >= 1 && xq <= s.Mzts && jc <= s.Mtjs && xq <= kMaxWeekday && jc <= kMaxPeriod;
}

}  // namespace

void MainWindowModel::clickCell(int xq, int jc) {
  c_.st.MSFG.curXq = xq;
  c_.st.MSFG.curJc = jc;
  MSFG_Click(0);
}

void MainWindowModel::MSFG_Click(int index) {
  // A finished long-term swap with lessons still to move clicks the next one: a loop, not a recursion.
  bool again = clickOnce(index);
  while (again) again = clickOnce(0);
}

bool MainWindowModel::clickOnce(int index) {
  RunState& st = c_.st;
  st.Djbh = index;
  if (st.MSFG.label.isEmpty()) return false;
  if (!inWeek(c_.s, st.MSFG.curXq, st.MSFG.curJc)) return false;
  if (st.Zt == QStringLiteral("查班")) {
    browseClick();
    return false;
  }
  if (st.Zt != QStringLiteral("调课")) return false;
  int nj = 0, bj = 0;
  if (!labelClass(nj, bj)) return false;
  return swapModeClick(nj, bj);
}

void MainWindowModel::browseClick() {
  RunState& st = c_.st;
  const QString text = st.MSFG.cells(st.MSFG.curXq, st.MSFG.curJc).text;
  if (text.isEmpty()) return;
  int nj = 0, bj = 0;
  if (!labelClass(nj, bj)) return;
  int kch = 0, jsh = 0;
  QString kind;
  Bbsrb(c_.s, st.Dqcqls, nj, bj, st.MSFG.curXq, st.MSFG.curJc, kch, jsh, kind);
  for (int i = 1; i < st.LstJs.count(); ++i) st.LstJs.setSelected(i, ValMid(st.LstJs.item(i), 0, 3) == jsh);
  for (int x = 1; x <= c_.s.Mzts; ++x)
    for (int j = 1; j <= c_.s.Mtjs; ++j)
      st.MSFG.cells(x, j).fore = st.MSFG.cells(x, j).text == text ? 255 : 0;
}

bool MainWindowModel::swapModeClick(int nj, int bj) {
  RunState& st = c_.st;
  const int xq = st.MSFG.curXq, jc = st.MSFG.curJc;
  const bool forced = !st.Bxdck.isEmpty();
  if (xq == st.Xq1 && jc == st.Jc1) {
    if (forced && st.Jsh1 != 0) {
      Cwxx(c_.ui, QStringLiteral(
                      "　　教师课表不可排本课程，一定要调开，现在自动进入调课状态，不可以单击需调的本节课，"
                      "应该单击可调的课（绿色、黄色或橙色）。"));
      return false;
    }
    if (forced && !periodAllowed(c_.s, st.Kch1, jc)) {
      Cwxx(c_.ui, QStringLiteral("　　") + courseName(c_.s, st.Kch1) + QStringLiteral("每天禁排第") +
                      Szc(jc) +
                      QStringLiteral(
                          "节，一定要调开，不可以单击需调的本节课，应该单击可调的课（绿色、黄色或橙色）。"));
      return false;
    }
    if (forced) {
      // A lesson without teacher may stay where it was forced, unless its course bans the period:
      // it is swapped with itself.
      st.Xq2 = st.Xq1;
      st.Jc2 = st.Jc1;
      st.Kch2 = st.Kch1;
      st.Jsh2 = 0;
      return swapStep(nj, bj);
    }
    st.Xq1 = st.Jc1 = 0;
    Hfbbxs(nj, bj);
    st.TxtSm = st.Tsnr;
    return false;
  }
  int kch = 0, jsh = 0;
  Bbsrb(c_.s, st.Dqcqls, nj, bj, xq, jc, kch, jsh, st.Kcxz);
  st.Hbkh = Chbk(c_.s, nj, bj, xq, jc);
  if (st.Hbkh >= 1) {
    Tsxx(c_.ui, QStringLiteral("本节是合班课，不能调本节课！"));
    return false;
  }
  if (st.Xq1 != 0 || st.Jc1 != 0) return candidateClick(nj, bj);
  return chooseLessonToMove(nj, bj);
}

bool MainWindowModel::candidateClick(int nj, int bj) {
  RunState& st = c_.st;
  st.Xq2 = st.MSFG.curXq;
  st.Jc2 = st.MSFG.curJc;
  QString kind;
  Bbsrb(c_.s, st.Dqcqls, nj, bj, st.Xq1, st.Jc1, st.Kch1, st.Jsh1, kind);
  Bbsrb(c_.s, st.Dqcqls, nj, bj, st.Xq2, st.Jc2, st.Kch2, st.Jsh2, kind);
  const QString entry = st.Bpyy(st.Xq2, st.Jc2);
  const int grade = bpyyGrade(entry);
  if (grade == kGradeRed) {
    QString text = entry.mid(1);
    if (!text.isEmpty()) text += QStringLiteral("，");
    Tsxx(c_.ui, text + QStringLiteral("不能调！"));
    return false;
  }
  if (grade == kGradeOrange && st.Csz3 == 1) {
    if (!Wxx(c_.ui, entry.mid(1) + QStringLiteral("，这两节对调吗？"), true)) return false;
    st.Bpyy(st.Xq2, st.Jc2).clear();
  }
  return swapStep(nj, bj);
}

// True (after telling the user) when the lesson at (xq, jc) is changed temporarily, on the day the
// temporary layer shows or, in the temporary layer, on any day of the date range.
bool MainWindowModel::temporaryChangeProtects(int nj, int bj, int xq, int jc) {
  const School& s = c_.s;
  const bool changed =
      s.Kb(kTemporary, xq, jc, nj, bj) != s.Kb(kLongTerm, xq, jc, nj, bj) ||
      (c_.st.OptCqls != 0 && temporaryClash && !temporaryClash(c_, nj, bj, xq, jc, xq, jc).isEmpty());
  if (changed)
    Tsxx(c_.ui,
         QStringLiteral("　　该节已临时调课，为避免混乱，不能再调该节课！如果需要重新临时调课，可以按“删临”－"
                        "“删除临时调课记录”按钮，删除该临时调课后再重新进行临时调课。"));
  return changed;
}

// In the temporary layer, grades red every partner whose swap would clash with a recorded change on
// some day of the date range. True when some partner is still not red.
bool MainWindowModel::rejectTemporaryClashes(int nj, int bj) {
  RunState& st = c_.st;
  bool any = false;
  for (int x = 1; x <= c_.s.Mzts; ++x)
    for (int j = 1; j <= c_.s.Mtjs; ++j) {
      if ((x == st.Xq1 && j == st.Jc1) || bpyyGrade(st.Bpyy(x, j)) == kGradeRed) continue;
      const QString clash = temporaryClash ? temporaryClash(c_, nj, bj, st.Xq1, st.Jc1, x, j) : QString();
      if (clash.isEmpty()) {
        any = true;
        continue;
      }
      st.Bpyy(x, j) = QStringLiteral("0") + clash;
      Gsxs(st.MSFG, x, j, kColourCandidate, kColourRed);
    }
  return any;
}

bool MainWindowModel::chooseLessonToMove(int nj, int bj) {
  RunState& st = c_.st;
  const School& s = c_.s;
  const int xq = st.MSFG.curXq, jc = st.MSFG.curJc;
  if (temporaryChangeProtects(nj, bj, xq, jc)) return false;
  Bpyyql(st);
  st.Xq1 = xq;
  st.Jc1 = jc;
  Gsxs(st.MSFG, xq, jc, kColourWhite, 0);
  QString kind;
  Bbsrb(s, st.Dqcqls, nj, bj, xq, jc, st.Kch1, st.Jsh1, kind);
  bool any = gradeCandidates(c_, nj, bj, st.Kch1);
  if (st.OptCqls != 0) any = rejectTemporaryClashes(nj, bj) && any;
  st.MSFG.curXq = xq;
  st.MSFG.curJc = jc;
  const bool forced = !st.Bxdck.isEmpty();
  if (forced && !any) {
    Tsxx(c_.ui, kNowhereMessage);
    throw ProgramEnd(kNowhereMessage);
  }
  if (forced || any) st.TxtSm = kChooseHint + (forced ? QString() : kCancelHint);
  return false;
}

bool MainWindowModel::swapStep(int nj, int bj) {
  RunState& st = c_.st;
  if (st.OptCqls == 0) {
    HistoryActionScope action(st, HistoryAction{QStringLiteral("调课"), historyClassName(c_.s, nj, bj),
                                                swapCaption(c_.s, nj, bj, st.Xq1, st.Jc1, st.Xq2, st.Jc2)});
    Dk(c_, nj, bj, st.Xq1, st.Jc1, st.Xq2, st.Jc2, replayTemporary);
    st.TxtSm =
        QStringLiteral("　　已完成本次调课。可以再选需调课继续调课，或在班级框选择班级，退出调课状态。");
    return afterLongTermSwap(nj, bj);
  }
  // Temporary swaps (dates, the change file and the notices) are made by the temporary-changes
  // module; the lesson to move stays selected after one.
  const bool made = temporarySwap ? temporarySwap(c_, nj, bj) : false;
  if (made || st.Lsksrq == st.Lsjsrq) return false;
  return afterLongTermSwap(nj, bj);
}

bool MainWindowModel::afterLongTermSwap(int nj, int bj) {
  RunState& st = c_.st;
  School& s = c_.s;
  st.Xq1 = st.Jc1 = 0;
  ++st.Dkcs;
  st.Bxdck.remove(0, 4);
  if (!st.Bxdck.isEmpty()) {
    st.MSFG.curXq = ValMid(st.Bxdck, 0, 2);
    st.MSFG.curJc = ValMid(st.Bxdck, 2, 2);
    return true;
  }
  if (st.Pkdkbz == 1 && classIsFull(s, nj, bj)) continueChain(c_, *this, nj, bj);
  if (!st.Bxdck.isEmpty()) return false;
  Bckb(c_);
  if (st.Pkdkbz == 1) {
    st.Pkdkbz = 0;
    st.TxtSm = QStringLiteral("　　") + QStringLiteral("调课成功。可以在班级框选择另一未排班级进行排课。");
  }
  if (s.Ypbjs < s.Bjzs) {
    selectClassItem(st, 0);
    const int next = HNj(st), nextBj = HBj(st);
    scheduleChain(c_, *this, next, nextBj);
    st.LstBjEnabled = true;
  }
  return false;
}

void MainWindowModel::cancelSwap() {
  RunState& st = c_.st;
  int nj = 0, bj = 0;
  if (st.Zt != QStringLiteral("调课") || !st.Bxdck.isEmpty() || !labelClass(nj, bj)) return;
  if (st.Xq1 != 0 || st.Jc1 != 0) {
    st.Xq1 = st.Jc1 = 0;
    Hfbbxs(nj, bj);
    st.TxtSm = st.Tsnr;
    return;
  }
  st.Zt = QStringLiteral("查班");
  Xsbb(nj, bj);
  st.TxtSm = QStringLiteral("　　班级课表中绿字为合班课。");
}

// ---- EngineHost ----

void MainWindowModel::refreshClassList() {
  Xsypwpbjs();
}

void MainWindowModel::clickGridCell(int xq, int jc) {
  clickCell(xq, jc);
}

void MainWindowModel::replayTemporaryChanges() {
  if (replayTemporary) replayTemporary(c_);
}

void MainWindowModel::recheckTemporaryChanges(int nj, int bj) {
  if (c_.st.OptCqls != 0) replayTemporaryChanges();
  int shownNj = 0, shownBj = 0;
  if (labelClass(shownNj, shownBj) && shownNj == nj && shownBj == bj) Jcljklsk(nj, bj);
}

}  // namespace tavro
