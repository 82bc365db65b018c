#pragma once

// What the file-export dialogs share: their bottom row of buttons, their chrome and the line
// that announces the export.

#include <QString>

class QBoxLayout;
class QLabel;
class QWidget;

namespace chrome {
class ThemedButton;
}

namespace images {

// Gives a widget the name tests find it by.
template <typename W>
W* named(W* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

struct DialogButtons {
    chrome::ThemedButton* change = nullptr;  // "Change destination", when the dialog has one
    chrome::ThemedButton* cancel = nullptr;
    chrome::ThemedButton* confirm = nullptr;
};

// "Change destination" (when asked for), "Cancel" and the confirm tick, as the dialog's last row.
DialogButtons addDialogButtons(QWidget* dialog, QBoxLayout* layout, bool changeDestination);

// The dialog's size, drawn title bar and drop shadow.
void finishDialog(QWidget* dialog, int width, int height);

// "N object(s) will be inserted in TARGET", or, with nothing to export, that nothing was
// selected and no confirm button.
void announceExport(QLabel* label, QWidget* confirm, int count, const QString& target);

}  // namespace images
