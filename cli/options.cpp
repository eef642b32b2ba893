#include "cli/options.h"

#include "cli/commands.h"

namespace tavro::cli {

namespace {

// Seeds are whole numbers 0 .. 2^64-1.
std::uint64_t parseSeed(const QString& text) {
  bool ok = false;
  const qulonglong seed = text.toULongLong(&ok);
  if (!ok) throw UsageError(QStringLiteral("--seed needs a whole number, not \"%1\"").arg(text));
  return seed;
}

// Takes the value of option name: "--name=value" or the next word.
QString optionValue(const QStringList& args, int& i, const QString& name) {
  const QString& word = args[i];
  if (word.startsWith(name + u'=')) return word.mid(name.size() + 1);
  if (i + 1 >= args.size()) throw UsageError(name + QStringLiteral(" needs a value"));
  return args[++i];
}

bool isOption(const QString& word, const QString& name) {
  return word == name || word.startsWith(name + u'=');
}

// Applies a shared option at args[i]; false when the word is not one.
bool takeSharedOption(const QStringList& args, int& i, CommandLine& line) {
  const QString& word = args[i];
  if (word == u"--help" || word == u"-h") {
    line.help = true;
  } else if (word == u"--version") {
    line.version = true;
  } else if (isOption(word, QStringLiteral("--log"))) {
    line.shared.logFile = optionValue(args, i, QStringLiteral("--log"));
    if (line.shared.logFile.isEmpty()) throw UsageError(QStringLiteral("--log needs a file name"));
  } else if (isOption(word, QStringLiteral("--answers"))) {
    line.shared.answers << optionValue(args, i, QStringLiteral("--answers")).split(u',');
  } else if (isOption(word, QStringLiteral("--seed"))) {
    line.shared.seed = parseSeed(optionValue(args, i, QStringLiteral("--seed")));
  } else {
    return false;
  }
  return true;
}

}  // namespace

CommandLine parseCommandLine(const QStringList& args) {
  CommandLine line;
  for (int i = 0; i < args.size(); ++i) {
    if (takeSharedOption(args, i, line)) continue;
    const QString& word = args[i];
    if (!line.command.isEmpty()) {
      line.args << word;
    } else if (word.startsWith(u'-')) {
      throw UsageError(QStringLiteral("unknown option ") + word);
    } else {
      line.command = word;
    }
  }
  return line;
}

}  // namespace tavro::cli
