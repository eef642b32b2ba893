// tavro: the desktop program. "tavro --data DIR" uses DIR as the data folder,
// so the first sheet operation asks for no file. --help and --version print
// their text without opening a window, so they work without a display.

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>
#include <cstring>

#include "app/desktopui.h"
#include "app/mainwindow.h"

namespace {

// The options of tavro; data is the --data option.
void describeOptions(QCommandLineParser& parser, const QCommandLineOption& data) {
  QCoreApplication::setApplicationName(QStringLiteral("tavro"));
  QCoreApplication::setApplicationVersion(QStringLiteral("2.0"));
  parser.setApplicationDescription(QStringLiteral("Tavro中小学排课系统2.0版"));
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addOption(data);
}

// True when the command line asks only for a text (help or version), which needs no display.
bool asksForText(int argc, char* argv[]) {
  for (int i = 1; i < argc; ++i) {
    for (const char* word : {"-h", "--help", "-?", "--help-all", "-v", "--version"})
      if (std::strcmp(argv[i], word) == 0) return true;
  }
  return false;
}

}  // namespace

int main(int argc, char* argv[]) {
  const QCommandLineOption data(QStringLiteral("data"), QStringLiteral("Use DIR as the data folder."),
                                QStringLiteral("DIR"));
  QCommandLineParser parser;
  if (asksForText(argc, argv)) {
    QCoreApplication core(argc, argv);
    describeOptions(parser, data);
    parser.process(core);  // prints the text and exits
    return 0;
  }
  QApplication app(argc, argv);
  tavro::app::installChineseTranslation(app);
  describeOptions(parser, data);
  parser.process(app);
  if (parser.isSet(data) && !QFileInfo(parser.value(data)).isDir()) {
    QTextStream(stderr) << "tavro: no such folder: " << parser.value(data) << '\n';
    return 2;
  }
  tavro::app::WindowOptions options;
  options.dataFolder = parser.value(data);
  tavro::app::FrmTavroKcapxt window(options);
  window.startUp();
  return QApplication::exec();
}
