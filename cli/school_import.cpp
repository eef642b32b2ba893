#include "cli/school_import.h"

#include <QDir>
#include <QFileInfo>

#include "adjust/viewmodel/resolve.h"
#include "cli/commands.h"
#include "core/errors.h"
#include "sheets/school_sheet.h"

namespace tavro::cli {

void importSheets(Ctx& c) {
  HoldScheduling host;
  c.st.TemplatesWritten.clear();
  const SheetOutcome outcome = CmdXx_Click(c, host);
  if (outcome == SheetOutcome::TemplateWritten || !c.st.TemplatesWritten.isEmpty())
    throw TemplatesWritten(c.s.Wjj, c.st.TemplatesWritten);
  if (outcome != SheetOutcome::Imported || !host.requested)
    throw OperationStopped(QStringLiteral("the sheets of %1 were not imported (see the message above)")
                               .arg(QDir::toNativeSeparators(c.s.Wjj)));
}

QString unsaveClassInSwapMode(Ctx& c) {
  const int nj = c.st.DqNj, bj = c.st.DqBj;
  if (c.st.Bxdck.isEmpty() || !c.s.isClass(nj, bj)) return QString();
  unsaveClass(c, nj, bj);
  return c.s.Bjmc(nj, bj);
}

void requireFinishedSchool(Ctx& c, const QString& refused) {
  const QString data = QDir::toNativeSeparators(c.s.Wjj);
  if (const QString left = unsaveClassInSwapMode(c); !left.isEmpty())
    throw SwapModeLeft(QStringLiteral("the timetable is not finished: class %1 is left in swap mode, so %2 "
                                      "(schedule %3 --resolve auto finishes it)")
                           .arg(left, refused, data));
  if (c.s.Ypbjs < c.s.Bjzs)
    throw OperationStopped(
        QStringLiteral("the timetable is not finished: %1 of %2 classes are scheduled, so %3")
            .arg(c.s.Ypbjs)
            .arg(c.s.Bjzs)
            .arg(refused));
}

QString dataFolderArgument(const QStringList& positional, const QString& command) {
  if (positional.isEmpty()) throw UsageError(command + QStringLiteral(" needs a data folder"));
  const QFileInfo info(positional.first());
  if (!info.exists()) throw UsageError(QStringLiteral("no such folder: ") + positional.first());
  if (!info.isDir()) throw UsageError(QStringLiteral("not a folder: ") + positional.first());
  return QDir::cleanPath(info.absoluteFilePath()) + u'/';
}

}  // namespace tavro::cli
