#pragma once
// What the construction drawing shares with the rest of the program: where the last drawing put the dial
// centre, the size of the window image, the print area, the gnomon direction lines, the hour curves of the
// fixed-gnomon dial (read by the exports) and the state of the error panel. Pixels unless noted; every
// drawing rewrites what it computes. Plain data on core types only, so the model can hold it.

#include "core/results.h"

#include <cstdint>
#include <string>
#include <vector>

namespace umbrix {

/// One hour curve of the fixed-gnomon dial: the hour ellipse of one date line, sampled at whole degrees
/// of hour angle, and its hour marks.
struct FixedGnomonCurve {
    double declination = 0;           // degrees
    double scale = 0;                 // semi-major axis of the date line's ellipse, dial units
    std::vector<DialPoint> points;    // whole degrees from (hourFrom - 12) 15 to (hourTo - 12) 15
    std::vector<DialPoint> hourMarks; // marks 1 .. (hourTo - hourFrom) linesPerHour + 1
};

struct DrawingState {
    // --- written by every drawing ---
    int surfaceWidth = 0; // size of the area drawn on by the last drawing
    int surfaceHeight = 0;
    std::int32_t originX = 0; // pixel position of the dial centre P(0/0)
    std::int32_t originY = 0;
    std::int32_t leftCentreX = 0;  // split dial: the morning centre
    std::int32_t rightCentreX = 0; // split dial: the afternoon centre
    int lastTickLength = 8;        // the axis tick length drawn last (captions and labels keep their distance)

    // --- written by screen drawings only ---
    int lastImageWidth = 0; // surfaceWidth of the last screen drawing

    // --- set by the host before drawing ---
    int imageWidth = 0;                     // current width of the window image; 0: lastImageWidth is used
    bool graphicsPageVisible = true;        // the tab of the graphics page is shown
    std::uint32_t windowFontRgb = 0x000000; // colour of the window's font, 0xRRGGBB
    // Print area on the page (0.1 mm), set by printing before a print-mode drawing.
    int printAreaLeft = 0;
    int printAreaTop = 0;
    int printAreaWidth = 0;
    int printAreaHeight = 0;
    int printPageHeight = 0;

    // --- gnomon direction lines (dial types 1, 3 and 7), dial units ---
    double gnomonLineLength = 0;
    DialPoint gnomonFootPoint{};
    DialPoint gnomonTipPoint{};

    // --- fixed-gnomon dial (type 7): the curves drawn last, for the exports ---
    std::vector<FixedGnomonCurve> fixedGnomonCurves;
    double fixedGnomonLargestAxis = 0; // largest semi-axis among those curves

    // --- error panel ---
    bool errorPanelVisible = false; // pErrGraph shown
    std::string maxErrorText;       // lmaxErrAbs: the largest reading error, "%5.2f"
};

/// What one drawing leaves behind: the drawing state it started from with what it wrote, and what it asks
/// of the model. The caller stores it (StoreDrawing in core/driver.h).
struct DrawingOutcome {
    DrawingState state;
    bool radiusCheckReported = false; // the drawing showed the Lambert radius message
    bool loopGridsVoid = false;       // the split mean-time dial cannot be built for these angles
};

} // namespace umbrix
