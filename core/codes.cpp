// Code lists: texts made of fixed-width numeric codes written back to back.

#include "core/procedures.h"
#include "core/texts.h"
#include "core/vbtext.h"

namespace tavro {

int codeCount(const QString& s, int width) {
  if (width <= 0) return 0;
  return static_cast<int>(s.size()) / width;
}

QString codeAt(const QString& s, int width, int i) {
  return s.mid(static_cast<qsizetype>(i) * width, width);
}

bool hasCode(const QString& list, const QString& code) {
  const int width = static_cast<int>(code.size());
  const int n = codeCount(list, width);
  for (int i = 0; i < n; ++i)
    if (codeAt(list, width, i) == code) return true;
  return false;
}

void Pxdm(QString& s, int width) {
  const int n = codeCount(s, width);
  for (int i = 0; i < n - 1; ++i) {
    for (int j = i + 1; j < n; ++j) {
      const QString a = codeAt(s, width, i);
      const QString b = codeAt(s, width, j);
      if (Val(b) < Val(a)) {
        s.replace(i * width, width, b);
        s.replace(j * width, width, a);
      }
    }
  }
}

void Qcdm(QString& s, int width) {
  const int n = codeCount(s, width);
  const QString blanks(width > 0 ? width : 0, u' ');
  for (int i = 0; i < n - 1; ++i) {
    const QString a = codeAt(s, width, i);
    for (int j = i + 1; j < n; ++j)
      if (codeAt(s, width, j) == a) s.replace(j * width, width, blanks);
  }
  s.remove(u' ');
}

QString Xqjcwb(const QString& codes) {
  const int n = codeCount(codes, 4);
  if (n == 0) return QString();
  QString text;
  QString previousName;
  for (int i = 0; i < n; ++i) {
    const QString code = codeAt(codes, 4, i);
    const QString name = Xqm(ValMid(code, 0, 2));
    if (i == 0 || name != previousName) {
      text += QStringLiteral("周") + name + QStringLiteral("第");
    } else {
      text += QStringLiteral("、");
    }
    text += code.mid(2, 2);
    previousName = name;
  }
  return text + QStringLiteral("节");
}

}  // namespace tavro
