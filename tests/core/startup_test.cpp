// Start-up values and the settings store: keys "i" and "m" as the next run
// reads them, tip flags, and the wizard's close.

#include "core/startup.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace tavro {
namespace {

struct Store {
  QTemporaryDir dir;
  QSettings settings{dir.filePath("a.ini"), QSettings::IniFormat};
};

TEST(SettingsStore, FirstStartCreatesTipFlagsAndLeavesLayoutHorizontal) {
  Store store;
  School s;
  s.Hsdm = 1;
  RunState st;
  readSettings(store.settings, s, st);
  EXPECT_EQ(s.Hsdm, 0);
  EXPECT_EQ(st.Xsts, 1);
  EXPECT_EQ(st.Tsbz, QString(19, u'1'));
  EXPECT_EQ(store.settings.value("ini/m").toString(), QString(19, u'1'));
  EXPECT_FALSE(store.settings.contains("ini/i"));
}

TEST(SettingsStore, ShortTipFlagsAreFilledUpLongOnesKept) {
  EXPECT_EQ(normaliseTipFlags("010101010101"), QStringLiteral("0101010101011111111"));
  EXPECT_EQ(normaliseTipFlags(""), QString(19, u'1'));
  EXPECT_EQ(normaliseTipFlags(QString(22, u'0')), QString(22, u'0'));
  Store store;
  store.settings.setValue("ini/m", "010101010101");
  School s;
  RunState st;
  readSettings(store.settings, s, st);
  EXPECT_EQ(store.settings.value("ini/m").toString(), QStringLiteral("0101010101011111111"));
}

TEST(SettingsStore, KeyIHoldsTheEightFieldsAndGivesBackTheLayout) {
  School s;
  RunState st;
  s.Hsdm = 1;
  EXPECT_EQ(settingsText(s, st), QStringLiteral("10110004"));
  st.Csz8 = 9;
  st.Csz6 = 3;
  st.Xsts = 0;
  s.Hsdm = 0;
  EXPECT_EQ(settingsText(s, st), QStringLiteral("00100304"));
  EXPECT_EQ(layoutFromSettings("10110004"), 1);
  EXPECT_EQ(layoutFromSettings("101"), 0);
  EXPECT_EQ(layoutFromSettings("101x"), 0);
  EXPECT_EQ(tipsFromSettings("00110004"), 0);
  EXPECT_EQ(tipsFromSettings(""), 1);
}

TEST(SettingsStore, HidingTipThirteenSurvivesARestart) {
  Store store;
  School s;
  s.Hsdm = 1;
  RunState st;
  st.Tsbz = normaliseTipFlags("");
  EXPECT_TRUE(tipShown(st, 13));
  closeWizard(store.settings, s, st, 13, true);
  EXPECT_EQ(st.Xsts, 0);
  EXPECT_EQ(store.settings.value("ini/m").toString(), QStringLiteral("1111111111110111111"));
  EXPECT_EQ(store.settings.value("ini/i").toString(), QStringLiteral("00110004"));
  EXPECT_FALSE(tipShown(st, 13));
  EXPECT_TRUE(tipShown(st, 12));

  School next;
  RunState nextSt;
  readSettings(store.settings, next, nextSt);
  EXPECT_EQ(next.Hsdm, 1);
  EXPECT_EQ(nextSt.Xsts, 0);
  EXPECT_FALSE(tipShown(nextSt, 13));
  EXPECT_TRUE(tipShown(nextSt, 12));
}

TEST(SettingsStore, ClosingWithoutTheBoxOnlyWritesTheKeys) {
  Store store;
  School s;
  RunState st;
  st.Tsbz = normaliseTipFlags("");
  closeWizard(store.settings, s, st, 13, false);
  EXPECT_EQ(st.Xsts, 1);
  EXPECT_EQ(store.settings.value("ini/m").toString(), QString(19, u'1'));
  EXPECT_EQ(store.settings.value("ini/i").toString(), QStringLiteral("10100004"));
  closeWizard(store.settings, s, st, 40, true);  // a number without a flag changes no flag
  EXPECT_EQ(store.settings.value("ini/m").toString(), QString(19, u'1'));
}

TEST(StartValues, TermStartIsTodayAndWidthsFollowTheLongestNames) {
  School s;
  s.Jsmcd = 3;
  s.Bjmcd = 5;
  s.Kcmcd = 4;
  RunState st;
  st.Bjmxs = 2;
  applyStartValues(s, st, QDate(2026, 9, 1));
  EXPECT_EQ(s.Kxrq, QStringLiteral("2026-09-01"));
  EXPECT_EQ(st.Jsmkd, 3);
  EXPECT_EQ(st.Bjmkd, 5);
  EXPECT_EQ(st.Kcmkd, 4);
  EXPECT_EQ(st.Bjmxs, 1);
  EXPECT_EQ(st.Kcmxs, 1);
}

}  // namespace
}  // namespace tavro
