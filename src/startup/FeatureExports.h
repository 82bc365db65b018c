#pragma once

#include <functional>

#include "mainform/Exports.h"
#include "startup/Run.h"

namespace startup {

// What the main form launches, routed to the features of this build; a feature this build
// lacks says so in a message instead of doing nothing.
class FeatureExports : public mainform::Exports {
  public:
    explicit FeatureExports(Run& run) : run_(run) {}

    void openPowerPointDialog() override;
    void startWordExport() override;
    void openWebDialog() override;
    void openPdfDialog() override;
    void openImageFilesDialog() override;
    void showLayoutForm() override;
    void exportSelectionToPowerPoint(int pasteFormat) override;
    void exportSelectionToWord(int pasteFormat) override;
    void exportSelectionToImageFile() override;
    void closeAll() override;

  private:
    void call(const std::function<void(Run&)>& feature, const QString& what);
    Run& run_;
};

}  // namespace startup
