#pragma once

#include "viewer/imaging/Thumbnail.h"
#include "viewer/imaging/ThumbnailStore.h"

#include <QCache>
#include <QObject>
#include <QThreadPool>

#include <atomic>
#include <functional>
#include <memory>
#include <unordered_map>

namespace lumora {

// Builds thumbnails on a small pool of worker threads, so that showing and scrolling the
// gallery never waits for a decode, and keeps the recent ones by file key. Every request has a
// ticket; a cancelled request that has not started is dropped without touching the file, one
// that is running finishes into the cache only. Results arrive on the thread that owns the
// loader, through `ready`.
//
// With a store, a worker first looks for the thumbnail there and decodes only when it is not
// stored; a decoded thumbnail is stored after it has been handed over, unless the file changed
// while it was being decoded.
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

    // The store thumbnails are looked for in and kept in; none by default. Requests made
    // before a change keep the store they were made with.
    void setStore(std::shared_ptr<ThumbnailStore> store) { store_ = std::move(store); }
    const std::shared_ptr<ThumbnailStore>& store() const { return store_; }
    // What makes a thumbnail from a file (BuildThumbnail unless replaced, which tests do to
    // count decodes). Called on the worker threads.
    using Builder = std::function<Thumbnail(const std::string& path)>;
    void setBuilder(Builder builder) { builder_ = std::move(builder); }

signals:
    void ready(uint64_t ticket, const lumora::Thumbnail& thumbnail);

private:
    void finished(uint64_t ticket, const ThumbnailKey& key, const Thumbnail& thumbnail);

    std::shared_ptr<ThumbnailStore> store_;
    Builder builder_ = BuildThumbnail;
    QThreadPool pool_;
    QCache<ThumbnailKey, Thumbnail> cache_;
    std::unordered_map<uint64_t, std::shared_ptr<std::atomic<bool>>> pending_;
    uint64_t nextTicket_ = 1;
};

}  // namespace lumora
