#pragma once
// Shared procedures: message boxes, number and date texts, code lists and the
// look-ups over the school model that every window and operation uses.

#include <QDate>
#include <QString>
#include <utility>

#include "core/rng.h"
#include "core/school.h"
#include "core/ui.h"

namespace tavro {

// ---- Messages ----
// Tsxx: information box, title "提示".
void Tsxx(Ui& ui, const QString& text);
// Cwxx: warning box, title "错误".
void Cwxx(Ui& ui, const QString& text);
// Wxx: Yes/No question, title "请回答"; true when answered Yes ("y"), false otherwise ("n").
bool Wxx(Ui& ui, const QString& text, bool noDefault = false);

// ---- Numbers and dates ----
// Szc: the number as text without a sign blank (5 -> "5", -5 -> "-5", 2.5 -> "2.5").
QString Szc(double x);
// Lbq: zero-padded code; each character of Szc(n) becomes its digit value (non-digits "0"),
// then left-padded with "0" to width; longer texts are not cut. Lbq(2, 7) = "07".
QString Lbq(int width, double n);
// Ydq: as Lbq, but left-padded with blanks.
QString Ydq(int width, double n);
// Qjkg: full-width digits of Szc(n), left-padded with "　" to width.
QString Qjkg(int width, double n);
// Qjl: full-width digits of Szc(n), left-padded with "０" to width.
QString Qjl(int width, double n);
// Rqqj: full-width date text "２００９年　３月　１日".
QString Rqqj(const QDate& date);
// Rqwb: "2009-03-01"; "" for an invalid (empty) date.
QString Rqwb(const QDate& date);
// Sjs: a random integer from lo to hi inclusive, drawn from the run's generator.
int Sjs(Rng& rng, int lo, int hi);
// Zdz: the largest of three values.
template <typename T>
T Zdz(T a, T b, T c) {
  T m = a;
  if (b > m) m = b;
  if (c > m) m = c;
  return m;
}
// Jh: exchanges two values.
template <typename T>
void Jh(T& a, T& b) {
  std::swap(a, b);
}

// ---- Code lists (fixed-width numeric codes written back to back) ----
// codeCount: number of complete codes of the given width in s (a stray tail is not counted).
int codeCount(const QString& s, int width);
// codeAt: code i (0-based) of s.
QString codeAt(const QString& s, int width, int i);
// hasCode: true when one of the complete codes of list (width = code's length) equals code;
// only code boundaries count, so "07010702" does not hold "0107".
bool hasCode(const QString& list, const QString& code);
// Pxdm: sorts the complete codes of s ascending by value, in place; a stray tail stays at the end.
void Pxdm(QString& s, int width);
// Qcdm: removes repeated codes, keeping each first occurrence in its place.
void Qcdm(QString& s, int width);
// Xqjcwb: text of 4-digit weekday+period codes; 0105 0106 0203 -> "周一第05、06周二第03节";
// "" for an empty list.
QString Xqjcwb(const QString& codes);

// ---- School look-ups ----
// Cbjm: finds the class by name (all "　" removed from both sides). On success nj, bj hold it;
// otherwise nj ends one past Mnj and bj is 0.
void Cbjm(const School& s, const QString& name, int& nj, int& bj);
// Bzrbj: 4-digit class code of the first class whose head teacher is jsh; "" if none.
QString Bzrbj(const School& s, int jsh);
// Hbkjs: number of combined-lesson periods class (nj, bj) takes part in (whole-school lessons
// and lessons listing its class code).
int Hbkjs(const School& s, int nj, int bj);
// Chbk: number of the first combined lesson class (nj, bj) has at weekday xq, period jc; 0 if none.
int Chbk(const School& s, int nj, int bj, int xq, int jc);
// Hbbjmc: display name of combined lesson n from its grade list Hbbj(n), or its class codes
// Hbk(2, n) when that list is empty: "全校" for "0000", the grade names when the first piece
// ends in "00", otherwise the names of its classes ("" for none).
QString Hbbjmc(const School& s, int n);
// Jsrkmc: names of what teacher jsh teaches: per 5-digit code of Jsrk(jsh), the course short
// name and "全校" (18), "多级" (19), "合班" (20) or the grade name.
QString Jsrkmc(const School& s, int jsh);
// Njjc: short grade name: a leading "　" (or "小" when Xxlx is 7) is dropped, else a "　" in
// second place ("高　一" -> "高一"); other names unchanged.
QString Njjc(const School& s, int nj);

}  // namespace tavro
