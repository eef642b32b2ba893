#pragma once
// The in-memory model of one school: settings, grades, classes, teachers,
// courses, blocked periods, combined lessons, course plans and the two
// timetable cubes. The short names are the school office's own vocabulary
// (see docs/glossary.md); every table keeps its documented index ranges.

#include <QString>

#include "core/table.h"

namespace tavro {

// Layers of both timetable cubes.
inline constexpr int kLongTerm = 1;   // 长期
inline constexpr int kTemporary = 2;  // 临时

// Bounds of the cube dimensions that do not depend on the school's size.
inline constexpr int kMaxWeekday = 13;  // Kb/Jskb weekday index 0..13
inline constexpr int kMaxPeriod = 20;   // Kb/Jskb period index 0..20
inline constexpr int kMaxGrade = 20;    // grade tables 1..20
inline constexpr int kMaxTeachers = 998;
// The largest week a school may have: the school sheet refuses more (its template states these
// ranges) and the timetable file holds no more, so every school that imports can be saved and read.
inline constexpr int kMostDaysPerWeek = 7;
inline constexpr int kMostPeriodsPerDay = 13;

struct School {
  // ---- School settings (school sheet) ----
  QString Xxmc;      // Xxmc: school name, right-padded with "　" to 6 characters
  int Mzts = 0;      // Mzts: days per week (1..7)
  int Mtjs = 8;      // Mtjs: periods per day (1..13)
  int Swjs = 4;      // Swjs: morning periods per day
  int Xwjs = 4;      // Xwjs: afternoon periods per day (Mtjs - Swjs)
  int Jss = 0;       // Jss: number of teachers
  int Jsrs = 0;      // Jsrs: number of teachers (same value as Jss; bounds teacher tables)
  int Kcs = 0;       // Kcs: number of course codes, 空课 included (courses 0..Kcs-1)
  int Hsdm = 0;      // Hsdm: grid layout, 0 = one row per weekday (横排), 1 = one row per period (竖排)
  int Jsmtzdjs = 0;  // Jsmtzdjs: preferred maximum lessons per teacher per day
  QString Kxrq;      // Kxrq: term start date text "2009- 9- 1"
  QString Xnqsrq;    // Xnqsrq: school-year start date text (Kxrq, or September of the year before)
  int Xxlx = 0;      // Xxlx: school type (7 primary, 4 junior, 3 senior, 2, 8, 9 mixed)
  QString Bbh = "2.0";  // Bbh: version text used in file headers
  QString Wjj;          // Wjj: data folder with trailing separator

  // ---- Grades (index = grade code 1..20) ----
  int Snj = 0;         // Snj: first grade code of the school
  int Mnj = 0;         // Mnj: last grade code of the school
  Table<int> Njbjs;    // Njbjs: classes per grade (1..20)
  Table<QString> Njm;  // Njm: grade names; a 1-character name is stored with a leading "　"
  Table<int> Jlblp;    // Jlblp: 1 when the grade avoids the same course in adjacent periods
  int Zdbjs = 0;       // Zdbjs: largest class count of any grade
  int Zgnj = 0;        // Zgnj: highest grade code that has classes
  int Bjzs = 0;        // Bjzs: total number of classes
  int Njs = 6;         // Njs: grade rows from the first to the last filled one

  // ---- Classes, indexed (Nj Snj..Mnj, Bj 1..Zdbjs) ----
  Table<QString, 2> Bjmc;  // Bjmc: class name
  Table<int, 2> Bzr;       // Bzr: head teacher number, 0 = none
  Table<int, 2> Bjkcs;     // Bjkcs: number of rows in the class's course plan
  Table<int, 4> Bjkcb;     // Bjkcb: course plan (row 1..max(Kcs,40), field 1..5, Nj, Bj):
                           //   field 1 course, 2 teacher (0 none), 3 lessons per week
  Table<int, 3> Bjkcjs;    // Bjkcjs: plan courses sorted by course number (Nj, Bj, 1..Kcs)
  Table<int, 3> Bjkcjsh;   // Bjkcjsh: teachers of those sorted plan courses (Nj, Bj, 1..Kcs)
  Table<int, 2> Ypbz;      // Ypbz: 1 = the class timetable is scheduled (已排)
  int Ypbjs = 0;           // Ypbjs: number of scheduled classes
  int Zdkcs = 0;           // Zdkcs: largest plan row count over all classes
  int Bjmcd = 0;           // Bjmcd: length of the longest class name

