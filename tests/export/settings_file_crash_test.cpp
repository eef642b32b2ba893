// A save of the print-format file killed at a random moment leaves the old or the new file whole.

#include <gtest/gtest.h>

#include <QFileInfo>

#include "export/settings_file.h"
#include "tests/export/export_fixture.h"
#include "tests/fixtures/kill_trials.h"
#include "tests/fixtures/text_files.h"

namespace tavro::testing {

// A child process saves two different settings in turn and is killed at random moments, 100 times;
// the file on disk is always one of the two, whole, also when the kill lands inside a save.
TEST(PrintFormatFileSave, AKilledSaveLeavesTheOldOrTheNewFileWhole) {
  ExportFixture fx;
  const QString path = fx.settingsPath;
  ExportForm other = fx.form;
  for (int a = 0; a <= 25; ++a) other.Dysz(a, 35) = QStringLiteral("黑体");
  Bcdysz(other, fx.school, path);
  const QByteArray otherBytes = fixtures::readBytes(path);
  const std::int64_t saveMicroseconds = fixtures::microsecondsOf([&] { Bcdysz(fx.form, fx.school, path); });
  const QByteArray firstBytes = fixtures::readBytes(path);
  ASSERT_EQ(firstBytes.count("\r\n"), 1172);
  ASSERT_NE(firstBytes, otherBytes);

  const QString folder = QFileInfo(path).absolutePath(), name = QFileInfo(path).fileName();
  int changed = 0;
  QByteArray before = firstBytes;
  fixtures::KillTrials trials;
  trials.maxDelayMicroseconds = 3 * saveMicroseconds;
  const int insideSave = fixtures::runKillTrials(
      trials, [&](int call) { Bcdysz(call % 2 == 0 ? other : fx.form, fx.school, path); },
      [&](int trial) {
        const QByteArray now = fixtures::readBytes(path);
        EXPECT_TRUE(now == firstBytes || now == otherBytes)
            << "trial " << trial << ": " << now.size() << " bytes";
        if (now != before) ++changed;
        before = now;
        fixtures::removeLeftoverFiles(folder, name);
      });
  EXPECT_GT(changed, 0);
  EXPECT_GT(insideSave, 0);
}

}  // namespace tavro::testing
