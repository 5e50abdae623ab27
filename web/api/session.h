#pragma once
// The web library's session: one model, as the window holds it, driven through the same functions as the
// window and umbrix-cli (the parameter table, the field checks, the input panel's states, the configuration
// reader, the CLI's calculation and outputs). Every structured answer is a JSON text; files are bytes.
// Nothing here computes a dial: it only calls the core and hands over its answers.

#include "text/language.h"

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace umbrix {

struct Model;
struct UiMessage;

class Session {
public:
    Session();
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    /// "de" or "en"; any other text changes nothing. Every later message and text is in that language.
    void setLanguage(std::string_view language);

    /// As `umbrix-cli --set NAME=TEXT`: {status:"accepted"|"rejected"|"unknown"|"disabled", messages}.
    [[nodiscard]] std::string setParameter(std::string_view name, std::string_view text);

    /// The window's on-leave check of a parameter's field with the current state:
    /// {accepted, text, messages, others:[control states]}. A parameter without a numeric field goes through
    /// setParameter's check.
    [[nodiscard]] std::string validateField(std::string_view name, std::string_view text);

    /// The control states of the input panels for the current dial type: [{name, text?, enabled?, ...}].
    [[nodiscard]] std::string controlStates();

    /// {name: value} of every parameter, the `parameters` object of the JSON report.
    [[nodiscard]] std::string parameters() const;

    /// Calculates, keeps the results, and returns the JSON report as `umbrix-cli --json -` writes it.
    [[nodiscard]] std::string calculate();

    /// The bytes of the file the CLI option --KIND writes for the current state; `optionsJson` a flat JSON
    /// object of the option's settings (see describe()). Empty, with lastError() set, when it fails.
    [[nodiscard]] std::string output(std::string_view kind, std::string_view optionsJson);

    /// The reason of the last failed output or read; empty when none.
    [[nodiscard]] const std::string& lastError() const { return lastError_; }

    /// Reads a configuration file's bytes through the core's reader: {ok, messages, warnings}.
    [[nodiscard]] std::string readConfig(std::string_view bytes, std::string_view fileName);

    /// Takes a place {name, latitude, longitudeEast, timeZone} as --place does: latitude, longitude (west
    /// positive), the zone with its meridian and summer time, and the place's name, through the fields'
    /// checks. The answer of setParameter for the last value set, or for the first one refused.
    [[nodiscard]] std::string setPlace(std::string_view placeJson);

private:
    std::unique_ptr<Model> model_;
    std::vector<UiMessage> messages_; // of the inputs so far, for the report
    std::string lastError_;
    std::filesystem::path folder_; // this session's scratch folder for the files the outputs write
};

/// The parameter table, the CLI's options, the panels' texts, the dial types and the outputs, as JSON.
[[nodiscard]] std::string DescribeJson();

/// The gazetteer's places whose name begins with `text` ("NAME, COUNTRY" narrows), most populous first, at
/// most 20: [{name, state, country, countryCode, timeZone, latitude, longitudeEast, population}], names in
/// `language` ("de" or "en").
[[nodiscard]] std::string SearchPlacesJson(std::string_view text, std::string_view language);

} // namespace umbrix
