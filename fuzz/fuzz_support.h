#pragma once
// What the fuzz targets share: the fuzz input as a file (the readers take
// paths), the school of examples/demo-school that the timetable and settings
// readers check their contents against, and the answers given to input boxes.

#include <QString>
#include <QStringList>
#include <cstddef>
#include <cstdint>

#include "core/school.h"

namespace tavro::fuzz {

// Replaces the file `name` in a folder that lives as long as the process with the bytes; returns its path.
QString inputFile(const std::uint8_t* data, std::size_t size, const QString& name);

// Writes the input as a workbook file and returns its path: the pieces of the input separated by NUL
// bytes become, in order, the parts "_rels/.rels", "xl/workbook.xml", "xl/_rels/workbook.xml.rels",
// "xl/sharedStrings.xml", "xl/styles.xml", "xl/worksheets/sheet1.xml" and "xl/worksheets/sheet2.xml"
// of a zip (stored, not compressed).
QString partsWorkbook(const std::uint8_t* data, std::size_t size);

// The folder inputFile writes into, with a trailing separator (a data folder Wjj).
QString scratchFolder();

// The school of examples/demo-school, imported once from a copy of its sheets (nothing is scheduled).
const School& demoSchool();

// A school the timetable reader may change, with the demo school's week, scheduled flags and both
// timetable layers restored (copying the whole school per input would cost most of the time).
School& timetableReaderSchool();

// The answers given to input boxes, in order; a box asked again once they are used up stops the read.
QStringList inputAnswers();

// Ends the process with a message on stderr when an invariant of a read does not hold.
void require(bool condition, const char* what);

}  // namespace tavro::fuzz
