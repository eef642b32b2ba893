#pragma once
// MainWindowModel: the behaviour of the main window FrmTavroKcapxt without
// widgets: the class, course and teacher lists, the option buttons, the swap and
// delete buttons, the hint box, the class grid and its clicks. The lists, the
// grid, the mode word and the swap context live in RunState; the few controls
// only this window reads live here. The desktop program mirrors this state and
// forwards events; tavro-cli and the tests call the handlers directly. It is the
// engine's host, so the engine's calls upward (show a class, refresh the class
// list, run the grid click once) land here.

#include <QString>
#include <QStringList>
#include <functional>

#include "core/ctx.h"
#include "core/history.h"
#include "engine/host.h"
#include "quality/improve.h"

namespace tavro {

// What the detailed timetable window is asked to show.
struct DetailRequest {
  bool teacher = false;   // true: a teacher's timetable; false: a class's
  QString caption;        // frame caption: school name + "  教师" or "  班级"
  int teacherIndex = -1;  // teacher: position of the selected teacher in LstJs minus 1
  QString className;      // class: the first Bjmcd characters of the grid label
  QString layer;          // "长期" or "临时", the main window's layer option
};

// Controls of the main window that the engine never reads.
struct MainWindowControls {
  QString OptYpCaption, OptWpCaption;       // option captions "NN已排", "NN未排"
  QString FraKcCaption = "课程及每周节数";  // FraKc: course frame caption
  bool ChkQbkc = false, ChkQbjs = false;    // "全部课程", "全部教师" check boxes
  bool CmdScEnabled = false;                // "8、删除"
  bool CmdDkEnabled = false;                // "7、调课"
  QString CmdKbCaption = "6、课表";         // CmdKb caption
  bool FraRqfwVisible = false;              // "日期范围" frame
  bool FraPkVisible = false;                // scheduling frame
  bool RichTextBoxZbVisible = false;        // notice box
  QString RichTextBoxZb;                    // RichTextBoxZb: the change notices to print
  QStringList noticeRecord;                 // the record the notices were composed for (its lines)
  bool CmdDcEnabled = false;                // export button "9、导出"
  int Kbzl = 0;                             // export table kind (2 = subject master table)
  QString LblToolTip;                       // tool tip of the grid label
  int Xskd = 7;                             // available cell width (set from the window size)
  bool halfWindowFitsGrid = false;          // half the window width is at least the grid width
};

// A temporary swap of the grid click (filled in by the temporary-changes module): class, and the
// run state's Xq1/Jc1/Xq2/Jc2 name the two lessons. Returns true when the swap was made.
using TemporarySwap = std::function<bool(Ctx&, int nj, int bj)>;

// Why exchanging the lessons at (xq1, jc1) and (xq2, jc2) of class (nj, bj) in the temporary layer
// for the days of the date range would clash with a recorded change in force on one of those
// days (the reason as a swap-test verdict without its grade digit); "" when it would not. With
// (xq2, jc2) = (xq1, jc1) only a change of that lesson itself counts.
using TemporaryClash = std::function<QString(Ctx&, int nj, int bj, int xq1, int jc1, int xq2, int jc2)>;

// The question "清除全校课表" asks before it clears the timetable file.
extern const QString kClearSchoolQuestion;

class MainWindowModel : public EngineHost {
 public:
  // Sets the temporary-change hooks to the replay and the temporary swap of temporary/.
  explicit MainWindowModel(Ctx ctx);

  Ctx& ctx() { return c_; }
  MainWindowControls& controls() { return w_; }
  const MainWindowControls& controls() const { return w_; }

  // ---- Hooks the other windows and modules fill in ----
  std::function<void(const DetailRequest&)> openDetail;  // opens the detailed timetable window
  std::function<void(Ctx&)> replayTemporary;             // Dklsgkwj: temporary changes in force today
  TemporarySwap temporarySwap;                           // step of a temporary swap
  std::function<void()> exportButtonsChanged;            // the export part updates its buttons
  std::function<void()> noticesShown;                    // the export part turns its button into "9、打印"
  std::function<void()> noticesDropped;                  // the export part turns its button back
  TemporaryClash temporaryClash;                         // clashes of a temporary swap over its range
  // Lets the window repaint and take events while a scheduling chain runs (between two classes).
  std::function<void()> keepWindowAlive;

  // ---- Change notices (adjust/viewmodel/temporary_hooks.cpp) ----
  // Shows the notice text in RichTextBoxZb, hides the scheduling frame, calls noticesShown.
  void showNotices(const QString& text);
  // After printing: hides the notice box and the date range, shows the scheduling frame.
  void closeNotices();
  // After records of "调课.txt" were removed: notices of a change that is no longer recorded are
  // dropped (the box is emptied and closed, noticesDropped is called).
  void dropStaleNotices();
  // The start or end date of the temporary range changed: a chosen lesson to move is let go (its
  // grading depends on the range) and, in the temporary layer, the grid shows the timetable as it
  // is on the start date.
  void temporaryDatesChanged();

  // ---- Start and keyboard ----
  // The hint box before the school is imported: what to do first.
  void showStartHint();
  // Esc in the class grid: lets a chosen lesson to move go, or with none chosen leaves swap mode
  // for browsing the class. The forced swap mode cannot be left.
  void cancelSwap();

