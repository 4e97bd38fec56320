// The per-user local socket of the running window. Another program, or a
// second start of this one, connects, writes one request record (see
// app/external_request.h) and disconnects; the window receives the bytes
// written, whatever their number, and decides on them.
#pragma once

#include <QByteArray>
#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <memory>

#include "app/command_line.h"

namespace malvex {

class TInstanceChannel : public QObject {
  Q_OBJECT
 public:
  // The channel of this user: "malvex-" and the user id.
  static QString DefaultName();

  explicit TInstanceChannel(QString name = DefaultName(), QObject* parent = nullptr);
  ~TInstanceChannel() override;

  // Starts listening. False when another window of this user already
  // listens (checked through a lock file beside the socket) or the socket
  // cannot be made; a socket left by a window that died is replaced.
  bool Listen();
  bool Listening() const { return server_.isListening(); }
  const QString& name() const { return name_; }

  // Sends `payload` to the window listening on `name`; false when none
  // answers within `timeoutMs`.
  static bool Send(const QString& name, const QByteArray& payload, int timeoutMs = 3000);

 Q_SIGNALS:
  // The bytes one connection wrote before it closed (cut one byte beyond
  // a request record, enough to refuse it).
  void requestReceived(const QByteArray& payload);

 private:
  void Accept();

  const QString name_;
  QLocalServer server_;
  std::unique_ptr<QLockFile> lock_;
};

// A second start's handoff: sends the file of `commandLine` (a list file
// in list mode), its scenario and its display request to the window on
// `name`. False when no window took it.
bool HandOffToRunningInstance(const QString& name, const CommandLine& commandLine);

}  // namespace malvex
