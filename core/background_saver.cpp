#include "core/background_saver.h"

#include <exception>

#include "core/textfile.h"

namespace tavro {

BackgroundSaver::BackgroundSaver() : writer_([this] { run(); }) {}

BackgroundSaver::~BackgroundSaver() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  writer_.join();
}

void BackgroundSaver::throwFailure() {
  if (!failure_) return;
  const QString message = *failure_;
  failure_.reset();
  throw FileError(message);
}

void BackgroundSaver::save(const QString& path, QByteArray bytes) {
  saveBuilt(path, [bytes = std::move(bytes)] { return bytes; });
}

void BackgroundSaver::saveBuilt(const QString& path, std::function<QByteArray()> build) {
  std::unique_lock lock(mutex_);
  throwFailure();
  // A waiting snapshot of another file is never dropped: let the writer take it first.
  changed_.wait(lock, [&] { return !pending_ || pending_->path == path; });
  pending_ = Snapshot{path, std::move(build)};
  lock.unlock();
  changed_.notify_all();
}

void BackgroundSaver::flush() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [&] { return !pending_ && !writing_; });
  throwFailure();
}

void BackgroundSaver::run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [&] { return pending_ || stopping_; });
    if (!pending_) return;  // stopping with nothing left to write
    Snapshot snapshot = std::move(*pending_);
    pending_.reset();
    writing_ = true;
    lock.unlock();
    changed_.notify_all();  // a save waiting for the slot of another file may go on
    std::optional<QString> failure;
    try {
      writeFileAtomically(snapshot.path, snapshot.build());
    } catch (const FileError& e) {
      failure = e.message();
    } catch (const std::exception&) {  // no memory to build the bytes: the file was not written
      failure = QStringLiteral("无法保存文件“") + snapshot.path + QStringLiteral("”：内存不足。");
    }
    snapshot.build = nullptr;  // release the copy before reporting the write done
    lock.lock();
    writing_ = false;
    if (failure) failure_ = failure;
    changed_.notify_all();
  }
}

}  // namespace tavro
