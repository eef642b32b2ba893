// Files that fuzzing the workbook readers found to misbehave (the .xlsx made
// small by tests/fixtures/data/findings/make_findings.py): each reads into a
// workbook or ends in an error text, without undefined behaviour or a crash.
#include <gtest/gtest.h>

#include "sheets/xlsx.h"

namespace tavro {
namespace {

const QString kFindings = QStringLiteral(TAVRO_SOURCE_DIR "/tests/fixtures/data/findings/");

// A font colour with the palette index -2147483648: computing the palette entry overflowed an int.
TEST(ReaderFindings, SmallestPaletteIndexIsNoColour) {
  const ReadResult read = readXlsx(kFindings + "negative_colour_index.xlsx");
  ASSERT_TRUE(read.ok()) << read.error.toStdString();
  const Sheet& sh = read.book->first();
  EXPECT_EQ(sh.text(1, 1), "x");
  EXPECT_EQ(sh.format(1, 1).fontSize, 12);
  EXPECT_EQ(sh.format(1, 1).fontColour, kNoColour);
}

// An .xls on which FreeXL reads far past a buffer of its own while converting a text: the reading
// runs in a child process, so at worst the child ends and the file is reported as unreadable.
TEST(ReaderFindings, FreeXlFaultEndsOnlyTheReadingProcess) {
  const QString path = kFindings + "freexl_overread.xls";
  for (int attempt = 0; attempt < 2; ++attempt) {
    const ReadResult read = readXls(path);
    if (!read.ok()) {
      EXPECT_EQ(read.error, "文件“" + path + "”不是有效的Excel文件：无法解析。");
    }
  }
  EXPECT_TRUE(readXls(QStringLiteral(TAVRO_SOURCE_DIR "/tests/fixtures/data/school.xls")).ok());
}

}  // namespace
}  // namespace tavro
