#pragma once
// RunState: what lives for one run of the program beside the School model and
// is read or written by the engine and the windows: list contents and
// selections, option buttons, the mode word, the current layer, the swap
// context, the must-move list, tip flags and display settings.

#include <QString>

#include "core/listbox.h"

namespace tavro {

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

  // ---- Start-up values and settings ----
  int Xsts = 1;              // Xsts: 1 = show every tip
  QString Tsbz;              // Tsbz: tip flags, one character per tip 1..19
  QString Xtbz = "1111";     // Xtbz: system flags
  int Csz3 = 1;              // Csz3: ask before swapping with an orange cell
  int Csz6 = 0;              // Csz6: display style of the grids
  int Csz8 = 8;              // Csz8: threshold of the teacher-load warning
  int Csz11[4] = {6, 3, 3, 4};  // Csz11: numbers of primary, junior and senior grades, and a fourth value
  int Jsmkd = 0;             // Jsmkd: display width of teacher names
  int Bjmkd = 0;             // Bjmkd: display width of class names
  int Kcmkd = 0;             // Kcmkd: display width of course names
  int Bjmxs = 1;             // Bjmxs: class name display option
  int Kcmxs = 1;             // Kcmxs: course name display option
  QString Kbwjm;             // Kbwjm: full path of the last written timetable file
  int Mlz = 0;               // Mlz: 1 while a sheet operation runs
};

}  // namespace tavro
