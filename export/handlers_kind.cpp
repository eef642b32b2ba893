// The handlers that switch the frame between table kinds and items, and the
// frame's start-up.

#include "core/procedures.h"
#include "core/teacherlist.h"
#include "core/texts.h"
#include "core/vbtext.h"
#include "export/handlers.h"
#include "export/periods.h"
#include "export/settings_file.h"

namespace tavro {

namespace {

using Handler = void (*)(ExportCtx&);

// Sets a check box and runs its handler when its value changed (as a click would).
void setBox(ExportCtx& c, bool& box, bool value, Handler handler) {
  if (box == value) return;
  box = value;
  handler(c);
}

// Selects row i of a list alone.
void selectOnly(ListBox& list, int i) {
  for (int k = 0; k < list.count(); ++k) list.setSelected(k, k == i);
}

// The class-name frame for teacher and subject tables: disabled for school types 9 and 10.
void classNameFrame(ExportCtx& c) {
  c.f.FraBjm.enabled = !(c.s.Xxlx == 9 || c.s.Xxlx == 10);
}

// Step 6 of CmbKbzl_Click: the default fonts of the kind.
void kindFonts(ExportForm& f) {
  const bool small = f.Xiangmu != 0 || f.Kbzl > 1;
  f.Btzt = QStringLiteral("黑体");
  f.Zwzt = QStringLiteral("宋体");
  f.CMDialog1[0].name = f.Btzt;
  f.CMDialog1[1].name = f.Zwzt;
  f.CMDialog1[0].size = small ? 12 : 22;
  f.CMDialog1[1].size = small ? 9 : 16;
  f.Btzh = static_cast<int>(f.CMDialog1[0].size);
  f.Zwzh = static_cast<int>(f.CMDialog1[1].size);
  writeFontCaptions(f);
}

// Steps 2 to 5 of CmbKbzl_Click: teacher choice, "附教师" boxes, course list, per-band count.
void kindControls(ExportCtx& c) {
  ExportForm& f = c.f;
  const int k = f.Kbzl;
  const bool teacherKind = k == 1 || k == 3;
  if (teacherKind) {
    f.OptXzjsfs = 1;
    OptXzjsfs_Click(c, 1);
    f.FraXzjsfs.visible = true;
    f.ChkQbkcCtl.enabled = true;
  } else {
    f.FraXzjsfs.visible = false;
  }
  Wbxs(c);
  f.ChkBwfjsCtl.visible = k != 2;
  if (k == 2) f.ChkBwfjs = false;
  f.FraKcCaption = QStringLiteral("课程");
  if (k > 0) {
    f.ChkBwfjs = false;
    if (teacherKind) f.ChkBwfjsCtl.visible = false;
    fillCourseList(c);
    if (teacherKind) selectOnly(c.st.LstKc, 1);
  }
  const bool noBand = k == 2 || ((k == 3 || k == 4) && c.s.Hsdm == 1);
  f.LblMpzs.visible = f.CmbMpzsCtl.visible = !noBand;
}

// Step 9 of CmbKbzl_Click: the controls of each kind of timetable.
void kindDefaults(ExportCtx& c) {
  ExportForm& f = c.f;
  switch (f.Kbzl) {
    case 0:
    case 4:
      setBox(c, f.ChkQx, true, ChkQx_Click);
      f.ChkBnfjsCtl = Shown{true, true};
      f.FraKcm = Shown{true, true};
      break;
    case 1:
      f.ChkBnfjsCtl.visible = false;
      f.FraKcm = Shown{true, true};
      classNameFrame(c);
      setBox(c, f.ChkQbjs, false, ChkQbjs_Click);
      // The first teacher: row 0 is "000无" (no teacher).
      if (c.st.LstJs.count() > 1) selectOnly(c.st.LstJs, 1);
      break;
    case 2:
      selectOnly(c.st.LstKc, 1);
      f.LstKcCtl.enabled = true;
      setBox(c, f.ChkQbkc, false, ChkQbkc_Click);
      setBox(c, f.ChkBnfjs, true, ChkBnfjs_Click);
      classNameFrame(c);
      f.FraKcm.visible = false;
      break;
    case 3:
      f.FraKcm.visible = true;
      f.FraJs.enabled = true;
      f.ChkBnfjsCtl.visible = false;
      setBox(c, f.ChkQbjs, true, ChkQbjs_Click);
      break;
  }
}

// Steps 3 to 5 of CmbXiangmu_Click: the controls of each item.
void itemControls(ExportCtx& c, int item) {
  ExportForm& f = c.f;
  if (item == 0) {
    f.FraKb.visible = f.FraQx.visible = f.ChkBnfjsCtl.visible = true;
    f.FraKcm.visible = f.FraBjm.visible = f.ChkBwfjsCtl.visible = true;
    f.ChkBwfjsCaption = QStringLiteral("课表外附教师");
    setBox(c, f.ChkQx, true, ChkQx_Click);
    f.LblMpzs.visible = f.CmbMpzsCtl.visible = true;
    CmbKbzl_Click(c, 0);
    setBox(c, f.ChkQbkc, false, ChkQbkc_Click);
  } else if (item == 1) {
    f.FraKb.visible = f.FraXq.visible = f.LblMpzs.visible = f.CmbMpzsCtl.visible = false;
    f.ChkBnfjsCtl.visible = false;
    if (f.OptXzjsfs == 0) {
      setBox(c, f.ChkQbjs, true, ChkQbjs_Click);
    } else {
      setBox(c, f.ChkQx, true, ChkQx_Click);
    }
    f.FraBjm.visible = f.FraKcm.visible = f.FraJsm.visible = true;
  } else {
    setBox(c, f.ChkQx, true, ChkQx_Click);
    f.FraKc.visible = true;
    fillCourseList(c);
    setBox(c, f.ChkQbkc, true, ChkQbkc_Click);
    f.ChkQbkcCtl.enabled = true;
    if (item == 3) f.FraKcm.visible = false;
    f.FraJsm.visible = true;
    c.s.Hsdm = c.s.Xxlx >= 2 ? 1 : 0;
  }
}

}  // namespace

void fillDayAndPeriodLists(ExportCtx& c) {
  c.f.LstXq.clear();
  for (int d = 1; d <= c.s.Mzts && d <= kMaxWeekday; ++d) c.f.LstXq.addItem(Xqm(d > 7 ? d - 7 : d));
  c.f.LstJc.clear();
  for (int p = 1; p <= c.s.Mtjs && p <= kMaxPeriod; ++p) c.f.LstJc.addItem(Szc(p));
}

void fillClassAndTeacherLists(ExportCtx& c) {
  const School& s = c.s;
  c.st.LstBj.clear();
  for (int nj = s.Snj; nj <= s.Mnj; ++nj)
    for (int bj = 1; s.Njbjs.has(nj) && bj <= s.Njbjs(nj); ++bj)
      c.st.LstBj.addItem(Lbq(2, nj) + Lbq(2, bj) + s.Bjmc(nj, bj));
  fillTeacherList(s, c.st.LstJs);
}

void fillCourseList(ExportCtx& c) {
  c.st.LstKc.clear();
  for (int i = 0; i < c.s.Kcs && c.s.Kcmc.has(i); ++i) c.st.LstKc.addItem(Lbq(3, i) + c.s.Kcmc(i));
}

void startExportForm(ExportCtx& c, const QString& path) {
  setStartValues(c.f, c.s);
  c.f.Kbzl = c.f.Xiangmu = 0;
  c.f.OptJsm = c.f.OptBjm = c.f.OptKcm = 1;
  c.f.CmbMpzs = 0;
  fillDayAndPeriodLists(c);
  Dkdydcgs(c, path);
}

void OptXzjsfs_Click(ExportCtx& c, int index) {
  ExportForm& f = c.f;
  f.OptXzjsfs = index == 1 ? 1 : 0;
  if (f.OptXzjsfs == 1) {
    setBox(c, f.ChkQx, true, ChkQx_Click);
    setBox(c, f.ChkQbkc, false, ChkQbkc_Click);
    selectOnly(c.st.LstKc, 1);
  } else {
    if (f.Xiangmu != 1 && f.Kbzl != 1 && f.Kbzl != 3) f.FraJc.visible = true;
    setBox(c, f.ChkQbjs, true, ChkQbjs_Click);
  }
  Dcanxsyc(c);
}

void CmbKbzl_Click(ExportCtx& c, int kind) {
  ExportForm& f = c.f;
  if (kind < 0 || kind > 4) return;
  f.Kbzl = kind;
  if (kind == 1) OptXzjsfs_Click(c, 0);
  kindControls(c);
  kindFonts(f);
  if (f.Xiangmu == 0) {
    f.ChkBnfjsCtl.visible = !(kind == 2 || kind == 3);
    if (kind == 2 || kind == 3) f.ChkBwfjsCtl.visible = false;
    f.ChkBwfjsCaption =
        (kind == 1 || kind == 3) ? QStringLiteral("附教师代码") : QStringLiteral("课表外附教师");
  }
  Dcanxsyc(c);
  setBox(c, f.ChkQz, true, ChkQz_Click);
  f.ChkQzCtl.enabled = true;
  if (f.Xiangmu == 0) kindDefaults(c);
  f.CmdDc.enabled = true;
  Xsbtnrhdydcjz(c);
  Xsdysz(c);
  f.progress = 0;
  c.ui.progress(0);
}

void CmbXiangmu_Click(ExportCtx& c, int item) {
  if (!c.st.Cshwc || item < 0 || item > 3) return;
  ExportForm& f = c.f;
  f.Xiangmu = item;
  if (item > 0) c.st.OptCqls = 0;
  f.FraQx.enabled = item == 0;
  f.FraXq.visible = f.FraJc.visible = item == 0;
  f.FraXzjsfs.visible = item == 1;
  if (item == 1) {
    OptXzjsfs_Click(c, 0);
    f.ChkQbkcCtl.enabled = true;
  }
  if (item >= 2) f.ChkBwfjsCaption = QStringLiteral("附教师代码");
  f.ChkBwfjsCtl.visible = item != 1;
  f.FraRqfw.visible = false;
  itemControls(c, item);
  const int a = HXmkb(f);
  f.ChkBnfjs = ValInt(f.Dysz(a, 1)) == 1;
  f.ChkBwfjs = ValInt(f.Dysz(a, 2)) == 1;
  Dcanxsyc(c);
  Xsbtnrhdydcjz(c);
  Xsdysz(c);
}

}  // namespace tavro
