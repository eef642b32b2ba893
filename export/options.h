#pragma once
// ExportForm: the plain data of the frame "导出表格的选项" (FraDc): every option
// control with its value, visibility and enabled flag, the export state the
// producers read (name display, fonts, day and period sets, the title), and
// the settings table Dysz (27 profiles x 46 options) kept in the print-format
// file. The class, course and teacher lists are the main window's LstBj,
// LstKc and LstJs of the run state; OptCqls is the run state's layer option.

#include <QDate>
#include <QString>
#include <array>

#include "core/listbox.h"
#include "core/table.h"

namespace tavro {

// Visible and enabled flags of one control or frame.
struct Shown {
  bool visible = true;
  bool enabled = true;
};

// One font as the font dialog holds it.
struct FontChoice {
  QString name;
  double size = 0;
  bool bold = false;
  bool italic = false;
};

// Profiles and options of Dysz.
inline constexpr int kProfiles = 27;  // profiles 0..26
inline constexpr int kOptions = 46;   // options 0..45

// The caption of the export button while it exports (otherwise it prints change notices).
inline const QString kExportCaption = QStringLiteral("9、导出");

struct ExportForm {
  ExportForm();

  // ---- Settings table ----
  Table<QString, 2> Dysz;  // Dysz: settings (profile 0..26, option 0..45)

  // ---- Table kind and item ----
  int Kbzl = 0;  // Kbzl: table kind 0 班级周表, 1 教师周表, 2 学科总表, 3 教师总表, 4 学校总表
  int Xiangmu = 0;    // Xiangmu: item 0 课表, 1 教师任课情况表, 2 学科教师表, 3 年级教师表
  int OptXzjsfs = 0;  // OptXzjsfs: teacher choice 0 "按代码或姓名", 1 "按班级和课程"

  // ---- Weekdays and periods ----
  bool ChkQz = true;            // ChkQz: "全周"
  ListBox LstXq{false};         // LstXq: weekday names Xqm(1..Mzts), multi-select
  bool ChkQt = true;            // ChkQt: "全天"
  std::array<bool, 2> ChkWb{};  // ChkWb: 0 "上午", 1 "下午"
  ListBox LstJc{false};         // LstJc: one row per period 1..Mtjs, multi-select

  // ---- Teachers, band count, name forms ----
  bool ChkBnfjs = false;  // ChkBnfjs: "课表内附教师"
  bool ChkBwfjs = false;  // ChkBwfjs: "课表外附教师" / "附教师代码"
  QString ChkBwfjsCaption = QStringLiteral("课表外附教师");
  int CmbMpzs = 0;  // CmbMpzs: list index of the per-band count (" 1".."10"), -1 none chosen
  int OptJsm = 1;   // OptJsm: teacher name 0 "简称", 1 "姓名"
  int OptBjm = 1;   // OptBjm: class name 0 "简称", 1 "名称"
  int OptKcm = 1;   // OptKcm: course name 0 "简称", 1 "名称"

  // ---- Classes, courses, teachers ----
  bool ChkQx = true;     // ChkQx: "全校"
  bool ChkQbkc = false;  // ChkQbkc: "全部课程"
  bool ChkQbjs = false;  // ChkQbjs: "全部教师"
  int Xzkcs = 0;         // Xzkcs: selected-course count (Kcs while "全部课程" is checked)
  QString FraKcCaption = QStringLiteral("课程");

  // ---- Fonts ----
  std::array<FontChoice, 2> CMDialog1;  // CMDialog1: font dialog 0 title, 1 body
  std::array<QString, 2> CmdZtCaption;  // CmdZt: captions of the two font buttons
  QString Btzt, Zwzt;                   // Btzt, Zwzt: title and body font names
  int Btzh = 0, Zwzh = 0;               // Btzh, Zwzh: title and body font sizes

  // ---- Day and period sets (Bxxq, Bxjc) ----
  QString Dcxqjh;                              // Dcxqjh: chosen weekdays, 2-digit codes ascending
  int Dcxqs = 0;                               // Dcxqs: their count
  QString Dcjcjh;                              // Dcjcjh: chosen morning then afternoon periods, 2-digit codes
  int Dcjcs = 0;                               // Dcjcs: their count
  int DcSwjs = 0, DcXwjs = 0, DcMtjs = 0;      // DcSwjs, DcXwjs, DcMtjs: morning, afternoon, total counts
  int Swsj = 0, Swmj = 0, Xwsj = 0, Xwmj = 0;  // first/last chosen morning and afternoon period
  int Dcmj = 0;                                // Dcmj: last period of Dcjcjh
  QString Swxwjs;                              // Swxwjs: Szc(DcSwjs) + Szc(DcXwjs)

  // ---- Title ----
  QString Dcbt;  // Dcbt: title of the next sheet
  QString Btnr;  // Btnr: title under construction
  QDate Qyrq;    // Qyrq: effective date of weekly and master tables (set when an export runs)

  // ---- Odd/even week setting of a fortnightly timetable: "1" = the first week is odd ----
  QString Dszbz = QStringLiteral("1");  // Dszbz: week-parity setting

  // ---- Other window state ----
  QString CmdDcCaption = kExportCaption;  // CmdDc caption ("9、导出" while exporting)
  int progress = 0;                       // progress bar 0..100

  // ---- Visibility and enabled flags ----
  Shown FraKb, FraXiangmu, FraXzjsfs, FraXq, FraJc, FraQx, FraKc, FraJs, FraBj, FraJsm, FraBjm, FraKcm,
      FraRqfw;
  Shown ChkQzCtl, LstXqCtl, ChkQtCtl, LstJcCtl, ChkBnfjsCtl, ChkBwfjsCtl, LblMpzs, CmbMpzsCtl;
  Shown ChkQbkcCtl, LstBjCtl, LstKcCtl, LstJsCtl, CmdDc, RichTextBox;
  std::array<Shown, 2> ChkWbCtl;
};

// HXmkb: the current profile: Xiangmu + 10 when Xiangmu is not 0, else Kbzl.
int HXmkb(const ExportForm& f);

// Text of CmbMpzs row i (0..9): " 1".." 9", "10".
QString mpzsText(int row);

// Timetables per band the per-band count chooses; no row chosen counts as 1.
int perBand(const ExportForm& f);

}  // namespace tavro
