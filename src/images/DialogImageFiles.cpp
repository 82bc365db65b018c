#include "images/DialogImageFiles.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "chrome/ThemedButton.h"
#include "images/DialogParts.h"
#include "images/PasteToImagesFiles.h"

namespace images {

namespace {

const QChar CR(13);

void setBold(QWidget* w, bool bold) {
    QFont f = w->font();
    f.setBold(bold);
    w->setFont(f);
}

}  // namespace

std::optional<QString> FolderBrowser(platform::Chooser& chooser, const QString& start) {
    const QString path = chooser.chooseFolder(QStringLiteral("Please choose a folder"), start);
    if (path.isEmpty() || !QFileInfo(path).isDir()) return std::nullopt;
    return QFileInfo(path).absoluteFilePath();
}

DialogImageFiles::DialogImageFiles(run::Services& services, run::RunState& state,
                                   platform::Chooser& chooser, ExportTarget target, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint),
      services_(services),
      state_(state),
      chooser_(chooser),
      target_(std::move(target)) {
    setObjectName(QStringLiteral("DialogImageFiles"));
    setWindowTitle(QStringLiteral("Corvane to Files"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto* layout = new QVBoxLayout(this);
    Label1_ = new QLabel(this);
    Label1_->setObjectName(QStringLiteral("Label1"));
    Label1_->setWordWrap(true);
    layout->addWidget(Label1_);

    auto* groups = new QHBoxLayout;
    auto* exportAs = new QGroupBox(QStringLiteral("Export as"), this);
    exportAs->setObjectName(QStringLiteral("ExportAs"));
    auto* formatsLayout = new QVBoxLayout(exportAs);
    const char* names[5] = {"Png", "Gif", "Jpeg", "Bmp", "Tiff"};
    for (int i = 0; i < 5; ++i) {
        formats_[i] = new QRadioButton(QLatin1String(names[i]), exportAs);
        formats_[i]->setObjectName(QLatin1String(names[i]));
        formatsLayout->addWidget(formats_[i]);
    }
    formats_[0]->setChecked(true);
    auto* fileNames = new QGroupBox(QStringLiteral("Files names"), this);
    fileNames->setObjectName(QStringLiteral("FilesNames"));
    auto* namesLayout = new QVBoxLayout(fileNames);
    Option3_ = new QRadioButton(QStringLiteral("Name+Sheet"), fileNames);
    Option3_->setObjectName(QStringLiteral("Option3"));
    Option3_->setChecked(true);
    Option4_ = new QRadioButton(QStringLiteral("Numerator"), fileNames);
    Option4_->setObjectName(QStringLiteral("Option4"));
    namesLayout->addWidget(Option3_);
    namesLayout->addWidget(Option4_);
    namesLayout->addStretch();
    groups->addWidget(exportAs);
    groups->addWidget(fileNames);
    layout->addLayout(groups);

    Check2_ = new QCheckBox(QStringLiteral("Open folder when done"), this);
    Check2_->setObjectName(QStringLiteral("Check2"));
    Check2_->setChecked(true);
    layout->addWidget(Check2_);

    const auto buttons = addDialogButtons(this, layout, true);
    ContinueOk_ = buttons.confirm;

    connect(Option3_, &QRadioButton::clicked, this, &DialogImageFiles::Option3_Click);
    connect(Option4_, &QRadioButton::clicked, this, &DialogImageFiles::Option4_Click);
    connect(buttons.change, &QPushButton::clicked, this, &DialogImageFiles::SonicClick3_Click);
    connect(buttons.cancel, &QPushButton::clicked, this, &DialogImageFiles::SonicClick2_Click);
    connect(ContinueOk_, &QPushButton::clicked, this, &DialogImageFiles::ContinueOk_Click);

    finishDialog(this, 420, 300);
}

void DialogImageFiles::Form_Load() {
    announceExport(
        Label1_, ContinueOk_, state_.exportCount,
        state_.imageExportFolder.isEmpty() ? services_.folders.images() : state_.imageExportFolder);
    setBold(Option3_, true);
    setBold(Option4_, false);
}

void DialogImageFiles::Option3_Click() {
    setBold(Option3_, true);
    setBold(Option4_, false);
}

void DialogImageFiles::Option4_Click() {
    setBold(Option4_, true);
    setBold(Option3_, false);
}

void DialogImageFiles::SonicClick3_Click() {
    const auto folder = FolderBrowser(chooser_);
    if (folder) state_.imageExportFolder = *folder;
    Label1_->setText(QString::number(state_.exportCount) +
                     QStringLiteral(" image files will be saved to ") + CR + CR +
                     (folder ? *folder : QStringLiteral("False")));
}

void DialogImageFiles::SonicClick2_Click() {
    close();
}

ImageFilesOptions DialogImageFiles::options() const {
    ImageFilesOptions o;
    for (int i = 0; i < 5; ++i)
        if (formats_[i]->isChecked()) o.format = static_cast<imaging::Format>(i);
    o.nameAndSheet = Option3_->isChecked();
    o.openFolder = Check2_->isChecked();
    return o;
}

void DialogImageFiles::ContinueOk_Click() {
    const ImageFilesOptions o = options();
    auto* progress = new chrome::ProgressWindow(4, state_.exportCount);
    progress->show();
    ExportRun run{services_, state_, target_.list, progress, target_.closeMainForm};
    // Hidden, not yet closed: the window must outlive the click that runs the export.
    hide();
    ExportCheckedItemsToImageFiles(run, o);
    close();
}

}  // namespace images
