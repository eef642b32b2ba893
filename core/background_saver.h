#pragma once
// BackgroundSaver: writes whole files on a thread of its own, so that a caller
// that saves often (the scheduling run saves "课表.txt" after every class) does
// not wait for the disk. The caller hands over the file's bytes, or a function
// that builds them from a copy of the data (the writer then builds them on its
// own thread, and never for a snapshot that a newer one replaced); the writer
// replaces the file atomically (temporary file, sync, rename),
// so the file on disk is always a whole old or new version. Snapshots of the
// same file that arrive while a write is under way are coalesced: only the
// newest is written next.

#include <QByteArray>
#include <QString>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

namespace tavro {

class BackgroundSaver {
 public:
  // Starts the writer thread.
  BackgroundSaver();
  // Writes the snapshot still waiting, then ends the writer thread; a failure is dropped here
  // (call flush first to hear of it).
  ~BackgroundSaver();
  BackgroundSaver(const BackgroundSaver&) = delete;
  BackgroundSaver& operator=(const BackgroundSaver&) = delete;

  // Hands over the newest bytes of the file at path, replacing a waiting older snapshot of the
  // same file (a waiting snapshot of another file is written first). Returns without waiting for
  // the disk. Throws FileError when an earlier write failed (the failure is then cleared).
  void save(const QString& path, QByteArray bytes);
  // As save, with the bytes built by build on the writer's thread when the snapshot is written.
  // build must not touch data the caller goes on changing: it owns a copy of what it needs.
  void saveBuilt(const QString& path, std::function<QByteArray()> build);

  // Waits until every snapshot handed over is on disk. Throws FileError when a write failed since
  // the last report of a failure (the failure is then cleared).
  void flush();

 private:
  struct Snapshot {
    QString path;
    std::function<QByteArray()> build;
  };
  void run();
  void throwFailure();  // with mutex_ held: throws and clears failure_, if any

  std::mutex mutex_;
  std::condition_variable changed_;
  std::optional<Snapshot> pending_;  // the newest snapshot not yet taken by the writer
  bool writing_ = false;             // the writer is writing a snapshot
  bool stopping_ = false;            // the destructor asked the writer to end
  std::optional<QString> failure_;   // message of a failed write not yet reported
  std::thread writer_;
};

}  // namespace tavro
