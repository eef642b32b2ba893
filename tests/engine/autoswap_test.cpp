// Zddk: repairing forced lessons by swapping, handing the rest to the user, and
// giving a class up after too many swaps.

#include "engine/autoswap.h"

#include <gtest/gtest.h>

#include "core/errors.h"
#include "core/procedures.h"
#include "engine/placement.h"
#include "tests/engine/engine_support.h"

namespace tavro::testing {
namespace {

// A host that records the grid clicks the engine asks for.
class ClickHost : public NullHost {
 public:
  void clickGridCell(int xq, int jc) override { clicks << Lbq(2, xq) + Lbq(2, jc); }
  QStringList clicks;
};

// Forces a lesson (course kch, teacher jsh) of class (7, 1) into (xq, jc) the way the scheduler does:
// the teacher's old cell parked in row Jss + 1, the slot added to Bxdck.
void force(Bench& b, int xq, int jc, int kch, int jsh) {
  const int park = b.s.Jss + 1;
  b.s.Jskb(1, xq, jc, park) = b.s.Jskb(1, xq, jc, jsh);
  b.s.Jskb(2, xq, jc, park) = Lbq(3, jsh);
  putLesson(b.s, b.st, 7, 1, xq, jc, kch, jsh);
  b.st.Bxdck += Lbq(2, xq) + Lbq(2, jc);
}

int runZddk(Bench& b, ClickHost& host) {
  Ctx c = b.ctx();
  int swaps = 0;
  Zddk(c, host, b.st.Bxdck, 7, 1, swaps);
  return swaps;
}

TEST(AutomaticSwap, RepairsAForcedLessonAndRestoresTheBlock) {
  Bench b(oneClassSchool());
  b.s.Jskb(1, 1, 1, 1) = b.s.Jskb(2, 1, 1, 1) = QStringLiteral("2");
  force(b, 1, 1, 1, 1);
  ClickHost host;
  EXPECT_EQ(runZddk(b, host), 1);
  EXPECT_TRUE(b.st.Bxdck.isEmpty());
  EXPECT_EQ(b.st.Zt, QStringLiteral("排课"));
  EXPECT_EQ(b.st.Xq1, 0);
  // The first candidate of the sweep is the last period of the lesson's weekday.
  EXPECT_EQ(b.s.Kb(1, 1, 8, 7, 1), ordinaryCell(1, 1));
  EXPECT_TRUE(b.s.Kb(1, 1, 1, 7, 1).isEmpty());
  EXPECT_EQ(b.s.Jskb(1, 1, 8, 1), teacherCell(1, 7, 1));
  EXPECT_EQ(b.s.Jskb(1, 1, 1, 1), QStringLiteral("2"));
  EXPECT_TRUE(b.s.Jskb(2, 1, 1, b.s.Jss + 1).isEmpty());
  EXPECT_TRUE(host.clicks.isEmpty());
}

TEST(AutomaticSwap, ALessonNobodyTakesIsTriedTwiceThenHandedToTheUser) {
  Bench b(oneClassSchool());
  b.s.Mzts = 1;
  b.s.Mtjs = 2;
  putLesson(b.s, b.st, 7, 1, 1, 2, 1, 1);
  force(b, 1, 1, 1, 1);
  ClickHost host;
  EXPECT_EQ(runZddk(b, host), 0);
  EXPECT_EQ(b.st.Bxdck, QStringLiteral("0101"));
  EXPECT_EQ(b.st.Zt, QStringLiteral("调课"));
  EXPECT_EQ(b.st.Dkzt, 2);
  EXPECT_EQ(b.st.MSFG.curXq, 1);
  EXPECT_EQ(b.st.MSFG.curJc, 1);
  EXPECT_EQ(host.clicks, QStringList{QStringLiteral("0101")});
  EXPECT_TRUE(b.ui.allTexts().isEmpty());
}

// The double in periods 3-4 shifts to 2-3 to free period 2's forced 语文; not when 数学 bans period 2.
TEST(AutomaticSwap, ShiftsADoubleToFreeThePeriodBeforeItUnlessTheCourseBansIt) {
  for (const bool banned : {false, true}) {
    Bench b(oneClassSchool(1));
    b.s.Mzts = 1;
    b.s.Mtjs = 4;
    b.s.Swjs = b.s.Xwjs = 2;
    b.s.Kczf(2) = 1;  // 数学, a main subject, as a double in periods 3-4
    if (banned) b.s.Mtjp(2) = QStringLiteral("10111111");
    putLesson(b.s, b.st, 1, 1, 1, 3, 2, 2);
    putLesson(b.s, b.st, 1, 1, 1, 4, 2, 2);
    putLesson(b.s, b.st, 1, 1, 1, 1, 3, 3);
    b.s.Jskb(1, 1, 1, 1) = b.s.Jskb(2, 1, 1, 1) = QStringLiteral("2");  // 语文's teacher cannot take period 1
    const int park = b.s.Jss + 1;
    b.s.Jskb(2, 1, 2, park) = QStringLiteral("001");
    putLesson(b.s, b.st, 1, 1, 1, 2, 1, 1);
    b.st.Bxdck = QStringLiteral("0102");
    ClickHost host;
    Ctx c = b.ctx();
    int swaps = 0;
    Zddk(c, host, b.st.Bxdck, 1, 1, swaps);
    EXPECT_EQ(swaps, banned ? 0 : 1);
    EXPECT_EQ(b.s.Kb(1, 1, 2, 1, 1), ordinaryCell(banned ? 1 : 2, banned ? 1 : 2));
    EXPECT_EQ(b.s.Kb(1, 1, 3, 1, 1), ordinaryCell(2, 2));
    EXPECT_EQ(b.s.Kb(1, 1, 4, 1, 1), ordinaryCell(banned ? 2 : 1, banned ? 2 : 1));
    EXPECT_EQ(b.st.Bxdck, banned ? QStringLiteral("0102") : QString());
  }
}

TEST(AutomaticSwap, MoreThan24SwapsGiveTheClassUp) {
  Bench b(oneClassSchool());
  putLesson(b.s, b.st, 7, 1, 2, 2, 2, 2);
  force(b, 1, 1, 1, 1);
  b.s.Ypbjs = 1;
  ClickHost host;
  Ctx c = b.ctx();
  int swaps = 25;
  try {
    Zddk(c, host, b.st.Bxdck, 7, 1, swaps);
    FAIL() << "the program should end";
  } catch (const ProgramEnd& end) {
    EXPECT_EQ(
        end.message(),
        QStringLiteral(
            "本班课程冲突或调课太多，无法排课，请退出，从本班起重排或检查排课设置有没有不合理的地方。"));
  }
  EXPECT_EQ(b.ui.texts(QStringLiteral("warning")).size(), 1);
  EXPECT_EQ(b.s.Ypbjs, 0);
  EXPECT_TRUE(b.s.Kb(1, 2, 2, 7, 1).isEmpty());
  EXPECT_TRUE(b.s.Jskb(1, 2, 2, 2).isEmpty());
}

}  // namespace
}  // namespace tavro::testing
