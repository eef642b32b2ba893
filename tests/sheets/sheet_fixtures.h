#pragma once
// Helpers of the sheet tests: a session with a scripted Ui, small filled
// sheets built cell by cell at the sheets' addresses, and a host that records
// the start of the scheduling run.

#include <QTemporaryDir>
#include <memory>
#include <ostream>

#include "core/ctx.h"
#include "core/scripted_ui.h"
#include "sheets/sheet.h"
#include "sheets/sheets_host.h"

// Shows QStrings as text in failed expectations.
inline void PrintTo(const QString& s, std::ostream* os) {
  *os << '"' << s.toStdString() << '"';
}

namespace tavro::testing {

// A session whose Ui records every message.
struct SheetSession {
  Session session;
  ScriptedUi ui;
  Ctx c{session.school, session.state, ui, session.rng};
  // Texts of the information and warning boxes, in order.
  QStringList messages() const { return ui.allTexts(); }
};

// A host that counts how often the scheduling run was started.
struct RecordingHost : SheetsHost {
  int runs = 0;
  void startSchedulingRun(Ctx&) override { ++runs; }
};

// A school sheet of grades 7 (2 classes) and 8 (1 class), 5 days of 8 periods (4 in the morning),
// 4 teachers, courses 空课 + 3, school name "测试中学", term start 2009-9-1.
Sheet filledSchoolSheet();

// Imports filledSchoolSheet() into the session (asserting success) and clears the messages.
void importSmallSchool(SheetSession& t);

// A teacher sheet for the small school: 张三, 李四, 王小明, 赵六; short names left empty.
Sheet filledTeacherSheet(const School& s);

// A course sheet for the small school (the template's default rows 空课, 语文, 数学, 外语).
Sheet filledCourseSheet(School& s);

// A class sheet for the small school: each class 语文 15 (teacher 1), 数学 15 (2), 外语 10 (3);
// head teachers 1, 2, 3; formula cells left out, as a program that drops them would save it.
Sheet filledClassSheet(const School& s);

// Imports the school, teacher and course sheets of the small school (asserting success).
void importSmallSchoolUpToCourses(SheetSession& t);

// Writes demo preset (seed) into folder and imports its five sheets with the school button,
// asserting that no message is shown and the scheduling run is started once.
void importDemoSchool(SheetSession& t, const QString& folder, const QString& preset, int seed);

// The workbook's first sheet read back from path (asserting it reads).
Sheet readBack(const QString& path);

}  // namespace tavro::testing
