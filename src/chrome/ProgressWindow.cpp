#include "chrome/ProgressWindow.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QTimerEvent>
#include <QVBoxLayout>

#include "chrome/BarStep.h"
#include "chrome/DropShadow.h"
#include "chrome/ProgressBar.h"

namespace chrome {

namespace {
const char* AnimationText[5] = {"Slides", "Document", "Web page", "PDF", "Images"};
}

ProgressWindow::ProgressWindow(int destination, int total, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("Progress"));
    setWindowTitle(QStringLiteral("Corvane"));
    setAttribute(Qt::WA_DeleteOnClose);
    setStyleSheet(QStringLiteral(
        "QWidget#Progress, QWidget#ProgressFace { background: black; } QLabel { color: white; }"));
    auto* layout = new QVBoxLayout(this);
    auto* anims = new QHBoxLayout;
    for (int i = 0; i < 5; ++i) {
        animations_[i] = new QLabel(QString::fromLatin1(AnimationText[i]), this);
        animations_[i]->setObjectName(QStringLiteral("Animation_%1").arg(i));
        animations_[i]->setAlignment(Qt::AlignCenter);
        animations_[i]->setVisible(i == destination);
        anims->addWidget(animations_[i]);
    }
    layout->addLayout(anims);
    bar_ = new ProgressBar(this);
    bar_->setObjectName(QStringLiteral("prbHorizontal"));
    layout->addWidget(bar_);
    auto* counts = new QHBoxLayout;
    done_ = new QLabel(QStringLiteral("0"), this);
    done_->setObjectName(QStringLiteral("ONe"));
    auto* of = new QLabel(QStringLiteral("of"), this);
    total_ = new QLabel(QString::number(total), this);
    total_->setObjectName(QStringLiteral("Of"));
    counts->addStretch();
    counts->addWidget(done_);
    counts->addWidget(of);
    counts->addWidget(total_);
    counts->addStretch();
    layout->addLayout(counts);
    resize(320, 110);
    applyDropShadow(this);
    startTimer(120);
}

void ProgressWindow::AdvanceExportProgress(int& done, int total) {
    closeExportDialogs();
    ++done;
    total_->setText(QString::number(total));
    stepBar(*bar_, done, total);
    done_->setText(QString::number(done));
    QApplication::processEvents();
}

QString ProgressWindow::doneText() const {
    return done_->text();
}
QString ProgressWindow::totalText() const {
    return total_->text();
}

int ProgressWindow::visibleAnimation() const {
    for (int i = 0; i < 5; ++i)
        if (!animations_[i]->isHidden()) return i;
    return -1;
}

void ProgressWindow::timerEvent(QTimerEvent* event) {
    // The destination's label pulses while the export runs.
    frame_ = (frame_ + 1) % 8;
    for (auto* a : animations_)
        if (!a->isHidden())
            a->setStyleSheet(QStringLiteral("color: hsl(%1, 100%, 70%);").arg(frame_ * 45));
    QWidget::timerEvent(event);
}

void closeExportDialogs() {
    static const QStringList dialogs = {"Dialog", "DialogPDF", "DialogWord", "DialogHTML"};
    for (QWidget* w : QApplication::topLevelWidgets())
        if (dialogs.contains(w->objectName()) && w->isVisible()) w->close();
}

}  // namespace chrome
