// The export frame of the main window driven through its widgets: it appears
// once every class is scheduled, its controls follow each other as the options
// model says, "9、导出" writes the workbook into the export folder and opens
// it, the font buttons go through the font dialog, and a failing export shows
// the reason and leaves no file.

#include "app/exportframe.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QRadioButton>
#include <QTest>

#include "core/procedures.h"
#include "sheets/xlsx.h"
#include "tests/app/app_support.h"

namespace tavro::testing {
namespace {

// A scheduled demo school in the window, with the frame's desktop services replaced.
struct ExportDesk : AppDesk {
  ExportDesk() {
    frame().setSettingsPath(dir.filePath(QStringLiteral("config/print.txt")));
    frame().services().openFile = [this](const QString& path) {
      opened << path;
      return true;
    };
    frame().services().chooseFont = [this](int k, const FontChoice&) {
      fontDialogs << k;
      return nextFont;
    };
    importAndSchedule();
  }
  app::ExportFrame& frame() { return *window->exportFrame(); }
  ExportForm& form() { return frame().form(); }
  void click(const char* name) {
    auto* button = find<QAbstractButton>(QString::fromLatin1(name));
    ASSERT_NE(button, nullptr) << name;
    ASSERT_TRUE(button->isVisible() && button->isEnabled()) << name;
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
  }
  void choose(const char* combo, int index) {
    auto* box = find<QComboBox>(QString::fromLatin1(combo));
    ASSERT_NE(box, nullptr) << combo;
    box->setCurrentIndex(index);
  }
  bool visible(const char* name) { return find<QWidget>(QString::fromLatin1(name))->isVisible(); }
  bool enabled(const char* name) { return find<QWidget>(QString::fromLatin1(name))->isEnabled(); }
  QString text(const char* name) { return find<QAbstractButton>(QString::fromLatin1(name))->text(); }
  // The workbook the last export wrote, read back.
  Workbook written() {
    const ReadResult read = readXlsx(frame().lastResult().path);
    EXPECT_TRUE(read.ok()) << read.error.toStdString();
    return read.ok() ? std::move(*read.book) : Workbook();
  }

