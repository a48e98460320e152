#include "viewer/imaging/ThumbnailLoader.h"

#include <QFile>
#include <QMetaObject>
#include <QPointer>

namespace lumora {

ThumbnailLoader::ThumbnailLoader(int threads, int cacheCapacity, QObject* parent)
    : QObject(parent), cache_(cacheCapacity) {
    pool_.setMaxThreadCount(qMax(1, threads));
    qRegisterMetaType<lumora::Thumbnail>("lumora::Thumbnail");
}

ThumbnailLoader::~ThumbnailLoader() {
    cancelAll();
    pool_.clear();
    pool_.waitForDone();
}

const Thumbnail* ThumbnailLoader::cached(const ThumbnailKey& key) const { return cache_.object(key); }

uint64_t ThumbnailLoader::request(const ThumbnailKey& key) {
    const uint64_t ticket = nextTicket_++;
    auto cancelled = std::make_shared<std::atomic<bool>>(false);
    pending_.emplace(ticket, cancelled);
    const QPointer<ThumbnailLoader> self(this);
    pool_.start([self, ticket, key, cancelled] {
        if (cancelled->load()) return;
        const Thumbnail thumbnail = BuildThumbnail(QFile::encodeName(key.path).toStdString());
        // The loader waits for its workers before it goes, so `self` is alive here; the call
        // runs on the loader's thread, or not at all once the loader is gone.
        QMetaObject::invokeMethod(
            self.data(), [self, ticket, key, thumbnail] { if (self) self->finished(ticket, key, thumbnail); },
            Qt::QueuedConnection);
    });
    return ticket;
}

void ThumbnailLoader::cancel(uint64_t ticket) {
    const auto it = pending_.find(ticket);
    if (it == pending_.end()) return;
    it->second->store(true);
    pending_.erase(it);
}

void ThumbnailLoader::cancelAll() {
    for (auto& [ticket, flag] : pending_) flag->store(true);
    pending_.clear();
}

void ThumbnailLoader::finished(uint64_t ticket, const ThumbnailKey& key, const Thumbnail& thumbnail) {
    // A decode that ran is worth keeping even when its request was cancelled meanwhile.
    cache_.insert(key, new Thumbnail(thumbnail));
    if (pending_.erase(ticket) == 0) return;
    emit ready(ticket, thumbnail);
}

}  // namespace lumora
