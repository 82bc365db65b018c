#include "mainform/UserformObj.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QRadioButton>
#include <QSvgRenderer>
#include <QVBoxLayout>

#include "chrome/DropShadow.h"
#include "chrome/HelpWindow.h"
#include "chrome/SwitchKnob.h"
#include "chrome/ThemedButton.h"
#include "chrome/TitleBar.h"
#include "chrome/Twips.h"
#include "inventory/Items.h"
#include "mainform/Exports.h"
#include "mainform/HelpTexts.h"
#include "mainform/ListCharts.h"
#include "mainform/SortKeys.h"
#include "office/Clipboard.h"
#include "office/Error.h"

namespace mainform {

namespace {

using chrome::twips;

const QString MultipleRange = QStringLiteral("You can't check a multiple range");
const QString MultipleSelection =
    QStringLiteral("Corvane does not support multiple selection. This item could not be pasted");
const QString PleaseContinue = QStringLiteral("Please continue");
const QString ItemGone = QStringLiteral("This item could not be found in the workbook any more.");
const QString NoPowerPoint = QStringLiteral(
    "No open PowerPoint found. \r Please open an existing presentation or create a new one");
const QString PredefinedWarning = QStringLiteral(
    "At least one Slide Number in the list is greater\rthan the number of slides in the PowerPoint "
    "file.\r"
    "Export can't take place ");

constexpr int PreviewLimit = 4296, PreviewStep = 150, PreviewAfterClick = 336;
constexpr int CaptionPanelLimit = 3615, PanelStep = 150;
constexpr int SlidePanelLimit = 3135, SlideColumnStep = 15;
constexpr int IconLimit = 612, IconStep = 20;
constexpr int PanelHeight = 900;  // twips

const QColor SwitchColors[5] = {QColor(0, 0, 255), QColor(255, 255, 255), QColor(0, 255, 0),
                                QColor(255, 0, 0), QColor(255, 255, 0)};
const char* SwitchLabels[5] = {"Ppt", "Word", "Html", "Pdf", "Image"};

using office::ignoreErrors;

// A tri-state box whose clicks only check or clear it; grey is set by the program alone.
class SelectAllBox : public QCheckBox {
  public:
    using QCheckBox::QCheckBox;

  protected:
    void nextCheckState() override {
        setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    }
};

class ClickableLabel : public QLabel {
  public:
    using QLabel::QLabel;
    std::function<void()> onClick, onDoubleClick;

  protected:
    void mousePressEvent(QMouseEvent* e) override {
        if (onClick && e->button() == Qt::LeftButton) onClick();
        QLabel::mousePressEvent(e);
    }
    void mouseDoubleClickEvent(QMouseEvent* e) override {
        if (onDoubleClick) onDoubleClick();
        QLabel::mouseDoubleClickEvent(e);
    }
};

QPixmap toPixmap(const office::Picture& picture) {
    if (!picture.bitmap.isNull()) return QPixmap::fromImage(picture.bitmap);
    QSvgRenderer svg(picture.svg);
    if (!svg.isValid()) return {};
    QSize size = svg.defaultSize();
    if (size.isEmpty()) size = QSize(480, 320);
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter p(&image);
    svg.render(&p);
    return QPixmap::fromImage(image);
}

// ClipboardToPicture: 2 asks for the bitmap, any other format for the vector picture.
QPixmap ClipboardToPicture(office::Clipboard& clipboard, int excelFormat) {
    const auto format =
        excelFormat == 2 ? office::Clipboard::Format::Bitmap : office::Clipboard::Format::Metafile;
    if (!clipboard.hasFormat(format)) return {};
    auto picture = clipboard.picture(format);
    return picture ? toPixmap(*picture) : QPixmap();
}

QLabel* helpIcon(QWidget* parent, int index) {
    auto* l = new ClickableLabel(QStringLiteral("?"), parent);
    l->setObjectName(QStringLiteral("HelpMe_%1").arg(index));
    l->setAlignment(Qt::AlignCenter);
    l->setFixedSize(16, 16);
    l->setCursor(Qt::PointingHandCursor);
    l->setStyleSheet(QStringLiteral(
        "QLabel { background: #2f6fb5; color: white; border-radius: 8px; font-weight: bold; }"));
    return l;
}

}  // namespace

// The list side of the fill: rows arrive one by one and are put into the list together.
class UserformObj::Fill : public statesheet::ListSink {
  public:
    explicit Fill(UserformObj& form) : form_(form) {}
    void addRow(const statesheet::StoredRow& row) override { rows_.push_back(row); }
    int checkedCount() const override {
        flush();
        return run::countChecked(*form_.listCharts_);
    }
    void setSelectAll(int state) override {
        flush();
        form_.setSelectAllSilently(state);
    }
    void showPreview() override {
        flush();
        form_.listChartsShowPreview();
    }

