#include "measure/cli/Json.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace tessmet::cli {

std::string JsonString(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char buffer[8];
                    std::snprintf(buffer, sizeof buffer, "\\u%04x", static_cast<unsigned char>(c));
                    out += buffer;
                } else {
                    out += c;
                }
        }
    }
    return out + "\"";
}

std::string JsonNumber(double value) {
    if (!std::isfinite(value)) return "null";  // JSON has no infinity or NaN
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

void JsonObject::key(std::string_view key) {
    if (body_.size() > 1) body_ += ",";
    body_ += JsonString(key) + ":";
}

JsonObject& JsonObject::add(std::string_view k, std::string_view text) {
    key(k);
    body_ += JsonString(text);
    return *this;
}

JsonObject& JsonObject::add(std::string_view k, int value) {
    key(k);
    body_ += std::to_string(value);
    return *this;
}

JsonObject& JsonObject::add(std::string_view k, double value) {
    key(k);
    body_ += JsonNumber(value);
    return *this;
}

JsonObject& JsonObject::addRaw(std::string_view k, std::string_view json) {
    key(k);
    body_ += json;
    return *this;
}

}  // namespace tessmet::cli
