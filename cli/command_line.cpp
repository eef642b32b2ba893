#include "cli/command_line.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QSet>

namespace tavro::cli {

namespace {

bool endsOptions(const QString& word) {
  return word == u"--";
}

// The option name of a word "--name" or "--name=value"; "" for a word that is no long option.
QString longOptionName(const QString& word) {
  if (!word.startsWith(QStringLiteral("--")) || word.size() == 2) return QString();
  return word.mid(2).section(u'=', 0, 0);
}

bool isHelp(const QString& word) {
  return word == u"--help" || word == u"-h";
}

const OptionSpec* findOption(const Command* command, const QString& name) {
  if (command)
    if (const OptionSpec* spec = command->option(name)) return spec;
  for (const OptionSpec& spec : sharedOptions())
    if (spec.name == name) return &spec;
  return nullptr;
}

// The names of every option of any command that takes a value (their values are no command word).
QSet<QString> valueOptionNames(const CommandRegistry& registry) {
  QSet<QString> names;
  for (const OptionSpec& spec : sharedOptions())
    if (!spec.valueName.isEmpty()) names.insert(spec.name);
  for (const Command& command : registry.commands())
    for (const OptionSpec& spec : command.options)
      if (!spec.valueName.isEmpty()) names.insert(spec.name);
  return names;
}

// The index of the command word in args, -1 when there is none.
int commandIndex(const CommandRegistry& registry, const QStringList& args) {
  const QSet<QString> valueOptions = valueOptionNames(registry);
  for (int i = 0; i < args.size(); ++i) {
    const QString& word = args[i];
    if (endsOptions(word)) return i + 1 < args.size() ? i + 1 : -1;
    if (!word.startsWith(u'-') || word == u"-") return i;
    if (!word.contains(u'=') && valueOptions.contains(longOptionName(word))) ++i;
  }
  return -1;
}

// How a missing value is named: "--report needs a file".
QString neededValue(const OptionSpec& spec) {
  if (spec.valueName == u"FILE") return QStringLiteral("a file");
  if (spec.valueName == u"DIR") return QStringLiteral("a folder");
  if (spec.valueName == u"N") return QStringLiteral("a number");
  if (spec.valueName == u"YYYY-MM-DD") return QStringLiteral("a date YYYY-MM-DD");
  return QStringLiteral("a value (%1)").arg(spec.valueName);
}

// Checks every option word before the parser sees it, so that each mistake gets a plain message.
void checkOptionWords(const Command* command, const QString& commandName, const QStringList& words) {
  for (int i = 0; i < words.size(); ++i) {
    const QString& word = words[i];
    if (endsOptions(word)) return;
    if (!word.startsWith(u'-') || word == u"-" || isHelp(word)) continue;
    const QString name = longOptionName(word);
    const OptionSpec* spec = name.isEmpty() ? nullptr : findOption(command, name);
    if (!spec) {
      if (command)
        throw UsageError(QStringLiteral("%1 does not take %2").arg(commandName, word.section(u'=', 0, 0)));
      throw UsageError(QStringLiteral("unknown option ") + word.section(u'=', 0, 0));
    }
    const bool inlineValue = word.contains(u'=');
    if (spec->valueName.isEmpty()) {
      if (inlineValue) throw UsageError(QStringLiteral("--%1 takes no value").arg(name));
      continue;
    }
    const bool missing = inlineValue ? word.section(u'=', 1).isEmpty()
                                     : i + 1 >= words.size() || words[i + 1].startsWith(QStringLiteral("--"));
    if (missing) throw UsageError(QStringLiteral("--%1 needs %2").arg(name, neededValue(*spec)));
    if (!inlineValue) ++i;
  }
}

// "stop or auto", "small, medium or large".
QString choiceList(const QStringList& choices) {
  if (choices.size() < 2) return choices.join(QString());
  return choices.mid(0, choices.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" or ") +
         choices.last();
}

void checkPath(const OptionSpec& spec, const QString& value) {
  const QString option = QStringLiteral("--") + spec.name + u' ' + value;
  if (spec.check == ValueCheck::Folder) {
    const QFileInfo info(value);
    if (!info.exists()) throw UsageError(option + QStringLiteral(": no such folder"));
    if (!info.isDir()) throw UsageError(option + QStringLiteral(": not a folder"));
    return;
  }
  if (spec.check == ValueCheck::NewFileOrDash && value == u"-") return;
  const QFileInfo info(value);
  if (info.isDir()) throw UsageError(option + QStringLiteral(": is a folder, not a file"));
  const QFileInfo folder(info.absolutePath());
  if (!folder.isDir())
    throw UsageError(option + QStringLiteral(": the folder %1 does not exist").arg(info.path()));
}

// Checks the values of one option against its table entry.
void checkValues(const OptionSpec& spec, const QStringList& values) {
  for (const QString& value : values) {
    if (!spec.choices.isEmpty() && !spec.choices.contains(value))
      throw UsageError(
          QStringLiteral("--%1 takes %2, not %3").arg(spec.name, choiceList(spec.choices), value));
    if (spec.check != ValueCheck::None) checkPath(spec, value);
  }
}

void addOption(QCommandLineParser& parser, const OptionSpec& spec) {
  QStringList names{spec.name};
  if (spec.name == u"help") names.prepend(QStringLiteral("h"));
  parser.addOption(spec.valueName.isEmpty() ? QCommandLineOption(names, spec.help)
                                            : QCommandLineOption(names, spec.help, spec.valueName));
}

// Parses words with one QCommandLineParser holding the command's options and the shared ones.
CommandArgs parseWords(const Command& command, const QStringList& words) {
  QCommandLineParser parser;
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  for (const OptionSpec& spec : command.options) addOption(parser, spec);
  for (const OptionSpec& spec : sharedOptions()) addOption(parser, spec);
  if (!parser.parse(QStringList{QStringLiteral("tavro-cli")} + words)) throw UsageError(parser.errorText());
  CommandArgs args;
  args.positional = parser.positionalArguments();
  for (const OptionSpec& spec : command.options)
    if (parser.isSet(spec.name)) args.set(spec.name, parser.values(spec.name), false);
  for (const OptionSpec& spec : sharedOptions())
    if (parser.isSet(spec.name)) args.set(spec.name, parser.values(spec.name), true);
  return args;
}

// Seeds are whole numbers 0 .. 2^64-1.
std::uint64_t parseSeed(const QString& text, const QString& source) {
  bool ok = false;
  const qulonglong seed = text.toULongLong(&ok);
  if (!ok) throw UsageError(QStringLiteral("%1 needs a whole number, not \"%2\"").arg(source, text));
  return seed;
}

}  // namespace

QString logFileArgument(const QStringList& args) {
  QString file;
  for (int i = 0; i < args.size(); ++i) {
    if (endsOptions(args[i])) break;
    if (args[i].startsWith(QStringLiteral("--log="))) file = args[i].mid(6);
    if (args[i] == u"--log" && i + 1 < args.size() && !args[i + 1].startsWith(QStringLiteral("--")))
      file = args[++i];
  }
  return file;
}

void parseCommandLine(const CommandRegistry& registry, const QStringList& args, CommandLine& line) {
  const int index = commandIndex(registry, args);
  QStringList words = args;
  if (index >= 0) line.commandName = words.takeAt(index);
  line.command = registry.find(line.commandName);
  const int end = static_cast<int>(words.indexOf(QStringLiteral("--")));
  const QStringList options = end < 0 ? words : words.mid(0, end);
  line.help = std::any_of(options.begin(), options.end(), isHelp);
  line.version = options.contains(QStringLiteral("--version"));
  if (!line.commandName.isEmpty() && !line.command)
    throw UsageError(QStringLiteral("unknown command ") + line.commandName);
  if (line.help || line.version) return;
  checkOptionWords(line.command, line.commandName, words);
  if (!line.command) return;
  line.args = parseWords(*line.command, words);
  for (const OptionSpec& spec : line.command->options) checkValues(spec, line.args.values(spec.name));
  for (const OptionSpec& spec : sharedOptions()) checkValues(spec, line.args.values(spec.name));
}

SharedOptions sharedOptionValues(const CommandArgs& args) {
  SharedOptions shared;
  for (const QString& answers : args.values(QStringLiteral("answers"))) shared.answers << answers.split(u',');
  shared.logFile = args.value(QStringLiteral("log"));
  shared.quiet = args.has(QStringLiteral("quiet"));
  if (args.has(QStringLiteral("seed"))) {
    shared.seed = parseSeed(args.value(QStringLiteral("seed")), QStringLiteral("--seed"));
  } else if (const QString env = qEnvironmentVariable("TAVRO_SEED"); !env.isEmpty()) {
    shared.seed = parseSeed(env, QStringLiteral("TAVRO_SEED"));
  }
  return shared;
}

}  // namespace tavro::cli
