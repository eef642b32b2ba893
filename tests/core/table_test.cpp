#include "core/table.h"

#include <gtest/gtest.h>

#include "core/school.h"
#include "tests/fixtures/small_school.h"

namespace tavro {

TEST(Table, BoundsAreHonouredAndChecked) {
  Table<int, 2> t({Range{7, 9}, Range{0, 3}});
  t(7, 0) = 1;
  t(9, 3) = 2;
  EXPECT_EQ(t(7, 0), 1);
  EXPECT_EQ(t(9, 3), 2);
  EXPECT_THROW(t(6, 0), IndexError);
  EXPECT_THROW(t(7, 4), IndexError);
  EXPECT_TRUE(t.has(8, 2));
  EXPECT_FALSE(t.has(10, 2));
}

TEST(Table, ResizeKeepsOverlappingCellsOnlyWhenAsked) {
  Table<QString, 2> t({Range{7, 8}, Range{1, 2}});
  t(7, 1) = "a";
  t(8, 2) = "b";
  t.resize({Range{7, 9}, Range{1, 3}}, true);
  EXPECT_EQ(t(7, 1), "a");
  EXPECT_EQ(t(8, 2), "b");
  EXPECT_EQ(t(9, 3), "");
  t.resize({Range{8, 8}, Range{2, 2}}, true);
  EXPECT_EQ(t(8, 2), "b");
  t.resize({Range{8, 8}, Range{2, 2}});
  EXPECT_EQ(t(8, 2), "");
}

TEST(School, ClassTablesKeepContentsWhenResizedButTeacherTablesAreCleared) {
  School s = fixtures::twoGradeSchool();
  s.Kb(1, 1, 1, 7, 1) = "0010010000";
  s.Jskb(1, 1, 1, 1) = "0010701000";
  s.Zdbjs = 3;
  s.Njbjs(7) = 3;
  s.sizeClassTables();
  s.sizeTeacherTables();
  EXPECT_EQ(s.Kb(1, 1, 1, 7, 1), "0010010000");
  EXPECT_EQ(s.Bjmc(8, 2), QStringLiteral("初二2班"));
  EXPECT_EQ(s.Jskb(1, 1, 1, 1), "");
  EXPECT_TRUE(s.isClass(7, 3));
  EXPECT_FALSE(s.isClass(8, 3));
  EXPECT_FALSE(s.isClass(9, 1));
  EXPECT_EQ(s.Jskb.hi(3), s.Jsrs + 2);
}

}  // namespace tavro