  private:
    void flush() const {
        if (flushed_) return;
        flushed_ = true;
        auto* list = form_.listCharts_;
        list->addStoredRows(rows_);
        // The first row filled is the selected one, wherever later rows pushed it.
        if (list->rowCount() > 0) {
            list->selectRow(list->rowCount() - 1);
            form_.SlideTitle_->setText(list->cell(list->selectedRow(), column::Caption));
        }
    }
    UserformObj& form_;
    std::vector<statesheet::StoredRow> rows_;
    mutable bool flushed_ = false;
};

UserformObj::UserformObj(run::Services& services, run::RunState& state, Exports& exports,
                         statesheet::LoadProgress& progress, std::function<void()> closeSplash,
                         QWidget* parent)
    : QWidget(parent),
      services_(services),
      state_(state),
      exports_(exports),
      progress_(progress),
      closeSplash_(std::move(closeSplash)) {
    setObjectName(QStringLiteral("UserformObj"));
    setWindowTitle(QStringLiteral("Corvane 4.5"));
    setAttribute(Qt::WA_DeleteOnClose);
    const int intervals[6] = {0, 5, 1, 5, 5, 5};
    for (int i = 1; i <= 5; ++i) {
        timers_[i].setInterval(intervals[i]);
        connect(&timers_[i], &QTimer::timeout, this, [this, i] { Timer1_Timer(i); });
    }
    build();
}

UserformObj::~UserformObj() = default;

void UserformObj::build() {
    auto* root = new QVBoxLayout(this);
    auto* body = new QHBoxLayout;
    root->addLayout(body);

    // Left: the list and what belongs to it.
    auto* left = new QVBoxLayout;
    auto* countLine = new QHBoxLayout;
    auto* detected = new QLabel(QStringLiteral("Corvane has detected "), this);
    NbCharts_ = new QLabel(this);
    NbCharts_->setObjectName(QStringLiteral("NbCharts"));
    auto* detected2 =
        new QLabel(QStringLiteral("charts/named tables in the active workbook"), this);
    countLine->addWidget(detected);
    countLine->addWidget(NbCharts_);
    countLine->addWidget(detected2);
    countLine->addStretch();
    left->addLayout(countLine);

    listCharts_ = new ListCharts(this);
    listCharts_->setMinimumSize(480, 280);
    left->addWidget(listCharts_, 1);

    auto* listLine = new QHBoxLayout;
    Check1_ = new SelectAllBox(QStringLiteral("Select/Deselect all"), this);
    Check1_->setObjectName(QStringLiteral("Check1"));
    NbChecked_ = new QLabel(this);
    NbChecked_->setObjectName(QStringLiteral("NbChecked"));
    auto* up = new chrome::ThemedButton(QStringLiteral("\u25B2"), this);
    up->setObjectName(QStringLiteral("Up"));
    up->setToolTip(QStringLiteral("Move up"));
    auto* down = new chrome::ThemedButton(QStringLiteral("\u25BC"), this);
    down->setObjectName(QStringLiteral("Down"));
    down->setToolTip(QStringLiteral("Move down"));
    listLine->addWidget(Check1_);
    listLine->addWidget(NbChecked_);
    listLine->addStretch();
    listLine->addWidget(up);
    listLine->addWidget(down);
    left->addLayout(listLine);

    // Caption panel and slide-number panel under the list.
    auto* panels = new QHBoxLayout;
    TitlesFrame_ =
        new QGroupBox(QStringLiteral(" Add/Edit caption to selected item in the list"), this);
    TitlesFrame_->setObjectName(QStringLiteral("TitlesFrame"));
    auto* tf = new QHBoxLayout(TitlesFrame_);
    SlideTitle_ = new QLineEdit(TitlesFrame_);
    SlideTitle_->setObjectName(QStringLiteral("SlideTitle"));
    tf->addWidget(SlideTitle_);
    tf->addWidget(HelpMe_[0] = helpIcon(TitlesFrame_, 0));
    SlideNb_ = new QGroupBox(QStringLiteral("Slide number"), this);
    SlideNb_->setObjectName(QStringLiteral("SlideNb"));
    SlideNb_->setStyleSheet(QStringLiteral("QGroupBox#SlideNb { background: #dbe8ff; }"));
    auto* sn = new QVBoxLayout(SlideNb_);
    sn->addWidget(
        new QLabel(QStringLiteral("Enter slide number for selected item in the list"), SlideNb_));
    TextBox10_ = new QLineEdit(SlideNb_);
    TextBox10_->setObjectName(QStringLiteral("TextBox10"));
    sn->addWidget(TextBox10_);
    panels->addWidget(TitlesFrame_);
    panels->addWidget(SlideNb_);
    panels->addStretch();
    left->addLayout(panels);
    auto* captionLine = new QHBoxLayout;
    auto* addCaption = new chrome::ThemedButton(QStringLiteral("Captions"), this);
    addCaption->setObjectName(QStringLiteral("AddCaption"));
    addCaption->setToolTip(QStringLiteral("Add captions to the items in the list"));
    Titles_ = new QCheckBox(QStringLiteral("Add/Edit captions to items in the list"), this);
    Titles_->setObjectName(QStringLiteral("Titles"));
    captionLine->addWidget(addCaption);
    captionLine->addWidget(Titles_);
    captionLine->addStretch();
    left->addLayout(captionLine);
    body->addLayout(left, 3);

    // Middle: the preview.
    auto* middle = new QVBoxLayout;
    middle->addWidget(new QLabel(QStringLiteral("Preview"), this));
    auto* img = new ClickableLabel(this);
    img->setObjectName(QStringLiteral("imgChart"));
    img->setScaledContents(true);
    img->setFrameShape(QFrame::Box);
    img->onDoubleClick = [this] { imgChart_DblClick(); };
    imgChart_ = img;
    middle->addWidget(imgChart_);
    auto* express = new ClickableLabel(
        QStringLiteral("*DoubleClick above to paste the displayed item only"), this);
    express->setObjectName(QStringLiteral("PasteExpress"));
    express->onClick = [this] { PasteExpressDisplayed(); };
    PasteExpress_ = express;
    middle->addWidget(PasteExpress_);
    middle->addStretch();
    auto* wbLabel = new QLabel(QStringLiteral("Active Excel file:"), this);
    Text1_ = new QLineEdit(this);
    Text1_->setObjectName(QStringLiteral("Text1"));
    Text1_->setReadOnly(true);
    Label7_ = new QLabel(QStringLiteral("Active destination file:"), this);
    Label7_->setObjectName(QStringLiteral("Label7"));
    Text2_ = new QLineEdit(this);
    Text2_->setObjectName(QStringLiteral("Text2"));
    Text2_->setReadOnly(true);
    for (QWidget* w : {static_cast<QWidget*>(wbLabel), static_cast<QWidget*>(Text1_),
                       static_cast<QWidget*>(Label7_), static_cast<QWidget*>(Text2_)})
        middle->addWidget(w);
    body->addLayout(middle, 2);

    // Right: destination, format, mode, launch.
    auto* right = new QVBoxLayout;
    auto* destGroup = new QGroupBox(QStringLiteral("  1. Select destination"), this);
    auto* dg = new QHBoxLayout(destGroup);
    knob_ = new chrome::SwitchKnob(destGroup);
    knob_->setObjectName(QStringLiteral("SwitchKnob4"));
    dg->addWidget(knob_);
    auto* icons = new QVBoxLayout;
    for (int i = 0; i < 5; ++i) {
        Image1_[i] = new QLabel(QString::fromLatin1(SwitchLabels[i]), destGroup);
        Image1_[i]->setObjectName(QStringLiteral("Image1_%1").arg(i + 1));
        Image1_[i]->setAlignment(Qt::AlignCenter);
        Image1_[i]->setStyleSheet(
            QStringLiteral("QLabel { background: %1; border: 1px solid #555; font-weight: bold; }")
                .arg(SwitchColors[i].name()));
        icons->addWidget(Image1_[i]);
    }
    dg->addLayout(icons);
    right->addWidget(destGroup);

    auto* formatGroup = new QGroupBox(QStringLiteral("  2. Export checked items as"), this);
    auto* fg = new QVBoxLayout(formatGroup);
    const char* formatCaptions[4] = {"Picture ", "Edtable objects", "Excel embedded",
                                     "Linked Excel object "};
    const char* formatTips[4] = {
        "Charts and tables are copied as not editable enhanced pictures",
        "Charts and table are copied as Excel editable objects ",
        "Charts and table are copied as Excel editable objects ",
        "Copied charts and tables are editable and automatically updated if Excel source "
        "changes"};
    for (int i = 0; i < 4; ++i) {
        OptionFormat_[i] = new QRadioButton(QString::fromLatin1(formatCaptions[i]), formatGroup);
        OptionFormat_[i]->setObjectName(QStringLiteral("OptionFormat_%1").arg(i));
        OptionFormat_[i]->setToolTip(QString::fromLatin1(formatTips[i]));
        fg->addWidget(OptionFormat_[i]);
        connect(OptionFormat_[i], &QRadioButton::clicked, this,
                [this, i] { OptionFormat_Click(i); });
    }
    fg->addWidget(HelpMe_[4] = helpIcon(formatGroup, 4));
    OptionFormat_[0]->setChecked(true);
    right->addWidget(formatGroup);

    modeGroup_ = new QGroupBox(QStringLiteral("  3. Mode"), this);
    modeGroup_->setObjectName(QStringLiteral("ModeGroup"));
    auto* mg = new QVBoxLayout(modeGroup_);
    OptionNewSlides_ =
        new QRadioButton(QStringLiteral("Export to new created  slides "), modeGroup_);
    OptionNewSlides_->setObjectName(QStringLiteral("OptionNewSlides"));
    OptionNewSlides_->setToolTip(
        QStringLiteral("Objects will be copied to automatically new added slides at the end of the "
                       "active PowerPoint file"));
    OptionPredefSlides_ =
        new QRadioButton(QStringLiteral("Export to predefined slides "), modeGroup_);
    OptionPredefSlides_->setObjectName(QStringLiteral("OptionPredefSlides"));
    OptionPredefSlides_->setToolTip(
        QStringLiteral("Objects will be copied to predefined slides according to the \"slide "
                       "number\" in the list above"));
    OptionNewSlides_->setChecked(true);
    mg->addWidget(OptionNewSlides_);
    mg->addWidget(OptionPredefSlides_);
    mg->addWidget(HelpMe_[2] = helpIcon(modeGroup_, 2));
    right->addWidget(modeGroup_);

    auto* layoutLine = new QHBoxLayout;
    auto* position = new chrome::ThemedButton(QStringLiteral("Layout on slide"), this);
    position->setObjectName(QStringLiteral("PositionSlide"));
    PositionSlide_ = position;
    layoutLine->addWidget(position);
    layoutLine->addWidget(HelpMe_[1] = helpIcon(this, 1));
    right->addLayout(layoutLine);

    auto* paste = new chrome::ThemedButton(QStringLiteral("Continue"), this);
    paste->setObjectName(QStringLiteral("PasteIT"));
    paste->setToolTip(QStringLiteral("A dialog form will be displayed for further customisation"));
    right->addWidget(paste);
    right->addStretch();
    Gif89a2_ = new QLabel(QStringLiteral("Saving your choices..."), this);
    Gif89a2_->setObjectName(QStringLiteral("Gif89a2"));
    Gif89a2_->hide();
    right->addWidget(Gif89a2_);
    auto* close = new chrome::ThemedButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("ThemedButton1"));
    right->addWidget(close);
    body->addLayout(right, 2);

