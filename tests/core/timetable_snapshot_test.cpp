// The timetable file cache re-encodes only the classes that changed: whatever is changed between
// two snapshots (a cell rewritten with equal or new text, changed in place, cleared, a name, a
// flag, the week, a class added), the kept bytes must equal those of a file built afresh.

#include "core/timetable_snapshot.h"

#include <gtest/gtest.h>

#include <random>

#include "core/timetable_file.h"
#include "tests/fixtures/small_school.h"

namespace tavro {

namespace {

// A random lesson cell of ten digits.
QString randomCell(std::mt19937& random) {
  std::uniform_int_distribution<int> digit(0, 9);
  QString cell;
  for (int i = 0; i < 10; ++i) cell += QChar(u'0' + digit(random));
  return cell;
}

// Applies one random change to the school, of the kinds a scheduling run or an edit makes.
void changeSomething(School& s, std::mt19937& random) {
  std::uniform_int_distribution<int> kind(0, 6), day(1, s.Mzts), period(1, s.Mtjs), grade(7, 8), cls(1, 2);
  QString& cell = s.Kb(kLongTerm, day(random), period(random), grade(random), cls(random));
  switch (kind(random)) {
    case 0:
      cell = randomCell(random);
      break;
    case 1:  // the same text in a new string
      cell = QString(cell.constData(), cell.size());
      break;
    case 2:  // changed in place
      if (!cell.isEmpty()) cell[0] = cell[0] == u'1' ? u'2' : u'1';
      break;
    case 3:
      cell.clear();
      break;
    case 4:
      s.Ypbz(grade(random), cls(random)) ^= 1;
      break;
    case 5:
      s.Bjmc(grade(random), cls(random)) += QStringLiteral("甲");
      break;
    default:  // a temporary cell never reaches the file
      s.Kb(kTemporary, day(random), period(random), grade(random), cls(random)) = randomCell(random);
      break;
  }
}

}  // namespace

TEST(TimetableSnapshot, KeptBlocksAlwaysEqualAFileBuiltAfresh) {
  School s = fixtures::twoGradeSchool();
  std::mt19937 random(1209);
  TimetableFileCache cache;
  for (int round = 0; round < 2000; ++round) {
    const int changes = round % 4;  // sometimes none at all
    for (int i = 0; i < changes; ++i) changeSomething(s, random);
    const QByteArray kept = cache.take(s).bytes();
    ASSERT_EQ(kept, timetableFileBytes(s)) << "round " << round;
  }
}

TEST(TimetableSnapshot, ANewWeekOrANewClassRebuildsTheFile) {
  School s = fixtures::twoGradeSchool();
  s.Kb(kLongTerm, 1, 1, 7, 1) = QStringLiteral("0010010000");
  TimetableFileCache cache;
  const TimetableSnapshot before = cache.take(s);
  EXPECT_EQ(before.blocks.size(), 4u);
  EXPECT_TRUE(before.bytes().contains("'每周天数：\r\n 5 \r\n'每天节数：\r\n 8 \r\n"));

  s.Mzts = 3;
  s.Mtjs = 2;
  EXPECT_EQ(cache.take(s).bytes(), timetableFileBytes(s));
  EXPECT_TRUE(cache.take(s).bytes().contains("'每周天数：\r\n 3 \r\n'每天节数：\r\n 2 \r\n"));

  s.Njbjs(9) = 1;
  s.Zdbjs = 2;
  s.Bjzs = 5;
  s.Bjmc(9, 1) = QStringLiteral("初三1班");
  s.Kb(kLongTerm, 3, 2, 9, 1) = QStringLiteral("0030030000");
  const TimetableSnapshot after = cache.take(s);
  EXPECT_EQ(after.blocks.size(), 5u);
  EXPECT_EQ(after.bytes(), timetableFileBytes(s));
  EXPECT_TRUE(after.blocks.back().startsWith("09年级01班,初三1班\r\n 0 \r\n星期 1 \r\n"));
  EXPECT_TRUE(after.blocks.back().endsWith("星期 3 \r\n\r\n0030030000\r\n"));
}

}  // namespace tavro
