#include "export/periods.h"

#include "core/procedures.h"
#include "core/vbtext.h"

namespace tavro {

namespace {

// Codes lo..hi as 2-digit texts.
QString periodRun(int lo, int hi) {
  QString codes;
  for (int p = lo; p <= hi; ++p) codes += Lbq(2, p);
  return codes;
}

// The value of the first and of the last 2-digit code of a part (0 when empty).
int firstCode(const QString& part) {
  return part.isEmpty() ? 0 : ValMid(part, 0, 2);
}
int lastCode(const QString& part) {
  return part.isEmpty() ? 0 : ValMid(part, part.size() - 2, 2);
}

}  // namespace

void Bxxq(ExportCtx& c) {
  ExportForm& f = c.f;
  f.Dcxqjh.clear();
  f.Dcxqs = 0;
  if (f.ChkQz) {
    for (int d = 1; d <= c.s.Mzts; ++d) f.Dcxqjh += Lbq(2, d);
    f.Dcxqs = c.s.Mzts;
    return;
  }
  for (int i = 0; i < f.LstXq.count(); ++i) {
    if (!f.LstXq.selected(i)) continue;
    f.Dcxqjh += Lbq(2, i + 1);
    ++f.Dcxqs;
  }
}

void Bxjc(ExportCtx& c) {
  ExportForm& f = c.f;
  const School& s = c.s;
  const bool afternoonOnly = c.st.Zyxw == 1;
  QString morning, afternoon;
  if (f.LstJc.selectedCount() > 0) {
    for (int i = 1; i <= f.LstJc.count(); ++i) {
      if (!f.LstJc.selected(i - 1)) continue;
      if (afternoonOnly || (i > s.Swjs && i <= s.Swjs + s.Xwjs)) {
        afternoon += Lbq(2, i);
      } else if (i <= s.Swjs) {
        morning += Lbq(2, i);
      }
    }
  } else if (afternoonOnly) {
    afternoon = periodRun(1, s.Swjs);
  } else {
    if (f.ChkQt || f.ChkWb[0]) morning = periodRun(1, s.Swjs);
    if (f.ChkQt || f.ChkWb[1]) afternoon = periodRun(s.Swjs + 1, s.Swjs + s.Xwjs);
  }
  f.Swsj = firstCode(morning);
  f.Swmj = lastCode(morning);
  f.Xwsj = firstCode(afternoon);
  f.Xwmj = lastCode(afternoon);
  f.DcSwjs = static_cast<int>(morning.size() / 2);
  f.DcXwjs = static_cast<int>(afternoon.size() / 2);
  f.Dcjcjh = morning + afternoon;
  f.Dcjcs = static_cast<int>(f.Dcjcjh.size() / 2);
  f.Dcmj = lastCode(f.Dcjcjh);
  f.DcMtjs = f.DcSwjs + f.DcXwjs;
  f.Swxwjs = Szc(f.DcSwjs) + Szc(f.DcXwjs);
}

}  // namespace tavro
