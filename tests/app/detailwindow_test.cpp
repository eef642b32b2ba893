// The detailed timetable window driven through the desktop program: opened from the class
// grid's label and by a right click on a teacher, its layer list, a cell click with the
// notice of a temporary change, and its own layer: looking at the temporary layer here
// leaves a swap in the main window on the long-term timetable. With TAVRO_SCREENS_DIR set it
// also writes the README's screenshots of a class view and a teacher view.

#include "app/detailwindow.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>

#include "adjust/viewmodel/resolve.h"
#include "app/colours.h"
#include "core/cells.h"
#include "core/procedures.h"
#include "temporary/changefile.h"
#include "tests/app/app_support.h"

namespace tavro::testing {
namespace {

QByteArray readFile(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

app::FrmJdkb* detailWindow(AppDesk& d) {
  return d.window->findChild<app::FrmJdkb*>(QStringLiteral("FrmJdkb"));
}

template <typename W>
W* part(app::FrmJdkb* window, const char* name) {
  return window->findChild<W*>(QString::fromLatin1(name));
}

void clickDetailRow(app::FrmJdkb* window, const char* list, int row) {
  auto* widget = part<QListWidget>(window, list);
  ASSERT_NE(widget, nullptr);
  QTest::mouseClick(widget->viewport(), Qt::LeftButton, {},
                    widget->visualItemRect(widget->item(row)).center());
}

void clickDetailCell(app::FrmJdkb* window, int xq, int jc) {
  auto* grid = part<QTableWidget>(window, "MSFG");
  const auto [row, col] = window->position(xq, jc);
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                    grid->visualItemRect(grid->item(row, col)).center());
}

// The right click on the teacher list with teacher row `row` selected.
void openTeacher(AppDesk& d, int row) {
  auto* list = d.find<QListWidget>("LstJs");
  list->clearSelection();
  list->item(row)->setSelected(true);
  emit list->customContextMenuRequested(list->visualItemRect(list->item(row)).center());
}

struct Lesson {
  int xq = 0, jc = 0, course = 0, teacher = 0;
};

// Two ordinary lessons of class (nj, bj) with different teachers, on different weekdays.
bool twoLessons(const School& s, int nj, int bj, Lesson& a, Lesson& b) {
  std::vector<Lesson> found;
  for (int x = 1; x <= s.Mzts; ++x)
    for (int j = 1; j <= s.Mtjs; ++j) {
      const QString cell = s.Kb(kLongTerm, x, j, nj, bj);
      if (cell.size() == 10 && cellKind(cell) == 0 && cellTeacher(cell) > 0 && cellCourse(cell) > 0)
        found.push_back({x, j, cellCourse(cell), cellTeacher(cell)});
    }
  for (const Lesson& p : found)
    for (const Lesson& q : found)
      if (p.teacher != q.teacher && p.course != q.course && p.xq != q.xq) {
        a = p;
        b = q;
        return true;
      }
  return false;
}

// A temporary swap of lessons a and b of class (nj, bj) for today, recorded in "调课.txt" and
// replayed into the temporary layer.
void recordTemporarySwap(AppDesk& d, int nj, int bj, const Lesson& a, const Lesson& b) {
  Ctx c = d.window->ctx();
  RunState& st = d.st();
  const QString saved = st.Zt;
  st.Zt = QStringLiteral("调课");
  st.Xq1 = a.xq, st.Jc1 = a.jc, st.Jsh1 = a.teacher, st.Kch1 = a.course;
  st.Xq2 = b.xq, st.Jc2 = b.jc, st.Jsh2 = b.teacher, st.Kch2 = b.course;
  st.Lsksrq = st.Lsjsrq = Rqwb(Jtrq(st));
  BcLsgk(c, nj, bj);
  Dklsgkwj(c);
  st.Zt = saved;
  st.Xq1 = st.Jc1 = st.Xq2 = st.Jc2 = 0;
}

TEST(DetailWindowApp, OpensFromTheGridLabelAndTheTeacherList) {
  AppDesk d;
  d.importAndSchedule();
  d.clickListRow("LstBj", 1);
  const QString school = d.s().Xxmc.trimmed();
  QTest::mouseClick(d.find<QLabel>("Lbl0"), Qt::LeftButton);
  app::FrmJdkb* w = detailWindow(d);
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(w->isVisible());
  EXPECT_EQ(w->windowTitle(), school + QStringLiteral("  班级"));
  EXPECT_EQ(part<QGroupBox>(w, "Frame1")->title(), QStringLiteral("班级"));
  const int nj = ValMid(d.st().LstBj.item(1), 0, 2), bj = ValMid(d.st().LstBj.item(1), 2, 2);
  EXPECT_TRUE(part<QGroupBox>(w, "FraJdkb")->title().startsWith(d.s().Bjmc(nj, bj)));
  auto* classes = part<QListWidget>(w, "List1");
  EXPECT_EQ(classes->count(), d.s().Bjzs);
  EXPECT_EQ(classes->currentItem()->text().mid(4), d.s().Bjmc(nj, bj));
  auto* grid = part<QTableWidget>(w, "MSFG");
  EXPECT_EQ(grid->rowCount() * grid->columnCount(), (d.s().Mzts + 1) * (d.s().Mtjs + 1));
  const DetailCell& first = w->model().cell(1, 1);
  const auto [r, c] = w->position(1, 1);
  EXPECT_EQ(grid->item(r, c)->text().remove(QChar(0x3000)).remove(u'\n'),
            QString(first.text).remove(QChar(0x3000)));
  EXPECT_EQ(part<QListWidget>(w, "LstCqls")->toolTip(), QStringLiteral("长期课表还是临时课表"));
  EXPECT_EQ(part<QListWidget>(w, "LstCqls")->currentRow(), 0);
  EXPECT_EQ(part<QPushButton>(w, "CmdGb")->text(), QStringLiteral("关 闭"));

  // A right click on a teacher: the same window lists the teachers and shows the one chosen.
  openTeacher(d, 2);
  EXPECT_EQ(detailWindow(d), w);
  EXPECT_EQ(d.st().Zt, QStringLiteral("查师"));
  EXPECT_EQ(w->windowTitle(), school + QStringLiteral("  教师"));
  EXPECT_EQ(part<QGroupBox>(w, "Frame1")->title(), QStringLiteral("教师"));
  EXPECT_EQ(part<QListWidget>(w, "List1")->count(), d.s().Jss);
  EXPECT_TRUE(part<QGroupBox>(w, "FraJdkb")->title().startsWith(QStringLiteral("002") + d.s().Jsmc(2)));
  clickDetailRow(w, "List1", 0);
  EXPECT_TRUE(part<QGroupBox>(w, "FraJdkb")->title().startsWith(QStringLiteral("001") + d.s().Jsmc(1)));
  clickDetailCell(w, 1, 1);
  EXPECT_EQ(grid->item(r, c)->foreground().color(), app::gridColour(kColourHighlight));

  // Closed, it opens anew from the label.
  QTest::mouseClick(part<QPushButton>(w, "CmdGb"), Qt::LeftButton);
  EXPECT_FALSE(w->isVisible());
  QTest::mouseClick(d.find<QLabel>("Lbl0"), Qt::LeftButton);
  ASSERT_NE(detailWindow(d), nullptr);
  EXPECT_NE(detailWindow(d), w);
  EXPECT_EQ(part<QGroupBox>(detailWindow(d), "Frame1")->title(), QStringLiteral("班级"));
  EXPECT_TRUE(d.ui.texts("warning").isEmpty());
}

TEST(DetailWindowApp, ItsTemporaryLayerLeavesTheMainWindowOnTheLongTermTimetable) {
  AppDesk d;
  d.importAndSchedule();
  d.clickListRow("LstBj", 0);
  const int nj = ValMid(d.st().LstBj.item(0), 0, 2), bj = ValMid(d.st().LstBj.item(0), 2, 2);
  Lesson a, b;
  ASSERT_TRUE(twoLessons(d.s(), nj, bj, a, b));
  recordTemporarySwap(d, nj, bj, a, b);
  const QString changes = d.dataFolder() + QStringLiteral("/调课.txt");
  const QByteArray recorded = readFile(changes);
  ASSERT_FALSE(recorded.isEmpty());

  // The teacher of lesson a: light cyan in both layers, the notice in the long-term layer.
  openTeacher(d, a.teacher);
  app::FrmJdkb* w = detailWindow(d);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->model().cell(a.xq, a.jc).back, kColourTemporary);
  d.ui.clearEvents();
  clickDetailCell(w, a.xq, a.jc);
  EXPECT_EQ(d.ui.texts("info"),
            QStringList{QStringLiteral("该节已和") + Lbq(3, b.teacher) + d.s().Jsmc(b.teacher) +
                        QStringLiteral("老师的") + d.s().Kcmc(b.course) + QStringLiteral("临时调课！")});
  clickDetailRow(w, "LstCqls", 1);
  EXPECT_EQ(w->model().layer(), kTemporary);
  EXPECT_EQ(w->model().cell(a.xq, a.jc).back, kColourTemporary);
  d.ui.clearEvents();
  clickDetailCell(w, a.xq, a.jc);
  EXPECT_TRUE(d.ui.texts("info").isEmpty());

