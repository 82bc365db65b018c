#include "layout/Layout.h"

#include <cmath>

#include "office/Error.h"
#include "statesheet/StateSheet.h"

namespace layout {

namespace {

bool hasStateSheet(const run::RunState& state) {
    return statesheet::SheetExists(state.office.workbook.get(), statesheet::StateSheetName);
}

// A setting used as a number; a text other than "Default" is a type mismatch, as the office
// reports it.
double number(const office::Value& v) {
    if (auto d = std::get_if<double>(&v)) return *d;
    if (auto b = std::get_if<bool>(&v)) return *b ? -1 : 0;
    if (std::holds_alternative<std::monostate>(v)) return 0;
    bool ok = false;
    const double d = std::get<QString>(v).trimmed().toDouble(&ok);
    if (!ok) throw office::Error(13, QStringLiteral("Type mismatch"));
    return d;
}

// Restarts the window's drawing however the placement ends.
class DrawingStopped {
  public:
    explicit DrawingStopped(const ScreenUpdating& set) : set_(set) { set_(false); }
    ~DrawingStopped() {
        try {
            set_(true);
        } catch (...) {
        }
    }
    DrawingStopped(const DrawingStopped&) = delete;
    DrawingStopped& operator=(const DrawingStopped&) = delete;

  private:
    const ScreenUpdating& set_;
};

}  // namespace

bool isDefault(const office::Value& v) {
    if (std::holds_alternative<std::monostate>(v)) return true;
    if (auto s = std::get_if<QString>(&v)) return s->isEmpty() || *s == DefaultText;
    return false;
}

void ReadLayoutSettings(run::Services& services, run::RunState& state) {
    auto& settings = state.layout;
    try {
        if (!hasStateSheet(state)) return;
        auto pp = services.host.attachPowerPoint();
        auto presentation = pp->activePresentation();
        if (!presentation)
            throw office::Error(office::errors::ObjectRequired, QStringLiteral("Object required"));
        if (pp->activeWindow()->selectedSlide()->hasTitle()) {
            auto title = presentation->slide(state.powerPoint.currentSlideIndex)->title();
            settings.titleTop = title->top();
            settings.titleHeight = title->height();
        }
        auto sheet = state.office.workbook->sheet(statesheet::StateSheetName);
        const office::Value top = sheet->cell(1, TopColumn);
        settings.top = isDefault(top)
                           ? office::Value(1.05 * (settings.titleTop + settings.titleHeight) /
                                           presentation->slideHeight())
                           : top;
        const office::Value width = sheet->cell(1, WidthColumn);
        settings.width = isDefault(width) ? office::Value(0.9) : width;
        const office::Value horizontal = sheet->cell(1, HorizontalColumn);
        settings.horizontal = isDefault(horizontal) ? office::Value(DefaultText) : horizontal;
    } catch (const std::exception&) {
        // The first error ends the reading; what was read stays.
    }
}

void PlacePastedShape(run::Services& services, run::RunState& state,
                      const ScreenUpdating& setScreenUpdating) {
    if (!hasStateSheet(state)) return;
    const auto& settings = state.layout;
    {
        DrawingStopped stopped(setScreenUpdating);
        auto pp = services.host.attachPowerPoint();
        state.office.presentation = pp->activePresentation();
        auto& presentation = state.office.presentation;
        if (!presentation)
            throw office::Error(office::errors::ObjectRequired, QStringLiteral("Object required"));
        auto slide = presentation->slide(state.powerPoint.currentSlideIndex);
        slide->shape(slide->shapeCount())->select();
        auto shape = pp->activeWindow()->selectedShape();
        shape->setLockAspectRatio(true);

        const double slideWidth = presentation->slideWidth();
        const double slideHeight = presentation->slideHeight();
        shape->setTop(isDefault(settings.top) ? settings.titleTop + settings.titleHeight + 5
                                              : slideHeight * number(settings.top));
        shape->setWidth(slideWidth * number(settings.width));
        double w = shape->width();
        if (shape->top() + shape->height() > 0.95 * slideHeight) {
            shape->setHeight(0.95 * slideHeight - shape->top());
            w = shape->width();
        }
        const auto* horizontal = std::get_if<QString>(&settings.horizontal);
        const double left =
            horizontal && *horizontal == DefaultText
                ? static_cast<double>(static_cast<long long>(std::nearbyint(slideWidth - w)) / 2)
                : slideWidth * number(settings.horizontal);
        shape->setLeft(left);
        if (left + shape->width() > slideWidth) shape->setWidth(slideWidth - left);
    }
    services.host.clipboard().clear();
}

}  // namespace layout
