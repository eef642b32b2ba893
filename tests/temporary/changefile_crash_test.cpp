// "调课.txt" after a crash: an append killed at a random moment keeps every earlier record, the
// next append after it keeps them too and reads back as the last record, and a record cut short
// anywhere (the last write of a crashed program) is left out on reading while every record before
// it still reads back whole.

#include <gtest/gtest.h>

#include <algorithm>

#include "core/procedures.h"
#include "core/textfile.h"
#include "temporary/changefile.h"
#include "tests/fixtures/kill_trials.h"
#include "tests/fixtures/text_files.h"
#include "tests/temporary/temporary_support.h"

namespace tavro::testing {
namespace {

constexpr int kBaseRecords = 3;   // records on disk before each trial
constexpr int kMaxAppended = 40;  // records one child appends before it waits to be killed

// Sets the swap context of record n: the same swap of class 0701, ending n days after it starts.
void contextOf(TempBench& b, int n) {
  const QString start = QStringLiteral("2026-03-02");
  b.swapContext(7, 1, 1, 1, 1, 2, start, Rqwb(QDate(2026, 3, 2).addDays(n)));
}

// The bytes BcLsgk appends for record n.
QByteArray recordBytes(TempBench& b, int n) {
  contextOf(b, n);
  Ctx c = b.ctx();
  return encodeLines(changeRecordLines(c, 7, 1));
}

// The end dates of the records read back.
QStringList endDates(const ChangeFile& file) {
  QStringList ends;
  for (const ChangeRecord& r : file.records) ends << r.end;
  return ends;
}

QStringList expectedEnds(int count) {
  QStringList ends;
  for (int n = 0; n < count; ++n) ends << Rqwb(QDate(2026, 3, 2).addDays(n));
  return ends;
}

}  // namespace

// A child appends records with BcLsgk and is killed at random moments, 100 times; the file always
// holds the earlier records whole and in order, followed at most by the beginning of the next one.
// Then the next swap is recorded: every whole record is still there, the new one after them.
TEST(ChangeFileCrash, AKilledAppendKeepsEveryEarlierRecordAndTheNextAppendToo) {
  TempBench b;
  QByteArray all;
  QList<qsizetype> ends;  // the byte length of the file after each record
  for (int n = 0; n < kBaseRecords + kMaxAppended; ++n) {
    all += recordBytes(b, n);
    ends << all.size();
  }
  const QByteArray base = all.left(ends.at(kBaseRecords - 1));
  fixtures::writeBytes(b.file(), base);
  Ctx c = b.ctx();
  const std::int64_t appendMicroseconds = fixtures::microsecondsOf([&] {
    contextOf(b, kBaseRecords);
    BcLsgk(c, 7, 1);
  });

  int grew = 0, torn = 0;
  fixtures::KillTrials trials;
  trials.maxDelayMicroseconds = 4 * appendMicroseconds + 1000;
  trials.maxCalls = kMaxAppended;
  const int insideAppend = fixtures::runKillTrials(
      trials,
      [&](int call) {
        contextOf(b, kBaseRecords + call);
        BcLsgk(c, 7, 1);
      },
      [&](int trial) {
        const QByteArray now = fixtures::readBytes(b.file());
        ASSERT_TRUE(now.size() >= base.size() && all.startsWith(now))
            << "trial " << trial << ": " << now.size() << " bytes";
        const int whole =
            static_cast<int>(std::upper_bound(ends.begin(), ends.end(), now.size()) - ends.begin());
        EXPECT_EQ(endDates(readChangeFile(b.file())), expectedEnds(whole)) << "trial " << trial;
        if (now.size() > base.size()) ++grew;
        if (!ends.contains(now.size())) ++torn;
        const int next = kBaseRecords + kMaxAppended + trial;
        contextOf(b, next);
        BcLsgk(c, 7, 1);
        EXPECT_EQ(endDates(readChangeFile(b.file())), expectedEnds(whole)
                                                          << Rqwb(QDate(2026, 3, 2).addDays(next)))
            << "trial " << trial;
        fixtures::removeLeftoverFiles(b.folder.path(), kChangeFileName);
      },
      [&](int) { fixtures::writeBytes(b.file(), base); });
  EXPECT_GT(grew, 0);
  EXPECT_GT(insideAppend, 0);
  RecordProperty("torn", torn);
}

// The file cut after every byte of its last record, also inside a character or a line: the reader
// returns exactly the records before it, each as written.
TEST(ChangeFileCrash, ARecordCutShortIsLeftOutAndTheEarlierOnesReadWhole) {
  TempBench b;
  QByteArray earlier;
  for (int n = 0; n < kBaseRecords; ++n) earlier += recordBytes(b, n);
  const QByteArray last = recordBytes(b, kBaseRecords);
  const ChangeFile whole = [&] {
    fixtures::writeBytes(b.file(), earlier);
    return readChangeFile(b.file());
  }();
  ASSERT_EQ(endDates(whole), expectedEnds(kBaseRecords));
  for (qsizetype cut = 0; cut < last.size(); ++cut) {
    fixtures::writeBytes(b.file(), earlier + last.left(cut));
    const ChangeFile read = readChangeFile(b.file());
    ASSERT_EQ(endDates(read), expectedEnds(kBaseRecords)) << "cut after byte " << cut;
    EXPECT_EQ(read.broken, 0) << "cut after byte " << cut;
    EXPECT_EQ(read.records.last().lessonLines, whole.records.last().lessonLines) << "cut after byte " << cut;
    EXPECT_EQ(read.records.first().className, QStringLiteral("初一1班")) << "cut after byte " << cut;
  }
  fixtures::writeBytes(b.file(), earlier + last);
  EXPECT_EQ(endDates(readChangeFile(b.file())), expectedEnds(kBaseRecords + 1));
}

}  // namespace tavro::testing
