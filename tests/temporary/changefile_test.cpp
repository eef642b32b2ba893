// The change file "调课.txt": the exact lines of a record, the fixed character
// positions the reader relies on, and reading records back into the
// temporary layer.

#include "temporary/changefile.h"

#include <gtest/gtest.h>

#include "core/procedures.h"
#include "core/textfile.h"
#include "core/vbtext.h"
#include "tests/fixtures/text_files.h"
#include "tests/temporary/temporary_support.h"

namespace tavro::testing {
namespace {

const QStringList kSwapRecord = {
    QStringLiteral("'Tavro课程安排系统临时调课记录"),
    QStringLiteral("初一1班"),
    QStringLiteral("安排日期："),
    QStringLiteral("2026-03-04"),
    QStringLiteral("改课开始日期："),
    QStringLiteral("2026-03-02"),
    QStringLiteral("改课结束日期："),
    QStringLiteral("2026-03-06"),
    QStringLiteral("改课节数："),
    QStringLiteral(" 2 "),
    QStringLiteral("星期01第01节(001)张　三老师的(001)语文临时改为："),
    QStringLiteral("(002)李四光老师的(002)数学"),
    QStringLiteral("星期01第02节(002)李四光老师的(002)数学临时改为："),
    QStringLiteral("(001)张　三老师的(001)语文"),
};

TEST(ChangeFile, SwapRecordIsAppendedLineByLineWithCrLf) {
  TempBench b;
  b.record(7, 1, 1, 1, 1, 2, QStringLiteral("2026-03-02"), QStringLiteral("2026-03-06"));
  EXPECT_EQ(fixtures::readBytes(b.file()), encodeLines(kSwapRecord));
  b.record(7, 1, 1, 1, 1, 2, QStringLiteral("2026-03-02"), QStringLiteral("2026-03-06"));
  EXPECT_EQ(fixtures::readBytes(b.file()), encodeLines(kSwapRecord + kSwapRecord));

  const ChangeFile read = readChangeFile(b.file());
  ASSERT_EQ(read.records.size(), 2);
  EXPECT_EQ(read.broken, 0);
  const ChangeRecord& r = read.records[1];
  EXPECT_EQ(r.number, 2);
  EXPECT_EQ(r.className, QStringLiteral("初一1班"));
  EXPECT_EQ(r.start, QStringLiteral("2026-03-02"));
  EXPECT_EQ(r.end, QStringLiteral("2026-03-06"));
  EXPECT_EQ(r.firstLine, 14);
  EXPECT_EQ(r.lineCount, 14);
  ASSERT_EQ(r.lessons.size(), 2);
  EXPECT_EQ(r.lessons[1].xq, 1);
  EXPECT_EQ(r.lessons[1].jc, 2);
  EXPECT_EQ(r.lessons[1].teacher, 2);
  EXPECT_EQ(r.lessons[1].course, 2);
  EXPECT_EQ(r.lessons[1].newTeacher, 1);
  EXPECT_EQ(r.lessons[1].newCourse, 1);
}

TEST(ChangeFile, OutsideSwapModeOneLessonIsWritten) {
  TempBench b;
  b.swapContext(7, 1, 1, 1, 1, 2, QStringLiteral("2026-03-04"), QStringLiteral("2026-03-04"));
  b.st.Zt = QStringLiteral("查班");
  const QStringList lines = changeRecordLines(b.ctx(), 7, 1);
  EXPECT_EQ(lines.size(), 12);
  EXPECT_EQ(lines[9], QStringLiteral(" 1 "));
}

// Position of K' in the second changed-lesson line (0-based) is Jsmcd + 9 for names padded to Jsmcd.
TEST(ChangeFile, CourseCodeStaysAtOneFixedPosition) {
  TempBench b;
  b.s.Jsmc(2) = QStringLiteral("欧阳明月");  // the longest name: four characters
  b.s.Jsmcd = 4;
  b.swapContext(7, 1, 1, 1, 1, 2, QStringLiteral("2026-03-04"), QStringLiteral("2026-03-04"));
  const QStringList lines = changeRecordLines(b.ctx(), 7, 1);
  EXPECT_EQ(lines[11], QStringLiteral("(002)欧阳明月老师的(002)数学"));
  EXPECT_EQ(lines[13], QStringLiteral("(001)张　三　老师的(001)语文"));
  for (int i : {11, 13}) EXPECT_EQ(lines[i].mid(4 + 8, 1), QStringLiteral("("));
  EXPECT_EQ(ValMid(lines[11], 4 + 9, 3), 2);
  EXPECT_EQ(ValMid(lines[13], 4 + 9, 3), 1);
  EXPECT_EQ(ValMid(lines[10], 9, 3), 1);
}

// Every teacher typed with two characters: Jsmcd is 2 but the stored names have 3.
TEST(ChangeFile, SchoolOfTwoCharacterNamesReadsItsRecordsBack) {
  TempBench b;
  for (int t = 1; t <= 4; ++t)
    b.s.Jsmc(t) = QStringLiteral("%1　%2").arg(QChar(0x5f20 + t)).arg(QChar(0x4e09));
  b.s.Jsmcd = 2;
  b.record(7, 1, 1, 1, 1, 2, QStringLiteral("2026-03-04"), QStringLiteral("2026-03-04"));
  Ctx c = b.ctx();
  Dklsgkwj(c);
  EXPECT_EQ(b.s.Kb(kTemporary, 1, 1, 7, 1), classCell(2, 2));
  EXPECT_EQ(b.s.Kb(kTemporary, 1, 2, 7, 1), classCell(1, 1));

  // A file written by padding to Jsmcd as typed (no padding at all) reads back the same.
  QStringList old = kSwapRecord;
  old[10] = QStringLiteral("星期01第01节(001)张　三老师的(001)语文临时改为：");
  old[11] = QStringLiteral("(002)李　四老师的(003)英语");
  fixtures::writeBytes(b.file(), encodeLines(old));
  Dklsgkwj(c);
  EXPECT_EQ(b.s.Kb(kTemporary, 1, 1, 7, 1), classCell(3, 2));
}

TEST(ChangeFile, ReplayAppliesOnlyRecordsInForceTodayAndTheLaterWins) {
  TempBench b;
  b.record(7, 1, 1, 1, 1, 2, QStringLiteral("2026-03-05"), QStringLiteral("2026-03-09"));  // not yet
  b.record(7, 1, 2, 1, 2, 2, QStringLiteral("2026-03-01"), QStringLiteral("2026-03-04"));  // ends today
  Ctx c = b.ctx();
  Dklsgkwj(c);
  EXPECT_EQ(b.s.Kb(kTemporary, 1, 1, 7, 1), classCell(1, 1));
  EXPECT_EQ(b.s.Kb(kTemporary, 2, 1, 7, 1), classCell(2, 2));
  EXPECT_EQ(b.s.Kb(kTemporary, 2, 2, 7, 1), classCell(3, 3));
  EXPECT_EQ(b.s.Jskb(kTemporary, 2, 1, 2), teacherCell(2, 7, 1));
  EXPECT_EQ(b.s.Jskb(kTemporary, 2, 1, 3), QString());
  EXPECT_EQ(b.s.Jskb(kTemporary, 2, 2, 3), teacherCell(3, 7, 1));
  EXPECT_EQ(b.st.Lsksrq, QStringLiteral("2026-03-01"));  // the reader leaves the last record's dates

  // A third record for slot 2-1 in force today: exchanged with 1-1 instead.
  b.lesson(7, 1, 1, 1, 1, 1);
  b.record(7, 1, 2, 1, 1, 1, QStringLiteral("2026-03-04"), QStringLiteral("2026-03-04"));
  Dklsgkwj(c);
  EXPECT_EQ(b.s.Kb(kTemporary, 2, 1, 7, 1), classCell(1, 1));
  EXPECT_EQ(b.s.Kb(kTemporary, 1, 1, 7, 1), classCell(3, 3));

  // The next day none of them holds: the temporary layer is the long-term one again.
  b.st.fixedToday = QDate(2026, 3, 10);
  Dklsgkwj(c);
  for (int x = 1; x <= 2; ++x)
    for (int j = 1; j <= 2; ++j) EXPECT_EQ(b.s.Kb(kTemporary, x, j, 7, 1), b.s.Kb(kLongTerm, x, j, 7, 1));
  EXPECT_EQ(b.s.Jskb(kTemporary, 2, 1, 3), teacherCell(3, 7, 1));
}

TEST(ChangeFile, ClassNamesBeginningWithANumeralReadBack) {
  TempBench b;
  b.s.Bjmc(7, 1) = QStringLiteral("　一年级1班");
  b.s.Bjmc(7, 2) = QStringLiteral("十班");
  b.record(7, 1, 1, 1, 1, 2, QStringLiteral("2026-03-04"), QStringLiteral("2026-03-04"));
  // A record of another program version, written without the leading "　".
  QStringList lines = kSwapRecord;
  lines[1] = QStringLiteral("十班");
  lines[10] = QStringLiteral("星期01第01节(004)赵六一老师的(003)英语临时改为：");
  lines[11] = QStringLiteral("(001)张　三老师的(001)语文");
  lines[12] = QStringLiteral("星期01第02节(001)张　三老师的(001)语文临时改为：");
  lines[13] = QStringLiteral("(004)赵六一老师的(003)英语");
  appendTextLines(b.file(), lines);
  const ChangeFile read = readChangeFile(b.file());
  ASSERT_EQ(read.records.size(), 2);
  EXPECT_EQ(read.records[0].className, QStringLiteral("　一年级1班"));
  EXPECT_EQ(read.records[1].className, QStringLiteral("　十班"));
  Ctx c = b.ctx();
  Dklsgkwj(c);
  EXPECT_EQ(b.s.Kb(kTemporary, 1, 1, 7, 1), classCell(2, 2));
  EXPECT_EQ(b.s.Kb(kTemporary, 1, 1, 7, 2), classCell(1, 1));
  EXPECT_TRUE(b.ui.events().empty());
}

TEST(ChangeFile, RecordOfARemovedClassIsSkippedAndLaterRecordsApply) {
  TempBench b;
  b.record(7, 2, 1, 1, 1, 2, QStringLiteral("2026-03-04"), QStringLiteral("2026-03-04"));
  b.record(7, 1, 1, 1, 1, 2, QStringLiteral("2026-03-04"), QStringLiteral("2026-03-04"));
  b.s.Bjmc(7, 2) = QStringLiteral("初一二班");  // renamed after the record was written
  b.s.Ypbz(8, 1) = 0;
  Ctx c = b.ctx();
  Dklsgkwj(c);
  EXPECT_EQ(b.s.Kb(kTemporary, 1, 1, 7, 2), classCell(3, 4));
  EXPECT_EQ(b.s.Kb(kTemporary, 1, 1, 7, 1), classCell(2, 2));
  EXPECT_TRUE(b.ui.events().empty());

  // An unscheduled class is skipped the same way.
  b.s.Bjmc(7, 2) = QStringLiteral("初一2班");
  b.s.Ypbz(7, 2) = 0;
  Dklsgkwj(c);
  EXPECT_EQ(b.s.Kb(kTemporary, 1, 1, 7, 2), classCell(3, 4));
  EXPECT_EQ(b.s.Kb(kTemporary, 1, 1, 7, 1), classCell(2, 2));
}

TEST(ChangeFile, BrokenRecordWarnsWithItsNumberAndKeepsTheRecordsBefore) {
  TempBench b;
  b.record(7, 1, 1, 1, 1, 2, QStringLiteral("2026-03-04"), QStringLiteral("2026-03-04"));
  // A record with a stray line at its end: the next record is read out of step.
  appendTextLines(b.file(), kSwapRecord + QStringList{QStringLiteral("备注")});
  b.swapContext(7, 1, 2, 1, 2, 2, QStringLiteral("2026-03-04"), QStringLiteral("2026-03-04"));
  appendTextLines(b.file(), changeRecordLines(b.ctx(), 7, 1));
  Ctx c = b.ctx();
  Dklsgkwj(c);
  EXPECT_EQ(b.ui.texts(QStringLiteral("warning")),
            QStringList{QStringLiteral("　　第3个临时调课记录格式错误！")});
  EXPECT_EQ(b.s.Kb(kTemporary, 1, 2, 7, 1), classCell(1, 1));  // record 1
  EXPECT_EQ(b.s.Kb(kTemporary, 2, 1, 7, 1), classCell(3, 3));  // record 4 ignored
}

TEST(ChangeFile, MissingOrDamagedFilesEndTheReloadSilently) {
  TempBench b;
  b.s.Kb(kTemporary, 1, 1, 7, 1) = classCell(2, 2);  // a change left from before
  Ctx c = b.ctx();
  Dklsgkwj(c);  // no file at all
  EXPECT_EQ(b.s.Kb(kTemporary, 1, 1, 7, 1), classCell(1, 1));

  b.record(7, 1, 1, 1, 1, 2, QStringLiteral("2026-03-04"), QStringLiteral("2026-03-04"));
  QStringList unreadable = kSwapRecord;
  unreadable[9] = QStringLiteral("两");
  appendTextLines(b.file(), unreadable);
  b.swapContext(7, 1, 2, 1, 2, 2, QStringLiteral("2026-03-04"), QStringLiteral("2026-03-04"));
  appendTextLines(b.file(), changeRecordLines(b.ctx(), 7, 1));
  // A record cut short at the end of the file (as after a crash while appending) is left out.
  appendTextLines(b.file(), kSwapRecord.mid(0, 12));
  Dklsgkwj(c);
  EXPECT_TRUE(b.ui.events().empty());
  EXPECT_EQ(b.s.Kb(kTemporary, 1, 2, 7, 1), classCell(1, 1));
  EXPECT_EQ(b.s.Kb(kTemporary, 2, 1, 7, 1), classCell(3, 3));
  EXPECT_EQ(readChangeFile(b.file()).records.size(), 1);

  // A lesson outside the week: the record is skipped whole.
  fixtures::writeBytes(b.file(), QByteArray());
  QStringList outside = kSwapRecord;
  outside[12] = QStringLiteral("星期09第02节(002)李四光老师的(002)数学临时改为：");
  appendTextLines(b.file(), outside);
  b.record(7, 1, 2, 1, 2, 2, QStringLiteral("2026-03-04"), QStringLiteral("2026-03-04"));
  Dklsgkwj(c);
  EXPECT_EQ(b.s.Kb(kTemporary, 1, 1, 7, 1), classCell(1, 1));
  EXPECT_EQ(b.s.Kb(kTemporary, 2, 1, 7, 1), classCell(2, 2));
}

TEST(ChangeFile, GbkFileFromChineseWindowsReadsBack) {
  TempBench b;
  fixtures::writeBytes(b.file(), fixtures::toGb18030(encodeLines(kSwapRecord)));
  b.st.fixedToday = QDate(2026, 3, 6);
  Ctx c = b.ctx();
  Dklsgkwj(c);
  EXPECT_EQ(b.s.Kb(kTemporary, 1, 1, 7, 1), classCell(2, 2));
  EXPECT_EQ(b.s.Jskb(kTemporary, 1, 1, 1), QString());
  EXPECT_EQ(b.s.Jskb(kTemporary, 1, 2, 1), teacherCell(1, 7, 1));
}

}  // namespace
}  // namespace tavro::testing
