// Undo, redo, restoring a kept version and clearing the whole school's timetable: the data files
// change through the history (core/history*), then the window reads them again and shows the
// class it showed (or the class of the step) in the layer and mode it was in.

#include <QFileInfo>

#include "adjust/viewmodel/mainwindow.h"
#include "core/history_action.h"
#include "core/history_captions.h"
#include "core/procedures.h"
#include "core/textfile.h"
#include "core/timetable_file.h"
#include "engine/classlist.h"
#include "engine/run.h"

namespace tavro {

namespace {

// The class whose history name is `name`; false when none has it.
bool classNamed(const School& s, const QString& name, int& nj, int& bj) {
  if (name.isEmpty()) return false;
  for (int g = s.Snj; g <= s.Mnj; ++g)
    for (int b = 1; s.Njbjs.has(g) && b <= s.Njbjs(g); ++b)
      if (historyClassName(s, g, b) == name) {
        nj = g;
        bj = b;
        return true;
      }
  return false;
}

}  // namespace

const QString kClearSchoolQuestion = QStringLiteral(
    "　　要清除全校所有班级的课表吗？清除后各班都要重新排课；原来的课表文件保存在历史文件夹中，可以用“撤销”"
    "恢复。");

HistoryFolder MainWindowModel::historyFolder() const {
  return HistoryFolder(c_.s.Wjj, c_.st.History.limits);
}

QString MainWindowModel::historyCaption(bool back) const {
  const QString verb = back ? QStringLiteral("撤销") : QStringLiteral("重做");
  if (c_.s.Wjj.isEmpty()) return verb;
  const HistoryIndex index = historyFolder().readIndex();
  const int at = back ? index.position - 1 : index.position;
  if (at < 0 || at >= index.steps.size()) return verb;
  return verb + u'：' + index.steps[at].caption;
}

QString MainWindowModel::undoCaption() const {
  return historyCaption(true);
}

QString MainWindowModel::redoCaption() const {
  return historyCaption(false);
}

bool MainWindowModel::canUndo() const {
  return undoCaption() != QStringLiteral("撤销");
}

bool MainWindowModel::canRedo() const {
  return redoCaption() != QStringLiteral("重做");
}

bool MainWindowModel::refuseHistory(const QString& verb) {
  const RunState& st = c_.st;
  if (c_.s.Wjj.isEmpty()) {
    Tsxx(c_.ui,
         QStringLiteral("　　还没有打开数据文件夹，不能") + verb + QStringLiteral("。请先单击“1、学校”。"));
    return true;
  }
  if (st.Bxdck.isEmpty()) return false;
  int nj = 0, bj = 0;
  labelClass(nj, bj);
  Tsxx(c_.ui, QStringLiteral("　　") + historyClassName(c_.s, nj, bj) +
                  QStringLiteral("的课表还没有排完，正处于调课状态，现在不能") + verb +
                  QStringLiteral("。请先单击可调的课（绿色、黄色或橙色）把需调课调开，排完本班后再") + verb +
                  QStringLiteral("。"));
  return true;
}

void MainWindowModel::undo() {
  stepHistory(true);
}

void MainWindowModel::redo() {
  stepHistory(false);
}

void MainWindowModel::stepHistory(bool back) {
  const QString verb = back ? QStringLiteral("撤销") : QStringLiteral("重做");
  if (refuseHistory(verb)) return;
  const QString now = historyTimeNow(c_.st.History.fixedNow);
  std::optional<HistoryStep> step;
  try {
    step = back ? undoHistoryStep(historyFolder(), now) : redoHistoryStep(historyFolder(), now);
  } catch (const FileError& e) {
    Cwxx(c_.ui, QStringLiteral("　　不能") + verb + QStringLiteral("：") + e.message());
    reloadAfterHistory(QString());  // the files may have changed before the failure
    return;
  }
  if (!step) {
    Tsxx(c_.ui, QStringLiteral("　　没有可以") + verb + QStringLiteral("的操作。"));
    return;
  }
  reloadAfterHistory(step->className);
  c_.st.TxtSm = QStringLiteral("　　已") + verb + u'：' + step->caption + u'。';
}

void MainWindowModel::restoreVersion(const HistoryVersion& version) {
  if (refuseHistory(QStringLiteral("恢复"))) return;
  restoreHistoryVersion(c_.st, c_.s.Wjj, version);
  reloadAfterHistory(version.className);
  c_.st.TxtSm = QStringLiteral("　　已恢复") + versionDescription(version) +
                QStringLiteral("。可以用“撤销”取消本次恢复。");
}

void MainWindowModel::clearSchoolTimetable() {
  if (refuseHistory(QStringLiteral("清除全校课表"))) return;
  if (!Wxx(c_.ui, kClearSchoolQuestion)) return;
  {
    HistoryActionScope action(
        c_.st, HistoryAction{QStringLiteral("清除"), QString(), QStringLiteral("清除全校课表")});
    removeDataFile(c_.st, timetableFilePath(c_.s));
  }
  reloadAfterHistory(QString());
  c_.st.TxtSm = QStringLiteral(
      "　　已清除全校课表，原来的课表文件保存在历史文件夹中。可以单击“6、编排课表”重新排课，或者单击“撤销”"
      "恢复。");
}

bool MainWindowModel::schoolLoaded() const {
  return c_.st.LstJs.count() > 0;
}

void MainWindowModel::reloadAfterHistory(const QString& className) {
  RunState& st = c_.st;
  School& s = c_.s;
  if (!schoolLoaded()) return;  // the files changed; the school is read with them at its import
  int nj = 0, bj = 0;
  const bool shown = labelClass(nj, bj);
  if (!classNamed(s, className, nj, bj) && !shown) nj = bj = 0;
  const bool swapping = st.Zt == QStringLiteral("调课");
  const int layer = st.OptCqls;
  st.Xq1 = st.Jc1 = 0;
  reloadTimetable(c_, *this);
  if (s.Ypbjs < s.Bjzs) {
    // Some class is unscheduled again: the export state goes, "6、编排课表" can schedule it.
    st.ExportMode = false;
    w_.CmdDcEnabled = false;
    st.CmdKbEnabled = true;
    w_.CmdKbCaption = QStringLiteral("6、编排课表");
    if (exportButtonsChanged) exportButtonsChanged();
  }
  st.OptCqls = layer;
  st.Dqcqls = layer == 0 ? kLongTerm : kTemporary;
  Xsypwpbjs();
  if (nj <= 0 || !s.isClass(nj, bj)) return;
  st.OptYp = s.Ypbz(nj, bj) == 1;
  refillClassList();
  const int item = findClassItem(st, nj, bj);
  if (item < 0) return;
  selectClass(item);
  if (swapping && st.OptYp) CmdDk_Click();
}

}  // namespace tavro
