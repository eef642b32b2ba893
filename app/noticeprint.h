#pragma once
// Printing the change notices: an empty line and the notice box's text as
// plain lines on the chosen printer (a PDF file when the printer is set to PDF).

#include <QString>

class QPrinter;
class QWidget;

namespace tavro::app {

// Prints an empty line, then text (lines ended by CR LF or LF) on printer in a CJK-capable font,
// and ends the document.
void printNoticeText(const QString& text, QPrinter& printer);

// Shows the printer dialog on printer; true when the user chose to print.
bool choosePrinterWithDialog(QPrinter& printer, QWidget* parent);

}  // namespace tavro::app
