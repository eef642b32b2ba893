#include "sheets/format.h"

#include <QStringList>

namespace tavro {

namespace {

const char* const kLineNames[] = {"",
                                  "thin",
                                  "medium",
                                  "dashed",
                                  "dotted",
                                  "thick",
                                  "double",
                                  "hair",
                                  "mediumDashed",
                                  "dashDot",
                                  "mediumDashDot",
                                  "dashDotDot",
                                  "mediumDashDotDot",
                                  "slantDashDot"};

// The standard 56-colour palette, index 1..56.
const Rgb kPalette[56] = {0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF,
                          0x800000, 0x008000, 0x000080, 0x808000, 0x800080, 0x008080, 0xC0C0C0, 0x808080,
                          0x9999FF, 0x993366, 0xFFFFCC, 0xCCFFFF, 0x660066, 0xFF8080, 0x0066CC, 0xCCCCFF,
                          0x000080, 0xFF00FF, 0xFFFF00, 0x00FFFF, 0x800080, 0x800000, 0x008080, 0x0000FF,
                          0x00CCFF, 0xCCFFFF, 0xCCFFCC, 0xFFFF99, 0x99CCFF, 0xFF99CC, 0xCC99FF, 0xFFCC99,
                          0x3366FF, 0x33CCCC, 0x99CC00, 0xFFCC00, 0xFF9900, 0xFF6600, 0x666699, 0x969696,
                          0x003366, 0x339966, 0x003300, 0x333300, 0x993300, 0x993366, 0x333399, 0x333333};

}  // namespace

Line lineFromCode(int code) {
  switch (code) {
    case 0:
    case -4142:
      return Line::None;
    case 1:
      return Line::Thin;
    case 2:
      return Line::Medium;
    case 3:
      return Line::Thick;
    case 4:
      return Line::DashDot;
    case 5:
      return Line::DashDotDot;
    case 9:
    case -4119:
      return Line::Double;
    case 13:
      return Line::SlantDashDot;
    case -4115:
      return Line::Dashed;
    case -4118:
      return Line::Dotted;
    default:
      return Line::Thin;
  }
}

const char* lineName(Line line) {
  return kLineNames[static_cast<int>(line)];
}

Line lineFromName(const QString& name) {
  for (int i = 1; i < int(std::size(kLineNames)); ++i)
    if (name == QLatin1String(kLineNames[i])) return static_cast<Line>(i);
  return Line::None;
}

std::int64_t colourIndexRgb(int index) {
  if (index < 1 || index > 56) return kNoColour;
  return kPalette[index - 1];
}

std::string CellFormat::key() const {
  std::string k;
  k.reserve(64);
  const auto add = [&k](long long v) { k += std::to_string(v) + ','; };
  add(int(hAlign)), add(int(vAlign)), add(wrap), add(shrink), add(rotation);
  add(static_cast<long long>(fontSize * 100)), add(bold), add(italic), add(underline);
  add(fontColour), add(fill);
  for (Line l : border) add(int(l));
  k += fontName.toStdString() + '\x1f' + numberFormat.toStdString();
  return k;
}

bool isDateFormat(const QString& code) {
  bool quoted = false, bracket = false;
  for (int i = 0; i < code.size(); ++i) {
    const QChar c = code[i];
    if (c == '"')
      quoted = !quoted;
    else if (quoted)
      continue;
    else if (c == '\\' || c == '_' || c == '*')
      ++i;  // the next character is literal
    else if (c == '[')
      bracket = true;
    else if (c == ']')
      bracket = false;
    else if (bracket)
      continue;
    else if (QStringLiteral("yYdDhHsS").contains(c))
      return true;
    else if ((c == 'm' || c == 'M') && code != QLatin1String("General"))
      return true;
  }
  return false;
}

QString builtinNumberFormat(int id) {
  switch (id) {
    case 1:
      return QStringLiteral("0");
    case 2:
      return QStringLiteral("0.00");
    case 3:
      return QStringLiteral("#,##0");
    case 4:
      return QStringLiteral("#,##0.00");
    case 9:
      return QStringLiteral("0%");
    case 10:
      return QStringLiteral("0.00%");
    case 11:
      return QStringLiteral("0.00E+00");
    case 14:
      return QStringLiteral("yyyy-m-d");
    case 15:
      return QStringLiteral("d-mmm-yy");
    case 16:
      return QStringLiteral("d-mmm");
    case 17:
      return QStringLiteral("mmm-yy");
    case 18:
      return QStringLiteral("h:mm AM/PM");
    case 19:
      return QStringLiteral("h:mm:ss AM/PM");
    case 20:
      return QStringLiteral("h:mm");
    case 21:
      return QStringLiteral("h:mm:ss");
    case 22:
      return QStringLiteral("yyyy-m-d h:mm");
    case 45:
      return QStringLiteral("mm:ss");
    case 46:
      return QStringLiteral("[h]:mm:ss");
    case 47:
      return QStringLiteral("mm:ss.0");
    case 49:
      return QStringLiteral("@");
    default:
      break;
  }
  // The East Asian built-in date formats.
  if ((id >= 27 && id <= 36) || (id >= 50 && id <= 58)) return QStringLiteral("yyyy\"年\"m\"月\"d\"日\"");
  return QString();
}

}  // namespace tavro
