#include "cli/school_import.h"

#include <QDir>
#include <QFileInfo>

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

QString dataFolderArgument(const QStringList& positional, const QString& command) {
  if (positional.isEmpty()) throw UsageError(command + QStringLiteral(" needs a data folder"));
  const QFileInfo info(positional.first());
  if (!info.exists()) throw UsageError(QStringLiteral("no such folder: ") + positional.first());
  if (!info.isDir()) throw UsageError(QStringLiteral("not a folder: ") + positional.first());
  return QDir::cleanPath(info.absoluteFilePath()) + u'/';
}

}  // namespace tavro::cli
