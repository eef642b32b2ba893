// Change notices: the exact sentences for short, same-day and long ranges,
// the closing lines and the composed text with its copies of the class notice.

#include "temporary/notices.h"

#include <gtest/gtest.h>

#include "core/procedures.h"
#include "temporary/dates.h"
#include "tests/temporary/temporary_support.h"

namespace tavro::testing {
namespace {

QString blanks(int n) {
  return QString(n, QChar(0x3000));
}

// Class 0701 "初一(1)" (head teacher 王　五) swaps 语文 of 张　三 at (xq1, jc1) with 数学 of 李四光 at (xq2,
// jc2).
NoticeLines noticeLines(TempBench& b, int xq1, int jc1, int xq2, int jc2, const QDate& start,
                        const QDate& end) {
  b.s.Bzr(7, 1) = 3;
  b.s.Bjmc(7, 1) = QStringLiteral("初一(1)");
  b.lesson(7, 1, xq1, jc1, 1, 1);
  b.lesson(7, 1, xq2, jc2, 2, 2);
  b.swapContext(7, 1, xq1, jc1, xq2, jc2, Rqwb(start), Rqwb(end));
  b.st.Rqts = Rqts(start, end);
  return Lsdktzjsz(b.ctx(), b.st.Jsh1, b.st.Jsh2);
}

TEST(Notices, OneDayRangeGivesTheDatesWithinTheWeekFromTheStart) {
  TempBench b;
  const NoticeLines t = noticeLines(b, 1, 1, 2, 2, QDate(2026, 3, 2), QDate(2026, 3, 2));
  EXPECT_EQ(t[0], blanks(10) + QStringLiteral("教师临时调课通知"));
  EXPECT_EQ(t[1], QStringLiteral("张　三老师："));
  EXPECT_EQ(t[2],
            QStringLiteral("　　初一(1)班2026年3月2日星期一第1节语文临时调至2026年3月3日星期二第2节。"));
  EXPECT_EQ(t[3], QStringLiteral("李四光老师："));
  EXPECT_EQ(t[4],
            QStringLiteral("　　初一(1)班2026年3月3日星期二第2节数学临时调至2026年3月2日星期一第1节。"));
  EXPECT_EQ(t[5], blanks(10) + QStringLiteral("班级临时调课通知"));
  EXPECT_EQ(t[6], QStringLiteral("初一(1)班（班主任：王　五）："));
  EXPECT_EQ(t[7], QStringLiteral("　　2026年3月2日星期一第1节语文和2026年3月3日星期二第2节数学临时对调。"));

  // A Wednesday: Monday and Tuesday are those of the next week.
  TempBench wednesday;
  const NoticeLines w = noticeLines(wednesday, 1, 1, 2, 1, QDate(2026, 12, 9), QDate(2026, 12, 9));
  EXPECT_EQ(w[2],
            QStringLiteral("　　初一(1)班2026年12月14日星期一第1节语文临时调至2026年12月15日星期二第1节。"));
  EXPECT_EQ(w[4],
            QStringLiteral("　　初一(1)班2026年12月15日星期二第1节数学临时调至2026年12月14日星期一第1节。"));
  EXPECT_EQ(w[7],
            QStringLiteral("　　2026年12月14日星期一第1节语文和2026年12月15日星期二第1节数学临时对调。"));
}

TEST(Notices, LessonsOutsideAShortRangeStillNameTheirWeekday) {
  // Wednesday to Friday: Monday and Tuesday have no date in the range, but keep their weekdays.
  TempBench b;
  const NoticeLines t = noticeLines(b, 1, 1, 2, 2, QDate(2026, 12, 9), QDate(2026, 12, 11));
  EXPECT_EQ(t[2], QStringLiteral("　　初一(1)班星期一第1节语文临时调至星期二第2节。"));
  EXPECT_EQ(t[7], QStringLiteral("　　星期一第1节语文和星期二第2节数学临时对调。"));
}

TEST(Notices, FortnightlyDaysTakeTheDatesOfTheirOwnWeek) {
  // Days 1..7 are the week of the start date, days 8..14 the week after it.
  TempBench b;
  b.s.Mzts = 14;
  const NoticeLines t = noticeLines(b, 1, 1, 8, 2, QDate(2026, 3, 2), QDate(2026, 3, 13));
  EXPECT_TRUE(t[2].contains(QStringLiteral("2026年3月2日"))) << t[2].toStdString();
  EXPECT_TRUE(t[2].contains(QStringLiteral("临时调至2026年3月9日"))) << t[2].toStdString();
  EXPECT_FALSE(t[2].contains(QStringLiteral("3月10日"))) << t[2].toStdString();
}

TEST(Notices, SameDaySwapDoesNotRepeatTheDate) {
  TempBench b;
  const NoticeLines t = noticeLines(b, 1, 1, 1, 2, QDate(2026, 3, 2), QDate(2026, 3, 6));
  EXPECT_EQ(t[2], QStringLiteral("　　初一(1)班2026年3月2日星期一第1节语文临时调至第2节。"));
  EXPECT_EQ(t[4], QStringLiteral("　　初一(1)班2026年3月2日星期一第2节数学临时调至第1节。"));
  EXPECT_EQ(t[7], QStringLiteral("　　2026年3月2日星期一第1节语文和第2节数学临时对调。"));
}

TEST(Notices, EightDaysInAFiveDayWeekGiveTheDateRange) {
  TempBench b;
  const NoticeLines t = noticeLines(b, 1, 1, 2, 2, QDate(2026, 3, 2), QDate(2026, 3, 9));
  EXPECT_EQ(t[2],
            QStringLiteral("　　2026年3月2日至2026年3月9日初一(1)班星期一第1节语文临时调至星期二第2节。"));
  EXPECT_EQ(t[4],
            QStringLiteral("　　2026年3月2日至2026年3月9日初一(1)班星期二第2节数学临时调至星期一第1节。"));
  EXPECT_EQ(t[7], QStringLiteral("　　2026年3月2日至2026年3月9日星期一第1节语文和星期二第2节数学临时对调。"));

  // Seven days are still a short range.
  TempBench week;
  const NoticeLines s = noticeLines(week, 1, 1, 2, 2, QDate(2026, 3, 2), QDate(2026, 3, 8));
  EXPECT_EQ(s[2],
            QStringLiteral("　　初一(1)班2026年3月2日星期一第1节语文临时调至2026年3月3日星期二第2节。"));
}

TEST(Notices, ClosingLinesIndentBySentenceLength) {
  const QDate today(2026, 3, 4);
  QString text;
  Gktzjs(text, 61, today);
  EXPECT_EQ(text, QStringLiteral("　　    特此通知。谢谢！\r\n") + QStringLiteral("　　") + blanks(40) +
                      QStringLiteral("教务处\r\n") + QStringLiteral("　　") + blanks(40) +
                      QStringLiteral("2026-03-04\r\n\r\n\r\n\r\n"));
  for (const auto& [x, a] : {std::pair{60, 48}, std::pair{13, 1}, std::pair{12, 10}, std::pair{-3, 10}}) {
    QString t;
    Gktzjs(t, x, today);
    EXPECT_TRUE(t.contains(QStringLiteral("　　") + blanks(a) + QStringLiteral("教务处\r\n"))) << x;
    EXPECT_FALSE(t.contains(QStringLiteral("　　") + blanks(a + 1) + QStringLiteral("教务处"))) << x;
  }
}

TEST(Notices, ComposedTextHoldsBothTeachersAndTheClassCopies) {
  TempBench b;
  const NoticeLines t = noticeLines(b, 1, 1, 1, 2, QDate(2026, 3, 2), QDate(2026, 3, 6));
  b.ui.setAnswers({QStringLiteral("2")});
  Ctx c = b.ctx();
  const QString text = composeNotices(c);
  EXPECT_EQ(b.ui.texts(QStringLiteral("input")), QStringList{QStringLiteral("班级临时调课通知一式几份？")});

  const auto closing = [](int x) {
    QString s;
    Gktzjs(s, x, QDate(2026, 3, 4));
    return s;
  };
  const QString teacherTitle = QStringLiteral("　　") + t[0] + QStringLiteral("\r\n\r\n");
  const QString classNotice = QStringLiteral("　　") + t[5] + QStringLiteral("\r\n\r\n") +
                              QStringLiteral("　　") + t[6] + QStringLiteral("\r\n") +
                              QStringLiteral("　　") + t[7] + QStringLiteral("\r\n") +
                              closing(t[7].size() - 10);
  const QString expected = QStringLiteral("\r\n") + teacherTitle + QStringLiteral("　　张　三老师：\r\n") +
                           QStringLiteral("　　") + t[2] + QStringLiteral("\r\n") +
                           closing(t[2].size() - 10) + teacherTitle + QStringLiteral("　　李四光老师：\r\n") +
                           QStringLiteral("　　") + t[4] + QStringLiteral("\r\n") +
                           closing(t[4].size() - 10) + classNotice + classNotice;
  EXPECT_EQ(text, expected);

  // An answer that is no number gives no class notice.
  b.ui.setAnswers({QStringLiteral("几份")});
  EXPECT_FALSE(composeNotices(c).contains(QStringLiteral("班级临时调课通知")));
}

}  // namespace
}  // namespace tavro::testing
