#pragma once
// The checks a cell read from the timetable file goes through before it is
// stored: old 7-character cells are widened, course and teacher numbers the
// school does not have are asked again, combined-lesson numbers the school
// does not have are reported, and a teacher that disagrees with the class's
// course plan is repaired or kept as the user answers.

#include <QString>

#include "core/ctx.h"

namespace tavro {

// Where a cell read from the file belongs: grade, class, weekday, period.
struct CellPlace {
  int nj = 0;
  int bj = 0;
  int xq = 0;
  int jc = 0;
};

// Asks with an input box until the answer is a whole number from lo to hi and
// returns it. Throws OperationStopped when the box is cancelled or no answer
// can be right (hi < lo).
int askNumberInRange(Ui& ui, const QString& prompt, int lo, int hi);

// Removes trailing ASCII blanks.
QString rtrimBlanks(const QString& text);

// Checks the cells of one read of the timetable file. The answer mode of the
// teacher question lives as long as the checker, i.e. for one read: it is the
// numeric value of the last answer; 0, 1 and 3 ask, 2 repairs silently, any
// other value keeps silently.
class TimetableCellChecker {
 public:
  explicit TimetableCellChecker(Ctx& ctx) : ctx_(ctx) {}

  // The cell text to store for text read at place: "" stays ""; 7 characters are widened to 10;
  // then the course, teacher, combined-lesson and course-plan checks run in that order.
  // Throws FileContentError when text is not a cell (after widening: not "" or 10 digits),
  // ProgramEnd when the user answers 5 to the teacher question, OperationStopped when an
  // input box is cancelled.
  QString check(const QString& text, const CellPlace& at);

  // The current answer mode of the teacher question.
  int answerMode() const { return mode_; }
  // True when check changed a cell beyond widening it (a number asked again, a teacher repaired).
  bool changedCells() const { return changed_; }

 private:
  void checkCourse(QString& cell, const CellPlace& at);
  void checkTeacher(QString& cell, const CellPlace& at);
  void checkCombined(const QString& cell, const CellPlace& at);
  void checkPlanTeacher(QString& cell, const CellPlace& at);
  int planTeacherFor(const CellPlace& at, int course, int teacher) const;
  bool askTeacherQuestion(const QString& cell, const CellPlace& at, int planTeacher);
  QString teacherName(int teacher) const;

  Ctx& ctx_;
  int mode_ = 0;
  bool changed_ = false;
};

}  // namespace tavro
