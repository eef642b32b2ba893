#include "fuzz/fuzz_support.h"

#include <zip.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "core/ctx.h"
#include "core/scripted_ui.h"
#include "sheets/school_sheet.h"
#include "sheets/sheets_host.h"

namespace tavro::fuzz {

namespace {

// The process's scratch folder, removed when the process ends normally.
QTemporaryDir& scratch() {
  static QTemporaryDir dir;
  return dir;
}

// Copies the demo school's sheets into a folder of the scratch folder, so importing never touches the
// source tree; returns that folder with a trailing separator.
QString copyDemoSheets() {
  const QDir source(QStringLiteral(TAVRO_SOURCE_DIR "/examples/demo-school"));
  const QString target = scratch().filePath(QStringLiteral("demo-school"));
  QDir().mkpath(target);
  for (const QString& name : source.entryList(QDir::Files))
    QFile::copy(source.filePath(name), target + u'/' + name);
  return target + u'/';
}

// The part each NUL-separated piece of a parts input becomes, in order.
constexpr std::array<const char*, 7> kParts = {
    "_rels/.rels",   "xl/workbook.xml",          "xl/_rels/workbook.xml.rels", "xl/sharedStrings.xml",
    "xl/styles.xml", "xl/worksheets/sheet1.xml", "xl/worksheets/sheet2.xml"};

School importDemoSchool() {
  Session session;
  ScriptedUi ui;
  Ctx ctx = session.ctx(ui);
  ctx.s.Wjj = copyDemoSheets();
  NoSchedulingYet host;
  CmdXx_Click(ctx, host);
  require(ctx.s.Bjydr != 0, "the demo school did not import");
  return session.school;
}

}  // namespace

QString partsWorkbook(const std::uint8_t* data, std::size_t size) {
  const QString path = scratch().filePath(QStringLiteral("parts.xlsx"));
  QFile::remove(path);
  std::string_view input(reinterpret_cast<const char*>(data), size);
  int error = 0;
  zip_t* za = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
  require(za != nullptr, "cannot create the zip");
  for (const char* name : kParts) {
    const std::size_t end = std::min(input.find('\0'), input.size());
    zip_source_t* src = zip_source_buffer(za, input.data(), end, 0);
    const zip_int64_t index = zip_file_add(za, name, src, ZIP_FL_OVERWRITE);
    require(index >= 0, "cannot add a part");
    zip_set_file_compression(za, zip_uint64_t(index), ZIP_CM_STORE, 0);
    input.remove_prefix(std::min(end + 1, input.size()));
  }
  require(zip_close(za) == 0, "cannot write the zip");
  return path;
}

QString scratchFolder() {
  return scratch().path() + u'/';
}

QString inputFile(const std::uint8_t* data, std::size_t size, const QString& name) {
  const QString path = scratch().filePath(name);
  QFile file(path);
  require(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "cannot write the input file");
  require(file.write(reinterpret_cast<const char*>(data), qint64(size)) == qint64(size), "short write");
  return path;
}

const School& demoSchool() {
  static const School school = importDemoSchool();
  return school;
}

School& timetableReaderSchool() {
  static School school = demoSchool();
  const School& demo = demoSchool();
  school.Mzts = demo.Mzts;
  school.Mtjs = demo.Mtjs;
  school.Ypbz = demo.Ypbz;
  school.Ypbjs = demo.Ypbjs;
  school.Kb = demo.Kb;
  return school;
}

QStringList inputAnswers() {
  return {QStringLiteral("1"), QStringLiteral("x"), QStringLiteral("3"),
          QStringLiteral("2"), QStringLiteral("0"), QStringLiteral("4")};
}

void require(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "fuzz invariant broken: %s\n", what);
  std::abort();
}

}  // namespace tavro::fuzz
