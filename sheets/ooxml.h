#pragma once
// Helpers shared by the .xlsx reader and the in-place patcher: element and
// attribute look-up by local name (files may use any namespace prefix),
// XML parsing with an error text, relationship parts, and the cell formats
// of a styles part.

#include <QByteArray>
#include <QString>
#include <map>
#include <pugixml.hpp>
#include <vector>

#include "sheets/format.h"
#include "sheets/zip_archive.h"

namespace tavro::ooxml {

// The element name without its namespace prefix ("x:row" -> "row").
const char* localName(const pugi::xml_node& node);
// True when the node is an element with that local name.
bool is(const pugi::xml_node& node, const char* local);
// The first child element with that local name (empty node when none).
pugi::xml_node child(const pugi::xml_node& node, const char* local);
// The value of the attribute with that local name ("r:id" is found as "id"); "" when missing.
QString attr(const pugi::xml_node& node, const char* local);
// The text of a <t> element, with the _xHHHH_ escapes of control characters decoded.
QString text(const pugi::xml_node& node);

// Parses XML bytes; false with a reason in error when they are no well-formed XML.
bool parse(pugi::xml_document& doc, const QByteArray& bytes, QString& error);

// One relationship of a part: id -> (type, target part path).
struct Relationship {
  QString type;    // the type URI; compare its end ("/worksheet", "/sharedStrings", "/styles")
  QString target;  // resolved part path, "xl/worksheets/sheet1.xml"
};

// The relationships of a part (from its _rels/<name>.rels); empty when it has none.
std::map<QString, Relationship> relationships(ZipArchive& zip, const QString& part);

// The cell formats (cellXfs) of a styles part, in index order.
std::vector<CellFormat> cellFormats(const pugi::xml_document& styles);

}  // namespace tavro::ooxml
