#include "web/DialogHTML.h"

#include <QCheckBox>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <cmath>

#include "chrome/ThemedButton.h"
#include "images/DialogParts.h"
#include "images/NumberEntry.h"
#include "mainform/SortKeys.h"
#include "web/PHTML.h"

namespace web {

namespace {
const QChar CR(13);

using images::named;
}  // namespace

DialogHTML::DialogHTML(run::Services& services, run::RunState& state, images::ExportTarget target,
                       QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint),
      services_(services),
      state_(state),
      target_(std::move(target)) {
    setObjectName(QStringLiteral("DialogHTML"));
    setWindowTitle(QStringLiteral("Paste to HTML"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto* layout = new QVBoxLayout(this);
    Label1_ = named(new QLabel(this), "Label1");
    Label1_->setWordWrap(true);
    layout->addWidget(Label1_);

    Check1_ = named(
        new QCheckBox(QStringLiteral("Update Html file every time the workbook is saved"), this),
        "Check1");
    Check1_->setEnabled(false);
    Check2_ = named(new QCheckBox(QStringLiteral("Open Html file when done"), this), "Check2");
    Check2_->setChecked(true);
    Check2_->setEnabled(false);
    layout->addWidget(Check1_);
    layout->addWidget(Check2_);

    auto* blank = new QHBoxLayout;
    blank->addWidget(named(new QLabel(QStringLiteral("Let a blank space of"), this), "Label5"));
    TextBox10_ = named(new QLineEdit(QStringLiteral("10"), this), "TextBox10");
    TextBox10_->setMaximumWidth(50);
    blank->addWidget(TextBox10_);
    blank->addWidget(new QLabel(QStringLiteral("lines between  items"), this));
    blank->addStretch();
    layout->addLayout(blank);

    Check3_ = named(new QCheckBox(QStringLiteral("Use captions as titles"), this), "Check3");
    Check3_->setChecked(true);
    layout->addWidget(Check3_);
    SameWidthHTNL_ = named(
        new QCheckBox(QStringLiteral(
                          "Make all items same optimized width (Otherwise keep Excel  items size)"),
                      this),
        "SameWidthHTNL");
    SameWidthHTNL_->setChecked(true);
    layout->addWidget(SameWidthHTNL_);

    auto* width = new QHBoxLayout;
    Label2_ = named(new QLabel(QStringLiteral("Width size factor (1-100)"), this), "Label2");
    width->addWidget(Label2_);
    txtAmount_ = named(new QLineEdit(QStringLiteral("70"), this), "txtAmount");
    txtAmount_->setMaximumWidth(50);
    width->addWidget(txtAmount_);
    width->addWidget(new QLabel(QStringLiteral("of maximum size"), this));
    width->addStretch();
    layout->addLayout(width);

    // The page always goes to the fixed folder under the next free number, so there is no
    // destination to change.
    const auto buttons = images::addDialogButtons(this, layout, false);
    ContinueOk_ = buttons.confirm;

    connect(SameWidthHTNL_, &QCheckBox::clicked, this, &DialogHTML::SameWidthHTNL_Click);
    connect(txtAmount_, &QLineEdit::textChanged, this, &DialogHTML::txtAmount_Change);
    connect(TextBox10_, &QLineEdit::textChanged, this, &DialogHTML::TextBox10_Change);
    connect(buttons.cancel, &QPushButton::clicked, this, &DialogHTML::SonicClick2_Click);
    connect(ContinueOk_, &QPushButton::clicked, this, &DialogHTML::ContinueOk_Click);

    images::finishDialog(this, 480, 300);
}

void DialogHTML::Form_Load() {
    const QString folder = services_.folders.html();
    QDir().mkpath(folder);
    images::announceExport(Label1_, ContinueOk_, state_.exportCount,
                           QDir(folder).filePath(QStringLiteral("CorvaneXXX.Html")));
}

void DialogHTML::SameWidthHTNL_Click() {
    const bool on = SameWidthHTNL_->isChecked();
    Label2_->setEnabled(on);
    txtAmount_->setEnabled(on);
}

void DialogHTML::txtAmount_Change() {
    images::checkSizeFactor(services_.prompt, txtAmount_->text());
}

void DialogHTML::TextBox10_Change() {
    if (cleaning_) return;
    // Setting the text runs this handler again; the cleaned text is stable, so once is enough.
    cleaning_ = true;
    const QString cleaned = mainform::Validate_Number_Entry(TextBox10_->text());
    if (cleaned != TextBox10_->text()) TextBox10_->setText(cleaned);
    cleaning_ = false;
}

void DialogHTML::SonicClick2_Click() {
    close();
}

run::WebExportSettings DialogHTML::settings() const {
    run::WebExportSettings s;
    s.pictureWidth = images::leadingNumber(txtAmount_->text()) * 1000 / 100;
    s.blankLines = std::floor(images::leadingNumber(TextBox10_->text()));
    s.titles = Check3_->isChecked() ? 1 : 0;
    s.sameWidth = SameWidthHTNL_->isChecked() ? 1 : 0;
    s.autoUpdate = Check1_->isChecked() ? 1 : 0;
    return s;
}

void DialogHTML::ContinueOk_Click() {
    state_.web = settings();
    state_.exportCount = run::countChecked(target_.list);
    auto* progress = new chrome::ProgressWindow(2, state_.exportCount);
    progress->show();
    images::ExportRun run{services_, state_, target_.list, progress, target_.closeMainForm};
    // Hidden, not yet closed: the window must outlive the click that runs the export.
    hide();
    if (state_.web.sameWidth == 0)
        PublishWebPage(run, state_.web);
    else
        BuildWebPage(run, state_.web);
    close();
}

}  // namespace web
