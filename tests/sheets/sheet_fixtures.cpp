#include "tests/sheets/sheet_fixtures.h"

#include <gtest/gtest.h>

#include "sheets/class_sheet.h"
#include "sheets/course_sheet.h"
#include "sheets/demo_school.h"
#include "sheets/school_sheet.h"
#include "sheets/teacher_sheet.h"
#include "sheets/xlsx.h"

namespace tavro::testing {

Sheet filledSchoolSheet() {
  Sheet sh;
  writeSchoolTemplate(sh);
  sh.setNumber(11, 4, 2);
  sh.setNumber(12, 4, 1);
  sh.setValue(5, 7, "测试中学");
  sh.setNumber(9, 7, 4);
  sh.setNumber(10, 7, 3);
  return sh;
}

void importDemoSchool(SheetSession& t, const QString& folder, const QString& preset, int seed) {
  ASSERT_EQ(writeDemoSchool(folder, *demoPreset(preset), seed), "");
  t.c.s.Wjj = folder;
  RecordingHost host;
  CmdXx_Click(t.c, host);
  EXPECT_TRUE(t.messages().isEmpty()) << t.messages().join("\n").toStdString();
  EXPECT_EQ(host.runs, 1);
}

void importSmallSchool(SheetSession& t) {
  ASSERT_TRUE(importSchoolSheet(t.c, filledSchoolSheet())) << t.messages().join("\n").toStdString();
  t.ui.clearEvents();
}

Sheet filledTeacherSheet(const School& s) {
  Sheet sh;
  writeTeacherTemplate(sh, s);
  const QStringList names = {"张三", "李四", "王小明", "赵六"};
  for (int i = 0; i < names.size(); ++i) sh.setText(7 + i, 2, names[i]);
  return sh;
}

Sheet filledCourseSheet(School& s) {
  Sheet sh;
  writeCourseTemplate(sh, s);
  return sh;
}

Sheet filledClassSheet(const School& s) {
  Sheet sh;
  writeClassTemplate(sh, s);
  for (int r = 6; r <= 8; ++r) {
    sh.setText(r, 4, QString::number(r - 5));
    sh.setNumber(r, classCountColumn(1), 15);
    sh.setText(r, classTeacherColumn(1), "1");
    sh.setNumber(r, classCountColumn(2), 15);
    sh.setText(r, classTeacherColumn(2), "2");
    sh.setNumber(r, classCountColumn(3), 10);
    sh.setText(r, classTeacherColumn(3), "3");
    sh.clearValue(r, 6);
    sh.clearValue(r, 7);
  }
  return sh;
}

void importSmallSchoolUpToCourses(SheetSession& t) {
  importSmallSchool(t);
  std::vector<CellEdit> edits;
  ASSERT_TRUE(importTeacherSheet(t.c, filledTeacherSheet(t.c.s), edits))
      << t.messages().join("\n").toStdString();
  School templateModel = t.c.s;
  ASSERT_TRUE(importCourseSheet(t.c, filledCourseSheet(templateModel)))
      << t.messages().join("\n").toStdString();
  t.ui.clearEvents();
}

Sheet readBack(const QString& path) {
  ReadResult r = readWorkbook(path);
  EXPECT_TRUE(r.ok()) << r.error.toStdString();
  if (!r.ok()) return Sheet();
  return r.book->first();
}

}  // namespace tavro::testing
