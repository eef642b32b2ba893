#pragma once
// Runs tavro-cli in-process for the tests: the exit code and everything printed.

#include <gtest/gtest.h>

#include <QDir>
#include <QStringList>
#include <QTemporaryDir>
#include <QTextStream>

#include "cli/cli.h"
#include "cli/commands.h"
#include "sheets/demo_school.h"

// Readable QString values in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) {
  *os << '"' << s.toStdString() << '"';
}

namespace tavro::cli {

struct CliRun {
  int code = -1;
  QString out, err;
  // The message boxes shown (standard error without tavro-cli's own lines and their continuations).
  QString messages() const {
    QString shown;
    bool own = false;
    for (const QString& line : err.split(u'\n', Qt::SkipEmptyParts)) {
      if (!line.startsWith(QStringLiteral("  | "))) own = line.startsWith(QStringLiteral("tavro-cli: "));
      if (!own) shown += line + u'\n';
    }
    return shown;
  }
};

// One command line through the commands of registry.
inline CliRun runCli(const CommandRegistry& registry, const QStringList& args) {
  CliRun r;
  QTextStream out(&r.out), err(&r.err);
  r.code = run(registry, args, out, err);
  out.flush();
  err.flush();
  return r;
}

// One command line through every command of tavro-cli.
inline CliRun runCli(const QStringList& args) {
  CommandRegistry registry;
  registerAllCommands(registry);
  return runCli(registry, args);
}

// Tests on the small demo school (seed 3), written afresh into dir/data for every test; the export
// tests keep their print-format file in dir/config.
class SmallDemoSchool : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    data = dir.filePath(QStringLiteral("data"));
    ASSERT_TRUE(QDir().mkpath(data));
    ASSERT_TRUE(QDir().mkpath(dir.filePath(QStringLiteral("config"))));
    ASSERT_EQ(writeDemoSchool(data, *demoPreset(QStringLiteral("small")), 3), QString());
  }
  QTemporaryDir dir;
  QString data;
};

}  // namespace tavro::cli
