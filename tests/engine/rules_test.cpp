// The slot acceptance rules, grouped by rule: which slots a single lesson or a
// two-period block is refused, and which it may take.

#include "engine/rules.h"

#include <gtest/gtest.h>

#include "tests/engine/engine_support.h"

namespace tavro::testing {
namespace {

constexpr int kChinese = 1, kMaths = 2, kEnglish = 3;

LessonAsk lessonOf(int nj, int course, int teacher, int remaining = 3, int weekly = 5, int freeDays = 5) {
  LessonAsk a;
  a.nj = nj;
  a.bj = 1;
  a.course = course;
  a.teacher = teacher;
  a.remaining = remaining;
  a.weekly = weekly;
  a.freeDays = freeDays;
  return a;
}

// A lesson of another class of teacher t at (xq, jc): only the teacher cell matters to the rules.
void teacherBusy(School& s, int t, int xq, int jc) {
  s.Jskb(kLongTerm, xq, jc, t) = QStringLiteral("0010801000");
}

TEST(SingleLessonRules, FirstPeriodOnTwoDaysIsRefusedExceptForPrimaryMainSubjects) {
  for (int nj : {3, 7}) {
    for (int kind : {1, 2}) {
      Bench b(oneClassSchool(nj));
      b.s.Kczf(kChinese) = kind;
      putLesson(b.s, b.st, nj, 1, 1, 1, kChinese, 1);
      putLesson(b.s, b.st, nj, 1, 2, 1, kChinese, 1);
      const char* refusal = singleRefusal(b.s, b.st, lessonOf(nj, kChinese, 1), 3, 1);
      if (nj <= 6 && kind == 1) {
        EXPECT_EQ(refusal, nullptr) << "grade " << nj << " kind " << kind;
      } else {
        EXPECT_STREQ(refusal, "first period") << "grade " << nj << " kind " << kind;
      }
    }
  }
  Bench once(oneClassSchool(7));
  putLesson(once.s, once.st, 7, 1, 1, 1, kChinese, 1);
  EXPECT_TRUE(singleAccepted(once.s, once.st, lessonOf(7, kChinese, 1), 3, 1));
}

TEST(SingleLessonRules, LastPeriodOncePerWeekUnlessTheAfternoonStartIsBanned) {
  Bench b(oneClassSchool(7));
  putLesson(b.s, b.st, 7, 1, 1, 8, kMaths, 2);
  EXPECT_STREQ(singleRefusal(b.s, b.st, lessonOf(7, kMaths, 2), 2, 8), "last period");

  b.s.Mtjp(kMaths) = QStringLiteral("11110111");  // the first afternoon period is banned
  EXPECT_TRUE(singleAccepted(b.s, b.st, lessonOf(7, kMaths, 2), 2, 8));
  putLesson(b.s, b.st, 7, 1, 2, 8, kMaths, 2);
  EXPECT_STREQ(singleRefusal(b.s, b.st, lessonOf(7, kMaths, 2), 3, 8), "last period");

  b.s.Mtjp(kMaths) = QStringLiteral("00000001");  // allowed in the last period only
  EXPECT_TRUE(singleAccepted(b.s, b.st, lessonOf(7, kMaths, 2), 3, 8));
  // Periods beyond Mtjs wrap around before the rules apply: 9 is period 1.
  EXPECT_STREQ(singleRefusal(b.s, b.st, lessonOf(7, kMaths, 2), 3, 9), "banned period");
}

TEST(SingleLessonRules, TeacherHalfDayAndDayLimits) {
  Bench b(oneClassSchool(7));
  for (int jc : {5, 6, 7}) teacherBusy(b.s, 1, 1, jc);
  EXPECT_STREQ(singleRefusal(b.s, b.st, lessonOf(7, kChinese, 1), 1, 8), "teacher load");

  // Five school days: a third morning lesson is allowed (2 <= 2.5), a fourth is not.
  Bench m(oneClassSchool(7));
  teacherBusy(m.s, 1, 1, 1);
  teacherBusy(m.s, 1, 1, 2);
  EXPECT_TRUE(singleAccepted(m.s, m.st, lessonOf(7, kChinese, 1), 1, 3));
  teacherBusy(m.s, 1, 1, 3);
  EXPECT_STREQ(singleRefusal(m.s, m.st, lessonOf(7, kChinese, 1), 1, 4), "teacher load");

  // Exactly Jsmtzdjs lessons on the day: no more.
  Bench d(oneClassSchool(7));
  d.s.Jsmtzdjs = 3;
  for (int jc : {1, 5, 6}) teacherBusy(d.s, 2, 2, jc);
  EXPECT_STREQ(singleRefusal(d.s, d.st, lessonOf(7, kMaths, 2), 2, 2), "teacher load");
  d.s.Jsmtzdjs = 4;
  EXPECT_TRUE(singleAccepted(d.s, d.st, lessonOf(7, kMaths, 2), 2, 2));
}

TEST(SingleLessonRules, OccupiedCellsBlocksAndCaps) {
  Bench b(oneClassSchool(7));
  putLesson(b.s, b.st, 7, 1, 1, 2, kMaths, 2);
  EXPECT_STREQ(singleRefusal(b.s, b.st, lessonOf(7, kChinese, 1), 1, 2), "occupied");
  b.s.Jskb(kLongTerm, 1, 3, 1) = QStringLiteral("2");  // the teacher asked not to teach
  EXPECT_STREQ(singleRefusal(b.s, b.st, lessonOf(7, kChinese, 1), 1, 3), "occupied");
  // A teacher-less lesson ignores row 0.
  b.s.Jskb(kLongTerm, 1, 3, 0) = QStringLiteral("2");
  EXPECT_TRUE(singleAccepted(b.s, b.st, lessonOf(7, kEnglish, 0), 1, 3));

  b.s.Szlmc(6, 0) = QStringLiteral("1");
  b.s.Szlmc(6, 1) = QStringLiteral("英语　　　　");
  b.s.Szlz(6, 1) = 1;
  b.s.Kcszbz(kEnglish) = QStringLiteral("00000100");
  b.st.Ctszc.resize({Range{1, 1}, Range{0, 13}, Range{0, 20}});
  b.st.Ctszc(1, 1, 4) = 1;
  EXPECT_STREQ(singleRefusal(b.s, b.st, lessonOf(7, kEnglish, 3), 1, 4), "occupied");
  EXPECT_TRUE(singleAccepted(b.s, b.st, lessonOf(7, kEnglish, 3), 1, 5));
}

TEST(SingleLessonRules, AdjacentLessonsOnlyWhenTheCourseNeedNotShareADay) {
  Bench b(oneClassSchool(7));
  putLesson(b.s, b.st, 7, 1, 2, 2, kEnglish, 3);
  // Enough free days left (r >= S): the neighbouring period is acceptable.
  EXPECT_TRUE(singleAccepted(b.s, b.st, lessonOf(7, kEnglish, 3, 2, 5, 3), 2, 3));
  // The course must share a day: not next to its own lesson, but elsewhere that day.
  EXPECT_STREQ(singleRefusal(b.s, b.st, lessonOf(7, kEnglish, 3, 4, 5, 3), 2, 3), "adjacent");
  EXPECT_STREQ(singleRefusal(b.s, b.st, lessonOf(7, kEnglish, 3, 4, 5, 3), 2, 1), "adjacent");
  EXPECT_TRUE(singleAccepted(b.s, b.st, lessonOf(7, kEnglish, 3, 4, 5, 3), 2, 4));
}

TEST(SingleLessonRules, TeacherlessCourseSpreadsOverTheWeek) {
  Bench b(oneClassSchool(7));
  LessonAsk lesson = lessonOf(7, kEnglish, 0, 4, 6, 5);  // 6 a week: at most 6 / 5 + 1 = 2 a day
  putLesson(b.s, b.st, 7, 1, 1, 1, kEnglish, 0);
  putLesson(b.s, b.st, 7, 1, 1, 3, kEnglish, 0);
  EXPECT_TRUE(singleAccepted(b.s, b.st, lesson, 1, 5));
  putLesson(b.s, b.st, 7, 1, 1, 5, kEnglish, 0);
  EXPECT_STREQ(singleRefusal(b.s, b.st, lesson, 1, 7), "teacherless day");
  lesson.lastTwoItems = true;  // the last two items of the course list may fill any day
  EXPECT_TRUE(singleAccepted(b.s, b.st, lesson, 1, 7));
}

TEST(DoubleBlockRules, BlocksStayInsideHalfDaysAndFreeCells) {
  Bench b(oneClassSchool(7));
  const LessonAsk lesson = lessonOf(7, kMaths, 2, 4);
  EXPECT_STREQ(doubleRefusal(b.s, b.st, lesson, 1, 4), "half-day boundary");  // last morning period
  EXPECT_STREQ(doubleRefusal(b.s, b.st, lesson, 1, 8), "half-day boundary");  // last period
  EXPECT_TRUE(doubleAccepted(b.s, b.st, lesson, 1, 3));
  EXPECT_TRUE(doubleAccepted(b.s, b.st, lesson, 1, 5));
  EXPECT_TRUE(doubleAccepted(b.s, b.st, lesson, 1, -7));  // below 1: P + Mtjs = 1

  putLesson(b.s, b.st, 7, 1, 1, 6, kChinese, 1);
  EXPECT_STREQ(doubleRefusal(b.s, b.st, lesson, 1, 5), "block occupied");
  teacherBusy(b.s, 2, 1, 2);
  EXPECT_STREQ(doubleRefusal(b.s, b.st, lesson, 1, 1), "block teacher busy");
  b.s.Mtjp(kMaths) = QStringLiteral("11011111");
  EXPECT_STREQ(doubleRefusal(b.s, b.st, lesson, 2, 2), "block banned");
}

TEST(DoubleBlockRules, TwoADayAndTheTeachersDailyMaximum) {
  Bench b(oneClassSchool(7));
  const LessonAsk lesson = lessonOf(7, kMaths, 2, 4);
  putLesson(b.s, b.st, 7, 1, 3, 1, kMaths, 2);
  EXPECT_TRUE(doubleAccepted(b.s, b.st, lesson, 3, 5));
  putLesson(b.s, b.st, 7, 1, 3, 2, kMaths, 2);
  EXPECT_STREQ(doubleRefusal(b.s, b.st, lesson, 3, 5), "two a day");

  // Jsmtzdjs 4: a block may join at most 2 other lessons of the day.
  Bench d(oneClassSchool(7));
  d.s.Jsmtzdjs = 4;
  teacherBusy(d.s, 2, 4, 1);
  teacherBusy(d.s, 2, 4, 2);
  EXPECT_TRUE(doubleAccepted(d.s, d.st, lesson, 4, 5));
  teacherBusy(d.s, 2, 4, 3);
  EXPECT_STREQ(doubleRefusal(d.s, d.st, lesson, 4, 5), "block day full");
}

}  // namespace
}  // namespace tavro::testing
