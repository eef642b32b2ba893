#pragma once
// RunState: what lives for one run of the program beside the School model and
// is read or written by the engine and the windows: list contents and
// selections, option buttons, the mode word, the current layer, the swap
// context, the must-move list, tip flags and display settings.

#include <QDate>
#include <QString>
#include <QStringList>
#include <array>
#include <memory>

#include "core/gridmodel.h"
#include "core/history.h"
#include "core/listbox.h"
#include "core/schedstate.h"
#include "core/table.h"

namespace tavro {

class BackgroundSaver;
class TimetableFileCache;
struct ConsistencyMemo;

struct RunState {
  // ---- Main window lists ----
  ListBox LstBj{true};   // LstBj: class list, items "0701" + class name (+ "未")
  ListBox LstKc{true};   // LstKc: course list of the current class, kept sorted by text
  ListBox LstJs{false};  // LstJs: teacher list, items Lbq(3, t) + teacher name
  bool OptYp = true;     // OptYp: the class list shows scheduled classes (已排); false = OptWp (未排)
  int OptCqls = 0;       // OptCqls: option 长期 (0) or 临时 (1) of the main window
  int Dqcqls = 1;        // Dqcqls: layer shown and edited, 1 long-term, 2 temporary
  QString Zt = "打开";   // Zt: mode word 查班, 调课, 查师, 删除, 排课, 打开
  bool Cshwc = false;    // Cshwc: list and option handlers are active
  int DqNj = 0;          // DqNj: grade of the class whose courses are listed
  int DqBj = 0;          // DqBj: class of the courses listed
  QString Bxdck;         // Bxdck: must-move list, 4-digit weekday+period codes back to back

  // ---- Swap context (shared by the automatic swap and the grid click) ----
  int Xq1 = 0, Jc1 = 0;    // Xq1, Jc1: weekday and period of the lesson to move; 0 = none selected
  int Xq2 = 0, Jc2 = 0;    // Xq2, Jc2: weekday and period of the candidate being tested
  int Jsh1 = 0, Jsh2 = 0;  // Jsh1, Jsh2: teachers of the lesson to move and of the candidate
  int Kch1 = 0, Kch2 = 0;  // Kch1, Kch2: courses of the two lessons of a swap
  QString Kcxz;            // Kcxz: kind character of the class cell read last
  int Hbkh = 0;            // Hbkh: combined lesson at the slot tested last (0 = none)
  int Dkzt = 0;            // Dkzt: swap mode, 0 normal, 1 automatic swap, 2 forced swap by the user
  // Bpyy: verdict per candidate cell (weekday 1..13, period 1..20): grade digit + reason; "" = "1"
  Table<QString, 2> Bpyy{{Range{1, 13}, Range{1, 20}}};
  // Dqkb: trial copy of the class's long-term timetable (weekday 0..13, period 0..20)
  Table<QString, 2> Dqkb{{Range{0, 13}, Range{0, 20}}};
  int Pkdkbz = 0;              // Pkdkbz: 1 when swap mode was entered from the scheduler
  int Zddkcs = 0;              // Zddkcs: automatic swaps done for the class being scheduled
  int Dkcs = 0;                // Dkcs: swaps done in swap mode
  int Djbh = 0;                // Djbh: index of the grid clicked last
  QString Lsksrq, Lsjsrq;      // Lsksrq, Lsjsrq: start and end date of the last temporary swap
  QDate DTPicker1, DTPicker2;  // DTPicker1, DTPicker2: start and end of the temporary date range
  int Rqts = 0;                // Rqts: days from DTPicker1 to DTPicker2 inclusive (0 when the end is before)
  QDate fixedToday;            // today's date for the temporary changes; invalid = the system clock

