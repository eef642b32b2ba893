// The cell formats of an .xlsx styles part: fonts, fills, borders, number
// formats and alignment, combined per cellXfs entry.
#include <array>

#include "sheets/ooxml.h"

namespace tavro::ooxml {

namespace {

// An RGB from a <color>/<fgColor> element: rgb="FFRRGGBB" or a palette index; kNoColour otherwise.
std::int64_t colourOf(const pugi::xml_node& node) {
  if (!node) return kNoColour;
  const QString rgb = attr(node, "rgb");
  bool ok = false;
  if (!rgb.isEmpty()) {
    const uint v = rgb.right(6).toUInt(&ok, 16);
    return ok ? std::int64_t(v) : kNoColour;
  }
  const int indexed = attr(node, "indexed").toInt(&ok);
  if (!ok) return kNoColour;
  if (indexed < 0) return kNoColour;  // also keeps indexed - 7 from overflowing
  if (indexed <= 7) return colourIndexRgb(indexed + 1);
  return colourIndexRgb(indexed - 7);
}

bool flag(const pugi::xml_node& node) {
  if (!node) return false;
  const QString v = attr(node, "val");
  return v.isEmpty() || v == QLatin1String("1") || v == QLatin1String("true");
}

std::vector<CellFormat> fonts(const pugi::xml_node& root) {
  std::vector<CellFormat> list;
  for (pugi::xml_node f : child(root, "fonts").children()) {
    if (!is(f, "font")) continue;
    CellFormat c;
    c.fontName = attr(child(f, "name"), "val");
    c.fontSize = attr(child(f, "sz"), "val").toDouble();
    c.bold = flag(child(f, "b"));
    c.italic = flag(child(f, "i"));
    c.underline = child(f, "u") && attr(child(f, "u"), "val") != QLatin1String("none");
    const std::int64_t colour = colourOf(child(f, "color"));
    c.fontColour = colour == 0 ? kNoColour : colour;  // black is the automatic colour
    list.push_back(c);
  }
  return list;
}

std::vector<std::int64_t> fills(const pugi::xml_node& root) {
  std::vector<std::int64_t> list;
  for (pugi::xml_node f : child(root, "fills").children()) {
    if (!is(f, "fill")) continue;
    const pugi::xml_node pattern = child(f, "patternFill");
    const bool solid = attr(pattern, "patternType") == QLatin1String("solid");
    list.push_back(solid ? colourOf(child(pattern, "fgColor")) : kNoColour);
  }
  return list;
}

std::vector<std::array<Line, 4>> borders(const pugi::xml_node& root) {
  std::vector<std::array<Line, 4>> list;
  static const char* const sides[4] = {"left", "right", "top", "bottom"};
  for (pugi::xml_node b : child(root, "borders").children()) {
    if (!is(b, "border")) continue;
    std::array<Line, 4> lines{};
    for (int i = 0; i < 4; ++i) {
      pugi::xml_node side = child(b, sides[i]);
      if (!side) side = child(b, i == 0 ? "start" : i == 1 ? "end" : sides[i]);
      lines[std::size_t(i)] = lineFromName(attr(side, "style"));
    }
    list.push_back(lines);
  }
  return list;
}

std::map<int, QString> numberFormats(const pugi::xml_node& root) {
  std::map<int, QString> codes;
  for (pugi::xml_node n : child(root, "numFmts").children())
    if (is(n, "numFmt")) codes[attr(n, "numFmtId").toInt()] = attr(n, "formatCode");
  return codes;
}

void alignment(const pugi::xml_node& a, CellFormat& c) {
  static const char* const horizontal[] = {"general", "left",    "center",           "right",
                                           "fill",    "justify", "centerContinuous", "distributed"};
  static const char* const vertical[] = {"bottom", "top", "center", "justify", "distributed"};
  const QString h = attr(a, "horizontal"), v = attr(a, "vertical");
  for (int i = 0; i < 8; ++i)
    if (h == QLatin1String(horizontal[i])) c.hAlign = static_cast<HAlign>(i + 1);
  for (int i = 0; i < 5; ++i)
    if (v == QLatin1String(vertical[i])) c.vAlign = static_cast<VAlign>(i);
  c.wrap = attr(a, "wrapText") == QLatin1String("1") || attr(a, "wrapText") == QLatin1String("true");
  c.shrink = attr(a, "shrinkToFit") == QLatin1String("1") || attr(a, "shrinkToFit") == QLatin1String("true");
  const int angle = attr(a, "textRotation").toInt();
  c.rotation = angle == 255 ? 255 : angle > 90 ? 90 - angle : angle;
}

template <typename T>
T pick(const std::vector<T>& list, const QString& index, T fallback) {
  bool ok = false;
  const int i = index.toInt(&ok);
  return ok && i >= 0 && i < int(list.size()) ? list[std::size_t(i)] : fallback;
}

}  // namespace

std::vector<CellFormat> cellFormats(const pugi::xml_document& styles) {
  const pugi::xml_node root = styles.first_child();
  const std::vector<CellFormat> fontList = fonts(root);
  const std::vector<std::int64_t> fillList = fills(root);
  const std::vector<std::array<Line, 4>> borderList = borders(root);
  const std::map<int, QString> codes = numberFormats(root);
  std::vector<CellFormat> list;
  for (pugi::xml_node xf : child(root, "cellXfs").children()) {
    if (!is(xf, "xf")) continue;
    CellFormat c = pick(fontList, attr(xf, "fontId"), CellFormat{});
    c.fill = pick(fillList, attr(xf, "fillId"), kNoColour);
    c.border = pick(borderList, attr(xf, "borderId"), std::array<Line, 4>{});
    const int id = attr(xf, "numFmtId").toInt();
    const auto code = codes.find(id);
    c.numberFormat = code != codes.end() ? code->second : builtinNumberFormat(id);
    if (c.numberFormat == QLatin1String("General")) c.numberFormat.clear();
    if (const pugi::xml_node a = child(xf, "alignment")) alignment(a, c);
    list.push_back(c);
  }
  return list;
}

}  // namespace tavro::ooxml
