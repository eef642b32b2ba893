// The demo preset "largest": the largest school the model holds (grades 1 to 12 with 50 classes
// each, 998 teachers, 7 days of 13 periods) is written and imported without a message, and its
// plan stays within what the scheduler can place.

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <set>

#include "core/procedures.h"
#include "sheets/demo_plan.h"
#include "sheets/demo_school.h"
#include "sheets/school_sheet.h"
#include "tests/sheets/sheet_fixtures.h"

namespace tavro::testing {
namespace {

TEST(LargestDemo, ThePresetIsTheModelsLimit) {
  const std::optional<DemoPreset> p = demoPreset(QStringLiteral("largest"));
  ASSERT_TRUE(p);
  EXPECT_EQ(p->firstGrade, 1);
  EXPECT_EQ(p->lastGrade, 12);
  EXPECT_EQ(p->classesPerGrade, 50);
  EXPECT_EQ(p->teachers, kMaxTeachers);
  EXPECT_EQ(p->days, 7);
  EXPECT_EQ(p->periods, 13);
}

// Every class fills its 91 periods; no teacher has more lessons than the daily limits of the
// scheduler allow in a week (three in the morning and three in the afternoon); study periods stay at
// two a day so that they need not sit side by side.
TEST(LargestDemo, ThePlanFitsTheWeekAndTheTeachers) {
  const demo::Plan plan = demo::makePlan(*demoPreset(QStringLiteral("largest")), 1);
  ASSERT_EQ(plan.teachers.size(), 998u);
  std::map<int, int> load;
  for (const auto& [cls, courses] : plan.teacherOf) {
    const std::map<int, int>& lessons = plan.lessons.at(cls.first);
    int week = 1;  // the class meeting
    for (const auto& [course, count] : lessons) week += count;
    EXPECT_EQ(week, 91) << cls.first << "/" << cls.second;
    EXPECT_LE(lessons.at(16), 14);  // 自习
    for (const auto& [course, teacher] : courses) load[teacher] += lessons.at(course);
  }
  EXPECT_EQ(plan.teacherOf.size(), 600u);
  EXPECT_EQ(load.size(), 998u);
  for (const auto& [teacher, lessons] : load) EXPECT_LE(lessons, 42) << "teacher " << teacher;
}

TEST(LargestDemo, ItImportsWithoutAMessage) {
  QTemporaryDir dir;
  const QString folder = dir.path() + "/";
  SheetSession t;
  importDemoSchool(t, folder, QStringLiteral("largest"), 3);
  const School& s = t.c.s;
  EXPECT_EQ(s.Bjzs, 600);
  EXPECT_EQ(s.Zdbjs, 50);
  EXPECT_EQ(s.Jss, 998);
  EXPECT_EQ(s.Mzts, 7);
  EXPECT_EQ(s.Mtjs, 13);
  EXPECT_EQ(s.Xxlx, 9);
  std::set<int> heads;
  for (int nj = 1; nj <= 12; ++nj)
    for (int bj = 1; bj <= 50; ++bj) {
      int lessons = Hbkjs(s, nj, bj);
      for (int row = 1; row <= s.Bjkcs(nj, bj); ++row) lessons += s.Bjkcb(row, 3, nj, bj);
      EXPECT_EQ(lessons, 91) << nj << "/" << bj;
      heads.insert(s.Bzr(nj, bj));
    }
  EXPECT_EQ(heads.size(), 600u);
  EXPECT_FALSE(heads.count(0));
  for (int t2 = 1; t2 <= s.Jss; ++t2) EXPECT_GT(s.Jszjs(t2), 0) << t2;
}

}  // namespace
}  // namespace tavro::testing
