// The view-model's temporary-change hooks: the replay of "调课.txt" that the
// engine, the lists and the swap call, the clash test of a temporary swap over
// its date range, and the temporary swap of the grid click with its change
// notices.

#include "adjust/viewmodel/mainwindow.h"
#include "core/procedures.h"
#include "core/slots.h"
#include "temporary/changefile.h"
#include "temporary/dates.h"
#include "temporary/rangecheck.h"
#include "temporary/tempswap.h"

namespace tavro {

namespace {

// What identifies a record: its class, dates and changed lessons.
QStringList recordKey(const ChangeRecord& r) {
  return QStringList{r.className, r.written, r.start, r.end} + r.lessonLines;
}

QString clashOverRange(Ctx& c, int nj, int bj, int xq1, int jc1, int xq2, int jc2) {
  initDateRange(c.st);
  TemporarySwapLessons swap{nj, bj, xq1, jc1, 0, 0, xq2, jc2, 0, 0};
  QString kind;
  Bbsrb(c.s, kTemporary, nj, bj, xq1, jc1, swap.course1, swap.teacher1, kind);
  Bbsrb(c.s, kTemporary, nj, bj, xq2, jc2, swap.course2, swap.teacher2, kind);
  return temporarySwapClash(c.s, readChangeFile(changeFilePath(c.s)).records, swap, Rqwb(c.st.DTPicker1),
                            Rqwb(c.st.DTPicker2));
}

}  // namespace

MainWindowModel::MainWindowModel(Ctx ctx) : c_(ctx) {
  replayTemporary = [](Ctx& c) { Dklsgkwj(c); };
  temporaryClash = clashOverRange;
  temporarySwap = [this](Ctx& c, int nj, int bj) {
    RunState& st = c.st;
    // The dates may have changed since the partners were graded.
    const QString clash = clashOverRange(c, nj, bj, st.Xq1, st.Jc1, st.Xq2, st.Jc2);
    if (!clash.isEmpty()) {
      Tsxx(c.ui, clash + QStringLiteral("，不能调！"));
      return true;
    }
    const TemporarySwapResult result = Lsdk(c, nj, bj);
    if (result.notices) {
      const ChangeFile file = readChangeFile(changeFilePath(c.s));
      w_.noticeRecord = file.records.isEmpty() ? QStringList() : recordKey(file.records.last());
      showNotices(*result.notices);
    }
    return result.handled;
  };
}

void MainWindowModel::showNotices(const QString& text) {
  w_.RichTextBoxZb = text;
  w_.RichTextBoxZbVisible = true;
  w_.FraPkVisible = false;
  if (noticesShown) noticesShown();
}

void MainWindowModel::closeNotices() {
  w_.RichTextBoxZbVisible = false;
  w_.FraRqfwVisible = false;
  w_.FraPkVisible = true;
}

void MainWindowModel::dropStaleNotices() {
  if (w_.RichTextBoxZb.isEmpty()) return;
  for (const ChangeRecord& r : readChangeFile(changeFilePath(c_.s)).records)
    if (recordKey(r) == w_.noticeRecord) return;
  w_.RichTextBoxZb.clear();
  w_.noticeRecord.clear();
  w_.RichTextBoxZbVisible = false;
  w_.FraPkVisible = true;
  if (noticesDropped) noticesDropped();
}

void MainWindowModel::temporaryDatesChanged() {
  RunState& st = c_.st;
  if (st.OptCqls == 0) return;
  int nj = 0, bj = 0;
  const bool shown = labelClass(nj, bj);
  if (st.Zt == QStringLiteral("调课") && (st.Xq1 != 0 || st.Jc1 != 0)) {
    st.Xq1 = st.Jc1 = 0;
    st.TxtSm = QStringLiteral("　　选择开始日期和结束日期。再在班级课表上选择需调课。");
  }
  replayTemporaryChanges();
  if (shown) Xsbb(nj, bj);
}

}  // namespace tavro
