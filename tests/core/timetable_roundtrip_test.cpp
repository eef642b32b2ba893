// Round trip of "课表.txt": for schools anywhere within the limits the school sheet accepts
// (up to 7 days of 13 periods, 12 grades of 50 classes, 998 teachers, 999 courses and 999
// combined lessons, class names long and odd), what Bckb writes Dkkbwj reads back cell for cell,
// flag for flag, without a question or a message.

#include <gtest/gtest.h>

#include <random>

#include "core/procedures.h"
#include "core/scripted_ui.h"
#include "core/timetable_file.h"
#include "tests/fixtures/text_files.h"

namespace tavro {
namespace {

struct Limits {
  int days, periods, grades, classes, teachers, courses, combined;
};

// A school of grades 1..grades with up to `classes` classes each (the last grade has exactly that
// many, a middle one none), names, counts and week sized by limits.
School schoolWithin(const Limits& l, std::mt19937& random) {
  School s;
  s.Mzts = l.days;
  s.Mtjs = l.periods;
  s.Jss = s.Jsrs = l.teachers;
  s.Kcs = l.courses;
  s.sizeGradeTables();
  s.Snj = 1;
  s.Mnj = l.grades;
  for (int g = 1; g <= l.grades; ++g) {
    s.Njbjs(g) = g == l.grades ? l.classes : std::uniform_int_distribution<int>(0, l.classes)(random);
    if (g == 2 && l.grades > 2) s.Njbjs(g) = 0;
    s.Njm(g) = QStringLiteral("高") + Qjl(2, g);
    s.Zdbjs = std::max(s.Zdbjs, s.Njbjs(g));
    s.Bjzs += s.Njbjs(g);
  }
  s.sizeClassTables();
  s.sizeTeacherTables();
  s.sizeCourseTables();
  s.sizeCombinedLessons(l.combined);
  for (int k = 0; k < s.Kcs; ++k) s.Kcmc(k) = QStringLiteral("课程课程课程");
  const QString oddNames[] = {QStringLiteral("实验,班（1,2）"), QStringLiteral("'引号班"),
                              QStringLiteral("两行\n的班"), QStringLiteral("　　全角空格班　　"),
                              QStringLiteral("很长很长很长很长很长很长很长很长很长很长的班级名称")};
  for (int g = 1; g <= l.grades; ++g)
    for (int c = 1; c <= s.Njbjs(g); ++c)
      s.Bjmc(g, c) = s.Njm(g) + oddNames[(g + c) % 5] + QString::number(c);
  return s;
}

// A random cell the school can hold: free, an ordinary lesson or a combined lesson.
QString randomCell(const School& s, std::mt19937& random) {
  const auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
  const int kind = pick(-3, 8);
  if (kind < 0) return QString();
  const QString course = Lbq(3, pick(0, s.Kcs - 1));
  if (kind >= 5 && s.Hbks > 0)
    return course + Lbq(3, pick(1, s.Hbks)) + Lbq(3, pick(0, 999)) + QString::number(kind);
  return course + Lbq(3, pick(0, s.Jss)) + QStringLiteral("000") + QString::number(kind % 5);
}

void fillTimetable(School& s, std::mt19937& random) {
  for (int g = s.Snj; g <= s.Mnj; ++g)
    for (int c = 1; c <= s.Njbjs(g); ++c) {
      s.Ypbz(g, c) = static_cast<int>(random() % 2);
      s.Ypbjs += s.Ypbz(g, c);
      for (int x = 1; x <= s.Mzts; ++x)
        for (int j = 1; j <= s.Mtjs; ++j) s.Kb(kLongTerm, x, j, g, c) = randomCell(s, random);
    }
}

}  // namespace

TEST(TimetableRoundTrip, EverySchoolWithinTheLimitsReadsBackCellForCell) {
  const Limits cases[] = {{7, 13, 12, 50, 998, 999, 999}, {1, 1, 1, 1, 1, 1, 0},
                          {5, 8, 3, 4, 40, 15, 3},        {7, 1, 6, 7, 12, 6, 1},
                          {1, 13, 9, 2, 998, 2, 0},       {6, 10, 12, 3, 77, 999, 999}};
  std::mt19937 random(20260302);
  for (const Limits& l : cases) {
    SCOPED_TRACE(QStringLiteral("%1 days, %2 periods, %3 grades of up to %4 classes")
                     .arg(l.days)
                     .arg(l.periods)
                     .arg(l.grades)
                     .arg(l.classes)
                     .toStdString());
    fixtures::DataFolder dir;
    Session writer;
    writer.school = schoolWithin(l, random);
    writer.school.Wjj = dir.path();
    fillTimetable(writer.school, random);
    ScriptedUi writerUi;
    Ctx w = writer.ctx(writerUi);
    Bckb(w);

    Session reader;
    reader.school = writer.school;
    School& read = reader.school;
    read.Mzts = read.Mtjs = 3;
    read.Ypbjs = 0;
    read.Ypbz.fill(0);
    read.Kb.fill(QString());
    ScriptedUi ui;
    Ctx r = reader.ctx(ui);
    const TimetableRead result = Dkkbwj(r, timetableFilePath(read));
    EXPECT_TRUE(ui.allTexts().isEmpty()) << ui.allTexts().join(u'\n').left(300).toStdString();
    EXPECT_EQ(result.damagedCopy, "");
    EXPECT_FALSE(result.repaired);
    const School& s = writer.school;
    ASSERT_EQ(read.Mzts, s.Mzts);
    ASSERT_EQ(read.Mtjs, s.Mtjs);
    EXPECT_EQ(read.Ypbjs, s.Ypbjs);
    int differences = 0;
    for (int g = s.Snj; g <= s.Mnj; ++g)
      for (int c = 1; c <= s.Njbjs(g); ++c) {
        differences += read.Ypbz(g, c) != s.Ypbz(g, c);
        for (int x = 1; x <= s.Mzts; ++x)
          for (int j = 1; j <= s.Mtjs; ++j)
            differences += read.Kb(kLongTerm, x, j, g, c) != s.Kb(kLongTerm, x, j, g, c) ||
                           read.Kb(kTemporary, x, j, g, c) != s.Kb(kLongTerm, x, j, g, c);
      }
    EXPECT_EQ(differences, 0);
  }
}

}  // namespace tavro
