#pragma once
// Runs the built tavro-cli as a child process, as a user or a script meets it:
// the arguments go through a shell script written in the locale's encoding,
// the child runs under that locale (LC_ALL), and its standard output and
// error are decoded with the same encoding.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include "tests/cli/cli_run.h"

namespace tavro::cli {

// A locale the child runs under and the encoding its console uses.
struct ConsoleLocale {
  const char* name;      // LC_ALL
  const char* encoding;  // what tavro-cli reads and writes under it
};

// The locales every child-process test runs under: plain C (UTF-8 is chosen), UTF-8 and GB18030.
inline const ConsoleLocale kConsoleLocales[] = {
    {"C", "UTF-8"}, {"zh_CN.UTF-8", "UTF-8"}, {"zh_CN.GB18030", "GB18030"}};

// What one child run gave.
struct ProcessRun {
  int code = -1;
  QString out, err;  // decoded in the locale's encoding
  QByteArray rawOut, rawErr;
  QStringList errLines() const { return err.split(u'\n', Qt::SkipEmptyParts); }
};

// Runs program with args under locale in folder work; extra is added to the environment (a value
// "" removes the variable).
ProcessRun runProcess(const QString& program, const QStringList& args, const ConsoleLocale& locale,
                      const QString& work, const QStringList& extra = {});

// Tests that run tavro-cli under each console locale, on the small demo school (seed 3) in
// dir/data, with an empty folder dir/empty beside it.
class CliProcess : public ::testing::TestWithParam<ConsoleLocale> {
 protected:
  void SetUp() override;
  // tavro-cli with args; extra as for runProcess.
  ProcessRun cli(const QStringList& args, const QStringList& extra = {}) const;
  // Every file of the data folder with its size and modification time, to show nothing changed.
  QStringList dataState() const;
  QTemporaryDir dir;
  QString data, empty;
};

// The name of a locale parameter for test names ("C", "zh_CN_UTF_8" ...).
std::string localeTestName(const ::testing::TestParamInfo<ConsoleLocale>& info);

}  // namespace tavro::cli