    helpForm_ = new chrome::HelpWindow(this);
    helpForm_->setWindowFlag(Qt::Window);

    connect(listCharts_, &ListCharts::rowCheckToggled, this, &UserformObj::listCharts_ItemCheck);
    connect(listCharts_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item, int) {
        listCharts_ItemClick(listCharts_->indexOfTopLevelItem(item));
    });
    connect(listCharts_->header(), &QHeaderView::sectionClicked, this,
            &UserformObj::listCharts_ColumnClick);
    connect(Check1_, &QCheckBox::clicked, this, [this] { Check1_Click(); });
    connect(up, &QAbstractButton::clicked, this, &UserformObj::Up_Click);
    connect(down, &QAbstractButton::clicked, this, &UserformObj::Down_Click);
    connect(SlideTitle_, &QLineEdit::textChanged, this, &UserformObj::SlideTitle_Change);
    connect(TextBox10_, &QLineEdit::textChanged, this, &UserformObj::TextBox10_Change);
    connect(addCaption, &QAbstractButton::clicked, this, &UserformObj::AddCaption_Click);
    connect(Titles_, &QCheckBox::clicked, this, &UserformObj::Titles_Click);
    for (auto& [index, icon] : HelpMe_) icon->installEventFilter(this);
    connect(knob_, &chrome::SwitchKnob::positionChanged, this,
            [this](int) { SwitchKnob4_Change(); });
    connect(OptionNewSlides_, &QRadioButton::clicked, this, &UserformObj::OptionNewSlides_Click);
    connect(OptionPredefSlides_, &QRadioButton::clicked, this,
            &UserformObj::OptionPredefSlides_Click);
    connect(paste, &QAbstractButton::clicked, this, &UserformObj::PasteIT_Click);
    connect(position, &QAbstractButton::clicked, this, &UserformObj::PositionSlide_Click);
    connect(close, &QAbstractButton::clicked, this, &QWidget::close);
}

