#include "engine/run.h"

#include "core/cells.h"
#include "core/history_action.h"
#include "core/procedures.h"
#include "core/slots.h"
#include "core/teacherlist.h"
#include "core/timetable_file.h"
#include "core/vbtext.h"
#include "engine/checks.h"
#include "engine/classlist.h"
#include "engine/completion.h"
#include "engine/host.h"
#include "engine/placement.h"

namespace tavro {

namespace {

// Steps 1 to 4: screen, timetable file, afternoon-only schools, the long-term layer.
void prepare(Ctx& c) {
  School& s = c.s;
  RunState& st = c.st;
  c.ui.progress(0);
  // Cells the user chose to repair are saved at once: when every class is scheduled nothing else
  // saves the file, and the same question would come back at every run.
  if (Dkkbwj(c, timetableFilePath(s)).repaired) {
    Bckb(c);
    waitForTimetableSaves(st);
  }
  if (s.Ypbjs > 0) st.Lbl6 = QStringLiteral("已读课表");
  if (s.Swjs == 0 && s.Xwjs > 0) {
    s.Swjs = s.Xwjs;
    s.Xwjs = 0;
    st.Zyxw = 1;
  }
  st.OptCqls = 0;
  st.Dqcqls = kLongTerm;
  st.Tsnr = QStringLiteral(
      "　　在“期限”框选择“长期”或“临时”，然后在班级课表上选择需调的课。\r\n"
      "　　可在班级框单击某班级退出调课状态，或者选择未排班级进行排课。");
}

// Step 6: the mode word and the teacher list.
void showTeacherList(Ctx& c) {
  c.st.Zt = QStringLiteral("排课");
  fillTeacherList(c.s, c.st.LstJs);
}

// Step 7: teacher cells and simultaneity counters from the class timetables.
void rebuildTeacherTimetables(Ctx& c) {
  School& s = c.s;
  resetCtszc(s, c.st);
  for (int nj = s.Snj; nj <= s.Mnj; ++nj)
    for (int bj = 1; s.Njbjs.has(nj) && bj <= s.Njbjs(nj); ++bj) Bjsjjjskb(s, c.st, nj, bj);
}

// Step 14: temporary changes, the class list (the unscheduled classes while some remain), hints.
void showLists(Ctx& c, EngineHost& host) {
  RunState& st = c.st;
  host.replayTemporaryChanges();
  if (c.s.Ypbjs < c.s.Bjzs) st.OptYp = false;
  Xgypwp(c.s, st);
  host.refreshClassList();
  st.TxtSm = QStringLiteral("　　在班级框选择班级，在课程框显示该班课程。");
  for (int i = 0; i < st.LstJs.count(); ++i) st.LstJs.setSelected(i, false);
}

// Step 17: every class is scheduled.
void allScheduled(Ctx& c, EngineHost& host) {
  RunState& st = c.st;
  Pkqbwc(c, host);
  st.OptYp = true;
  Xgypwp(c.s, st);
  host.refreshClassList();
  selectClassItem(st, 0);
  st.TxtSm = QStringLiteral(
      "　　课表已经全部排好，课表文件已打开！选择班级框的某一班级查看该班级课表或者在导出框选择选项后按“导出”"
      "按钮。");
  c.ui.progress(0);
}

// Step 18: start (or continue) the chain with the first unscheduled class.
void startScheduling(Ctx& c, EngineHost& host) {
  RunState& st = c.st;
  Tsxx(c.ui,
       QStringLiteral("    现在") + (c.s.Ypbjs > 0 ? QStringLiteral("继续") : QStringLiteral("开始")) +
           QStringLiteral(
               "排课，如果最后若干节排课困难将自动转为调课状态由用户决定如何调课，否则计算机将一直连续自"
               "动排课，直至全部班级课表都排好。"));
  c.ui.status(QStringLiteral("正在编排课表……"));
  if (st.LstBj.count() == 0) return;
  const QString first = st.LstBj.item(0);
  const int nj = ValMid(first, 0, 2), bj = ValMid(first, 2, 2);
  if (nj <= 0 || bj <= 0) return;
  st.Zt = QStringLiteral("排课");
  st.OptYp = false;
  selectClassItem(st, 0);
  BackgroundTimetableSaves saves(st);
  scheduleChain(c, host, nj, bj);
  Bckb(c);
  saves.finish();
}

// The timetable state as the class import leaves it: no lesson in the class and teacher
// timetables (blocked periods stay), no class scheduled, no saved blocks or memo of checks.
void clearTimetables(Ctx& c) {
  School& s = c.s;
  s.Kb.fill(QString());
  for (QString& cell : s.Jskb.values())
    if (isTeacherLesson(cell)) cell.clear();
  s.Ypbz.fill(0);
  s.Ypbjs = 0;
  c.st.TimetableCache.reset();
  c.st.CheckMemo.reset();
}

// The steps shared by the run and the reload, up to the lists and the grid headers.
void loadAndShowTimetable(Ctx& c, EngineHost& host, bool reportLoad) {
  School& s = c.s;
  prepare(c);
  buildCourseSettings(s);
  showTeacherList(c);
  rebuildTeacherTimetables(c);
  markBlockedEvents(s);
  placeCombinedLessons(c);
  if (reportLoad && s.Ypbjs < s.Bjzs) reportTeacherLoad(c);
  recountFinishedClasses(c);
  sortPlansByCourse(s);
  reduceResearchCells(s);
  showLists(c, host);
  if (s.Ypbjs > 0) {
    Jctykct(c);
    Phjckcct(c);
  }
  host.showGridHeaders();
}

}  // namespace

void loadTimetable(Ctx& c) {
  School& s = c.s;
  prepare(c);
  buildCourseSettings(s);
  rebuildTeacherTimetables(c);
  markBlockedEvents(s);
  placeCombinedLessons(c);
  recountFinishedClasses(c);
  sortPlansByCourse(s);
  reduceResearchCells(s);
}

void reloadTimetable(Ctx& c, EngineHost& host) {
  clearTimetables(c);
  loadAndShowTimetable(c, host, false);
  if (c.s.Ypbjs == c.s.Bjzs) {
    allScheduled(c, host);
    return;
  }
  c.st.Zt = QStringLiteral("查班");
}

void CmdKb_Click(Ctx& c, EngineHost& host) {
  HistoryActionScope action(c.st,
                            HistoryAction{QStringLiteral("排课"), QString(), QStringLiteral("编排课表")});
  loadAndShowTimetable(c, host, true);
  if (c.s.Ypbjs == c.s.Bjzs) {
    allScheduled(c, host);
    return;
  }
  startScheduling(c, host);
}

}  // namespace tavro
