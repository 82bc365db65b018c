#include "chrome/HelpWindow.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "chrome/DropShadow.h"
#include "chrome/ThemedButton.h"
#include "chrome/TitleBar.h"

namespace chrome {

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("HelpForm"));
    setWindowTitle(QStringLiteral("Corvane"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 8, 10, 10);
    view_ = new QPlainTextEdit(this);
    view_->setObjectName(QStringLiteral("HelpText"));
    view_->setReadOnly(true);
    view_->setFrameShape(QFrame::NoFrame);
    view_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    auto* close = new ThemedButton(tr("Close"), this);
    close->setObjectName(QStringLiteral("CloseHelp"));
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(close);
    layout->addWidget(view_, 1);
    layout->addLayout(row);
    resize(520, 300);
    installTitleBar(this, QStringLiteral("Corvane Help"), TitleBar::Close);
    applyDropShadow(this);
}

void HelpWindow::setText(const QString& text) {
    text_ = text;
    // The texts break lines with CR LF; a bare CR would show as a stray glyph, not a break.
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QChar('\r'), QChar('\n'));
    view_->setPlainText(shown);
}

void HelpWindow::showText(const QString& text) {
    setText(text);
    show();
    raise();
    activateWindow();
}

}  // namespace chrome
