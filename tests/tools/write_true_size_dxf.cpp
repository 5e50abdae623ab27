// Writes the true-size DXF of every dial type (and the split dial) of the default configuration into a
// folder, for `make check-readers`, which opens each in a CAD program.
//   umbrix_write_true_size_dxf FOLDER

#include "core/driver.h"
#include "core/input_panel.h"
#include "export/file_writer.h"
#include "export/true_size_dxf.h"

#include <iostream>
#include <memory>
#include <string>

using namespace umbrix;

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: umbrix_write_true_size_dxf FOLDER\n";
        return 2;
    }
    for (int variant = 0; variant <= kDialTypeCount; ++variant) {
        const bool split = variant == kDialTypeCount;
        auto m = std::make_unique<Model>();
        InitDefaults(*m);
        m->params.marksMode = static_cast<MarksMode>(split ? 2 : 1);
        (void)SelectDialType(*m, split ? 6 : variant);
        RecordingHost host;
        (void)Recalculate(*m, host);
        const TrueSizeDxf dxf = WriteTrueSizeDxf(*m, LengthUnit::Metre);
        const std::string path =
            std::string(argv[1]) + "/" + (split ? "split" : "type" + std::to_string(variant)) + ".dxf";
        if (!dxf.ok) {
            std::cerr << path << ": " << dxf.reason << "\n";
            return 1;
        }
        if (const std::optional<FileFailure> failure = WriteFileSafely(path, dxf.bytes)) {
            std::cerr << FailureLine(StateFor(Language::English), *failure) << "\n";
            return 3;
        }
        std::cout << path << "\n";
    }
    return 0;
}
