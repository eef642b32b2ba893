// The scheduling course list: priorities, list order and item texts, the
// remembered positions, and the counts of lessons already placed.

#include "adjust/courselist.h"

#include <gtest/gtest.h>

#include "tests/adjust/adjust_support.h"

namespace tavro::testing {
namespace {

// Plan row r of class 0701: course, teacher, lessons per week.
void planRow(SwapBench& b, int r, int course, int teacher, int lessons) {
  b.s.Bjkcb(r, 1, 7, 1) = course;
  b.s.Bjkcb(r, 2, 7, 1) = teacher;
  b.s.Bjkcb(r, 3, 7, 1) = lessons;
  if (b.s.Bjkcs(7, 1) < r) b.s.Bjkcs(7, 1) = r;
}

// Blocks teacher t everywhere except at the given slots.
void onlyFreeAt(SwapBench& b, int t, std::initializer_list<std::pair<int, int>> free) {
  for (int xq = 1; xq <= b.s.Mzts; ++xq)
    for (int jc = 1; jc <= b.s.Mtjs; ++jc) b.block(t, xq, jc, QStringLiteral("2"));
  for (auto [xq, jc] : free) b.block(t, xq, jc, QString());
}

QStringList listItems(SwapBench& b) {
  Ctx c = b.ctx();
  Xskc(c, 7, 1);
  return b.st.LstKc.items();
}

TEST(CourseList, ItemsAndOrderByPriorityThenCourse) {
  SwapBench b;
  planRow(b, 1, 3, 3, 4);
  planRow(b, 2, 1, 1, 4);
  planRow(b, 3, 2, 2, 4);
  // Every teacher free everywhere: equal priorities, so the course number decides.
  EXPECT_EQ(listItems(b),
            (QStringList{QStringLiteral("001语文　　　　 4"), QStringLiteral("002数学　　　　 4"),
                         QStringLiteral("003英语　　　　 4")}));
  // 英语's teacher can only teach in two slots: a point per blocked slot. The last slot of the week
  // leaves 85 to 数学, the last row whose teacher is free there (one of two free teachers).
  onlyFreeAt(b, 3, {{1, 1}, {2, 2}});
  Ctx c = b.ctx();
  const auto p = courseListPriorities(c, 7, 1);
  EXPECT_FLOAT_EQ(p[1], 42.0f);
  EXPECT_FLOAT_EQ(p[2], 4.0f);
  EXPECT_FLOAT_EQ(p[3], 89.0f);
  EXPECT_EQ(listItems(b),
            (QStringList{QStringLiteral("002数学　　　　 4"), QStringLiteral("003英语　　　　 4"),
                         QStringLiteral("001语文　　　　 4")}));
}

TEST(CourseList, ExactlyOneSlotLeftIsListedFirst) {
  SwapBench b;
  planRow(b, 1, 1, 1, 4);
  planRow(b, 2, 3, 3, 1);
  onlyFreeAt(b, 3, {{3, 6}, {4, 7}});  // R = 40 - 38 - 1 = 1: priority 99
  Ctx c = b.ctx();
  const auto p = courseListPriorities(c, 7, 1);
  EXPECT_EQ(p[2], 99.0f);
  EXPECT_EQ(listItems(b).first(), QStringLiteral("003英语　　　　 1"));
}

TEST(CourseList, RememberedPositions) {
  SwapBench b;
  planRow(b, 1, 1, 1, 4);
  planRow(b, 2, 0, 0, 2);  // 空课 without teacher
  onlyFreeAt(b, 1, {{2, 5}});
  Ctx c = b.ctx();
  Xskc(c, 7, 1);
  // The last empty slot where no plan teacher is free names the teacher-less row.
  EXPECT_EQ(b.st.Yxwz[0], QStringLiteral("0000000508"));
  // The only slot where 语文's teacher is free.
  EXPECT_EQ(b.st.Yxwz[1], QStringLiteral("0010010205"));
}

TEST(CourseList, OneLessonCoursesWithRoomAreHalvedAndEmptyCourseIs95) {
  SwapBench b;
  planRow(b, 1, 1, 1, 1);
  planRow(b, 2, 0, 0, 5);
  planRow(b, 3, 2, 2, 2);
  b.lesson(7, 1, 1, 1, 2, 2);
  Ctx c = b.ctx();
  const auto p = courseListPriorities(c, 7, 1);
  EXPECT_EQ(p[2], 95.0f);  // 空课 with at most Mzts lessons
  // 语文: 90 from the first slot (its teacher alone free there), one busy class slot, one lesson:
  // 92, halved because it has more than 4 usable slots.
  EXPECT_FLOAT_EQ(p[1], 46.0f);
}

TEST(CourseList, UnscheduledClassesCountPlacedLessons) {
  SwapBench b;
  planRow(b, 1, 1, 1, 4);
  planRow(b, 2, 2, 2, 3);
  b.lesson(7, 1, 1, 1, 1, 1);
  b.lesson(7, 1, 2, 1, 1, 1);
  b.s.Kb(1, 3, 1, 7, 1) = QStringLiteral("0010010008");  // a combined 语文 lesson does not count
  b.st.OptYp = false;
  const QStringList items = listItems(b);
  EXPECT_TRUE(items.contains(QStringLiteral("001语文　　　　 2")));
  EXPECT_TRUE(items.contains(QStringLiteral("002数学　　　　 3")));
  b.st.OptYp = true;
  EXPECT_TRUE(listItems(b).contains(QStringLiteral("001语文　　　　 4")));
}

TEST(CourseList, NoClassShowsTheWarning) {
  SwapBench b;
  Ctx c = b.ctx();
  Xskc(c, 0, 1);
  EXPECT_EQ(b.ui.texts(QStringLiteral("warning")), QStringList{QStringLiteral("未选班级，不能显示班表！")});
  EXPECT_EQ(b.st.LstKc.count(), 0);
}

}  // namespace
}  // namespace tavro::testing
