#include "engine/completion.h"

#include "adjust/lookups.h"
#include "core/errors.h"
#include "core/procedures.h"
#include "core/slots.h"
#include "core/timetable_file.h"
#include "core/vbtext.h"
#include "engine/checks.h"
#include "engine/classlist.h"
#include "engine/host.h"
#include "engine/scheduler.h"

namespace tavro {

namespace {

// True when wizard tip k is to be shown: every tip shown, or character k of Tsbz is "1".
bool tipEnabled(const RunState& st, int k) {
  return st.Xsts == 1 || (st.Tsbz.size() >= k && st.Tsbz.at(k - 1) == u'1');
}

// True when some long-term cell of the class in weekdays 1..Mzts, periods jc1..jc2 is combined.
bool hasCombinedCell(const School& s, int nj, int bj, int jc1, int jc2) {
  for (int x = 1; x <= s.Mzts; ++x)
    for (int j = jc1; j <= jc2; ++j)
      if (ValMid(s.Kb(kLongTerm, x, j, nj, bj), 9, 1) >= 5) return true;
  return false;
}

// Step 4 of the completion: the hint text.
void completionHint(const School& s, RunState& st, int bj) {
  if (s.Xxlx != 9 && s.Xxlx != 10 && s.Zdbjs <= 9) {
    if (st.Zt == QStringLiteral("调课")) {
      st.TxtSm = QStringLiteral(
          "　　调课成功。可以再选择需调课继续调课或在班级框选择另一未排班级进行排课，也可在班级框单击某班级，"
          "进入查班状态"
          "。");
    } else if (bj % 2 == 1) {
      st.TxtSm = QStringLiteral("　　班级课表中绿字为合班课。");
    } else {
      st.TxtSm =
          QStringLiteral("　　在班级课表上选择某节课，在课程框显示该课名称，在教师框显示该课程的教师。");
    }
  }
}

// Step 6 of the completion: every class is scheduled.
void schoolFinished(Ctx& c, EngineHost& host, int nj, int bj) {
  RunState& st = c.st;
  st.OptYp = true;
  Xgypwp(c.s, st);
  host.refreshClassList();
  const int item = findClassItem(st, nj, bj);
  if (item > 0) selectClassItem(st, item);
  Phjckcct(c);
  Phjc56lkc(c);
  // The school is only finished once its timetable is on disk: a save that failed is reported
  // (FileError) instead of the message below.
  waitForTimetableSaves(st);
  if (tipEnabled(st, 12)) {
    c.ui.progress(100);
    st.Lbl6 = QStringLiteral("排课完成");
    Tsxx(c.ui, QStringLiteral("    课表已经全部排好了。在“班级”框选择某班级可以查看该班级课表。\r\n"
                              "    如果您希望提高课表质量，最好对各班课表审查一遍，不合适的可以调课。\r\n"
                              "    课表完全确定下来以后可以按“导出”按钮把表格导出到Excel打印。"));
    Pkqbwc(c, host);
  }
}

}  // namespace

bool classIsFull(const School& s, int nj, int bj) {
  for (int x = 1; x <= s.Mzts; ++x)
    for (int j = 1; j <= s.Mtjs; ++j)
      if (s.Kb(kLongTerm, x, j, nj, bj).isEmpty()) return false;
  return true;
}

void Qrbjshibyjk(Ctx& c, int jsh, int xq, int jc, int kch, int nj, int bj, int cqls) {
  (void)nj;
  (void)bj;
  School& s = c.s;
  if (jsh > 0 && s.Jskb.has(kLongTerm, xq, jc, jsh)) {
    const QString& cell = s.Jskb(kLongTerm, xq, jc, jsh);
    if (!(cell.size() >= 4 && cell.at(3) == u'9')) {
      s.Jskb(kLongTerm, xq, jc, jsh).clear();
      s.Jskb(kTemporary, xq, jc, jsh).clear();
    }
  }
  if (cqls == kLongTerm && isCapped(s, kch)) {
    forEachCapEntry(s, kch, [&](int i) {
      if (c.st.Ctszc.has(i, xq, jc)) --c.st.Ctszc(i, xq, jc);
    });
  }
}

void Qkbsz(Ctx& c, int nj, int bj, int xq2, int jc1, int jc2) {
  School& s = c.s;
  bool deleteCombined = false;
  if (hasCombinedCell(s, nj, bj, jc1, jc2))
    deleteCombined = !Wxx(c.ui, QStringLiteral("保留") + s.Bjmc(nj, bj) + QStringLiteral("班的的合班课吗?"));
  for (int x = 1; x <= xq2; ++x) {
    for (int j = jc1; j <= jc2; ++j) {
      for (int layer : {kLongTerm, kTemporary}) {
        QString& cell = s.Kb(layer, x, j, nj, bj);
        if (cell.isEmpty()) continue;
        const int kind = ValMid(cell, cell.size() - 1, 1);
        const bool combined = kind >= 5;
        if (!(kind == 0 || (combined && deleteCombined))) continue;
        const int kch = ValMid(cell, 0, 3), jsh = ValMid(cell, 3, 3);
        cell.clear();
        // A combined cell holds the lesson number, not a teacher, and never counted in Ctszc.
        if (!combined) Qrbjshibyjk(c, jsh, x, j, kch, nj, bj, layer);
      }
    }
  }
  if (deleteCombined) {
    // Save the cleared class first, so that it does not come back as scheduled at the next start.
    s.Ypbz(nj, bj) = 0;
    Bckb(c);
    waitForTimetableSaves(c.st);
    const QString message = QStringLiteral("删除班级课表中的合班课后需要退出本软件，再重新运行。");
    Tsxx(c.ui, message);
    throw ProgramEnd(message);
  }
}

void Pkqbwc(Ctx& c, EngineHost& host) {
  (void)host;
  RunState& st = c.st;
  st.CmdJsEnabled = st.CmdKcEnabled = st.CmdHbEnabled = st.CmdBjEnabled = st.CmdKbEnabled = false;
  st.ExportMode = true;
  st.Zt = QStringLiteral("查班");
}

ClassRef Pkwc(Ctx& c, EngineHost& host, int nj, int bj) {
  School& s = c.s;
  RunState& st = c.st;
  st.Dkzt = 0;
  s.Ypbz(nj, bj) = classIsFull(s, nj, bj) ? 1 : 0;
  Xgypwp(s, st);
  host.refreshClassList();
  s.Ypbjs = st.OptYp ? st.LstBj.count() : s.Bjzs - st.LstBj.count();
  st.MSFG.visible = true;
  host.recheckTemporaryChanges(nj, bj);
  completionHint(s, st, bj);
  Bckb(c);
  Phjckcct(c);
  ClassRef next;
  if (s.Ypbjs == s.Bjzs) {
    schoolFinished(c, host, nj, bj);
  } else {
    c.ui.progress(s.Bjzs > 0 ? s.Ypbjs * 100 / s.Bjzs : 0);
    selectClassItem(st, 0);
    const QString first = st.LstBj.currentText();
    next = ClassRef{ValMid(first, 0, 2), ValMid(first, 2, 2)};
  }
  st.LstBjEnabled = true;
  return next;
}

namespace {
// Runs the chain from class `next` until no class is named, Jp refuses, or a class stays in swap mode.
void runChainFrom(Ctx& c, EngineHost& host, ClassRef next) {
  while (next.valid()) {
    host.schedulingClass(next.Nj, next.Bj);
    if (Jp(c, host, next.Nj, next.Bj) != JpOutcome::Finished) return;
    const ClassRef done = next;
    next = Pkwc(c, host, done.Nj, done.Bj);
    // A class whose plan leaves cells empty is never marked scheduled, so the list would
    // name it again at once; stop there instead of scheduling it over and over.
    if (next.Nj == done.Nj && next.Bj == done.Bj) return;
  }
  if (c.st.Bxdck.isEmpty() && c.s.Ypbjs == c.s.Bjzs) {
    Pkqbwc(c, host);
    c.st.LstBjEnabled = true;
  }
}
}  // namespace

void scheduleChain(Ctx& c, EngineHost& host, int nj, int bj) {
  BackgroundTimetableSaves saves(c.st);
  runChainFrom(c, host, ClassRef{nj, bj});
  saves.finish();
  host.schedulingStopped();
}

void continueChain(Ctx& c, EngineHost& host, int nj, int bj) {
  BackgroundTimetableSaves saves(c.st);
  runChainFrom(c, host, Pkwc(c, host, nj, bj));
  saves.finish();
  host.schedulingStopped();
}

}  // namespace tavro
