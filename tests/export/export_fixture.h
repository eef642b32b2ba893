#pragma once
// A scheduled school for export tests: grades 7 (three classes) and 8 (two
// classes), a 5-day week of 8 periods (or the days and periods asked for, the
// morning half of them), four teachers, both timetable layers filled, the main
// window lists filled and the export frame started.

#include <QTemporaryDir>
#include <memory>

#include "core/ctx.h"
#include "core/scripted_ui.h"
#include "export/context.h"
#include "sheets/xlsx.h"

namespace tavro::testing {

struct ExportFixture {
  explicit ExportFixture(int days = 5, int periods = 8);
  ExportCtx ctx() { return ExportCtx{school, state, form, ui}; }
  // Writes an ordinary lesson of course and teacher into both layers of Kb and Jskb.
  void lesson(int nj, int bj, int xq, int jc, int course, int teacher);
  // Plan row `row` of class (nj, bj): course, teacher and weekly count (Bjkcs grows to row).
  void plan(int nj, int bj, int row, int course, int teacher, int count);
  // The class weekly table exported with the current options; the file read back.
  Workbook exportNow();

  School school;
  RunState state;
  ExportForm form;
  ScriptedUi ui;
  QTemporaryDir dir;
  QString settingsPath;
  QString outPath;
};

// The XML of a written workbook's part ("xl/worksheets/sheet1.xml", "xl/workbook.xml").
QString workbookPart(const QString& path, const QString& part);

// The line on one side of a cell of a sheet read back.
Line sideLine(const Sheet& sh, int r, int c, Side side);
// True when exactly r1:c1..r2:c2 is merged.
bool isMerged(const Sheet& sh, int r1, int c1, int r2, int c2);

}  // namespace tavro::testing
