#include "cli/svg_output.h"

#include "core/number_text.h"
#include "graphics/construction.h"

#include <charconv>

namespace umbrix {

std::optional<SurfaceSize> ParseSurfaceSize(std::string_view text)
{
    const auto x = text.find('x');
    if (x == std::string_view::npos)
        return std::nullopt;
    const auto number = [](std::string_view part) -> std::optional<int> {
        int value = 0;
        const auto [end, error] = ReadInteger(part, value);
        if (error != std::errc() || end != part.data() + part.size() || value < 1 || value > kMaxSvgSide)
            return std::nullopt;
        return value;
    };
    const std::optional<int> width = number(text.substr(0, x));
    const std::optional<int> height = number(text.substr(x + 1));
    if (!width || !height)
        return std::nullopt;
    return SurfaceSize{*width, *height};
}

SvgPictures::SvgPictures(const Model& model, StoreOutcome store, Host& host, SurfaceSize size, bool wantConstruction)
    : model_(model), store_(std::move(store)), host_(host), construction_(size.width, size.height)
{
    state_.imageWidth = size.width;
    state_.lastImageWidth = size.width;
    // A command-line run has no pages: the graphics page counts as shown, so no warning box appears.
    state_.graphicsPageVisible = true;
    if (wantConstruction)
        redraw_ = std::make_unique<SurfaceRedraw>(
            state_, [this](const DrawingOutcome& outcome) { store_(state_, outcome); }, construction_, view_, nullptr,
            &host_);
}

Redraw& SvgPictures::redraw()
{
    if (redraw_)
        return *redraw_;
    return none_;
}

std::string SvgPictures::construction() const
{
    return construction_.document();
}

std::string SvgPictures::errorGraph()
{
    SvgSurface graph(kErrorSvgWidth, kErrorSvgHeight);
    state_ = DrawErrorGraph(model_, state_, graph, true, 0);
    return graph.document();
}

} // namespace umbrix
