#include "core/vbtext.h"

#include <climits>
#include <cmath>

namespace tavro {

namespace {
bool isBlank(QChar c) {
  return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}
}  // namespace

double Val(const QString& text) {
  int i = 0;
  const int n = static_cast<int>(text.size());
  while (i < n && isBlank(text[i])) ++i;
  double sign = 1.0;
  if (i < n && (text[i] == u'-' || text[i] == u'+')) {
    if (text[i] == u'-') sign = -1.0;
    ++i;
  }
  double value = 0.0;
  double scale = 0.0;  // 0 while before the decimal point
  for (; i < n; ++i) {
    const QChar c = text[i];
    if (isBlank(c)) continue;
    if (c >= u'0' && c <= u'9') {
      const int d = c.unicode() - u'0';
      if (scale == 0.0) {
        value = value * 10.0 + d;
      } else {
        value += d * scale;
        scale /= 10.0;
      }
    } else if (c == u'.' && scale == 0.0) {
      scale = 0.1;
    } else {
      break;
    }
  }
  return sign * value;
}

int ValInt(const QString& text) {
  const double v = std::trunc(Val(text));
  if (v > INT_MAX) return INT_MAX;
  if (v < INT_MIN) return INT_MIN;
  return static_cast<int>(v);
}

int ValMid(const QString& text, int pos, int len) {
  return ValInt(text.mid(pos, len));
}

}  // namespace tavro