bool UserformObj::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress)
        for (auto& [index, icon] : HelpMe_)
            if (watched == icon) {
                HelpMe_Click(index);
                return true;
            }
    return QWidget::eventFilter(watched, event);
}

void UserformObj::Form_Load() {
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    auto& ctx = state_.office;
    try {
        helpTexts_ = BuildHelpTexts();
        SlideNb_->hide();
        ctx.excel->setScreenUpdating(false);
        chrome::installTitleBar(this, QStringLiteral("Corvane"));
        chrome::applyDropShadow(this);

        NbCharts_->setText(QString::number(ctx.itemCount));

        previewWidth_ = 0;
        iconIndex_ = 1;
        iconAnimationAllowed_ = false;
        iconSize_ = IconLimit;
        for (int i = 0; i < 5; ++i) Image1_[i]->setVisible(i == 0);

        knob_->blockSignals(true);
        knob_->setPositionCount(5);
        for (int i = 0; i < 5; ++i) {
            knob_->setPositionLabel(i, QString::fromLatin1(SwitchLabels[i]));
            knob_->setPositionColor(i, SwitchColors[i]);
        }
        knob_->setPosition(0);
        knob_->blockSignals(false);

        enableTimers({2, 5}, {1, 3, 4});
        setPreview(ClipboardToPicture(services_.host.clipboard(), -4147));
        slidePanelWidth_ = 0;
        applyPanelSizes();

        Fill fill(*this);
        statesheet::Session session{ctx, state_.items, state_.stateSheet, progress_};
        statesheet::FillListFromStateSheet(session, fill);
        fill.checkedCount();  // a fill that handed no rows still leaves the list ready
        listFilled_ = true;

        listCharts_->SotrListView(state_.stateSheet.firstUse ? column::SheetOrder : column::Order);
        recount(true);
        listCharts_->viewport()->update();
        if (ctx.workbook) Text1_->setText(ctx.workbook->fullName() + ' ');
        Text2_->setText(ctx.presentation ? ctx.presentation->fullName() + ' '
                                         : QStringLiteral("-none-"));

        if (closeSplash_) closeSplash_();
        state_.mainFormOpen = true;
        auto chartSheet = ctx.workbook->sheet(state_.stateSheet.startChartSheetName);
        if (!chartSheet) return;
        chartSheet->select();
    } catch (const std::exception&) {
        listFilled_ = true;
        if (closeSplash_) closeSplash_();
    }
}

