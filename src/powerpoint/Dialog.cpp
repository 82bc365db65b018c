#include "powerpoint/Dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QToolButton>
#include <QVBoxLayout>

#include "chrome/DropShadow.h"
#include "chrome/ProgressWindow.h"
#include "chrome/ThemedButton.h"
#include "chrome/TitleBar.h"
#include "chrome/Twips.h"
#include "layout/LayoutForm.h"
#include "office/Error.h"
#include "powerpoint/Objects.h"
#include "powerpoint/PictureStyles.h"
#include "powerpoint/SelectionExport.h"

namespace powerpoint {

using office::ignoreErrors;

namespace {

constexpr int MaxLabelWidth = 7692;
const QString HostMacro = QStringLiteral("0CorvaneHost.xlam!OpenExistingPPtfile");
const QString NothingSelected = QStringLiteral("No objects were selected for pasting");
const QString SlideNumberTooHigh = QStringLiteral(
    "At least one Slide Number in the list is greater\rthan the number of slides in the "
    "PowerPoint file.\rExport can't take place ");

QPixmap buttonPicture(const QColor& color, const QString& text) {
    QPixmap p(110, 34);
    p.fill(Qt::transparent);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setBrush(color);
    g.setPen(Qt::NoPen);
    g.drawRoundedRect(p.rect().adjusted(1, 1, -1, -1), 8, 8);
    g.setPen(Qt::white);
    g.drawText(p.rect(), Qt::AlignCenter, text);
    return p;
}

QAbstractButton* pictureButton(QWidget* parent, const char* name, const QPixmap& picture) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setIcon(picture);
    b->setIconSize(picture.size());
    b->setAutoRaise(true);
    return b;
}

}  // namespace

QString Dialog::formatPhrase(int pasteFormat) {
    switch (pasteFormat) {
        case 0:
            return QStringLiteral("Pictures");
        case 1:
            return QStringLiteral("editable within PowerPoint");
        case 2:
            return QStringLiteral("Excel embedded");
        case 3:
            return QStringLiteral(" embedded linked objects");
    }
    return {};
}

Dialog::Dialog(run::Services& services, run::RunState& state, MainFormLink form, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint),
      services_(services),
      state_(state),
      form_(std::move(form)) {
    setObjectName(QStringLiteral("Dialog"));
    setWindowTitle(QStringLiteral("Corvane 4.5"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);

    Label1_ = new QLabel(this);
    Label1_->setObjectName(QStringLiteral("Label1"));
    Label1_->setWordWrap(true);
    Label1_->setMinimumHeight(80);
    layout->addWidget(Label1_);

    auto* fileRow = new QHBoxLayout;
    Label7_ = new QLabel(QStringLiteral("Active PowerPoint file:"), this);
    Label7_->setObjectName(QStringLiteral("Label7"));
    Text2_ = new QLineEdit(QStringLiteral("-none-"), this);
    Text2_->setObjectName(QStringLiteral("Text2"));
    Text2_->setReadOnly(true);
    fileRow->addWidget(Label7_);
    fileRow->addWidget(Text2_, 1);
    layout->addLayout(fileRow);

    auto* create =
        new chrome::ThemedButton(QStringLiteral("Create a new presentation to export to \r"), this);
    create->setObjectName(QStringLiteral("CreateBlankPPT"));
    CreateBlankPPT_ = create;
    auto* open = new chrome::ThemedButton(
        QStringLiteral("Open an existing presentation to export to"), this);
    open->setObjectName(QStringLiteral("ThemedButton1"));
    ThemedButton1_ = open;
    layout->addWidget(CreateBlankPPT_);
    layout->addWidget(ThemedButton1_);

    auto* tools = new QHBoxLayout;
    Styles_ = pictureButton(this, "Styles",
                            buttonPicture(QColor(90, 120, 170), QStringLiteral("Styles")));
    Styles_->setToolTip(QStringLiteral("Picture styles"));
    auto* position = new chrome::ThemedButton(QStringLiteral("Layout on slide\r"), this);
    position->setObjectName(QStringLiteral("PositionSlide"));
    position->setToolTip(QStringLiteral("Position/Resize on slide"));
    PositionSlide_ = position;
    tools->addWidget(Styles_);
    tools->addWidget(PositionSlide_);
    tools->addStretch();
    layout->addLayout(tools);

    SlideTitle_ = new QCheckBox(QStringLiteral("Use captions as slide title "), this);
    SlideTitle_->setObjectName(QStringLiteral("SlideTitle"));
    SourceInc_ = new QCheckBox(
        QStringLiteral("Include source file sheet at the bottom of each slide"), this);
    SourceInc_->setObjectName(QStringLiteral("SourceInc"));
    CheckShadow_ = new QCheckBox(QStringLiteral("Add shadow to pasted items"), this);
    CheckShadow_->setObjectName(QStringLiteral("CheckShadow"));
    layout->addWidget(SlideTitle_);
    layout->addWidget(SourceInc_);
    layout->addWidget(CheckShadow_);

    auto* buttons = new QHBoxLayout;
    ContinueOk_ = pictureButton(this, "ContinueOk",
                                buttonPicture(QColor(40, 140, 70), QStringLiteral("Export")));
    ContinueOk_->setToolTip(QStringLiteral("Export"));
    auto* cancel = new chrome::ThemedButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("SonicClick2"));
    SonicClick2_ = cancel;
    buttons->addStretch();
    buttons->addWidget(ContinueOk_);
    buttons->addWidget(SonicClick2_);
    layout->addLayout(buttons);

    Timer1_.setObjectName(QStringLiteral("Timer1"));
    Timer2_.setObjectName(QStringLiteral("Timer2"));
    Timer1_.setInterval(5);
    Timer2_.setInterval(5);
    connect(&Timer1_, &QTimer::timeout, this, &Dialog::Timer1_Timer);
    connect(&Timer2_, &QTimer::timeout, this, &Dialog::Timer2_Timer);
    connect(ContinueOk_, &QAbstractButton::clicked, this, &Dialog::ContinueOk_Click);
    connect(CreateBlankPPT_, &QAbstractButton::clicked, this, &Dialog::CreateBlankPPT_Click);
    connect(ThemedButton1_, &QAbstractButton::clicked, this, &Dialog::ThemedButton1_Click);
    connect(Styles_, &QAbstractButton::clicked, this, &Dialog::Styles_Click);
    connect(PositionSlide_, &QAbstractButton::clicked, this, &Dialog::PositionSlide_Click);
    connect(SonicClick2_, &QAbstractButton::clicked, this, &Dialog::SonicClick2_Click);

    resize(chrome::twips(MaxLabelWidth) + 40, 420);
    chrome::installTitleBar(this, QStringLiteral("Corvane"), chrome::TitleBar::Close);
}

