// The Qt front end of Malvex.
#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QStringList>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "gui/app/assistant_setup.h"
#include "gui/app/instance_channel.h"
#include "gui/app/main_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Malvex");
  QApplication::setApplicationDisplayName("Malvex");
  QApplication::setDesktopFileName("malvex");
  QApplication::setWindowIcon(QIcon::fromTheme("malvex"));
  // The engine makes the text folder current: names on the command line
  // are taken from the folder the program was started in.
  const std::string startFolder = QDir::currentPath().toStdString();
  QStringList args = QApplication::arguments();
  args.removeFirst();
  std::vector<std::string> arguments;
  for (const QString& a : args) arguments.push_back(a.toStdString());
  const malvex::CommandLine commandLine = malvex::ParseCommandLine(arguments, startFolder);

  // A second start hands its file to the window already running.
  const QString channelName = malvex::TInstanceChannel::DefaultName();
  if (!commandLine.Failed() && malvex::HandOffToRunningInstance(channelName, commandLine)) return 0;

  malvex::QtFrontEnd frontEnd;
  malvex::EngineOptions options;
  // The first start of a multi-user installation asks how it is used.
  options.wizard = [](malvex::SetupWizardModel& model) { malvex::TAssistantSetup::Run(model); };
  malvex::TApdEditForm window(frontEnd, options);
  if (!window.EngineStarted()) return 1;
  if (!window.AppliquerLigneDeCommande(commandLine)) return 1;
  malvex::TInstanceChannel channel(channelName);
  QObject::connect(&channel, &malvex::TInstanceChannel::requestReceived, &window,
                   [&window](const QByteArray& payload) { window.WmCopyData(payload); });
  channel.Listen();
  window.FormShow();
  window.AnalyserFichierDeLaLigneDeCommande();
  return app.exec();
}
