// The temporary swap step of the grid click.

#include "temporary/tempswap.h"

#include "adjust/swap.h"
#include "core/history_action.h"
#include "core/history_captions.h"
#include "core/procedures.h"
#include "core/slots.h"
#include "core/textfile.h"
#include "core/texts.h"
#include "temporary/changefile.h"
#include "temporary/dates.h"
#include "temporary/notices.h"

namespace tavro {

namespace {

QString teacherName(const School& s, int t) {
  return s.Jsmc.has(t) ? s.Jsmc(t) : QString();
}

QString courseName(const School& s, int k) {
  return s.Kcmc.has(k) ? s.Kcmc(k) : QString();
}

// "星期" + weekday + "第" + period + "节" + teacher + "(" + code + ")的" + course of one lesson.
QString lessonHint(const School& s, int xq, int jc, int t, int k) {
  return QStringLiteral("星期") + Xqm(xq) + QStringLiteral("第") + Szc(jc) + QStringLiteral("节") +
         teacherName(s, t) + u'(' + Lbq(3, t) + QStringLiteral(")的") + courseName(s, k);
}

QString swapHint(const Ctx& c) {
  const RunState& st = c.st;
  return QStringLiteral("　　") + st.Lsksrq + QStringLiteral("至") + st.Lsjsrq +
         lessonHint(c.s, st.Xq1, st.Jc1, st.Jsh1, st.Kch1) + QStringLiteral("和") +
         lessonHint(c.s, st.Xq2, st.Jc2, st.Jsh2, st.Kch2) + QStringLiteral("临时对调");
}

}  // namespace

TemporarySwapResult Lsdk(Ctx& c, int nj, int bj, const QString& weekParity) {
  RunState& st = c.st;
  initDateRange(st);
  const QString start = Rqwb(st.DTPicker1), end = Rqwb(st.DTPicker2);
  if (start > end) return {};
  if (start == end && !Wxx(c.ui, QStringLiteral("临时调课的开始日期和结束日期已经确定了吗？"))) return {};
  st.Lsksrq = start;
  st.Lsjsrq = end;
  QString kind;
  Bbsrb(c.s, st.Dqcqls, nj, bj, st.Xq1, st.Jc1, st.Kch1, st.Jsh1, kind);
  Bbsrb(c.s, st.Dqcqls, nj, bj, st.Xq2, st.Jc2, st.Kch2, st.Jsh2, kind);
  st.TxtSm = swapHint(c);
  HistoryActionScope action(c.st,
                            HistoryAction{QStringLiteral("临时调课"), historyClassName(c.s, nj, bj),
                                          swapCaption(c.s, nj, bj, st.Xq1, st.Jc1, st.Xq2, st.Jc2, true)});
  try {
    BcLsgk(c, nj, bj);
  } catch (const FileError& e) {
    Cwxx(c.ui, e.message());
    return {true, std::nullopt};
  }
  Dk(c, nj, bj, st.Xq1, st.Jc1, st.Xq2, st.Jc2, replayKeepingLastChange);
  TemporarySwapResult result{true, std::nullopt};
  if (Wxx(c.ui, QStringLiteral("    打印临时调课通知吗？如果打印，请准备好打印机和打印纸。")))
    result.notices = composeNotices(c, weekParity);
  st.TxtSm =
      QStringLiteral("　　已完成本次调课。可以再选需调课，继续调课，或在班级框选择班级，退出调课状态。");
  return result;
}

}  // namespace tavro
