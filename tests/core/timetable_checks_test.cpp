#include "core/timetable_checks.h"

#include <gtest/gtest.h>

#include "core/errors.h"
#include "core/scripted_ui.h"
#include "core/textfile.h"
#include "core/timetable_file.h"
#include "tests/fixtures/small_school.h"
#include "tests/fixtures/text_files.h"

namespace tavro {

namespace {

const QString kFirstQuestion = QStringLiteral(
    "　　班级排课设置中初一1班语文的任课教师是“001张　三”，但是，课表文件中，同一班级同一节的任课教师却是“2李"
    "四光”，"
    "二者矛盾！可能是您在排课后直接修改了班级排课设置文件造成的。\r\n"
    "　　如果要把课表文件中这节课的任课教师“2李四光”改为“001张　三”，请输入数字1；\r\n"
    "　　如果要把课表文件中各个班所有和班级排课设置不同的任课教师都修改为和班级排课设置文件相同，请输入数字2"
    "；\r\n"
    "　　如果不把课表文件中这节课的任课教师“2李四光”改为“001张　三”，请输入数字3；\r\n"
    "　　如果不把课表文件中各个班所有和班级排课设置不同的任课教师都修改为和班级排课设置文件相同，请输入数字4"
    "；\r\n");
const QString kSecondQuestionStart = QStringLiteral(
    "　　班级排课设置中初一1班数学的任课教师是“002李四光”，但是，课表文件中，同一班级同一节的任课教师却是“3王"
    "　五”");
const QString kThirdQuestionStart = QStringLiteral(
    "　　班级排课设置中初一1班语文的任课教师是“001张　三”，但是，课表文件中，同一班级同一节的任课教师却是“无"
    "”");

// The two-grade school with class 0701's plan: 语文 by teacher 1, 数学 by teacher 2 and
// 数学 again by teacher 4 (a course taught by two teachers).
School plannedSchool() {
  School s = fixtures::twoGradeSchool();
  const int plan[][3] = {{1, 1, 5}, {2, 2, 4}, {2, 4, 1}};
  s.Bjkcs(7, 1) = 3;
  for (int r = 1; r <= 3; ++r)
    for (int f = 1; f <= 3; ++f) s.Bjkcb(r, f, 7, 1) = plan[r - 1][f - 1];
  return s;
}

// Writes a timetable file of a 2-day, 3-period week holding cells for class 0701 and 0702.
void writeFile(const QString& path, const QStringList& cells0701, const QStringList& cells0702) {
  School s = fixtures::twoGradeSchool();
  s.Mzts = 2;
  s.Mtjs = 3;
  for (int i = 0; i < 6; ++i) {
    s.Kb(kLongTerm, 1 + i / 3, 1 + i % 3, 7, 1) = cells0701.value(i);
    s.Kb(kLongTerm, 1 + i / 3, 1 + i % 3, 7, 2) = cells0702.value(i);
  }
  writeTextLines(path, timetableFileLines(s));
}

struct ReadResult {
  QStringList inputs;  // prompts of the input boxes, in order
  QStringList cells;   // class 0701's six cells after the read
};

// Reads a file with three teacher disagreements in class 0701, answering with answers.
ReadResult readDisagreements(const QStringList& answers) {
  fixtures::DataFolder dir;
  // 语文 by 2 (plan 1), 数学 by 3 (plan 2), 数学 by 4 (agrees with the second 数学 row), 语文 by none.
  writeFile(dir.file(), {"0010020000", "0020030000", "0020040000", "0010000000", "", "0030010005"}, {});
  Session session;
  session.school = plannedSchool();
  session.school.sizeCombinedLessons(1);
  ScriptedUi ui(answers);
  Ctx ctx = session.ctx(ui);
  Dkkbwj(ctx, dir.file());
  EXPECT_TRUE(ui.texts("warning").isEmpty());
  ReadResult r{ui.texts("input"), {}};
  for (int i = 0; i < 6; ++i) r.cells << session.school.Kb(kLongTerm, 1 + i / 3, 1 + i % 3, 7, 1);
  return r;
}

}  // namespace

TEST(TeacherQuestion, AnswersOneToFourRepairOrKeepOnceOrForTheWholeRead) {
  const QStringList untouched{"0010020000", "0020030000", "0020040000", "0010000000", "", "0030010005"};
  {
    SCOPED_TRACE("1 repairs this cell and asks again; 3 keeps it and asks again; an empty answer keeps it");
    const ReadResult r = readDisagreements({"1", "3", ""});
    ASSERT_EQ(r.inputs.size(), 3);
    EXPECT_EQ(r.inputs[0], kFirstQuestion);
    EXPECT_TRUE(r.inputs[1].startsWith(kSecondQuestionStart)) << r.inputs[1].toStdString();
    EXPECT_TRUE(r.inputs[2].startsWith(kThirdQuestionStart)) << r.inputs[2].toStdString();
    EXPECT_EQ(r.cells,
              (QStringList{"0010010000", "0020030000", "0020040000", "0010000000", "", "0030010005"}));
  }
  {
    SCOPED_TRACE("2 repairs every disagreement of the read without asking again");
    const ReadResult r = readDisagreements({"2"});
    EXPECT_EQ(r.inputs, QStringList{kFirstQuestion});
    EXPECT_EQ(r.cells,
              (QStringList{"0010010000", "0020020000", "0020040000", "0010010000", "", "0030010005"}));
  }
  {
    SCOPED_TRACE("4 keeps every disagreement of the read without asking again");
    const ReadResult r = readDisagreements({"4"});
    EXPECT_EQ(r.inputs, QStringList{kFirstQuestion});
    EXPECT_EQ(r.cells, untouched);
  }
  {
    SCOPED_TRACE("the answer's value becomes the mode: 7 keeps every disagreement of the read silently");
    const ReadResult r = readDisagreements({"7", "1", "4"});
    EXPECT_EQ(r.inputs, QStringList{kFirstQuestion});
    EXPECT_EQ(r.cells, untouched);
  }
}

TEST(TeacherQuestion, AnswerFiveEndsTheProgram) {
  fixtures::DataFolder dir;
  writeFile(dir.file(), {"0010020000"}, {});
  Session session;
  session.school = plannedSchool();
  ScriptedUi ui({"5"});
  Ctx ctx = session.ctx(ui);
  EXPECT_THROW(Dkkbwj(ctx, dir.file()), ProgramEnd);
  EXPECT_EQ(ui.texts("input"), QStringList{kFirstQuestion});
  EXPECT_EQ(session.school.Kb(kLongTerm, 1, 1, 7, 1), "");
}

TEST(CellChecks, OutOfRangeNumbersAreAskedUntilInRangeAndUnknownCombinedLessonsReported) {
  fixtures::DataFolder dir;
  writeFile(dir.file(), {}, {"0090010000", "0010090000", "0010070005"});
  Session session;
  session.school = fixtures::twoGradeSchool();
  ScriptedUi ui({"x", "4", "2", "5", "-1", "3"});
  Ctx ctx = session.ctx(ui);
  Dkkbwj(ctx, dir.file());
  const QString course =
      QStringLiteral("　　初一2班星期一第1节的课程号009大于全校课程数3！请输入新的课程序号（1～3）：");
  const QString teacher =
      QStringLiteral("　　初一2班星期一第2节语文的教师号009大于全校教师数4！请输入新的教师序号（1～4）：");
  EXPECT_EQ(ui.texts("input"), (QStringList{course, course, course, teacher, teacher, teacher}));
  EXPECT_EQ(
      ui.texts("warning"),
      QStringList{QStringLiteral("　　课表文件（_kb.txt）中，初一2班班星期一第3节是第007次合班课，"
                                 "但在全校排课设置文件（_Qxsz.txt）中，全校合班课一共只有0次，需要修改！")});
  EXPECT_EQ(session.school.Kb(kLongTerm, 1, 1, 7, 2), "0020010000");
  EXPECT_EQ(session.school.Kb(kLongTerm, 1, 2, 7, 2), "0010030000");
  EXPECT_EQ(session.school.Kb(kLongTerm, 1, 3, 7, 2), "0010070005");  // kept as read
  EXPECT_EQ(session.school.Kb(kTemporary, 1, 3, 7, 2), "0010070005");
  EXPECT_EQ(ui.lastProgress(), 100);

  // A cancelled input box stops the read instead of guessing a number.
  SilentUi silent;
  Ctx silentCtx = session.ctx(silent);
  EXPECT_THROW(Dkkbwj(silentCtx, dir.file()), OperationStopped);
}

}  // namespace tavro
