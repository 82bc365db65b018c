#include "powerpoint/Paste.h"

#include "office/Error.h"
#include "powerpoint/WindowServices.h"

namespace powerpoint {

namespace {

const QString PasteSourceFormatting = QStringLiteral("PasteSourceFormatting");

office::Presentation& target(run::RunState& state) {
    if (!state.office.presentation)
        throw office::Error(91, QStringLiteral("Object variable or With block variable not set"));
    return *state.office.presentation;
}

office::Presentation& active(office::PowerPoint& pp) {
    auto p = pp.activePresentation();
    if (!p) throw office::Error(office::errors::ObjectRequired, QStringLiteral("Object required"));
    return *p;
}

}  // namespace

bool IsOlderPowerPoint(const QString& version) {
    bool ok = false;
    const double v = version.trimmed().toDouble(&ok);
    if (!ok) throw office::Error(13, QStringLiteral("Type mismatch"));
    return v < 15;
}

void PasteIntoSlide(run::Services& services, run::RunState& state, int pasteFormat,
                    const QString& itemKind) {
    if (pasteFormat < 0 || pasteFormat > 3) return;
    auto pp = services.host.attachPowerPoint();
    const bool range = itemKind == QLatin1String("Range");
    const int slide = state.powerPoint.currentSlideIndex;
    switch (pasteFormat) {
        case 0:
            pp->activeWindow()->viewPasteSpecial(range ? office::ppPasteBitmap
                                                       : office::ppPasteMetafilePicture);
            break;
        case 1:
            if (!range) {
                if (IsOlderPowerPoint(pp->version())) {
                    target(state).slide(slide)->pasteSpecial(office::ppPasteDefault, false);
                } else {
                    pp->executeMso(PasteSourceFormatting);
                    WaitWithEvents(services.pacer(), 1000);
                }
                break;
            }
            pp->activeWindow()->gotoSlide(slide);
            if (IsOlderPowerPoint(pp->version())) {
                auto s = active(*pp).slide(slide);
                if (s->layout() == office::ppLayoutBlank) s->setLayout(office::ppLayoutTitleOnly);
                s->shape(s->shapeCount())->select();
            }
            state.powerPoint.placementDone = true;
            PasteKeepingSourceFormatting(services, slide);
            break;
        case 2:
            active(*pp).slide(slide)->pasteSpecial(office::ppPasteOLEObject, false);
            break;
        case 3:
            target(state).slide(slide)->pasteSpecial(office::ppPasteDefault, true);
            break;
    }
}

void PasteKeepingSourceFormatting(run::Services& services, int slideIndex) {
    auto pp = services.host.attachPowerPoint();
    auto& pacer = services.pacer();
    active(*pp).slide(slideIndex)->select();
    pacer.processEvents(5000);
    active(*pp).slide(slideIndex)->select();
    pacer.processEvents(5000);
    pp->executeMso(PasteSourceFormatting);
    pp->releaseFocus();
    pacer.processEvents(5000);
}

}  // namespace powerpoint
