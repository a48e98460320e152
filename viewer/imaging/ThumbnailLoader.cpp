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
    pool_.start([self, ticket, key, cancelled, store = store_, builder = builder_] {
        if (cancelled->load()) return;
        std::optional<Thumbnail> stored = store ? store->find(key) : std::nullopt;
        const bool decoded = !stored;
        const Thumbnail thumbnail = decoded ? builder(QFile::encodeName(key.path).toStdString()) : std::move(*stored);
        // The loader waits for its workers before it goes, so `self` is alive here; the call
        // runs on the loader's thread, or not at all once the loader is gone.
        QMetaObject::invokeMethod(
            self.data(), [self, ticket, key, thumbnail] { if (self) self->finished(ticket, key, thumbnail); },
            Qt::QueuedConnection);
        // Pixels of a file that changed under the decode belong to no key; they are not kept.
        if (decoded && store && !thumbnail.broken && ThumbnailKey::Of(key.path) == key) store->put(key, thumbnail);
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
