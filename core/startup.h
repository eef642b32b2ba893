#pragma once
// Start-up and the settings store: the start values of a run, and the two keys
// of the per-user store (application "a", section "ini"): key "i" holds the
// settings text with the grid layout code, key "m" the wizard's tip flags.
// Kept free of widgets so the desktop program and the tests share it.

#include <QDate>
#include <QSettings>
#include <QString>

#include "core/runstate.h"
#include "core/school.h"

namespace tavro {

// Number of wizard tips that have a flag in Tsbz.
inline constexpr int kTipCount = 19;

// The store of the desktop program: organisation "Tavro", application "a" (keys go under "ini/").
QSettings* openSettingsStore();

// Sets the start values of a run that are not already the defaults of School and RunState:
// Kxrq = Rqwb(today), the display widths from the longest names, Bjmxs = Kcmxs = 1.
void applyStartValues(School& s, RunState& st, const QDate& today);

// The content of key "i": Szc of Xsts, 0, Csz3, Hsdm, 0, Csz6, 0, Csz8 \ 2, written back to back.
QString settingsText(const School& s, const RunState& st);

// Hsdm from the content of key "i": the value of its fourth character (0 when shorter or not a digit).
int layoutFromSettings(const QString& text);

// Xsts from the content of key "i": 0 when its first character is "0", else 1 (every tip shown).
int tipsFromSettings(const QString& text);

// Tsbz normalised: empty -> 19 x "1"; shorter -> "1" appended up to 19; longer stays as it is.
QString normaliseTipFlags(const QString& text);

// True when tip k (1..19) is shown: Xsts is 1 or character k of Tsbz is "1".
bool tipShown(const RunState& st, int k);

// Start-up steps 3 and 4: Hsdm (and Xsts, see below) from key "i"; Tsbz from key "m", normalised
// and written back. Xsts is restored from the first character of key "i" so that a tip hidden with
// "以后不再显示本向导" stays hidden after a restart; without key "i" every tip is shown.
void readSettings(QSettings& store, School& s, RunState& st);

// Wizard close: when hideTip, character tip of Tsbz becomes "0" and Xsts = 0; then keys "i" and
// "m" are written.
void closeWizard(QSettings& store, const School& s, RunState& st, int tip, bool hideTip);

}  // namespace tavro
