#include "viewer/core/FrameGrabberCallback.h"

#include <QCoreApplication>

namespace lumora {

void CFrameGrabberCallback::SetTarget(QObject* target) {
    std::lock_guard lock(mutex_);
    target_ = target;
}

int CFrameGrabberCallback::BufferCB(FramePtr frame) {
    if (!frame || !IsAcceptedFrameByteCount(frame->byteCount())) {
        ignored_.fetch_add(1);
        return 0;
    }
    std::lock_guard lock(mutex_);
    if (target_) {
        QCoreApplication::postEvent(target_, new CaptureFrameEvent(std::move(frame)));
        posted_.fetch_add(1);
    }
    return 0;
}

}  // namespace lumora
