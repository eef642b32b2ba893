// The change notices of a temporary swap.

#include "temporary/notices.h"

#include <algorithm>
#include <functional>

#include "core/procedures.h"
#include "core/vbtext.h"
#include "export/context.h"
#include "export/names.h"
#include "export/options.h"
#include "temporary/changefile.h"

namespace tavro {

namespace {

const QString kIndent = QStringLiteral("　　");
// Most copies of the class notice one answer can ask for.
constexpr int kMaxCopies = 100;

// One lesson of the swap as the sentences name it.
struct NoticeLesson {
  int xq, jc, kch;
  QString date;  // calendar date within a short range; "" for a long range or when none matches
};

// Everything the sentences are made of.
struct NoticeParts {
  QString start, end, className, w;
  NoticeLesson a, b;
  std::function<QString(int)> weekday;
  std::function<QString(int)> course;
};

QDate dateOf(const QString& text) {
  return QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
}

QString teacherName(const School& s, int t) {
  return s.Jsmc.has(t) ? s.Jsmc(t) : QString();
}

// HBjm1: the class name without a leading full-width space.
QString noticeClassName(const School& s, int nj, int bj) {
  QString name = s.Bjmc.has(nj, bj) ? s.Bjmc(nj, bj) : QString();
  if (name.startsWith(u'　')) name.remove(0, 1);
  return name;
}

bool longRange(const School& s, int rqts) {
  return rqts > (s.Mzts >= 8 ? 14 : 7);
}

// The calendar dates of the two lessons within the days from the start (the last match wins). A
// one-day range searches the week starting at the start date (two weeks in a fortnightly
// timetable), so that each lesson gets its date. In a fortnightly timetable the week of the start
// date counts as the first week (days 1..7), the week after it as the second (days 8..14).
void findDates(const Ctx& c, NoticeParts& p) {
  const QDate start = dateOf(c.st.Lsksrq);
  if (!start.isValid()) return;
  const bool fortnight = c.s.Mzts > 7;
  const int n = c.st.Rqts == 1 ? (fortnight ? 14 : 7) : c.st.Rqts;
  for (int d = 0; d < n; ++d) {
    const QDate day = start.addDays(d);
    const int week = fortnight ? (start.dayOfWeek() - 1 + d) / 7 % 2 : 0;
    const int number = day.dayOfWeek() + 7 * week;
    if (number == p.a.xq) p.a.date = noticeDate(day);
    if (number == p.b.xq) p.b.date = noticeDate(day);
  }
}

// The date and weekday of lesson `to` where a sentence names it after lesson `from`: left out only
// when both lessons fall on the same day.
QString otherDay(const NoticeParts& p, const NoticeLesson& from, const NoticeLesson& to) {
  if (to.date == from.date && to.xq == from.xq) return QString();
  return to.date + p.w + p.weekday(to.xq);
}

// "第" + period + "节"
QString periodText(int jc) {
  return QStringLiteral("第") + Szc(jc) + QStringLiteral("节");
}

// The teacher sentence of lesson `from` moved to the slot of lesson `to`.
QString teacherSentence(const NoticeParts& p, bool isLong, const NoticeLesson& from, const NoticeLesson& to) {
  const QString moved = periodText(from.jc) + p.course(from.kch) + QStringLiteral("临时调至");
  if (isLong)
    return kIndent + p.start + QStringLiteral("至") + p.end + p.className + QStringLiteral("班") + p.w +
           p.weekday(from.xq) + moved + p.w + p.weekday(to.xq) + periodText(to.jc) + QStringLiteral("。");
  return kIndent + p.className + QStringLiteral("班") + from.date + p.w + p.weekday(from.xq) + moved +
         otherDay(p, from, to) + periodText(to.jc) + QStringLiteral("。");
}

QString classSentence(const NoticeParts& p, bool isLong) {
  const QString first =
      p.w + p.weekday(p.a.xq) + periodText(p.a.jc) + p.course(p.a.kch) + QStringLiteral("和");
  const QString second = periodText(p.b.jc) + p.course(p.b.kch) + QStringLiteral("临时对调。");
  if (isLong)
    return kIndent + p.start + QStringLiteral("至") + p.end + first + p.w + p.weekday(p.b.xq) + second;
  return kIndent + p.a.date + first + otherDay(p, p.a, p.b) + second;
}

void appendBlock(QString& tzzw, const NoticeLines& t, std::initializer_list<int> lines) {
  bool first = true;
  for (int i : lines) {
    tzzw += kIndent + t[i] + kNoticeBreak;
    if (first) tzzw += kNoticeBreak;
    first = false;
  }
}

int copiesAnswer(Ui& ui) {
  const auto answer =
      ui.input(QStringLiteral("班级临时调课通知一式几份？"), QStringLiteral("请回答"), QStringLiteral("3"));
  if (!answer) return 0;
  return std::clamp(ValInt(*answer), 0, kMaxCopies);
}

}  // namespace

QString noticeDate(const QDate& d) {
  if (!d.isValid()) return QString();
  return QString::number(d.year()) + QStringLiteral("年") + QString::number(d.month()) +
         QStringLiteral("月") + QString::number(d.day()) + QStringLiteral("日");
}

NoticeLines Lsdktzjsz(const Ctx& c, int n1, int n2, const QString& weekParity) {
  const School& s = c.s;
  const RunState& st = c.st;
  ExportForm form;
  form.Dszbz = weekParity;
  const ExportCtx ec{c.s, c.st, form, c.ui};
  NoticeParts p{noticeDate(dateOf(st.Lsksrq)),
                noticeDate(dateOf(st.Lsjsrq)),
                noticeClassName(s, st.DqNj, st.DqBj),
                s.Mzts <= 7 ? QStringLiteral("星期") : QString(),
                {st.Xq1, st.Jc1, st.Kch1, {}},
                {st.Xq2, st.Jc2, st.Kch2, {}},
                [&](int d) { return HXqmc(ec, d, 4, true); },
                [&](int k) { return trimRight(s.Kcmc.has(k) ? s.Kcmc(k) : QString()); }};
  const bool isLong = longRange(s, st.Rqts);
  if (!isLong) findDates(c, p);
  const QString ten = fullBlanks(10);
  const int head = s.Bzr.has(st.DqNj, st.DqBj) ? s.Bzr(st.DqNj, st.DqBj) : 0;
  return {ten + QStringLiteral("教师临时调课通知"),
          teacherName(s, n1) + QStringLiteral("老师："),
          teacherSentence(p, isLong, p.a, p.b),
          teacherName(s, n2) + QStringLiteral("老师："),
          teacherSentence(p, isLong, p.b, p.a),
          ten + QStringLiteral("班级临时调课通知"),
          p.className + QStringLiteral("班（班主任：") + teacherName(s, head) + QStringLiteral("）："),
          classSentence(p, isLong)};
}

void Gktzjs(QString& tzzw, int x, const QDate& today) {
  const int a = x > 60 ? 40 : (x > 12 ? x - 12 : 10);
  tzzw += kIndent + QStringLiteral("    特此通知。谢谢！") + kNoticeBreak;
  tzzw += kIndent + fullBlanks(a) + QStringLiteral("教务处") + kNoticeBreak;
  tzzw += kIndent + fullBlanks(a) + Rqwb(today) + kNoticeBreak;
  tzzw += kNoticeBreak + kNoticeBreak + kNoticeBreak;
}

QString composeNotices(Ctx& c, const QString& weekParity) {
  const NoticeLines t = Lsdktzjsz(c, c.st.Jsh1, c.st.Jsh2, weekParity);
  const QDate today = Jtrq(c.st);
  const QString three = fullBlanks(3);
  QString tzzw = kNoticeBreak;
  if (!t[0].isEmpty() && !t[1].startsWith(three)) {
    appendBlock(tzzw, t, {0, 1, 2});
    Gktzjs(tzzw, static_cast<int>(t[2].size()) - 10, today);
  }
  if (!t[3].isEmpty() && !t[4].startsWith(three)) {
    appendBlock(tzzw, t, {0, 3, 4});
    Gktzjs(tzzw, static_cast<int>(t[4].size()) - 10, today);
  }
  const int copies = copiesAnswer(c.ui);
  for (int i = 0; i < copies; ++i) {
    appendBlock(tzzw, t, {5, 6, 7});
    Gktzjs(tzzw, static_cast<int>(t[7].size()) - 10, today);
  }
  return tzzw;
}

}  // namespace tavro