  // ---- Scheduling ----
  // Ctszc: classes that have the course of setting-column-6 entry i at a slot
  // (entry 1..n, weekday 0..13, period 0..20); sized by the scheduling run, empty when no entries
  Table<int, 3> Ctszc;
  std::array<QString, 4> Yxwz;  // Yxwz: remembered positions course(3)+teacher(3)+weekday(2)+period(2)
  int Zyxw = 0;                 // Zyxw: 1 when the school has afternoon periods only (moved to the morning)
  int LessonsForced = 0;        // lessons forced into place in this run (counted by the automatic swap)
  int AutomaticSwaps = 0;       // swaps made by the automatic swap in this run
  SchedState Sched;             // the per-class scheduler's working state (core/schedstate.h)

  // ---- Main window controls the engine writes ----
  GridModel MSFG;            // MSFG: the class timetable grid (grid 0)
  QString TxtSm;             // TxtSm: hint box text
  QString Tsnr;              // Tsnr: hint text of the swap mode, restored when a swap request is cancelled
  QString LblJd;             // LblJd: progress label text
  QString Lbl6;              // status label number 6 ("已读课表", "排课完成")
  bool LstBjEnabled = true;  // LstBj enabled (disabled while a class is in swap mode)
  bool ExportMode = false;   // export frame shown, "9、导出" enabled, "1、学校".."6、课表" disabled

  // ---- Step buttons of the main window (the sheet imports enable and caption them) ----
  QString CmdXxCaption = "1、学校";  // CmdXx: school sheet button
  QString CmdJsCaption = "2、教师";  // CmdJs: teacher sheet button
  QString CmdKcCaption = "3、课程";  // CmdKc: course sheet button
  QString CmdHbCaption = "4、合班";  // CmdHb: combined-class sheet button
  QString CmdBjCaption = "5、班级";  // CmdBj: class sheet button
  bool CmdJsEnabled = false;         // "2、教师" enabled (after the school import)
  bool CmdKcEnabled = false;         // "3、课程" enabled
  bool CmdHbEnabled = false;         // "4、合班" enabled
  bool CmdBjEnabled = false;         // "5、班级" enabled
  bool CmdKbEnabled = false;         // "6、课表" enabled (after the class import)
  std::array<bool, 5> Drcg{};  // the five "导入成功" labels beside the sheet buttons (school .. class)

  // ---- Start-up values and settings ----
  int Xsts = 1;                 // Xsts: 1 = show every tip
  QString Tsbz;                 // Tsbz: tip flags, one character per tip 1..19
  QString Xtbz = "1111";        // Xtbz: system flags
  int Csz3 = 1;                 // Csz3: ask before swapping with an orange cell
  int Csz6 = 0;                 // Csz6: display style of the grids
  int Csz8 = 8;                 // Csz8: threshold of the teacher-load warning
  int Csz11[4] = {6, 3, 3, 4};  // Csz11: numbers of primary, junior and senior grades, and a fourth value
  int Jsmkd = 0;                // Jsmkd: display width of teacher names
  int Bjmkd = 0;                // Bjmkd: display width of class names
  int Kcmkd = 0;                // Kcmkd: display width of course names
  int Bjmxs = 1;                // Bjmxs: class name display option
  int Kcmxs = 1;                // Kcmxs: course name display option
  QString Kbwjm;                // Kbwjm: full path of the last written timetable file
  // while a scheduling chain runs: the writer that takes Bckb's saves (BackgroundTimetableSaves)
  BackgroundSaver* TimetableSaver = nullptr;
  // the class blocks of the timetable file as Bckb last built them (core/timetable_snapshot.h)
  std::shared_ptr<TimetableFileCache> TimetableCache;
  // the classes the class/teacher check found consistent, passed over while unchanged (engine/checks_memo.h)
  std::shared_ptr<ConsistencyMemo> CheckMemo;
  int Mlz = 0;                   // Mlz: 1 while a sheet operation runs
  QStringList TemplatesWritten;  // file names of the sheet templates written since the run began
  HistorySettings History;       // the history of the data files: settings and the user action in progress
};

}  // namespace tavro
