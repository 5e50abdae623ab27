#include "cli/json_report.h"

#include "cli/json_writer.h"
#include "cli/parameters.h"

namespace umbrix {

std::string JsonReport(const Model& model, int errorCode, const std::vector<UiMessage>& messages)
{
    JsonWriter json;
    json.beginObject();
    json.key("parameters");
    json.beginObject();
    WriteParameters(json, model);
    json.endObject();
    json.key("errorCode");
    json.value(errorCode);
    json.key("messages");
    json.beginArray();
    for (const auto& m : messages) {
        json.beginObject();
        json.key("caption");
        json.value(m.caption);
        json.key("text");
        json.value(m.text);
        json.endObject();
    }
    json.endArray();
    json.key("obliquity");
    json.value(model.state.obliquity);
    json.key("roundedObliquity");
    json.value(model.state.roundedObliquity);
    json.endObject();
    return json.text();
}

} // namespace umbrix
