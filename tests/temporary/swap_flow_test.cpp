// The temporary swap from the confirmed dates to the record, the exchange in
// the temporary layer and the notices; a later long-term swap; the date
// pickers; removing records from the change file.

#include <gtest/gtest.h>

#include "adjust/swap.h"
#include "core/procedures.h"
#include "core/textfile.h"
#include "temporary/changefile.h"
#include "temporary/dates.h"
#include "temporary/tempswap.h"
#include "tests/fixtures/text_files.h"
#include "tests/temporary/temporary_support.h"

namespace tavro::testing {
namespace {

// Selects (xq1, jc1) of class 0701 as the lesson to move and (xq2, jc2) as its partner in the
// temporary layer, with the date range start..end.
void temporarySelection(TempBench& b, int xq1, int jc1, int xq2, int jc2, const QDate& start,
                        const QDate& end) {
  b.st.Zt = QStringLiteral("调课");
  b.st.OptCqls = 1;
  b.st.Dqcqls = kTemporary;
  b.st.DqNj = 7;
  b.st.DqBj = 1;
  b.st.Xq1 = xq1;
  b.st.Jc1 = jc1;
  b.st.Xq2 = xq2;
  b.st.Jc2 = jc2;
  b.st.DTPicker1 = start;
  b.st.DTPicker2 = end;
  b.st.Rqts = Rqts(start, end);
}

TEST(TemporarySwap, SingleDayAsksFirstThenRecordsSwapsAndOffersNotices) {
  TempBench b;
  temporarySelection(b, 1, 1, 1, 2, QDate(2026, 3, 2), QDate(2026, 3, 2));
  Ctx c = b.ctx();
  b.ui.setAnswers({QStringLiteral("n")});
  EXPECT_FALSE(Lsdk(c, 7, 1).handled);
  EXPECT_FALSE(QFile::exists(b.file()));
  EXPECT_EQ(b.s.Kb(kTemporary, 1, 1, 7, 1), classCell(1, 1));

  b.ui.clearEvents();
  b.ui.setAnswers({QStringLiteral("y"), QStringLiteral("y"), QStringLiteral("1")});
  const TemporarySwapResult r = Lsdk(c, 7, 1);
  EXPECT_TRUE(r.handled);
  EXPECT_EQ(b.ui.texts(QStringLiteral("question")),
            (QStringList{QStringLiteral("临时调课的开始日期和结束日期已经确定了吗？"),
                         QStringLiteral("    打印临时调课通知吗？如果打印，请准备好打印机和打印纸。")}));
  ASSERT_TRUE(r.notices.has_value());
  EXPECT_TRUE(
      r.notices->contains(QStringLiteral("　　初一1班班2026年3月2日星期一第1节语文临时调至第2节。\r\n")));
  EXPECT_EQ(
      b.st.TxtSm,
      QStringLiteral("　　已完成本次调课。可以再选需调课，继续调课，或在班级框选择班级，退出调课状态。"));
  EXPECT_EQ(b.st.Lsksrq, QStringLiteral("2026-03-02"));
  EXPECT_EQ(b.st.Xq1, 1);  // the lesson to move stays selected
  EXPECT_EQ(b.s.Kb(kTemporary, 1, 1, 7, 1), classCell(2, 2));
  EXPECT_EQ(b.s.Kb(kTemporary, 1, 2, 7, 1), classCell(1, 1));
  EXPECT_EQ(b.s.Kb(kLongTerm, 1, 1, 7, 1), classCell(1, 1));
  EXPECT_EQ(b.s.Jskb(kTemporary, 1, 2, 1), teacherCell(1, 7, 1));
  EXPECT_EQ(b.s.Jskb(kTemporary, 1, 1, 1), QString());
  const ChangeFile file = readChangeFile(b.file());
  ASSERT_EQ(file.records.size(), 1);
  EXPECT_EQ(file.records[0].start, QStringLiteral("2026-03-02"));
  EXPECT_EQ(file.records[0].end, QStringLiteral("2026-03-02"));
}

TEST(TemporarySwap, HintNamesBothLessonsAndAFailedRecordMakesNoSwap) {
  TempBench b;
  temporarySelection(b, 1, 1, 2, 1, QDate(2026, 3, 2), QDate(2026, 3, 6));
  b.ui.setAnswers({QStringLiteral("n")});
  Ctx c = b.ctx();
  Lsdk(c, 7, 1);
  // A range of several days asks no date question, only the notices question.
  EXPECT_EQ(b.ui.texts(QStringLiteral("question")),
            QStringList{QStringLiteral("    打印临时调课通知吗？如果打印，请准备好打印机和打印纸。")});
  b.st.Xq1 = 1;
  b.st.Jc1 = 2;
  b.st.Xq2 = 2;
  b.st.Jc2 = 2;
  // The hint is replaced at the end of a swap; a failing write keeps the one naming the swap.
  b.s.Wjj = b.folder.path() + QStringLiteral("missing/");
  const TemporarySwapResult r = Lsdk(c, 7, 1);
  EXPECT_TRUE(r.handled);
  EXPECT_EQ(b.st.TxtSm,
            QStringLiteral("　　2026-03-02至2026-03-06星期一第2节李四光(002)的数学和星期二第2节李四光(002)"
                           "的数学临时对调"));
  EXPECT_EQ(b.ui.texts(QStringLiteral("warning")).size(), 1);
  EXPECT_EQ(b.s.Kb(kTemporary, 1, 2, 7, 1), classCell(2, 2));  // no swap without its record
}

TEST(TemporarySwap, RangeWithoutTodayShowsNowButNotAfterARestart) {
  TempBench b;
  temporarySelection(b, 1, 1, 2, 1, QDate(2026, 4, 1), QDate(2026, 4, 3));
  b.ui.setAnswers({QStringLiteral("n")});
  Ctx c = b.ctx();
  ASSERT_TRUE(Lsdk(c, 7, 1).handled);
  EXPECT_EQ(b.s.Kb(kTemporary, 1, 1, 7, 1), classCell(3, 3));
  EXPECT_EQ(b.s.Kb(kTemporary, 2, 1, 7, 1), classCell(1, 1));

  TempBench restarted;
  fixtures::writeBytes(restarted.file(), fixtures::readBytes(b.file()));
  Ctx r = restarted.ctx();
  Dklsgkwj(r);
  EXPECT_EQ(restarted.s.Kb(kTemporary, 1, 1, 7, 1), classCell(1, 1));
  restarted.st.fixedToday = QDate(2026, 4, 2);
  Dklsgkwj(r);
  EXPECT_EQ(restarted.s.Kb(kTemporary, 1, 1, 7, 1), classCell(3, 3));
}

TEST(TemporarySwap, LongTermSwapDiscardsTheClassTemporaryLayerAndLeavesTheFile) {
  TempBench b;
  temporarySelection(b, 1, 1, 2, 1, QDate(2026, 3, 2), QDate(2026, 3, 6));
  b.ui.setAnswers({QStringLiteral("n")});
  Ctx c = b.ctx();
  ASSERT_TRUE(Lsdk(c, 7, 1).handled);
  const QByteArray before = fixtures::readBytes(b.file());
  ASSERT_EQ(b.s.Jskb(kTemporary, 2, 1, 1), teacherCell(1, 7, 1));

  b.st.OptCqls = 0;
  b.st.Dqcqls = kLongTerm;
  Dk(c, 7, 1, 1, 2, 2, 2, Dklsgkwj);  // 数学 with 数学 of the same teacher: a long-term swap
  for (int x = 1; x <= b.s.Mzts; ++x)
    for (int j = 1; j <= b.s.Mtjs; ++j)
      EXPECT_EQ(b.s.Kb(kTemporary, x, j, 7, 1), b.s.Kb(kLongTerm, x, j, 7, 1));
  EXPECT_EQ(b.s.Jskb(kTemporary, 2, 2, 2), b.s.Jskb(kLongTerm, 2, 2, 2));
  EXPECT_EQ(fixtures::readBytes(b.file()), before);
  // Teacher 1 was in neither lesson: its temporary layer keeps the change until the next replay.
  EXPECT_EQ(b.s.Jskb(kTemporary, 2, 1, 1), teacherCell(1, 7, 1));
  Dklsgkwj(c);
  EXPECT_EQ(b.s.Kb(kTemporary, 2, 1, 7, 1), classCell(1, 1));
}

TEST(DateRange, EndFollowsStartAndMayNotComeBeforeIt) {
  TempBench b;
  Ctx c = b.ctx();
  initDateRange(b.st);
  EXPECT_EQ(b.st.DTPicker1, QDate(2026, 3, 4));
  EXPECT_EQ(b.st.Rqts, 1);
  DTPicker1_Change(c, QDate(2026, 3, 10));
  EXPECT_EQ(b.st.DTPicker2, QDate(2026, 3, 10));
  DTPicker2_Change(c, QDate(2026, 3, 17));
  EXPECT_EQ(b.st.Rqts, 8);
  EXPECT_TRUE(b.ui.events().empty());
  DTPicker2_Change(c, QDate(2026, 3, 9));
  EXPECT_EQ(b.ui.texts(QStringLiteral("warning")),
            QStringList{QStringLiteral("结束日期不可在开始日期之前！")});
  EXPECT_EQ(b.st.DTPicker2, QDate(2026, 3, 10));
  EXPECT_EQ(b.st.Rqts, 1);
  EXPECT_EQ(Rqts(QDate(2026, 3, 10), QDate(2026, 3, 9)), 0);
}

TEST(RemoveRecords, OtherRecordsStayByteForByteAndTheLayerIsReplayed) {
  TempBench b;
  b.record(7, 1, 1, 1, 1, 2, QStringLiteral("2026-03-04"), QStringLiteral("2026-03-04"));
  const QByteArray first = fixtures::readBytes(b.file());
  b.record(7, 1, 2, 1, 2, 2, QStringLiteral("2026-03-01"), QStringLiteral("2026-03-09"));
  const QByteArray two = fixtures::readBytes(b.file());
  b.record(7, 2, 1, 1, 1, 2, QStringLiteral("2026-03-04"), QStringLiteral("2026-03-05"));
  const QByteArray third = fixtures::readBytes(b.file()).mid(two.size());
  Ctx c = b.ctx();
  Dklsgkwj(c);
  ASSERT_EQ(b.s.Kb(kTemporary, 2, 1, 7, 1), classCell(2, 2));

  EXPECT_EQ(removeChangeRecords(c, {2}), 1);
  EXPECT_EQ(fixtures::readBytes(b.file()), first + third);
  EXPECT_EQ(b.s.Kb(kTemporary, 2, 1, 7, 1), classCell(3, 3));  // gone from memory as well
  EXPECT_EQ(b.s.Kb(kTemporary, 1, 1, 7, 1), classCell(2, 2));
  EXPECT_EQ(b.s.Kb(kTemporary, 1, 1, 7, 2), classCell(1, 1));

  EXPECT_EQ(removeChangeRecords(c, {7}), 0);
  EXPECT_EQ(removeChangeRecords(c, {1, 2}), 2);
  EXPECT_EQ(fixtures::readBytes(b.file()), QByteArray());
}

TEST(RemoveRecords, GbkFileKeepsItsBytesAndTrailingLines) {
  TempBench b;
  b.record(7, 1, 1, 1, 1, 2, QStringLiteral("2026-03-04"), QStringLiteral("2026-03-04"));
  b.record(7, 1, 2, 1, 2, 2, QStringLiteral("2026-03-04"), QStringLiteral("2026-03-04"));
  const QByteArray utf8 = fixtures::readBytes(b.file());
  const QByteArray gbk = fixtures::toGb18030(utf8);
  const QByteArray tail = fixtures::toGb18030(QByteArrayLiteral("\r\n'broken\n"));
  fixtures::writeBytes(b.file(), gbk + tail);
  const QByteArray firstGbk = fixtures::toGb18030(utf8.left(utf8.size() / 2));
  Ctx c = b.ctx();
  EXPECT_EQ(removeChangeRecords(c, {1}), 1);
  EXPECT_EQ(fixtures::readBytes(b.file()), gbk.mid(firstGbk.size()) + tail);
}

}  // namespace
}  // namespace tavro::testing
