#include "core/startup.h"

#include "core/procedures.h"
#include "core/vbtext.h"

namespace tavro {

namespace {

const QString kKeyI = QStringLiteral("ini/i");
const QString kKeyM = QStringLiteral("ini/m");

void writeKeys(QSettings& store, const School& s, const RunState& st) {
  store.setValue(kKeyI, settingsText(s, st));
  store.setValue(kKeyM, st.Tsbz);
  store.sync();
}

}  // namespace

QSettings* openSettingsStore() {
  return new QSettings(QStringLiteral("Tavro"), QStringLiteral("a"));
}

void applyStartValues(School& s, RunState& st, const QDate& today) {
  s.Kxrq = Rqwb(today);
  st.Jsmkd = s.Jsmcd;
  st.Bjmkd = s.Bjmcd;
  st.Kcmkd = s.Kcmcd;
  st.Bjmxs = 1;
  st.Kcmxs = 1;
}

QString settingsText(const School& s, const RunState& st) {
  return Szc(st.Xsts) + Szc(0) + Szc(st.Csz3) + Szc(s.Hsdm) + Szc(0) + Szc(st.Csz6) + Szc(0) +
         Szc(st.Csz8 / 2);
}

int layoutFromSettings(const QString& text) {
  return text.size() >= 4 ? ValInt(text.mid(3, 1)) : 0;
}

int tipsFromSettings(const QString& text) {
  return text.startsWith(u'0') ? 0 : 1;
}

QString normaliseTipFlags(const QString& text) {
  QString flags = text;
  while (flags.size() < kTipCount) flags += u'1';
  return flags;
}

bool tipShown(const RunState& st, int k) {
  return st.Xsts == 1 || (k >= 1 && k <= st.Tsbz.size() && st.Tsbz.at(k - 1) == u'1');
}

void readSettings(QSettings& store, School& s, RunState& st) {
  const QString i = store.value(kKeyI).toString();
  s.Hsdm = layoutFromSettings(i);
  st.Xsts = tipsFromSettings(i);
  st.Tsbz = normaliseTipFlags(store.value(kKeyM).toString());
  store.setValue(kKeyM, st.Tsbz);
  store.sync();
}

void closeWizard(QSettings& store, const School& s, RunState& st, int tip, bool hideTip) {
  if (hideTip) {
    if (tip >= 1 && tip <= st.Tsbz.size()) st.Tsbz[tip - 1] = u'0';
    st.Xsts = 0;
  }
  writeKeys(store, s, st);
}

}  // namespace tavro