  // ---- Lists and options (main window) ----
  // Xgypwp + option captions: refills LstBj from the scheduled flags and OptYp.
  void refillClassList();
  // Xsypwpbjs: writes the option captions Ydq(2, Ypbjs) + "已排" and Ydq(2, Bjzs - Ypbjs) + "未排".
  void Xsypwpbjs();
  // Xsbj: refills the class list, reselects the class of the grid label, refills the course list.
  void Xsbj();
  // Ckbb: shows the selected class with Xsbb when grade and class are above 0.
  void Ckbb();
  // Selects exactly class list item i (as a click on it) and runs LstBj_Click.
  void selectClass(int i);
  // LstBj_Click: shows the selected class, its courses and teachers (only while Cshwc is set).
  void LstBj_Click();
  // LstKc_Click: selects in LstJs the teachers of the chosen course of the current class.
  void LstKc_Click();
  // LstJs_MouseDown with the right button: opens the teacher's detailed timetable.
  void LstJs_MouseDown();
  // Lbl_Click: opens the class's detailed timetable.
  void Lbl_Click(int index = 0);
  // OptYp_Click / OptWp_Click: the class list shows scheduled / unscheduled classes.
  void OptYp_Click();
  void OptWp_Click();
  // OptCqls_Click: the user chose 长期 (0) or 临时 (1); the only place that switches Dqcqls.
  void OptCqls_Click(int index);
  // CmdDk_Click: "7、调课", enters swap mode.
  void CmdDk_Click();
  // CmdSc_Click: "8、删除", deletes the selected class's timetable after two questions.
  void CmdSc_Click();
  // Scbjkb: clears class (nj, bj) for weekdays 1..xq2, periods jc1..jc2 and updates the grid.
  void Scbjkb(int nj, int bj, int xq2, int jc1, int jc2);

  // ---- Grid (class grid 0) ----
  // Xsbb: shows class (nj, bj) of the layer chosen by OptCqls in the grid, with its label.
  void Xsbb(int nj, int bj) override;
  // Cbxskc: fills LstKc with the course plan of class (nj, bj), or every course without a class.
  void Cbxskc(int nj, int bj) override;
  // Jcljklsk: marks repeated lessons (white) and temporary changes (light cyan) of the class.
  void Jcljklsk(int nj, int bj);
  // Hfbbxs: redraws the colours of every class cell (default background, kind's text colour),
  // then Jcljklsk.
  void Hfbbxs(int nj, int bj);
  // Hpbt / Spbt: header texts for the horizontal and the vertical layout.
  void Hpbt();
  void Spbt();
  // Pdbbz: chooses the cell style from Csz6 (or the cell width Xskd) and applies it.
  void Pdbbz();
  // Mgngdz / Mgngxz: applies the large / small style with n characters per cell.
  void Mgngdz(int n);
  void Mgngxz(int n);
  // Writes the headers of the school's layout (Spbt when Hsdm is not 0, else Hpbt).
  void writeHeaders();
  // The class (nj, bj) named by the grid label (its first Bjmcd characters); false when none.
  bool labelClass(int& nj, int& bj) const;

  // ---- Grid click ----
  // MSFG_Click: a click on grid index; acts on the current cell of grid 0.
  void MSFG_Click(int index = 0);
  // Makes (xq, jc) the current cell of grid 0 and clicks it.
  void clickCell(int xq, int jc);

  // ---- Undo, redo and the history (adjust/viewmodel/undo_redo.cpp) ----
  // The history of the data folder's "课表.txt" and "调课.txt".
  HistoryFolder historyFolder() const;
  // "撤销：" / "重做：" + the caption of the step an undo / redo would take; "撤销" / "重做" when
  // there is none.
  QString undoCaption() const;
  QString redoCaption() const;
  bool canUndo() const;
  bool canRedo() const;
  // Undo / redo one step: the files change, the window reads them again and shows the class of the
  // step (or the class it showed) in the layer and mode it was in. Refused with a hint while a
  // class is left in swap mode, and without a data folder.
  void undo();
  void redo();
  // Restores a kept version as an action of its own (so it can be undone), then reads the files.
  void restoreVersion(const HistoryVersion& version);
  // "编辑"－"清除全校课表": after kClearSchoolQuestion, removes "课表.txt" (kept in the history), then
  // reads the files again: every class is unscheduled.
  void clearSchoolTimetable();

  // ---- Improvement (adjust/viewmodel/improve_action.cpp) ----
  // True when "优化课表" can run: the school is read, every class is scheduled, none in swap mode.
  bool canImprove() const;
  // "优化课表": improves the long-term timetable (quality/improve.h) as one history step, showing
  // its progress through the Ui; keepGoing is asked now and then and ends the pass (keeping the best
  // timetable found) when it returns false. Then shows the class of the grid again and a message
  // with the figures before and after. Returns the pass's report.
  ImproveReport improve(const std::function<bool()>& keepGoing);

  // ---- EngineHost ----
  void refreshClassList() override;
  void clickGridCell(int xq, int jc) override;
  void replayTemporaryChanges() override;
  void recheckTemporaryChanges(int nj, int bj) override;
  void showGridHeaders() override;
  void schedulingClass(int nj, int bj) override;
  void schedulingStopped() override;

 private:
  void fillCourseListForClass(int nj, int bj);
  void showSelectedClass(int nj, int bj);
  void optionHintNoClass(const QString& emptyText);
  void deleteConfirmed(int nj, int bj);
  bool clickOnce(int index);
  bool swapModeClick(int nj, int bj);
  bool candidateClick(int nj, int bj);
  bool chooseLessonToMove(int nj, int bj);
  bool temporaryChangeProtects(int nj, int bj, int xq, int jc);
  bool rejectTemporaryClashes(int nj, int bj);
  bool swapStep(int nj, int bj);
  bool afterLongTermSwap(int nj, int bj);
  void browseClick();
  QString historyCaption(bool back) const;
  bool refuseHistory(const QString& verb);
  void stepHistory(bool back);
  bool schoolLoaded() const;
  void reloadAfterHistory(const QString& className);

  Ctx c_;
  MainWindowControls w_;
};

}  // namespace tavro
