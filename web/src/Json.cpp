// A small JSON writer for what the page reads from the game.
#include "web/src/Json.h"

#include <array>

namespace mukiro::web {

void Json::separate() {
    if (needsComma_) {
        out_ += ',';
    }
    needsComma_ = true;
}

Json& Json::beginObject() {
    separate();
    out_ += '{';
    needsComma_ = false;
    return *this;
}

Json& Json::endObject() {
    out_ += '}';
    needsComma_ = true;
    return *this;
}

Json& Json::beginArray() {
    separate();
    out_ += '[';
    needsComma_ = false;
    return *this;
}

Json& Json::endArray() {
    out_ += ']';
    needsComma_ = true;
    return *this;
}

Json& Json::key(std::string_view name) {
    value(name);
    out_ += ':';
    needsComma_ = false;
    return *this;
}

Json& Json::value(std::string_view text) {
    separate();
    out_ += '"';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out_ += '\\';
            out_ += c;
        } else if (byte < 0x20) {
            // Control characters, the CR LF of the explanation among them, travel escaped.
            constexpr std::array<char, 16> kHex = {'0', '1', '2', '3', '4', '5', '6', '7',
                                                   '8', '9', 'a', 'b', 'c', 'd', 'e', 'f'};
            out_ += "\\u00";
            out_ += kHex[byte >> 4U];
            out_ += kHex[byte & 0xFU];
        } else {
            out_ += c;  // UTF-8 passes through whole
        }
    }
    out_ += '"';
    return *this;
}

Json& Json::value(const char* text) {
    if (text == nullptr) {
        separate();
        out_ += "null";
        return *this;
    }
    return value(std::string_view(text));
}

Json& Json::value(std::int64_t number) {
    separate();
    out_ += std::to_string(number);
    return *this;
}

Json& Json::value(bool flag) {
    separate();
    out_ += flag ? "true" : "false";
    return *this;
}

}  // namespace mukiro::web
