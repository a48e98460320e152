#include "measure/core/GraphicStore.h"

#include <gtest/gtest.h>

#include <vector>

using namespace tessmet;

namespace {

std::vector<int32_t> Distance(int id) { return {id, 0, id + 10, 0, 5, 5, 0, 1, 255}; }
std::vector<int32_t> Line(int id) { return {id, id, id + 1, id + 1, 0, 1, 0}; }
std::vector<int32_t> Rect(int id) { return {id, 0, id + 4, 4, 0, 1, 0}; }
std::vector<int32_t> TextFields(int x) { return {x, 0, 0, 1, 0}; }

std::vector<ObjectKind> History(const CGraphicStore& store) {
    std::vector<ObjectKind> kinds;
    for (int i = 0; i < store.Capacity() && store.KindAt(i) != 0; ++i) kinds.push_back(store.KindAt(i));
    return kinds;
}

int FirstField(const CGraphicStore& store, ObjectKind kind, int n) {
    GraphicRecord r;
    EXPECT_EQ(store.Get(kind, n, r), 0) << "kind " << kind << " #" << n;
    return r.fields.empty() ? -999 : r.fields[0];
}

TEST(GraphicStore, FieldCountsPerKind) {
    const std::pair<ObjectKind, int> counts[] = {{1, 7}, {2, 7}, {3, 6}, {4, 5}, {16, 9}, {32, 13},
                                                 {48, 67}, {64, 11}, {80, 15}, {96, 9}, {112, 13}, {128, 9}};
    for (const auto& [kind, count] : counts) EXPECT_EQ(FieldCount(kind), count) << kind;
    for (const ObjectKind bad : {0, 5, 8, 15, 17, 144, 240, -16}) EXPECT_EQ(FieldCount(bad), 0) << bad;
}

TEST(GraphicStore, RefusesUnknownKindsAndWrongFieldCounts) {
    CGraphicStore store(64);
    const std::vector<int32_t> nine(9, 0);
    EXPECT_EQ(store.Add(5, nine), -1);
    EXPECT_EQ(store.Add(Kind::Line, nine), -1);
    EXPECT_EQ(store.Count(), 0);
}

TEST(GraphicStore, The65thMeasurementDropsTheFirst) {
    CGraphicStore store(64);
    for (int i = 0; i < 65; ++i) ASSERT_EQ(store.Add(Kind::TwoPointDistance, Distance(i)), 0);
    EXPECT_EQ(store.Count(), 64);
    EXPECT_EQ(store.CountOf(Kind::TwoPointDistance), 64);
    for (int n = 0; n < 64; ++n) EXPECT_EQ(FirstField(store, Kind::TwoPointDistance, n), n + 1);
    EXPECT_EQ(History(store), std::vector<ObjectKind>(64, Kind::TwoPointDistance));
}

TEST(GraphicStore, DroppingTheOldestTakesItsOwnKind) {
    CGraphicStore store(3);
    store.Add(Kind::Line, Line(1));
    store.Add(Kind::TwoPointDistance, Distance(2));
    store.Add(Kind::Line, Line(3));
    store.Add(Kind::TwoPointDistance, Distance(4));
    EXPECT_EQ(History(store), (std::vector<ObjectKind>{16, 1, 16}));
    EXPECT_EQ(FirstField(store, Kind::Line, 0), 3);
    EXPECT_EQ(FirstField(store, Kind::TwoPointDistance, 0), 2);
    EXPECT_EQ(FirstField(store, Kind::TwoPointDistance, 1), 4);
}

TEST(GraphicStore, DrawClearThenUndo) {
    CGraphicStore store(64);
    store.Add(Kind::Line, Line(1));
    store.Add(Kind::TwoPointDistance, Distance(2));
    store.Add(Kind::Rectangle, Rect(3));
    ASSERT_EQ(store.ClearKinds(Kind::DrawMask), 0);
    EXPECT_EQ(History(store), std::vector<ObjectKind>{Kind::TwoPointDistance});
    EXPECT_EQ(store.CountOf(Kind::Line), 0);
    EXPECT_EQ(store.CountOf(Kind::Rectangle), 0);
    EXPECT_EQ(store.Undo(), 0);
    EXPECT_EQ(store.Count(), 0);
    EXPECT_EQ(store.CountOf(Kind::TwoPointDistance), 0);
    EXPECT_EQ(store.Undo(), 1);  // empty store
}

TEST(GraphicStore, ClearKindsAcceptsOnlyTheTwoMasks) {
    CGraphicStore store(64);
    store.Add(Kind::Line, Line(1));
    store.Add(Kind::TwoPointDistance, Distance(2));
    for (const int32_t mask : {0, 1, 16, 255, -1}) EXPECT_EQ(store.ClearKinds(mask), -1) << mask;
    EXPECT_EQ(store.Count(), 2);
    EXPECT_EQ(store.ClearKinds(Kind::MeasureMask), 0);
    EXPECT_EQ(History(store), std::vector<ObjectKind>{Kind::Line});
}

TEST(GraphicStore, RemovingTheSecondOfThreeKeepsOrder) {
    CGraphicStore store(64);
    store.Add(Kind::TwoPointDistance, Distance(10));
    store.Add(Kind::Line, Line(1));
    store.Add(Kind::TwoPointDistance, Distance(20));
    store.Add(Kind::TwoPointDistance, Distance(30));
    ASSERT_EQ(store.Remove(Kind::TwoPointDistance, 1), 0);
    EXPECT_EQ(History(store), (std::vector<ObjectKind>{16, 1, 16}));
    EXPECT_EQ(FirstField(store, Kind::TwoPointDistance, 0), 10);
    EXPECT_EQ(FirstField(store, Kind::TwoPointDistance, 1), 30);
    EXPECT_EQ(store.KindAt(3), 0);
    EXPECT_EQ(store.Remove(Kind::TwoPointDistance, 5), -1);
    EXPECT_EQ(store.Remove(7, 0), -1);
}

TEST(GraphicStore, TextsMoveWithTheirRecords) {
    CGraphicStore store(64);
    store.Add(Kind::Text, TextFields(1), "first");
    store.Add(Kind::Text, TextFields(2), "second");
    store.Add(Kind::Text, TextFields(3), "third");
    store.Remove(Kind::Text, 0);
    GraphicRecord r;
    ASSERT_EQ(store.Get(Kind::Text, 0, r), 0);
    EXPECT_EQ(r.text, "second");
    EXPECT_EQ(r.fields[0], 2);
    ASSERT_EQ(store.Get(Kind::Text, 1, r), 0);
    EXPECT_EQ(r.text, "third");
    store.Undo();
    EXPECT_EQ(store.CountOf(Kind::Text), 1);
    // Oldest dropped when full: its text goes with it.
    CGraphicStore small(2);
    small.Add(Kind::Text, TextFields(1), "a");
    small.Add(Kind::Text, TextFields(2), "b");
    small.Add(Kind::Text, TextFields(3), "c");
    ASSERT_EQ(small.Get(Kind::Text, 0, r), 0);
    EXPECT_EQ(r.text, "b");
}

TEST(GraphicStore, GetReturnCodes) {
    CGraphicStore store(64);
    store.Add(Kind::Line, Line(1));
    store.Add(Kind::Line, Line(2));
    store.Add(Kind::TwoPointDistance, Distance(3));
    GraphicRecord r;
    EXPECT_EQ(store.Get(Kind::TwoPointDistance, 0, r), 0);
    EXPECT_EQ(store.Get(Kind::TwoPointDistance, 1, r), -2);  // below Count() but not of this kind
    EXPECT_EQ(store.Get(Kind::Line, 3, r), -1);               // beyond Count()
    EXPECT_EQ(store.Get(Kind::Line, -1, r), -1);
    EXPECT_EQ(store.KindAt(64), 0);
    EXPECT_EQ(store.KindAt(-1), 0);
}

TEST(GraphicStore, AreaRecordsKeepAllSixtySevenFields) {
    CGraphicStore store(64);
    std::vector<int32_t> area(67, 0);
    for (int i = 0; i < 62; ++i) area[static_cast<size_t>(i)] = i;
    area[62] = 5;
    area[63] = 1200;
    ASSERT_EQ(store.Add(Kind::Area, area), 0);
    GraphicRecord r;
    ASSERT_EQ(store.Get(Kind::Area, 0, r), 0);
    EXPECT_EQ(r.fields, area);
}

}  // namespace
