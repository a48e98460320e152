#include "viewer/imaging/ImageFormatRecord.h"

#include <QtEndian>

#include <cstring>

namespace lumora {

namespace {

constexpr int kNameBytes = 255;
constexpr int kUnitOffset = 255;
constexpr int kUnitBytes = 17;
constexpr int kLengthOffset = 272;

void PutText(QByteArray& record, int offset, int capacity, const std::string& text) {
    const size_t length = std::min(text.size(), static_cast<size_t>(capacity - 1));
    std::memcpy(record.data() + offset, text.data(), length);
}

std::string GetText(const QByteArray& record, int offset, int capacity) {
    const char* begin = record.constData() + offset;
    return std::string(begin, ::strnlen(begin, static_cast<size_t>(capacity)));
}

}  // namespace

QByteArray EncodeImageFormatRecord(const ImageFormatRecord& record) {
    QByteArray bytes(kImageFormatRecordSize, '\0');
    PutText(bytes, 0, kNameBytes, record.fileName);
    PutText(bytes, kUnitOffset, kUnitBytes, record.unit);
    qToLittleEndian(record.onePixelLength, bytes.data() + kLengthOffset);
    return bytes;
}

std::optional<ImageFormatRecord> DecodeImageFormatRecord(const QByteArray& data) {
    if (data.size() != kImageFormatRecordSize) return std::nullopt;
    ImageFormatRecord record;
    record.fileName = GetText(data, 0, kNameBytes);
    record.unit = GetText(data, kUnitOffset, kUnitBytes);
    record.onePixelLength = qFromLittleEndian<double>(data.constData() + kLengthOffset);
    return record;
}

}  // namespace lumora
