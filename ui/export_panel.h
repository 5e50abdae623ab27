#pragma once
// The export panel PanSave of the graphic page: it asks whether the plot is drawn as on the screen or scaled
// by a semi-major axis of 2..20, recalculates with that axis, then asks for the file and writes an HPGL plot
// or, through a temporary plot file, a DXF drawing.

#include "core/fields.h"
#include "ui/save_dialog.h"

#include <QFrame>

#include <functional>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace umbrix {

class MainWindow;
class RadioGroup;

/// What the panel writes; chosen by the tool button that opened it.
enum class ExportKind { Hpgl, Dxf };

/// What the panel needs of the window beyond its public face.
struct ExportHooks {
    /// The calculation button's action: recalculate and show the results; false when the calculation
    /// ended with an error.
    std::function<bool()> calculate;
};

class ExportPanel : public QFrame {
    Q_OBJECT
public:
    /// Builds the hidden panel on the window's graphic page and connects the tool buttons tbHpg and tbDXF.
    ExportPanel(MainWindow& window, ExportHooks hooks);

    /// tbHpg or tbDXF: opens the panel for that kind with the field showing the axis brought into 2..20.
    /// Button3 ("OK"): checks the field, makes its value the semi-major axis, recalculates, hides the panel
    /// and runs tbHpgClick. Any other sender (Button4) hides the panel.
    void AchseWaehlen(QObject* sender);
    /// The scale option: item 0 as on the screen, item 1 scaled by the axis of the field.
    void rgDxfClick(int item);
    /// The save dialog and the writing of the file of the current kind.
    void tbHpgClick();

    ExportKind exportKind() const { return exportKind_; }
    bool screenLikeExport() const { return screenLikeExport_; }

    /// Replaces the save dialog (tests answer it without showing it).
    void setFileChooser(SaveFileChooser chooser) { chooseFile_ = std::move(chooser); }

private:
    void open(ExportKind kind);
    void confirm();
    void showAxisFieldState();
    void relabelHeading();
    void showMessages(const std::vector<UiMessage>& messages);

    MainWindow& window_;
    ExportHooks hooks_;
    SaveFileChooser chooseFile_;
    ExportKind exportKind_ = ExportKind::Hpgl;
    bool screenLikeExport_ = false;

    QToolButton* tbHpg = nullptr;
    QToolButton* tbDXF = nullptr;
    QLabel* Label18 = nullptr;
    RadioGroup* rgDxf = nullptr;
    QLabel* Label16 = nullptr;
    QLineEdit* EddxfAchs = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* Button4 = nullptr;
};

} // namespace umbrix