QString Dialog::summary(const QString& presentationName) const {
    return QStringLiteral("%1 object(s) will be pasted to \r%2\ras %3\r\r")
        .arg(state_.exportCount)
        .arg(presentationName, formatPhrase(state_.pasteFormat));
}

void Dialog::setStatus(const QString& text, bool red) {
    status_ = text;
    // The label breaks its lines at line feeds.
    Label1_->setText(QString(text).replace(QLatin1Char('\r'), QLatin1Char('\n')));
    QPalette p = Label1_->palette();
    p.setColor(QPalette::WindowText, red ? QColor(255, 0, 0) : QColor(0, 0, 0));
    Label1_->setPalette(p);
}

void Dialog::setLabel1Width(int twips) {
    label1Width_ = twips;
    Label1_->setFixedWidth(chrome::twips(twips));
}

bool Dialog::timerEnabled(int index) const {
    return index == 1 ? Timer1_.isActive() : Timer2_.isActive();
}

void Dialog::Form_Load() {
    auto& ctx = state_.office;
    if (ctx.excel) ignoreErrors([&] { ctx.workbook = ctx.excel->activeWorkbook(); });
    const bool predefined = form_.predefinedSlides();
    if (predefined) SlideTitle_->setEnabled(false);
    Styles_->setVisible(state_.pasteFormat == 0);
    CheckShadow_->setVisible(state_.pasteFormat != 0);
    chrome::applyDropShadow(this);
    Timer1_.start();
    Timer2_.stop();

    // Asked afresh: PowerPoint may have started after the program.
    std::shared_ptr<office::PowerPoint> pp;
    int windows = 0;
    ignoreErrors([&] {
        pp = services_.host.attachPowerPoint();
        windows = pp->windowCount();
    });
    if (!IsPowerPointRunning(services_) || windows == 0) {
        setStatus(NoPowerPointText, true);
        return;
    }
    if (state_.exportCount < 1) {
        ContinueOk_->hide();
        setStatus(NothingSelected, false);
    } else {
        QString name;
        ignoreErrors([&] {
            name = (ctx.presentation ? *ctx.presentation : activePresentation(*pp)).name();
        });
        setStatus(summary(name), false);
    }
    if (predefined) {
        CreateBlankPPT_->hide();
        if (!state_.slideNumberWarning.isEmpty()) {
            setStatus(state_.slideNumberWarning, true);
            ContinueOk_->setEnabled(false);
        }
    }
}

