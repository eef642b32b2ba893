#include "core/textfile.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <QDir>
#include <QFile>
#include <functional>

#include "core/field_reader.h"
#include "tests/fixtures/text_files.h"

namespace tavro {

TEST(TextFile, LinesSplitAtCrLfAndLfAndAreWrittenAsUtf8WithCrLf) {
  EXPECT_EQ(splitLines(QStringLiteral("a\r\nb\n\r\nc")), (QStringList{"a", "b", "", "c"}));
  EXPECT_EQ(splitLines(QStringLiteral("a\r\n\r\n")), (QStringList{"a", ""}));
  EXPECT_EQ(splitLines(QStringLiteral("a\rb\n")), QStringList{QStringLiteral("a\rb")});
  EXPECT_EQ(splitLines(QString()), QStringList());
  EXPECT_EQ(printNumber(5), " 5 ");
  EXPECT_EQ(printNumber(13), " 13 ");
  EXPECT_EQ(printNumber(-3), "-3 ");
  EXPECT_EQ(encodeLines({QStringLiteral("星期 1 "), QString()}),
            QByteArray("\xE6\x98\x9F\xE6\x9C\x9F 1 \r\n\r\n"));
}

TEST(TextFile, ReadingAcceptsUtf8WithOrWithoutMarkAndFallsBackToGb18030) {
  const QString text = QStringLiteral("'每周天数：\r\n 5 \r\n初一（1）班");
  const QByteArray utf8 = text.toUtf8();
  EXPECT_EQ(decodeText(utf8), text);
  EXPECT_EQ(decodeText(QByteArray("\xEF\xBB\xBF") + utf8), text);
  // "课表" in GB18030, as Chinese Windows writes it.
  EXPECT_EQ(decodeText(QByteArray("\xBF\xCE\xB1\xED")), QStringLiteral("课表"));
  EXPECT_EQ(decodeText(fixtures::toGb18030(utf8)), text);

  fixtures::DataFolder dir;
  fixtures::writeBytes(dir.file(), fixtures::toGb18030(utf8));
  EXPECT_EQ(readTextLines(dir.file()),
            (QStringList{QStringLiteral("'每周天数："), " 5 ", QStringLiteral("初一（1）班")}));
  EXPECT_EQ(readTextLines(dir.file(QStringLiteral("没有.txt"))), std::nullopt);
}

TEST(TextFile, WritingReplacesTheFileAndAppendingAddsToItOrCreatesIt) {
  fixtures::DataFolder dir;
  const QString path = dir.file(QStringLiteral("调课.txt"));
  writeTextLines(path, {"old", "lines", "here"});
  writeTextLines(path, {QStringLiteral("新")});
  EXPECT_EQ(fixtures::readBytes(path), QByteArray("\xE6\x96\xB0\r\n"));
  appendTextLines(path, {"a", "b"});
  EXPECT_EQ(fixtures::readBytes(path), QByteArray("\xE6\x96\xB0\r\na\r\nb\r\n"));
  const QString fresh = dir.file(QStringLiteral("new.txt"));
  appendTextLines(fresh, {"x"});
  EXPECT_EQ(fixtures::readBytes(fresh), QByteArray("x\r\n"));
  EXPECT_THROW(writeTextLines(dir.path() + "missing/f.txt", {"x"}), FileError);
  EXPECT_THROW(appendTextLines(dir.path() + "missing/f.txt", {"x"}), FileError);
}

// A save that cannot be completed leaves the old file as it was and names the file and the cause.
TEST(TextFile, AFailedSaveKeepsTheOldFileAndSaysWhy) {
  fixtures::DataFolder dir;
  const QString path = dir.file();
  writeTextLines(path, {"old"});
  const auto failure = [](const std::function<void()>& save) {
    try {
      save();
    } catch (const FileError& e) {
      return e.message();
    }
    return QStringLiteral("saved");
  };
  const QString shown = QDir::toNativeSeparators(path);
  // A write the disk refuses half-way (here: a file size limit): the old file stays.
  struct rlimit limit {};
  getrlimit(RLIMIT_FSIZE, &limit);
  struct rlimit small = limit;
  small.rlim_cur = 1000;  // the hard limit stays, so the old limit can be set again
  signal(SIGXFSZ, SIG_IGN);
  setrlimit(RLIMIT_FSIZE, &small);
  const QString tooBig = failure([&] { writeFileAtomically(path, QByteArray(50000, 'x')); });
  setrlimit(RLIMIT_FSIZE, &limit);
  EXPECT_TRUE(tooBig.startsWith(QStringLiteral("无法保存文件“") + shown + QStringLiteral("”：系统报告“")))
      << tooBig.toStdString();
  EXPECT_EQ(fixtures::readBytes(path), QByteArray("old\r\n"));

  const QString folder = dir.path() + QStringLiteral("课表.txt.d");
  QDir().mkpath(folder);
  EXPECT_EQ(failure([&] { writeTextLines(folder, {"x"}); }),
            QStringLiteral("无法保存文件“") + QDir::toNativeSeparators(folder) +
                QStringLiteral("”：同一位置有一个同名的文件夹。"));
  EXPECT_EQ(failure([&] { appendTextLines(dir.path() + "missing/f.txt", {"x"}); }),
            QStringLiteral("无法保存文件“") + QDir::toNativeSeparators(dir.path() + "missing/f.txt") +
                QStringLiteral("”：文件夹“") + QDir::toNativeSeparators(dir.path() + "missing") +
                QStringLiteral("”不存在。"));
  if (QFile::exists(QStringLiteral("/dev/full"))) {  // a device that is always full
    EXPECT_EQ(failure([&] { appendTextLines(QStringLiteral("/dev/full"), {"x"}); }),
              QStringLiteral("无法保存文件“/dev/full”：磁盘已满。"));
  }
}

TEST(FieldReader, FieldsEndAtCommasOrLineEndsAndNumbersMustBeWhole) {
  FieldReader in({QStringLiteral("07年级01班,初一(1,2)班"), " 1 ", "  a , b ,", "x", " 5x ", "-3"});
  EXPECT_EQ(in.field(), QStringLiteral("07年级01班"));
  EXPECT_EQ(in.restOfLine(), QStringLiteral("初一(1,2)班"));  // the name keeps its comma
  EXPECT_EQ(in.restOfLine(), "");                             // no comma pending: nothing read
  EXPECT_EQ(in.number(), 1);
  EXPECT_EQ(in.field(), "a");
  EXPECT_EQ(in.field(), "b");
  EXPECT_EQ(in.field(), "");  // the empty field after the last comma
  EXPECT_EQ(in.lineNumber(), 4);
  in.skipLine();
  EXPECT_THROW(in.number(), FileContentError);
  EXPECT_EQ(in.number(), -3);
  EXPECT_THROW(in.field(), FileContentError);
  EXPECT_THROW(in.skipLine(), FileContentError);
}

}  // namespace tavro
