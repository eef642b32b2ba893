#pragma once
// DetailWindowModel: the behaviour of the detailed timetable window FrmJdkb
// without widgets. It shows the week of one class or one teacher in full cell
// texts, in the long-term or the temporary layer, lists the teacher's combined
// lessons, highlights the cells equal to a clicked one and explains temporary
// changes. The desktop program mirrors this state and forwards events.
//
// Choices this window makes where the school's old window left things open or
// went wrong:
// - The layer list LstCqls chooses only the layer this window shows. The main
//   window's layer (Dqcqls) follows its own 长期/临时 option alone, so looking
//   at the temporary layer here never makes a swap in the main window edit the
//   temporary timetable.
// - The list holds the kind of items the opener asks for: opened for a teacher
//   it is refilled with the teachers, opened for a class with the classes,
//   whenever it holds the other kind (or too few items). A list click shows a
//   class or a teacher by the kind of item clicked, not by the main window's
//   mode word, which may have changed meanwhile.
// - The notice about a temporary change is given in the teacher view only: it
//   speaks of the teacher shown.
// - Every combined lesson of a teacher gets its line, however many there are.

#include <QString>
#include <QStringList>

#include "adjust/viewmodel/mainwindow.h"
#include "core/ctx.h"
#include "core/listbox.h"
#include "core/table.h"

namespace tavro {

// One cell of the detailed grid: its text (two blocks back to back), where the second block
// starts, and its colours (colour values as in core/gridmodel.h).
struct DetailCell {
  QString text;
  int split = 0;  // length of the first block; the window may show the second block below it
  int fore = 0;
  int back = 0;
  bool operator==(const DetailCell&) const = default;
};

// The colour value of the system highlight colour (text of every cell after a click).
inline constexpr int kColourHighlight = static_cast<int>(0x8000000Du);

class DetailWindowModel {
 public:
  // What List1 holds.
  enum class ListKind { None, Classes, Teachers };

  explicit DetailWindowModel(Ctx ctx) : c_(ctx) {}

  // ---- Events ----
  // Opens the window for a request of the main window: loads it the first time, fills the list
  // with the requested kind when needed, selects the requested item and shows it.
  void open(const DetailRequest& request);
  // Form_Load: layer 长期, the class list when the mode word is "查班", empty headers.
  void Form_Load();
  // List1_Click: shows the class or teacher selected in List1 (index i; -1 keeps the selection).
  void List1_Click(int i = -1);
  // LstCqls_Click: shows layer index + 1 (0 长期, 1 临时) of what is shown.
  void LstCqls_Click(int index);
  // MSFG_Click: a click on body cell (xq, jc): notice of a temporary change, then highlight.
  void MSFG_Click(int xq, int jc);

  // ---- State the window mirrors ----
  bool loaded() const { return loaded_; }
  const QString& caption() const { return caption_; }                // window caption
  const QString& FraJdkbCaption() const { return fraJdkbCaption_; }  // class or teacher shown
  const QString& Frame1Caption() const { return frame1Caption_; }    // "班级", "教师" or ""
  const ListBox& List1() const { return list_; }
  ListKind listKind() const { return listKind_; }
  int LstCqls() const { return layer_ - 1; }  // 0 长期, 1 临时
  int layer() const { return layer_; }        // layer shown: 1 long-term, 2 temporary
  // LblSm: the teacher's combined lessons, each line followed by CR LF; "" in the class view.
  const QString& LblSm() const { return lblSm_; }
  int Xsjsh() const { return xsjsh_; }
  int XsNj() const { return xsNj_; }
  int XsBj() const { return xsBj_; }
  // Cell (weekday 0..13, period 0..20); weekday 0 and period 0 are the headers.
  const DetailCell& cell(int xq, int jc) const { return cells_(xq, jc); }
  int curXq() const { return curXq_; }
  int curJc() const { return curJc_; }
  int rows() const;     // body rows of the grid (weekdays, or periods when Hsdm is not 0)
  int columns() const;  // body columns of the grid
  // Gkd: characters per text block.
  int Gkd() const;

 private:
  void fillClasses();
  void fillTeachers();
  void selectRequested(const DetailRequest& request);
  void Xsbjkb();
  void Xsjskb();
  void Xsbbyzk(int nj, int bj);
  void Xsrsbyjk(int xq, int jc, int t);
  void Xsjdkbyzk();
  void Bt(int n);
  void highlight(const QString& text);
  void setCell(int xq, int jc, int back, int fore, const QString& first, const QString& second);

  Ctx c_;
  bool loaded_ = false;
  QString caption_, fraJdkbCaption_, frame1Caption_, lblSm_;
  ListBox list_{false};
  ListKind listKind_ = ListKind::None;
  int layer_ = kLongTerm;
  int xsjsh_ = 0, xsNj_ = 0, xsBj_ = 0;
  Table<DetailCell, 2> cells_{{Range{0, 13}, Range{0, 20}}};
  int curXq_ = 0, curJc_ = 0;
};

}  // namespace tavro
