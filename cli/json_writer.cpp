#include "cli/json_writer.h"
#include "core/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace umbrix {

std::string JsonNumber(double v)
{
    if (!std::isfinite(v))
        return "null";
    char buf[64];
    // The shortest text that reads back as the same double: -9.59, not -9.5899999999999999.
    const auto result = WriteReal(buf, buf + sizeof buf, v, RealFormat::Shortest);
    return std::string(buf, result.ptr);
}

void JsonWriter::separate()
{
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!first_.empty()) {
        if (!first_.back())
            out_ += ',';
        first_.back() = false;
        out_ += '\n';
        out_.append(first_.size() * 2, ' ');
    }
}

void JsonWriter::open(char bracket)
{
    separate();
    out_ += bracket;
    first_.push_back(true);
}

void JsonWriter::close(char bracket)
{
    const bool empty = first_.back();
    first_.pop_back();
    if (!empty) {
        out_ += '\n';
        out_.append(first_.size() * 2, ' ');
    }
    out_ += bracket;
    if (first_.empty())
        out_ += '\n';
}

void JsonWriter::beginObject()
{
    open('{');
}
void JsonWriter::endObject()
{
    close('}');
}
void JsonWriter::beginArray()
{
    open('[');
}
void JsonWriter::endArray()
{
    close(']');
}

void JsonWriter::key(std::string_view name)
{
    value(name);
    out_ += ": ";
    afterKey_ = true;
}

void JsonWriter::value(double v)
{
    separate();
    out_ += JsonNumber(v);
}

void JsonWriter::value(int v)
{
    separate();
    out_ += std::to_string(v);
}

void JsonWriter::value(bool v)
{
    separate();
    out_ += v ? "true" : "false";
}

void JsonWriter::null()
{
    separate();
    out_ += "null";
}

void JsonWriter::value(std::string_view v)
{
    separate();
    out_ += '"';
    for (const char ch : v) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '"':
            out_ += "\\\"";
            break;
        case '\\':
            out_ += "\\\\";
            break;
        case '\n':
            out_ += "\\n";
            break;
        case '\r':
            out_ += "\\r";
            break;
        case '\t':
            out_ += "\\t";
            break;
        default:
            if (c < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                out_ += buf;
            } else {
                out_ += ch;
            }
        }
    }
    out_ += '"';
}

} // namespace umbrix
