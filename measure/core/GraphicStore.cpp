#include "measure/core/GraphicStore.h"

#include <algorithm>

namespace tessmet {

int FieldCount(ObjectKind kind) {
    switch (kind) {
        case Kind::Line: return 7;
        case Kind::Rectangle: return 7;
        case Kind::Circle: return 6;
        case Kind::Text: return 5;
        case Kind::TwoPointDistance: return 9;
        case Kind::VerticalDistance: return 13;
        case Kind::Area: return 67;
        case Kind::Angle: return 11;
        case Kind::TwoLinesAngle: return 15;
        case Kind::TwoPointRadius: return 9;
        case Kind::ThreePointRadius: return 13;
        case Kind::CenterDistance: return 9;
        default: return 0;
    }
}

bool IsKnownKind(ObjectKind kind) { return FieldCount(kind) > 0; }

int CGraphicStore::SlotOf(ObjectKind kind) {
    if (kind >= 1 && kind <= 4) return kind - 1;
    if (kind >= 16 && kind <= 128 && kind % 16 == 0) return 3 + kind / 16;
    return -1;
}

CGraphicStore::CGraphicStore(int capacity) : history_(static_cast<size_t>(std::max(capacity, 1)), 0) {}

int CGraphicStore::CountOf(ObjectKind kind) const {
    const int slot = SlotOf(kind);
    return slot < 0 ? 0 : static_cast<int>(records_[static_cast<size_t>(slot)].size());
}

void CGraphicStore::DropOldest() {
    const int slot = SlotOf(history_[0]);
    auto& column = records_[static_cast<size_t>(slot)];
    if (!column.empty()) column.erase(column.begin());
    std::move(history_.begin() + 1, history_.end(), history_.begin());
    history_.back() = 0;
    --count_;
}

int CGraphicStore::Add(ObjectKind kind, std::span<const int32_t> fields, const std::string& text) {
    const int slot = SlotOf(kind);
    if (slot < 0 || static_cast<int>(fields.size()) != FieldCount(kind)) return -1;
    if (count_ >= Capacity()) {
        if (SlotOf(history_[0]) < 0) return -1;
        DropOldest();
    }
    history_[static_cast<size_t>(count_)] = kind;
    ++count_;
    GraphicRecord record;
    record.fields.assign(fields.begin(), fields.end());
    if (kind == Kind::Text) record.text = text;
    records_[static_cast<size_t>(slot)].push_back(std::move(record));
    return 0;
}

int CGraphicStore::Get(ObjectKind kind, int n, GraphicRecord& record) const {
    if (n < 0 || n >= count_) return -1;
    const int slot = SlotOf(kind);
    if (slot < 0) return -2;
    const auto& column = records_[static_cast<size_t>(slot)];
    if (n >= static_cast<int>(column.size())) return -2;
    record = column[static_cast<size_t>(n)];
    return 0;
}

ObjectKind CGraphicStore::KindAt(int i) const {
    if (i < 0 || i >= Capacity()) return 0;
    return history_[static_cast<size_t>(i)];
}

int CGraphicStore::Undo() {
    if (count_ < 1) return 1;
    const ObjectKind kind = history_[static_cast<size_t>(count_ - 1)];
    auto& column = records_[static_cast<size_t>(SlotOf(kind))];
    if (!column.empty()) column.pop_back();
    history_[static_cast<size_t>(count_ - 1)] = 0;
    --count_;
    return 0;
}

int CGraphicStore::ClearKinds(int32_t mask) {
    if (mask != Kind::DrawMask && mask != Kind::MeasureMask) return -1;
    int kept = 0;
    for (int i = 0; i < count_; ++i) {
        const ObjectKind kind = history_[static_cast<size_t>(i)];
        if ((kind & mask) == 0) history_[static_cast<size_t>(kept++)] = kind;
    }
    std::fill(history_.begin() + kept, history_.end(), 0);
    count_ = kept;
    for (size_t slot = 0; slot < records_.size(); ++slot) {
        const ObjectKind kind = slot < 4 ? static_cast<ObjectKind>(slot + 1) : static_cast<ObjectKind>((slot - 3) * 16);
        if (kind & mask) records_[slot].clear();
    }
    return 0;
}

int CGraphicStore::Remove(ObjectKind kind, int n) {
    const int slot = SlotOf(kind);
    if (slot < 0) return -1;
    auto& column = records_[static_cast<size_t>(slot)];
    if (n < 0 || n >= static_cast<int>(column.size())) return -1;
    int seen = 0;
    for (int i = 0; i < count_; ++i) {
        if (history_[static_cast<size_t>(i)] != kind) continue;
        if (seen++ == n) {
            std::move(history_.begin() + i + 1, history_.begin() + count_, history_.begin() + i);
            history_[static_cast<size_t>(count_ - 1)] = 0;
            --count_;
            break;
        }
    }
    column.erase(column.begin() + n);
    return 0;
}

}  // namespace tessmet
