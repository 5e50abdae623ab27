#pragma once
// A small check that a document is well-formed XML as the SVG writers produce it: every element closed in
// order, attribute values quoted, no bare "&" or "<" in text. Enough to catch a broken writer; not a parser.

#include <string>
#include <string_view>
#include <vector>

namespace umbrix {

/// Empty when `doc` is well formed, else what is wrong and where.
inline std::string XmlProblem(std::string_view doc)
{
    std::vector<std::string> open;
    std::size_t i = 0;
    bool rootSeen = false;
    while (i < doc.size()) {
        if (doc[i] != '<') {
            if (doc[i] == '&') {
                const std::size_t semi = doc.find(';', i);
                const std::string_view entity = doc.substr(i, semi == std::string_view::npos ? 0 : semi - i + 1);
                if (entity != "&amp;" && entity != "&lt;" && entity != "&gt;" && entity != "&quot;" &&
                    entity != "&apos;")
                    return "bare & at " + std::to_string(i);
            }
            if (open.empty() && rootSeen && doc[i] != '\n' && doc[i] != ' ')
                return "text after the root element at " + std::to_string(i);
            ++i;
            continue;
        }
        if (doc.substr(i, 2) == "<?" || doc.substr(i, 2) == "<!") {
            const std::size_t end = doc.find('>', i);
            if (end == std::string_view::npos)
                return "unclosed declaration at " + std::to_string(i);
            i = end + 1;
            continue;
        }
        // A tag: scan to its '>' outside quoted values.
        std::size_t k = i + 1;
        char quote = 0;
        for (; k < doc.size() && (quote || doc[k] != '>'); ++k) {
            if (quote && doc[k] == quote)
                quote = 0;
            else if (!quote && (doc[k] == '"' || doc[k] == '\''))
                quote = doc[k];
            else if (!quote && doc[k] == '<')
                return "'<' inside a tag at " + std::to_string(k);
            else if (quote && doc[k] == '<')
                return "'<' inside an attribute at " + std::to_string(k);
        }
        if (k >= doc.size())
            return "unclosed tag at " + std::to_string(i);
        std::string_view tag = doc.substr(i + 1, k - i - 1);
        const bool closing = !tag.empty() && tag.front() == '/';
        const bool selfClosing = !tag.empty() && tag.back() == '/';
        if (closing)
            tag.remove_prefix(1);
        const std::string name(tag.substr(0, tag.find_first_of(" \t\n/")));
        if (name.empty())
            return "a tag without a name at " + std::to_string(i);
        if (closing) {
            if (open.empty() || open.back() != name)
                return "</" + name + "> closes " + (open.empty() ? std::string("nothing") : "<" + open.back() + ">");
            open.pop_back();
        } else if (!selfClosing) {
            if (open.empty() && rootSeen)
                return "a second root element <" + name + ">";
            open.push_back(name);
            rootSeen = true;
        }
        i = k + 1;
    }
    if (!open.empty())
        return "<" + open.back() + "> is never closed";
    return rootSeen ? std::string() : "no root element";
}

} // namespace umbrix
