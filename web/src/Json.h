// A small JSON writer for what the page reads from the game: objects, arrays, numbers, strings.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace mukiro::web {

class Json {
  public:
    Json& beginObject();
    Json& endObject();
    Json& beginArray();
    Json& endArray();
    // The key of the next value inside an object.
    Json& key(std::string_view name);
    Json& value(std::string_view text);
    Json& value(const char* text);  // null writes null
    Json& value(std::int64_t number);
    Json& value(int number) { return value(static_cast<std::int64_t>(number)); }
    Json& value(bool flag);

    const std::string& text() const noexcept { return out_; }

  private:
    void separate();

    std::string out_;
    bool needsComma_ = false;
};

}  // namespace mukiro::web