  QStringList opened;
  QList<int> fontDialogs;
  std::optional<FontChoice> nextFont;
};

QStringList comboItems(QComboBox* box) {
  QStringList items;
  for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
  return items;
}

// Every .xlsx file under folder.
QStringList workbooksUnder(const QString& folder) {
  QStringList found;
  QDirIterator it(folder, {QStringLiteral("*.xlsx")}, QDir::Files, QDirIterator::Subdirectories);
  while (it.hasNext()) found << it.next();
  found.sort();
  return found;
}

TEST(ExportFrameWindow, AppearsOnceEveryClassIsScheduled) {
  AppDesk before(true);
  EXPECT_FALSE(before.find<QGroupBox>("FraDc")->isVisible());
  EXPECT_FALSE(before.find<QCheckBox>("ChkQx")->isVisible());

  ExportDesk d;
  ASSERT_TRUE(d.frame().started());
  EXPECT_TRUE(d.visible("FraDc"));
  EXPECT_EQ(d.find<QGroupBox>("FraDc")->title(), QStringLiteral("导出表格的选项"));
  EXPECT_EQ(comboItems(d.find<QComboBox>("CmbKbzl")),
            QStringList({"班级周表", "教师周表", "学科总表", "教师总表", "学校总表"}));
  EXPECT_EQ(comboItems(d.find<QComboBox>("CmbXiangmu")),
            QStringList({"课表", "教师任课情况表", "学科教师表", "年级教师表"}));
  EXPECT_EQ(comboItems(d.find<QComboBox>("CmbMpzs")),
            QStringList({" 1", " 2", " 3", " 4", " 5", " 6", " 7", " 8", " 9", "10"}));
  EXPECT_EQ(d.find<QComboBox>("CmbKbzl")->currentIndex(), 0);
  // The all-scheduled state clears "全校" (in the class frame), so classes can be chosen.
  EXPECT_TRUE(d.visible("ChkQx"));
  EXPECT_FALSE(d.find<QCheckBox>("ChkQx")->isChecked());
  EXPECT_TRUE(d.enabled("LstBj"));
  EXPECT_TRUE(d.find<QCheckBox>("ChkQz")->isChecked());
  EXPECT_FALSE(d.enabled("LstXq"));
  EXPECT_EQ(d.find<QListWidget>("LstXq")->count(), d.s().Mzts);
  EXPECT_EQ(d.find<QListWidget>("LstXq")->item(0)->text(), QStringLiteral("一"));
  EXPECT_EQ(d.find<QListWidget>("LstJc")->count(), d.s().Mtjs);
  EXPECT_TRUE(d.find<QCheckBox>("ChkQt")->isChecked());
  EXPECT_FALSE(d.visible("FraXzjsfs"));
  EXPECT_EQ(d.text("ChkBwfjs"), QStringLiteral("课表外附教师"));
  EXPECT_EQ(d.text("CmdZt0"), d.form().CmdZtCaption[0]);
  EXPECT_TRUE(d.text("CmdZt0").startsWith(QStringLiteral(" 标题字体字号 （现为")));
  EXPECT_TRUE(d.text("CmdZt1").startsWith(QStringLiteral(" 正文字体字号 （现为")));
  EXPECT_EQ(d.text("CmdDc"), QStringLiteral("9、导出"));
  EXPECT_TRUE(d.enabled("CmdDc"));
}

TEST(ExportFrameWindow, ChosenOptionsGoIntoTheWrittenClassTables) {
  ExportDesk d;
  d.s().Hsdm = 0;  // weekdays as rows
  d.click("ChkQx");
  EXPECT_FALSE(d.enabled("LstBj"));
  d.choose("CmbMpzs", 1);
  d.click("ChkBnfjs");
  EXPECT_TRUE(d.visible("FraJsm"));
  d.click("ChkQz");  // cleared: the weekday list opens with Monday chosen
  EXPECT_TRUE(d.enabled("LstXq"));
  d.clickListRow("LstXq", 2);
  d.click("ChkWb0");  // the morning alone
  EXPECT_FALSE(d.find<QCheckBox>("ChkQt")->isChecked());
  EXPECT_FALSE(d.enabled("LstJc"));
  const QString title = d.form().Dcbt;
  EXPECT_TRUE(title.endsWith(QStringLiteral("班级星期一三上午课表"))) << title.toStdString();

  const int beeps = d.ui.beeps();
  d.click("CmdDc");
  ASSERT_TRUE(d.frame().lastResult().written) << d.ui.allTexts().join(u'|').toStdString();
  const QString path = d.dataFolder() + QStringLiteral("/导出/") + title + QStringLiteral(".xlsx");
  EXPECT_EQ(d.frame().lastResult().path, path);
  EXPECT_EQ(d.opened, QStringList{path});
  EXPECT_EQ(d.ui.beeps() - beeps, 3);
  EXPECT_EQ(d.find<QProgressBar>("PrbJd")->value(), 100);
  EXPECT_TRUE(d.ui.texts("warning").isEmpty());

  const Workbook book = d.written();
  const Sheet& sh = book.first();
  const int block = d.s().Swjs + 2;  // weekdays as rows: label column, the morning periods, a spare column
  const int bands = (d.s().Bjzs + 1) / 2;
  const int height = 4 + 2 + 2;  // title, header line, two header rows, two weekdays, two gap rows
  for (int band = 0; band < bands; ++band) {
    const int r0 = 1 + band * height;
    EXPECT_EQ(sh.text(r0, 1), title) << band;
    EXPECT_EQ(sh.text(r0, block + 1), title) << band;
    EXPECT_EQ(sh.text(r0 + 2, 2), QStringLiteral("上午"));
    EXPECT_EQ(sh.text(r0 + 4, 1), QStringLiteral("一"));
    EXPECT_EQ(sh.text(r0 + 5, 1), QStringLiteral("三"));
  }
  EXPECT_EQ(sh.text(1, 2 * block + 1), QString());  // two timetables per band
  // The header line names the first class and its head teacher.
  EXPECT_TRUE(sh.text(2, 1).startsWith(QStringLiteral("　") + d.s().Xxmc.trimmed()));
  // The teacher inside each cell doubles the lesson rows.
  EXPECT_EQ(sh.rowHeight(5), 2 * sh.rowHeight(4));
  // The settings went into the print-format file.
  QFile settings(d.frame().settingsPath());
  ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
  const QByteArray bytes = settings.readAll();
  EXPECT_EQ(bytes.count("\r\n"), 1172);
  EXPECT_TRUE(bytes.contains("\r\n 0 , 1 ,1\r\n"));
  EXPECT_TRUE(bytes.contains("\r\n 0 , 23 ,2\r\n"));
}

TEST(ExportFrameWindow, AClassClickedInTheListIsExportedAlone) {
  ExportDesk d;
  d.s().Hsdm = 0;
  d.clickListRow("LstBj", 1);  // showing a class chooses it
  EXPECT_FALSE(d.find<QCheckBox>("ChkQx")->isChecked());
  d.click("CmdDc");
  ASSERT_TRUE(d.frame().lastResult().written);
  const Workbook book = d.written();
  const QString item = d.st().LstBj.item(1);
  const QString name = d.s().Bjmc(item.left(2).toInt(), item.mid(2, 2).toInt()).trimmed();
  EXPECT_TRUE(book.first().text(2, 1).contains(name)) << book.first().text(2, 1).toStdString();
  EXPECT_EQ(book.first().lastRow(), 4 + d.s().Mzts);  // one band, no gap after it
}

TEST(ExportFrameWindow, TableKindsAndItemsShowTheirControls) {
  ExportDesk d;
  d.choose("CmbKbzl", 1);  // 教师周表: teachers chosen by classes and courses
  EXPECT_TRUE(d.visible("FraXzjsfs"));
  EXPECT_TRUE(d.find<QRadioButton>("OptXzjsfs1")->isChecked());
  EXPECT_FALSE(d.visible("ChkBnfjs"));
  EXPECT_FALSE(d.visible("ChkBwfjs"));
  EXPECT_EQ(d.text("ChkBwfjs"), QStringLiteral("附教师代码"));
  EXPECT_EQ(d.find<QListWidget>("LstKc")->count(), d.s().Kcs);
  EXPECT_TRUE(d.find<QListWidget>("LstKc")->item(1)->isSelected());
  d.click("OptXzjsfs0");  // by number or name: every teacher
  EXPECT_TRUE(d.find<QCheckBox>("ChkQbjs")->isChecked());
  EXPECT_FALSE(d.enabled("LstJs"));
  d.choose("CmbMpzs", 3);
  d.click("CmdDc");
  ASSERT_TRUE(d.frame().lastResult().written) << d.ui.allTexts().join(u'|').toStdString();
  EXPECT_TRUE(d.frame().lastResult().path.endsWith(QStringLiteral("教师课表.xlsx")));
  EXPECT_EQ(d.written().first().text(1, 1), d.form().Dcbt);

  d.choose("CmbKbzl", 2);  // 学科总表: no per-band count, weekdays as rows
  EXPECT_FALSE(d.visible("LblMpzs"));
  EXPECT_FALSE(d.visible("CmbMpzs"));
  EXPECT_FALSE(d.visible("ChkBnfjs"));
  EXPECT_EQ(d.s().Hsdm, 0);
  d.ui.clearEvents();
  ASSERT_TRUE(d.find<QCheckBox>("ChkQx")->isChecked());
  d.click("ChkQx");  // cleared while 学科总表 is chosen
  EXPECT_EQ(d.ui.texts("info"), QStringList{QStringLiteral("导出学科总表必需选择“全校”！")});
  EXPECT_FALSE(d.find<QCheckBox>("ChkQx")->isChecked());

  d.choose("CmbXiangmu", 1);  // 教师任课情况表
  EXPECT_FALSE(d.visible("FraKb"));
  EXPECT_FALSE(d.visible("FraXq"));
  EXPECT_FALSE(d.visible("FraJc"));
  EXPECT_FALSE(d.enabled("FraQx"));
  EXPECT_TRUE(d.find<QRadioButton>("OptCqls0")->isChecked());
  EXPECT_TRUE(d.visible("FraXzjsfs"));
  EXPECT_FALSE(d.visible("ChkBwfjs"));
  d.choose("CmbXiangmu", 2);  // 学科教师表
  EXPECT_TRUE(d.visible("ChkBwfjs"));
  EXPECT_EQ(d.text("ChkBwfjs"), QStringLiteral("附教师代码"));
  EXPECT_TRUE(d.find<QCheckBox>("ChkQbkc")->isChecked());
  d.choose("CmbXiangmu", 0);
  EXPECT_TRUE(d.visible("FraKb"));
  EXPECT_TRUE(d.visible("FraXq"));
  EXPECT_TRUE(d.enabled("FraQx"));
  EXPECT_EQ(d.find<QComboBox>("CmbKbzl")->currentIndex(), 0);
  EXPECT_EQ(d.text("ChkBwfjs"), QStringLiteral("课表外附教师"));
}

TEST(ExportFrameWindow, PeriodBoxesAndList) {
  ExportDesk d;
  d.click("ChkWb1");
  EXPECT_FALSE(d.find<QCheckBox>("ChkQt")->isChecked());
  d.click("ChkQt");  // the whole day clears both halves
  EXPECT_FALSE(d.find<QCheckBox>("ChkWb1")->isChecked());
  d.click("ChkQt");  // cleared: periods are chosen in the list
  EXPECT_TRUE(d.enabled("LstJc"));
  for (int p = 0; p < d.s().Mtjs; ++p) d.clickListRow("LstJc", p);
  // Every period chosen is the whole day again, with no row selected.
  EXPECT_TRUE(d.find<QCheckBox>("ChkQt")->isChecked());
  EXPECT_TRUE(d.find<QListWidget>("LstJc")->selectedItems().isEmpty());
  EXPECT_EQ(d.form().Dcjcs, d.s().Mtjs);
}

TEST(ExportFrameWindow, FontButtonsGoThroughTheFontDialog) {
  ExportDesk d;
  d.nextFont = FontChoice{QStringLiteral("文泉驿正黑"), 18, true, false};
  d.click("CmdZt0");
  EXPECT_EQ(d.fontDialogs, QList<int>{0});
  EXPECT_EQ(d.text("CmdZt0"), QStringLiteral(" 标题字体字号 （现为文泉驿正黑18号）"));
  EXPECT_EQ(d.form().Dysz(0, 35), QStringLiteral("文泉驿正黑"));
  EXPECT_EQ(d.form().Dysz(0, 36), QStringLiteral("18"));
  EXPECT_EQ(d.form().Dysz(0, 37), QStringLiteral("True"));
  EXPECT_EQ(d.form().Dysz(0, 38), QStringLiteral("False"));
  d.nextFont = FontChoice{QStringLiteral("宋体"), 12, false, false};
  d.click("CmdZt1");
  EXPECT_EQ(d.text("CmdZt1"), QStringLiteral(" 正文字体字号 （现为宋体12号）"));

  // A cancelled dialog changes nothing; a name beginning with "@" is refused.
  d.nextFont.reset();
  d.click("CmdZt1");
  d.nextFont = FontChoice{QStringLiteral("@宋体"), 12, false, false};
  d.click("CmdZt1");
  EXPECT_EQ(d.ui.texts("info").last(), QStringLiteral("不能选用带有@的字体！"));
  EXPECT_EQ(d.text("CmdZt1"), QStringLiteral(" 正文字体字号 （现为宋体12号）"));
  EXPECT_EQ(d.form().Dysz(0, 39), QStringLiteral("宋体"));

  d.click("CmdDc");
  ASSERT_TRUE(d.frame().lastResult().written);
  const Workbook book = d.written();
  EXPECT_EQ(book.first().format(1, 1).fontName, QStringLiteral("文泉驿正黑"));
  EXPECT_EQ(book.first().format(1, 1).fontSize, 18);
  EXPECT_EQ(book.first().format(5, 2).fontName, QStringLiteral("宋体"));
  EXPECT_EQ(book.first().format(5, 2).fontSize, 12);
}

TEST(ExportFrameWindow, AFailingExportShowsTheReasonAndLeavesNoFile) {
  ExportDesk d;
  const QStringList sheets = workbooksUnder(d.dir.path());
  const int beeps = d.ui.beeps();
  // A file where the export folder should be: the workbook cannot be written.
  QFile blocker(d.dataFolder() + QStringLiteral("/导出"));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  d.click("CmdDc");
  EXPECT_FALSE(d.frame().lastResult().written);
  ASSERT_EQ(d.ui.texts("warning").size(), 1);
  EXPECT_EQ(d.ui.texts("warning").first(),
            QStringLiteral("导出表格失败：无法建立文件夹“") +
                QDir::toNativeSeparators(d.dataFolder() + QStringLiteral("/导出")) +
                QStringLiteral("”：已有一个同名的文件。"));
  EXPECT_EQ(workbooksUnder(d.dir.path()), sheets);
  EXPECT_TRUE(QDir(d.dataFolder()).entryList({QStringLiteral(".~*")}, QDir::Hidden | QDir::Files).isEmpty());
  EXPECT_TRUE(d.opened.isEmpty());
  EXPECT_EQ(d.ui.beeps(), beeps);
  EXPECT_EQ(d.find<QProgressBar>("PrbJd")->value(), 0);
  EXPECT_FALSE(d.window->ended());

  // Once the folder can be written the same export succeeds.
  QFile::remove(d.dataFolder() + QStringLiteral("/导出"));
  d.click("CmdDc");
  EXPECT_TRUE(d.frame().lastResult().written);
  EXPECT_EQ(workbooksUnder(d.dir.path()).size(), sheets.size() + 1);
}

// The README's picture of the window with the export frame at 1366×768, written only when
// TAVRO_SCREENS_DIR names a folder.
TEST(ExportFrameWindow, WriteTheReadmeScreenshot) {
  if (qEnvironmentVariableIsEmpty("TAVRO_SCREENS_DIR")) GTEST_SKIP() << "TAVRO_SCREENS_DIR not set";
  ExportDesk d;
  d.clickListRow("LstBj", 0);
  d.choose("CmbMpzs", 1);
  d.click("ChkBnfjs");
  d.window->resize(1366, 768);
  d.window->refresh();
  QCoreApplication::processEvents();
  const QString path =
      QDir(qEnvironmentVariable("TAVRO_SCREENS_DIR")).filePath(QStringLiteral("export-frame.png"));
  EXPECT_TRUE(d.window->grab().save(path)) << path.toStdString();
}

}  // namespace
}  // namespace tavro::testing
