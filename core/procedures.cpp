// Message boxes, number and date texts and random numbers shared by every
// window and operation.

#include "core/procedures.h"

#include <cmath>

#include "core/texts.h"
#include "core/vbtext.h"

namespace tavro {

namespace {

// The digit value of one character as a whole number; anything that is not a
// digit counts as 0 (a minus sign or a decimal point of a code number).
int digitValue(QChar c) {
  return (c >= u'0' && c <= u'9') ? c.unicode() - u'0' : 0;
}

// Szc(n) with every character replaced by the text of its digit value.
QString digitsOnly(double n) {
  QString out;
  for (const QChar c : Szc(n)) out += QChar(static_cast<char16_t>(u'0' + digitValue(c)));
  return out;
}

// Szc(n) with every character replaced by the full-width glyph of its digit value.
QString fullWidthDigits(double n) {
  QString out;
  for (const QChar c : Szc(n)) out += Qjsz(digitValue(c));
  return out;
}

// text left-padded with pad to width characters; longer texts stay whole.
QString padLeft(const QString& text, int width, QChar pad) {
  if (text.size() >= width) return text;
  return QString(width - text.size(), pad) + text;
}

}  // namespace

void Tsxx(Ui& ui, const QString& text) {
  ui.info(text);
}

void Cwxx(Ui& ui, const QString& text) {
  ui.warning(text);
}

bool Wxx(Ui& ui, const QString& text, bool noDefault) {
  return ui.ask(text, noDefault);
}

QString Szc(double x) {
  if (std::isnan(x)) return QStringLiteral("0");
  if (x == 0) return QStringLiteral("0");
  if (x == std::trunc(x) && std::fabs(x) < 1e15) return QString::number(static_cast<qint64>(x));
  return QString::number(x, 'g', 15).toUpper();
}

QString Lbq(int width, double n) {
  return padLeft(digitsOnly(n), width, u'0');
}

QString Ydq(int width, double n) {
  return padLeft(digitsOnly(n), width, u' ');
}

QString Qjkg(int width, double n) {
  return padLeft(fullWidthDigits(n), width, QChar(0x3000));
}

QString Qjl(int width, double n) {
  return padLeft(fullWidthDigits(n), width, QChar(0xFF10));
}

QString Rqqj(const QDate& date) {
  return Qjkg(4, date.year()) + QStringLiteral("年") + Qjkg(2, date.month()) + QStringLiteral("月") +
         Qjkg(2, date.day()) + QStringLiteral("日");
}

QString Rqwb(const QDate& date) {
  if (!date.isValid()) return QString();
  return Szc(date.year()) + u'-' + Lbq(2, date.month()) + u'-' + Lbq(2, date.day());
}

int Sjs(Rng& rng, int lo, int hi) {
  const double span = static_cast<double>(hi) - static_cast<double>(lo) + 1.0;
  return static_cast<int>(std::floor(rng.next() * span)) + lo;
}

}  // namespace tavro