  // ---- Teachers (index = teacher number 0..Jsrs) ----
  Table<QString> Jsmc;  // Jsmc: teacher name; a 2-character name has "　" between its characters
  Table<QString> Jsjc;  // Jsjc: short name, exactly 2 characters
  int Jsmcd = 0;        // Jsmcd: length of the longest teacher name as typed
  Table<QString> Jsrk;  // Jsrk: what the teacher teaches, 5-digit course+grade codes back to back
  Table<int> Jszjs;     // Jszjs: lessons per week over all class plans (0..998)

  // ---- Courses (index = course number 0..Kcs) ----
  Table<QString> Kcmc;      // Kcmc: course name; course 0 is "空课"
  Table<QString> Kcjc;      // Kcjc: short name of 1 or 2 characters; course 0 is "╳"
  int Kcmcd = 0;            // Kcmcd: length of the longest course name
  int Kcjccd = 0;           // Kcjccd: length of the longest short course name
  Table<int> Kczf;          // Kczf: kind, 1 main subject, 2 ordinary, other numbers as typed
  Table<QString> Mtjp;      // Mtjp: allowed periods of the day, "1" allowed / "0" banned, 8 characters
  Table<QString, 2> Szlmc;  // Szlmc: setting column p (1..9), entry 0 = count, entries 1.. = course names
  Table<int, 2> Szlz;       // Szlz: value of setting column p (1..9) for listed course i (1..Kcs)
  Table<QString> Kcszbz;    // Kcszbz: per course one character per setting column
  Table<int, 3> Jysj;       // Jysj: teaching-research time (part 0..2, 1 weekday / 2 period, course)
  Table<int, 2> Jysjs;      // Jysjs: number of teaching-research periods (part 0..2, course)

  // ---- Blocked-period records ----
  Table<QString, 2> Hyjy;  // Hyjy: (field 1..4, record 1..Hyjys): times, reason, "n", who
  int Hyjys = 0;           // Hyjys: number of blocked-period records

  // ---- Combined-class lessons ----
  Table<QString, 2>
      Hbk;              // Hbk: (field 1..6, lesson 1..Hbks): type, classes, times, course, teachers, field 6
  Table<QString> Hbbj;  // Hbbj: per lesson of type "7", grade code + "00" per grade
  int Hbks = 0;         // Hbks: number of combined lessons

  // ---- Timetable cubes ----
  Table<QString, 5> Kb;  // Kb: class timetable (layer 1..2, weekday 0..13, period 0..20, Nj, Bj 0..Zdbjs)
  Table<QString, 4>
      Jskb;  // Jskb: teacher timetable (layer 1..2, weekday 0..13, period 0..20, teacher 0..Jsrs+2)

  // ---- Import state: 1 once the sheet was imported in this run ----
  int Xxydr = 0;  // Xxydr: school sheet imported
  int Jsydr = 0;  // Jsydr: teacher sheet imported
  int Kcydr = 0;  // Kcydr: course sheet imported
  int Hbydr = 0;  // Hbydr: combined-class sheet imported
  int Bjydr = 0;  // Bjydr: class sheet imported

  // Sizes the grade tables (1..20); done once at start and before the school import.
  void sizeGradeTables();
  // Sizes every class-dimension table (Snj..Mnj, 1..Zdbjs; Kb class bound 0..Zdbjs),
  // keeping what they held.
  void sizeClassTables();
  // Sizes and clears the teacher tables (0..Jsrs) and Jskb (0..Jsrs+2); Jszjs is 0..998.
  void sizeTeacherTables();
  // Sizes the course tables (0..Kcs) and the plan rows (1..max(Kcs,40)), keeping contents.
  void sizeCourseTables();
  // Sizes Hyjy for n records, keeping what it held.
  void sizeBlockRecords(int n);
  // Sizes Hbk and Hbbj for n lessons, keeping what they held.
  void sizeCombinedLessons(int n);

  // True when (Nj, Bj) is a real class of the school.
  bool isClass(int nj, int bj) const;
  // Number of plan rows Bjkcb is sized for: max(Kcs, 40).
  int planRows() const;
};

}  // namespace tavro
