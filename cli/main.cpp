#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

#include "cli/cli.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QTextStream out(stdout);
  QTextStream err(stderr);
  QStringList args = app.arguments();
  args.removeFirst();
  const int code = tavro::cli::run(args, out, err);
  out.flush();
  err.flush();
  return code;
}