// ---- the list: checks, select all, counters, order

void UserformObj::recount(bool exclaim) {
    const int n = run::countChecked(*listCharts_);
    NbChecked_->setText(QString::number(n) + (exclaim ? QStringLiteral(" Items checked!")
                                                      : QStringLiteral(" Items checked")));
}

void UserformObj::setSelectAllSilently(int state) {
    const bool was = listFilled_;
    listFilled_ = false;
    Check1_->setTristate(state == 2);
    Check1_->setCheckState(state == 0   ? Qt::Unchecked
                           : state == 1 ? Qt::Checked
                                        : Qt::PartiallyChecked);
    listFilled_ = was;
}

void UserformObj::listCharts_ItemCheck(int row) {
    if (row < 0) return;
    if (listCharts_->rowColor(row) == colors::Red) {
        services_.prompt.show(
            {MultipleRange, platform::Icon::Exclamation, platform::Buttons::Ok, true});
        listCharts_->setChecked(row, false);
    } else {
        listCharts_->setRowColor(row,
                                 listCharts_->isChecked(row) ? colors::buttonText() : colors::Grey);
    }
    recount(false);
}

void UserformObj::Check1_Click() {
    if (!listFilled_) return;
    auto& wb = *state_.office.workbook;
    const bool check = Check1_->checkState() == Qt::Checked;
    for (int i = 0; i < listCharts_->rowCount(); ++i) {
        const auto r = listCharts_->row(i);
        // Looked up in the workbook here, not taken from the row's colour.
        if (r.type() == inventory::TypeRange && inventory::isMultiAreaRange(wb, r.sheet(), r.text))
            continue;
        listCharts_->setChecked(i, check);
        if (!check)
            listCharts_->setRowColor(i, colors::Grey);
        else if (!predefinedSlides() || !r.slide().isEmpty())
            listCharts_->setRowColor(i, colors::buttonText());
    }
    recount(true);
}

void UserformObj::Up_Click() {
    listCharts_->moveSelected(-1);
}
void UserformObj::Down_Click() {
    listCharts_->moveSelected(+1);
}
void UserformObj::listCharts_ColumnClick(int column) {
    listCharts_->SotrListView(column);
}

void UserformObj::recolourForMode() {
    const bool predefined = predefinedSlides();
    for (int i = 0; i < listCharts_->rowCount(); ++i) {
        if (listCharts_->isMultiArea(i)) continue;
        const bool exported = listCharts_->isChecked(i) &&
                              (!predefined || !listCharts_->cell(i, column::Slide).isEmpty());
        listCharts_->setRowColor(i, exported ? colors::buttonText() : colors::Grey);
    }
}

// ---- captions and slide numbers

void UserformObj::SlideTitle_Change() {
    const int row = listCharts_->selectedRow();
    if (row >= 0) listCharts_->setCell(row, column::Caption, SlideTitle_->text());
}

void UserformObj::TextBox10_Change() {
    const QString text = Validate_Number_Entry(TextBox10_->text());
    if (TextBox10_->text() != text) {
        QSignalBlocker block(TextBox10_);
        TextBox10_->setText(text);
    }
    const int row = listCharts_->selectedRow();
    if (row >= 0) listCharts_->setCell(row, column::Slide, text);
}

void UserformObj::AddCaption_Click() {
    captionPanelWidth_ = 0;
    TitlesFrame_->show();
    applyPanelSizes();
    enableTimers({5}, {1, 2, 3, 4});
}

void UserformObj::Titles_Click() {
    enableTimers({3}, {1, 2, 4});
    if (Titles_->isChecked()) TitlesFrame_->show();
}

void UserformObj::HelpMe_Click(int index) {
    auto it = helpTexts_.find(index);
    if (it == helpTexts_.end()) return;
    helpForm_->showText(it->second);
}

// ---- preview

void UserformObj::setPreview(const QPixmap& pixmap) {
    preview_ = pixmap;
    imgChart_->setPixmap(pixmap);
}

bool UserformObj::copyPreviewItem(int row, bool forClick) {
    const auto r = listCharts_->row(row);
    auto& wb = *state_.office.workbook;
    if (r.text == inventory::ChartSheetText) {
        auto sheet = wb.sheet(r.sheet());
        if (!sheet)
            throw office::Error(office::errors::NotFound, QStringLiteral("Subscript out of range"));
        sheet->chart()->copy();
        return true;
    }
    if (r.type() == inventory::TypeEmbedded) {
        auto sheet = wb.worksheet(r.sheet());
        if (!sheet)
            throw office::Error(office::errors::NotFound, QStringLiteral("Subscript out of range"));
        for (const auto& co : sheet->chartObjects())
            if (co->name() == r.text) {
                co->chart()->copy();
                return true;
            }
        throw office::Error(office::errors::NotFound,
                            QStringLiteral("The item could not be found"));
    }
    // A named range: looked up on its sheet first, then as a workbook name.
    auto name = wb.findName(office::quoteSheetName(r.sheet()) + '!' + r.text);
    if (!name) name = wb.findName(r.text);
    if (!name)
        throw office::Error(office::errors::NotFound,
                            QStringLiteral("The item could not be found"));
    const office::Range range = name->refersToRange();
    if (forClick) {
        if (range.areaCount() > 1) return false;
        range.copy();
    } else {
        range.copyPicture();
    }
    return true;
}

