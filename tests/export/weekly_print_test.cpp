// The printed pages of the weekly tables, read from the written file's sheet
// XML: A4 with narrow margins, across the page when the bands are wide, scaled
// to one page wide, and a page break after the last whole band of a page.

#include <gtest/gtest.h>

#include <QRegularExpression>

#include "export/handlers.h"
#include "sheets/zip_archive.h"
#include "tests/export/export_fixture.h"

namespace tavro::testing {
namespace {

// The XML of the written workbook's only sheet.
QString sheetXml(const QString& path) {
  ZipArchive zip;
  EXPECT_TRUE(zip.open(path)) << zip.error().toStdString();
  const auto bytes = zip.read(QStringLiteral("xl/worksheets/sheet1.xml"), 64 << 20);
  EXPECT_TRUE(bytes.has_value());
  return bytes ? QString::fromUtf8(*bytes) : QString();
}

// The rows after which a page ends.
QList<int> pageBreaks(const QString& xml) {
  QList<int> rows;
  static const QRegularExpression brk(QStringLiteral("<brk id=\"(\\d+)\"[^>]*man=\"1\""));
  for (auto it = brk.globalMatch(xml); it.hasNext();) rows << it.next().captured(1).toInt();
  return rows;
}

// An attribute of the sheet's <pageSetup>, "" when it is not written.
QString pageSetup(const QString& xml, const QString& attribute) {
  const QRegularExpression re(QStringLiteral("<pageSetup[^>]* %1=\"([^\"]*)\"").arg(attribute));
  return re.match(xml).captured(1);
}

TEST(WeeklyPages, UprightPagesBreakBetweenWholeBands) {
  ExportFixture fx;
  ExportCtx c = fx.ctx();
  CmbMpzs_Click(c, 0);  // one timetable per band: five bands of 11 rows
  const Workbook book = fx.exportNow();
  const QString xml = sheetXml(fx.outPath);
  // One timetable is narrower than an upright page; a band is 30 + 10 x 27 = 300 points high,
  // and an upright A4 page holds 769 points: two bands a page.
  EXPECT_EQ(pageSetup(xml, QStringLiteral("orientation")), QStringLiteral("portrait"));
  EXPECT_EQ(pageSetup(xml, QStringLiteral("paperSize")), QStringLiteral("9"));
  EXPECT_EQ(pageSetup(xml, QStringLiteral("scale")), QString());
  EXPECT_EQ(pageBreaks(xml), QList<int>({22, 44}));
  EXPECT_TRUE(
      xml.contains(QStringLiteral("<pageMargins left=\"0.4\" right=\"0.4\" top=\"0.5\" bottom=\"0.5\"")))
      << xml.mid(xml.indexOf(QStringLiteral("<pageMargins")), 120).toStdString();
  EXPECT_TRUE(xml.contains(QStringLiteral("horizontalCentered=\"1\"")));
  // Each page starts with a band's title row.
  for (int row : pageBreaks(xml)) EXPECT_EQ(book.first().text(row + 1, 1), fx.form.Dcbt) << row;
}

TEST(WeeklyPages, WideBandsGoAcrossThePageScaledToItsWidth) {
  ExportFixture fx;
  ExportCtx c = fx.ctx();
  CmbMpzs_Click(c, 4);  // five timetables side by side: one band
  fx.exportNow();
  const QString xml = sheetXml(fx.outPath);
  EXPECT_EQ(pageSetup(xml, QStringLiteral("orientation")), QStringLiteral("landscape"));
  const int scale = pageSetup(xml, QStringLiteral("scale")).toInt();
  EXPECT_GT(scale, 10);
  EXPECT_LT(scale, 60);
  EXPECT_TRUE(pageBreaks(xml).isEmpty());
  EXPECT_FALSE(xml.contains(QStringLiteral("fitToPage")));
}

TEST(WeeklyPages, TitlesOfTheWrittenFileHaveNoAsciiBlank) {
  ExportFixture fx;
  fx.school.Xxmc = QStringLiteral("测试 中学");
  ExportCtx c = fx.ctx();
  fx.form.ChkQz = false;
  ChkQz_Click(c);
  fx.form.LstXq.setSelected(2, true);
  LstXq_Click(c);
  CmbMpzs_Click(c, 1);
  const Workbook book = fx.exportNow();
  const QString title = book.first().text(1, 1);
  EXPECT_EQ(title, QStringLiteral("０９～１０学年度班级星期一三课表"));
  // Every band's title row: three bands of 4 + 2 weekdays + 2 rows.
  for (int r0 : {1, 9, 17}) {
    EXPECT_EQ(book.first().text(r0, 1), title) << r0;
    EXPECT_EQ(book.first().text(r0, 11), title) << r0;
  }
  EXPECT_FALSE(title.contains(u' '));
}

}  // namespace
}  // namespace tavro::testing
