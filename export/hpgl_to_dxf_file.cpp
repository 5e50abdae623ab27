// The converter's file side: the plot read bounded from a file or taken from memory, the DXF written through
// the safe writer only when the conversion is complete.

#include "export/file_writer.h"
#include "export/hpgl_to_dxf.h"

#include <cerrno>
#include <exception>
#include <filesystem>
#include <utility>

namespace umbrix {

DxfFileConversion ConvertHpglToDxfFile(std::string_view hpgl, const std::string& hpglName, const OutputTarget& dxf,
                                       DxfConversionOptions options) noexcept
{
    DxfFileConversion result;
    try {
        result.fileName = std::filesystem::path(hpglName).filename().string();
        options.sourceName = hpglName;
        DxfConversion conversion = ConvertHpglToDxf(hpgl, options);
        result.conversionLog = std::move(conversion.conversionLog);
        result.notices = std::move(conversion.notices);
        switch (conversion.status) {
        case DxfConversionStatus::NotHpgl:
            result.status = DxfFileStatus::NotHpgl;
            return result;
        case DxfConversionStatus::NothingConverted:
            result.status = DxfFileStatus::NothingConverted;
            return result;
        case DxfConversionStatus::Converted:
            break;
        }
        result.fileName = std::filesystem::path(dxf.path).filename().string();
        if ((result.failure = WriteOutput(dxf, conversion.dxf))) {
            result.status = DxfFileStatus::OutputNotWritten;
            return result;
        }
        result.status = DxfFileStatus::Converted;
        return result;
    } catch (const std::exception&) {
        // Only an allocation can fail here; the temporary file, if any, was removed by the writer.
        result.status = DxfFileStatus::OutputNotWritten;
        result.failure = FileFailure{.error = ENOMEM, .own = std::nullopt, .path = dxf.path};
        return result;
    }
}

DxfFileConversion ConvertHpglFileToDxf(const std::filesystem::path& hpglPath, const std::filesystem::path& dxfPath,
                                       DxfConversionOptions options) noexcept
{
    try {
        std::string hpgl;
        if (std::optional<FileFailure> read = ReadFileBounded(hpglPath.string(), kMaxPlotFileBytes, hpgl)) {
            DxfFileConversion result;
            result.fileName = hpglPath.filename().string();
            result.status = DxfFileStatus::InputUnreadable;
            result.failure = std::move(read);
            return result;
        }
        return ConvertHpglToDxfFile(hpgl, hpglPath.string(), dxfPath.string(), std::move(options));
    } catch (const std::exception&) {
        DxfFileConversion result;
        result.status = DxfFileStatus::InputUnreadable;
        return result;
    }
}

} // namespace umbrix
