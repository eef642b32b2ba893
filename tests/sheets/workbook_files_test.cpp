// Workbook files: writing .xlsx and reading it back, reading files other
// programs wrote, damaged files, in-place patching and legacy .xls.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <random>

#include "sheets/range.h"
#include "sheets/xlsx.h"
#include "sheets/zip_archive.h"

namespace tavro {
namespace {

const QString kData = QStringLiteral(TAVRO_SOURCE_DIR "/tests/fixtures/data/");

// A small school-sheet-like workbook with every kind of value and format.
Workbook sampleBook() {
  Workbook book;
  Sheet& sh = book.addSheet(QStringLiteral("学校数据表"));
  sh.range("A:B").numberFormat("@");
  sh.range("A1:G1").merge().hAlign(HAlign::Centre).fontSize(16).bold();
  sh.setValue(1, 1, "学校数据表");
  sh.setValue(5, 2, "01");
  sh.setValue(6, 7, "5");
  sh.setValue(13, 7, "2009-9-1");
  sh.setText(7, 3, "  前后空格 ");
  sh.setBool(8, 3, true);
  sh.range("C5:E16").fillIndex(36);
  sh.range("A2:G2").fillIndex(2);
  sh.range("A3:G4").border(7, 2).border(8, 2).border(9, 2).border(10, 2).border(11, 1).border(12, 9);
  sh.range("F3:G3").merge();
  sh.setValue(6, 8, "2"), sh.setNumber(6, 10, 30), sh.setText(6, 11, "王明");
  sh.setValue(6, 6, "=sum(H6:AI6)");
  sh.setValue(6, 5, "=40-E7-F6");
  sh.range("F1").columnWidth(29.75);
  sh.range("A5").rowHeight(18.75);
  sh.range("D7").freezePanes();
  sh.range("B9:C10").select();
  sh.pageSetup().printGridlines = true;
  sh.pageSetup().centreHorizontally = sh.pageSetup().centreVertically = true;
  sh.pageSetup().landscape = true;
  sh.pageSetup().fitWidth = 1;
  book.addSheet(QStringLiteral("空")).setText(2, 2, "x");
  return book;
}

QByteArray fileBytes(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString partText(const QString& path, const QString& part) {
  ZipArchive zip;
  EXPECT_TRUE(zip.open(path)) << zip.error().toStdString();
  return QString::fromUtf8(zip.read(part, 1 << 24).value_or(QByteArray()));
}

TEST(XlsxWriteRead, RoundTripKeepsValuesFormatsAndLayout) {
  QTemporaryDir dir;
  const QString path = dir.filePath("学校数据表.xlsx");
  ASSERT_TRUE(saveXlsx(sampleBook(), path).ok());
  const ReadResult read = readXlsx(path);
  ASSERT_TRUE(read.ok()) << read.error.toStdString();
  ASSERT_EQ(read.book->sheetCount(), 2);
  const Sheet& sh = read.book->sheet(0);
  EXPECT_EQ(sh.name(), "学校数据表");
  EXPECT_EQ(read.book->sheet(1).text(2, 2), "x");
  EXPECT_EQ(sh.text("A1"), "学校数据表");
  EXPECT_EQ(sh.text("B5"), "01");
  EXPECT_EQ(sh.find(6, 7)->kind, CellKind::Number);
  EXPECT_EQ(sh.text("G13"), "2009-9-1");
  EXPECT_EQ(sh.date(13, 7), QDate(2009, 9, 1));
  EXPECT_EQ(sh.text("C7"), "  前后空格 ");
  EXPECT_EQ(sh.text("C8"), "TRUE");
  EXPECT_EQ(sh.find(6, 6)->formula, "=SUM(H6:AI6)");
  EXPECT_EQ(sh.text("F6"), "32");  // cached result stored on writing
  EXPECT_EQ(sh.text("E6"), "8");   // 40 - empty E7 - 32

  std::vector<CellRange> merges = sh.merges();
  ASSERT_EQ(merges.size(), 2u);
  EXPECT_EQ(merges[0], *parseRange("A1:G1"));
  EXPECT_EQ(merges[1], *parseRange("F3:G3"));
  EXPECT_EQ(sh.format(5, 3).fill, 0xFFFF99);
  EXPECT_EQ(sh.format(16, 5).fill, 0xFFFF99);
  EXPECT_EQ(sh.format(2, 1).fill, 0xFFFFFF);
  EXPECT_EQ(sh.format(1, 1).fontSize, 16);
  EXPECT_TRUE(sh.format(1, 1).bold);
  EXPECT_EQ(sh.format(1, 1).hAlign, HAlign::Centre);
  EXPECT_EQ(sh.format(1, 1).fontName, "宋体");
  EXPECT_TRUE(sh.format(5, 2).isText());
  EXPECT_EQ(sh.format(3, 1).line(Side::Left), Line::Medium);
  EXPECT_EQ(sh.format(3, 1).line(Side::Bottom), Line::Double);
  EXPECT_EQ(sh.format(3, 1).line(Side::Right), Line::Thin);
  EXPECT_EQ(sh.format(4, 7).line(Side::Right), Line::Medium);
  EXPECT_DOUBLE_EQ(sh.columnWidth(6), 29.71);  // whole pixels of the default font
  EXPECT_DOUBLE_EQ(sh.rowHeight(5), 18.75);
  EXPECT_EQ(sh.frozenAt(), (CellPos{7, 4}));
  EXPECT_EQ(sh.selection(), *parseRange("B9:C10"));
}

TEST(XlsxWriteRead, PageSetupFormulaAndPanesInTheFile) {
  QTemporaryDir dir;
  const QString path = dir.filePath("t.xlsx");
  ASSERT_TRUE(saveXlsx(sampleBook(), path).ok());
  const QString xml = partText(path, "xl/worksheets/sheet1.xml");
  EXPECT_TRUE(xml.contains(R"(<printOptions horizontalCentered="1" verticalCentered="1" gridLines="1"/>)"))
      << xml.toStdString();
  EXPECT_TRUE(xml.contains(R"(orientation="landscape")"));
  EXPECT_TRUE(xml.contains(R"(<pageSetUpPr fitToPage="1"/>)"));
  EXPECT_TRUE(xml.contains(
      R"(<pane xSplit="3" ySplit="6" topLeftCell="D7" activePane="bottomRight" state="frozen"/>)"));
  EXPECT_TRUE(xml.contains(R"(<f>SUM(H6:AI6)</f><v>32</v>)"));
  EXPECT_TRUE(xml.contains(R"(<mergeCell ref="A1:G1"/>)"));
}

TEST(XlsxWriteRead, SavingIsAtomicAndLeavesNoTemporaryFiles) {
  QTemporaryDir dir;
  const QString path = dir.filePath("课表 导出.xlsx");
  QFile old(path);
  ASSERT_TRUE(old.open(QIODevice::WriteOnly));
  old.write("old content");
  old.close();
  ASSERT_TRUE(saveXlsx(sampleBook(), path).ok());
  EXPECT_TRUE(readXlsx(path).ok());
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"课表 导出.xlsx"});

