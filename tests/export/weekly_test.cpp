// Class and teacher weekly tables read back from the written file: bands,
// header lines, labels, cells, teacher lists, merges, fonts and rules.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "core/procedures.h"
#include "export/dispatch.h"
#include "export/handlers.h"
#include "tests/export/export_fixture.h"
#include "tests/fixtures/small_disk.h"
#include "tests/fixtures/small_school.h"

namespace tavro::testing {
namespace {

Line lineOf(const Sheet& sh, int r, int c, Side side) {
  return sh.format(r, c).line(side);
}

bool merged(const Sheet& sh, int r1, int c1, int r2, int c2) {
  const auto m = sh.mergeAt(r1, c1);
  return m && *m == CellRange{r1, c1, r2, c2};
}

TEST(ClassWeeklyTable, FiveClassesAtTwoPerBandMakeThreeBands) {
  ExportFixture fx;
  ExportCtx c = fx.ctx();
  CmbMpzs_Click(c, 1);
  const Workbook book = fx.exportNow();
  const Sheet& sh = book.first();
  const QString title = QStringLiteral("０９～１０学年度班级课表");
  EXPECT_EQ(fx.form.Dcbt, title);
  // Band height 4 + 5 weekdays + 2 gap rows = 11; blocks of 8 periods + 2 columns.
  for (int r0 : {1, 12, 23}) {
    EXPECT_EQ(sh.text(r0, 1), title) << r0;
    EXPECT_EQ(sh.text(r0, 11), title) << r0;
    EXPECT_TRUE(merged(sh, r0, 1, r0, 9)) << r0;
    EXPECT_TRUE(merged(sh, r0, 11, r0, 19)) << r0;
    EXPECT_TRUE(merged(sh, r0 + 2, 1, r0 + 3, 1)) << r0;
    EXPECT_TRUE(merged(sh, r0 + 2, 2, r0 + 2, 5)) << r0;
    EXPECT_TRUE(merged(sh, r0 + 2, 16, r0 + 2, 19)) << r0;
    EXPECT_EQ(sh.text(r0 + 2, 11), QStringLiteral("星期"));
    EXPECT_EQ(sh.text(r0 + 4, 11), QStringLiteral("一"));
  }
  EXPECT_EQ(sh.text(2, 1), QStringLiteral("　测试中学初一1班　张　三　"));
  EXPECT_EQ(sh.text(13, 1), QStringLiteral("　测试中学初一3班　王　五　"));
  EXPECT_EQ(sh.text(24, 1), QStringLiteral("　测试中学初二2班　赵六一　"));
  // The last band's second block has no header line and no lessons.
  EXPECT_EQ(sh.text(24, 11), QString());
  EXPECT_EQ(sh.text(24, 19), QString());
  EXPECT_EQ(sh.text(27, 12), QString());
  EXPECT_EQ(sh.lastRow(), 31);
  // Labels and a lesson: weekday 1, period 1 is course (1 + 1) % 3 + 1 = 英语.
  EXPECT_EQ(sh.text(3, 2), QStringLiteral("上午"));
  EXPECT_EQ(sh.text(3, 6), QStringLiteral("下午"));
  EXPECT_EQ(sh.text(4, 2), QStringLiteral("1"));
  EXPECT_EQ(sh.text(4, 9), QStringLiteral("8"));
  EXPECT_EQ(sh.text(5, 1), QStringLiteral("一"));
  EXPECT_EQ(sh.text(9, 1), QStringLiteral("五"));
  EXPECT_EQ(sh.text(5, 2), QStringLiteral("英语"));
  EXPECT_EQ(sh.text(5, 3), QStringLiteral("语文"));
  EXPECT_EQ(fx.ui.beeps(), 3);
  EXPECT_EQ(fx.ui.lastProgress(), 100);
}

TEST(ClassWeeklyTable, HeaderLineDateAndMissingHeadTeacher) {
  ExportFixture fx;
  ExportCtx c = fx.ctx();
  CmbMpzs_Click(c, 4);
  const Workbook book = fx.exportNow();
  const Sheet& sh = book.first();
  EXPECT_EQ(sh.text(2, 9), QStringLiteral(" 9月 1日启用"));
  EXPECT_EQ(sh.format(2, 9).hAlign, HAlign::Right);
  EXPECT_EQ(sh.format(2, 1).hAlign, HAlign::Left);
  // Class 2 of grade 7 has no head teacher: Jsmkd (3) + 2 full-width spaces.
  EXPECT_EQ(sh.text(2, 11), QStringLiteral("　测试中学初一2班　　　　　　"));

  // A term that starts after the export day prints the export day.
  fx.school.Kxrq = QStringLiteral("2027- 3- 1");
  EXPECT_EQ(fx.exportNow().first().text(2, 9), QStringLiteral("12月 9日启用"));
}

TEST(ClassWeeklyTable, RulesFontsAndHeightsOfEveryBand) {
  ExportFixture fx;
  ExportCtx c = fx.ctx();
  CmbMpzs_Click(c, 1);
  CmdZt_Click(c, 0, FontChoice{QStringLiteral("黑体"), 20, false, false});
  CmdZt_Click(c, 1, FontChoice{QStringLiteral("宋体"), 12, false, false});
  const Workbook book = fx.exportNow();
  const Sheet& sh = book.first();
  for (int r0 : {1, 23}) {
    const int r = r0 + 2, R = r0 + 8;
    EXPECT_EQ(lineOf(sh, r, 1, Side::Top), Line::Double) << r0;
    EXPECT_EQ(lineOf(sh, r, 9, Side::Top), Line::Double);
    EXPECT_EQ(lineOf(sh, r, 2, Side::Bottom), Line::Thin);
    EXPECT_EQ(lineOf(sh, r + 1, 1, Side::Bottom), Line::Thick);
    EXPECT_EQ(lineOf(sh, r + 2, 3, Side::Bottom), Line::Thin);
    EXPECT_EQ(lineOf(sh, R, 5, Side::Bottom), Line::Double);
    EXPECT_EQ(lineOf(sh, R, 1, Side::Left), Line::Double);
    EXPECT_EQ(lineOf(sh, R, 1, Side::Right), Line::Thick);
    EXPECT_EQ(lineOf(sh, R, 2, Side::Right), Line::Thin);
    EXPECT_EQ(lineOf(sh, r, 5, Side::Right), Line::Medium);
    EXPECT_EQ(lineOf(sh, R, 9, Side::Right), Line::Double);
    EXPECT_EQ(lineOf(sh, r0 + 1, 1, Side::Bottom), Line::None);
    EXPECT_EQ(sh.format(r0, 1).fontName, QStringLiteral("黑体"));
    EXPECT_EQ(sh.format(r0, 1).fontSize, 20);
    EXPECT_EQ(sh.format(R, 4).fontName, QStringLiteral("宋体"));
    EXPECT_EQ(sh.format(R, 4).fontSize, 12);
    EXPECT_EQ(sh.format(R, 4).hAlign, HAlign::Centre);
    EXPECT_EQ(sh.format(R, 4).fill, 0xFFFFFF);
    EXPECT_EQ(sh.rowHeight(r0), 30);
    EXPECT_EQ(sh.rowHeight(R), 18);
  }
  EXPECT_NEAR(sh.columnWidth(1), 2 * 12.7 / 6 + 0.2, 0.1);
  EXPECT_NEAR(sh.columnWidth(2), 2 * 12.7 / 6, 0.1);
}

TEST(ClassWeeklyTable, HalfDayLabelsWithPeriodsAsRows) {
  ExportFixture fx;
  fx.school.Hsdm = 1;
  ExportCtx c = fx.ctx();
  fx.form.ChkQt = false;
  ChkQt_Click(c);
  for (int i : {0, 1, 2, 3, 4}) fx.form.LstJc.setSelected(i, true);
  LstJc_Click(c);
  CmbMpzs_Click(c, 2);
  const Workbook book = fx.exportNow();
  const Sheet& sh = book.first();
  EXPECT_TRUE(fx.form.Dcbt.contains(QStringLiteral("部分节次")));
  EXPECT_EQ(sh.text(3, 1), QStringLiteral("星期"));
  EXPECT_TRUE(merged(sh, 3, 1, 3, 2));
  EXPECT_EQ(sh.text(3, 3), QStringLiteral("一"));
  const QStringList labels{"上", "午", "　", "　", "下"};
  for (int k = 0; k < 5; ++k) {
    EXPECT_EQ(sh.text(4 + k, 1), labels[k]) << k;
    EXPECT_EQ(sh.text(4 + k, 2), QString(QChar(0xFF11 + k)));
  }
  // The afternoon row gets the medium rule above it, and block 2 starts after 5 + 3 columns.
  EXPECT_EQ(lineOf(sh, 7, 3, Side::Bottom), Line::Medium);
  EXPECT_EQ(lineOf(sh, 5, 1, Side::Bottom), Line::None);
  EXPECT_EQ(lineOf(sh, 5, 2, Side::Bottom), Line::Thin);
  EXPECT_EQ(sh.text(1, 9), fx.form.Dcbt);
  EXPECT_EQ(sh.text(2, 15), QStringLiteral(" 9月 1日启用"));
}

TEST(ClassWeeklyTable, AfternoonAloneWithWeekdaysAsRows) {
  ExportFixture fx;
  ExportCtx c = fx.ctx();
  fx.form.ChkWb[1] = true;
  ChkWb_Click(c, 1);
  EXPECT_FALSE(fx.form.ChkQt);
  const Workbook book = fx.exportNow();
  const Sheet& sh = book.first();
  EXPECT_TRUE(fx.form.Dcbt.endsWith(QStringLiteral("下午课表")));
  EXPECT_EQ(sh.text(3, 2), QStringLiteral("下午"));
  EXPECT_TRUE(merged(sh, 3, 2, 3, 5));
  EXPECT_EQ(sh.text(4, 2), QStringLiteral("5"));
  EXPECT_EQ(sh.text(3, 3), QString());
}

TEST(ClassWeeklyTable, TeacherListNamesATeacherOncePerCourse) {
  ExportFixture fx;
  fx.lesson(7, 1, 1, 1, 2, 1);  // 张三 also teaches 数学 in class 0701
  fx.school.Zdkcs = 4;
  ExportCtx c = fx.ctx();
  fx.form.ChkBwfjs = true;
  ChkBwfjs_Click(c);
  CmbMpzs_Click(c, 1);
  const Workbook book = fx.exportNow();
  const Sheet& sh = book.first();
  EXPECT_EQ(sh.text(10, 1), QStringLiteral("语文—张　三　数学—张　三　数学—李四光"));
  EXPECT_EQ(sh.text(11, 1), QStringLiteral("英语—王　五"));
  EXPECT_EQ(sh.text(10, 11), QStringLiteral("语文—张　三　数学—李四光　英语—王　五"));
  EXPECT_EQ(sh.text(11, 11), QString());
  EXPECT_EQ(sh.format(10, 1).hAlign, HAlign::Left);
  // Band height 4 + 5 + 2 list lines + 2 = 13.
  EXPECT_EQ(sh.text(14, 1), fx.form.Dcbt);
}

TEST(ClassWeeklyTable, TeacherInsideTheCell) {
  ExportFixture fx;
  ExportCtx c = fx.ctx();
  fx.form.ChkBnfjs = true;
  ChkBnfjs_Click(c);
  const Workbook book = fx.exportNow();
  const Sheet& sh = book.first();
  // w = max(Kcmkd 2, Jsmkd 3) = 3: course and teacher each padded to 3.
  EXPECT_EQ(sh.text(5, 2), QStringLiteral("英语　王　五"));
  EXPECT_TRUE(sh.format(5, 2).wrap);
  EXPECT_EQ(sh.rowHeight(5), 2 * 1.5 * 18);
}

TEST(TeacherWeeklyTable, DutyCodesAndClassTexts) {
  ExportFixture fx;
  fx.school.Jskb(1, 2, 3, 4) = QStringLiteral("6");
  fx.school.Jskb(1, 2, 4, 4) = QStringLiteral("3");
  fx.school.Jskb(1, 2, 5, 4) = QStringLiteral("7");
  ExportCtx c = fx.ctx();
  CmbKbzl_Click(c, 1);
  OptXzjsfs_Click(c, 0);
  EXPECT_TRUE(fx.form.ChkQbjs);
  CmbMpzs_Click(c, 3);
  const Workbook book = fx.exportNow();
  const Sheet& sh = book.first();
  EXPECT_EQ(fx.form.Dcbt, QStringLiteral("０９～１０学年度教师课表"));
  EXPECT_EQ(sh.text(2, 1), QStringLiteral("　测试中学张　三　"));
  EXPECT_EQ(sh.text(2, 31), QStringLiteral("　测试中学赵六一　"));
  // w = max(Kcmkd 2, Bjmkd 4) = 4.
  EXPECT_EQ(sh.text(6, 34), QStringLiteral("会议　　　　　　"));
  EXPECT_EQ(sh.text(6, 35), QString(8, QChar(0x3000)));
  EXPECT_EQ(sh.text(6, 36), QStringLiteral("教研　　　　　　"));
  EXPECT_EQ(sh.text(5, 22), QStringLiteral("英语　　初二2班"));
  EXPECT_EQ(sh.rowHeight(5), 2 * 1.5 * 18);
}

TEST(TeacherWeeklyTable, CombinedLessonWordsFitTheCellWidth) {
  ExportFixture fx;
  const int school = fixtures::addCombinedLesson(fx.school, "6", "0000", "0206", 2, "004");
  const int grades = fixtures::addCombinedLesson(fx.school, "7", "07010801", "0207", 2, "004");
  fx.school.Hbbj(grades) = QStringLiteral("07000800");
  fx.school.Jskb(1, 2, 6, 4) = QStringLiteral("0029") + Lbq(3, school) + QStringLiteral("000");
  fx.school.Jskb(1, 2, 7, 4) = QStringLiteral("0029") + Lbq(3, grades) + QStringLiteral("000");
  ExportCtx c = fx.ctx();
  CmbKbzl_Click(c, 1);
  OptXzjsfs_Click(c, 0);
  CmbMpzs_Click(c, 3);
  // Teacher 4's timetable starts in column 31; Tuesday is row 6. Full names: w = 4.
  const Workbook full = fx.exportNow();
  EXPECT_EQ(full.first().text(6, 37), QStringLiteral("数学　　全校合班"));
  EXPECT_EQ(full.first().text(6, 38), QStringLiteral("数学　　多级合班"));
  // Short names: w = max(Kcmkd 1, Bjmkd 3) = 3.
  OptBjm_Click(c, 0);
  OptKcm_Click(c, 0);
  const Workbook brief = fx.exportNow();
  EXPECT_EQ(brief.first().text(6, 37), QStringLiteral("数　　全校　"));
  EXPECT_EQ(brief.first().text(6, 38), QStringLiteral("数　　多级　"));
}

TEST(ExportFailure, AFileThatCannotBeWrittenShowsTheReasonWithoutBeeping) {
  ExportFixture fx;
  QFile blocker(fx.dir.filePath(QStringLiteral("file")));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  fx.outPath = fx.dir.filePath(QStringLiteral("file/table.xlsx"));
  ExportCtx c = fx.ctx();
  const ExportResult result = CmdDc_Click(c, ExportPaths{fx.settingsPath, fx.outPath});
  EXPECT_FALSE(result.written);
  ASSERT_EQ(fx.ui.texts(QStringLiteral("warning")).size(), 1);
  EXPECT_EQ(fx.ui.texts(QStringLiteral("warning")).first(),
            QStringLiteral("导出表格失败：无法建立文件夹“") +
                QDir::toNativeSeparators(fx.dir.filePath("file")) +
                QStringLiteral("”：已有一个同名的文件。"));
  EXPECT_EQ(fx.ui.beeps(), 0);
  EXPECT_EQ(fx.form.progress, 0);
  EXPECT_FALSE(QFile::exists(fx.outPath));
  EXPECT_TRUE(QFile::exists(fx.settingsPath));
}

// A read-only data folder: the export folder cannot be made, and the message says why.
TEST(ExportFailure, AReadOnlyDataFolderGivesTheCause) {
  ExportFixture fx;
  const QString data = fx.dir.filePath(QStringLiteral("data"));
  MountedDisk disk(data, 1 << 20);
  if (!disk.available()) GTEST_SKIP() << "no right to mount a small disk here";
  ASSERT_TRUE(disk.makeReadOnly());
  fx.school.Wjj = data + u'/';
  ExportCtx c = fx.ctx();
  EXPECT_FALSE(CmdDc_Click(c, ExportPaths{fx.settingsPath, QString()}).written);
  EXPECT_EQ(fx.ui.texts(QStringLiteral("warning")),
            QStringList({QStringLiteral("导出表格失败：无法建立文件夹“") + QDir::toNativeSeparators(data) +
                         QStringLiteral("/导出”：磁盘是只读的。")}));
}

TEST(ExportFailure, TheDefaultFileLiesInTheExportFolderNamedAfterTheTitle) {
  ExportFixture fx;
  fx.school.Wjj = fx.dir.path() + u'/';
  ExportCtx c = fx.ctx();
  const ExportResult result = CmdDc_Click(c, ExportPaths{fx.settingsPath, QString()});
  EXPECT_EQ(result.path, fx.dir.path() + QStringLiteral("/导出/０９～１０学年度班级课表.xlsx"));
  EXPECT_TRUE(QFile::exists(result.path));
}

}  // namespace
}  // namespace tavro::testing
