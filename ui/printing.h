#pragma once
// The print commands of the window: printer set-up, print graphic (GrafikG), print the displayed list or
// all lists (Listedrucken1Click). The printer is the window's QPrinter; messages go through the host.
// Nothing is thrown out of these functions, so they can be called from any slot.

#include "core/host.h"
#include "core/model.h"
#include "graphics/print_layout.h"
#include "graphics/view.h"

#include <cstdint>
#include <functional>

class QPrinter;
class QWidget;

namespace umbrix {

/// The printer set-up dialog before a print: true when the user confirmed it. Empty: QPrintDialog on the
/// parent window. Tests give their own (for example one that chooses a PDF file).
using PrinterDialog = std::function<bool(QPrinter& printer)>;

enum class PrintOutcome : std::uint8_t {
    Printed,
    Cancelled,      // the set-up dialog was cancelled: no document started
    Refused,        // displayed list while the graphic page is in front (TextTable row 18 shown)
    NothingToPrint, // no list of the request has rows
    NotReady,       // StartPrintPage failed (MessageTable row 23 shown)
    Failed,         // printing failed (MessageTable row 42 shown)
};

/// Druckereinrichten1 / Druckereinrichten2: the page set-up dialog of the printer, nothing else.
void PrinterSetup(QWidget* parent, QPrinter& printer);

/// GrafikG: landscape, set-up dialog, StartPrintPage, the construction in print mode with its legend, end of
/// the document; MessageTable row 42 on a failure; the printer is portrait again afterwards in every case.
PrintOutcome GrafikG(QWidget* parent, Model& model, const ViewState& view, QPrinter& printer, Host& host,
                     const PrinterDialog& dialog = {});

/// Listedrucken1Click: printAllLists true for the all-lists commands (AlleListen1, ToolButton1,
/// alleListendrucken1), false for the displayed list (Listedrucken1, N6). The page in front decides the
/// displayed list; with the graphic page in front a displayed-list request is refused with TextTable
/// row 18. The printer keeps its orientation.
PrintOutcome Listedrucken1Click(QWidget* parent, Model& model, bool printAllLists, ListPage visiblePage,
                                QPrinter& printer, Host& host, const PrinterDialog& dialog = {});

} // namespace umbrix
