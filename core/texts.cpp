#include "core/texts.h"

namespace tavro {

QString Xqm(int weekday) {
  static const char16_t* names[] = {u"０", u"一", u"二", u"三", u"四", u"五", u"六", u"日"};
  if (weekday < 0 || weekday > 7) return QString();
  return QString::fromUtf16(names[weekday]);
}

QString Hzsz(int digit) {
  static const char16_t* names[] = {u"日", u"一", u"二", u"三", u"四", u"五", u"六", u"七", u"八", u"九"};
  if (digit < 0 || digit > 9) return QString();
  return QString::fromUtf16(names[digit]);
}

QString Qjsz(int digit) {
  if (digit < 0 || digit > 15) return QString();
  const char16_t base = digit < 10 ? u'０' : u'Ａ';
  return QString(QChar(static_cast<char16_t>(base + (digit < 10 ? digit : digit - 10))));
}

}  // namespace tavro
