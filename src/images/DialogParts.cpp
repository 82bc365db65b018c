#include "images/DialogParts.h"

#include <QBoxLayout>
#include <QLabel>

#include "chrome/DropShadow.h"
#include "chrome/ThemedButton.h"
#include "chrome/TitleBar.h"

namespace images {

DialogButtons addDialogButtons(QWidget* dialog, QBoxLayout* layout, bool changeDestination) {
    DialogButtons b;
    auto* row = new QHBoxLayout;
    if (changeDestination) {
        b.change = named(new chrome::ThemedButton(QStringLiteral("Change destination"), dialog),
                         "SonicClick3");
        row->addWidget(b.change);
    }
    b.cancel = named(new chrome::ThemedButton(QStringLiteral("Cancel"), dialog), "SonicClick2");
    b.confirm = named(new chrome::ThemedButton(QStringLiteral("\u2714"), dialog), "ContinueOk");
    b.confirm->setToolTip(QStringLiteral("Export"));
    row->addStretch();
    row->addWidget(b.cancel);
    row->addWidget(b.confirm);
    layout->addLayout(row);
    return b;
}

void finishDialog(QWidget* dialog, int width, int height) {
    dialog->resize(width, height);
    chrome::installTitleBar(dialog, QStringLiteral("Corvane"), chrome::TitleBar::Close);
    chrome::applyDropShadow(dialog);
}

void announceExport(QLabel* label, QWidget* confirm, int count, const QString& target) {
    if (count < 1) {
        confirm->hide();
        label->setText(QStringLiteral("No objects were selected for pasting"));
        return;
    }
    const QChar cr(13);
    label->setText(QString::number(count) + QStringLiteral(" object(s) will be inserted in ") +
                   target + cr + cr);
}

}  // namespace images
