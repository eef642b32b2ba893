#include "tests/viewmodel/viewmodel_school.h"

#include "core/procedures.h"
#include "tests/fixtures/small_school.h"

namespace tavro::testing {

School weekSchool(const QString& folder) {
  School s = fixtures::twoGradeSchool();
  s.Wjj = folder;
  s.Mzts = 2;
  s.Mtjs = 3;
  s.Swjs = 2;
  s.Xwjs = 1;
  s.Jsmtzdjs = 3;
  s.Njbjs(8) = 0;
  s.Mnj = 9;
  s.Bjzs = 2;
  s.Bjmcd = 4;
  return s;
}

void putLesson(School& s, int nj, int bj, int xq, int jc, int k, int t, QChar kind) {
  const QString cell = Lbq(3, k) + Lbq(3, t) + QStringLiteral("000") + kind;
  s.Kb(kLongTerm, xq, jc, nj, bj) = cell;
  s.Kb(kTemporary, xq, jc, nj, bj) = cell;
  if (t <= 0) return;
  const QString entry = Lbq(3, k) + Lbq(2, nj) + Lbq(2, bj) + QStringLiteral("000");
  s.Jskb(kLongTerm, xq, jc, t) = entry;
  s.Jskb(kTemporary, xq, jc, t) = entry;
}

void addPlanRow(School& s, int nj, int bj, int k, int t, int n) {
  const int row = ++s.Bjkcs(nj, bj);
  s.Bjkcb(row, 1, nj, bj) = k;
  s.Bjkcb(row, 2, nj, bj) = t;
  s.Bjkcb(row, 3, nj, bj) = n;
}

void browseScheduledClass(Desk& d, bool bothScheduled) {
  School& s = d.s();
  s = weekSchool(d.folder.path());
  putLesson(s, 7, 1, 1, 1, 1, 1);
  putLesson(s, 7, 1, 1, 2, 2, 2);
  putLesson(s, 7, 1, 1, 3, 3, 3);
  putLesson(s, 7, 1, 2, 1, 1, 1);
  putLesson(s, 7, 1, 2, 2, 1, 1);
  putLesson(s, 7, 1, 2, 3, 2, 2);
  addPlanRow(s, 7, 1, 1, 1, 3);
  addPlanRow(s, 7, 1, 2, 2, 2);
  addPlanRow(s, 7, 1, 3, 3, 1);
  addPlanRow(s, 7, 2, 3, 4, 6);
  s.Ypbz(7, 1) = 1;
  s.Ypbjs = 1;
  if (bothScheduled) {
    for (int x = 1; x <= 2; ++x)
      for (int j = 1; j <= 3; ++j) putLesson(s, 7, 2, x, j, 3, 4);
    s.Ypbz(7, 2) = 1;
    s.Ypbjs = 2;
  }
  RunState& st = d.st();
  st.Csz6 = 3;  // large style, four characters per cell
  st.Cshwc = true;
  st.OptYp = true;
  st.Zt = QStringLiteral("查班");
  st.Tsnr = QStringLiteral("　　在“期限”框选择“长期”或“临时”，然后在班级课表上选择需调的课。");
  st.LstJs.addItem(QStringLiteral("000无"));
  for (int t = 1; t <= s.Jss; ++t) st.LstJs.addItem(Lbq(3, t) + s.Jsmc(t));
  d.vm.refillClassList();
  d.vm.selectClass(0);
}

namespace {
// Class 0702: 语文 t1 at 1-1 and 2-3 (everywhere when nowhere), 数学 t2 and 英语 t3 elsewhere.
void fillBlockingClass(School& s, bool nowhere) {
  const int courses[2][3] = {{1, 2, 3}, {2, 3, 1}};
  for (int x = 1; x <= 2; ++x) {
    for (int j = 1; j <= 3; ++j) {
      const int k = nowhere ? 1 : courses[x - 1][j - 1];
      putLesson(s, 7, 2, x, j, k, k);
    }
  }
  if (nowhere) {
    addPlanRow(s, 7, 2, 1, 1, 6);
  } else {
    for (int k = 1; k <= 3; ++k) addPlanRow(s, 7, 2, k, k, 2);
  }
  s.Ypbz(7, 2) = 1;
}
}  // namespace

void forcedSwapMode(Desk& d, bool nowhere, bool nextClass) {
  forcedSwapMode(d.session, d.vm, d.folder.path(), nowhere, nextClass);
}

void forcedSwapMode(Session& session, MainWindowModel& vm, const QString& folder, bool nowhere,
                    bool nextClass) {
  School& s = session.school;
  s = weekSchool(folder);
  s.Jss = s.Jsrs = 5;
  s.sizeTeacherTables();
  const char16_t* names[] = {u"", u"张　三", u"李四光", u"王　五", u"赵六一", u"孙　七"};
  for (int t = 1; t <= 5; ++t) s.Jsmc(t) = QString::fromUtf16(names[t]);
  if (nextClass) {
    s.Njbjs(8) = 1;
    s.Bjzs = 3;
    addPlanRow(s, 8, 1, 3, 5, 6);
  }
  fillBlockingClass(s, nowhere);
  const int courses[2][3] = {{1, 2, 3}, {2, 3, 2}};
  for (int x = 1; x <= 2; ++x)
    for (int j = 1; j <= 3; ++j) putLesson(s, 7, 1, x, j, courses[x - 1][j - 1], x == 1 && j == 1 ? 1 : 4);
  addPlanRow(s, 7, 1, 1, 1, 1);
  addPlanRow(s, 7, 1, 2, 4, 3);
  addPlanRow(s, 7, 1, 3, 4, 2);
  // What the forced placement leaves: class 0702's lesson of teacher 1 parked in row Jss + 1.
  const int park = s.Jss + 1;
  s.Jskb(kLongTerm, 1, 1, park) = QStringLiteral("0010702000");
  s.Jskb(kTemporary, 1, 1, park) = QStringLiteral("001");
  s.Ypbjs = 1;
  RunState& st = session.state;
  st.Csz6 = 3;
  st.Cshwc = true;
  st.OptYp = false;
  st.Zt = QStringLiteral("调课");
  st.Bxdck = QStringLiteral("0101");
  st.DqNj = 7;
  st.DqBj = 1;
  st.Pkdkbz = 1;
  st.Dkzt = 2;
  st.LstBjEnabled = false;
  st.LstJs.addItem(QStringLiteral("000无"));
  for (int t = 1; t <= s.Jss; ++t) st.LstJs.addItem(Lbq(3, t) + s.Jsmc(t));
  vm.refillClassList();
  st.LstBj.setSelected(0, true);
  st.LstBj.setListIndex(0);
  st.MSFG.style = QStringLiteral("Dz4");
  vm.Xsbb(7, 1);
}

}  // namespace tavro::testing
