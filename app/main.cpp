// tavro: the desktop program. "tavro --data DIR" uses DIR as the data folder,
// so the first sheet operation asks for no file.

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QTextStream>

#include "app/desktopui.h"
#include "app/mainwindow.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("tavro"));
  QApplication::setApplicationVersion(QStringLiteral("2.0"));
  tavro::app::installChineseTranslation(app);
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("Tavro中小学排课系统2.0版"));
  parser.addHelpOption();
  parser.addVersionOption();
  const QCommandLineOption data(QStringLiteral("data"), QStringLiteral("Use DIR as the data folder."),
                                QStringLiteral("DIR"));
  parser.addOption(data);
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
