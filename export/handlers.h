#pragma once
// Event handlers of the export frame: each runs after its control changed
// (the widget, the command line or a test sets the value, then calls the
// handler), with the interplay of the controls: visibility, enabled flags,
// the settings of the current profile and the recomposed title.

#include <optional>

#include "export/context.h"

namespace tavro {

// Start-up of the frame: start values of Dysz, the weekday and period lists, Kbzl = Xiangmu = 0,
// full names, then Dkdydcgs reads the print-format file at path.
void startExportForm(ExportCtx& c, const QString& path);
// Refills LstXq (Xqm(1..Mzts)) and LstJc (periods 1..Mtjs) for the school, nothing selected.
void fillDayAndPeriodLists(ExportCtx& c);
// Fills the main window's LstBj (class code + name) and LstJs (teacher number + name) with every
// class and teacher, nothing selected (for exports made without the main window).
void fillClassAndTeacherLists(ExportCtx& c);
// Refills LstKc with one row per course 0..Kcs-1: Lbq(3, i) + Kcmc(i).
void fillCourseList(ExportCtx& c);

// CmbKbzl_Click: table kind chosen (0..4).
void CmbKbzl_Click(ExportCtx& c, int kind);
// CmbXiangmu_Click: item chosen (0..3); ignored while Cshwc is false.
void CmbXiangmu_Click(ExportCtx& c, int item);
// OptXzjsfs_Click: teacher choice 0 "按代码或姓名", 1 "按班级和课程".
void OptXzjsfs_Click(ExportCtx& c, int index);

// ChkQx_Click, ChkQbkc_Click, ChkQbjs_Click, LstJs_Click: after the box or list changed.
void ChkQx_Click(ExportCtx& c);
void ChkQbkc_Click(ExportCtx& c);
void ChkQbjs_Click(ExportCtx& c);
void LstJs_Click(ExportCtx& c);
// ChkQz_Click, LstXq_Click: weekdays changed.
void ChkQz_Click(ExportCtx& c);
void LstXq_Click(ExportCtx& c);
// ChkQt_Click, ChkWb_Click(k), LstJc_Click: periods changed.
void ChkQt_Click(ExportCtx& c);
void ChkWb_Click(ExportCtx& c, int k);
void LstJc_Click(ExportCtx& c);

// ChkBnfjs_Click, ChkBwfjs_Click: store options 1 and 2 and show or hide the teacher-name frame.
void ChkBnfjs_Click(ExportCtx& c);
void ChkBwfjs_Click(ExportCtx& c);
// OptJsm_Click, OptBjm_Click, OptKcm_Click: store options 18, 19, 20 and the name widths.
void OptJsm_Click(ExportCtx& c, int index);
void OptBjm_Click(ExportCtx& c, int index);
void OptKcm_Click(ExportCtx& c, int index);
// CmbMpzs_Click: per-band count row 0..9 chosen; stores option 23.
void CmbMpzs_Click(ExportCtx& c, int row);
// CmdZt_Click: font dialog k (0 title, 1 body) closed with a font, or nullopt when cancelled.
// A name beginning with "@" shows "不能选用带有@的字体！" and stores nothing.
void CmdZt_Click(ExportCtx& c, int k, const std::optional<FontChoice>& chosen);

// Dcanxsyc: enables the export button when the current choices allow an export (never disables).
void Dcanxsyc(ExportCtx& c);
// Wbxs: the "全天", "上午", "下午" boxes and whether LstJc is enabled.
void Wbxs(ExportCtx& c);
// Qtwb: Wbxs, every period deselected, the title recomposed.
void Qtwb(ExportCtx& c);
// Name widths Jsmkd, Bjmkd, Kcmkd from the chosen name forms.
void setNameWidths(ExportCtx& c);
// Xsbtnrhdydcjz: recomposes the title after an option change.
void Xsbtnrhdydcjz(ExportCtx& c);

}  // namespace tavro
