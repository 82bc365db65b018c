#pragma once

// The image files dialog: format, file names, destination folder, open the folder when done.

#include <QWidget>
#include <array>
#include <functional>

#include "images/ExportRun.h"
#include "images/PasteToImagesFiles.h"
#include "platform/Choosers.h"

class QCheckBox;
class QLabel;
class QRadioButton;

namespace chrome {
class ThemedButton;
}

namespace images {

// What the dialog needs to start an export: the list and the main form's close.
struct ExportTarget {
    run::ItemList& list;
    std::function<void()> closeMainForm;
};

class DialogImageFiles : public QWidget {
    Q_OBJECT
  public:
    DialogImageFiles(run::Services& services, run::RunState& state, platform::Chooser& chooser,
                     ExportTarget target, QWidget* parent = nullptr);

    void Form_Load();
    void Option3_Click();
    void Option4_Click();
    void SonicClick3_Click();
    void SonicClick2_Click();
    void ContinueOk_Click();

    ImageFilesOptions options() const;

  private:
    run::Services& services_;
    run::RunState& state_;
    platform::Chooser& chooser_;
    ExportTarget target_;
    std::array<QRadioButton*, 5> formats_{};
    QRadioButton* Option3_ = nullptr;
    QRadioButton* Option4_ = nullptr;
    QCheckBox* Check2_ = nullptr;
    QLabel* Label1_ = nullptr;
    chrome::ThemedButton* ContinueOk_ = nullptr;
};

// FolderBrowser: the chosen folder, or nothing when the chooser was cancelled or the answer is
// no existing folder.
std::optional<QString> FolderBrowser(platform::Chooser& chooser, const QString& start = {});

}  // namespace images
