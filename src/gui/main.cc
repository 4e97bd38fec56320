// The Qt front end of Malvex.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include "gui/app/main_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Malvex");
  QApplication::setApplicationDisplayName("Malvex");
  const QString startFolder = QDir::currentPath();
  malvex::QtFrontEnd frontEnd;
  malvex::EngineOptions options;
  malvex::TApdEditForm window(frontEnd, options);
  if (!window.EngineStarted()) return 1;
  window.show();
  QStringList args = QApplication::arguments();
  args.removeFirst();
  // The engine made the text folder current: resolve names from the
  // folder the program was started in.
  for (QString& a : args) a = QFileInfo(QDir(startFolder), a).absoluteFilePath();
  if (!args.isEmpty()) window.AnalyserLeTexte(args);
  return app.exec();
}
