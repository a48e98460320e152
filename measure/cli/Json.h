#pragma once

#include <string>
#include <string_view>

namespace tessmet::cli {

// A one-line JSON object written field by field, in the order the fields are added. The CLI's
// output is part of the product, so the order and the number formats never change.
class JsonObject {
public:
    JsonObject& add(std::string_view key, std::string_view text);
    JsonObject& add(std::string_view key, const char* text) { return add(key, std::string_view(text)); }
    JsonObject& add(std::string_view key, int value);
    JsonObject& add(std::string_view key, double value);  // shortest text that reads back exactly
    JsonObject& addRaw(std::string_view key, std::string_view json);
    JsonObject& addNull(std::string_view key) { return addRaw(key, "null"); }
    std::string str() const { return body_ + "}"; }

private:
    void key(std::string_view key);
    std::string body_ = "{";
};

std::string JsonString(std::string_view text);
std::string JsonNumber(double value);

}  // namespace tessmet::cli
