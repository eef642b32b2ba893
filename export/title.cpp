#include "export/title.h"

#include "core/procedures.h"
#include "core/vbtext.h"
#include "export/names.h"

namespace tavro {

namespace {

// The school-year words "０９～１０学年度".
QString schoolYear(const School& s) {
  const int y = ValInt(s.Xnqsrq.left(4));
  return Qjkg(4, y).right(2) + QStringLiteral("～") + Qjkg(4, y + 1).right(2) + QStringLiteral("学年度");
}

// Step 2: the scope word.
QString scopeWord(const ExportForm& f) {
  const bool byName =
      f.OptXzjsfs == 0 && (f.Xiangmu == 1 || f.Xiangmu == 2 || (f.Xiangmu == 0 && f.Kbzl == 3));
  if (byName) return (f.ChkQbjs || f.Kbzl == 1) ? QString() : QStringLiteral("部分");
  if (f.ChkQx) return f.Xiangmu == 2 ? QString() : QStringLiteral("全校");
  return QStringLiteral("部分班级");
}

// True when the title lists course words for the current choices.
bool namesCourses(const ExportForm& f) {
  if (f.Xiangmu == 0) return f.Kbzl == 2 || (f.Kbzl == 3 && f.OptXzjsfs == 1);
  return f.Xiangmu >= 2 || f.OptXzjsfs == 1;
}

// The full words of short activity names.
QString fullActivity(const QString& name) {
  static const std::pair<const char16_t*, const char16_t*> words[] = {
      {u"体活", u"体育活动"}, {u"娱活", u"文娱活动"}, {u"科活", u"科技活动"}, {u"课活", u"课外活动"}};
  for (const auto& [from, to] : words)
    if (name == QString::fromUtf16(from)) return QString::fromUtf16(to);
  return name;
}

// Step 4: the weekday and period words of timetables.
QString dayAndPeriodWords(ExportCtx& c) {
  const ExportForm& f = c.f;
  QString words;
  if (!f.ChkQz) {
    words += QStringLiteral("星期");
    const int w = HKbgkd(c);
    for (int i = 0; i < f.LstXq.count(); ++i)
      if (f.LstXq.selected(i)) words += HXqmc(c, i + 1, w);
  }
  const int chosen = f.LstJc.selectedCount();
  if (chosen > 0 && chosen < f.LstJc.count()) {
    words += QStringLiteral("部分节次");
  } else if (!f.ChkQt && f.ChkWb[0] && f.ChkWb[1]) {
    words += QStringLiteral("白天");
  } else if (!f.ChkQt && f.ChkWb[0]) {
    words += QStringLiteral("上午");
  } else if (!f.ChkQt && f.ChkWb[1]) {
    words += QStringLiteral("下午");
  }
  return words;
}

}  // namespace

QString courseWords(const ExportCtx& c, const QString& allWord) {
  const ListBox& list = c.st.LstKc;
  if (c.f.ChkQbkc || (list.count() > 0 && list.selectedCount() == list.count())) return allWord;
  QString words;
  for (int i = 0; i < list.count(); ++i)
    if (list.selected(i)) words += fullActivity(trimRight(list.item(i).mid(3)));
  return words;
}

void Xsbt(ExportCtx& c) {
  ExportForm& f = c.f;
  f.Btnr = schoolYear(c.s);
  if (f.Xiangmu > 0 || f.Kbzl > 1) {
    f.Btnr += scopeWord(f);
    if (namesCourses(f)) f.Btnr += courseWords(c, f.Xiangmu == 3 ? QString() : QStringLiteral("各科"));
  }
  if (f.Xiangmu == 0) {
    if (f.Kbzl == 0 && !f.Btnr.endsWith(QStringLiteral("班级"))) f.Btnr += QStringLiteral("班级");
    if (f.Kbzl == 1 || f.Kbzl == 3) f.Btnr += QStringLiteral("教师");
    f.Btnr += dayAndPeriodWords(c);
  }
  f.Btnr.remove(u' ');
}

void Xsbtnr(ExportCtx& c) {
  ExportForm& f = c.f;
  Xsbt(c);
  if (f.Xiangmu == 0) {
    if (f.Kbzl >= 2) f.Btnr += QStringLiteral("总");
    f.Btnr += QStringLiteral("课表");
  } else {
    f.Btnr += f.Xiangmu == 1 ? QStringLiteral("教师任课情况表") : QStringLiteral("教师表");
  }
  f.Dcbt = f.Kbzl > 1 ? c.s.Xxmc + f.Btnr : f.Btnr;
  f.Dcbt.remove(u' ');
}

}  // namespace tavro
