#include "export/settings_file.h"

#include <QDir>
#include <QStandardPaths>

#include "core/field_reader.h"
#include "core/procedures.h"
#include "core/textfile.h"
#include "core/timetable_file.h"
#include "core/vbtext.h"
#include "export/handlers.h"

namespace tavro {

namespace {

const QString kTrue = QStringLiteral("True");
const QString kFalse = QStringLiteral("False");

// Option j of the current profile.
QString& option(ExportForm& f, int j) {
  return f.Dysz(HXmkb(f), j);
}

// Keeps option j when its numeric value lies in lo..hi, else replaces it by fallback.
void checkRange(ExportForm& f, int j, double lo, double hi, const QString& fallback) {
  const double v = Val(option(f, j));
  if (v < lo || v > hi) option(f, j) = fallback;
}

// A bold/italic flag: any non-empty text other than "True"/"False" becomes "False".
bool checkFlag(ExportForm& f, int j) {
  QString& v = option(f, j);
  if (!v.isEmpty() && v != kTrue && v != kFalse) v = kFalse;
  return v == kTrue;
}

// Applies options first..first+3 (name, size, bold, italic) to font dialog k.
void applyFont(ExportForm& f, int k, int first, const QString& sizeFallback) {
  checkRange(f, first + 1, 0, 42, sizeFallback);
  FontChoice& font = f.CMDialog1[k];
  font.name = option(f, first);
  font.size = Val(option(f, first + 1));
  font.bold = checkFlag(f, first + 2);
  font.italic = checkFlag(f, first + 3);
}

// Step 1 of Xsdysz: the flags and reserved options.
void applyFlags(ExportCtx& c) {
  ExportForm& f = c.f;
  for (int j = 1; j <= 4; ++j) checkRange(f, j, 0, 1, QString());
  // The boxes show the stored values; their frames follow as a click would show them.
  const bool inside = ValInt(option(f, 1)) == 1, beside = ValInt(option(f, 2)) == 1;
  if (inside != f.ChkBnfjs && f.Xiangmu == 0) f.FraJsm.visible = f.Kbzl != 0 || inside;
  if (beside != f.ChkBwfjs) f.FraJsm.visible = beside;
  f.ChkBnfjs = inside;
  f.ChkBwfjs = beside;
  checkRange(f, 5, 0, 3, QString());
  checkRange(f, 7, 0, 1, QStringLiteral("1"));
  checkRange(f, 15, 0, 1e300, QString());
  checkRange(f, 16, 0, 1, Szc(c.s.Hsdm));
}

// Step 3 of Xsdysz: the three name forms and their widths.
void applyNameForms(ExportCtx& c) {
  ExportForm& f = c.f;
  checkRange(f, 18, 0, 2, QStringLiteral("2"));
  checkRange(f, 19, 0, 3, QStringLiteral("1"));
  checkRange(f, 20, 0, 3, QStringLiteral("1"));
  const int jsm = ValInt(option(f, 18)), bjm = ValInt(option(f, 19)), kcm = ValInt(option(f, 20));
  f.OptJsm = jsm == 0 ? 0 : 1;
  f.OptBjm = bjm == 0 ? 0 : 1;
  f.OptKcm = kcm == 0 ? 0 : 1;
  c.st.Bjmxs = bjm == 3 ? 0 : bjm + 1;
  c.st.Kcmxs = kcm == 3 ? 0 : kcm + 1;
  setNameWidths(c);
}

}  // namespace

QString printFormatFolder(const QString& folder) {
  if (!folder.isEmpty()) return folder;
  // The configuration folder of the application "Tavro", shared by the desktop program and tavro-cli
  // whatever name each process runs under.
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/Tavro");
}

QString printFormatPath(const QString& folder) {
  return QDir(printFormatFolder(folder)).filePath(kPrintFormatFileName);
}

void setStartValues(ExportForm& f, const School& s) {
  f.Dysz.fill(QString());
  const int body = 22 - 2 * s.Kcmcd;
  for (int a = 0; a < kProfiles; ++a) {
    f.Dysz(a, 7) = f.Dysz(a, 8) = f.Dysz(a, 21) = QStringLiteral("1");
    f.Dysz(a, 11) = QStringLiteral("7");
    if (a >= 3) f.Dysz(a, 14) = QStringLiteral("1");
    f.Dysz(a, 18) = f.Dysz(a, 19) = f.Dysz(a, 20) = QStringLiteral("1");
    f.Dysz(a, 22) = QStringLiteral("0");
    f.Dysz(a, 24) = QStringLiteral("2");
    f.Dysz(a, 36) = a == 25 ? QStringLiteral("16") : a <= 2 ? Szc(body + 2) : QStringLiteral("14");
    f.Dysz(a, 40) = a == 25 ? QStringLiteral("12") : a <= 2 ? Szc(body) : QStringLiteral("9");
  }
  f.Dysz(8, 1) = QStringLiteral("1");
  f.Dysz(16, 2) = QStringLiteral("1");
  f.Dysz(16, 30) = QStringLiteral("0");
}

QStringList printFormatLines(const ExportForm& f, const School& s) {
  QStringList lines;
  lines << QStringLiteral("'Tavro课程安排系统") + s.Bbh +
               QStringLiteral("版打印设置文件（用户不能修改和删除！）");
  // A value is the rest of its line: a line break inside one (a font name typed on the command
  // line) is written as a blank, so that it cannot break the file into records.
  for (int a = 0; a <= 25; ++a)
    for (int j = 1; j <= 45; ++j) {
      QString value = f.Dysz(a, j);
      value.replace(u'\r', u' ').replace(u'\n', u' ');
      lines << printNumber(a) + u',' + printNumber(j) + u',' + value;
    }
  lines << QStringLiteral("#");
  return lines;
}

void readPrintFormatLines(ExportForm& f, const QStringList& lines) {
  FieldReader in(lines);
  try {
    if (in.field() == QStringLiteral("#")) return;
    while (true) {
      const int a = in.number();
      const int j = in.number();
      if (a < 0 || a > 26 || j < 0 || j > 45) return;
      // The value is the rest of the line, commas included (a font name may hold one).
      QString value = in.restOfLine();
      if (j == 22 && value == QStringLiteral("2")) value = QStringLiteral("1");
      f.Dysz(a, j) = value;
    }
  } catch (const FileContentError&) {
    // The end of the file or the first unreadable record ends the reading.
  }
}

void Dkdydcgs(ExportCtx& c, const QString& path) {
  if (const auto lines = readTextLines(path)) readPrintFormatLines(c.f, *lines);
  Xsdysz(c);
}

void Bcdysz(const ExportForm& f, const School& s, const QString& path) {
  try {
    QDir().mkpath(QFileInfo(path).absolutePath());
    writeTextLines(path, printFormatLines(f, s));
  } catch (const FileError&) {
    // The settings are kept in memory; a file that cannot be written is left as it was.
  }
}

void writeFontCaptions(ExportForm& f) {
  f.CmdZtCaption[0] = QStringLiteral(" 标题字体字号 （现为") + f.Btzt + Szc(f.Btzh) + QStringLiteral("号）");
  f.CmdZtCaption[1] = QStringLiteral(" 正文字体字号 （现为") + f.Zwzt + Szc(f.Zwzh) + QStringLiteral("号）");
}

void Xsdysz(ExportCtx& c) {
  ExportForm& f = c.f;
  applyFlags(c);
  if (f.Xiangmu == 0) c.s.Hsdm = (f.Kbzl <= 1 && c.s.Hsdm == 1) ? 1 : 0;
  applyNameForms(c);
  checkRange(f, 23, 0, 10, QString());
  f.CmbMpzs = ValInt(option(f, 23)) - 1;
  applyFont(f, 0, 35, QStringLiteral("14"));
  applyFont(f, 1, 39, QStringLiteral("10"));
  f.Btzt = f.CMDialog1[0].name;
  f.Btzh = static_cast<int>(f.CMDialog1[0].size);
  f.Zwzt = f.CMDialog1[1].name;
  f.Zwzh = static_cast<int>(f.CMDialog1[1].size);
  writeFontCaptions(f);
}

}  // namespace tavro
