#pragma once
// A realistic, filled school for demonstrations, tests and benchmarks, written
// through the same templates as the user's sheets: grades with their classes,
// a full course plan per school level that fills each class's week, head
// teachers, teachers teaching one subject to 2-4 classes, blocked teacher
// periods, banned early periods for sports and arts, a cap on sports lessons
// at the same time, a whole-school class meeting and teaching-research periods.

#include <QString>
#include <cstdint>
#include <optional>

#include "sheets/sheet.h"

namespace tavro {

// Size of a demo school: grades firstGrade..lastGrade with classesPerGrade classes each, a week of
// days x periods, and either one teacher per 2-4 classes of a course (teachers 0) or exactly
// `teachers` teachers sharing the classes by their load.
struct DemoPreset {
  int firstGrade = 7;
  int lastGrade = 12;
  int classesPerGrade = 8;
  int days = 5;       // days per week
  int periods = 8;    // periods per day
  int morning = 4;    // morning periods per day
  int teachers = 0;   // 0: drawn per course and grade; else the exact number of teachers
  int dailyMost = 4;  // preferred most lessons of a teacher per day
};

// The preset of a name: "small" (grades 7-9, 2 classes), "medium" (7-12, 8 classes),
// "large" (1-12, 10 classes), "largest" (the most the model holds: 1-12, 50 classes, 998
// teachers, 7 days of 13 periods), "county" (1-12, 34 classes: 408 classes sharing 998 teachers,
// 5 days of 8 periods); nullopt for another name.
std::optional<DemoPreset> demoPreset(const QString& name);

// The five filled workbooks of a demo school.
struct DemoSchool {
  Workbook school, teachers, courses, combined, classes;
};

// Builds the demo school for a preset; the same seed gives the same school.
DemoSchool buildDemoSchool(const DemoPreset& preset, std::uint64_t seed);

// Writes the demo school into folder (created when missing) as "学校数据表.xlsx" ... "班级数据表.xlsx";
// "" on success, else the reason it failed. It replaces sheets of those names: callers first ask
// schoolFilesIn whether the folder already holds a school.
QString writeDemoSchool(const QString& folder, const DemoPreset& preset, std::uint64_t seed);

// The names of the files of a school that folder holds: the five sheets (".xlsx" or ".xls") and the
// timetable files "课表.txt" and "调课.txt"; empty when it holds none.
QStringList schoolFilesIn(const QString& folder);

// Renames "课表.txt" and "调课.txt" of folder to "<name>.旧-YYYYMMDD-HHMMSS", so that a school written
// in their place does not meet the timetable of another. Returns the new names; "" in error when
// every rename succeeded, else the reason.
QStringList keepTimetableFilesAside(const QString& folder, QString& error);

}  // namespace tavro
