#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

#include "cli/cli.h"
#include "cli/console.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QByteArray encoding = tavro::cli::consoleEncoding();
  tavro::cli::ConsoleDevice outDevice(stdout, encoding), errDevice(stderr, encoding);
  QTextStream out(&outDevice);
  QTextStream err(&errDevice);
  const int code = tavro::cli::run(tavro::cli::commandLineArguments(argc, argv, encoding), out, err);
  out.flush();
  err.flush();
  return code;
}
