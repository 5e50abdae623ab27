#pragma once
// The HPGL plot of the construction: the program's vector export and the input of the DXF export.
//
// Plotter units: 40 per millimetre, x to the right, y upwards. The page is 16400 x 11480 units (410 x 287 mm,
// A3 less 5 mm margins) and grows when the construction does not fit. The whole file is one line of text,
// commands separated by ";", labels ended by ETX; texts in Windows-1252.

#include "core/host.h"
#include "core/model.h"
#include "export/hpgl_plot.h"

#include <string>

namespace umbrix {

/// How the plot is scaled and placed.
struct PlotSettings {
    int panX = 0; // pan of the screen drawing, window pixels
    int panY = 0;
    double axisOrZoom = 1.0;   // zoomFactor for a screen-like export, dxfAxisLength for a scaled one
    int lastImageWidth = 1180; // width of the last screen drawing, pixels
};

/// Where the plot put the dial centre (plotter units, y from the top of the page).
struct PlotResult {
    std::string text; // the plot file's bytes
    int originX = 0;
    int originY = 0;
    int pageWidth = 0; // plotter units, after any enlargement
    int pageHeight = 0;
    double unitsPerLength = 0; // plotter units per dial unit
    bool splitDial = false;    // the plot drew the split dial: the caller keeps it as doubleAnalemmaActive
};

/// The construction of the current (already calculated) model as HPGL. Reads the parameters, the derived
/// geometry and the result tables.
[[nodiscard]] PlotResult WriteConstructionPlot(const Model& model, Host& host, const PlotSettings& settings);

/// The value the scaled-export field starts with: the semi-major axis brought into 2..20 by powers of ten.
[[nodiscard]] double InitialExportAxis(double semiMajorAxis);

} // namespace umbrix
