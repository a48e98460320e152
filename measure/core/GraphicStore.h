#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tessmet {

// Kind codes of stored objects: 1..4 draw objects (mask 15), 16..128 measurements (mask 240).
using ObjectKind = int32_t;
namespace Kind {
constexpr ObjectKind Line = 1;
constexpr ObjectKind Rectangle = 2;
constexpr ObjectKind Circle = 3;
constexpr ObjectKind Text = 4;
constexpr ObjectKind TwoPointDistance = 16;
constexpr ObjectKind VerticalDistance = 32;
constexpr ObjectKind Area = 48;
constexpr ObjectKind Angle = 64;
constexpr ObjectKind TwoLinesAngle = 80;
constexpr ObjectKind TwoPointRadius = 96;
constexpr ObjectKind ThreePointRadius = 112;
constexpr ObjectKind CenterDistance = 128;
constexpr int32_t DrawMask = 15;
constexpr int32_t MeasureMask = 240;
}  // namespace Kind

// Number of integer fields of a kind's record (the text of a text object is extra), or 0 for
// a code that is not a kind.
int FieldCount(ObjectKind kind);
bool IsKnownKind(ObjectKind kind);

// One stored object: its integer fields in the documented order, and for text objects the text.
struct GraphicRecord {
    std::vector<int32_t> fields;
    std::string text;
};

// The finished draw objects and measurements of one image, in creation order, with a fixed
// capacity: adding to a full store silently drops the oldest object of any kind. Holds plain
// integers and strings; it draws nothing.
class CGraphicStore {
public:
    explicit CGraphicStore(int capacity = 64);

    // Appends an object. Returns 0, or -1 (nothing added) for an unknown kind, a field count
    // that does not match the kind, or a full store whose oldest entry cannot be dropped.
    int Add(ObjectKind kind, std::span<const int32_t> fields, const std::string& text = {});

    // Record n (0-based) of a kind: 0 and the record, -1 when n >= Count(), -2 when the kind
    // has no record n.
    int Get(ObjectKind kind, int n, GraphicRecord& record) const;

    // History entry i, the kind of the i-th oldest object; 0 past the end.
    ObjectKind KindAt(int i) const;

    // Removes the newest object: 1 when the store was empty, else 0.
    int Undo();

    // Mask 15 removes every draw object, mask 240 every measurement; any other mask returns -1
    // and changes nothing.
    int ClearKinds(int32_t mask);

    // Removes record n of a kind; the later ones move up. -1 for an unknown kind or a missing
    // record.
    int Remove(ObjectKind kind, int n);

    int Count() const { return count_; }
    int Capacity() const { return static_cast<int>(history_.size()); }
    int CountOf(ObjectKind kind) const;

private:
    static int SlotOf(ObjectKind kind);  // index into records_, or -1
    void DropOldest();

    std::vector<ObjectKind> history_;  // capacity entries, 0 after the last object
    int count_ = 0;
    std::array<std::vector<GraphicRecord>, 12> records_;  // per kind, in creation order
};

}  // namespace tessmet
