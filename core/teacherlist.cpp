#include "core/teacherlist.h"

#include "core/procedures.h"

namespace tavro {

void fillTeacherList(const School& s, ListBox& list) {
  list.clear();
  list.addItem(QStringLiteral("000无"));
  for (int t = 1; t <= s.Jss && s.Jsmc.has(t); ++t) list.addItem(Lbq(3, t) + s.Jsmc(t));
}

}  // namespace tavro
