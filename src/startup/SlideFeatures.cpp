#include "startup/SlideFeatures.h"

#include "layout/LayoutForm.h"
#include "powerpoint/Dialog.h"
#include "powerpoint/SelectionExport.h"
#include "startup/FormLink.h"

namespace startup {

void addSlideFeatures(Features& f) {
    f.showLayoutForm = [](Run& run) { layout::showLayoutForm(run.services, run.state); };
    f.selectionToPowerPoint = [](Run& run, int pasteFormat) {
        powerpoint::ExportSelectionToPowerPoint(run.services, run.state, pasteFormat);
    };
    f.powerPointDialog = [](Run& run) {
        powerpoint::openDialog(run.services, run.state, mainFormLink(run));
    };
    f.closeWindows.push_back([](Run&) { powerpoint::closeWindows(); });
}

}  // namespace startup
