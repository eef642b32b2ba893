// The print-format file: its lines, the byte-for-byte round trip, damaged
// files, and the validation of stored values when a profile is applied.

#include "export/settings_file.h"

#include <gtest/gtest.h>

#include <QFile>
#include <random>

#include "core/textfile.h"
#include "export/handlers.h"
#include "tests/export/export_fixture.h"

namespace tavro::testing {
namespace {

const QString kHeader = QStringLiteral("'Tavro课程安排系统2.0版打印设置文件（用户不能修改和删除！）");

QByteArray fileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A fresh frame that reads the file at path.
struct Reader {
  explicit Reader(const QString& path) {
    ExportCtx c = fx.ctx();
    startExportForm(c, path);
  }
  ExportFixture fx;
};

void writeLines(const QString& path, const QStringList& lines) {
  writeTextLines(path, lines);
}

TEST(PrintFormatFile, LinesOfTheStartValues) {
  ExportFixture fx;
  const QStringList lines = printFormatLines(fx.form, fx.school);
  ASSERT_EQ(lines.size(), 1172);
  EXPECT_EQ(lines.first(), kHeader);
  EXPECT_EQ(lines.last(), QStringLiteral("#"));
  EXPECT_EQ(lines.at(1), QStringLiteral(" 0 , 1 ,"));
  EXPECT_EQ(lines.at(7), QStringLiteral(" 0 , 7 ,1"));
  EXPECT_EQ(lines.at(36), QStringLiteral(" 0 , 36 ,20"));  // body size + 2
  EXPECT_EQ(lines.at(40), QStringLiteral(" 0 , 40 ,18"));  // 22 - 2 x the longest course name
  EXPECT_EQ(lines.at(8 * 45 + 1), QStringLiteral(" 8 , 1 ,1"));
  EXPECT_EQ(lines.at(25 * 45 + 40), QStringLiteral(" 25 , 40 ,12"));
  EXPECT_EQ(lines.at(3 * 45 + 14), QStringLiteral(" 3 , 14 ,1"));
  EXPECT_EQ(lines.at(2 * 45 + 14), QStringLiteral(" 2 , 14 ,"));
  EXPECT_EQ(lines.at(16 * 45 + 30), QStringLiteral(" 16 , 30 ,0"));
}

TEST(PrintFormatFile, AnExportWritesItAndItRoundTripsByteForByte) {
  ExportFixture fx;
  EXPECT_FALSE(QFile::exists(fx.settingsPath));
  ExportCtx c = fx.ctx();
  CmbMpzs_Click(c, 1);
  OptKcm_Click(c, 0);
  CmdZt_Click(c, 0, FontChoice{QStringLiteral("黑体"), 20, true, false});
  fx.exportNow();
  const QByteArray first = fileBytes(fx.settingsPath);
  ASSERT_EQ(first.count("\r\n"), 1172);
  EXPECT_TRUE(first.contains(" 0 , 23 ,2\r\n 0 , 24 ,2\r\n"));
  EXPECT_TRUE(first.contains(" 0 , 35 ,黑体\r\n 0 , 36 ,20\r\n 0 , 37 ,True\r\n 0 , 38 ,False\r\n"));

  Reader again(fx.settingsPath);
  EXPECT_EQ(again.fx.form.CmbMpzs, 1);
  EXPECT_EQ(again.fx.form.OptKcm, 0);
  EXPECT_EQ(again.fx.form.Btzt, QStringLiteral("黑体"));
  EXPECT_EQ(again.fx.form.Btzh, 20);
  EXPECT_EQ(again.fx.form.CmdZtCaption[0], QStringLiteral(" 标题字体字号 （现为黑体20号）"));
  const QString copy = again.fx.dir.filePath(QStringLiteral("copy.txt"));
  Bcdysz(again.fx.form, again.fx.school, copy);
  EXPECT_EQ(fileBytes(copy), first);
}

TEST(PrintFormatFile, DamagedFilesKeepWhatWasReadBefore) {
  ExportFixture fx;
  const QString path = fx.dir.filePath(QStringLiteral("p.txt"));
  QStringList lines = printFormatLines(fx.form, fx.school);

  // A first line "#" holds no settings.
  QStringList hashFirst = lines;
  hashFirst[0] = QStringLiteral("#");
  hashFirst[23] = QStringLiteral(" 0 , 23 ,5");
  writeLines(path, hashFirst);
  EXPECT_EQ(Reader(path).fx.form.Dysz(0, 23), QString());

  // Option 22 of "2" is read back as "1"; a profile above 26 ends the reading.
  QStringList stored = lines;
  stored[22] = QStringLiteral(" 0 , 22 ,2");
  stored[23] = QStringLiteral(" 0 , 23 ,4");
  stored[24] = QStringLiteral(" 27 , 24 ,9");
  stored[25] = QStringLiteral(" 0 , 25 ,x");
  writeLines(path, stored);
  Reader r(path);
  EXPECT_EQ(r.fx.form.Dysz(0, 22), QStringLiteral("1"));
  EXPECT_EQ(r.fx.form.Dysz(0, 23), QStringLiteral("4"));
  EXPECT_EQ(r.fx.form.CmbMpzs, 3);
  EXPECT_EQ(r.fx.form.Dysz(0, 24), QStringLiteral("2"));
  EXPECT_EQ(r.fx.form.Dysz(0, 25), QString());

  // An absent file leaves the start values.
  EXPECT_EQ(Reader(fx.dir.filePath(QStringLiteral("none.txt"))).fx.form.Dysz(0, 36), QStringLiteral("20"));
}

TEST(PrintFormatFile, OutOfRangeValuesAreReplacedWhenTheProfileIsApplied) {
  ExportFixture fx;
  const QString path = fx.dir.filePath(QStringLiteral("p.txt"));
  QStringList lines = printFormatLines(fx.form, fx.school);
  lines[1] = QStringLiteral(" 0 , 1 ,7");
  lines[23] = QStringLiteral(" 0 , 23 ,10");
  lines[36] = QStringLiteral(" 0 , 36 ,50");
  lines[37] = QStringLiteral(" 0 , 37 ,yes");
  lines[40] = QStringLiteral(" 0 , 40 ,-1");
  lines[18] = QStringLiteral(" 0 , 18 ,5");
  writeLines(path, lines);
  Reader r(path);
  const ExportForm& f = r.fx.form;
  EXPECT_EQ(f.Dysz(0, 1), QString());
  EXPECT_EQ(f.Dysz(0, 36), QStringLiteral("14"));
  EXPECT_EQ(f.Dysz(0, 37), QStringLiteral("False"));
  EXPECT_EQ(f.Dysz(0, 40), QStringLiteral("10"));
  EXPECT_EQ(f.Dysz(0, 18), QStringLiteral("2"));
  EXPECT_EQ(f.Btzh, 14);
  EXPECT_EQ(f.Zwzh, 10);
  EXPECT_FALSE(f.CMDialog1[0].bold);
  EXPECT_EQ(f.CmbMpzs, 9);
  EXPECT_EQ(perBand(f), 10);
  EXPECT_EQ(mpzsText(f.CmbMpzs), QStringLiteral("10"));
}

// Any values (font names with commas, blanks inside, Chinese, "#", "'") written by Bcdysz read back
// unchanged; a line break inside a value is written as a blank and damages nothing after it.
TEST(PrintFormatFile, WhatBcdyszWritesReadsBackUnchanged) {
  const QString pool[] = {QString(),
                          QStringLiteral("1"),
                          QStringLiteral("42"),
                          QStringLiteral("Arial, Bold"),
                          QStringLiteral("方正 小标宋"),
                          QStringLiteral("#"),
                          QStringLiteral("'引号"),
                          QStringLiteral("a,,b , c"),
                          QStringLiteral("True"),
                          QStringLiteral("宋体（正文）")};
  std::mt19937 random(11);
  for (int round = 0; round < 5; ++round) {
    ExportFixture fx;
    for (int a = 0; a <= 25; ++a)
      for (int j = 1; j <= 45; ++j) fx.form.Dysz(a, j) = pool[random() % std::size(pool)];
    fx.form.Dysz(3, 22) = QStringLiteral("0");  // a stored "2" of option 22 is read as "1" on purpose
    const QString path = fx.dir.filePath(QStringLiteral("p.txt"));
    Bcdysz(fx.form, fx.school, path);
    ExportFixture reader;
    readPrintFormatLines(reader.form, *readTextLines(path));
    int differences = 0;
    for (int a = 0; a <= 25; ++a)
      for (int j = 1; j <= 45; ++j) {
        const QString expected =
            j == 22 && fx.form.Dysz(a, j) == u"2" ? QStringLiteral("1") : fx.form.Dysz(a, j);
        differences += reader.form.Dysz(a, j) != expected;
      }
    EXPECT_EQ(differences, 0) << "round " << round;
  }
  ExportFixture fx;
  fx.form.Dysz(0, 35) = QStringLiteral("两行\r\n字体");
  fx.form.Dysz(0, 36) = QStringLiteral("18");
  const QString path = fx.dir.filePath(QStringLiteral("p.txt"));
  Bcdysz(fx.form, fx.school, path);
  ExportFixture reader;
  readPrintFormatLines(reader.form, *readTextLines(path));
  EXPECT_EQ(reader.form.Dysz(0, 35), QStringLiteral("两行  字体"));
  EXPECT_EQ(reader.form.Dysz(0, 36), QStringLiteral("18"));
  EXPECT_EQ(reader.form.Dysz(25, 45), fx.form.Dysz(25, 45));
}

TEST(PrintFormatFile, AnEmptyPerBandCountCountsAsOne) {
  ExportFixture fx;
  EXPECT_EQ(fx.form.Dysz(0, 23), QString());
  EXPECT_EQ(fx.form.CmbMpzs, -1);
  EXPECT_EQ(perBand(fx.form), 1);
  const Workbook book = fx.exportNow();
  ASSERT_EQ(book.sheetCount(), 1);
  EXPECT_EQ(book.first().text(1, 1), fx.form.Dcbt);
  EXPECT_EQ(book.first().text(1, 10), QString());  // one timetable per band
}

}  // namespace
}  // namespace tavro::testing
