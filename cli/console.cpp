#include "cli/console.h"

#include <QCoreApplication>
#include <clocale>

#ifdef Q_OS_UNIX
#include <langinfo.h>
#endif
#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace tavro::cli {

QByteArray consoleEncoding() {
#ifdef Q_OS_UNIX
  std::setlocale(LC_ALL, "");
  const QByteArray codeset = QByteArray(nl_langinfo(CODESET)).toUpper();
  for (const char* national : {"GB18030", "GBK", "GB2312"})
    if (codeset == national && QStringEncoder(national).isValid()) return codeset;
#endif
  return QByteArrayLiteral("UTF-8");
}

QStringList commandLineArguments(int argc, char** argv, const QByteArray& encoding) {
  QStringList args;
#ifdef Q_OS_WIN
  Q_UNUSED(argc);
  Q_UNUSED(argv);
  Q_UNUSED(encoding);
  args = QCoreApplication::arguments();
  args.removeFirst();
#else
  for (int i = 1; i < argc; ++i) {
    QStringDecoder decode(encoding.constData());
    args << QString(decode(QByteArrayView(argv[i])));
  }
#endif
  return args;
}

ConsoleDevice::ConsoleDevice(FILE* stream, const QByteArray& encoding)
    : passThrough_(encoding == "UTF-8"), toConsole_(encoding.constData()) {
#ifdef Q_OS_WIN
  SetConsoleOutputCP(CP_UTF8);
#endif
  file_.open(stream, QIODevice::WriteOnly | QIODevice::Unbuffered);
  open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

qint64 ConsoleDevice::writeData(const char* data, qint64 size) {
  if (passThrough_) {
    file_.write(data, size);
  } else {
    const QString text = fromUtf8_(QByteArrayView(data, size));
    file_.write(toConsole_(text));
  }
  file_.flush();
  return size;
}

}  // namespace tavro::cli
