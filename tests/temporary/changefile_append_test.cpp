// Appending to "调课.txt" after what a crash, a full disk or another editor left: a record cut
// short is cut off (the old file kept beside it) so the new record never joins it, a GB18030 file
// stays GB18030, and a broken record in the middle refuses the append until it is removed. And
// the round trip: whatever BcLsgk writes, the reader gives back field for field.

#include <gtest/gtest.h>

#include <QDir>
#include <random>

#include "core/procedures.h"
#include "core/textfile.h"
#include "temporary/changefile.h"
#include "temporary/changefile_store.h"
#include "tests/fixtures/text_files.h"
#include "tests/temporary/temporary_support.h"

namespace tavro::testing {
namespace {

const QString kDay = QStringLiteral("2026-03-04");

// The bytes of the record of swap (xq1, jc1) <-> (xq2, jc2) of class 0701 for one day.
QByteArray swapBytes(TempBench& b, int xq1, int jc1, int xq2, int jc2,
                     TextEncoding encoding = TextEncoding::Utf8) {
  b.swapContext(7, 1, xq1, jc1, xq2, jc2, kDay, kDay);
  return encodeLines(changeRecordLines(b.ctx(), 7, 1), encoding);
}

// The copies of the change file kept beside it.
QStringList keptCopies(const TempBench& b) {
  return QDir(b.folder.path()).entryList({QStringLiteral("调课.txt.损坏-*")}, QDir::Files);
}

}  // namespace

TEST(ChangeFileAppend, ARecordCutShortIsCutOffBeforeTheNextOneAndKeptInACopy) {
  TempBench b;
  const QByteArray first = swapBytes(b, 1, 1, 1, 2), second = swapBytes(b, 2, 1, 2, 2);
  const QByteArray third = swapBytes(b, 1, 1, 2, 2);
  const QByteArray torn = first + second.left(second.size() - 84);
  fixtures::writeBytes(b.file(), torn);
  b.record(7, 1, 1, 1, 2, 2, kDay, kDay);
  EXPECT_EQ(fixtures::readBytes(b.file()), first + third);
  const QStringList copies = keptCopies(b);
  ASSERT_EQ(copies.size(), 1);
  const QString copy = b.folder.path() + copies[0];
  EXPECT_EQ(fixtures::readBytes(copy), torn);
  EXPECT_EQ(b.ui.texts(QStringLiteral("info")),
            QStringList{QStringLiteral("　　“") + QDir::toNativeSeparators(b.file()) +
                        QStringLiteral(
                            "”的末尾有一个不完整的临时调课记录（可能是保存时断电、程序中断或磁盘已满），它从"
                            "来没有起作用。新的记录已接在完整的记录后面，原来的文件已另存为“") +
                        QDir::toNativeSeparators(copy) + QStringLiteral("”。")});
  EXPECT_EQ(readChangeFile(b.file()).records.size(), 2);

  // Only blank lines after the last record: they go without a copy or a word.
  b.ui.clearEvents();
  fixtures::writeBytes(b.file(), first + "\r\n\r\n");
  b.record(7, 1, 1, 1, 2, 2, kDay, kDay);
  EXPECT_EQ(fixtures::readBytes(b.file()), first + third);
  EXPECT_EQ(keptCopies(b).size(), 1);
  EXPECT_TRUE(b.ui.events().empty());
}

TEST(ChangeFileAppend, AFileInGb18030GetsItsRecordsInGb18030) {
  TempBench b;
  const QByteArray first = swapBytes(b, 1, 1, 1, 2, TextEncoding::Gb18030);
  ASSERT_EQ(first, fixtures::toGb18030(swapBytes(b, 1, 1, 1, 2)));
  fixtures::writeBytes(b.file(), first);
  b.record(7, 1, 2, 1, 2, 2, kDay, kDay);
  EXPECT_EQ(fixtures::readBytes(b.file()), first + fixtures::toGb18030(swapBytes(b, 2, 1, 2, 2)));
  const ChangeFile read = readChangeFile(b.file());
  ASSERT_EQ(read.records.size(), 2);
  EXPECT_EQ(read.records[1].className, QStringLiteral("初一1班"));
  EXPECT_EQ(read.records[1].lessons[0].newTeacher, 2);
}

// A broken record (a lone header: the next record is read out of step) or an unreadable lesson
// count in the middle of the file: the records from it on never apply, so the append is refused
// with the record's number; once it is removed the later records read and appending works.
TEST(ChangeFileAppend, ARecordThatStopsTheReadingRefusesTheAppendUntilItIsRemoved) {
  struct Case {
    const char* what;
    QByteArray stopping;
  };
  TempBench b;
  const QByteArray first = swapBytes(b, 1, 1, 1, 2), later = swapBytes(b, 2, 1, 2, 2);
  QByteArray unreadable = first;
  unreadable.replace(" 2 \r\n", "two\r\n");
  const Case cases[] = {{"a lone header line", "'Tavro课程安排系统临时调课记录\r\n"},
                        {"an unreadable lesson count", unreadable}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fixtures::writeBytes(b.file(), first + c.stopping + later);
    Ctx ctx = b.ctx();
    b.swapContext(7, 1, 1, 1, 2, 2, kDay, kDay);
    try {
      BcLsgk(ctx, 7, 1);
      ADD_FAILURE() << "appended after a broken record";
    } catch (const FileError& e) {
      EXPECT_EQ(e.message(),
                QStringLiteral("　　“") + QDir::toNativeSeparators(b.file()) +
                    QStringLiteral(
                        "”中第2个临时调课记录格式错误，从它起的记录都不起作用，现在再记录的临时调课也不会起"
                        "作用。请先删除第2个记录（按“删临”－“删除临时调课记录”，或用命令 tavro-cli temp "
                        "数据文件夹 remove 2），然后重新临时调课。"));
    }
    EXPECT_EQ(fixtures::readBytes(b.file()), first + c.stopping + later);
    EXPECT_EQ(readChangeFile(b.file()).stoppingRecord(), 2);
    EXPECT_EQ(removeChangeRecords(ctx, {2}), 1);
    EXPECT_EQ(fixtures::readBytes(b.file()), first + later);
    b.record(7, 1, 1, 1, 2, 2, kDay, kDay);
    EXPECT_EQ(readChangeFile(b.file()).records.size(), 3);
  }
}

// Generated swaps of every class at any slot, with teacher names of two to six characters and any
// dates, into a new file or one that is GB18030: every record reads back as it was made.
TEST(ChangeFileAppend, WhatBcLsgkWritesReadsBackFieldForField) {
  std::mt19937 random(7);
  const auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
  const QString names[] = {QStringLiteral("李　四"), QStringLiteral("欧阳明月"),
                           QStringLiteral("司马相如长卿"), QStringLiteral("王小五"), QStringLiteral("A,b'c")};
  for (int round = 0; round < 4; ++round) {
    TempBench b;
    for (int t = 1; t <= 4; ++t) b.s.Jsmc(t) = names[pick(0, 4)];
    b.s.Jsmcd = 6;
    b.s.Bjmc(8, 2) = QStringLiteral("　一班");  // a name beginning with a numeral is stored with "　"
    if (round % 2 == 1) fixtures::writeBytes(b.file(), fixtures::toGb18030(swapBytes(b, 1, 1, 1, 2)));
    const int before = static_cast<int>(readChangeFile(b.file()).records.size());
    QList<ChangeRecord> made;
    for (int n = 0; n < 12; ++n) {
      const int nj = pick(7, 8), bj = pick(1, 2);
      const QDate start = QDate(2026, 3, 1).addDays(pick(0, 300));
      b.swapContext(nj, bj, pick(1, 5), pick(1, 8), pick(1, 5), pick(1, 8), Rqwb(start),
                    Rqwb(start.addDays(pick(0, 30))));
      if (n % 5 == 4) b.st.Zt = QStringLiteral("查班");  // one changed lesson outside swap mode
      Ctx c = b.ctx();
      BcLsgk(c, nj, bj);
      ChangeRecord r;
      r.className = b.s.Bjmc(nj, bj);
      r.start = b.st.Lsksrq;
      r.end = b.st.Lsjsrq;
      r.lessons.append({b.st.Xq1, b.st.Jc1, b.st.Jsh1, b.st.Kch1, b.st.Jsh2, b.st.Kch2});
      if (n % 5 != 4) r.lessons.append({b.st.Xq2, b.st.Jc2, b.st.Jsh2, b.st.Kch2, b.st.Jsh1, b.st.Kch1});
      made.append(r);
    }
    const ChangeFile read = readChangeFile(b.file());
    ASSERT_EQ(read.records.size(), before + made.size());
    EXPECT_EQ(read.stoppingRecord(), 0);
    for (int i = 0; i < made.size(); ++i) {
      SCOPED_TRACE(i);
      const ChangeRecord& got = read.records[before + i];
      EXPECT_EQ(got.className, made[i].className);
      EXPECT_EQ(got.written, kDay);
      EXPECT_EQ(got.start, made[i].start);
      EXPECT_EQ(got.end, made[i].end);
      ASSERT_EQ(got.lessons.size(), made[i].lessons.size());
      for (int k = 0; k < got.lessons.size(); ++k) {
        const LessonChange &g = got.lessons[k], &m = made[i].lessons[k];
        EXPECT_EQ(QList<int>({g.xq, g.jc, g.teacher, g.course, g.newTeacher, g.newCourse}),
                  QList<int>({m.xq, m.jc, m.teacher, m.course, m.newTeacher, m.newCourse}));
      }
    }
  }
}

}  // namespace tavro::testing
