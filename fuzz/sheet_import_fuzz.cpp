// Fuzz target of the five sheet imports: the input is a workbook in parts (fuzz::partsWorkbook); when
// it reads, its first sheet goes through the import its title names ("教师", "课程", "合班", "班级",
// else the school sheet) on a copy of the imported demo school, with the input boxes answered from a
// short list. Whatever the cells hold, the import ends with or without a message, never in a crash.
#include <cstddef>
#include <cstdint>

#include "core/ctx.h"
#include "core/errors.h"
#include "core/scripted_ui.h"
#include "fuzz/fuzz_support.h"
#include "sheets/class_sheet.h"
#include "sheets/combined_sheet.h"
#include "sheets/course_sheet.h"
#include "sheets/school_sheet.h"
#include "sheets/teacher_sheet.h"
#include "sheets/xlsx.h"

namespace {

using namespace tavro;

// Runs the import of sheet that its title (A1) names.
void importByTitle(Ctx& c, const Sheet& sheet) {
  const QString title = sheet.text(1, 1);
  std::vector<CellEdit> edits;
  if (title.contains(QStringLiteral("教师")))
    importTeacherSheet(c, sheet, edits);
  else if (title.contains(QStringLiteral("课程")))
    importCourseSheet(c, sheet);
  else if (title.contains(QStringLiteral("合班")))
    importCombinedSheet(c, sheet);
  else if (title.contains(QStringLiteral("班级")))
    importClassSheet(c, sheet);
  else
    importSchoolSheet(c, sheet);
}

}  // namespace

// Imports the demo school before the first input, so its time does not count against an input.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  tavro::fuzz::demoSchool();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const ReadResult read = readXlsx(fuzz::partsWorkbook(data, size));
  if (!read.ok()) return 0;
  Session session;
  session.school = fuzz::demoSchool();
  ScriptedUi ui(fuzz::inputAnswers());
  ui.setStopOnRepeatedInput(true);
  Ctx ctx = session.ctx(ui);
  try {
    importByTitle(ctx, read.book->first());
  } catch (const OperationStopped&) {
    return 0;  // an input box left without an answer stops the import, as a cancel does
  } catch (const ProgramEnd&) {
    return 0;  // an answer that ends the program
  }
  return 0;
}
