// The temporary date range and its day count.

#include "temporary/dates.h"

#include "core/procedures.h"
#include "temporary/changefile.h"

namespace tavro {

int Rqts(const QDate& start, const QDate& end) {
  if (!start.isValid() || !end.isValid() || end < start) return 0;
  return static_cast<int>(start.daysTo(end)) + 1;
}

void initDateRange(RunState& st) {
  if (!st.DTPicker1.isValid()) st.DTPicker1 = Jtrq(st);
  if (!st.DTPicker2.isValid()) st.DTPicker2 = st.DTPicker1;
  st.Rqts = Rqts(st.DTPicker1, st.DTPicker2);
}

void DTPicker1_Change(Ctx& c, const QDate& date) {
  c.st.DTPicker1 = date;
  c.st.DTPicker2 = date;
  c.st.Rqts = Rqts(c.st.DTPicker1, c.st.DTPicker2);
}

void DTPicker2_Change(Ctx& c, const QDate& date) {
  c.st.DTPicker2 = date;
  if (date < c.st.DTPicker1) {
    Cwxx(c.ui, QStringLiteral("结束日期不可在开始日期之前！"));
    c.st.DTPicker2 = c.st.DTPicker1;
  }
  c.st.Rqts = Rqts(c.st.DTPicker1, c.st.DTPicker2);
}

}  // namespace tavro
