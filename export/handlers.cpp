#include "export/handlers.h"

#include "core/procedures.h"
#include "export/periods.h"
#include "export/selection.h"
#include "export/settings_file.h"
#include "export/title.h"

namespace tavro {

namespace {

// Deselects every row of a list.
void deselectAll(ListBox& list) {
  for (int i = 0; i < list.count(); ++i) list.setSelected(i, false);
}

// True when a class is selected in LstBj.
bool classChosen(const RunState& st) {
  return st.LstBj.selectedCount() > 0;
}
// True when a course is selected in LstKc.
bool courseChosen(const RunState& st) {
  return st.LstKc.selectedCount() > 0;
}
// True when a teacher is selected in LstJs.
bool teacherChosen(const RunState& st) {
  return st.LstJs.selectedCount() > 0;
}

// The teacher rule: item 1, or kind 1 and 3 with "按代码或姓名".
bool teachersByName(const ExportForm& f) {
  return f.OptXzjsfs == 0 && (f.Xiangmu == 1 || (f.Xiangmu == 0 && (f.Kbzl == 1 || f.Kbzl == 3)));
}

// Stores value as option j of the current profile.
void store(ExportForm& f, int j, int value) {
  f.Dysz(HXmkb(f), j) = Szc(value);
}

// The enabling test of ChkQbjs_Click and LstJs_Click.
void enableForTeachers(ExportCtx& c) {
  if (teachersByName(c.f)) c.f.CmdDc.enabled = true;
}

}  // namespace

void Dcanxsyc(ExportCtx& c) {
  const ExportForm& f = c.f;
  const bool classes = classChosen(c.st) || f.ChkQx;
  bool ok = false;
  if (f.Xiangmu == 0 && (f.Kbzl == 0 || f.Kbzl == 4)) {
    ok = classes;
  } else if ((f.Xiangmu == 0 && f.Kbzl == 2) || f.Xiangmu == 2) {
    ok = courseChosen(c.st) || (f.Xiangmu == 2 && f.ChkQbkc);
  } else if (f.Xiangmu == 1 || teachersByName(f)) {
    ok = teacherChosen(c.st) || f.ChkQbjs;
  } else if (f.Xiangmu == 0 && (f.Kbzl == 1 || f.Kbzl == 3)) {
    ok = (classes && courseChosen(c.st)) || ((courseChosen(c.st) || f.ChkQbkc) && classChosen(c.st));
  }
  if (ok) c.f.CmdDc.enabled = true;
}

void Wbxs(ExportCtx& c) {
  ExportForm& f = c.f;
  f.ChkQtCtl.enabled = true;
  f.ChkWbCtl[0].visible = c.s.Swjs > 0 && c.st.Zyxw == 0;
  f.ChkWbCtl[1].visible = c.s.Xwjs > 0 || c.st.Zyxw == 1;
  f.LstJcCtl.enabled = !(f.ChkQt || f.ChkWb[0] || f.ChkWb[1]);
}

void Qtwb(ExportCtx& c) {
  Wbxs(c);
  deselectAll(c.f.LstJc);
  Xsbtnrhdydcjz(c);
}

void setNameWidths(ExportCtx& c) {
  const School& s = c.s;
  RunState& st = c.st;
  st.Jsmkd = c.f.OptJsm == 1 ? s.Jsmcd : 2;
  const bool keep = s.Xxlx == 7 || s.Xxlx == 9 || s.Xxlx == 10 || s.Xxlx == 11;
  st.Bjmkd = (c.f.OptBjm == 1 || keep) ? s.Bjmcd : s.Bjmcd - 1;
  if (s.Xxlx == 7 || s.Xxlx == 11) st.Bjmkd -= 1;
  st.Kcmkd = c.f.OptKcm == 1 ? s.Kcmcd : s.Kcjccd;
}

void Xsbtnrhdydcjz(ExportCtx& c) {
  Xsbtnr(c);
}

void ChkQx_Click(ExportCtx& c) {
  ExportForm& f = c.f;
  if (f.Kbzl == 2 && !f.ChkQx) Tsxx(c.ui, QStringLiteral("导出学科总表必需选择“全校”！"));
  if (f.ChkQx) {
    const bool was = c.st.Cshwc;
    c.st.Cshwc = false;
    deselectAll(c.st.LstBj);
    c.st.Cshwc = was;
  }
  f.LstBjCtl.enabled = !f.ChkQx;
  Dcanxsyc(c);
}

void ChkQbkc_Click(ExportCtx& c) {
  ExportForm& f = c.f;
  if (f.ChkQbkc) {
    f.Xzkcs = c.s.Kcs;
    deselectAll(c.st.LstKc);
    f.LstKcCtl.enabled = false;
    if (f.Kbzl == 2) f.CmdDc.enabled = true;
  } else {
    f.Xzkcs = 0;
    f.LstKcCtl.enabled = true;
    if (c.st.LstKc.count() > 1) c.st.LstKc.setSelected(1, true);
  }
  Xsbtnrhdydcjz(c);
  Dcanxsyc(c);
}

void ChkQbjs_Click(ExportCtx& c) {
  ExportForm& f = c.f;
  if (f.ChkQbjs) {
    deselectAll(c.st.LstJs);
    f.LstJsCtl.enabled = false;
    enableForTeachers(c);
  } else {
    f.LstJsCtl.enabled = true;
  }
  Xsbtnrhdydcjz(c);
}

void LstJs_Click(ExportCtx& c) {
  enableForTeachers(c);
}

void ChkQz_Click(ExportCtx& c) {
  ExportForm& f = c.f;
  if (f.ChkQz) {
    deselectAll(f.LstXq);
    f.LstXqCtl.enabled = false;
  } else {
    f.LstXqCtl.enabled = true;
    if (f.LstXq.count() > 0) f.LstXq.setSelected(0, true);
  }
  Xsbtnrhdydcjz(c);
  Bxxq(c);
}

void LstXq_Click(ExportCtx& c) {
  Xsbtnrhdydcjz(c);
  Bxxq(c);
}

void ChkQt_Click(ExportCtx& c) {
  ExportForm& f = c.f;
  if (f.ChkQt) {
    f.ChkWb = {false, false};
  } else {
    f.DcSwjs = f.DcXwjs = f.Swsj = f.Xwsj = 0;
  }
  Qtwb(c);
  Xsbtnrhdydcjz(c);
  Bxjc(c);
}

void ChkWb_Click(ExportCtx& c, int k) {
  ExportForm& f = c.f;
  if (f.ChkWb.at(k)) f.ChkQt = false;
  Qtwb(c);
  Xsbtnrhdydcjz(c);
  if (k == 0 && !f.ChkWb[0]) {
    f.Swsj = 0;
  } else if (k == 1 && !f.ChkWb[1]) {
    f.Xwsj = 0;
  }
  Bxjc(c);
}

void LstJc_Click(ExportCtx& c) {
  ExportForm& f = c.f;
  int chosen = 0;
  for (int i = 0; i < f.LstJc.count() && i < c.s.Mtjs; ++i)
    if (f.LstJc.selected(i)) ++chosen;
  if (chosen > 0 && chosen == c.s.Mtjs) {
    deselectAll(f.LstJc);
    f.ChkQt = true;
    Wbxs(c);
  }
  if (chosen > 0) Xsbtnrhdydcjz(c);
  Bxjc(c);
}

void ChkBnfjs_Click(ExportCtx& c) {
  ExportForm& f = c.f;
  store(f, 1, f.ChkBnfjs ? 1 : 0);
  if (f.Xiangmu == 0) f.FraJsm.visible = f.Kbzl != 0 || f.ChkBnfjs;
}

void ChkBwfjs_Click(ExportCtx& c) {
  store(c.f, 2, c.f.ChkBwfjs ? 1 : 0);
  c.f.FraJsm.visible = c.f.ChkBwfjs;
}

void OptJsm_Click(ExportCtx& c, int index) {
  c.f.OptJsm = index == 0 ? 0 : 1;
  store(c.f, 18, c.f.OptJsm);
  setNameWidths(c);
}

void OptBjm_Click(ExportCtx& c, int index) {
  c.f.OptBjm = index == 0 ? 0 : 1;
  store(c.f, 19, c.f.OptBjm);
  c.st.Bjmxs = c.f.OptBjm + 1;
  setNameWidths(c);
}

void OptKcm_Click(ExportCtx& c, int index) {
  c.f.OptKcm = index == 0 ? 0 : 1;
  store(c.f, 20, c.f.OptKcm);
  c.st.Kcmxs = c.f.OptKcm + 1;
  setNameWidths(c);
}

void CmbMpzs_Click(ExportCtx& c, int row) {
  if (row < 0 || row > 9) return;
  c.f.CmbMpzs = row;
  store(c.f, 23, row + 1);
}

void CmdZt_Click(ExportCtx& c, int k, const std::optional<FontChoice>& chosen) {
  if (!chosen || k < 0 || k > 1) return;
  if (chosen->name.startsWith(u'@')) {
    Tsxx(c.ui, QStringLiteral("不能选用带有@的字体！"));
    return;
  }
  ExportForm& f = c.f;
  const int first = k == 0 ? 35 : 39;
  const int a = HXmkb(f);
  f.CMDialog1[k] = *chosen;
  f.Dysz(a, first) = chosen->name;
  f.Dysz(a, first + 1) = Szc(chosen->size);
  f.Dysz(a, first + 2) = chosen->bold ? QStringLiteral("True") : QStringLiteral("False");
  f.Dysz(a, first + 3) = chosen->italic ? QStringLiteral("True") : QStringLiteral("False");
  f.Btzt = f.CMDialog1[0].name;
  f.Btzh = static_cast<int>(f.CMDialog1[0].size);
  f.Zwzt = f.CMDialog1[1].name;
  f.Zwzh = static_cast<int>(f.CMDialog1[1].size);
  writeFontCaptions(f);
}

}  // namespace tavro
