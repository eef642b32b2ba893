#include "core/school.h"

#include <algorithm>

namespace tavro {

void School::sizeGradeTables() {
  Njbjs.resize({Range{1, kMaxGrade}}, true);
  Njm.resize({Range{1, kMaxGrade}}, true);
  Jlblp.resize({Range{1, kMaxGrade}}, true);
}

void School::sizeClassTables() {
  const Range grades{Snj, Mnj};
  const Range classes{1, Zdbjs};
  Bjmc.resize({grades, classes}, true);
  Bzr.resize({grades, classes}, true);
  Bjkcs.resize({grades, classes}, true);
  Ypbz.resize({grades, classes}, true);
  Bjkcb.resize({Range{1, planRows()}, Range{1, 5}, grades, classes}, true);
  Bjkcjs.resize({grades, classes, Range{1, std::max(Kcs, 1)}}, true);
  Bjkcjsh.resize({grades, classes, Range{1, std::max(Kcs, 1)}}, true);
  Kb.resize({Range{1, 2}, Range{0, kMaxWeekday}, Range{0, kMaxPeriod}, grades, Range{0, Zdbjs}}, true);
}

void School::sizeTeacherTables() {
  Jsmc.resize({Range{0, Jsrs}});
  Jsjc.resize({Range{0, Jsrs}});
  Jsrk.resize({Range{0, Jsrs}});
  Jszjs.resize({Range{0, kMaxTeachers}});
  Jskb.resize({Range{1, 2}, Range{0, kMaxWeekday}, Range{0, kMaxPeriod}, Range{0, Jsrs + 2}});
}

void School::sizeCourseTables() {
  const Range courses{0, Kcs};
  Kcmc.resize({courses}, true);
  Kcjc.resize({courses}, true);
  Kczf.resize({courses}, true);
  Mtjp.resize({courses}, true);
  Szlmc.resize({Range{1, 9}, courses}, true);
  Szlz.resize({Range{1, 9}, Range{1, std::max(Kcs, 1)}}, true);
  Kcszbz.resize({courses}, true);
  Jysj.resize({Range{0, 2}, Range{1, 2}, courses}, true);
  Jysjs.resize({Range{0, 2}, courses}, true);
  if (Snj > 0 && Mnj >= Snj) {
    Bjkcb.resize({Range{1, planRows()}, Range{1, 5}, Range{Snj, Mnj}, Range{1, Zdbjs}}, true);
  }
}

void School::sizeBlockRecords(int n) {
  Hyjys = n;
  Hyjy.resize({Range{1, 4}, Range{1, n}}, true);
}

void School::sizeCombinedLessons(int n) {
  Hbks = n;
  Hbk.resize({Range{1, 6}, Range{1, n}}, true);
  Hbbj.resize({Range{1, n}}, true);
}

bool School::isClass(int nj, int bj) const {
  return nj >= Snj && nj <= Mnj && Njbjs.has(nj) && bj >= 1 && bj <= Njbjs(nj);
}

int School::planRows() const {
  return std::max(Kcs, 40);
}

}  // namespace tavro