  // The main window still edits the long-term layer: a swap there changes it and adds no record.
  EXPECT_EQ(d.st().Dqcqls, kLongTerm);
  EXPECT_TRUE(d.find<QRadioButton>("OptCqls0")->isChecked());
  d.clickListRow("LstBj", 0);
  d.clickButton("CmdDk");
  int xq1 = 0, jc1 = 0, xq2 = 0, jc2 = 0;
  for (int x = 1; x <= d.s().Mzts && xq2 == 0; ++x)
    for (int j = 1; j <= d.s().Mtjs && xq2 == 0; ++j) {
      if (cellKind(d.s().Kb(kLongTerm, x, j, nj, bj)) != 0 || d.s().Kb(kLongTerm, x, j, nj, bj).isEmpty())
        continue;
      d.clickCell(x, j);
      if (d.st().Xq1 != x || d.st().Jc1 != j) continue;
      Ctx c = d.window->ctx();
      if (bestPartner(c, nj, bj, xq2, jc2)) {
        xq1 = x, jc1 = j;
      } else {
        xq2 = 0;
        d.clickCell(x, j);
      }
    }
  ASSERT_GT(xq2, 0);
  const QString lesson1 = d.s().Kb(kLongTerm, xq1, jc1, nj, bj),
                lesson2 = d.s().Kb(kLongTerm, xq2, jc2, nj, bj);
  d.ui.addAnswer("y");
  d.clickCell(xq2, jc2);
  EXPECT_EQ(d.s().Kb(kLongTerm, xq1, jc1, nj, bj), lesson2);
  EXPECT_EQ(d.s().Kb(kLongTerm, xq2, jc2, nj, bj), lesson1);
  EXPECT_EQ(readFile(changes), recorded);
  EXPECT_EQ(readChangeFile(changes).records.size(), 1);
  EXPECT_EQ(d.st().Dqcqls, kLongTerm);
  EXPECT_EQ(w->model().layer(), kTemporary);
}

// Screenshots for the README: a class view and a teacher view with a temporary change.
TEST(DetailWindowApp, WriteTheReadmeScreenshots) {
  if (qEnvironmentVariableIsEmpty("TAVRO_SCREENS_DIR")) GTEST_SKIP() << "TAVRO_SCREENS_DIR not set";
  const QDir dir(qEnvironmentVariable("TAVRO_SCREENS_DIR"));
  AppDesk d;
  d.importAndSchedule();
  d.clickListRow("LstBj", 0);
  const int nj = ValMid(d.st().LstBj.item(0), 0, 2), bj = ValMid(d.st().LstBj.item(0), 2, 2);
  Lesson a, b;
  ASSERT_TRUE(twoLessons(d.s(), nj, bj, a, b));
  recordTemporarySwap(d, nj, bj, a, b);
  QTest::mouseClick(d.find<QLabel>("Lbl0"), Qt::LeftButton);
  app::FrmJdkb* w = detailWindow(d);
  ASSERT_NE(w, nullptr);
  clickDetailRow(w, "LstCqls", 1);
  EXPECT_TRUE(w->grab().save(dir.filePath(QStringLiteral("detail-class.png"))));
  openTeacher(d, a.teacher);
  for (int x = 1; x <= d.s().Mzts; ++x)  // the teacher's first unchanged lesson
    for (int j = 1; j <= d.s().Mtjs; ++j)
      if (w->model().cell(x, j).back == kColourWhite &&
          isTeacherLesson(d.s().Jskb(kLongTerm, x, j, a.teacher))) {
        clickDetailCell(w, x, j);
        x = d.s().Mzts + 1;
        break;
      }
  EXPECT_TRUE(w->grab().save(dir.filePath(QStringLiteral("detail-teacher.png"))));
}

}  // namespace
}  // namespace tavro::testing
