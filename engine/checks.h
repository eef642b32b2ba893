#pragma once
// Consistency checks between the stored timetables and the school data, and
// the deletion of inconsistent class timetables they offer.

#include <QString>

#include "core/ctx.h"

namespace tavro {

// Jctykct: every class cell covered by a combined lesson must hold exactly that lesson. Reports
// the differences per combined lesson, then asks to delete the classes concerned; on "y" deletes
// them (ordinary and combined lessons) and shows the restart instruction. Returns the number of
// classes deleted.
int Jctykct(Ctx& c);

// Phjckcct: class cells and teacher cells must agree, and each lesson must have the plan's
// teacher. Shows one box per teacher disagreement with the plan; asks to delete inconsistent
// classes; on "y" deletes them. Returns the number of inconsistent classes found.
int Phjckcct(Ctx& c);

// Phjc56lkc: for every entry of setting column 6, warns at each weekday and period where more
// classes of the school hold the course than the cap. Returns the number of warnings shown.
int Phjc56lkc(Ctx& c);

// Deletes the whole timetable of class (nj, bj) (both layers, combined lessons too), its teacher
// cells and counters, sets Ypbz = 0 and removes its entry from LstBj.
void deleteClassTimetable(Ctx& c, int nj, int bj);

}  // namespace tavro
