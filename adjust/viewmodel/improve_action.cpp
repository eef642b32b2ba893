// "优化课表": the improvement pass from the main window, as one step of the
// history, with its progress and a message of the figures before and after.

#include "adjust/viewmodel/mainwindow.h"
#include "core/history_action.h"
#include "core/procedures.h"

namespace tavro {

namespace {

// One line of the message: what was counted, before → after.
QString figureLine(const QString& what, int before, int after) {
  return QStringLiteral("\r\n　　%1：%2 → %3").arg(what).arg(before).arg(after);
}

QString figuresText(const ImproveReport& r) {
  const SoftFaults& b = r.before.soft;
  const SoftFaults& a = r.after.soft;
  return figureLine(QStringLiteral("同一天重复的课"), b.sameDayRepeats, a.sameDayRepeats) +
         figureLine(QStringLiteral("下午的主科课"), b.mainAfternoon, a.mainAfternoon) +
         figureLine(QStringLiteral("最后两节的主科课"), b.mainLastTwo, a.mainLastTwo) +
         figureLine(QStringLiteral("第一节和最后一节超用"), b.edgePeriodOveruse, a.edgePeriodOveruse) +
         figureLine(QStringLiteral("教师空堂"), b.teacherIdle, a.teacherIdle) +
         figureLine(QStringLiteral("教师超过每天最多节数的天数"), b.teacherDaysAboveMost,
                    a.teacherDaysAboveMost);
}

QString resultText(const ImproveReport& r) {
  if (r.exchanges == 0)
    return r.stopped ? QStringLiteral("　　已停止优化，课表没有改变。")
                     : QStringLiteral("　　没有找到能改进课表的交换，课表没有改变。");
  const QString head =
      r.stopped ? QStringLiteral("　　已停止优化，保留找到的最好课表") : QStringLiteral("　　课表优化完成");
  return head + QStringLiteral("，共交换%1次课，课表文件已保存。").arg(r.exchanges) + figuresText(r);
}

}  // namespace

bool MainWindowModel::canImprove() const {
  const School& s = c_.s;
  return schoolLoaded() && s.Bjzs > 0 && s.Ypbjs == s.Bjzs && c_.st.Bxdck.isEmpty();
}

ImproveReport MainWindowModel::improve(const std::function<bool()>& keepGoing) {
  if (!canImprove()) {
    Tsxx(c_.ui, QStringLiteral("　　全部班级排好课后才能优化课表。"));
    return {};
  }
  RunState& st = c_.st;
  ImproveOptions options;
  options.progress = [&](int percent) {
    c_.ui.progress(percent);
    return keepGoing();
  };
  c_.ui.status(QStringLiteral("正在优化课表……按Esc或再按“优化课表”停止。"));
  ImproveReport report;
  {
    HistoryActionScope action(st,
                              HistoryAction{QStringLiteral("优化"), QString(), QStringLiteral("优化课表")});
    report = improveTimetable(c_, options);
  }
  c_.ui.progress(0);
  c_.ui.status(QString());
  int nj = 0, bj = 0;
  if (labelClass(nj, bj)) Xsbb(nj, bj);
  if (report.exchanges > 0) st.TxtSm = QStringLiteral("　　课表已优化。可以单击“撤销”取消本次优化。");
  Tsxx(c_.ui, resultText(report));
  return report;
}

}  // namespace tavro
