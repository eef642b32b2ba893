// The in-memory sheet model: addresses, typed values, formulas, formats,
// borders, merges, copy-and-paste and auto-fit.
#include <gtest/gtest.h>

#include "core/table.h"
#include "sheets/formula.h"
#include "sheets/range.h"
#include "sheets/sheet.h"

namespace tavro {
namespace {

TEST(Addresses, ColumnLettersAndCellNames) {
  EXPECT_EQ(Lzm(1), "A");
  EXPECT_EQ(Lzm(26), "Z");
  EXPECT_EQ(Lzm(27), "AA");
  EXPECT_EQ(Lzm(52), "AZ");
  EXPECT_EQ(Lzm(53), "BA");
  EXPECT_EQ(Lzm(702), "ZZ");
  EXPECT_EQ(Lzm(703), "AAA");
  EXPECT_EQ(Lzm(16384), "XFD");
  EXPECT_EQ(Lzm(0), "");
  for (int col = 1; col <= 16384; ++col) ASSERT_EQ(columnNumber(Lzm(col)), col) << col;
  EXPECT_EQ(columnNumber("xfe"), 0);
  EXPECT_EQ(cellName(7, 2), "B7");
}

TEST(Addresses, ParsingCellsAndRanges) {
  EXPECT_EQ(parseCell("B7"), (CellPos{7, 2}));
  EXPECT_EQ(parseCell("$b$7"), (CellPos{7, 2}));
  for (const char* bad : {"", "7B", "A0", "XFE1", "A1048577", "B-1", "中1"})
    EXPECT_FALSE(parseCell(bad)) << bad;
  EXPECT_EQ(parseRange("G3:A1"), (CellRange{1, 1, 3, 7}));
  EXPECT_EQ(parseRange("D7"), (CellRange{7, 4, 7, 4}));
  const CellRange columns = *parseRange("A:B");
  EXPECT_TRUE(columns.wholeColumns());
  EXPECT_EQ(rangeName(columns), "A:B");
  EXPECT_EQ(rangeName(*parseRange("3:4")), "3:4");
  EXPECT_EQ(rangeName(*parseRange("a1:g1")), "A1:G1");
  EXPECT_FALSE(parseRange("A1:B2:C3"));
  EXPECT_FALSE(parseRange("A1:"));
}

TEST(SheetValues, TypedValuesBecomeNumbersDatesTextsOrFormulas) {
  Sheet sh;
  sh.setValue(1, 1, "01");
  sh.setValue(1, 2, "2.5");
  sh.setValue(1, 3, "2009-9-1");
  sh.setValue(1, 4, "初一");
  sh.setValue(1, 5, "=sum(A1:B1)");
  EXPECT_EQ(sh.find(1, 1)->kind, CellKind::Number);
  EXPECT_EQ(sh.text(1, 1), "1");
  EXPECT_EQ(sh.text("B1"), "2.5");
  EXPECT_EQ(sh.text(1, 3), "2009-9-1");
  EXPECT_EQ(sh.date(1, 3), QDate(2009, 9, 1));
  EXPECT_EQ(sh.text(1, 4), "初一");
  EXPECT_EQ(sh.find(1, 5)->kind, CellKind::Formula);
  sh.recalculate();
  EXPECT_EQ(sh.text(1, 5), "3.5");

  // A text-formatted column keeps what is typed, as the templates need for codes like "01".
  sh.range("B:B").numberFormat("@");
  sh.setValue(2, 2, "01");
  EXPECT_EQ(sh.find(2, 2)->kind, CellKind::Text);
  EXPECT_EQ(sh.text(2, 2), "01");
  EXPECT_EQ(sh.number(2, 2), 1);

  sh.setValue(1, 1, "");
  EXPECT_TRUE(sh.isEmpty(1, 1));
  EXPECT_EQ(sh.text(9, 9), "");
  EXPECT_EQ(sh.date(1, 4), std::nullopt);
  EXPECT_EQ(sh.lastRow(), 2);
  EXPECT_EQ(sh.lastColumn(), 5);
  EXPECT_THROW(sh.text(0, 1), IndexError);
  EXPECT_THROW(sh.setValue(1, kMaxColumns + 1, "x"), IndexError);
  EXPECT_THROW(sh.text("A0"), IndexError);
}

TEST(SheetValues, DateSerialsMatchTheSpreadsheetCalendar) {
  EXPECT_EQ(dateSerial(QDate(1900, 1, 1)), 1);
  EXPECT_EQ(dateSerial(QDate(1900, 3, 1)), 61);
  EXPECT_EQ(dateSerial(QDate(2009, 9, 1)), 40057);
  EXPECT_EQ(serialDate(40057), QDate(2009, 9, 1));
  EXPECT_EQ(serialDate(0), std::nullopt);
  Sheet sh;
  sh.setText(1, 1, "2009/3/1");
  EXPECT_EQ(sh.date(1, 1), QDate(2009, 3, 1));
  sh.setText(1, 1, "2009-2-30");
  EXPECT_EQ(sh.date(1, 1), std::nullopt);
}

TEST(Formulas, ClassSheetSumsCountOnlyNumbers) {
  Sheet sh;
  sh.range("I:I").numberFormat("@");
  sh.setValue(6, 5, "4");     // E6: combined lessons
  sh.setValue(6, 8, "2");     // H6: free periods
  sh.setNumber(6, 10, 30);    // J6
  sh.setText(6, 11, "王明");  // a teacher name inside the summed range
  sh.setValue(6, 9, "5");     // typed into a text cell: stays text, not summed
  sh.setValue(6, 6, "=sum(H6:AI6)");
  sh.setValue(6, 7, "=40-E6-F6");
  FormulaEvaluator eval(sh);
  EXPECT_EQ(eval.cellValue(6, 6).number, 32);
  EXPECT_EQ(eval.cellValue(6, 7).number, 4);
  EXPECT_EQ(eval.evaluate("=(1+2)*3^2/2-E6&\"x\"").text, "9.5x");
  EXPECT_EQ(eval.evaluate("=K6*2").error, "#VALUE!");
  EXPECT_EQ(eval.evaluate("=1/0").error, "#DIV/0!");
  EXPECT_EQ(eval.evaluate("=nosuch(1)").error, "#NAME?");
  EXPECT_EQ(eval.evaluate("=max(E6,J6,-1)+min(H6:J6)+count(E6:K6)").number,
            30 + 2 + 5);  // count: E, F, G, H, J
  EXPECT_EQ(eval.evaluate("=" + QString(100000, '(') + "1" + QString(100000, ')')).error.isEmpty(), false);
  EXPECT_EQ(eval.evaluate("=" + QString(100000, '-') + "1").error, "#VALUE!");
  EXPECT_EQ(eval.evaluate("=((1))+-(-2)").number, 3);
  for (int r = 20; r < 400; ++r) sh.setValue(r, 1, "=((((((((((A" + QString::number(r + 1) + "))))))))))+1");
  EXPECT_FALSE(FormulaEvaluator(sh).cellValue(20, 1).error.isEmpty());  // too deep: an error, no crash
  EXPECT_EQ(FormulaEvaluator(sh).cellValue(398, 1).number, 2);
  sh.setValue(1, 1, "=B1+1");
  sh.setValue(1, 2, "=A1");
  sh.recalculate();
  EXPECT_EQ(sh.text(1, 1), "#REF!");
  EXPECT_EQ(sh.text(6, 7), "4");
}

TEST(Formats, RangesColoursAlignmentAndWholeColumns) {
  Sheet sh;
  sh.range("C5:E16").fillIndex(36);
  sh.range("A2:G2").fillIndex(2);
  sh.range("3:4").wrap().hAlign(3);
  sh.range("A4:G4").fontSize(9).bold();
  EXPECT_EQ(sh.format(5, 3).fill, 0xFFFF99);
  EXPECT_EQ(sh.format(16, 5).fill, 0xFFFF99);
  EXPECT_EQ(sh.format(17, 5).fill, kNoColour);
  EXPECT_EQ(sh.format(2, 7).fill, 0xFFFFFF);
  EXPECT_EQ(sh.format(3, 200).hAlign, HAlign::Centre);  // whole rows reach every column
  EXPECT_TRUE(sh.format(4, 1).wrap);
  EXPECT_EQ(sh.format(4, 1).fontSize, 9);
  EXPECT_TRUE(sh.format(4, 7).bold);
  EXPECT_FALSE(sh.format(5, 1).wrap);
  sh.range("A5").hAlign(99);  // an unknown code changes nothing
  EXPECT_EQ(sh.format(5, 1).hAlign, HAlign::General);
  EXPECT_THROW(sh.range("A1:Z"), IndexError);
  EXPECT_EQ(colourIndexRgb(57), kNoColour);
}

TEST(Formats, BorderEdgesOfARange) {
  Sheet sh;
  sh.range("B2:D4").border(7, 2).border(10, 3).border(8, 1).border(9, 9).border(11, 1).border(12, -4115);
  EXPECT_EQ(sh.format(2, 2).line(Side::Left), Line::Medium);
  EXPECT_EQ(sh.format(3, 3).line(Side::Left), Line::None);
  EXPECT_EQ(sh.format(4, 4).line(Side::Right), Line::Thick);
  EXPECT_EQ(sh.format(2, 3).line(Side::Top), Line::Thin);
  EXPECT_EQ(sh.format(4, 2).line(Side::Bottom), Line::Double);
  EXPECT_EQ(sh.format(3, 3).line(Side::Right), Line::Thin);
  EXPECT_EQ(sh.format(3, 3).line(Side::Bottom), Line::Dashed);
  EXPECT_EQ(sh.format(2, 4).line(Side::Top), Line::Thin);
  EXPECT_EQ(sh.format(2, 4).line(Side::Bottom), Line::Dashed);
  EXPECT_EQ(sh.format(3, 4).line(Side::Top), Line::None);
  EXPECT_EQ(sh.format(4, 3).line(Side::Bottom), Line::Double);
  EXPECT_EQ(sh.format(1, 2).line(Side::Bottom), Line::None);
  EXPECT_EQ(lineFromCode(0), Line::None);
  EXPECT_EQ(lineFromCode(77), Line::Thin);
}

TEST(Merges, OverlappingMergesAreReplaced) {
  Sheet sh;
  sh.range("A1:G1").merge();
  sh.range("A5:A10").merge();
  sh.range("F3:G3").merge();
  sh.range("B1:C2").merge();  // overlaps A1:G1
  EXPECT_EQ(sh.merges().size(), 3u);
  EXPECT_EQ(sh.mergeAt(2, 3), (CellRange{1, 2, 2, 3}));
  EXPECT_EQ(sh.mergeAt(1, 7), std::nullopt);
  sh.range("C3").merge();  // one cell: nothing to merge
  EXPECT_EQ(sh.merges().size(), 3u);
  sh.range("A1:Z100").merge(false);
  EXPECT_TRUE(sh.merges().empty());
}

TEST(CopyPaste, FormatsTileOverWholeBlocksAndCarryMerges) {
  Sheet sh;
  sh.range("A7:C16").grid().fillIndex(36);
  sh.range("B7:C8").merge();
  sh.setValue(7, 1, "001");
  sh.range("A7:C16").copyTo(sh.range("A17:C36"), Paste::Formats);
  EXPECT_EQ(sh.format(26, 3).line(Side::Right), Line::Thin);
  EXPECT_EQ(sh.format(36, 1).fill, 0xFFFF99);
  EXPECT_TRUE(sh.isEmpty(17, 1));  // formats only
  EXPECT_EQ(sh.mergeAt(28, 3), (CellRange{27, 2, 28, 3}));
  EXPECT_EQ(sh.format(37, 1).fill, kNoColour);

  // A destination that is no whole multiple takes one copy at its top-left cell.
  sh.range("A7:C8").copyTo(sh.range("E1:F1"));
  EXPECT_EQ(sh.text(1, 5), "1");
  EXPECT_EQ(sh.mergeAt(1, 6), (CellRange{1, 6, 2, 7}));
  EXPECT_EQ(sh.format(2, 7).fill, 0xFFFF99);
}

TEST(CopyPaste, TransposedValuesAndOverlappingRanges) {
  Sheet sh;
  sh.setText(1, 1, "a"), sh.setText(1, 2, "b"), sh.setText(1, 3, "c");
  sh.range("A1").fillIndex(3);
  sh.range("A1:C1").copyTo(sh.range("A2"), Paste::All, true);
  EXPECT_EQ(sh.text(2, 1), "a");
  EXPECT_EQ(sh.text(3, 1), "b");
  EXPECT_EQ(sh.text(4, 1), "c");
  EXPECT_EQ(sh.format(2, 1).fill, 0xFF0000);
  sh.range("A1:C1").copyTo(sh.range("B1"), Paste::Values);  // overlapping: reads before writing
  EXPECT_EQ(sh.text(1, 2), "a");
  EXPECT_EQ(sh.text(1, 4), "c");
  EXPECT_EQ(sh.format(1, 2).fill, kNoColour);  // values only
  Sheet other(QStringLiteral("other"));
  sh.range("A1:A4").copyTo(other.range("C3"));
  EXPECT_EQ(other.text(6, 3), "c");
}

TEST(AutoFit, WideCharactersCountDoubleAndMergesAreSkipped) {
  Sheet sh;
  sh.setText(1, 1, "abcde");
  sh.setText(2, 2, "学校数据表");
  sh.setText(3, 3, "学校数据表学校数据表学校数据表");
  sh.range("C3:E3").merge();
  sh.setText(4, 4, "ab");
  sh.range("D4").fontSize(22);
  sh.autoFitColumns(1, 5);
  EXPECT_DOUBLE_EQ(sh.columnWidth(1), 5.75);
  EXPECT_DOUBLE_EQ(sh.columnWidth(2), 10.75);
  EXPECT_DOUBLE_EQ(sh.columnWidth(3), kDefaultColumnWidth);
  EXPECT_DOUBLE_EQ(sh.columnWidth(4), 4.75);

  sh.setText(6, 2, "一二三四五六七八九十");  // 20 units in a 10.75 column: two lines when wrapped
  sh.range("B6").wrap();
  sh.setText(7, 1, "x");
  sh.setRowHeight(8, 40);
  sh.range("A6:A8").autoFitRows();
  EXPECT_DOUBLE_EQ(sh.rowHeight(6), 30);
  EXPECT_DOUBLE_EQ(sh.rowHeight(7), 15);
  EXPECT_DOUBLE_EQ(sh.rowHeight(8), kDefaultRowHeight);  // empty row back to the default
}

}  // namespace
}  // namespace tavro
