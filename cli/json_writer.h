#pragma once
// A small streaming JSON writer: UTF-8 strings, numbers in the shortest text that reads back exactly,
// non-finite numbers as null.

#include <string>
#include <string_view>
#include <vector>

namespace umbrix {

class JsonWriter {
public:
    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    /// The key of the next value inside an object.
    void key(std::string_view name);
    void value(double v);
    void value(int v);
    void value(bool v);
    void value(std::string_view v);
    void value(const char* v) { value(std::string_view(v)); }
    void null();

    /// The text written so far, ending with a line break once the outermost value is closed.
    const std::string& text() const { return out_; }

private:
    void separate();
    void open(char bracket);
    void close(char bracket);

    std::string out_;
    std::vector<bool> first_; // per open level: no member written yet
    bool afterKey_ = false;
};

/// A JSON number for v: the shortest text that reads back as v exactly, "null" when not finite.
std::string JsonNumber(double v);

} // namespace umbrix
