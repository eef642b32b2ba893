#include "cli/help.h"

#include <algorithm>

namespace tavro::cli {

namespace {

bool isWide(char32_t c) {
  return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3) ||
         (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
         (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

QString padded(const QString& text, int width) {
  return text + QString(std::max(0, width - displayWidth(text)), u' ');
}

QString optionSyntax(const OptionSpec& spec) {
  QString syntax = QStringLiteral("--") + spec.name;
  if (spec.name == u"help") syntax = QStringLiteral("-h, --help");
  return spec.valueName.isEmpty() ? syntax : syntax + u' ' + spec.valueName;
}

// One line per option: the syntax in a column as wide as the widest, then its help.
QString optionLines(const std::vector<OptionSpec>& options) {
  int width = 0;
  for (const OptionSpec& spec : options) width = std::max(width, displayWidth(optionSyntax(spec)));
  QString text;
  for (const OptionSpec& spec : options)
    text += QStringLiteral("  ") + padded(optionSyntax(spec), width + 2) + spec.help + u'\n';
  return text;
}

const char* const kExitCodes =
    "Exit codes:\n"
    "  0  done\n"
    "  1  internal error (a fault of tavro-cli)\n"
    "  2  bad command line; nothing was run or changed\n"
    "  3  stopped on a message that says why\n"
    "  4  a path that ends the program was taken (the message says what to do)\n"
    "  5  a class was left in swap mode\n"
    "  6  templates of the sheets were written: fill them in, then run the command again\n";

const char* const kStreams =
    "Results go to standard output; messages (提示, 错误, 请回答, 输入, 向导) to standard error, one line\n"
    "each, the further lines of a message starting with \"  | \".\n";

}  // namespace

int displayWidth(const QString& text) {
  int width = 0;
  for (const char32_t c : text.toUcs4()) width += isWide(c) ? 2 : 1;
  return width;
}

QString helpText(const CommandRegistry& registry) {
  QString text = QStringLiteral(
      "Usage: tavro-cli COMMAND [ARGUMENTS] [OPTIONS]\n"
      "       tavro-cli COMMAND --help   the options of one command\n\nCommands:\n");
  int width = 0;
  for (const Command& c : registry.commands())
    if (!c.hidden) width = std::max(width, displayWidth(c.name + u' ' + c.arguments));
  for (const Command& c : registry.commands())
    if (!c.hidden)
      text += QStringLiteral("  ") + padded(c.name + u' ' + c.arguments, width + 2) + c.summary + u'\n';
  text += QStringLiteral("\nOptions shared by every command:\n") + optionLines(sharedOptions());
  return text + u'\n' + QString::fromUtf8(kExitCodes) + u'\n' + QString::fromUtf8(kStreams);
}

QString commandHelp(const Command& command) {
  QString text = QStringLiteral("Usage: tavro-cli %1 %2 [OPTIONS]\n%3\n")
                     .arg(command.name, command.arguments, command.summary);
  for (const QString& line : command.details) text += QStringLiteral("  ") + line + u'\n';
  if (!command.options.empty()) text += QStringLiteral("\nOptions:\n") + optionLines(command.options);
  text += QStringLiteral("\nShared options:\n") + optionLines(sharedOptions());
  text += u'\n' + QString::fromUtf8(kExitCodes);
  if (!command.examples.isEmpty()) {
    text += QStringLiteral("\nExample:\n");
    for (const QString& example : command.examples) text += QStringLiteral("  tavro-cli ") + example + u'\n';
  }
  return text;
}

}  // namespace tavro::cli
