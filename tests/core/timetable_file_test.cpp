#include "core/timetable_file.h"

#include <gtest/gtest.h>

#include <QFile>

#include "core/ctx.h"
#include "core/errors.h"
#include "core/file_backup.h"
#include "core/scripted_ui.h"
#include "core/textfile.h"
#include "tests/fixtures/small_school.h"
#include "tests/fixtures/text_files.h"

namespace tavro {

namespace {

using fixtures::readBytes;
using TimetableFolder = fixtures::DataFolder;

// The two-grade school with a 2-day week of 3 periods, class 0701 scheduled, a few lessons.
School smallTimetableSchool(const QString& folder) {
  School s = fixtures::twoGradeSchool();
  s.Wjj = folder;
  s.Mzts = 2;
  s.Mtjs = 3;
  s.Ypbz(7, 1) = 1;
  s.Ypbz(8, 2) = 1;
  s.Kb(kLongTerm, 1, 1, 7, 1) = QStringLiteral("0010010000");
  s.Kb(kLongTerm, 2, 3, 7, 1) = QStringLiteral("0020020000");
  s.Kb(kLongTerm, 1, 2, 8, 2) = QStringLiteral("0030030000");
  s.Kb(kTemporary, 1, 3, 8, 2) = QStringLiteral("0020020000");  // temporary layer is never written
  return s;
}

// The lines of an empty class block of the small timetable school.
QString emptyBlock(const char* classLine, const char* flag) {
  return QString::fromUtf8(classLine) + "\r\n" + flag + "\r\n星期 1 \r\n\r\n\r\n\r\n星期 2 \r\n\r\n\r\n\r\n";
}

// Every long-term cell, flag and the days and periods of a school, for comparing two reads.
void expectSameTimetable(const School& a, const School& b) {
  EXPECT_EQ(a.Mzts, b.Mzts);
  EXPECT_EQ(a.Mtjs, b.Mtjs);
  EXPECT_EQ(a.Ypbjs, b.Ypbjs);
  for (int nj = 7; nj <= 8; ++nj)
    for (int bj = 1; bj <= 2; ++bj) {
      EXPECT_EQ(a.Ypbz(nj, bj), b.Ypbz(nj, bj));
      for (int xq = 1; xq <= a.Mzts; ++xq)
        for (int jc = 1; jc <= a.Mtjs; ++jc)
          EXPECT_EQ(a.Kb(kLongTerm, xq, jc, nj, bj), b.Kb(kLongTerm, xq, jc, nj, bj));
    }
}

}  // namespace

TEST(TimetableFile, BckbWritesTheExactLayoutAndDkkbwjReadsItBackIntoBothLayers) {
  TimetableFolder dir;
  School written = smallTimetableSchool(dir.path());
  Session session;
  session.school = written;
  ScriptedUi ui;
  Ctx ctx = session.ctx(ui);
  Bckb(ctx);

  EXPECT_EQ(session.state.Kbwjm, dir.path() + QStringLiteral("课表.txt"));
  EXPECT_EQ(timetableFilePath(written), session.state.Kbwjm);
  const QString expected =
      QStringLiteral(
          "'Tavro课程安排系统2.0版课表文件（用户不能随便修改本文件，否则可能运行出错！）\r\n"
          "'每周天数：\r\n 2 \r\n'每天节数：\r\n 3 \r\n"
          "'各年级名称下面的“1”表示该班级课表已排，“0”表示该班级课表未排。\r\n"
          "07年级01班,初一1班\r\n 1 \r\n星期 1 \r\n0010010000\r\n\r\n\r\n"
          "星期 2 \r\n\r\n\r\n0020020000\r\n") +
      emptyBlock("07年级02班,初一2班", " 0 ") + emptyBlock("08年级01班,初二1班", " 0 ") +
      QStringLiteral("08年级02班,初二2班\r\n 1 \r\n星期 1 \r\n\r\n0030030000\r\n\r\n星期 2 \r\n\r\n\r\n\r\n");
  EXPECT_EQ(readBytes(session.state.Kbwjm), expected.toUtf8());

  // Reading into a fresh school (5 days, 8 periods) takes the file's days, periods, flags and cells.
  Session reader;
  reader.school = fixtures::twoGradeSchool();
  reader.school.Kb(kTemporary, 1, 1, 7, 2) = QStringLiteral("0030030000");
  ScriptedUi readerUi;
  Ctx readCtx = reader.ctx(readerUi);
  Dkkbwj(readCtx, session.state.Kbwjm);
  written.Ypbjs = 2;
  expectSameTimetable(reader.school, written);
  EXPECT_EQ(reader.school.Kb(kTemporary, 1, 1, 7, 2), "");  // both layers hold the file's cells
  EXPECT_EQ(reader.school.Kb(kTemporary, 1, 2, 8, 2), "0030030000");
  EXPECT_TRUE(readerUi.events().empty());
  EXPECT_EQ(readerUi.lastProgress(), 100);
}

TEST(TimetableFile, OldSevenCharacterCellsAreWidenedAndOddClassNamesStayReadable) {
  TimetableFolder dir;
  School s = smallTimetableSchool(dir.path());
  s.Bjmc(7, 1) = QStringLiteral("初一(1,2)班");
  s.Bjmc(8, 2) = QStringLiteral("初二\n2班");
  QStringList lines = timetableFileLines(s);
  ASSERT_EQ(lines[6], QStringLiteral("07年级01班,初一(1,2)班"));
  ASSERT_EQ(lines[36], QStringLiteral("08年级02班,初二 2班"));
  ASSERT_EQ(lines[9], "0010010000");
  lines[9] = QStringLiteral("0010013");
  writeTextLines(dir.file(), lines);

  Session reader;
  reader.school = fixtures::twoGradeSchool();
  ScriptedUi ui;
  Ctx ctx = reader.ctx(ui);
  Dkkbwj(ctx, dir.file());
  EXPECT_TRUE(ui.events().empty());
  EXPECT_EQ(reader.school.Kb(kLongTerm, 1, 1, 7, 1), "0010010003");
  EXPECT_EQ(reader.school.Kb(kTemporary, 1, 1, 7, 1), "0010010003");
  EXPECT_EQ(reader.school.Kb(kLongTerm, 2, 3, 7, 1), "0020020000");
  EXPECT_EQ(reader.school.Ypbz(7, 1), 1);
  EXPECT_EQ(reader.school.Kb(kLongTerm, 1, 2, 8, 2), "0030030000");
}

TEST(TimetableFile, AFileWithFewerClassesInAGradeIsReadFromTheNextGradeOn) {
  TimetableFolder dir;
  School s = smallTimetableSchool(dir.path());
  writeTextLines(dir.file(), timetableFileLines(s));

  // The model now has three classes in grade 7; the file only two.
  Session reader;
  School& model = reader.school;
  model = fixtures::twoGradeSchool();
  model.Njbjs(7) = 3;
  model.Zdbjs = 3;
  model.Bjzs = 5;
  model.sizeClassTables();
  model.Bjmc(7, 3) = QStringLiteral("初一3班");
  model.Kb(kLongTerm, 1, 1, 7, 3) = QStringLiteral("0020020000");
  ScriptedUi ui;
  Ctx ctx = reader.ctx(ui);
  Dkkbwj(ctx, dir.file());
  EXPECT_TRUE(ui.events().empty()) << ui.allTexts().join('\n').toStdString();
  EXPECT_EQ(model.Kb(kLongTerm, 1, 1, 7, 1), "0010010000");
  EXPECT_EQ(model.Kb(kLongTerm, 1, 2, 8, 2), "0030030000");
  EXPECT_EQ(model.Ypbz(8, 2), 1);
  EXPECT_EQ(model.Ypbjs, 2);
  EXPECT_EQ(model.Kb(kLongTerm, 1, 1, 7, 3), "0020020000");  // not in the file: untouched
  EXPECT_EQ(ui.lastProgress(), 100);
}

// What cannot be read is damage of its own place: the rest of the file is read, the file is kept
// as it was beside itself, and one warning names the damage and the copy.
TEST(TimetableFile, DamageStaysInItsPlaceAndTheFileIsKeptBeforeItCanBeRewritten) {
  TimetableFolder dir;
  const QStringList lines = timetableFileLines(smallTimetableSchool(dir.path()));
  struct Case {
    const char* what;
    QStringList lines;
    QString damage;      // the warning's text before the line naming the copy
    const char* cell11;  // class 0701, Monday period 1 after the read
    int flag0701;
    bool laterRead;  // class 0802 read
    int days;
  };
  const QString readAgain = QStringLiteral("。读不懂的课已空出，这些班级将重新排课。");
  const QString unreadable = QStringLiteral("　　课表文件中有读不懂的内容：");
  QStringList badCell = lines, badFlag = lines, badClass = lines, badDays = lines, missing = lines,
              stray = lines;
  badCell[9] = QStringLiteral("abc");
  badFlag[17] = QStringLiteral(" x ");
  badClass[16] = QStringLiteral("07年级05班,初一5班");
  badDays[2] = QStringLiteral(" 8 ");
  missing.removeAt(10);
  stray.insert(6, QStringLiteral("xyz"));
  const Case cases[] = {
      {"an unreadable cell", badCell, unreadable + QStringLiteral("初一1班星期一第1节“abc”") + readAgain, "",
       0, true, 2},
      {"an unreadable scheduled flag", badFlag,
       unreadable + QStringLiteral("初一2班的已排标记“x”") + readAgain, "0010010000", 1, true, 2},
      {"a weekday short of a line", missing, unreadable + QStringLiteral("初一1班星期一的课") + readAgain, "",
       0, true, 2},
      {"a class the school does not have", badClass,
       unreadable + QStringLiteral("本校没有的班级“07年级05班”") + readAgain, "0010010000", 1, true, 2},
      {"a stray line between blocks", stray, unreadable + QStringLiteral("第7行起的1行") + readAgain,
       "0010010000", 1, true, 2},
      {"cut inside the second class", lines.mid(0, 20),
       kTimetableDamagedMessage + QStringLiteral("\r\n") + unreadable +
           QStringLiteral("初一2班星期一的课；初一2班星期二的课") + readAgain,
       "0010010000", 1, false, 2},
      {"8 days per week", badDays, kTimetableDamagedMessage, "", 0, false, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    writeTextLines(dir.file(), c.lines);
    const QByteArray original = readBytes(dir.file());
    Session reader;
    reader.school = fixtures::twoGradeSchool();
    reader.school.Kb(kLongTerm, 1, 1, 8, 1) = QStringLiteral("0030030000");
    ScriptedUi ui;
    Ctx ctx = reader.ctx(ui);
    const TimetableRead read = Dkkbwj(ctx, dir.file());
    ASSERT_TRUE(read.damagedCopy.startsWith(dir.file() + QStringLiteral(".损坏-")));
    EXPECT_EQ(readBytes(read.damagedCopy), original);
    EXPECT_EQ(ui.texts("warning"),
              QStringList{c.damage + QStringLiteral("\r\n　　读入前的课表文件已另存为“") + read.damagedCopy +
                          QStringLiteral("”。")});
    EXPECT_EQ(reader.school.Kb(kLongTerm, 1, 1, 7, 1), c.cell11);
    EXPECT_EQ(reader.school.Kb(kTemporary, 1, 1, 7, 1), c.cell11);
    EXPECT_EQ(reader.school.Ypbz(7, 1), c.flag0701);
    EXPECT_EQ(reader.school.Kb(kLongTerm, 2, 3, 7, 1), c.days == 2 ? "0020020000" : "");  // the rest of 0701
    EXPECT_EQ(reader.school.Kb(kLongTerm, 1, 2, 8, 2), c.laterRead ? "0030030000" : "");
    EXPECT_EQ(reader.school.Ypbjs, c.flag0701 + (c.laterRead ? 1 : 0));
    EXPECT_EQ(reader.school.Kb(kLongTerm, 1, 1, 8, 1), c.laterRead ? "" : "0030030000");  // 0801 is empty
    EXPECT_EQ(reader.school.Mzts, c.days);
    QFile::remove(read.damagedCopy);
  }
  // Two copies within the same second get different names.
  const QDateTime when(QDate(2026, 3, 2), QTime(10, 15, 0));
  EXPECT_EQ(keepDamagedCopy(dir.file(), "a", when), dir.file() + QStringLiteral(".损坏-20260302-101500"));
  EXPECT_EQ(keepDamagedCopy(dir.file(), "b", when), dir.file() + QStringLiteral(".损坏-20260302-101500-2"));
}

// A class left in swap mode is saved without its lessons that must still move: the next run reads
// it as unfinished (not full, flag 0) and schedules them again, instead of taking a class whose
// forced lesson clashes with another class's for finished.
TEST(TimetableFile, AClassLeftInSwapModeIsSavedWithoutTheLessonsThatMustMove) {
  TimetableFolder dir;
  Session session;
  session.school = smallTimetableSchool(dir.path());
  School& s = session.school;
  s.Kb(kLongTerm, 1, 1, 7, 2) = QStringLiteral("0010010000");  // forced: teacher 1 teaches 0701 here
  s.Kb(kLongTerm, 2, 2, 7, 2) = QStringLiteral("0030030000");
  session.state.DqNj = 7;
  session.state.DqBj = 2;
  session.state.Bxdck = QStringLiteral("0101");
  ScriptedUi ui;
  Ctx ctx = session.ctx(ui);
  Bckb(ctx);
  QStringList lines = timetableFileLines(smallTimetableSchool(dir.path()));
  ASSERT_EQ(lines[19], QString());           // 0702 Monday 1: left out
  lines[24] = QStringLiteral("0030030000");  // 0702 Tuesday 2: kept
  EXPECT_EQ(readBytes(dir.file()), encodeLines(lines));
  EXPECT_EQ(s.Kb(kLongTerm, 1, 1, 7, 2), QStringLiteral("0010010000"));  // the model keeps it

  // Once the lesson moved and the class is finished, it is saved whole.
  session.state.Bxdck.clear();
  s.Ypbz(7, 2) = 1;
  Bckb(ctx);
  lines[17] = QStringLiteral(" 1 ");
  lines[19] = QStringLiteral("0010010000");
  EXPECT_EQ(readBytes(dir.file()), encodeLines(lines));
}

TEST(TimetableFile, AMissingFileChangesNothingAndSaysNothing) {
  TimetableFolder dir;
  Session reader;
  reader.school = fixtures::twoGradeSchool();
  reader.school.Ypbjs = 3;
  reader.school.Kb(kLongTerm, 1, 1, 7, 1) = QStringLiteral("0010010000");
  ScriptedUi ui;
  Ctx ctx = reader.ctx(ui);
  Dkkbwj(ctx, dir.file());
  EXPECT_TRUE(ui.events().empty());
  EXPECT_EQ(reader.school.Ypbjs, 3);
  EXPECT_EQ(reader.school.Mzts, 5);
  EXPECT_EQ(reader.school.Kb(kLongTerm, 1, 1, 7, 1), "0010010000");
}

TEST(TimetableFile, BckbReportsAFolderItCannotWriteTo) {
  Session session;
  session.school = smallTimetableSchool(QStringLiteral("/nonexistent-folder/"));
  ScriptedUi ui;
  Ctx ctx = session.ctx(ui);
  EXPECT_THROW(Bckb(ctx), FileError);
}

TEST(TimetableFile, Gb18030ByteOrderMarkAndTrailingBlankLinesReadLikeTheUtf8Twin) {
  TimetableFolder dir;
  School s = smallTimetableSchool(dir.path());
  const QByteArray utf8 = encodeLines(timetableFileLines(s));
  const QByteArray variants[] = {fixtures::toGb18030(utf8), QByteArray("\xEF\xBB\xBF") + utf8,
                                 utf8 + "\r\n\r\n"};
  ASSERT_NE(variants[0], utf8);
  for (const QByteArray& bytes : variants) {
    fixtures::writeBytes(dir.file(), bytes);
    Session reader;
    reader.school = fixtures::twoGradeSchool();
    ScriptedUi ui;
    Ctx ctx = reader.ctx(ui);
    Dkkbwj(ctx, dir.file());
    EXPECT_TRUE(ui.events().empty());
    s.Ypbjs = 2;
    expectSameTimetable(reader.school, s);
  }
}

}  // namespace tavro
