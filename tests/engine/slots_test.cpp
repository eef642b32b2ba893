// The read-only slot queries over the long-term layer.

#include "core/slots.h"

#include <gtest/gtest.h>

#include "core/cells.h"
#include "tests/engine/engine_support.h"

namespace tavro::testing {
namespace {

TEST(SlotQueries, CoursePeriodsFreeDaysAndTeacherLessons) {
  Bench b(oneClassSchool(7));
  putLesson(b.s, b.st, 7, 1, 1, 2, 2, 2);
  putLesson(b.s, b.st, 7, 1, 1, 7, 2, 2);
  EXPECT_EQ(HXqxyykjs(b.s, 7, 1, 1, 2), QStringLiteral("0207"));
  EXPECT_EQ(HXqxyykjs(b.s, 7, 1, 2, 2), QString());
  EXPECT_EQ(courseCountOnDay(b.s, 7, 1, 1, 2), 2);
  EXPECT_EQ(HDtbbkkjs(b.s, 7, 1, 1), 6);
  EXPECT_EQ(HDtrbykjs(b.s, 1, 2), 2);
  b.s.Jskb(1, 1, 3, 2) = QStringLiteral("7");  // a block is no lesson
  EXPECT_EQ(HDtrbykjs(b.s, 1, 2), 2);

  // Class and teacher 1 are free together only on weekdays 2 and 5.
  Bench k(oneClassSchool(7));
  for (int xq : {1, 3, 4})
    for (int jc = 1; jc <= 8; ++jc) k.s.Jskb(1, xq, jc, 1) = QStringLiteral("2");
  EXPECT_EQ(HKpxqjh(k.s, 7, 1, 1), (std::vector<int>{2, 5}));
}

TEST(SlotQueries, MostFreeAndMostFilledWeekdays) {
  Bench b(oneClassSchool(7));
  b.s.Mzts = 3;
  // Free counts 3, 5, 5: the second weekday wins the tie.
  for (int jc = 1; jc <= 5; ++jc) putLesson(b.s, b.st, 7, 1, 1, jc, 1, 1);
  for (int jc = 1; jc <= 3; ++jc) putLesson(b.s, b.st, 7, 1, 2, jc, 2, 2);
  for (int jc = 1; jc <= 3; ++jc) putLesson(b.s, b.st, 7, 1, 3, jc, 3, 3);
  int kkd = 9;
  Jskkzd(b.s, 1, 3, 7, 1, kkd);
  EXPECT_EQ(kkd, 2);
  int ked = 9;
  Jsykzd(b.s, 1, 3, 7, 1, ked);
  EXPECT_EQ(ked, 1);
  // An empty-lesson filler (course 000, kind 0) counts as free, not as filled.
  b.s.Kb(1, 3, 4, 7, 1) = QStringLiteral("0000000000");
  EXPECT_EQ(freeClassPeriods(b.s, 7, 1, 3), 5);
  // Nothing anywhere leaves the answer unchanged.
  Bench e(oneClassSchool(7));
  ked = 9;
  Jsykzd(e.s, 1, 5, 7, 1, ked);
  EXPECT_EQ(ked, 9);
}

TEST(SlotQueries, SettingCharactersCapsAndCellReading) {
  Bench b(oneClassSchool(7));
  b.s.Kcszbz(3) = QStringLiteral("00000c00");
  EXPECT_EQ(HLxkcNz(b.s, 3, 6), 12);
  EXPECT_EQ(HLxkcNz(b.s, 3, 1), 0);
  EXPECT_EQ(HLxkcNz(b.s, 3, 9), 0);  // beyond the string
  b.s.Kcszbz(2) = QStringLiteral("00000z00");
  EXPECT_EQ(HLxkcNz(b.s, 2, 6), 0);
  // A course without a number in the cap column is never at its cap.
  EXPECT_FALSE(Hlqlknfp(b.s, b.st, 1, 1, 1));

  int kch = -1, jsh = -1;
  QString kind = QStringLiteral("x");
  putLesson(b.s, b.st, 7, 1, 4, 4, 3, 2);
  Bbsrb(b.s, 1, 7, 1, 4, 4, kch, jsh, kind);
  EXPECT_EQ(kch, 3);
  EXPECT_EQ(jsh, 2);
  EXPECT_EQ(kind, QStringLiteral("0"));
  Bbsrb(b.s, 1, 7, 1, 4, 5, kch, jsh, kind);
  EXPECT_EQ(kch, 0);
  EXPECT_EQ(kind, QString());

  for (const char* text : {"", "2", "7", "7012", "0000701000", "0019001000", "09", " 12"})
    EXPECT_EQ(teacherHasLesson(QString::fromLatin1(text)), isTeacherLesson(QString::fromLatin1(text)))
        << text;
}

TEST(SlotQueries, SelectedClassOfTheClassList) {
  RunState st;
  EXPECT_EQ(HNj(st), 0);
  st.LstBj.addItem(QStringLiteral("0701一班"));
  st.LstBj.addItem(QStringLiteral("0812二班"));
  st.LstBj.setSelected(1, true);
  EXPECT_EQ(HNj(st), 8);
  EXPECT_EQ(HBj(st), 12);
}

}  // namespace
}  // namespace tavro::testing
