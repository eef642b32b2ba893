// tavro-cli history DATA list|undo [N]|redo [N]|restore K, and tavro-cli clear DATA: the history
// of "课表.txt" and "调课.txt" without the window. They work on the files alone (no sheet is
// imported): "list" numbers the kept versions newest first, "undo" and "redo" step through the
// actions as "撤销" and "重做" do, "restore" brings back version K as an action of its own (so it
// can be undone), and "clear" is "编辑"－"清除全校课表": "课表.txt" goes into the history.

#include <QDir>
#include <QFileInfo>

#include "cli/commands.h"
#include "cli/context.h"
#include "cli/school_import.h"
#include "core/errors.h"
#include "core/history_action.h"
#include "core/textfile.h"
#include "core/timetable_file.h"

namespace tavro::cli {

namespace {

HistoryFolder historyOf(CliContext& context, const QString& folder) {
  return HistoryFolder(folder, context.session.state.History.limits);
}

// The whole number from 1 given as word, fallback when word is empty.
int countArgument(const QString& word, int fallback, const QString& what) {
  if (word.isEmpty()) return fallback;
  bool ok = false;
  const int n = word.toInt(&ok);
  if (!ok || n < 1)
    throw UsageError(QStringLiteral("%1 needs a whole number from 1, not %2").arg(what, word));
  return n;
}

int runList(CliContext& context, const QString& folder) {
  const HistoryFolder history = historyOf(context, folder);
  const QVector<HistoryVersion> versions = history.versions();
  for (int i = 0; i < versions.size(); ++i)
    context.out << QStringLiteral("%1  ").arg(i + 1, 3) << versionDescription(versions[i]) << '\n';
  if (versions.isEmpty())
    context.note(QStringLiteral("no versions are kept in ") + QDir::toNativeSeparators(history.path()));
  return kExitDone;
}

// Undoes (back) or redoes n steps; refuses before any change when fewer can be taken.
int runSteps(CliContext& context, const QString& folder, bool back, int n) {
  const HistoryFolder history = historyOf(context, folder);
  const HistoryIndex index = history.readIndex();
  const int available = back ? index.current() : static_cast<int>(index.steps.size()) - index.current();
  const QString verb = back ? QStringLiteral("undone") : QStringLiteral("redone");
  if (available < n)
    throw OperationStopped(QStringLiteral("%1 step(s) can be %2 in %3, not %4")
                               .arg(available)
                               .arg(verb, QDir::toNativeSeparators(history.path()))
                               .arg(n));
  const QString word = back ? QStringLiteral("撤销") : QStringLiteral("重做");
  for (int i = 0; i < n; ++i) {
    const QString now = historyTimeNow(context.session.state.History.fixedNow);
    const std::optional<HistoryStep> step =
        back ? undoHistoryStep(history, now) : redoHistoryStep(history, now);
    if (!step) throw OperationStopped(QStringLiteral("%1 of %2 step(s) were %3").arg(i).arg(n).arg(verb));
    context.out << word << u'：' << step->caption << '\n';
  }
  return kExitDone;
}

int runRestore(CliContext& context, const QString& folder, const QString& word) {
  if (word.isEmpty())
    throw UsageError(QStringLiteral("history restore needs the number of a version (see list)"));
  const int k = countArgument(word, 0, QStringLiteral("history restore"));
  const QVector<HistoryVersion> versions = historyOf(context, folder).versions();
  if (k > versions.size())
    throw OperationStopped(
        QStringLiteral("there is no version %1 (%2 are kept)").arg(k).arg(versions.size()));
  restoreHistoryVersion(context.session.state, folder, versions[k - 1]);
  context.out << QStringLiteral("恢复：") << versionDescription(versions[k - 1]) << '\n';
  return kExitDone;
}

int runHistory(CliContext& context, const CommandArgs& args) {
  const QString folder = dataFolderArgument(args.positional, QStringLiteral("history"));
  const QString action = args.positional.value(1);
  if (args.positional.size() > (action == u"list" ? 2 : 3))
    throw UsageError(QStringLiteral("unexpected argument ") + args.positional.last());
  const QString word = args.positional.value(2);
  try {
    if (action == u"list") return runList(context, folder);
    if (action == u"undo" || action == u"redo")
      return runSteps(context, folder, action == u"undo",
                      countArgument(word, 1, QStringLiteral("history ") + action));
    if (action == u"restore") return runRestore(context, folder, word);
  } catch (const FileError& e) {
    throw OperationStopped(e.message());
  }
  throw UsageError(QStringLiteral("history needs list, undo, redo or restore after the data folder"));
}

}  // namespace

bool clearTimetableFile(Ctx& c) {
  const QString path = timetableFilePath(c.s);
  if (!QFileInfo::exists(path)) return false;
  try {
    HistoryActionScope action(
        c.st, HistoryAction{QStringLiteral("清除"), QString(), QStringLiteral("清除全校课表")});
    removeDataFile(c.st, path);
  } catch (const FileError& e) {
    throw OperationStopped(e.message());
  }
  return true;
}

namespace {

int runClear(CliContext& context, const CommandArgs& args) {
  if (args.positional.size() > 1) throw UsageError(QStringLiteral("clear takes one data folder"));
  const QString folder = dataFolderArgument(args.positional, QStringLiteral("clear"));
  const QString file = QDir::toNativeSeparators(folder + QStringLiteral("课表.txt"));
  Ctx c = context.ctx();
  c.s.Wjj = folder;
  if (!clearTimetableFile(c)) {
    context.note(QStringLiteral("there is no timetable to clear: %1 does not exist").arg(file));
    return kExitDone;
  }
  context.out << QStringLiteral(
                     "cleared the timetable of every class: %1 is kept in %2 "
                     "(history DATA undo brings it back)")
                     .arg(file, QDir::toNativeSeparators(folder + kHistoryFolderName))
              << '\n';
  return kExitDone;
}

}  // namespace

void registerHistoryCommands(CommandRegistry& registry) {
  registry.add(
      {.name = QStringLiteral("history"),
       .arguments = QStringLiteral("DATA ACTION [N]"),
       .summary = QStringLiteral("undoes, redoes, lists or restores versions of the timetable"),
       .details = {QStringLiteral("ACTION is one of:"),
                   QStringLiteral("  list       the versions kept in DATA/历史, numbered, newest first"),
                   QStringLiteral(
                       "  undo [N]   undoes the last N actions (default 1), as 撤销 in the window"),
                   QStringLiteral("  redo [N]   redoes N undone actions (default 1), as 重做 in the window"),
                   QStringLiteral("  restore K  brings back version K of the list; a restore can be undone")},
       .examples = {QStringLiteral("history school list"), QStringLiteral("history school undo 2"),
                    QStringLiteral("history school restore 3")},
       .run = runHistory});
  registry.add(
      {.name = QStringLiteral("clear"),
       .arguments = QStringLiteral("DATA"),
       .summary = QStringLiteral("empties every class's timetable (编辑－清除全校课表)"),
       .details = {QStringLiteral("The old 课表.txt stays in DATA/历史: history DATA undo brings it back.")},
       .examples = {QStringLiteral("clear school"), QStringLiteral("history school undo")},
       .run = runClear});
}

}  // namespace tavro::cli
