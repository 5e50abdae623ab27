// The files of the site data: a header line, then tab-separated records (see tab_records.h).

#include "site/tab_records.h"

namespace umbrix {

namespace {

std::vector<std::string_view> SplitTabs(std::string_view line)
{
    std::vector<std::string_view> fields;
    for (std::size_t start = 0;;) {
        const std::size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
        if (tab == std::string_view::npos)
            return fields;
        start = tab + 1;
    }
}

} // namespace

std::optional<std::string> ReadTabRecords(
    std::string_view text, std::string_view header, std::string_view what,
    const std::function<std::string(const std::vector<std::string_view>& fields)>& record)
{
    if (text.empty())
        return "the file is empty";
    for (std::size_t lineNumber = 1; !text.empty(); ++lineNumber) {
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        std::string fault;
        if (lineNumber == 1)
            fault = line == header ? "" : "not a " + std::string(what) + " of this version";
        else if (!line.empty())
            fault = record(SplitTabs(line));
        if (!fault.empty())
            return "line " + std::to_string(lineNumber) + ": " + fault;
    }
    return std::nullopt;
}

} // namespace umbrix
