#include "sheets/demo_plan.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "core/procedures.h"
#include "core/rng.h"
#include "core/texts.h"

namespace tavro::demo {

namespace {

// Course numbers of the demo list.
enum CourseNo {
  kFree,
  kChinese,
  kMaths,
  kEnglish,
  kPhysics,
  kChemistry,
  kBiology,
  kPolitics,
  kHistory,
  kGeography,
  kSports,
  kArt,
  kMusic,
  kComputing,
  kScience,
  kMorals,
  kStudy,
  kMeeting,
  kCourseCount
};

std::vector<Course> demoCourses() {
  return {{"空课", "╳", 3, false},  {"语文", "语", 1, false}, {"数学", "数", 1, false},
          {"外语", "外", 1, false}, {"物理", "物", 2, false}, {"化学", "化", 2, false},
          {"生物", "生", 2, false}, {"政治", "政", 2, false}, {"历史", "历", 2, false},
          {"地理", "地", 2, false}, {"体育", "体", 3, true},  {"美术", "美", 3, true},
          {"音乐", "音", 3, true},  {"信息", "信", 3, false}, {"科学", "科", 2, false},
          {"思品", "思", 2, false}, {"自习", "自", 3, false}, {"班会", "班", 3, false}};
}

// Weekly lessons of one level; with the class meeting they fill the 40 periods of the week.
std::map<int, int> levelPlan(int grade) {
  if (grade <= 6)
    return {{kChinese, 8}, {kMaths, 6}, {kEnglish, 3},   {kScience, 2}, {kMorals, 2}, {kSports, 4},
            {kArt, 2},     {kMusic, 2}, {kComputing, 1}, {kStudy, 5},   {kFree, 4}};
  if (grade <= 9)
    return {{kChinese, 6},  {kMaths, 6},   {kEnglish, 5},   {kPhysics, 3}, {kChemistry, 2},
            {kPolitics, 2}, {kHistory, 2}, {kGeography, 2}, {kBiology, 2}, {kSports, 3},
            {kArt, 1},      {kMusic, 1},   {kComputing, 1}, {kStudy, 3}};
  return {{kChinese, 5}, {kMaths, 6},    {kEnglish, 5},   {kPhysics, 4},   {kChemistry, 3},
          {kBiology, 3}, {kPolitics, 2}, {kHistory, 2},   {kGeography, 2}, {kSports, 2},
          {kArt, 1},     {kMusic, 1},    {kComputing, 1}, {kStudy, 2}};
}

// The plan of a level for a week of days x periods. A week longer than the 40 periods of the level
// plan gets its main subjects twice, then study periods up to two a day, then free periods: the
// teachers' share stays what they can teach, and study periods (which never sit side by side when
// a day holds several) still fit.
std::map<int, int> weekPlan(int grade, int days, int periods) {
  std::map<int, int> plan = levelPlan(grade);
  const int week = days * periods;
  if (week <= 40) return plan;
  for (int course : {kChinese, kMaths, kEnglish}) plan[course] *= 2;
  int total = 1;  // the class meeting
  for (const auto& [course, count] : plan) total += count;
  const int study = std::clamp(2 * days - plan[kStudy], 0, week - total);
  plan[kStudy] += study;
  plan[kFree] += week - total - study;
  return plan;
}

int randomIn(Rng& rng, int lo, int hi) {
  return lo + static_cast<int>(rng.next() * (hi - lo + 1));
}

// Splits classes 1..n into groups of 2 to maxGroup classes; no class is left alone (a group of 2
// grows to 3 rather than leave one class over).
std::vector<std::vector<int>> classGroups(Rng& rng, int n, int maxGroup) {
  std::vector<std::vector<int>> groups;
  int next = 1;
  while (next <= n) {
    const int remaining = n - next + 1;
    int size = std::min(randomIn(rng, 2, maxGroup), remaining);
    if (remaining - size == 1) size = size < maxGroup || size == 2 ? size + 1 : size - 1;
    groups.emplace_back();
    for (int i = 0; i < size && next <= n; ++i) groups.back().push_back(next++);
  }
  return groups;
}

const QString kSurnames =
    "王李张刘陈杨黄赵吴周徐孙马朱胡郭何高林罗郑梁谢宋唐许韩冯邓曹彭曾肖田董袁潘蒋蔡余杜叶程魏苏吕丁任沈";
const QString kGiven =
    "伟芳娜秀英敏静丽强磊军洋勇艳杰娟涛明超兰霞平刚桂华建国志红玉梅春晓文海燕新宇亮辉鹏飞俊凤云婷雪琳晨";

// A new teacher with a three-character name whose last two characters no other teacher has.
Teacher newTeacher(Rng& rng, std::set<QString>& usedGiven) {
  for (;;) {
    const QString given = QString(kGiven.at(randomIn(rng, 0, kGiven.size() - 1))) +
                          kGiven.at(randomIn(rng, 0, kGiven.size() - 1));
    if (given.at(0) == given.at(1) || usedGiven.count(given)) continue;
    usedGiven.insert(given);
    return Teacher{QString(kSurnames.at(randomIn(rng, 0, kSurnames.size() - 1))) + given, given, {}};
  }
}

// Teachers of every course of every grade, 2 to 4 classes each (2 for courses of 5 or more lessons).
void assignTeachers(Plan& plan, Rng& rng) {
  std::set<QString> usedGiven;
  for (int g = plan.preset.firstGrade; g <= plan.preset.lastGrade; ++g)
    for (const auto& [course, count] : plan.lessons[g]) {
      if (course == kFree || course == kStudy) continue;
      const int maxGroup = count >= 5 ? 2 : (count >= 3 ? 3 : 4);
      for (const std::vector<int>& group : classGroups(rng, plan.preset.classesPerGrade, maxGroup)) {
        plan.teachers.push_back(newTeacher(rng, usedGiven));
        for (int b : group) plan.teacherOf[{g, b}][course] = static_cast<int>(plan.teachers.size());
      }
    }
}

// The number of teachers of each (grade, course) when `total` teachers share all lessons: in
// proportion to the course's weekly lessons in the grade, at least 1 and at most one per class; the
// teachers left over go one by one to the course whose teachers carry the most lessons.
std::map<std::pair<int, int>, int> teacherCounts(const Plan& plan, int total) {
  std::map<std::pair<int, int>, int> load, counts;
  int all = 0, given = 0;
  for (const auto& [g, lessons] : plan.lessons)
    for (const auto& [course, count] : lessons)
      if (course != kFree && course != kStudy) all += load[{g, course}] = count * plan.preset.classesPerGrade;
  for (const auto& [key, lessons] : load)
    given += counts[key] = std::clamp(lessons * total / std::max(all, 1), 1, plan.preset.classesPerGrade);
  for (; given < total; ++given) {
    auto busiest = counts.end();
    for (auto it = counts.begin(); it != counts.end(); ++it)
      if (it->second < plan.preset.classesPerGrade &&
          (busiest == counts.end() || load[it->first] * busiest->second > load[busiest->first] * it->second))
        busiest = it;
    if (busiest == counts.end()) break;
    ++busiest->second;
  }
  return counts;
}

// Exactly `total` teachers (when the classes allow): each (grade, course) splits its classes into
// runs of nearly equal size, one teacher per run.
void assignTeachersToCount(Plan& plan, Rng& rng, int total) {
  std::set<QString> usedGiven;
  const int n = plan.preset.classesPerGrade;
  for (const auto& [key, count] : teacherCounts(plan, total))
    for (int i = 0; i < count; ++i) {
      plan.teachers.push_back(newTeacher(rng, usedGiven));
      for (int b = i * n / count + 1; b <= (i + 1) * n / count; ++b)
        plan.teacherOf[{key.first, b}][key.second] = static_cast<int>(plan.teachers.size());
    }
}

// Head teachers: the class's Chinese, maths or English teacher (else physics or history, else
// any of its teachers) who heads no other class yet.
void assignHeadTeachers(Plan& plan) {
  std::set<int> heads;
  for (auto& [cls, courses] : plan.teacherOf) {
    std::vector<int> order = {kChinese, kMaths, kEnglish, kPhysics, kHistory};
    for (const auto& [course, teacher] : courses) order.push_back(course);
    for (int course : order) {
      const auto it = courses.find(course);
      if (it == courses.end() || heads.count(it->second)) continue;
      heads.insert(it->second);
      plan.headTeacher[cls] = it->second;
      break;
    }
  }
}

// Some teachers asked not to teach in one or two periods; the English teachers meet weekly.
void addBlocks(Plan& plan, Rng& rng) {
  std::set<int> english;
  for (const auto& [cls, courses] : plan.teacherOf)
    if (courses.count(kEnglish)) english.insert(courses.at(kEnglish));
  for (int t : english) plan.teachers[t - 1].blocks.push_back({4, 8, "h"});
  for (std::size_t i = 0; i < plan.teachers.size(); ++i) {
    if (rng.next() >= 0.12) continue;
    const int day = randomIn(rng, 1, plan.days), first = randomIn(rng, 1, plan.periods - 1);
    if (day == 1 || english.count(static_cast<int>(i) + 1)) continue;  // keep Monday (class meeting) free
    plan.teachers[i].blocks.push_back({day, first, "n"});
    if (rng.next() < 0.5) plan.teachers[i].blocks.push_back({day, first + 1, "n"});
  }
}

}  // namespace

QString gradeName(int grade) {
  static const QStringList upper = {"初一", "初二", "初三", "高一", "高二", "高三"};
  return grade <= 6 ? Hzsz(grade) : upper.at(grade - 7);
}

Plan makePlan(const DemoPreset& preset, std::uint64_t seed) {
  Rng rng(seed);
  Plan plan;
  plan.preset = preset;
  plan.days = preset.days;
  plan.periods = preset.periods;
  plan.morning = preset.morning;
  plan.courses = demoCourses();
  for (int g = preset.firstGrade; g <= preset.lastGrade; ++g)
    plan.lessons[g] = weekPlan(g, preset.days, preset.periods);
  if (preset.teachers > 0)
    assignTeachersToCount(plan, rng, preset.teachers);
  else
    assignTeachers(plan, rng);
  assignHeadTeachers(plan);
  addBlocks(plan, rng);
  plan.meetingCourse = kMeeting;
  plan.meetingTime = "0108";
  plan.sportsCourse = kSports;
  int sports = 0;
  for (const auto& [g, lessons] : plan.lessons) sports += lessons.at(kSports) * preset.classesPerGrade;
  const int sportsSlots = plan.days * (plan.periods - 2);
  plan.sportsCap = std::max(2, static_cast<int>(std::ceil(1.5 * sports / sportsSlots)));
  plan.research = {{kChinese, "02070208"}, {kMaths, "03070308"}};
  return plan;
}

}  // namespace tavro::demo
