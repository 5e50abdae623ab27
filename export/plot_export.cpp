#include "export/plot_export.h"

#include "export/atomic_file.h"
#include "export/hpgl_to_dxf.h"
#include "text/texts.h"

#include <filesystem>
#include <system_error>

namespace umbrix {

namespace {

UiMessage WriteFailure(const LanguageState& lang, const std::string& path)
{
    return {std::string(CaptionText(lang, Caption::Error)), path + std::string(MessageRow(lang, 18)),
            MessageIcon::Error};
}

} // namespace

ExportOutcome ExportPlotFile(Model& model, Host& host, const PlotSettings& settings, const std::string& path)
{
    const PlotResult plot = WriteConstructionPlot(model, host, settings);
    if (!WriteFileAtomically(path, plot.text).ok)
        return {false, {WriteFailure(model.state.language, path)}};
    return {true, {}};
}

ExportOutcome ExportDxfFile(Model& model, Host& host, const PlotSettings& settings, const std::string& path)
{
    namespace fs = std::filesystem;
    const LanguageState& lang = model.state.language;
    const fs::path target(path);
    const fs::path temporary = target.parent_path() / kTempPlotName;
    const PlotResult plot = WriteConstructionPlot(model, host, settings);
    if (!WriteFileAtomically(temporary.string(), plot.text).ok)
        return {false, {WriteFailure(lang, path)}};

    const DxfFileConversion converted = ConvertHpglFileToDxf(temporary, target);
    std::error_code ec;
    fs::remove(temporary, ec);

    ExportOutcome out;
    for (const auto& notice : converted.notices)
        out.messages.push_back({std::string(CaptionText(lang, Caption::Error)), notice, MessageIcon::Question});
    switch (converted.status) {
    case DxfFileStatus::Converted:
        out.ok = true;
        out.messages.push_back({std::string(CaptionText(lang, Caption::Information)),
                                "\r       File " + converted.fileName + std::string(MessageRow(lang, 38)),
                                MessageIcon::Information});
        break;
    case DxfFileStatus::NotHpgl:
        out.messages.push_back({std::string(CaptionText(lang, Caption::Warning)),
                                "   File " + converted.fileName + std::string(MessageRow(lang, 45)),
                                MessageIcon::Warning});
        break;
    case DxfFileStatus::NothingConverted:
        out.messages.push_back({std::string(CaptionText(lang, Caption::Error)),
                                "File " + converted.fileName + std::string(MessageRow(lang, 45)),
                                MessageIcon::Warning});
        break;
    case DxfFileStatus::InputUnreadable:
    case DxfFileStatus::OutputNotWritten:
        out.messages.push_back(WriteFailure(lang, path));
        break;
    }
    return out;
}

} // namespace umbrix
