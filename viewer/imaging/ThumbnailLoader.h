#pragma once

#include "viewer/imaging/Thumbnail.h"

#include <QCache>
#include <QObject>
#include <QThreadPool>

#include <atomic>
#include <memory>
#include <unordered_map>

namespace lumora {

// Builds thumbnails on a small pool of worker threads, so that showing and scrolling the
// gallery never waits for a decode, and keeps the recent ones by file key. Every request has a
// ticket; a cancelled request that has not started is dropped without touching the file, one
// that is running finishes into the cache only. Results arrive on the thread that owns the
// loader, through `ready`.
class ThumbnailLoader : public QObject {
    Q_OBJECT
public:
    // `threads` workers; `cacheCapacity` thumbnails are kept (about 25 KB each).
    explicit ThumbnailLoader(int threads = 2, int cacheCapacity = 3000, QObject* parent = nullptr);
    // Cancels what is waiting and waits for the running decodes.
    ~ThumbnailLoader() override;

    // The cached thumbnail of `key`, or null.
    const Thumbnail* cached(const ThumbnailKey& key) const;

    // Queues a decode of the file `key` names; the ticket (never 0) identifies its result.
    uint64_t request(const ThumbnailKey& key);
    void cancel(uint64_t ticket);
    void cancelAll();
    // Requests neither finished nor cancelled.
    int pendingCount() const { return static_cast<int>(pending_.size()); }
    void clearCache() { cache_.clear(); }

signals:
    void ready(uint64_t ticket, const lumora::Thumbnail& thumbnail);

private:
    void finished(uint64_t ticket, const ThumbnailKey& key, const Thumbnail& thumbnail);

    QThreadPool pool_;
    QCache<ThumbnailKey, Thumbnail> cache_;
    std::unordered_map<uint64_t, std::shared_ptr<std::atomic<bool>>> pending_;
    uint64_t nextTicket_ = 1;
};

}  // namespace lumora
