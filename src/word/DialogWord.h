#pragma once

// The dialog before a batch export to the word processor: how many items go into which
// document in which format, and the finishing options.

#include <QWidget>

#include "word/PWordNewFile.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace word {

class DialogWord : public QWidget {
    Q_OBJECT
  public:
    explicit DialogWord(WordRun run, QWidget* parent = nullptr);

    // The load steps; false when the dialog closed itself because the document is gone.
    bool Form_Load();
    void ContinueOk_Click();
    void SonicClick2_Click();

    // The format text for a paste format code.
    static QString formatText(int pasteFormat);

    // Label1's message as the program words it, with single carriage returns.
    QString message() const { return message_; }

  private:
    void setMessage(const QString& text);
    WordRun run_;
    QString message_;
    QLabel* Label1_;
    QCheckBox* SameWidth_;
    QCheckBox* AddCaption_;
    QCheckBox* CheckShadow_;
    QPushButton* ContinueOk_;
    QPushButton* SonicClick2_;
};

}  // namespace word
