#include "tests/engine/engine_support.h"

#include "core/cells.h"
#include "core/procedures.h"
#include "core/slots.h"
#include "engine/placement.h"
#include "engine/rules.h"
#include "tests/fixtures/small_school.h"

namespace tavro::testing {

Bench twoGradesWithChinesePlans() {
  Bench b(fixtures::twoGradeSchool());
  for (int k = 0; k < b.s.Kcs; ++k) b.s.Kcszbz(k) = QStringLiteral("00000000");
  for (int bj = 1; bj <= 2; ++bj) {
    b.s.Bjkcs(7, bj) = 1;
    b.s.Bjkcb(1, 1, 7, bj) = 1;
    b.s.Bjkcb(1, 2, 7, bj) = 1;
    b.s.Bjkcb(1, 3, 7, bj) = 4;
  }
  resetCtszc(b.s, b.st);
  return b;
}

School oneClassSchool(int nj) {
  School s;
  s.Mzts = 5;
  s.Mtjs = 8;
  s.Swjs = 4;
  s.Xwjs = 4;
  s.Jss = s.Jsrs = 3;
  s.Kcs = 4;
  s.Jsmtzdjs = 6;
  s.Xxlx = nj <= 6 ? 7 : 4;
  s.sizeGradeTables();
  s.Snj = s.Mnj = nj;
  s.Njbjs(nj) = 1;
  s.Njm(nj) = QStringLiteral("年级");
  s.Zdbjs = 1;
  s.Bjzs = 1;
  s.sizeClassTables();
  s.Bjmc(nj, 1) = QStringLiteral("一班");
  s.sizeTeacherTables();
  s.sizeCourseTables();
  const char16_t* names[] = {u"空课", u"语文", u"数学", u"英语"};
  for (int c = 0; c < 4; ++c) {
    s.Kcmc(c) = QString::fromUtf16(names[c]);
    s.Kcjc(c) = s.Kcmc(c).left(1);
    s.Kczf(c) = 2;
    s.Mtjp(c) = QStringLiteral("11111111");
    s.Kcszbz(c) = QStringLiteral("00000000");
  }
  s.sizeBlockRecords(0);
  s.sizeCombinedLessons(0);
  return s;
}

Bench::Bench(School school, std::uint64_t seed) : s(std::move(school)), rng(seed) {
  s.Wjj = folder.path();
  resetCtszc(s, st);
}

void prepareRun(Bench& b) {
  Ctx c = b.ctx();
  resetCtszc(b.s, b.st);
  b.st.Dqcqls = 1;
  b.st.OptCqls = 0;
  b.st.OptYp = false;
  for (int n = 1; n <= b.s.Hbks; ++n) {
    const QString classes = b.s.Hbk(2, n), times = b.s.Hbk(3, n), field5 = b.s.Hbk(5, n);
    for (int t = 0; t + 4 <= times.size(); t += 4) {
      for (int nj = b.s.Snj; nj <= b.s.Mnj; ++nj) {
        for (int bj = 1; bj <= b.s.Njbjs(nj); ++bj) {
          const QString code = Lbq(2, nj) + Lbq(2, bj);
          bool member = classes == QStringLiteral("0000");
          for (int i = 0; i + 4 <= classes.size() && !member; i += 4) member = classes.mid(i, 4) == code;
          if (!member) continue;
          const QString teachers = field5 == QStringLiteral("班主任") ? Lbq(3, b.s.Bzr(nj, bj))
                                   : field5 == QStringLiteral("000")  ? QString()
                                                                      : field5;
          Cltyk(c, n, nj, bj, cellDigits(times, t, 2), cellDigits(times, t + 2, 2), ValInt(b.s.Hbk(4, n)),
                teachers);
        }
      }
    }
  }
}

void selectClass(RunState& st, const School& s, int nj, int bj) {
  st.LstBj.clear();
  st.LstBj.addItem(Lbq(2, nj) + Lbq(2, bj) + s.Bjmc(nj, bj));
  st.LstBj.setSelected(0, true);
  st.LstBj.setListIndex(0);
}

int scheduleEveryClass(Bench& b) {
  int swapMode = 0;
  for (int nj = b.s.Snj; nj <= b.s.Mnj; ++nj) {
    for (int bj = 1; bj <= b.s.Njbjs(nj); ++bj) {
      selectClass(b.st, b.s, nj, bj);
      Ctx c = b.ctx();
      if (Jp(c, b.host, nj, bj) == JpOutcome::SwapMode) {
        ++swapMode;
        b.st.Bxdck.clear();
      }
    }
  }
  return swapMode;
}

void putLesson(School& s, RunState& st, int nj, int bj, int xq, int jc, int kch, int jsh) {
  int ypts = 0;
  const SchedState saved = st.Sched;
  Clbbrb(s, st, nj, bj, xq, jc, kch, jsh, ypts, kLongTerm);
  st.Sched = saved;
}

}  // namespace tavro::testing
