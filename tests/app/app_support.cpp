#include "tests/app/app_support.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTest>

#include "adjust/viewmodel/resolve.h"
#include "sheets/demo_school.h"

namespace tavro::testing {

void WindowUi::tip(int number, const QString& text) {
  ScriptedUi::tip(number, text);
  if (window) window->showTip(number, text);
}

AppDesk::AppDesk(bool withDemoSchool) {
  store = std::make_unique<QSettings>(dir.filePath(QStringLiteral("a.ini")), QSettings::IniFormat);
  QDir().mkpath(dataFolder());
  if (withDemoSchool) {
    const QString error = writeDemoSchool(dataFolder(), *demoPreset(QStringLiteral("small")), 7);
    EXPECT_TRUE(error.isEmpty()) << error.toStdString();
  }
  app::WindowOptions options;
  options.dataFolder = dataFolder();
  options.ui = &ui;
  options.store = store.get();
  window = std::make_unique<app::FrmTavroKcapxt>(options);
  ui.window = window.get();
  window->session().rng.seed(7);
  window->resize(1366, 768);
  window->startUp();
}

void AppDesk::clickButton(const QString& name) {
  auto* button = find<QPushButton>(name);
  ASSERT_NE(button, nullptr) << name.toStdString();
  ASSERT_TRUE(button->isEnabled()) << name.toStdString();
  QTest::mouseClick(button, Qt::LeftButton);
}

void AppDesk::clickListRow(const QString& name, int row) {
  auto* list = find<QListWidget>(name);
  ASSERT_NE(list, nullptr);
  ASSERT_LT(row, list->count());
  list->scrollToItem(list->item(row));
  const QRect rect = list->visualItemRect(list->item(row));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
}

QColor AppDesk::shownBackground(int xq, int jc) {
  auto* grid = find<app::GridView>(QStringLiteral("MSFG0"));
  const auto [row, col] = grid->position(xq, jc);
  const QRect rect = grid->visualItemRect(grid->item(row, col));
  const QImage image = grid->viewport()->grab().toImage();
  return image.pixelColor(rect.left() + 6, rect.top() + 6);
}

QString AppDesk::cellText(int xq, int jc) {
  auto* grid = find<app::GridView>(QStringLiteral("MSFG0"));
  const auto [row, col] = grid->position(xq, jc);
  return grid->item(row, col) ? grid->item(row, col)->text() : QString();
}

void AppDesk::rightClickListRow(const QString& name, int row) {
  auto* list = find<QListWidget>(name);
  ASSERT_NE(list, nullptr);
  ASSERT_LT(row, list->count());
  list->scrollToItem(list->item(row));
  const QPoint at = list->visualItemRect(list->item(row)).center();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
  QContextMenuEvent menu(QContextMenuEvent::Mouse, at, list->viewport()->mapToGlobal(at));
  QApplication::sendEvent(list->viewport(), &menu);
}

void AppDesk::clickCell(int xq, int jc) {
  auto* grid = find<app::GridView>(QStringLiteral("MSFG0"));
  ASSERT_NE(grid, nullptr);
  const auto [row, col] = grid->position(xq, jc);
  ASSERT_NE(grid->item(row, col), nullptr);
  grid->scrollToItem(grid->item(row, col));
  const QRect rect = grid->visualItemRect(grid->item(row, col));
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, rect.center());
}

void AppDesk::importAndSchedule() {
  clickButton(QStringLiteral("CmdXx"));
  for (int guard = 0; guard < 200 && !st().Bxdck.isEmpty(); ++guard) {
    Ctx c = window->ctx();
    int xq = 0, jc = 0;
    ASSERT_TRUE(bestPartner(c, st().DqNj, st().DqBj, xq, jc));
    clickCell(xq, jc);
    ++forcedClicks;
  }
  ASSERT_FALSE(window->ended());
  ASSERT_TRUE(st().Bxdck.isEmpty());
}

}  // namespace tavro::testing

namespace tavro::testing {
namespace {

// The widget tests need one QApplication for the whole program (gtest_main provides main()). Its
// offscreen screen is the common school office screen, 1366×768.
class ApplicationEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    QFile config(screenFolder_.filePath(QStringLiteral("screen.json")));
    ASSERT_TRUE(config.open(QIODevice::WriteOnly));
    config.write(R"({"screens": [{"name": "office", "x": 0, "y": 0, "width": 1366, "height": 768,
                      "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    config.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName().toLocal8Bit());
    static int argc = 1;
    static char name[] = "tests_app";
    static char* argv[] = {name, nullptr};
    app_ = std::make_unique<QApplication>(argc, argv);
  }
  void TearDown() override { app_.reset(); }

 private:
  QTemporaryDir screenFolder_;
  std::unique_ptr<QApplication> app_;
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment);

}  // namespace
}  // namespace tavro::testing