void Dialog::ContinueOk_Click() {
    Timer1_.start();
    Timer2_.stop();
    bool ready = false;
    ignoreErrors(
        [&] { ready = IsPowerPointRunning(services_) && HasOpenPresentation(services_, state_); });
    if (!ready) {
        setStatus(NoPowerPointText, true);
        return;
    }
    const SlideExportOptions options{SlideTitle_->isChecked(), SourceInc_->isChecked(),
                                     CheckShadow_->isChecked()};
    auto* progress = new chrome::ProgressWindow(0, state_.exportCount);
    progress->setAttribute(Qt::WA_DeleteOnClose);
    progress->show();
    ignoreErrors([&] {
        state_.office.presentation = services_.host.attachPowerPoint()->activePresentation();
    });
    // Gone from the screen before the export starts; closed (and deleted) once it has returned,
    // so that nothing the export runs deletes the dialog under its own click.
    QPointer<Dialog> self(this);
    MainFormLink form = form_;
    auto& services = services_;
    auto& state = state_;
    hide();
    ExportCheckedItemsToSlides(services, state, form, options, progress);
    if (self) self->close();
}

void Dialog::CreateBlankPPT_Click() {
    std::shared_ptr<office::PowerPoint> pp;
    try {
        pp = services_.host.attachPowerPoint();
        auto presentation = pp->addPresentation();
        presentation->addSlide(1, office::ppLayoutTitle);
    } catch (const office::Error&) {
        // This program never starts PowerPoint itself.
        setStatus(NoPowerPointText, true);
        return;
    }
    setLabel1Width(100);
    Timer1_.start();
    QString name;
    ignoreErrors([&] { name = activePresentation(*pp).name(); });
    setStatus(summary(name), false);
    form_.setActiveFile(name);
    Text2_->setText(name + QLatin1Char(' '));
}

void Dialog::ThemedButton1_Click() {
    auto& ctx = state_.office;
    ignoreErrors([&] { setStatus({}, false); });
    ignoreErrors([&] { showMinimized(); });
    ignoreErrors([&] { form_.minimise(); });
    ignoreErrors([&] { must(ctx.excel).run(HostMacro); });
    ignoreErrors([&] { form_.restore(); });
    ignoreErrors([&] { showNormal(); });
    setLabel1Width(10);
    Timer2_.start();
    ignoreErrors([&] { ctx.powerPoint = services_.host.attachPowerPoint(); });
    try {
        if (!ctx.powerPoint)
            throw office::Error(91,
                                QStringLiteral("Object variable or With block variable not set"));
        auto active = ctx.powerPoint->activePresentation();
        if (!active)
            throw office::Error(office::errors::ObjectRequired, QStringLiteral("Object required"));
        if (form_.predefinedSlides() && form_.list) {
            const int slides = active->slideCount();
            state_.exportCount = 0;
            for (int i = 0; i < form_.list->rowCount(); ++i) {
                const auto row = form_.list->row(i);
                if (!row.checked || row.slide().isEmpty()) continue;
                ++state_.exportCount;
                int number = 0;
                ignoreErrors([&] { number = SlideNumber(row.slide()); });
                if (number > slides) state_.slideNumberWarning = SlideNumberTooHigh;
            }
        }
        const QString name = active->name();
        form_.setActiveFile(name);
        // The confirm button follows what this presentation allows.
        if (state_.slideNumberWarning.isEmpty()) {
            setStatus(summary(name), false);
            ContinueOk_->setEnabled(true);
            ContinueOk_->setVisible(state_.exportCount >= 1);
            if (state_.exportCount < 1) setStatus(NothingSelected, false);
        } else {
            setStatus(state_.slideNumberWarning, true);
            ContinueOk_->setEnabled(false);
            state_.slideNumberWarning.clear();
        }
        Text2_->setText(name);
        Timer1_.stop();
    } catch (const std::exception&) {
        close();
        ignoreErrors([&] { form_.restore(); });
    }
}

void Dialog::Styles_Click() {
    auto* styles = new PredefinedStyles(state_);
    styles->Form_Load();
    styles->show();
}

void Dialog::PositionSlide_Click() {
    layout::showLayoutForm(services_, state_);
}

void Dialog::SonicClick2_Click() {
    close();
}

void Dialog::widen(QTimer& timer) {
    int width = label1Width_ + 150;
    if (width > MaxLabelWidth) {
        width = MaxLabelWidth;
        timer.stop();
    }
    setLabel1Width(width);
}

void Dialog::Timer1_Timer() {
    widen(Timer1_);
}

void Dialog::Timer2_Timer() {
    widen(Timer2_);
}

Dialog* openDialog(run::Services& services, run::RunState& state, MainFormLink form) {
    closeWindows();
    auto* dialog = new Dialog(services, state, std::move(form));
    dialog->Form_Load();
    dialog->show();
    return dialog;
}

void closeWindows() {
    static const QStringList names = {"Dialog", "PredefinedStyles", "LayoutForm"};
    for (QWidget* w : QApplication::topLevelWidgets())
        if (names.contains(w->objectName()) && w->isVisible()) w->close();
}

}  // namespace powerpoint
