// Completion of a class, the chain over the whole school, and clearing class
// timetables with and without their combined lessons.

#include "engine/completion.h"

#include <gtest/gtest.h>

#include "core/errors.h"
#include "core/procedures.h"
#include "core/slots.h"
#include "core/timetable_file.h"
#include "engine/placement.h"
#include "tests/engine/engine_support.h"
#include "tests/fixtures/generated_school.h"
#include "tests/fixtures/small_school.h"

namespace tavro::testing {
namespace {

// Grade 7 class 1 of the two-grade school with a combined lesson at Friday period 8, an ordinary
// lesson, a capped lesson and a lesson of kind "1".
Bench clearingBench() {
  Bench b(fixtures::twoGradeSchool());
  b.s.Jsmtzdjs = 6;
  for (int k = 0; k < b.s.Kcs; ++k) b.s.Kcszbz(k) = QStringLiteral("00000000");
  b.s.Szlmc(6, 0) = QStringLiteral("1");
  b.s.Szlmc(6, 1) = QStringLiteral("英语");
  b.s.Szlz(6, 1) = 3;
  b.s.Kcszbz(3)[5] = u'3';
  resetCtszc(b.s, b.st);
  fixtures::addCombinedLesson(b.s, QStringLiteral("8"), QStringLiteral("07010702"), QStringLiteral("0508"), 1,
                              QStringLiteral("004"));
  Ctx c = b.ctx();
  Cltyk(c, 1, 7, 1, 5, 8, 1, QStringLiteral("004"));
  putLesson(b.s, b.st, 7, 1, 1, 1, 2, 2);
  putLesson(b.s, b.st, 7, 1, 2, 2, 3, 3);
  b.s.Kb(1, 3, 3, 7, 1) = b.s.Kb(2, 3, 3, 7, 1) = QStringLiteral("0010010001");
  return b;
}

TEST(Clearing, KeepsCombinedLessonsAndKindOneWhenAsked) {
  Bench b = clearingBench();
  EXPECT_EQ(b.st.Ctszc(1, 2, 2), 1);
  b.ui.setAnswers({QStringLiteral("y")});
  Ctx c = b.ctx();
  Qkbsz(c, 7, 1, b.s.Mzts, 1, b.s.Mtjs);
  EXPECT_EQ(b.ui.texts(QStringLiteral("question")),
            QStringList{QStringLiteral("保留初一1班班的的合班课吗?")});
  for (int layer : {1, 2}) {
    EXPECT_TRUE(b.s.Kb(layer, 1, 1, 7, 1).isEmpty());
    EXPECT_TRUE(b.s.Kb(layer, 2, 2, 7, 1).isEmpty());
    EXPECT_TRUE(b.s.Jskb(layer, 1, 1, 2).isEmpty());
    EXPECT_TRUE(b.s.Jskb(layer, 2, 2, 3).isEmpty());
    EXPECT_EQ(b.s.Kb(layer, 3, 3, 7, 1), QStringLiteral("0010010001"));
    EXPECT_EQ(b.s.Kb(layer, 5, 8, 7, 1), QStringLiteral("0010010008"));
    EXPECT_EQ(b.s.Jskb(layer, 5, 8, 4), QStringLiteral("0019001000"));
  }
  EXPECT_EQ(b.st.Ctszc(1, 2, 2), 0);  // lowered once, though both layers were cleared
}

TEST(Clearing, DeletingCombinedLessonsSavesTheClearedClassThenEnds) {
  Bench b = clearingBench();
  b.s.Ypbz(7, 1) = 1;
  b.ui.setAnswers({QStringLiteral("n")});
  Ctx c = b.ctx();
  EXPECT_THROW(Qkbsz(c, 7, 1, b.s.Mzts, 1, b.s.Mtjs), ProgramEnd);
  EXPECT_EQ(b.ui.texts(QStringLiteral("info")),
            QStringList{QStringLiteral("删除班级课表中的合班课后需要退出本软件，再重新运行。")});
  EXPECT_TRUE(b.s.Kb(1, 5, 8, 7, 1).isEmpty());
  EXPECT_EQ(b.s.Jskb(1, 5, 8, 4), QStringLiteral("0019001000"));  // rebuilt at the next start anyway
  const QString text = QString::fromUtf8(fixtures::readBytes(b.folder.file()));
  const QStringList lines = text.split(QStringLiteral("\r\n"));
  ASSERT_GT(lines.size(), 8);
  EXPECT_TRUE(lines[6].startsWith(QStringLiteral("07年级01班,")));
  EXPECT_EQ(lines[7], QStringLiteral(" 0 "));
  EXPECT_EQ(lines[9], QString());                      // Monday period 1 is empty in the file
  EXPECT_EQ(lines[29], QStringLiteral("0010010001"));  // kind "1" (Wednesday period 3) stays
}

TEST(Completion, LastClassEndsTheChainWithOrWithoutTheMessage) {
  for (bool tips : {false, true}) {
    Bench b(oneClassSchool());
    b.st.Xsts = tips ? 1 : 0;
    b.st.Tsbz = QString(19, u'0');
    b.st.OptYp = false;
    for (int xq = 1; xq <= 5; ++xq)
      for (int jc = 1; jc <= 8; ++jc) putLesson(b.s, b.st, 7, 1, xq, jc, 0, 0);
    Ctx c = b.ctx();
    const ClassRef next = Pkwc(c, b.host, 7, 1);
    EXPECT_FALSE(next.valid());
    EXPECT_EQ(b.s.Ypbz(7, 1), 1);
    EXPECT_EQ(b.s.Ypbjs, 1);
    EXPECT_TRUE(b.st.OptYp);
    EXPECT_TRUE(QFile::exists(b.folder.file()));
    if (tips) {
      EXPECT_EQ(b.ui.texts(QStringLiteral("info")),
                QStringList{QStringLiteral(
                    "    课表已经全部排好了。在“班级”框选择某班级可以查看该班级课表。\r\n"
                    "    如果您希望提高课表质量，最好对各班课表审查一遍，不合适的可以调课。\r\n"
                    "    课表完全确定下来以后可以按“导出”按钮把表格导出到Excel打印。")});
      EXPECT_EQ(b.st.Zt, QStringLiteral("查班"));
      EXPECT_EQ(b.st.Lbl6, QStringLiteral("排课完成"));
    } else {
      EXPECT_TRUE(b.ui.allTexts().isEmpty());
    }
  }
}

TEST(Completion, ChainSchedulesAGeneratedSchoolAndSavesEveryClass) {
  int finished = 0;
  for (std::uint64_t seed = 1; seed <= 6; ++seed) {
    Bench b(fixtures::generatedSchool(seed, {2, 2, 5, 8}), seed);
    prepareRun(b);
    b.st.Xsts = 0;
    b.st.Tsbz = QString(19, u'0');
    b.s.Ypbjs = 0;
    selectClass(b.st, b.s, b.s.Snj, 1);
    Ctx c = b.ctx();
    scheduleChain(c, b.host, b.s.Snj, 1);
    if (!b.st.Bxdck.isEmpty()) {
      EXPECT_EQ(b.st.Zt, QStringLiteral("调课"));
      EXPECT_FALSE(b.st.LstBjEnabled);
      continue;
    }
    ++finished;
    EXPECT_EQ(b.s.Ypbjs, b.s.Bjzs);
    EXPECT_EQ(b.st.Zt, QStringLiteral("查班"));
    EXPECT_TRUE(b.st.LstBjEnabled);
    EXPECT_TRUE(timetableFaults(b.s, b.st).isEmpty());
    const QStringList lines =
        QString::fromUtf8(fixtures::readBytes(b.folder.file())).split(QStringLiteral("\r\n"));
    EXPECT_EQ(lines.count(QStringLiteral(" 1 ")), b.s.Bjzs);
  }
  EXPECT_GE(finished, 3);
}

TEST(Completion, ChainStopsAtAClassWhosePlanLeavesCellsEmpty) {
  // One lesson fewer than the week has cells: the class can never be complete, and the chain must
  // not pick it again and again.
  Bench b(fixtures::generatedSchool(3, {1, 2, 5, 8}), 3);
  prepareRun(b);
  b.st.Xsts = 0;
  b.st.Tsbz = QString(19, u'0');
  b.s.Ypbjs = 0;
  for (int row = 1; row <= b.s.Bjkcs(7, 1); ++row) {
    if (b.s.Bjkcb(row, 1, 7, 1) > 0 && b.s.Bjkcb(row, 3, 7, 1) > 1) {
      --b.s.Bjkcb(row, 3, 7, 1);
      break;
    }
  }
  selectClass(b.st, b.s, 7, 1);
  Ctx c = b.ctx();
  scheduleChain(c, b.host, 7, 1);
  EXPECT_EQ(b.s.Ypbz(7, 1), 0);
  EXPECT_NE(b.s.Ypbjs, b.s.Bjzs);
}

}  // namespace
}  // namespace tavro::testing
