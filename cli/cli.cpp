#include "cli/cli.h"

namespace tavro::cli {

int run(const QStringList& args, QTextStream& out, QTextStream& err) {
  if (args.contains("--version")) {
    out << "tavro-cli 2.0\n";
    return 0;
  }
  if (args.isEmpty() || args.contains("--help")) {
    out << "Usage: tavro-cli COMMAND [OPTIONS]\n";
    return 0;
  }
  err << "tavro-cli: unknown command " << args.first() << "\n";
  return 2;
}

}  // namespace tavro::cli
