#pragma once

// The PDF dialog: size factor, cover page, page options and the output file.

#include <QWidget>

#include "images/DialogImageFiles.h"
#include "platform/Choosers.h"

class QCheckBox;
class QLabel;
class QLineEdit;

namespace chrome {
class ThemedButton;
}

namespace pdf {

class DialogPDF : public QWidget {
    Q_OBJECT
  public:
    DialogPDF(run::Services& services, run::RunState& state, platform::Chooser& chooser,
              images::ExportTarget target, QWidget* parent = nullptr);

    void Form_Load();
    void CoverT_Click();
    void txtAmount_Change();
    void SonicClick3_Click();
    void SonicClick2_Click();
    void ContinueOk_Click();

    // The dialog's choices as the export reads them.
    run::PdfExportSettings settings() const;

  private:
    run::Services& services_;
    run::RunState& state_;
    platform::Chooser& chooser_;
    images::ExportTarget target_;
    QLabel* Label1_ = nullptr;
    QLineEdit* txtAmount_ = nullptr;
    QCheckBox* CoverT_ = nullptr;
    QLineEdit* CoverText_ = nullptr;
    QCheckBox* Check1_ = nullptr;
    QCheckBox* Check2_ = nullptr;
    QCheckBox* Check3_ = nullptr;
    chrome::ThemedButton* ContinueOk_ = nullptr;
    bool cover_ = false;
    QString chosenFile_;
};

}  // namespace pdf
