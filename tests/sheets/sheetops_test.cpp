// The shared sheet procedures: border helpers, sheet finish, auto-fit of all
// columns, and finding a sheet in the data folder.
#include "sheets/sheetops.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/scripted_ui.h"

namespace tavro {
namespace {

// Records the title and filter of the file dialog and answers with a fixed file.
class FileDialogUi : public SilentUi {
 public:
  explicit FileDialogUi(std::optional<QString> answer) : answer_(std::move(answer)) {}
  std::optional<QString> chooseFile(const QString& title, const QString& filter) override {
    titles << title;
    filters << filter;
    return answer_;
  }
  QStringList titles, filters;

 private:
  std::optional<QString> answer_;
};

TEST(BorderProcedures, SidesRowsAndColumns) {
  Sheet sh;
  Hbkx(sh, 3, 1, 7, 3, 2);  // row 3, A..G, top, medium
  Hbkx(sh, 4, 2, 3, 4, 1);  // row 4, B..C, bottom, thin
  Hbkx(sh, 4, 2, 3, 5, 1);  // no such side: nothing
  Hbkx2(sh, 5, 16, 4, 3);   // D5:D16 right, thick
  Hwg(sh, 7, 9, 3, 9);      // rows 7..9, A..C bottom, style 9
  for (int c = 1; c <= 7; ++c) EXPECT_EQ(sh.format(3, c).line(Side::Top), Line::Medium) << c;
  EXPECT_EQ(sh.format(3, 8).line(Side::Top), Line::None);
  EXPECT_EQ(sh.format(4, 2).line(Side::Bottom), Line::Thin);
  EXPECT_EQ(sh.format(4, 1).line(Side::Bottom), Line::None);
  EXPECT_EQ(sh.format(4, 2).line(Side::Left), Line::None);
  EXPECT_EQ(sh.format(16, 4).line(Side::Right), Line::Thick);
  EXPECT_EQ(sh.format(17, 4).line(Side::Right), Line::None);
  EXPECT_EQ(sh.format(5, 4).line(Side::Left), Line::None);
  EXPECT_EQ(sh.format(9, 1).line(Side::Bottom), Line::Double);
  EXPECT_EQ(sh.format(9, 4).line(Side::Bottom), Line::None);
  EXPECT_THROW(Hwg(sh, 0, 1, 3, 1), IndexError);
}

TEST(SheetFinish, CentresBeepsThreeTimesAndEndsTheOperation) {
  Sheet sh;
  sh.setText(1, 1, "学校数据表");
  sh.range("B5:C6").select();
  ScriptedUi ui;
  RunState st;
  st.Mlz = 1;
  Dcbgjw(sh, ui, st);
  EXPECT_EQ(ui.beeps(), 3);
  EXPECT_EQ(st.Mlz, 0);
  EXPECT_EQ(sh.selection(), cellRange(1, 1));
  EXPECT_EQ(sh.format(1, 1).hAlign, HAlign::Centre);
  EXPECT_EQ(sh.format(1, 300).hAlign, HAlign::Centre);
  EXPECT_EQ(sh.format(2, 1).hAlign, HAlign::General);
  EXPECT_TRUE(sh.pageSetup().centreHorizontally);
  EXPECT_TRUE(sh.pageSetup().centreVertically);

  ScriptedUi again;
  Fcts(again, st);
  EXPECT_EQ(again.beeps(), 3);
  EXPECT_EQ(again.allTexts(), QStringList());
}

TEST(SheetFinish, AutoFitOfAllColumnsAndNewWorkbooks) {
  Workbook book = Xjgzb();
  ASSERT_EQ(book.sheetCount(), 1);
  Sheet& sh = book.first();
  EXPECT_EQ(sh.name(), "Sheet1");
  Zdlk(sh);  // nothing to fit
  EXPECT_TRUE(sh.columnInfo().empty());
  sh.setText(2, 1, "全校教师数（1～998）");
  sh.setText(30, 3, "1");
  Zdlk(sh);
  EXPECT_DOUBLE_EQ(sh.columnWidth(1), 20 + 0.75);  // 9 wide characters and 2 narrow ones
  EXPECT_DOUBLE_EQ(sh.columnWidth(2), kDefaultColumnWidth);
  EXPECT_DOUBLE_EQ(sh.columnWidth(3), 1.75);
}

TEST(DataFolder, AskedOnceThenReused) {
  QTemporaryDir dir;
  const QString folder = dir.path() + "/";
  FileDialogUi ui(dir.filePath("课表.txt"));
  QString Wjj;
  EXPECT_EQ(sheetPath(ui, Wjj, "学校数据表"), folder + "学校数据表");
  EXPECT_EQ(Wjj, folder);
  EXPECT_EQ(ui.filters, QStringList{"Excel文件(*.xlsx *.xls);;课表文件(课表.txt)"});
  EXPECT_EQ(sheetPath(ui, Wjj, "教师数据表"), folder + "教师数据表");
  EXPECT_EQ(ui.filters.size(), 1);  // not asked again

  FileDialogUi cancel(std::nullopt);
  QString none;
  EXPECT_EQ(sheetPath(cancel, none, "学校数据表"), std::nullopt);
  EXPECT_EQ(none, "");
  const OpenedSheet cancelled = DrPksj(cancel, none, "学校数据表");
  EXPECT_TRUE(cancelled.cancelled);
  EXPECT_FALSE(cancelled.opened);
  EXPECT_EQ(cancelled.book.sheetCount(), 1);
}

TEST(DataFolder, OpeningASheetFileOrGettingANewWorkbook) {
  QTemporaryDir dir;
  QString Wjj = dir.path() + "/";
  SilentUi ui;
  OpenedSheet missing = DrPksj(ui, Wjj, "学校数据表");
  EXPECT_FALSE(missing.opened);
  EXPECT_FALSE(missing.cancelled);
  EXPECT_EQ(missing.error, "");
  EXPECT_EQ(missing.basePath, Wjj + "学校数据表");
  ASSERT_EQ(missing.book.sheetCount(), 1);
  EXPECT_TRUE(missing.book.first().cells().empty());

  Workbook book = Xjgzb();
  book.first().setText(5, 7, "第一中学");
  ASSERT_TRUE(saveXlsx(book, Wjj + "学校数据表.xlsx").ok());
  OpenedSheet found = DrPksj(ui, Wjj, "学校数据表");
  EXPECT_TRUE(found.opened);
  EXPECT_EQ(found.filePath, Wjj + "学校数据表.xlsx");
  EXPECT_EQ(found.book.first().text(5, 7), "第一中学");

  QFile bad(Wjj + "教师数据表.xlsx");
  ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
  bad.write("not a workbook");
  bad.close();
  OpenedSheet damaged = DrPksj(ui, Wjj, "教师数据表");
  EXPECT_FALSE(damaged.opened);
  EXPECT_TRUE(damaged.error.startsWith("文件“" + QDir::toNativeSeparators(Wjj + "教师数据表.xlsx") +
                                       "”不是有效的Excel文件"));
  EXPECT_EQ(damaged.book.sheetCount(), 1);
}

}  // namespace
}  // namespace tavro
