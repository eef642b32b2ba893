// Printing the change notices.

#include "app/noticeprint.h"

#include <QFont>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>

namespace tavro::app {

void printNoticeText(const QString& text, QPrinter& printer) {
  QString plain = QStringLiteral("\n") + text;
  plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  QFont font;
  font.setFamilies({QStringLiteral("SimSun"), QStringLiteral("WenQuanYi Micro Hei Mono"),
                    QStringLiteral("Noto Sans Mono CJK SC"), QStringLiteral("monospace")});
  font.setPointSize(11);
  QTextDocument document;
  document.setDefaultFont(font);
  document.setPlainText(plain);
  document.print(&printer);
}

bool choosePrinterWithDialog(QPrinter& printer, QWidget* parent) {
  QPrintDialog dialog(&printer, parent);
  dialog.setWindowTitle(QStringLiteral("打印"));
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace tavro::app
