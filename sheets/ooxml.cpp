#include "sheets/ooxml.h"

#include <cstring>

#include "sheets/xlsx.h"

namespace tavro::ooxml {

const char* localName(const pugi::xml_node& node) {
  const char* name = node.name();
  const char* colon = std::strrchr(name, ':');
  return colon ? colon + 1 : name;
}

bool is(const pugi::xml_node& node, const char* local) {
  return node.type() == pugi::node_element && std::strcmp(localName(node), local) == 0;
}

pugi::xml_node child(const pugi::xml_node& node, const char* local) {
  for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling())
    if (is(c, local)) return c;
  return {};
}

QString attr(const pugi::xml_node& node, const char* local) {
  for (pugi::xml_attribute a = node.first_attribute(); a; a = a.next_attribute()) {
    const char* name = a.name();
    const char* colon = std::strrchr(name, ':');
    if (std::strcmp(colon ? colon + 1 : name, local) == 0 && std::strncmp(name, "xmlns", 5) != 0)
      return QString::fromUtf8(a.value());
  }
  return QString();
}

QString text(const pugi::xml_node& node) {
  QString s = QString::fromUtf8(node.text().get());
  if (!s.contains(QLatin1String("_x"))) return s;
  QString out;
  out.reserve(s.size());
  for (int i = 0; i < s.size(); ++i) {
    if (s[i] == '_' && i + 6 < s.size() && s[i + 1] == 'x' && s[i + 6] == '_') {
      bool ok = false;
      const ushort code = s.mid(i + 2, 4).toUShort(&ok, 16);
      if (ok) {
        out += QChar(code);
        i += 6;
        continue;
      }
    }
    out += s[i];
  }
  return out;
}

bool parse(pugi::xml_document& doc, const QByteArray& bytes, QString& error) {
  const pugi::xml_parse_result r = doc.load_buffer(bytes.constData(), std::size_t(bytes.size()),
                                                   pugi::parse_default | pugi::parse_ws_pcdata_single);
  if (r) return true;
  error = QStringLiteral("内部的XML内容有错（第%1个字节处）").arg(r.offset);
  return false;
}

std::map<QString, Relationship> relationships(ZipArchive& zip, const QString& part) {
  std::map<QString, Relationship> rels;
  const int slash = part.lastIndexOf('/');
  const QString relsPath =
      part.left(slash + 1) + QStringLiteral("_rels/") + part.mid(slash + 1) + QStringLiteral(".rels");
  if (!zip.has(relsPath)) return rels;
  const auto bytes = zip.read(relsPath, kMaxXmlPartBytes);
  pugi::xml_document doc;
  QString error;
  if (!bytes || !parse(doc, *bytes, error)) return rels;
  for (pugi::xml_node r : doc.first_child().children()) {
    if (!is(r, "Relationship") || attr(r, "TargetMode") == QLatin1String("External")) continue;
    rels[attr(r, "Id")] = {attr(r, "Type"), resolvePartPath(part, attr(r, "Target"))};
  }
  return rels;
}

}  // namespace tavro::ooxml
