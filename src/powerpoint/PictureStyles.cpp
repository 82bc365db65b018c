#include "powerpoint/PictureStyles.h"

#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QRadioButton>
#include <QVBoxLayout>
#include <functional>

#include "chrome/DropShadow.h"
#include "chrome/ThemedButton.h"
#include "chrome/TitleBar.h"
#include "office/Error.h"

namespace powerpoint {

void ApplyPictureStyle(run::Services& services, run::RunState& state, int shapeIndex) {
    std::shared_ptr<office::SlideShape> shape;
    office::ignoreErrors([&] {
        shape =
            services.host.attachPowerPoint()->activeWindow()->selectedSlide()->shape(shapeIndex);
    });
    const auto set = [&](const std::function<void(office::SlideShape&)>& setting) {
        office::ignoreErrors([&] {
            if (!shape)
                throw office::Error(office::errors::ObjectRequired,
                                    QStringLiteral("Object required"));
            setting(*shape);
        });
    };
    const auto rounded = [&] {
        set([](auto& s) { s.setAutoShapeType(5); });
        set([](auto& s) { s.setAdjustment(1, 0.05); });
    };
    switch (state.pictureStyle) {
        case 1:
            set([](auto& s) { s.setShadowBlur(25); });
            set([](auto& s) { s.setShadowSize(100); });
            set([](auto& s) { s.setShadowForeColor(0); });
            break;
        case 2:
            set([](auto& s) { s.setShadowVisible(true); });
            set([](auto& s) { s.setShadowForeColor(0); });
            set([](auto& s) { s.setShadowSize(100); });
            set([](auto& s) { s.setShadowOffsetX(8.12132); });
            set([](auto& s) { s.setShadowOffsetY(8.12132); });
            break;
        case 3:
            rounded();
            break;
        case 4:
        case 5:
            set([](auto& s) { s.setReflectionOffset(1); });
            set([](auto& s) { s.setReflectionSize(20); });
            set([](auto& s) { s.setAdjustment(1, 0.03); });
            set([](auto& s) { s.setShadowVisible(true); });
            if (state.pictureStyle == 5) rounded();
            break;
        default:
            break;
    }
}

namespace {

// The options from top to bottom, with their style numbers.
struct StyleOption {
    int number;
    const char* caption;
};
constexpr StyleOption ScreenOrder[] = {{0, "None"},
                                       {3, "Rounded corners"},
                                       {2, "Shadow "},
                                       {1, "Shadow all around"},
                                       {4, "Reflection not rounded"},
                                       {5, "Reflection rounded"}};

QPixmap samplePicture() {
    QPixmap p(120, 80);
    p.fill(Qt::white);
    QPainter g(&p);
    g.setPen(Qt::NoPen);
    const QColor bars[] = {QColor(68, 114, 196), QColor(237, 125, 49), QColor(165, 165, 165)};
    for (int i = 0; i < 3; ++i) {
        g.setBrush(bars[i]);
        g.drawRect(15 + i * 35, 70 - (i + 1) * 18, 22, (i + 1) * 18);
    }
    return p;
}

}  // namespace

PredefinedStyles::PredefinedStyles(run::RunState& state, QWidget* parent)
    : QDialog(parent, Qt::WindowStaysOnTopHint), state_(state) {
    setObjectName(QStringLiteral("PredefinedStyles"));
    setWindowTitle(QStringLiteral(" Corvane 4.5"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(QStringLiteral("Pasting style"), this);
    label->setObjectName(QStringLiteral("Label1"));
    layout->addWidget(label);
    for (const auto& o : ScreenOrder) {
        auto* b = new QRadioButton(QString::fromLatin1(o.caption), this);
        b->setObjectName(QStringLiteral("OptionStyle_%1").arg(o.number));
        const int number = o.number;
        connect(b, &QRadioButton::clicked, this, [this, number] { OptionStyle_Click(number); });
        options_[o.number] = b;
        layout->addWidget(b);
    }
    auto* sample = new QLabel(this);
    sample->setObjectName(QStringLiteral("Image1"));
    sample->setPixmap(samplePicture());
    layout->addWidget(sample, 0, Qt::AlignHCenter);
    auto* apply = new chrome::ThemedButton(QStringLiteral("Close to Apply"), this);
    apply->setObjectName(QStringLiteral("Styles"));
    connect(apply, &QPushButton::clicked, this, &PredefinedStyles::Styles_Click);
    layout->addWidget(apply, 0, Qt::AlignRight);
    resize(260, 360);
    chrome::installTitleBar(this, QStringLiteral("Corvane"), chrome::TitleBar::Close);
}

void PredefinedStyles::Form_Load() {
    chrome::applyDropShadow(this);
    options_[0]->setChecked(true);
    OptionStyle_Click(0);
}

void PredefinedStyles::OptionStyle_Click(int index) {
    state_.pictureStyle = index;
    options_[index]->setChecked(true);
    for (int i = 0; i < 6; ++i) {
        QFont f = options_[i]->font();
        f.setBold(i == index);
        options_[i]->setFont(f);
    }
}

void PredefinedStyles::Styles_Click() {
    close();
}

}  // namespace powerpoint
