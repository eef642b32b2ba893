#pragma once
// The console of tavro-cli: arguments are read and text written in the
// encoding of the user's locale when that is a Chinese national encoding
// (GB18030, GBK, GB2312), and in UTF-8 otherwise (also under the C locale,
// whose ASCII cannot show the messages). Files are always UTF-8.

#include <QByteArray>
#include <QFile>
#include <QIODevice>
#include <QStringConverter>
#include <QStringList>
#include <cstdio>

namespace tavro::cli {

// The name of the console encoding ("GB18030", "UTF-8"...), from the locale of the environment.
QByteArray consoleEncoding();

// The command line arguments after the program name, decoded in the console encoding (on Windows
// the wide command line Qt reads).
QStringList commandLineArguments(int argc, char** argv, const QByteArray& encoding);

// A write-only device that takes UTF-8 (what QTextStream writes) and writes it to a C stream in
// the console encoding.
class ConsoleDevice : public QIODevice {
 public:
  ConsoleDevice(FILE* stream, const QByteArray& encoding);

 protected:
  qint64 readData(char*, qint64) override { return -1; }
  qint64 writeData(const char* data, qint64 size) override;

 private:
  QFile file_;
  bool passThrough_;
  QStringDecoder fromUtf8_{QStringConverter::Utf8};
  QStringEncoder toConsole_;
};

}  // namespace tavro::cli
