#include "sheets/demo_school.h"

#include <QDateTime>
#include <QDir>

#include "core/procedures.h"
#include "sheets/class_sheet.h"
#include "sheets/combined_sheet.h"
#include "sheets/course_sheet.h"
#include "sheets/demo_plan.h"
#include "sheets/school_sheet.h"
#include "sheets/sheet_operation.h"
#include "sheets/sheetops.h"
#include "sheets/teacher_sheet.h"

namespace tavro {

namespace {

using demo::Plan;

// The school model the templates are written from (sizes, names, the class meeting).
School templateModel(const Plan& plan) {
  School s;
  s.sizeGradeTables();
  s.Snj = plan.preset.firstGrade <= 6 ? 1 : (plan.preset.firstGrade <= 9 ? 7 : 10);
  s.Mnj = plan.preset.lastGrade <= 6 ? 6 : (plan.preset.lastGrade <= 9 ? 9 : 12);
  for (int g = plan.preset.firstGrade; g <= plan.preset.lastGrade; ++g)
    s.Njbjs(g) = plan.preset.classesPerGrade;
  for (int g = s.Snj; g <= s.Mnj; ++g)
    s.Njm(g) = demo::gradeName(g).size() == 1 ? "　" + demo::gradeName(g) : demo::gradeName(g);
  s.Zdbjs = plan.preset.classesPerGrade;
  s.Bjzs = plan.preset.classesPerGrade * (plan.preset.lastGrade - plan.preset.firstGrade + 1);
  s.Mzts = plan.days;
  s.Mtjs = plan.periods;
  s.Swjs = plan.morning;
  s.Xwjs = plan.periods - plan.morning;
  s.Jss = s.Jsrs = static_cast<int>(plan.teachers.size());
  s.Kcs = static_cast<int>(plan.courses.size());
  s.sizeTeacherTables();
  s.sizeCourseTables();
  s.sizeClassTables();
  for (int k = 0; k < s.Kcs; ++k) s.Kcmc(k) = plan.courses[k].name;
  s.sizeCombinedLessons(1);
  s.Hbk(1, 1) = "5";
  s.Hbk(2, 1) = "0000";
  s.Hbk(3, 1) = plan.meetingTime;
  return s;
}

void fillSchoolSheet(Sheet& sh, const Plan& plan, const School& s) {
  for (int g = plan.preset.firstGrade; g <= plan.preset.lastGrade; ++g)
    sh.setNumber(g + 4, 4, plan.preset.classesPerGrade);
  sh.setValue(5, 7, plan.preset.firstGrade <= 6 ? "育才实验学校" : "育才中学");
  sh.setValue(6, 7, Szc(plan.days));
  sh.setValue(7, 7, Szc(plan.periods));
  sh.setValue(8, 7, Szc(plan.morning));
  sh.setNumber(9, 7, s.Jss);
  sh.setNumber(10, 7, s.Kcs - 1);
  sh.setValue(12, 7, Szc(plan.preset.dailyMost));
  sh.setValue(13, 7, "2026-9-1");
}

void fillTeacherSheet(Sheet& sh, const Plan& plan, const School& s) {
  for (int i = 1; i <= s.Jss; ++i) {
    const demo::Teacher& t = plan.teachers[i - 1];
    sh.setText(i + 6, 2, t.name);
    sh.setText(i + 6, 3, t.shortName);
    for (const demo::Block& b : t.blocks)
      sh.setText(i + 6, teacherPeriodColumn(s, b.weekday, b.period), b.code);
  }
  sh.setText(5, 3, "2字");
}

// One course row: name, short name, kind, limit, banned periods; the research cells are cleared.
void fillCourseRow(Sheet& sh, const Plan& plan, const School& s, int k) {
  const demo::Course& course = plan.courses[k];
  const int r = k + 6;
  sh.setText(r, 2, course.name);
  sh.setText(r, 3, course.shortName);
  sh.setText(r, 4, course.kind == 2 ? QString() : Szc(course.kind));
  sh.setText(r, 5, k == plan.sportsCourse ? Szc(plan.sportsCap) : QString());
  for (int p = 1; p <= s.Mtjs; ++p) {
    sh.setText(r, courseFlagColumn(p), course.banEarly && p <= 2 ? "y" : "");
    sh.setText(r, researchFlagColumn(s, p), "");
  }
  sh.setText(r, researchDayColumn(s), "");
}

void fillCourseSheet(Sheet& sh, const Plan& plan, const School& s) {
  for (int k = 0; k < s.Kcs; ++k) fillCourseRow(sh, plan, s, k);
  for (const auto& [course, times] : plan.research) {
    sh.setText(course + 6, researchDayColumn(s), times.left(2).mid(1));
    for (int i = 0; i < times.size(); i += 4)
      sh.setText(course + 6, researchFlagColumn(s, times.mid(i + 2, 2).toInt()), "y");
  }
}

void fillCombinedSheet(Sheet& sh, const Plan& plan) {
  sh.setText(9, 2, "全校");
  sh.setText(9, 3, "全校各班");
  sh.setNumber(9, 4, plan.meetingCourse);
  sh.setText(9, 5, plan.courses[plan.meetingCourse].name);
  sh.setText(9, 6, "班主任");
  sh.setText(9, 7, "各班班主任");
  sh.setText(9, 8, plan.meetingTime);
}

void fillClassSheet(Sheet& sh, const Plan& plan, const School& s) {
  int r = 6;
  for (int g = plan.preset.firstGrade; g <= plan.preset.lastGrade; ++g)
    for (int b = 1; b <= plan.preset.classesPerGrade; ++b, ++r) {
      const std::map<int, int>& teachers = plan.teacherOf.at({g, b});
      sh.setText(r, 4, Szc(plan.headTeacher.at({g, b})));
      for (const auto& [course, count] : plan.lessons.at(g)) {
        sh.setNumber(r, classCountColumn(course), count);
        const auto it = teachers.find(course);
        if (course != 0 && it != teachers.end())
          sh.setText(r, classTeacherColumn(course), plan.teachers[it->second - 1].name);
      }
    }
  sh.recalculate();
  (void)s;
}

}  // namespace

std::optional<DemoPreset> demoPreset(const QString& name) {
  if (name == "small") return DemoPreset{7, 9, 2};
  if (name == "medium") return DemoPreset{7, 12, 8};
  if (name == "large") return DemoPreset{1, 12, 10};
  if (name == "largest") return DemoPreset{1, 12, 50, 7, 13, 5, kMaxTeachers, 8};
  if (name == "county") return DemoPreset{1, 12, 34, 5, 8, 4, kMaxTeachers, 4};
  return std::nullopt;
}

DemoSchool buildDemoSchool(const DemoPreset& preset, std::uint64_t seed) {
  const Plan plan = demo::makePlan(preset, seed);
  School s = templateModel(plan);
  DemoSchool out{Xjgzb(), Xjgzb(), Xjgzb(), Xjgzb(), Xjgzb()};
  writeSchoolTemplate(out.school.first());
  fillSchoolSheet(out.school.first(), plan, s);
  writeTeacherTemplate(out.teachers.first(), s);
  fillTeacherSheet(out.teachers.first(), plan, s);
  writeCourseTemplate(out.courses.first(), s);
  for (int k = 0; k < s.Kcs; ++k) s.Kcmc(k) = plan.courses[k].name;
  fillCourseSheet(out.courses.first(), plan, s);
  writeCombinedTemplate(out.combined.first());
  fillCombinedSheet(out.combined.first(), plan);
  writeClassTemplate(out.classes.first(), s);
  fillClassSheet(out.classes.first(), plan, s);
  return out;
}

QString writeDemoSchool(const QString& folder, const DemoPreset& preset, std::uint64_t seed) {
  if (!QDir().mkpath(folder)) return "无法建立文件夹“" + QDir::toNativeSeparators(folder) + "”。";
  const DemoSchool school = buildDemoSchool(preset, seed);
  const std::pair<const Workbook*, QString> files[] = {{&school.school, kSchoolSheet},
                                                       {&school.teachers, kTeacherSheet},
                                                       {&school.courses, kCourseSheet},
                                                       {&school.combined, kCombinedSheet},
                                                       {&school.classes, kClassSheet}};
  for (const auto& [book, name] : files) {
    const QString path = QDir(folder).filePath(name + ".xlsx");
    const IoStatus status = saveXlsx(*book, path);
    if (!status.ok()) return status.error;
  }
  return QString();
}

namespace {
const QStringList kTimetableFiles{QStringLiteral("课表.txt"), QStringLiteral("调课.txt")};
}  // namespace

QStringList schoolFilesIn(const QString& folder) {
  QStringList found;
  const QDir dir(folder);
  for (const QString& sheet : {kSchoolSheet, kTeacherSheet, kCourseSheet, kCombinedSheet, kClassSheet})
    for (const QString& ending : {QStringLiteral(".xlsx"), QStringLiteral(".xls")})
      if (QFileInfo(dir.filePath(sheet + ending)).isFile()) found << sheet + ending;
  for (const QString& file : kTimetableFiles)
    if (QFileInfo(dir.filePath(file)).isFile()) found << file;
  return found;
}

QStringList keepTimetableFilesAside(const QString& folder, QString& error) {
  QStringList kept;
  const QDir dir(folder);
  const QString suffix =
      QStringLiteral(".旧-") + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
  for (const QString& file : kTimetableFiles) {
    if (!QFileInfo(dir.filePath(file)).isFile()) continue;
    if (!QFile::rename(dir.filePath(file), dir.filePath(file + suffix))) {
      error = "无法把“" + QDir::toNativeSeparators(dir.filePath(file)) + "”改名为“" + file + suffix + "”。";
      return kept;
    }
    kept << file + suffix;
  }
  return kept;
}

}  // namespace tavro
