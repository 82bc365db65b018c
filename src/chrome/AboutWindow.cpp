#include "chrome/AboutWindow.h"

#include <QLabel>
#include <QVBoxLayout>

#include "chrome/DropShadow.h"
#include "chrome/ThemedButton.h"
#include "chrome/TitleBar.h"

namespace chrome {

AboutWindow::AboutWindow(QWidget* parent) : QDialog(parent, Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("About"));
    setWindowTitle(QStringLiteral("Corvane"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(QStringLiteral("<b>Corvane 4.5</b>"), this);
    title->setObjectName(QStringLiteral("LabelTitle"));
    auto* text = new QLabel(
        QStringLiteral("Copies the charts and named ranges of your workbook, in your order and "
                       "with your captions, into slides, documents, web pages, PDF files "
                       "and image files."),
        this);
    text->setObjectName(QStringLiteral("LabelText"));
    text->setWordWrap(true);
    auto* close = new ThemedButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("CloseAbout"));
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    layout->addWidget(title);
    layout->addWidget(text);
    layout->addWidget(close, 0, Qt::AlignRight);
    resize(380, 160);
    installTitleBar(this, QStringLiteral("Corvane"), TitleBar::Close);
    applyDropShadow(this);
}

}  // namespace chrome
