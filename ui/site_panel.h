#pragma once
// Where and when in the window: the place field with its completion list, the time-zone list that filters
// as the user types, "Paste coordinates …", and the question whether to reverse a sign that looks wrong.
// The panel owns the gazetteer and the zones of the window (the place index is built at the first search);
// it changes the model through the parameter table and lets the window calculate once.

#include "core/fields.h"
#include "core/model.h"
#include "site/site_service.h"

#include <QWidget>

#include <functional>
#include <string>
#include <vector>

class QComboBox;
class QCompleter;
class QLineEdit;
class QStringListModel;

namespace umbrix {

class SitePanel : public QWidget {
public:
    /// `changed`: shows the parameters and calculates once; `show`: the window's message boxes.
    SitePanel(Model& model, std::function<void()> changed, std::function<void(const std::vector<UiMessage>&)> show,
              QWidget* parent);

    /// The place and the zone as the model holds them; a zone not yet read for the design year (a file
    /// just opened, a new year) is read, and the dial calculated again. Call after every calculation.
    void showModel();
    /// After a latitude or longitude was typed: asks whether to reverse a sign that looks wrong.
    void checkSigns();
    /// After the zone meridian was typed: warns when it no longer matches the zone.
    void checkMeridian();

    /// Chooses a place as the completion list does (for tests).
    void choosePlace(const PlaceRecord& place);
    /// Sets a zone as the zone list does; false when it was refused.
    bool chooseZone(const QString& zone);
    /// Reads coordinates as the paste action does; false when the text cannot be read.
    bool pasteCoordinates(const QString& text);
    [[nodiscard]] SiteServices& services() { return services_; }
    /// Replaces the yes/no question of the sign check (tests answer it without a dialog).
    void setQuestion(std::function<bool(const std::string&)> ask) { ask_ = std::move(ask); }

private:
    void placeEdited(const QString& text);
    void zoneEntered();
    [[nodiscard]] bool english() const { return LanguageOf(model_.state.language) == Language::English; }
    void warn(const std::string& text);
    bool resolveZone(bool setMeridian);

    Model& model_;
    std::function<void()> changed_;
    std::function<void(const std::vector<UiMessage>&)> show_;
    SiteServices services_;
    QLineEdit* place_ = nullptr;
    QComboBox* zone_ = nullptr;
    QStringListModel* matches_ = nullptr;
    QCompleter* completer_ = nullptr;
    std::vector<const PlaceRecord*> shown_;
    std::function<bool(const std::string&)> ask_;
    std::string refused_; // "zone/year" of the last zone that could not be read
};

} // namespace umbrix