void UserformObj::listChartsShowPreview() {
    const int row = listCharts_->selectedRow();
    if (row < 0) return;
    const auto r = listCharts_->row(row);
    const bool range = r.text != inventory::ChartSheetText && r.type() != inventory::TypeEmbedded;
    if (range) {
        copyPreviewItem(row, false);  // errors reach the load from here on
    } else {
        ignoreErrors([&] { copyPreviewItem(row, false); });
    }
    auto& clipboard = services_.host.clipboard();
    QPixmap first = ClipboardToPicture(clipboard, -4147);
    if (!first.isNull()) setPreview(first);
    if (auto any = clipboard.picture(office::Clipboard::Format::Any)) {
        QPixmap second = toPixmap(*any);
        if (!second.isNull()) setPreview(second);
    }
}

void UserformObj::showWarningMinimised(const QString& text) {
    showMinimized();
    services_.prompt.show({text, platform::Icon::Exclamation, platform::Buttons::Ok, true});
    showNormal();
}

void UserformObj::listCharts_ItemClick(int row) {
    if (row < 0) return;
    if (listCharts_->selectedRow() != row)
        listCharts_->selectRow(row);  // the boxes edit the clicked row
    enableTimers({2}, {1, 3, 4});
    setPreview({});
    previewWidth_ = PreviewAfterClick;
    applyPanelSizes();
    try {
        if (!copyPreviewItem(row, true)) {
            setPreview({});
            showWarningMinimised(MultipleSelection);
            return;
        }
    } catch (const std::exception&) {
        showWarningMinimised(ItemGone);
        return;
    }
    try {
        auto picture = services_.host.clipboard().picture(office::Clipboard::Format::Any);
        if (!picture) throw office::Error(office::errors::ObjectRequired, PleaseContinue);
        setPreview(toPixmap(*picture));
        TextBox10_->setText(listCharts_->cell(row, column::Slide));
        SlideTitle_->setText(listCharts_->cell(row, column::Caption));
    } catch (const std::exception&) {
        showWarningMinimised(PleaseContinue);
    }
}

// ---- destination, format, mode

int UserformObj::destination() const {
    return knob_->position();
}
bool UserformObj::predefinedSlides() const {
    return OptionPredefSlides_->isChecked();
}

void UserformObj::setBold(QAbstractButton* button, bool bold) {
    QFont f = button->font();
    f.setBold(bold);
    button->setFont(f);
}

void UserformObj::SwitchKnob4_Change() {
    enableTimers({1}, {2, 3, 4});
    iconSize_ = 0;
    iconAnimationAllowed_ = true;
    const int position = destination();
    iconIndex_ = position + 1;
    for (int i = 0; i < 5; ++i) Image1_[i]->setVisible(i == position);
    applyPanelSizes();

    auto& ctx = state_.office;
    HelpMe_[1]->setVisible(position == PowerPoint);
    Label7_->setVisible(position <= Word);
    Text2_->setVisible(position <= Word);
    PositionSlide_->setVisible(position == PowerPoint);
    switch (position) {
        case PowerPoint:
            if (Text2_->text() == QLatin1String(" ")) Text2_->setText(QStringLiteral("-none-"));
            setMode(PowerPoint);
            break;
        case Word: {
            std::shared_ptr<office::Document> document;
            ignoreErrors([&] { document = services_.host.attachWord()->activeDocument(); });
            Text2_->setText(document ? document->name() + ' ' : QStringLiteral("-none-"));
            setMode(Word);
            break;
        }
        default:
            setMode(static_cast<Destination>(position));
            break;
    }
    (void)ctx;
    Titles_->setEnabled(true);
    modeGroup_->show();
    TitlesFrame_->show();
}

void UserformObj::setMode(Destination d) {
    auto& ctx = state_.office;
    if (d == PowerPoint && ctx.presentation) {
        ignoreErrors([&] { Text2_->setText(ctx.presentation->name() + ' '); });
    } else if (d == Web || d == Pdf) {
        Text2_->setText(QStringLiteral(" "));
    }
    PasteExpress_->setVisible(d == PowerPoint || d == Word);
    if (d == PowerPoint || d == Word)
        PasteExpress_->setText(QStringLiteral("*DoubleClick to paste displayed item only"));
    for (int i = 1; i < 4; ++i) OptionFormat_[i]->setEnabled(d == PowerPoint || d == Word);
    PositionSlide_->setVisible(d == PowerPoint);
    OptionPredefSlides_->setEnabled(d == PowerPoint);
    OptionNewSlides_->setEnabled(true);
    OptionNewSlides_->setText(d == PowerPoint ? QStringLiteral("Paste to new created slides")
                              : d == Images   ? QStringLiteral("Paste to new created image files")
                                              : QStringLiteral("Paste to new created pages"));
    if (!OptionNewSlides_->isChecked()) {
        OptionNewSlides_->setChecked(true);
        OptionNewSlides_Click();
    }
    setBold(OptionNewSlides_, true);
}

