#pragma once
// The print-format file: the settings table Dysz written after every export
// and read at start-up, its start-up values and the application of the
// current profile to the controls (Xsdysz).

#include <QString>
#include <QStringList>

#include "export/context.h"

namespace tavro {

// The bare name of the print-format file.
inline const QString kPrintFormatFileName = QStringLiteral("Tavro课程安排系统打印导出格式.txt");

// The folder of the print-format file: `folder` when given, else the per-user configuration folder
// of the application Tavro (~/.config/Tavro).
QString printFormatFolder(const QString& folder = QString());
// The full path of the print-format file in printFormatFolder(folder).
QString printFormatPath(const QString& folder = QString());

// Start-up values of every profile (Kcmcd gives the body size of profiles 0..2).
void setStartValues(ExportForm& f, const School& s);

// The lines of the print-format file for Dysz: the header, profile 0..25 x option 1..45, "#"; line
// breaks inside a value are written as blanks.
QStringList printFormatLines(const ExportForm& f, const School& s);

// Reads the lines of a print-format file into Dysz: each record is a profile, an option and the
// rest of the line as the value (blanks around it removed). Stops at the "#" line, at an unreadable
// record or at a profile above 26 / option above 45; a stored option 22 of "2" becomes "1". Values
// keep their text (Xsdysz validates them).
void readPrintFormatLines(ExportForm& f, const QStringList& lines);

// Dkdydcgs: reads the file at path (when it can be read), then Xsdysz.
void Dkdydcgs(ExportCtx& c, const QString& path);

// Bcdysz: writes Dysz to the file at path atomically (its folder is created); failures are ignored.
void Bcdysz(const ExportForm& f, const School& s, const QString& path);

// Xsdysz: validates the current profile's options (out-of-range values replaced in Dysz) and
// applies them to the controls, the name forms, Hsdm, the per-band count and the fonts.
void Xsdysz(ExportCtx& c);

// Writes both font button captions from Btzt/Btzh and Zwzt/Zwzh.
void writeFontCaptions(ExportForm& f);

}  // namespace tavro
