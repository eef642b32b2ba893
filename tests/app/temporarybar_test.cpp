// The temporary changes in the desktop window: the date pickers, a temporary
// swap by two clicks with the single-day question and the notices, printing
// the notices to a PDF file, and removing the record with "删临". With
// TAVRO_SCREENS_DIR set it also writes the manual's picture of the notices.

#include "app/temporarybar.h"

#include <gtest/gtest.h>

#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTest>
#include <QTextEdit>

#include "adjust/swaptest.h"
#include "adjust/viewmodel/resolve.h"
#include "core/textfile.h"
#include "temporary/changefile.h"
#include "tests/app/app_support.h"
#include "tests/fixtures/text_files.h"

namespace tavro::testing {
namespace {

QByteArray fileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The text pdftotext reads from a PDF file; nullopt when pdftotext is not installed.
std::optional<QString> pdfText(const QString& pdf) {
  const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
  if (tool.isEmpty()) return std::nullopt;
  QProcess process;
  process.start(tool, {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
  process.waitForFinished(30000);
  return QString::fromUtf8(process.readAllStandardOutput());
}

// Chooses in class (nj, bj) the first lesson the grid offers a partner for; false when none.
bool chooseLessonWithPartner(AppDesk& d, int nj, int bj, int& xq1, int& jc1, int& xq2, int& jc2) {
  for (int x = 1; x <= d.s().Mzts; ++x) {
    for (int j = 1; j <= d.s().Mtjs; ++j) {
      if (!d.s().Kb(kLongTerm, x, j, nj, bj).endsWith(u'0')) continue;
      d.clickCell(x, j);
      if (d.st().Xq1 != x || d.st().Jc1 != j) continue;
      Ctx c = d.window->ctx();
      if (bestPartner(c, nj, bj, xq2, jc2)) {
        xq1 = x;
        jc1 = j;
        return true;
      }
      d.clickCell(x, j);  // cancels the request
    }
  }
  return false;
}

TEST(TemporaryBar, SwapNoticesPrintToPdfAndRemoveTheRecord) {
  AppDesk d;
  d.importAndSchedule();
  d.st().fixedToday = QDate(2026, 3, 2);
  d.clickListRow("LstBj", 0);
  QTest::mouseClick(d.find<QRadioButton>("OptCqls1"), Qt::LeftButton);
  d.clickButton("CmdDk");
  auto* start = d.find<QDateEdit>("DTPicker1");
  auto* end = d.find<QDateEdit>("DTPicker2");
  ASSERT_TRUE(start && end && start->calendarPopup());
  end->setDate(QDate(2026, 3, 20));
  start->setDate(QDate(2026, 3, 2));  // the end date follows the start
  EXPECT_EQ(end->date(), QDate(2026, 3, 2));
  EXPECT_EQ(d.st().DTPicker2, QDate(2026, 3, 2));

  const int nj = d.st().LstBj.item(0).left(2).toInt(), bj = d.st().LstBj.item(0).mid(2, 2).toInt();
  int xq1 = 0, jc1 = 0, xq2 = 0, jc2 = 0;
  ASSERT_TRUE(chooseLessonWithPartner(d, nj, bj, xq1, jc1, xq2, jc2));
  const QByteArray timetable = fileBytes(d.timetableFile());
  const QString lesson1 = d.s().Kb(kLongTerm, xq1, jc1, nj, bj),
                lesson2 = d.s().Kb(kLongTerm, xq2, jc2, nj, bj);
  d.ui.clearEvents();
  if (bpyyGrade(d.st().Bpyy(xq2, jc2)) == kGradeOrange) d.ui.addAnswer("y");
  for (const char* answer : {"y", "y", "1"}) d.ui.addAnswer(answer);
  d.clickCell(xq2, jc2);
  EXPECT_TRUE(d.ui.texts("question").contains(QStringLiteral("临时调课的开始日期和结束日期已经确定了吗？")));
  EXPECT_EQ(d.s().Kb(kTemporary, xq1, jc1, nj, bj).left(6), lesson2.left(6));
  EXPECT_EQ(d.s().Kb(kTemporary, xq2, jc2, nj, bj).left(6), lesson1.left(6));
  EXPECT_EQ(d.s().Kb(kLongTerm, xq1, jc1, nj, bj), lesson1);
  EXPECT_EQ(fileBytes(d.timetableFile()), timetable);
  const ChangeFile file = readChangeFile(d.dataFolder() + QStringLiteral("/调课.txt"));
  ASSERT_EQ(file.records.size(), 1);
  EXPECT_EQ(file.records[0].start, QStringLiteral("2026-03-02"));

  auto* box = d.find<QTextEdit>("RichTextBoxZb");
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(box->isVisible());
  EXPECT_TRUE(box->toPlainText().contains(QStringLiteral("教师临时调课通知")));
  EXPECT_EQ(box->toPlainText().count(QStringLiteral("班级临时调课通知")), 1);
  auto* print = d.find<QPushButton>("CmdDc");
  EXPECT_EQ(print->text(), QStringLiteral("9、打印"));
  EXPECT_TRUE(print->isEnabled());
  if (!qEnvironmentVariableIsEmpty("TAVRO_SCREENS_DIR")) {  // the manual's picture of the notices
    d.window->refresh();
    QCoreApplication::processEvents();
    const QString path =
        QDir(qEnvironmentVariable("TAVRO_SCREENS_DIR")).filePath(QStringLiteral("temporary-notices.png"));
    EXPECT_TRUE(d.window->grab().save(path)) << path.toStdString();
  }

  auto* bar = d.window->temporaryBar();
  ASSERT_NE(bar, nullptr);
  const QString pdf = d.dir.filePath(QStringLiteral("notices.pdf"));
  bar->choosePrinter = [&](QPrinter& printer) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    return true;
  };
  d.clickButton("CmdDc");  // "9、打印"
  ASSERT_TRUE(QFile::exists(pdf));
  EXPECT_FALSE(box->isVisible());
  EXPECT_EQ(print->text(), QStringLiteral("9、导出"));
  const auto text = pdfText(pdf);
  if (text) {
    QString flat = *text;
    flat.remove(QRegularExpression(QStringLiteral("\\s")));
    flat.remove(QChar(0x3000));
    EXPECT_TRUE(flat.contains(QStringLiteral("教师临时调课通知"))) << text->toStdString();
    EXPECT_TRUE(flat.contains(QStringLiteral("班级临时调课通知")));
    EXPECT_TRUE(flat.contains(QStringLiteral("特此通知。谢谢！")));
    EXPECT_TRUE(flat.contains(QStringLiteral("教务处")));
  }

  bar->chooseRecords = [](const QStringList& summaries) {
    EXPECT_EQ(summaries.size(), 1);
    EXPECT_TRUE(summaries.value(0).startsWith(QStringLiteral("（今日有效）第1个：")))
        << summaries.value(0).toStdString();
    return std::optional<QList<int>>(QList<int>{0});
  };
  d.clickButton("CmdSclsgk");
  EXPECT_TRUE(readChangeFile(d.dataFolder() + QStringLiteral("/调课.txt")).records.isEmpty());
  EXPECT_EQ(d.s().Kb(kTemporary, xq1, jc1, nj, bj), lesson1);
  EXPECT_EQ(d.s().Kb(kTemporary, xq2, jc2, nj, bj), lesson2);

  // A broken record (a header followed by another header) is listed so that it can be removed.
  const QString changes = d.dataFolder() + QStringLiteral("/调课.txt");
  fixtures::writeBytes(changes, encodeLines({kChangeHeader, kChangeHeader}));
  bar->chooseRecords = [](const QStringList& summaries) {
    EXPECT_EQ(summaries, QStringList{stoppingRecordSummary(1)});
    return std::optional<QList<int>>(QList<int>{0});
  };
  d.clickButton("CmdSclsgk");
  EXPECT_EQ(readChangeFile(changes).stoppingRecord(), 0);
}

}  // namespace
}  // namespace tavro::testing
