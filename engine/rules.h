#pragma once
// Slot acceptance rules: may the current lesson go to weekday D, period P of
// its class? One test for a single lesson, one for a two-period block. Each
// rule is a small named function; the first refusal ends a test. All reads are
// of the long-term layer.

#include "core/runstate.h"
#include "core/school.h"
#include "core/slots.h"

namespace tavro {

// The lesson being placed, as the rules see it.
struct LessonAsk {
  int nj = 0, bj = 0;         // the class
  int course = 0;             // C = Pkkch
  int teacher = 0;            // T = Pkjsh, 0 = no teacher
  int remaining = 0;          // S = Sykjs
  int weekly = 0;             // L = lessons per week of the plan row
  int freeDays = 0;           // r = weekdays where class and teacher share a free period and C is not yet
  bool lastTwoItems = false;  // C is the last or second-to-last item of the course list
};

// What a rule reads: the school, the run state (Ctszc), the lesson and the slot (period in range).
struct RuleInput {
  const School& s;
  const RunState& st;
  const LessonAsk& lesson;
  int day;
  int period;
};

// A named rule: refuses returns true when the slot must be refused.
struct SlotRule {
  const char* name;
  bool (*refuses)(const RuleInput&);
};

// Name of the first single-lesson rule that refuses (D, P), nullptr when accepted. P is brought into
// range first: below 1 it becomes 1, above Mtjs it becomes P - Mtjs.
const char* singleRefusal(const School& s, const RunState& st, const LessonAsk& lesson, int day, int period);
// True when the single-lesson test accepts (D, P).
bool singleAccepted(const School& s, const RunState& st, const LessonAsk& lesson, int day, int period);

// Name of the first double-block rule that refuses the block P, P + 1 on day D, nullptr when accepted.
// P below 1 becomes P + Mtjs first.
const char* doubleRefusal(const School& s, const RunState& st, const LessonAsk& lesson, int day, int period);
// True when the double-block test accepts the block starting at P.
bool doubleAccepted(const School& s, const RunState& st, const LessonAsk& lesson, int day, int period);

// Number of lessons of teacher t on weekday d in periods from..to (teacher cells valued above 9).
int teacherLessons(const School& s, int t, int d, int from, int to);

}  // namespace tavro
