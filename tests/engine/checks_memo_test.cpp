// The memo of the class/teacher check: a class found consistent is passed over only while nothing
// it was checked with has changed; any change of a class cell, of a teacher cell or of the plan
// brings back the full check with its exact reports.

#include "engine/checks_memo.h"

#include <gtest/gtest.h>

#include "core/slots.h"
#include "engine/checks.h"
#include "engine/placement.h"
#include "tests/engine/engine_support.h"
#include "tests/fixtures/small_school.h"

namespace tavro::testing {
namespace {

Bench checkedSchool() {
  Bench b = twoGradesWithChinesePlans();
  putLesson(b.s, b.st, 7, 1, 1, 1, 1, 1);
  putLesson(b.s, b.st, 7, 2, 2, 1, 1, 1);
  return b;
}

TEST(CheckMemo, ConsistentClassesAreVouchedForUntilACellOrThePlanChanges) {
  Bench b = checkedSchool();
  Ctx c = b.ctx();
  EXPECT_EQ(Phjckcct(c), 0);
  ASSERT_TRUE(b.st.CheckMemo);
  std::vector<char> vouched = vouchedClasses(b.s, *b.st.CheckMemo);
  EXPECT_TRUE(vouched[classSlot(b.s, 7, 1)]);
  EXPECT_TRUE(vouched[classSlot(b.s, 7, 2)]);

  // The same text written again is a new cell: checked again (and still right).
  b.s.Jskb(1, 2, 1, 1) = QString(b.s.Jskb(1, 2, 1, 1).constData(), 10);
  vouched = vouchedClasses(b.s, *b.st.CheckMemo);
  EXPECT_TRUE(vouched[classSlot(b.s, 7, 1)]);
  EXPECT_FALSE(vouched[classSlot(b.s, 7, 2)]);
  EXPECT_EQ(Phjckcct(c), 0);
  EXPECT_TRUE(vouchedClasses(b.s, *b.st.CheckMemo)[classSlot(b.s, 7, 2)]);

  // A teacher cell lost after the class was found right: the check finds it again.
  b.s.Jskb(1, 2, 1, 1).clear();
  b.ui.setAnswers({QStringLiteral("n")});
  EXPECT_EQ(Phjckcct(c), 1);
  EXPECT_EQ(b.ui.texts(QStringLiteral("question")).size(), 1);
  EXPECT_EQ(Phjckcct(c), 1);  // and every time after, as long as it stays wrong

  // A class cell changed in place (the memo's copy keeps the old text).
  putLesson(b.s, b.st, 7, 2, 2, 1, 1, 1);
  EXPECT_EQ(Phjckcct(c), 0);
  b.s.Kb(1, 1, 1, 7, 1)[5] = u'2';  // teacher 2 now, whose cell is free
  b.ui.setAnswers({QStringLiteral("n")});
  EXPECT_EQ(Phjckcct(c), 1);

  // A plan changed to another teacher: the teacher message comes back for each lesson.
  b.s.Kb(1, 1, 1, 7, 1)[5] = u'1';
  EXPECT_EQ(Phjckcct(c), 0);
  b.s.Bjkcb(1, 2, 7, 2) = 2;
  const qsizetype before = b.ui.texts(QStringLiteral("info")).size();
  EXPECT_EQ(Phjckcct(c), 0);
  ASSERT_EQ(b.ui.texts(QStringLiteral("info")).size(), before + 1);
  EXPECT_TRUE(b.ui.texts(QStringLiteral("info")).last().contains(QStringLiteral("教师有错！")));
  EXPECT_EQ(Phjckcct(c), 0);
  EXPECT_EQ(b.ui.texts(QStringLiteral("info")).size(), before + 2);
}

// A school whose tables were sized again (another import) starts the memo afresh.
TEST(CheckMemo, ResizedTablesStartAfresh) {
  Bench b = checkedSchool();
  Ctx c = b.ctx();
  EXPECT_EQ(Phjckcct(c), 0);
  b.s.Mtjs -= 1;
  const std::vector<char> vouched = vouchedClasses(b.s, *b.st.CheckMemo);
  EXPECT_FALSE(vouched[classSlot(b.s, 7, 1)]);
  EXPECT_EQ(b.st.CheckMemo->periods, b.s.Mtjs);
}

}  // namespace
}  // namespace tavro::testing
