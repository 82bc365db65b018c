#pragma once

// The web export dialog: blank lines, captions as titles, the width factor, and the choice
// between the page builder and the spreadsheet's publication.

#include <QWidget>

#include "images/DialogImageFiles.h"

class QCheckBox;
class QLabel;
class QLineEdit;

namespace chrome {
class ThemedButton;
}

namespace web {

class DialogHTML : public QWidget {
    Q_OBJECT
  public:
    DialogHTML(run::Services& services, run::RunState& state, images::ExportTarget target,
               QWidget* parent = nullptr);

    void Form_Load();
    void SameWidthHTNL_Click();
    void txtAmount_Change();
    void TextBox10_Change();
    void SonicClick2_Click();
    void ContinueOk_Click();

    // The settings as the confirm button stores them.
    run::WebExportSettings settings() const;

  private:
    run::Services& services_;
    run::RunState& state_;
    images::ExportTarget target_;
    QLabel* Label1_ = nullptr;
    QLabel* Label2_ = nullptr;
    QCheckBox* Check1_ = nullptr;
    QCheckBox* Check2_ = nullptr;
    QCheckBox* Check3_ = nullptr;
    QCheckBox* SameWidthHTNL_ = nullptr;
    QLineEdit* TextBox10_ = nullptr;
    QLineEdit* txtAmount_ = nullptr;
    chrome::ThemedButton* ContinueOk_ = nullptr;
    bool cleaning_ = false;
};

}  // namespace web
