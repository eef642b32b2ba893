// tavro-cli export when the machine fails: a read-only or full export folder,
// a title longer than a file name allows, and temporary files that a killed
// export left behind. Each failure is one Chinese message with its cause,
// nothing claims success, and no half-written file stays.

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include "sheets/xlsx.h"
#include "tests/cli/cli_run.h"
#include "tests/fixtures/small_disk.h"

namespace tavro::cli {
namespace {

class ExportFailures : public SmallDemoSchool {
 protected:
  CliRun exportTable(const QStringList& more = {}) {
    return runCli(QStringList{"export", data, "--table", "班级周表", "--settings", dir.filePath("config")} +
                  more);
  }
  QString exportFolder() const { return QDir(data).absolutePath() + QStringLiteral("/导出"); }
  QStringList filesIn(const QString& folder) const {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
  }
};

// A read-only or full disk under the export folder: the cause, exit code 3, no file.
TEST_F(ExportFailures, AReadOnlyOrFullDiskGivesTheCause) {
  for (const bool full : {false, true}) {
    testing::MountedDisk disk(exportFolder(), 1 << 20);
    if (!disk.available()) GTEST_SKIP() << "no right to mount a small disk here";
    if (full) {
      disk.fill();
    } else {
      ASSERT_TRUE(disk.makeReadOnly());
    }
    const QStringList before = filesIn(exportFolder());
    const CliRun r = exportTable();
    EXPECT_EQ(r.code, kExitStopped);
    const QStringList warnings = r.messages().split(u'\n').filter(QRegularExpression("^错误: "));
    ASSERT_EQ(warnings.size(), 1) << r.out.toStdString();
    const QString start = "错误: 导出表格失败：无法保存“" + QDir::toNativeSeparators(exportFolder()) + u'/';
    EXPECT_TRUE(warnings.first().startsWith(start)) << warnings.first().toStdString();
    EXPECT_TRUE(warnings.first().endsWith(QStringLiteral(".xlsx”：") +
                                          (full ? "磁盘空间不足" : "磁盘是只读的") + "。"))
        << warnings.first().toStdString();
    EXPECT_FALSE(r.out.contains(QStringLiteral("exported"))) << r.out.toStdString();
    EXPECT_EQ(r.messages().count(QStringLiteral("错误: ")), 1) << r.messages().toStdString();
    EXPECT_EQ(filesIn(exportFolder()), before);
  }
}

// A title longer than a file name allows (the subject table of many six-character courses): the
// file name keeps the title's start and a mark of the whole title; the sheet keeps the whole title.
TEST_F(ExportFailures, ALongTitleGetsAShortenedFileName) {
  const QString courses = data + QStringLiteral("/课程数据表.xlsx");
  ReadResult read = readWorkbook(courses);
  ASSERT_TRUE(read.ok());
  QStringList numbers;
  for (int k = 1; k <= 12; ++k) {
    read.book->first().setText(k + 6, 2, "课程名称" + QString(QChar(0x7532 + k)) + "课");
    numbers << QString::number(k);
  }
  ASSERT_TRUE(saveXlsx(*read.book, courses).ok());
  const CliRun r = runCli({"export", data, "--table", "学科总表", "--courses", numbers.join(u','),
                           "--settings", dir.filePath("config")});
  ASSERT_EQ(r.code, kExitDone) << r.out.toStdString();
  const QStringList files = filesIn(exportFolder());
  ASSERT_EQ(files.size(), 1);
  const QString title = r.out.section(QStringLiteral("exported "), 1).section(QStringLiteral(" to "), 0, 0);
  ASSERT_GT(title.size(), 80);
  EXPECT_TRUE(QRegularExpression("^.+…[0-9a-f]{6}\\.xlsx$").match(files.first()).hasMatch())
      << files.first().toStdString();
  EXPECT_TRUE(title.startsWith(files.first().section(u'…', 0, 0)));
  EXPECT_LE(files.first().toUtf8().size(), 160);
  EXPECT_EQ(readXlsx(exportFolder() + u'/' + files.first()).book->first().text(1, 1), title);
}

// Temporary files that a killed export left in the export folder are removed by the next export once
// no write has touched them for a minute; other files stay.
TEST_F(ExportFailures, StaleTemporaryFilesOfKilledExportsAreRemoved) {
  ASSERT_TRUE(QDir().mkpath(exportFolder()));
  const auto make = [&](const QString& name, qint64 secondsAgo) {
    QFile f(exportFolder() + u'/' + name);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("PK");
    f.flush();
    ASSERT_TRUE(
        f.setFileTime(QDateTime::currentDateTime().addSecs(-secondsAgo), QFileDevice::FileModificationTime));
  };
  make(".~课表.xlsx.999999.1.tmp", 3600);
  make(".~课表.xlsx.999998.2.tmp", 0);
  make(".~用户的文件.tmp", 3600);
  const CliRun r = exportTable();
  ASSERT_EQ(r.code, kExitDone) << r.out.toStdString();
  QStringList left = filesIn(exportFolder());
  left.sort();
  const QString written = QFileInfo(r.out.section(QStringLiteral(" to "), 1).trimmed()).fileName();
  QStringList expected{".~用户的文件.tmp", ".~课表.xlsx.999998.2.tmp", written};
  expected.sort();
  EXPECT_EQ(left, expected);
}

}  // namespace
}  // namespace tavro::cli
