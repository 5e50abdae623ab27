#include "export/plot_export.h"

#include "export/file_messages.h"
#include "export/hpgl_to_dxf.h"
#include "text/texts.h"

namespace umbrix {

ExportOutcome ExportPlotFile(const Model& model, Host& host, const PlotSettings& settings, const OutputTarget& target)
{
    const PlotResult plot = WriteConstructionPlot(model, host, settings);
    if (const std::optional<FileFailure> failure = WriteOutput(target, plot.text))
        return {false, {SaveFailureMessage(model.state.language, target.path, *failure)}, plot.splitDial};
    return {true, {}, plot.splitDial};
}

ExportOutcome ExportDxfFile(const Model& model, Host& host, const PlotSettings& settings, const OutputTarget& target)
{
    const LanguageState& lang = model.state.language;
    const PlotResult plot = WriteConstructionPlot(model, host, settings);
    const DxfFileConversion converted = ConvertHpglToDxfFile(plot.text, std::string(kTempPlotName), target);

    ExportOutcome out;
    out.splitDial = plot.splitDial;
    for (const auto& notice : converted.notices)
        out.messages.push_back({std::string(CaptionText(lang, Caption::Error)), notice, MessageIcon::Question});
    switch (converted.status) {
    case DxfFileStatus::Converted:
        out.ok = true;
        out.messages.push_back({std::string(CaptionText(lang, Caption::Information)),
                                "\r       File " + converted.fileName + std::string(MessageRow(lang, MessageId::Saved)),
                                MessageIcon::Information});
        break;
    case DxfFileStatus::NotHpgl:
        out.messages.push_back(
            {std::string(CaptionText(lang, Caption::Warning)),
             "   File " + converted.fileName + std::string(MessageRow(lang, MessageId::NotConverted)),
             MessageIcon::Warning});
        break;
    case DxfFileStatus::NothingConverted:
        out.messages.push_back({std::string(CaptionText(lang, Caption::Error)),
                                "File " + converted.fileName + std::string(MessageRow(lang, MessageId::NotConverted)),
                                MessageIcon::Warning});
        break;
    case DxfFileStatus::InputUnreadable:
    case DxfFileStatus::OutputNotWritten:
        out.messages.push_back(SaveFailureMessage(lang, target.path, converted.failure.value_or(FileFailure{})));
        break;
    }
    return out;
}

} // namespace umbrix
