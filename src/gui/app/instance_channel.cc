#include "gui/app/instance_channel.h"

#include <QDir>
#include <QLocalSocket>
#include <unistd.h>

#include "app/external_request.h"

namespace malvex {

QString TInstanceChannel::DefaultName() { return QString("malvex-%1").arg(getuid()); }

TInstanceChannel::TInstanceChannel(QString name, QObject* parent) : QObject(parent), name_(std::move(name)) {
  connect(&server_, &QLocalServer::newConnection, this, &TInstanceChannel::Accept);
}

TInstanceChannel::~TInstanceChannel() { server_.close(); }

bool TInstanceChannel::Listen() {
  lock_ = std::make_unique<QLockFile>(QDir(QDir::tempPath()).filePath(name_ + ".lock"));
  if (!lock_->tryLock(0)) {
    lock_.reset();
    return false;
  }
  // Only this user may connect.
  server_.setSocketOptions(QLocalServer::UserAccessOption);
  if (server_.listen(name_)) return true;
  // The lock is ours, so a socket of that name belongs to a window that is
  // gone.
  QLocalServer::removeServer(name_);
  return server_.listen(name_);
}

void TInstanceChannel::Accept() {
  while (QLocalSocket* socket = server_.nextPendingConnection()) {
    auto payload = std::make_shared<QByteArray>();
    const qint64 limit = static_cast<qint64>(kExternalRequestSize) + 1;
    connect(socket, &QLocalSocket::readyRead, this, [socket, payload, limit] {
      const QByteArray bytes = socket->readAll();
      if (payload->size() < limit) payload->append(bytes.left(limit - payload->size()));
    });
    connect(socket, &QLocalSocket::disconnected, this, [this, socket, payload, limit] {
      const QByteArray rest = socket->readAll();
      if (payload->size() < limit) payload->append(rest.left(limit - payload->size()));
      socket->deleteLater();
      Q_EMIT requestReceived(*payload);
    });
  }
}

bool TInstanceChannel::Send(const QString& name, const QByteArray& payload, int timeoutMs) {
  QLocalSocket socket;
  socket.connectToServer(name);
  if (!socket.waitForConnected(timeoutMs)) return false;
  socket.write(payload);
  if (!socket.waitForBytesWritten(timeoutMs)) return false;
  socket.disconnectFromServer();
  if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(timeoutMs);
  return true;
}

bool HandOffToRunningInstance(const QString& name, const CommandLine& commandLine) {
  if (!commandLine.fileGiven) return false;
  ExternalRequest request;
  request.command = commandLine.listMode ? ExternalRequest::kAnalyseList : ExternalRequest::kAnalyseText;
  request.path = commandLine.file;
  if (commandLine.scenarioGiven) request.scenario = ScenarioFileFromOption(commandLine.scenario);
  request.expression = commandLine.request.text;
  request.levelCode = commandLine.request.levelGiven ? static_cast<uint16_t>(commandLine.request.level) : 0;
  const std::string record = EncodeExternalRequest(request);
  return TInstanceChannel::Send(name, QByteArray(record.data(), static_cast<qsizetype>(record.size())));
}

}  // namespace malvex
