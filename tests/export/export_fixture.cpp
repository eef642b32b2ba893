#include "tests/export/export_fixture.h"

#include <gtest/gtest.h>

#include "core/procedures.h"
#include "export/dispatch.h"
#include "export/handlers.h"
#include "sheets/zip_archive.h"
#include "tests/fixtures/small_school.h"

namespace tavro::testing {

namespace {

// Grades 7 and 8 with three and two classes.
void fiveClasses(School& s) {
  s.Njbjs(7) = 3;
  s.Zdbjs = 3;
  s.Bjzs = 5;
  s.sizeClassTables();
  s.Bjmc(7, 3) = QStringLiteral("初一3班");
  s.Kxrq = QStringLiteral("2009- 9- 1");
  s.Xnqsrq = s.Kxrq;
  s.Wjj = QString();
  s.Kb.resize({Range{1, 2}, Range{0, kMaxWeekday}, Range{0, kMaxPeriod}, Range{7, 9}, Range{0, 3}});
  s.Jskb.resize({Range{1, 2}, Range{0, kMaxWeekday}, Range{0, kMaxPeriod}, Range{0, s.Jsrs + 2}});
  for (int t = 1; t <= 4; ++t) s.Jszjs(t) = 10;
  s.Jsjc(1) = QStringLiteral("张三");
  s.Jsjc(2) = QStringLiteral("李四");
  s.Jsjc(3) = QStringLiteral("王五");
  s.Jsjc(4) = QStringLiteral("赵六");
  s.Bjmcd = 4;
  s.Zdkcs = 3;
  s.Bzr(7, 1) = 1;
  s.Bzr(7, 3) = 3;
  s.Bzr(8, 1) = 2;
  s.Bzr(8, 2) = 4;
}

}  // namespace

ExportFixture::ExportFixture(int days, int periods) : school(fixtures::twoGradeSchool()) {
  fiveClasses(school);
  school.Mzts = days;
  school.Mtjs = periods;
  school.Swjs = periods / 2;
  school.Xwjs = periods - school.Swjs;
  for (int nj = 7; nj <= 8; ++nj) {
    for (int bj = 1; bj <= school.Njbjs(nj); ++bj) {
      for (int xq = 1; xq <= days; ++xq)
        for (int jc = 1; jc <= periods; ++jc) {
          const int course = (xq + jc) % 3 + 1;
          lesson(nj, bj, xq, jc, course, course);
        }
    }
  }
  settingsPath = dir.filePath(QStringLiteral("config/print.txt"));
  outPath = dir.filePath(QStringLiteral("out/table.xlsx"));
  ExportCtx c = ctx();
  fillClassAndTeacherLists(c);
  startExportForm(c, settingsPath);
  state.Cshwc = true;
}

void ExportFixture::lesson(int nj, int bj, int xq, int jc, int course, int teacher) {
  for (int layer = 1; layer <= 2; ++layer) {
    school.Kb(layer, xq, jc, nj, bj) = Lbq(3, course) + Lbq(3, teacher) + QStringLiteral("0000");
    if (teacher > 0) school.Jskb(layer, xq, jc, teacher) = Lbq(3, course) + Lbq(2, nj) + Lbq(2, bj) + "000";
  }
}

void ExportFixture::plan(int nj, int bj, int row, int course, int teacher, int count) {
  school.Bjkcb(row, 1, nj, bj) = course;
  school.Bjkcb(row, 2, nj, bj) = teacher;
  school.Bjkcb(row, 3, nj, bj) = count;
  school.Bjkcs(nj, bj) = std::max(school.Bjkcs(nj, bj), row);
}

QString workbookPart(const QString& path, const QString& part) {
  ZipArchive zip;
  EXPECT_TRUE(zip.open(path)) << zip.error().toStdString();
  const auto bytes = zip.read(part, 64 << 20);
  EXPECT_TRUE(bytes.has_value()) << part.toStdString();
  return bytes ? QString::fromUtf8(*bytes) : QString();
}

Line sideLine(const Sheet& sh, int r, int c, Side side) {
  return sh.format(r, c).line(side);
}

bool isMerged(const Sheet& sh, int r1, int c1, int r2, int c2) {
  const auto m = sh.mergeAt(r1, c1);
  return m && *m == CellRange{r1, c1, r2, c2};
}

Workbook ExportFixture::exportNow() {
  ExportCtx c = ctx();
  const ExportResult result = CmdDc_Click(c, ExportPaths{settingsPath, outPath}, {}, QDate(2026, 12, 9));
  EXPECT_TRUE(result.written) << ui.allTexts().join(u'|').toStdString();
  ReadResult read = readXlsx(outPath);
  EXPECT_TRUE(read.ok()) << read.error.toStdString();
  return read.ok() ? std::move(*read.book) : Workbook();
}

}  // namespace tavro::testing