  const IoStatus missing = saveXlsx(sampleBook(), dir.filePath("no/such/folder/a.xlsx"));
  EXPECT_EQ(missing.error, "无法保存“" + QDir::toNativeSeparators(dir.filePath("no/such/folder/a.xlsx")) +
                               "”：文件夹不存在。");

  Workbook empty;  // a workbook without sheets still gives a valid file with one empty sheet
  ASSERT_TRUE(saveXlsx(empty, path).ok());
  const ReadResult back = readXlsx(path);
  ASSERT_TRUE(back.ok());
  EXPECT_EQ(back.book->first().lastRow(), 0);
  EXPECT_TRUE(back.book->first().cells().empty());
}

TEST(XlsxWriteRead, OddNamesAndValuesAreWrittenSafely) {
  Workbook book;
  Sheet& a = book.addSheet(QStringLiteral("a[1]:b/c?*\\") + QString(30, u'表'));
  book.addSheet(QStringLiteral("A[1]:B/C?*\\") + QString(30, u'表'));
  a.setText(1, 1, QString(40000, 'x'));
  a.setText(2, 1,
            QStringLiteral("tab\tbell\x07"
                           "end"));
  a.setNumber(3, 1, 1e308);
  a.setText(kMaxRows, kMaxColumns, "corner");
  a.setValue(4, 1, "=1e308*10");
  QTemporaryDir dir;
  const QString path = dir.filePath("odd.xlsx");
  ASSERT_TRUE(saveXlsx(book, path).ok());
  const ReadResult read = readXlsx(path);
  ASSERT_TRUE(read.ok()) << read.error.toStdString();
  EXPECT_EQ(read.book->sheet(0).name(), "a1bc" + QString(27, u'表'));          // at most 31 characters
  EXPECT_EQ(read.book->sheet(1).name(), "A1BC" + QString(23, u'表') + "(2)");  // names ignore case
  EXPECT_EQ(read.book->sheet(0).text(1, 1).size(), 32767);
  EXPECT_EQ(read.book->sheet(0).text(2, 1), "tab\tbellend");
  EXPECT_EQ(read.book->sheet(0).number(3, 1), 1e308);
  EXPECT_EQ(read.book->sheet(0).text(kMaxRows, kMaxColumns), "corner");
  EXPECT_EQ(read.book->sheet(0).text(4, 1), "#NUM!");
}

TEST(XlsxRead, WorkbooksWrittenByOtherPrograms) {
  const ReadResult read = readXlsx(kData + "foreign.xlsx");
  ASSERT_TRUE(read.ok()) << read.error.toStdString();
  ASSERT_EQ(read.book->sheetCount(), 2);
  const Sheet& sh = read.book->sheet(0);
  EXPECT_EQ(sh.name(), "数据");
  EXPECT_EQ(read.book->sheet(1).name(), "空表");
  EXPECT_TRUE(read.book->sheet(1).cells().empty());
  EXPECT_EQ(sh.text("A1"), "学校数据表 ");  // rich-text runs joined, phonetic run left out
  EXPECT_EQ(sh.text("B1"), "合班课");
  EXPECT_EQ(sh.number(1, 3), 3.5);
  EXPECT_EQ(sh.text("D1"), "TRUE");
  EXPECT_EQ(sh.find(1, 5)->formula, "=SUM(C1,2)");
  EXPECT_EQ(sh.text("E1"), "5.5");
  EXPECT_EQ(sh.text("F1"), "ab");
  EXPECT_EQ(sh.text("G1"), "#DIV/0!");
  EXPECT_EQ(sh.text("A2"), "01");
  EXPECT_TRUE(sh.format(2, 1).isText());
  EXPECT_EQ(sh.format(2, 1).fill, 0xFFFF99);
  EXPECT_EQ(sh.format(2, 1).line(Side::Right), Line::Double);
  EXPECT_EQ(sh.text("B2"), "2009-9-1");
  EXPECT_EQ(sh.format(2, 2).fill, 0xFFFFFF);  // palette index 9 of the file = colour 2, white
  EXPECT_EQ(sh.format(2, 2).fontColour, 0xFF0000);
  EXPECT_EQ(sh.format(2, 2).vAlign, VAlign::Centre);
  EXPECT_TRUE(sh.format(2, 2).wrap);
  EXPECT_EQ(sh.text("C2"), "7");  // no address: the cell after B2
  EXPECT_TRUE(sh.isEmpty(2, 5));
  EXPECT_EQ(sh.text("A3"), "甲\r乙");  // row without a number: row 3
  EXPECT_EQ(sh.text("B9"), "");        // shared string index beyond the list
  EXPECT_EQ(sh.text("C9"), "abc");     // unknown style index, non-numeric number
  EXPECT_EQ(sh.date(9, 4), QDate(2009, 3, 1));
  EXPECT_EQ(sh.merges(), std::vector<CellRange>{*parseRange("A5:C6")});
  EXPECT_EQ(sh.frozenAt(), (CellPos{7, 4}));
  EXPECT_DOUBLE_EQ(sh.columnWidth(2), 3.86);  // the file's widths include the cell padding
  EXPECT_DOUBLE_EQ(sh.columnWidth(6), 29);
}

TEST(XlsxRead, WorkbookSavedAgainByAnotherSpreadsheetProgram) {
  const ReadResult read = readXlsx(kData + "school_resaved.xlsx");
  ASSERT_TRUE(read.ok()) << read.error.toStdString();
  const Sheet& sh = read.book->first();
  EXPECT_EQ(sh.name(), "学校数据表");
  EXPECT_EQ(sh.text("A1"), "学校数据表");
  EXPECT_EQ(sh.text("B5"), "01");
  EXPECT_TRUE(sh.format(5, 2).isText());
  EXPECT_EQ(sh.text("G13"), "2009-9-1");
  EXPECT_EQ(sh.text("F6"), "32");
  EXPECT_EQ(sh.find(6, 6)->formula, "=SUM(H6:AI6)");
  EXPECT_EQ(sh.format(5, 3).fill, 0xFFFF99);
  EXPECT_EQ(sh.format(3, 1).line(Side::Left), Line::Medium);
  EXPECT_EQ(sh.mergeAt(1, 4), *parseRange("A1:G1"));
  EXPECT_DOUBLE_EQ(sh.columnWidth(1), 8.43);
}

TEST(XlsxRead, DamagedAndForeignFilesGiveErrorsAndStayUntouched) {
  QTemporaryDir dir;
  const QString text = dir.filePath("text.xlsx");
  QFile t(text);
  ASSERT_TRUE(t.open(QIODevice::WriteOnly));
  t.write("学校名称,班数\n一中,3\n");
  t.close();
  const QString truncated = dir.filePath("truncated.xlsx");
  ASSERT_TRUE(saveXlsx(sampleBook(), truncated).ok());
  QFile::resize(truncated, QFileInfo(truncated).size() / 2);
  const QString empty = dir.filePath("empty.xlsx");
  QFile e(empty);
  ASSERT_TRUE(e.open(QIODevice::WriteOnly));
  e.close();
  const QStringList files = {text,
                             truncated,
                             empty,
                             kData + "no_workbook.xlsx",
                             kData + "broken_xml.xlsx",
                             kData + "bad_address.xlsx",
                             kData + "oversized_part.xlsx"};
  for (const QString& path : files) {
    const QByteArray before = fileBytes(path);
    const ReadResult read = readWorkbook(path);
    EXPECT_FALSE(read.ok()) << path.toStdString();
    const QString start = "文件“" + QDir::toNativeSeparators(path) + "”不是有效的Excel文件：";
    EXPECT_TRUE(read.error.startsWith(start)) << read.error.toStdString();
    // The cause is in the user's words: no library's English, one full stop at the end.
    QString cause = read.error.mid(start.size()).remove("Excel").remove(".xlsx").remove("XML");
    cause.remove(QRegularExpression("“[^”]*”"));
    EXPECT_FALSE(cause.contains(QRegularExpression("[A-Za-z]{2,}"))) << read.error.toStdString();
    EXPECT_TRUE(cause.endsWith("。") && !cause.endsWith("。。")) << read.error.toStdString();
    EXPECT_EQ(fileBytes(path), before);
  }
  EXPECT_EQ(readWorkbook(text).error, "文件“" + QDir::toNativeSeparators(text) +
                                          "”不是有效的Excel文件：文件内容不是Excel（.xlsx）格式。");
  EXPECT_TRUE(readWorkbook(kData + "oversized_part.xlsx").error.contains("部分太大"));
  EXPECT_EQ(readXlsx(dir.filePath("none.xlsx")).error,
            "文件“" + QDir::toNativeSeparators(dir.filePath("none.xlsx")) + "”不存在。");
  const QString fakeXls = dir.filePath("fake.xls");
  QFile::copy(text, fakeXls);
  EXPECT_FALSE(readXls(fakeXls).ok());
  EXPECT_FALSE(readWorkbook(fakeXls).ok());
}

// Flips random bytes and cuts files at random lengths: every read ends in a workbook or an error.
TEST(XlsxRead, RandomlyDamagedFilesNeverCrashTheReaders) {
  QTemporaryDir dir;
  const QString good = dir.filePath("good.xlsx");
  ASSERT_TRUE(saveXlsx(sampleBook(), good).ok());
  std::mt19937 random(20091);
  for (const QString& source : {good, kData + "foreign.xlsx", kData + "school.xls"}) {
    const QByteArray original = fileBytes(source);
    for (int round = 0; round < 90; ++round) {
      QByteArray damaged = original;
      if (round % 3 == 0) {
        damaged.truncate(int(random() % std::uint32_t(original.size())));
      } else {
        for (int i = 0; i < 1 + round % 8; ++i)
          damaged[int(random() % std::uint32_t(damaged.size()))] = char(random());
      }
      const QString path = dir.filePath(source.endsWith(".xls") ? "damaged.xls" : "damaged.xlsx");
      QFile out(path);
      ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
      out.write(damaged);
      out.close();
      const ReadResult read = readWorkbook(path);
      EXPECT_EQ(read.ok(), read.error.isEmpty());
      if (source.endsWith(".xls")) continue;
      const IoStatus patched = patchXlsx(path, 0, {CellEdit::textAt(1, 1, "x")});
      if (!patched.ok()) {
        EXPECT_EQ(fileBytes(path), damaged);  // a failed patch changes nothing
      }
    }
  }
}

TEST(XlsxPatch, ChangedCellsOnlyEverythingElseKept) {
  QTemporaryDir dir;
  const QString path = dir.filePath("教师数据表.xlsx");
  Workbook book = sampleBook();
  book.first().range("C7:C9").fillIndex(36).fontSize(10);
  book.first().range("A:A").numberFormat("@");
  ASSERT_TRUE(saveXlsx(book, path).ok());
  const QString stylesBefore = partText(path, "xl/styles.xml");
  const IoStatus status = patchXlsx(
      path, 0,
      {CellEdit::textAt(7, 3, "小明"), CellEdit::textAt(6, 3, "2字"), CellEdit::numberAt(6, 7, 7),
       CellEdit::textAt(30, 1, " 新 "), CellEdit::textAt(6, 6, "公式换成文字"), CellEdit::textAt(8, 3, "")});
  ASSERT_TRUE(status.ok()) << status.error.toStdString();
  EXPECT_EQ(partText(path, "xl/styles.xml"), stylesBefore);
  EXPECT_TRUE(partText(path, "xl/workbook.xml").contains(R"(fullCalcOnLoad="1")"));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
  const ReadResult read = readXlsx(path);
  ASSERT_TRUE(read.ok()) << read.error.toStdString();
  const Sheet& sh = read.book->first();
  EXPECT_EQ(sh.text("C7"), "小明");
  EXPECT_EQ(sh.format(7, 3).fill, 0xFFFF99);
  EXPECT_EQ(sh.format(7, 3).fontSize, 10);
  EXPECT_EQ(sh.text("C6"), "2字");
  EXPECT_EQ(sh.number(6, 7), 7);
  EXPECT_EQ(sh.text("A30"), " 新 ");
  EXPECT_TRUE(sh.format(30, 1).isText());  // a new cell takes its column's format
  EXPECT_EQ(sh.find(6, 6)->kind, CellKind::Text);
  EXPECT_TRUE(sh.isEmpty(8, 3));
  EXPECT_EQ(sh.format(8, 3).fill, 0xFFFF99);
  // Everything else as before.
  EXPECT_EQ(sh.text("A1"), "学校数据表");
  EXPECT_EQ(sh.text("B5"), "01");
  EXPECT_EQ(sh.text("G13"), "2009-9-1");
  EXPECT_EQ(sh.merges().size(), 2u);
  EXPECT_EQ(sh.frozenAt(), (CellPos{7, 4}));
  EXPECT_EQ(sh.format(3, 1).line(Side::Left), Line::Medium);
  EXPECT_EQ(read.book->sheet(1).text(2, 2), "x");
}

TEST(XlsxPatch, ReplacingAFormulaDropsTheCalculationChain) {
  QTemporaryDir dir;
  const QString path = dir.filePath("chain.xlsx");
  ASSERT_TRUE(QFile::copy(kData + "with_calc_chain.xlsx", path));
  QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
  const QString strings = partText(path, "xl/sharedStrings.xml");
  ASSERT_TRUE(patchXlsx(path, 0, {CellEdit::numberAt(1, 3, 4)}).ok());  // no formula replaced: chain kept
  EXPECT_TRUE(partText(path, "xl/calcChain.xml").contains("E1"));
  ASSERT_TRUE(patchXlsx(path, 0, {CellEdit::numberAt(1, 5, 9)}).ok());
  ZipArchive zip;
  ASSERT_TRUE(zip.open(path));
  EXPECT_FALSE(zip.has("xl/calcChain.xml"));
  EXPECT_FALSE(partText(path, "xl/_rels/workbook.xml.rels").contains("calcChain"));
  EXPECT_TRUE(partText(path, "xl/_rels/workbook.xml.rels").contains("sharedStrings"));
  EXPECT_FALSE(partText(path, "[Content_Types].xml").contains("calcChain"));
  EXPECT_EQ(partText(path, "xl/sharedStrings.xml"), strings);
  const ReadResult read = readXlsx(path);
  ASSERT_TRUE(read.ok()) << read.error.toStdString();
  EXPECT_EQ(read.book->first().text("E1"), "9");
  EXPECT_EQ(read.book->first().text("C1"), "4");
  EXPECT_EQ(read.book->first().text("F1"), "ab");
  EXPECT_EQ(read.book->first().text("A1"), "学校数据表 ");
}

TEST(XlsxPatch, FailuresLeaveTheFileAsItWas) {
  QTemporaryDir dir;
  const QString path = dir.filePath("a.xlsx");
  ASSERT_TRUE(saveXlsx(sampleBook(), path).ok());
  const QByteArray before = fileBytes(path);
  EXPECT_EQ(patchXlsx(path, 5, {CellEdit::textAt(1, 1, "x")}).error,
            "无法修改“" + QDir::toNativeSeparators(path) + "”：没有第6张工作表。");
  EXPECT_FALSE(patchXlsx(path, 0, {CellEdit::textAt(0, 1, "x")}).ok());
  EXPECT_EQ(fileBytes(path), before);
  const QString broken = dir.filePath("broken.xlsx");
  QFile::copy(kData + "broken_xml.xlsx", broken);
  const QByteArray brokenBefore = fileBytes(broken);
  EXPECT_FALSE(patchXlsx(broken, 0, {CellEdit::textAt(1, 1, "x")}).ok());
  EXPECT_EQ(fileBytes(broken), brokenBefore);
  EXPECT_FALSE(patchXlsx(dir.filePath("none.xlsx"), 0, {}).ok());
}

TEST(SheetFiles, XlsxFirstThenLegacyXls) {
  QTemporaryDir dir;
  const QString base = dir.filePath("学校数据表");
  ReadResult none = readSheetFile(base);
  EXPECT_FALSE(none.ok());
  EXPECT_TRUE(none.path.isEmpty());
  EXPECT_EQ(none.error, "文件“" + QDir::toNativeSeparators(base) + ".xlsx”不存在。");
  EXPECT_FALSE(sheetFileExists(base));

  ASSERT_TRUE(QFile::copy(kData + "school.xls", base + ".xls"));
  ReadResult xls = readSheetFile(base);
  ASSERT_TRUE(xls.ok()) << xls.error.toStdString();
  EXPECT_EQ(xls.path, base + ".xls");
  const Sheet& sh = xls.book->first();
  EXPECT_EQ(sh.text("A1"), "学校数据表");
  EXPECT_EQ(sh.text("B5"), "01");
  EXPECT_EQ(sh.number(6, 7), 5);
  EXPECT_EQ(sh.date(13, 7), QDate(2009, 9, 1));
  EXPECT_EQ(sh.text("G13"), "2009-9-1");

  // An .xls cannot be patched in place: the values and the edits go to a new .xlsx read from then on.
  ASSERT_TRUE(patchSheetFile(base, 0, {CellEdit::textAt(5, 7, "第一中学")}).ok());
  ReadResult xlsx = readSheetFile(base);
  ASSERT_TRUE(xlsx.ok());
  EXPECT_EQ(xlsx.path, base + ".xlsx");
  EXPECT_EQ(xlsx.book->first().text("G5"), "第一中学");
  EXPECT_EQ(xlsx.book->first().text("B5"), "01");
  EXPECT_TRUE(QFile::exists(base + ".xls"));
}

}  // namespace
}  // namespace tavro