void UserformObj::OptionFormat_Click(int index) {
    for (int i = 0; i < 4; ++i) setBold(OptionFormat_[i], i == index);
    state_.pasteFormat = index;
}

void UserformObj::OptionNewSlides_Click() {
    SlideNb_->hide();
    slidePanelOpening_ = false;
    SlideTitle_->setEnabled(true);
    enableTimers({4}, {1, 2, 3});
    listCharts_->setColumnWidth(column::Caption, twips(3500));
    setBold(OptionPredefSlides_, false);
    setBold(OptionNewSlides_, true);
    recolourForMode();
    slideColumnWidth_ = 1;
    listCharts_->setColumnWidth(column::Slide, twips(slideColumnWidth_));
}

void UserformObj::OptionPredefSlides_Click() {
    SlideNb_->show();
    slidePanelOpening_ = true;
    enableTimers({4}, {1, 2, 3});
    setBold(OptionPredefSlides_, true);
    setBold(OptionNewSlides_, false);
    slideColumnWidth_ = 850;
    listCharts_->setColumnWidth(column::Slide, twips(slideColumnWidth_));
    recolourForMode();
}

// ---- launch

void UserformObj::CountCheckedRows() {
    state_.exportCount = 0;
    if (OptionNewSlides_->isChecked()) state_.exportCount = run::countChecked(*listCharts_);
}

void UserformObj::LaunchNewSlides() {
    ignoreErrors([&] { state_.office.excel->setDisplayAlerts(false); });
    state_.exportCount = run::countChecked(*listCharts_);
    exports_.openPowerPointDialog();
}

void UserformObj::LaunchPredefinedSlides() {
    int slides = -1;  // unknown without a presentation: the dialog reports that when it starts
    ignoreErrors([&] {
        auto pp = services_.host.attachPowerPoint();
        if (auto p = pp->activePresentation()) slides = p->slideCount();
    });
    state_.exportCount = 0;
    state_.slideNumberWarning.clear();
    for (int i = 0; i < listCharts_->rowCount(); ++i) {
        const QString slide = listCharts_->cell(i, column::Slide);
        if (slide.isEmpty() || !listCharts_->isChecked(i)) continue;
        ++state_.exportCount;
        if (slides >= 0 && isNumeric(slide) && roundHalfEven(slide.trimmed().toDouble()) > slides)
            state_.slideNumberWarning = PredefinedWarning;
    }
    exports_.openPowerPointDialog();
}

void UserformObj::PasteIT_Click() {
    enableTimers({}, {1, 2, 3, 4});
    switch (destination()) {
        case PowerPoint:
            predefinedSlides() ? LaunchPredefinedSlides() : LaunchNewSlides();
            break;
        case Word:
            exports_.startWordExport();
            break;
        case Web:
            CountCheckedRows();
            exports_.openWebDialog();
            break;
        case Pdf:
            CountCheckedRows();
            exports_.openPdfDialog();
            break;
        case Images:
            CountCheckedRows();
            exports_.openImageFilesDialog();
            break;
    }
}

void UserformObj::PositionSlide_Click() {
    exports_.showLayoutForm();
}

void UserformObj::selectItemInExcel(int row) {
    const auto r = listCharts_->row(row);
    auto& wb = *state_.office.workbook;
    if (r.text == inventory::ChartSheetText) {
        ignoreErrors([&] { wb.sheet(r.sheet())->select(); });
    } else if (r.type() == inventory::TypeEmbedded) {
        ignoreErrors([&] {
            for (const auto& co : wb.worksheet(r.sheet())->chartObjects())
                if (co->name() == r.text) co->activate();  // activating selects its chart area
        });
    } else {
        std::optional<office::Range> range;
        ignoreErrors([&] {
            wb.worksheet(r.sheet())->select();
            auto name = wb.findName(office::quoteSheetName(r.sheet()) + '!' + r.text);
            if (!name) name = wb.findName(r.text);
            if (name) range = name->refersToRange();
        });
        if (range) range->select();  // from here on errors reach the caller
    }
}

void UserformObj::PasteExpressDisplayed() {
    auto& ctx = state_.office;
    ignoreErrors([&] { ctx.powerPoint = services_.host.attachPowerPoint(); });
    const int row = listCharts_->selectedRow();
    if (row < 0) return;
    ignoreErrors([&] { ctx.startSheetName = ctx.workbook->activeSheet()->name(); });
    try {
        selectItemInExcel(row);
        switch (destination()) {
            case PowerPoint: {
                bool running = false;
                int windows = 0;
                ignoreErrors([&] {
                    auto pp = services_.host.attachPowerPoint();
                    running = true;
                    windows = pp->windowCount();
                });
                if (!running) {
                    services_.prompt.show(
                        {NoPowerPoint, platform::Icon::Exclamation, platform::Buttons::Ok, true});
                } else if (windows == 0) {
                    services_.prompt.show(
                        {NoPowerPoint, platform::Icon::Exclamation, platform::Buttons::Ok, false});
                } else {
                    exports_.exportSelectionToPowerPoint(state_.pasteFormat);
                }
                break;
            }
            case Word:
                exports_.exportSelectionToWord(state_.pasteFormat);
                break;
            case Images:
                showMinimized();
                exports_.exportSelectionToImageFile();
                showNormal();
                break;
            default:
                break;
        }
    } catch (const office::Error& e) {
        services_.prompt.show(
            {e.description(), platform::Icon::Critical, platform::Buttons::Ok, true});
    }
}

