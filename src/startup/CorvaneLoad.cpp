#include "startup/CorvaneLoad.h"

#include <QLabel>
#include <QVBoxLayout>

#include "chrome/DropShadow.h"
#include "chrome/ProgressBar.h"

namespace startup {

CorvaneLoad::CorvaneLoad(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("CorvaneLoad"));
    setWindowTitle(QStringLiteral("Corvane"));
    auto* layout = new QVBoxLayout(this);
    caption_ = new QLabel(QStringLiteral("Loading charts and named ranges..."), this);
    caption_->setObjectName(QStringLiteral("Label1"));
    bar_ = new chrome::ProgressBar(this);
    bar_->setObjectName(QStringLiteral("prbHorizontalOnLoad"));
    bar_->setVisible(false);  // shown when the fill pass begins
    layout->addWidget(caption_);
    layout->addWidget(bar_);
    resize(360, 90);
    chrome::applyDropShadow(this);
}

}  // namespace startup
