#pragma once
// The content of a demo school before it is written into sheets: courses,
// per-level course plans, teachers with their classes, head teachers and
// blocked periods. Used by the demo school writer only.

#include <QString>
#include <QStringList>
#include <cstdint>
#include <map>
#include <vector>

#include "sheets/demo_school.h"

namespace tavro::demo {

// One course of the demo list (course numbers follow the list, 0 is "空课").
struct Course {
  QString name, shortName;
  int kind = 2;           // 1 main, 2 ordinary, 3 minor
  bool banEarly = false;  // never in periods 1 and 2
};

// A blocked period of a teacher: "n" asked not to teach, "h" meeting.
struct Block {
  int weekday = 0, period = 0;
  QString code;
};

struct Teacher {
  QString name, shortName;
  std::vector<Block> blocks;
};

// The whole demo school.
struct Plan {
  DemoPreset preset;
  int days = 5, periods = 8, morning = 4;
  std::vector<Course> courses;                // index = course number
  std::vector<Teacher> teachers;              // index = teacher number - 1
  std::map<int, std::map<int, int>> lessons;  // grade -> course -> weekly count (course 0: free periods)
  std::map<std::pair<int, int>, std::map<int, int>> teacherOf;  // (grade, class) -> course -> teacher number
  std::map<std::pair<int, int>, int> headTeacher;               // (grade, class) -> teacher number
  int meetingCourse = 0;                          // the whole-school class meeting course (班会)
  QString meetingTime;                            // its weekday+period code
  int sportsCourse = 0;                           // the course with a simultaneity cap (体育)
  int sportsCap = 0;                              // most classes with sports in one period
  std::vector<std::pair<int, QString>> research;  // (course, weekday+period codes) of research periods
};

// Builds the plan of a preset; the same seed gives the same plan.
Plan makePlan(const DemoPreset& preset, std::uint64_t seed);

// Grade name of a grade code as the school sheet template writes it ("一", "初一", "高三").
QString gradeName(int grade);

}  // namespace tavro::demo
