// After a generated school is scheduled, any sequence of swaps whose swap test
// passed keeps every invariant: class and teacher cells agree, no teacher is
// in two places, plans, combined lessons, blocks and caps hold.

#include <gtest/gtest.h>

#include <random>

#include "adjust/swap.h"
#include "adjust/swaptest.h"
#include "core/slots.h"
#include "engine/checks.h"
#include "tests/engine/engine_support.h"
#include "tests/fixtures/generated_school.h"

namespace tavro::testing {
namespace {

// Tries one random exchange in a random class; true when the swap test passed and it was made.
bool randomSwap(Bench& b, std::mt19937& pick) {
  School& s = b.s;
  RunState& st = b.st;
  const int nj = s.Snj + static_cast<int>(pick() % static_cast<unsigned>(s.Mnj - s.Snj + 1));
  if (s.Njbjs(nj) == 0) return false;
  const int bj = 1 + static_cast<int>(pick() % static_cast<unsigned>(s.Njbjs(nj)));
  auto slot = [&](int& xq, int& jc) {
    xq = 1 + static_cast<int>(pick() % static_cast<unsigned>(s.Mzts));
    jc = 1 + static_cast<int>(pick() % static_cast<unsigned>(s.Mtjs));
  };
  slot(st.Xq1, st.Jc1);
  slot(st.Xq2, st.Jc2);
  if (st.Xq1 == st.Xq2 && st.Jc1 == st.Jc2) return false;
  int k1 = 0, k2 = 0;
  QString kind;
  Bbsrb(s, st.Dqcqls, nj, bj, st.Xq1, st.Jc1, k1, st.Jsh1, kind);
  if (kind >= u"5") return false;  // a combined lesson is never chosen as the lesson to move
  Bbsrb(s, st.Dqcqls, nj, bj, st.Xq2, st.Jc2, k2, st.Jsh2, kind);
  Ctx c = b.ctx();
  if (!Jcnfdk(c, k1, k2, nj, bj)) return false;
  Dk(c, nj, bj, st.Xq1, st.Jc1, st.Xq2, st.Jc2);
  return true;
}

TEST(SwapProperties, PassedSwapsKeepEveryInvariant) {
  int schools = 0, swaps = 0;
  for (std::uint64_t seed = 1; seed <= 8; ++seed) {
    Bench b(fixtures::generatedSchool(seed, {2, 3, 5, 8}), seed);
    prepareRun(b);
    if (scheduleEveryClass(b) > 0) continue;
    ++schools;
    b.st.Bxdck.clear();
    b.st.Dkzt = 0;
    std::mt19937 pick(static_cast<unsigned>(seed));
    for (int i = 0; i < 400; ++i) swaps += randomSwap(b, pick) ? 1 : 0;
    const QStringList faults = timetableFaults(b.s, b.st);
    ASSERT_TRUE(faults.isEmpty()) << "seed " << seed << ": " << faults.mid(0, 5).join(u"; ").toStdString();
    b.ui.clearEvents();
    Ctx c = b.ctx();
    EXPECT_EQ(Phjckcct(c), 0) << "seed " << seed;
    EXPECT_TRUE(b.ui.allTexts().isEmpty()) << "seed " << seed;
  }
  EXPECT_GE(schools, 4);
  EXPECT_GE(swaps, schools * 20);
}

}  // namespace
}  // namespace tavro::testing
