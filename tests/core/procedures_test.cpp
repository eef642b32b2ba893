#include "core/procedures.h"

#include <gtest/gtest.h>

#include <set>

#include "core/scripted_ui.h"
#include "tests/fixtures/small_school.h"

namespace tavro {

namespace {
const QString kBlank = QStringLiteral("　");
}  // namespace

TEST(Messages, BoxesShowTheirTextsAndQuestionsAnswerYesOnlyOnYes) {
  ScriptedUi ui(QStringList{"y", "n"});
  Tsxx(ui, QStringLiteral("导入成功！"));
  Cwxx(ui, QStringLiteral("课表文件有错！"));
  EXPECT_TRUE(Wxx(ui, QStringLiteral("要删除吗？")));
  EXPECT_FALSE(Wxx(ui, QStringLiteral("要保存吗？")));
  // Closing the box without pressing Yes (no scripted answer left) is "n".
  EXPECT_FALSE(Wxx(ui, QStringLiteral("要继续吗？")));
  ASSERT_EQ(ui.events().size(), 5u);
  EXPECT_EQ(ui.events()[0].kind, "info");
  EXPECT_EQ(ui.events()[1].kind, "warning");
  EXPECT_EQ(ui.texts("question"), (QStringList{QStringLiteral("要删除吗？"), QStringLiteral("要保存吗？"),
                                               QStringLiteral("要继续吗？")}));
  EXPECT_EQ(ui.events()[2].answer, "y");
  EXPECT_EQ(ui.events()[3].answer, "n");
  EXPECT_EQ(ui.events()[4].answer, "n");
  EXPECT_FALSE(ui.events()[4].answered);
}

TEST(NumberTexts, CodesArePaddedButNeverCutAndNonDigitsBecomeZero) {
  EXPECT_EQ(Szc(5), "5");
  EXPECT_EQ(Szc(-5), "-5");
  EXPECT_EQ(Szc(2.5), "2.5");
  EXPECT_EQ(Szc(0), "0");
  EXPECT_EQ(Lbq(3, 0), "000");
  EXPECT_EQ(Lbq(2, 7), "07");
  EXPECT_EQ(Lbq(2, 12), "12");
  EXPECT_EQ(Lbq(2, 123), "123");
  EXPECT_EQ(Lbq(0, 5), "5");
  // A minus sign or a decimal point is rebuilt as "0".
  EXPECT_EQ(Lbq(3, -5), "005");
  EXPECT_EQ(Lbq(4, 2.5), "0205");
  EXPECT_EQ(Ydq(3, 7), "  7");
  EXPECT_EQ(Ydq(1, 42), "42");
  EXPECT_EQ(Ydq(4, -1), "  01");
}

TEST(NumberTexts, FullWidthDigitsArePaddedWithFullWidthBlanksOrZeros) {
  EXPECT_EQ(Qjkg(2, 3), kBlank + QStringLiteral("３"));
  EXPECT_EQ(Qjl(2, 3), QStringLiteral("０３"));
  EXPECT_EQ(Qjkg(1, 12), QStringLiteral("１２"));
  EXPECT_EQ(Qjl(4, 2009), QStringLiteral("２００９"));
  EXPECT_EQ(Qjkg(3, 0), kBlank + kBlank + QStringLiteral("０"));
}

TEST(Dates, FullWidthAndPlainDateTexts) {
  const QDate march1(2009, 3, 1);
  EXPECT_EQ(Rqqj(march1), QStringLiteral("２００９年　３月　１日"));
  EXPECT_EQ(Rqqj(QDate(2010, 12, 25)), QStringLiteral("２０１０年１２月２５日"));
  EXPECT_EQ(Rqwb(march1), "2009-03-01");
  EXPECT_EQ(Rqwb(QDate()), "");
}

TEST(SmallHelpers, RandomNumbersStayInRangeReachBothEndsAndRepeatWithTheSeed) {
  Rng rng(42);
  std::set<int> seen;
  for (int i = 0; i < 500; ++i) {
    const int v = Sjs(rng, 3, 7);
    ASSERT_GE(v, 3);
    ASSERT_LE(v, 7);
    seen.insert(v);
  }
  EXPECT_EQ(seen, (std::set<int>{3, 4, 5, 6, 7}));
  EXPECT_EQ(Sjs(rng, 9, 9), 9);
  Rng a(7), b(7);
  for (int i = 0; i < 20; ++i) ASSERT_EQ(Sjs(a, 1, 1000), Sjs(b, 1, 1000));

  EXPECT_EQ(Zdz(3, 9, 5), 9);
  EXPECT_EQ(Zdz(-1.5, -2.0, -3.0), -1.5);
  QString x = "a", y = "b";
  Jh(x, y);
  EXPECT_EQ(x + y, "ba");
}

TEST(CodeLists, SortingTakesCompleteCodesOnlyAndLeavesAStrayTail) {
  QString s = "050301x";
  Pxdm(s, 2);
  EXPECT_EQ(s, "010305x");
  QString times = "030201050104";
  Pxdm(times, 4);
  EXPECT_EQ(times, "010401050302");
  QString sorted = "0102";
  Pxdm(sorted, 2);
  EXPECT_EQ(sorted, "0102");
  QString empty;
  Pxdm(empty, 3);
  EXPECT_EQ(empty, "");
  QString zeroWidth = "0201";
  Pxdm(zeroWidth, 0);
  EXPECT_EQ(zeroWidth, "0201");
}

TEST(CodeLists, RepeatsAreRemovedKeepingEachFirstOccurrenceInPlace) {
  QString w2 = "01020102";
  Qcdm(w2, 2);
  EXPECT_EQ(w2, "0102");
  QString w4 = "01020102";
  Qcdm(w4, 4);
  EXPECT_EQ(w4, "0102");
  QString order = "030103030201";
  Qcdm(order, 2);
  EXPECT_EQ(order, "030102");
  QString teachers = "012007012";
  Qcdm(teachers, 3);
  EXPECT_EQ(teachers, "012007");
}

TEST(CodeLists, CodeBoundariesDecideMembership) {
  EXPECT_EQ(codeCount("0701070", 4), 1);
  EXPECT_EQ(codeAt("07010702", 4, 1), "0702");
  EXPECT_TRUE(hasCode("07010702", "0702"));
  EXPECT_FALSE(hasCode("07010702", "0107"));
  EXPECT_FALSE(hasCode("", "0701"));
}

TEST(CodeLists, WeekdayPeriodTexts) {
  EXPECT_EQ(Xqjcwb("010501060203"), QStringLiteral("周一第05、06周二第03节"));
  EXPECT_EQ(Xqjcwb("0701"), QStringLiteral("周日第01节"));
  EXPECT_EQ(Xqjcwb("010102010103"), QStringLiteral("周一第01周二第01周一第03节"));
  EXPECT_EQ(Xqjcwb(""), "");
}

class Lookups : public ::testing::Test {
 protected:
  School s = fixtures::twoGradeSchool();
};

TEST_F(Lookups, ClassByNameIgnoresFullWidthBlanksAndEndsPastTheLastGradeWhenMissing) {
  s.Bjmc(8, 2) = QStringLiteral("初二　2班");
  int nj = 0, bj = 0;
  Cbjm(s, QStringLiteral("初二2　班"), nj, bj);
  EXPECT_EQ(nj, 8);
  EXPECT_EQ(bj, 2);
  Cbjm(s, QStringLiteral("初一1班"), nj, bj);
  EXPECT_EQ(nj, 7);
  EXPECT_EQ(bj, 1);
  // An ASCII blank is not ignored.
  Cbjm(s, QStringLiteral("初一 1班"), nj, bj);
  EXPECT_EQ(nj, s.Mnj + 1);
  Cbjm(s, QStringLiteral("高一1班"), nj, bj);
  EXPECT_EQ(nj, 10);
}

TEST_F(Lookups, ClassOfAHeadTeacherIsTheFirstInGradeAndClassOrder) {
  s.Bzr(7, 2) = 3;
  s.Bzr(8, 1) = 3;
  s.Bzr(8, 2) = 4;
  EXPECT_EQ(Bzrbj(s, 3), "0702");
  EXPECT_EQ(Bzrbj(s, 4), "0802");
  EXPECT_EQ(Bzrbj(s, 2), "");
}

TEST_F(Lookups, CombinedLessonsOfAClassAndASlot) {
  // No combined lessons at all.
  EXPECT_EQ(Chbk(s, 7, 1, 1, 1), 0);
  EXPECT_EQ(Hbkjs(s, 7, 1), 0);
  const int school = fixtures::addCombinedLesson(s, "6", "0000", "0501", 1);
  const int classes = fixtures::addCombinedLesson(s, "8", "07010802", "02030204", 2, "001002");
  // Class 0702 also has lesson 3 at 0501, after the whole-school lesson.
  fixtures::addCombinedLesson(s, "8", "0702", "0501", 3);
  // Misaligned text "0801" inside "07080102" must not count as class 0801.
  fixtures::addCombinedLesson(s, "8", "07080102", "0101", 3);
  EXPECT_EQ(Chbk(s, 7, 1, 5, 1), school);
  EXPECT_EQ(Chbk(s, 7, 2, 5, 1), school);  // the first match in lesson order
  EXPECT_EQ(Chbk(s, 8, 2, 2, 4), classes);
  EXPECT_EQ(Chbk(s, 7, 2, 2, 4), 0);
  EXPECT_EQ(Chbk(s, 7, 1, 2, 5), 0);
  EXPECT_EQ(Chbk(s, 8, 1, 1, 1), 0);
  EXPECT_EQ(Hbkjs(s, 7, 1), 1 + 2);
  EXPECT_EQ(Hbkjs(s, 7, 2), 1 + 1);
  EXPECT_EQ(Hbkjs(s, 8, 1), 1);
}

TEST_F(Lookups, CombinedLessonNames) {
  const int grades = fixtures::addCombinedLesson(s, "7", "0701070208010802", "0101", 1);
  s.Hbbj(grades) = "07000800";
  const int school = fixtures::addCombinedLesson(s, "5", "0000", "0102", 1);
  const int classes = fixtures::addCombinedLesson(s, "8", "07020801", "0103", 1);
  const int none = fixtures::addCombinedLesson(s, "8", "", "0104", 1);
  const int unknown = fixtures::addCombinedLesson(s, "8", "07090901", "0104", 1);
  EXPECT_EQ(Hbbjmc(s, grades), QStringLiteral("初一初二"));
  EXPECT_EQ(Hbbjmc(s, school), QStringLiteral("全校"));
  EXPECT_EQ(Hbbjmc(s, classes), QStringLiteral("初一2班初二1班"));
  EXPECT_EQ(Hbbjmc(s, none), "");
  // Codes of no real class are left out instead of failing.
  EXPECT_EQ(Hbbjmc(s, unknown), "");
  EXPECT_EQ(Hbbjmc(s, 99), "");
}

TEST_F(Lookups, WhatATeacherTeachesWithSchoolWideAndOneCharacterGrades) {
  s.Njm(8) = kBlank + QStringLiteral("二");
  s.Jsrk(1) = "0010700208001180021900320";
  EXPECT_EQ(Jsrkmc(s, 1), QStringLiteral("语初一数") + kBlank + QStringLiteral("二语全校数多级英合班"));
  s.Jsrk(2) = "";
  EXPECT_EQ(Jsrkmc(s, 2), "");
  // A course or grade outside the tables contributes nothing for that part.
  s.Jsrk(3) = "09913";
  EXPECT_EQ(Jsrkmc(s, 3), "");
  EXPECT_EQ(Jsrkmc(s, 77), "");
}

TEST_F(Lookups, ShortGradeNames) {
  s.Njm(7) = kBlank + QStringLiteral("一");
  s.Njm(8) = QStringLiteral("小一");
  s.Njm(9) = QStringLiteral("高") + kBlank + QStringLiteral("一");
  EXPECT_EQ(Njjc(s, 7), QStringLiteral("一"));
  EXPECT_EQ(Njjc(s, 8), QStringLiteral("小一"));
  EXPECT_EQ(Njjc(s, 9), QStringLiteral("高一"));
  s.Xxlx = 7;
  EXPECT_EQ(Njjc(s, 8), QStringLiteral("一"));
  s.Njm(8) = QStringLiteral("初二");
  EXPECT_EQ(Njjc(s, 8), QStringLiteral("初二"));
  EXPECT_EQ(Njjc(s, 21), "");
}

}  // namespace tavro
