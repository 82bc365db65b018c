#include "layout/LayoutForm.h"

#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

#include "chrome/DropShadow.h"
#include "chrome/ThemedButton.h"
#include "chrome/TitleBar.h"
#include "layout/Layout.h"
#include "office/Error.h"
#include "statesheet/StateSheet.h"

namespace layout {

namespace {

constexpr int Steps = 1000;
constexpr std::array<int, 3> Columns{TopColumn, WidthColumn, HorizontalColumn};
constexpr std::array<double, 3> SliderDefaults{0.25, 0.9, 0.1};
const char* const GroupNames[] = {"Top", "Width", "Align"};
const char* const Captions[3][2] = {
    {"Just under the slide title", "Relative to slide top edge"},
    {"90% of slide width", "% of slide width"},
    {"Center in slide", "Relative to slide left edge"},
};
const char* const Titles[] = {"Vertical position", "Width", "Horizontal position"};

void setBold(QRadioButton* button, bool bold) {
    QFont f = button->font();
    f.setBold(bold);
    button->setFont(f);
}

}  // namespace

LayoutSlider::LayoutSlider(QWidget* parent)
    : QWidget(parent), slider_(new QSlider(Qt::Horizontal, this)), value_(new QLabel(this)) {
    slider_->setRange(0, Steps);
    slider_->setObjectName(QStringLiteral("Slider"));
    value_->setObjectName(QStringLiteral("Value"));
    value_->setMinimumWidth(40);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(slider_, 1);
    row->addWidget(value_);
    connect(slider_, &QSlider::valueChanged, this, &LayoutSlider::changed);
}

double LayoutSlider::position() const {
    return static_cast<double>(slider_->value()) / Steps;
}

void LayoutSlider::setPosition(double position) {
    slider_->setValue(qRound(qBound(0.0, position, 1.0) * Steps));
}

QString LayoutSlider::shownValue() const {
    return value_->text();
}

void LayoutSlider::setShownValue(double value) {
    value_->setText(QString::number(value, 'g', 3));
}

LayoutForm::LayoutForm(run::Services& services, run::RunState& state, QWidget* parent)
    : QDialog(parent, Qt::WindowStaysOnTopHint), services_(services), state_(state) {
    setObjectName(QStringLiteral("LayoutForm"));
    setWindowTitle(QStringLiteral("Corvane"));
    // Modal without a nested event loop, so that a run without a user can close it.
    setWindowModality(Qt::ApplicationModal);
    auto* layout = new QVBoxLayout(this);
    for (int g = 0; g < 3; ++g) {
        auto* box = new QGroupBox(QString::fromLatin1(Titles[g]), this);
        auto* v = new QVBoxLayout(box);
        for (int i = 0; i < 2; ++i) {
            auto* o = new QRadioButton(QString::fromLatin1(Captions[g][i]), box);
            o->setObjectName(
                QStringLiteral("Option%1_%2").arg(QLatin1String(GroupNames[g])).arg(i));
            connect(o, &QRadioButton::clicked, this,
                    [this, g, i] { Option_Click(static_cast<Group>(g), i); });
            options_[g][i] = o;
            v->addWidget(o);
        }
        sliders_[g] = new LayoutSlider(box);
        sliders_[g]->setObjectName(QStringLiteral("%1Slider").arg(QLatin1String(GroupNames[g])));
        connect(sliders_[g], &LayoutSlider::changed, this,
                [this, g] { Slider_Change(static_cast<Group>(g)); });
        v->addWidget(sliders_[g]);
        layout->addWidget(box);
    }
    auto* close = new chrome::ThemedButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("CloseLayout"));
    connect(close, &QPushButton::clicked, this, &LayoutForm::CloseLayout_Click);
    layout->addWidget(close, 0, Qt::AlignRight);
    resize(360, 380);
    chrome::installTitleBar(this, QStringLiteral("Corvane"), chrome::TitleBar::Close);
}

void LayoutForm::Form_Load() {
    chrome::applyDropShadow(this);
    std::shared_ptr<office::Sheet> sheet;
    office::ignoreErrors([&] {
        if (state_.office.workbook)
            sheet = state_.office.workbook->sheet(statesheet::StateSheetName);
    });
    for (int g = 0; g < 3; ++g) {
        // Defaults first: a cell that cannot be read leaves the group at its default.
        options_[g][0]->setChecked(true);
        sliders_[g]->setPosition(SliderDefaults[g]);
        sliders_[g]->setShownValue(SliderDefaults[g]);
        sliders_[g]->setEnabled(false);
        office::ignoreErrors([&] {
            if (!sheet) return;
            const office::Value v = sheet->cell(1, Columns[g]);
            if (isDefault(v)) return;
            const double position = office::toNumber(v);
            options_[g][1]->setChecked(true);
            sliders_[g]->setPosition(position);
            sliders_[g]->setShownValue(position);
            sliders_[g]->setEnabled(true);
        });
        for (int i = 0; i < 2; ++i) setBold(options_[g][i], options_[g][i]->isChecked());
    }
}

void LayoutForm::Option_Click(Group group, int index) {
    options_[group][index]->setChecked(true);
    setBold(options_[group][index], true);
    setBold(options_[group][1 - index], false);
    auto* s = sliders_[group];
    if (index == 1) {
        s->setEnabled(true);
    } else {
        s->setEnabled(false);
        s->setPosition(SliderDefaults[group]);
        s->setShownValue(SliderDefaults[group]);
    }
}

void LayoutForm::Slider_Change(Group group) {
    sliders_[group]->setShownValue(sliders_[group]->position());
}

void LayoutForm::CloseLayout_Click() {
    auto& workbook = state_.office.workbook;
    if (!workbook) {
        services_.prompt.warn(
            QStringLiteral("No workbook is open: the layout settings are stored in the workbook.\r"
                           "Please open a workbook and set the layout again."));
        close();
        return;
    }
    try {
        auto sheet = workbook->sheet(statesheet::StateSheetName);
        if (!sheet) {
            sheet = workbook->addWorksheet();
            sheet->setName(statesheet::StateSheetName);
            sheet->setVisible(office::xlSheetVeryHidden);
        }
        for (int g = 0; g < 3; ++g)
            sheet->setCell(1, Columns[g],
                           options_[g][0]->isChecked() ? office::Value(DefaultText)
                                                       : office::Value(sliders_[g]->position()));
    } catch (const office::Error& e) {
        // Nothing half-stored is reported as stored.
        services_.prompt.warn(e.description());
    }
    close();
}

LayoutForm* showLayoutForm(run::Services& services, run::RunState& state) {
    auto* form = new LayoutForm(services, state);
    form->setAttribute(Qt::WA_DeleteOnClose);
    form->Form_Load();
    form->show();
    return form;
}

}  // namespace layout