void UserformObj::imgChart_DblClick() {
    ignoreErrors([&] {
        state_.office.excel->setScreenUpdating(false);
        state_.office.excel->setScreenUpdating(true);
    });
    PasteExpressDisplayed();
}

// ---- panel animations

bool UserformObj::timerEnabled(int index) const {
    return index >= 1 && index <= 5 && timers_[index].isActive();
}

void UserformObj::enableTimers(std::initializer_list<int> on, std::initializer_list<int> off) {
    for (int i : off) timers_[i].stop();
    for (int i : on) timers_[i].start();
}

void UserformObj::applyPanelSizes() {
    imgChart_->setFixedSize(twips(previewWidth_), twips(PreviewLimit * 3 / 4));
    TitlesFrame_->setFixedWidth(twips(captionPanelWidth_));
    SlideNb_->setFixedWidth(twips(slidePanelWidth_));
    TitlesFrame_->setFixedHeight(twips(PanelHeight));
    SlideNb_->setFixedHeight(twips(PanelHeight));
    for (int i = 0; i < 5; ++i) {
        const int size = i + 1 == iconIndex_ ? iconSize_ : 0;
        Image1_[i]->setFixedSize(twips(size), twips(size));
    }
}

void UserformObj::Timer1_Timer(int index) {
    auto stop = [&] { timers_[index].stop(); };
    switch (index) {
        case 1:
            if (!iconAnimationAllowed_) return stop();
            iconSize_ += IconStep;
            if (iconSize_ >= IconLimit) {
                iconSize_ = IconLimit;
                stop();
            }
            break;
        case 2:
            previewWidth_ += PreviewStep;
            if (previewWidth_ >= PreviewLimit) {
                previewWidth_ = PreviewLimit;
                stop();
            }
            break;
        case 3:
            stop();
            break;
        case 4:
            if (slidePanelOpening_) {
                slidePanelWidth_ += PanelStep;
                slideColumnWidth_ += SlideColumnStep;
                listCharts_->setColumnWidth(column::Slide, twips(slideColumnWidth_));
                if (slidePanelWidth_ >= SlidePanelLimit) {
                    slidePanelWidth_ = SlidePanelLimit;
                    stop();
                }
            } else {
                slidePanelWidth_ = std::max(0, slidePanelWidth_ - PanelStep);
                if (slidePanelWidth_ <= 5) {
                    slidePanelWidth_ = 0;
                    stop();
                }
            }
            break;
        case 5:
            captionPanelWidth_ += PanelStep;
            if (captionPanelWidth_ >= CaptionPanelLimit) {
                captionPanelWidth_ = CaptionPanelLimit;
                stop();
            }
            break;
        default:
            return;
    }
    applyPanelSizes();
}

// ---- close

void UserformObj::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
    // Every window of the program goes with the form, the newest first.
    QMetaObject::invokeMethod(
        qApp,
        [] {
            QWidgetList windows = QApplication::topLevelWidgets();
            for (auto it = windows.rbegin(); it != windows.rend(); ++it)
                if ((*it)->isVisible()) (*it)->close();
        },
        Qt::QueuedConnection);
}

void UserformObj::Form_Unload() {
    if (unloaded_) return;
    unloaded_ = true;
    Gif89a2_->show();
    auto& ctx = state_.office;
    // Every step runs, whatever failed before it.
    ignoreErrors([&] {
        std::vector<statesheet::StoredRow> rows;
        rows.reserve(static_cast<size_t>(listCharts_->rowCount()));
        for (int i = 0; i < listCharts_->rowCount(); ++i) {
            const auto r = listCharts_->row(i);
            statesheet::StoredRow s;
            s.name = r.text;
            s.sheet = r.sheet();
            s.slide = r.slide();
            s.sheetOrder = r.sheetOrder();
            s.checked = r.checked;
            s.type = r.type();
            s.order = r.order();
            s.key = r.key();
            s.caption = r.caption();
            rows.push_back(std::move(s));
        }
        statesheet::SaveListToStateSheet(*ctx.workbook, rows);
    });
    ignoreErrors([&] { exports_.closeAll(); });
    ignoreErrors([&] { ctx.excel->setScreenUpdating(true); });
    ignoreErrors([&] { ctx.workbook->sheet(ctx.startSheetName)->select(); });
    ignoreErrors([&] { ctx.excel->setDisplayAlerts(true); });
    ctx.powerPoint.reset();
}

}  // namespace mainform
