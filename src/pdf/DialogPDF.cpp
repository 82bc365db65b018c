#include "pdf/DialogPDF.h"

#include <QCheckBox>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "chrome/ThemedButton.h"
#include "images/DialogParts.h"
#include "images/NumberEntry.h"
#include "pdf/PdfExport.h"

namespace pdf {

namespace {
const QChar CR(13);

using images::named;
}  // namespace

DialogPDF::DialogPDF(run::Services& services, run::RunState& state, platform::Chooser& chooser,
                     images::ExportTarget target, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint),
      services_(services),
      state_(state),
      chooser_(chooser),
      target_(std::move(target)) {
    setObjectName(QStringLiteral("DialogPDF"));
    setWindowTitle(QStringLiteral("Corvane to PDF"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto* layout = new QVBoxLayout(this);
    Label1_ = named(new QLabel(this), "Label1");
    Label1_->setWordWrap(true);
    layout->addWidget(Label1_);

    auto* size = new QHBoxLayout;
    size->addWidget(named(new QLabel(QStringLiteral("Items size factor (1-100)"), this), "Label2"));
    txtAmount_ = named(new QLineEdit(QStringLiteral("70"), this), "txtAmount");
    txtAmount_->setMaximumWidth(50);
    size->addWidget(txtAmount_);
    auto* percent = named(new QLineEdit(QStringLiteral("%"), this), "Text1");
    percent->setReadOnly(true);
    percent->setMaximumWidth(24);
    size->addWidget(percent);
    size->addWidget(new QLabel(QStringLiteral("of maximum size"), this));
    size->addStretch();
    layout->addLayout(size);

    CoverT_ = named(new QCheckBox(QStringLiteral("Include cover page"), this), "CoverT");
    layout->addWidget(CoverT_);
    auto* cover = new QHBoxLayout;
    cover->addWidget(named(new QLabel(QStringLiteral("Cover page text"), this), "Label3"));
    CoverText_ = named(new QLineEdit(this), "CoverText");
    CoverText_->setEnabled(false);
    cover->addWidget(CoverText_);
    layout->addLayout(cover);

    Check3_ = named(new QCheckBox(QStringLiteral("Use captions as page titles"), this), "Check3");
    Check3_->setChecked(true);
    Check2_ = named(new QCheckBox(QStringLiteral("Open PDF file when done"), this), "Check2");
    Check2_->setChecked(true);
    Check1_ =
        named(new QCheckBox(
                  QStringLiteral("Include path, name and sheet at the bottom of each page"), this),
              "Check1");
    layout->addWidget(Check3_);
    layout->addWidget(Check2_);
    layout->addWidget(Check1_);

    const auto buttons = images::addDialogButtons(this, layout, true);
    ContinueOk_ = buttons.confirm;

    connect(CoverT_, &QCheckBox::clicked, this, &DialogPDF::CoverT_Click);
    connect(txtAmount_, &QLineEdit::textChanged, this, &DialogPDF::txtAmount_Change);
    connect(buttons.change, &QPushButton::clicked, this, &DialogPDF::SonicClick3_Click);
    connect(buttons.cancel, &QPushButton::clicked, this, &DialogPDF::SonicClick2_Click);
    connect(ContinueOk_, &QPushButton::clicked, this, &DialogPDF::ContinueOk_Click);

    images::finishDialog(this, 460, 320);
}

void DialogPDF::Form_Load() {
    const QString folder = services_.folders.pdf();
    QDir().mkpath(folder);
    images::announceExport(Label1_, ContinueOk_, state_.exportCount,
                           QDir(folder).filePath(QStringLiteral("CorvaneXXX.pdf")));
}

void DialogPDF::CoverT_Click() {
    cover_ = CoverT_->isChecked();
    CoverText_->setEnabled(cover_);
}

void DialogPDF::txtAmount_Change() {
    images::checkSizeFactor(services_.prompt, txtAmount_->text());
}

void DialogPDF::SonicClick3_Click() {
    const QString file =
        chooser_.chooseSaveFile(QStringLiteral("Save the PDF file as"), services_.folders.pdf(),
                                QStringLiteral("pdf (*.pdf)"));
    if (file.isEmpty()) return;
    chosenFile_ = file;
    Label1_->setText(QString::number(state_.exportCount) +
                     QStringLiteral(" object(s) will be inserted in") + CR + CR + file);
}

void DialogPDF::SonicClick2_Click() {
    close();
}

run::PdfExportSettings DialogPDF::settings() const {
    run::PdfExportSettings s;
    s.sizeFactor = images::leadingNumber(txtAmount_->text());
    s.cover = cover_;
    s.coverText = CoverText_->text();
    s.captions = Check3_->isChecked();
    s.open = Check2_->isChecked();
    s.source = Check1_->isChecked();
    s.chosenFile = chosenFile_;
    return s;
}

void DialogPDF::ContinueOk_Click() {
    state_.pdf = settings();
    auto* progress = new chrome::ProgressWindow(3, state_.exportCount);
    progress->show();
    images::ExportRun run{services_, state_, target_.list, progress, target_.closeMainForm};
    // Hidden, not yet closed: the window must outlive the click that runs the export.
    hide();
    YesPaste6PDF(run, state_.pdf);
    close();
}

}  // namespace pdf
