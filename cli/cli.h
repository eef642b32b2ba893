#pragma once
// tavro-cli: the headless front end. run() parses the arguments, runs one
// command and returns the process exit code:
//   0 done, 2 bad usage, 3 an operation stopped on a validation message,
//   4 a program-end path.

#include <QStringList>
#include <QTextStream>

namespace tavro::cli {

int run(const QStringList& args, QTextStream& out, QTextStream& err);

}  // namespace tavro::cli
