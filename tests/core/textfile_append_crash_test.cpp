// An append to a text file killed at a random moment keeps every earlier record; at most the
// record being written is cut short, and then only at its end.

#include <gtest/gtest.h>

#include "core/textfile.h"
#include "tests/fixtures/kill_trials.h"
#include "tests/fixtures/text_files.h"

namespace tavro {

namespace {

constexpr int kBaseRecords = 3;   // records on disk before each trial
constexpr int kMaxAppended = 40;  // records one child appends before it waits to be killed

// Record number n in the shape of a temporary-change record.
QStringList record(int n) {
  return {QStringLiteral("'Tavro课程安排系统临时调课记录"),
          QStringLiteral("初一（%1）班").arg(n),
          QStringLiteral("安排日期："),
          QStringLiteral("2026-12-09"),
          QStringLiteral("改课开始日期："),
          QStringLiteral("2026-12-10"),
          QStringLiteral("改课结束日期："),
          QStringLiteral("2026-12-11"),
          QStringLiteral("改课节数："),
          QStringLiteral(" 2 "),
          QStringLiteral("星期01第02节(%1)王　伟老师的(001)语文临时改为：").arg(n % 1000, 3, 10, QChar(u'0')),
          QStringLiteral("(002)李　明老师的(002)数学"),
          QStringLiteral("星期03第04节(002)李　明老师的(002)数学临时改为："),
          QStringLiteral("(%1)王　伟老师的(001)语文").arg(n % 1000, 3, 10, QChar(u'0'))};
}

}  // namespace

// A child appends records 4, 5, ... and is killed at random moments, 100 times; the file always
// holds the first records whole, in order, followed at most by the beginning of the next one.
TEST(TextFileAppend, AKilledAppendKeepsEveryEarlierRecord) {
  fixtures::DataFolder dir;
  const QString path = dir.file(QStringLiteral("调课.txt"));
  QByteArray all;
  QList<qsizetype> ends;  // the byte length of the file after each record
  for (int n = 1; n <= kBaseRecords + kMaxAppended; ++n) {
    all += encodeLines(record(n));
    ends << all.size();
  }
  const QByteArray base = all.left(ends.at(kBaseRecords - 1));
  fixtures::writeBytes(path, base);
  const std::int64_t appendMicroseconds =
      fixtures::microsecondsOf([&] { appendTextLines(path, record(kBaseRecords + 1)); });

  int grew = 0, torn = 0;
  fixtures::KillTrials trials;
  trials.maxDelayMicroseconds = 4 * appendMicroseconds + 1000;
  trials.maxCalls = kMaxAppended;
  const int insideAppend = fixtures::runKillTrials(
      trials, [&](int call) { appendTextLines(path, record(kBaseRecords + 1 + call)); },
      [&](int trial) {
        const QByteArray now = fixtures::readBytes(path);
        ASSERT_TRUE(now.size() >= base.size() && all.startsWith(now))
            << "trial " << trial << ": " << now.size() << " bytes";
        if (now.size() > base.size()) ++grew;
        if (!ends.contains(now.size())) ++torn;
      },
      [&](int) { fixtures::writeBytes(path, base); });
  EXPECT_GT(grew, 0);
  EXPECT_GT(insideAppend, 0);
  RecordProperty("torn", torn);
}

// What a crash during an append can leave at the end of a file: a character or a line cut short.
// The character is dropped (the text stays UTF-8, not read as GB18030), and the reader for appended
// files leaves the unfinished line out; GB18030 files still read as GB18030.
TEST(TextFileAppend, ACharacterOrLineCutShortAtTheEndIsLeftOut) {
  const QByteArray whole =
      encodeLines({QStringLiteral("初一1班"), QStringLiteral("(001)张　三老师的(001)语文")});
  ASSERT_EQ(whole.right(5), QByteArray("\xE6\x96\x87\r\n"));  // "文" and the line end
  for (int cut = 1; cut <= 2; ++cut)
    EXPECT_EQ(decodeText(whole.left(whole.size() - 2 - cut)),
              QStringLiteral("初一1班\r\n(001)张　三老师的(001)语"));
  EXPECT_EQ(decodeText(fixtures::toGb18030(whole)), decodeText(whole));
  EXPECT_EQ(decodeText(QByteArray("\xBF\xCE\xB1\xED")), QStringLiteral("课表"));  // GB18030

  fixtures::DataFolder dir;
  const QString path = dir.file(QStringLiteral("调课.txt"));
  fixtures::writeBytes(path, whole);
  EXPECT_EQ(readAppendedTextLines(path), (QStringList{"初一1班", "(001)张　三老师的(001)语文"}));
  for (const qsizetype cut : {qsizetype(1), qsizetype(2), qsizetype(4), qsizetype(10)}) {
    fixtures::writeBytes(path, whole.left(whole.size() - cut));
    EXPECT_EQ(readAppendedTextLines(path), QStringList{"初一1班"}) << "cut " << cut;
    EXPECT_EQ(readTextLines(path)->size(), 2) << "cut " << cut;
  }
  EXPECT_EQ(readAppendedTextLines(dir.file(QStringLiteral("missing.txt"))), std::nullopt);
}

}  // namespace tavro
