// The JavaScript face of the web library (embind): createUmbrix() gives a module with describe(),
// searchPlaces() and the class Session. Texts cross as JavaScript strings (UTF-8 inside), file bytes as
// Uint8Array. No call throws into JavaScript: failures are answers (status, messages, lastError()).

#include "web/api/session.h"

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <string>
#include <vector>

namespace {

using emscripten::val;

/// A copy of the bytes as a Uint8Array that JavaScript owns.
val Bytes(const std::string& bytes)
{
    val array = val::global("Uint8Array").new_(bytes.size());
    array.call<void>("set", val(emscripten::typed_memory_view(bytes.size(),
                                                              reinterpret_cast<const unsigned char*>(bytes.data()))));
    return array;
}

/// The bytes of a Uint8Array, an ArrayBuffer or a string.
std::string BytesOf(const val& data)
{
    if (data.isString())
        return data.as<std::string>();
    const val uint8Array = val::global("Uint8Array");
    const val array = data.instanceof(uint8Array) ? data : uint8Array.new_(data);
    const std::vector<unsigned char> bytes = emscripten::vecFromJSArray<unsigned char>(array);
    return std::string(bytes.begin(), bytes.end());
}

std::string SetLanguageOf(umbrix::Session& s, const std::string& language)
{
    s.setLanguage(language);
    return language;
}

val OutputOf(umbrix::Session& s, const std::string& kind, const val& options)
{
    std::string json = "{}";
    if (options.isString())
        json = options.as<std::string>();
    else if (!options.isUndefined() && !options.isNull())
        json = val::global("JSON").call<std::string>("stringify", options);
    return Bytes(s.output(kind, json));
}

std::string ReadConfigOf(umbrix::Session& s, const val& bytes, const std::string& fileName)
{
    return s.readConfig(BytesOf(bytes), fileName);
}

std::string LastErrorOf(const umbrix::Session& s)
{
    return s.lastError();
}

} // namespace

EMSCRIPTEN_BINDINGS(umbrix)
{
    emscripten::function("describe", &umbrix::DescribeJson);
    emscripten::function("searchPlaces", +[](const std::string& text, const std::string& language) {
        return umbrix::SearchPlacesJson(text, language);
    });
    emscripten::class_<umbrix::Session>("Session")
        .constructor<>()
        .function("setLanguage", &SetLanguageOf)
        .function("setParameter", +[](umbrix::Session& s, const std::string& n, const std::string& t) {
            return s.setParameter(n, t);
        })
        .function("validateField", +[](umbrix::Session& s, const std::string& n, const std::string& t) {
            return s.validateField(n, t);
        })
        .function("controlStates", &umbrix::Session::controlStates)
        .function("parameters", &umbrix::Session::parameters)
        .function("calculate", &umbrix::Session::calculate)
        .function("output", &OutputOf)
        .function("lastError", &LastErrorOf)
        .function("readConfig", &ReadConfigOf)
        .function("setPlace", +[](umbrix::Session& s, const std::string& place) { return s.setPlace(place); });
}
