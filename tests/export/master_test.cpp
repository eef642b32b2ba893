// The school, teacher and subject master tables read back from the written
// file: day groups, headings, cells, merges, wrapping and rules, in the
// across form and the down form.

#include <gtest/gtest.h>

#include "core/procedures.h"
#include "export/dispatch.h"
#include "export/handlers.h"
#include "sheets/zip_archive.h"
#include "tests/export/export_fixture.h"

namespace tavro::testing {
namespace {

const QString kEnglish = QStringLiteral("英语");

TEST(SchoolMasterTable, FiveWeekdaysInGroupsOfTwoPadTheLastGroup) {
  ExportFixture fx;
  ExportCtx c = fx.ctx();
  CmbKbzl_Click(c, 4);
  CmbMpzs_Click(c, 1);
  const Workbook book = fx.exportNow();
  const Sheet& sh = book.first();
  EXPECT_TRUE(fx.form.Dcbt.startsWith(QStringLiteral("测试中学")));
  EXPECT_TRUE(fx.form.Dcbt.endsWith(QStringLiteral("总课表")));
  EXPECT_EQ(sh.text(1, 1), fx.form.Dcbt);
  EXPECT_EQ(sh.text(2, 1), Rqqj(QDate(2009, 9, 1)) + QStringLiteral("起使用"));
  EXPECT_TRUE(isMerged(sh, 1, 1, 1, 17));
  EXPECT_TRUE(isMerged(sh, 2, 1, 2, 17));
  // Five classes and three heading rows per group: groups start at rows 3, 11 and 19.
  const QStringList days{"一", "二", "三", "四", "五", "六"};
  for (int g = 0; g < 3; ++g) {
    const int top = 3 + 8 * g;
    EXPECT_EQ(sh.text(top, 1), QStringLiteral("星期"));
    EXPECT_EQ(sh.text(top + 1, 1), QStringLiteral("午别"));
    EXPECT_EQ(sh.text(top + 2, 1), QStringLiteral("节次"));
    EXPECT_EQ(sh.text(top, 2), days[2 * g]);
    EXPECT_EQ(sh.text(top, 10), days[2 * g + 1]);
    EXPECT_EQ(sh.text(top + 1, 2), QStringLiteral("上午"));
    EXPECT_EQ(sh.text(top + 1, 14), QStringLiteral("下午"));
    EXPECT_EQ(sh.text(top + 2, 17), QStringLiteral("8"));
    EXPECT_TRUE(isMerged(sh, top, 2, top, 9)) << top;
    EXPECT_TRUE(isMerged(sh, top + 1, 10, top + 1, 13)) << top;
    EXPECT_EQ(sideLine(sh, top, 5, Side::Top), Line::Double);
    EXPECT_EQ(sideLine(sh, top, 5, Side::Bottom), Line::Thin);
    EXPECT_EQ(sideLine(sh, top + 2, 5, Side::Bottom), Line::Thick);
    // The last class of grade 7 closes with a medium rule.
    EXPECT_EQ(sideLine(sh, top + 5, 7, Side::Bottom), Line::Medium);
    EXPECT_EQ(sideLine(sh, top + 4, 5, Side::Right), Line::Thin);
    EXPECT_EQ(sideLine(sh, top + 4, 9, Side::Right), Line::Medium);
    EXPECT_EQ(sideLine(sh, top + 4, 1, Side::Right), Line::Thick);
    EXPECT_EQ(sh.rowHeight(top), 18);
  }
  EXPECT_EQ(sh.text(6, 1), QStringLiteral("初一1班"));
  EXPECT_EQ(sh.text(10, 1), QStringLiteral("初二2班"));
  EXPECT_EQ(sh.text(6, 2), kEnglish);  // weekday 1, period 1: course (1 + 1) % 3 + 1
  EXPECT_TRUE(sh.format(6, 2).wrap);
  // The padded sixth day has its heading and blank cells.
  EXPECT_EQ(sh.text(22, 2), QStringLiteral("语文"));
  for (int col = 10; col <= 17; ++col) EXPECT_EQ(sh.text(22, col), QString()) << col;
  EXPECT_EQ(sh.lastRow(), 26);
  EXPECT_EQ(fx.ui.lastProgress(), 100);
}

TEST(SchoolMasterTable, TeacherInsideGoesOnASecondLineAndNoBandCountTakesTheWholeWeek) {
  ExportFixture fx;
  ExportCtx c = fx.ctx();
  CmbKbzl_Click(c, 4);
  fx.form.CmbMpzs = -1;
  fx.form.ChkBnfjs = true;
  ChkBnfjs_Click(c);
  const Workbook book = fx.exportNow();
  const Sheet& sh = book.first();
  EXPECT_EQ(sh.text(6, 2), QStringLiteral("英语\n王　五"));
  EXPECT_EQ(sh.text(3, 34), QStringLiteral("五"));
  EXPECT_EQ(sh.lastColumn(), 41);
  // A table wider than a portrait page prints landscape, scaled to one page wide (a scale, not
  // "fit to pages", which would make page breaks ignored).
  ZipArchive zip;
  ASSERT_TRUE(zip.open(fx.outPath));
  const QByteArray xml = zip.read(QStringLiteral("xl/worksheets/sheet1.xml"), 1 << 24).value_or(QByteArray());
  EXPECT_TRUE(xml.contains("orientation=\"landscape\"")) << xml.left(400).toStdString();
  EXPECT_FALSE(xml.contains("fitToPage"));
  EXPECT_TRUE(xml.contains(" scale=\"")) << xml.left(400).toStdString();
}

TEST(SchoolMasterTable, DownFormRunsTheSlotsDownTheRows) {
  ExportFixture fx;
  ExportCtx c = fx.ctx();
  CmbKbzl_Click(c, 4);
  fx.school.Hsdm = 1;
  const Workbook book = fx.exportNow();
  const Sheet& sh = book.first();
  EXPECT_EQ(sh.text(3, 1), QStringLiteral("星期"));
  EXPECT_EQ(sh.text(3, 2), QStringLiteral("午别"));
  EXPECT_EQ(sh.text(3, 3), QStringLiteral("节次"));
  EXPECT_EQ(sh.text(3, 4), QStringLiteral("初一1班"));
  EXPECT_EQ(sh.text(3, 8), QStringLiteral("初二2班"));
  EXPECT_EQ(sh.text(4, 1), QStringLiteral("一"));
  EXPECT_EQ(sh.text(12, 1), QStringLiteral("二"));
  EXPECT_TRUE(isMerged(sh, 4, 1, 11, 1));
  EXPECT_EQ(sh.text(4, 2), QStringLiteral("上午"));
  EXPECT_EQ(sh.text(8, 2), QStringLiteral("下午"));
  EXPECT_TRUE(isMerged(sh, 4, 2, 7, 2));
  EXPECT_TRUE(isMerged(sh, 8, 2, 11, 2));
  EXPECT_EQ(sh.text(4, 3), QStringLiteral("１"));
  EXPECT_EQ(sh.text(4, 4), kEnglish);
  EXPECT_EQ(sh.lastRow(), 43);
  EXPECT_EQ(sideLine(sh, 3, 4, Side::Top), Line::Double);
  EXPECT_EQ(sideLine(sh, 3, 4, Side::Bottom), Line::Thick);
  EXPECT_EQ(sideLine(sh, 11, 5, Side::Bottom), Line::Medium);
  EXPECT_EQ(sideLine(sh, 7, 5, Side::Bottom), Line::Thin);
  EXPECT_EQ(sideLine(sh, 7, 1, Side::Bottom), Line::None);
  EXPECT_EQ(sideLine(sh, 20, 3, Side::Right), Line::Thick);
  EXPECT_EQ(sideLine(sh, 20, 6, Side::Right), Line::Medium);  // last class of grade 7
  EXPECT_EQ(sh.rowHeight(3), 26);
}

TEST(TeacherMasterTable, MeetingsBlockedPeriodsAndTeacherCodes) {
  ExportFixture fx;
  fx.school.Jskb(1, 2, 3, 1) = QStringLiteral("6");
  fx.school.Jskb(1, 2, 4, 1) = QStringLiteral("3");
  ExportCtx c = fx.ctx();
  CmbKbzl_Click(c, 3);
  OptXzjsfs_Click(c, 0);
  CmbMpzs_Click(c, 4);
  fx.form.ChkBwfjs = true;
  ChkBwfjs_Click(c);
  const Workbook book = fx.exportNow();
  const Sheet& sh = book.first();
  EXPECT_EQ(sh.text(6, 1), QStringLiteral("001"));
  EXPECT_EQ(sh.text(6, 2), QStringLiteral("张　三"));
  EXPECT_EQ(sh.text(9, 2), QStringLiteral("赵六一"));
  // Weekday 2 starts at column 3 + 8; periods 3 and 4.
  EXPECT_EQ(sh.text(3, 11), QStringLiteral("二"));
  EXPECT_EQ(sh.text(6, 13), QStringLiteral("会议"));
  EXPECT_EQ(sh.text(6, 14), QStringLiteral("不排"));
  EXPECT_EQ(sh.text(6, 4), QStringLiteral("语文\n初二2班"));
  for (int row = 3; row <= 5; ++row) EXPECT_TRUE(isMerged(sh, row, 1, row, 2)) << row;
  EXPECT_EQ(sideLine(sh, 7, 2, Side::Right), Line::Thick);
  EXPECT_EQ(sideLine(sh, 7, 10, Side::Right), Line::Medium);
  EXPECT_EQ(sideLine(sh, 7, 6, Side::Right), Line::Thin);
  EXPECT_EQ(sh.lastColumn(), 42);
}

TEST(TeacherMasterTable, DownFormHeadsEachTeacherColumn) {
  ExportFixture fx;
  fx.school.Jskb(1, 1, 2, 2) = QStringLiteral("6");
  ExportCtx c = fx.ctx();
  CmbKbzl_Click(c, 3);
  OptXzjsfs_Click(c, 0);
  fx.school.Hsdm = 1;
  const Workbook book = fx.exportNow();
  const Sheet& sh = book.first();
  EXPECT_EQ(sh.text(3, 4), QStringLiteral("张　三"));
  EXPECT_EQ(sh.text(3, 7), QStringLiteral("赵六一"));
  EXPECT_EQ(sh.text(5, 5), QStringLiteral("会议"));
  EXPECT_EQ(sh.text(4, 4), QString());  // teacher 1 teaches 语文 at weekday 1 periods 2, 5, 8 only
  EXPECT_EQ(sh.text(5, 4), QStringLiteral("语文\n初二2班"));
}

// Weekday 1, period 1: 语文 in the three classes of grade 7, each with its own teacher; 数学 in grade 8.
void threeClassesAtOnce(ExportFixture& fx) {
  fx.lesson(7, 1, 1, 1, 1, 1);
  fx.lesson(7, 2, 1, 1, 1, 2);
  fx.lesson(7, 3, 1, 1, 1, 3);
  fx.lesson(8, 1, 1, 1, 2, 2);
  fx.lesson(8, 2, 1, 1, 2, 4);
  fx.school.Jysj(0, 1, 1) = 3;
  fx.school.Jysj(0, 2, 1) = 3;
  fx.school.Jysjs(0, 1) = 2;
}

TEST(SubjectMasterTable, ThreeClassesInOneSlotStandOnTheirOwnLines) {
  ExportFixture fx;
  threeClassesAtOnce(fx);
  ExportCtx c = fx.ctx();
  CmbKbzl_Click(c, 2);
  fx.state.LstKc.setSelected(3, true);  // 语文 (row 1, chosen with the kind) and 英语
  const Workbook book = fx.exportNow();
  const Sheet& sh = book.first();
  EXPECT_TRUE(fx.form.Dcbt.endsWith(QStringLiteral("课表")));
  EXPECT_EQ(sh.text(3, 1), QStringLiteral("语文教研活动时间：星期三第3、4节"));
  EXPECT_EQ(sh.text(4, 1), QString());  // 英语 has no research time; its line still counts
  EXPECT_TRUE(isMerged(sh, 4, 1, 4, 9));
  EXPECT_EQ(sh.text(5, 1), QStringLiteral("星期"));
  EXPECT_TRUE(isMerged(sh, 5, 1, 6, 1));
  EXPECT_EQ(sh.text(5, 2), QStringLiteral("上午"));
  EXPECT_TRUE(isMerged(sh, 5, 6, 5, 9));
  EXPECT_EQ(sh.text(6, 9), QStringLiteral("8"));
  EXPECT_EQ(sh.text(7, 1), QStringLiteral("一"));
  EXPECT_EQ(sh.text(11, 1), QStringLiteral("五"));
  EXPECT_EQ(sh.text(7, 2), QStringLiteral("初一1班张　三\n初一2班李四光\n初一3班王　五"));
  EXPECT_TRUE(sh.format(7, 2).wrap);
  EXPECT_EQ(sh.format(7, 2).vAlign, VAlign::Top);
  EXPECT_EQ(sh.text(7, 4), QString());  // 数学 is not chosen
  EXPECT_EQ(sh.text(7, 3).count(u'\n'), 4);
  EXPECT_EQ(sideLine(sh, 5, 3, Side::Top), Line::Double);
  EXPECT_EQ(sideLine(sh, 6, 3, Side::Bottom), Line::Thick);
  EXPECT_EQ(sideLine(sh, 8, 3, Side::Bottom), Line::Medium);
  EXPECT_EQ(sideLine(sh, 8, 1, Side::Right), Line::Thick);
  EXPECT_EQ(sideLine(sh, 8, 5, Side::Right), Line::Medium);

  fx.state.OptCqls = 1;
  fx.exportNow();
  EXPECT_TRUE(fx.form.Dcbt.endsWith(QStringLiteral("课表（临时）")));
}

TEST(SubjectMasterTable, DownFormPutsTheWeekdaysAcross) {
  ExportFixture fx;
  threeClassesAtOnce(fx);
  ExportCtx c = fx.ctx();
  CmbKbzl_Click(c, 2);
  fx.school.Hsdm = 1;
  const Workbook book = fx.exportNow();
  const Sheet& sh = book.first();
  EXPECT_EQ(sh.text(4, 1), QStringLiteral("星期"));
  EXPECT_EQ(sh.text(4, 4), QStringLiteral("一"));
  EXPECT_EQ(sh.text(5, 1), QStringLiteral("上午"));
  EXPECT_EQ(sh.text(9, 1), QStringLiteral("下午"));
  EXPECT_EQ(sh.text(5, 2), QStringLiteral("１"));
  EXPECT_EQ(sh.text(5, 4), QStringLiteral("初一1班张　三\n初一2班李四光\n初一3班王　五"));
  EXPECT_EQ(sh.lastRow(), 12);
}

TEST(SubjectMasterTable, ChoiceChecksStopBeforeAnyFile) {
  ExportFixture fx;
  ExportCtx c = fx.ctx();
  CmbKbzl_Click(c, 2);
  fx.form.ChkQbkc = true;
  ChkQbkc_Click(c);
  const ExportResult r = CmdDc_Click(c, ExportPaths{fx.settingsPath, fx.outPath}, {}, QDate(2026, 12, 9));
  EXPECT_FALSE(r.written);
  EXPECT_EQ(fx.ui.texts(QStringLiteral("info")).value(0),
            QStringLiteral("导出学科总表只能选择一个或数个课程，不能选择“全部课程”！"));
}

}  // namespace
}  // namespace tavro::testing
