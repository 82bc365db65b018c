#include "word/DialogWord.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QStyle>
#include <QVBoxLayout>

#include "chrome/DropShadow.h"
#include "chrome/ProgressWindow.h"
#include "chrome/ThemedButton.h"
#include "chrome/TitleBar.h"
#include "office/Error.h"
#include "platform/Prompt.h"

namespace word {

namespace {
const QString NoActiveDocument = QStringLiteral("No active document open");
const QString NothingSelected = QStringLiteral("No objects were selected for pasting");
constexpr int WordDestination = 1;
}  // namespace

QString DialogWord::formatText(int pasteFormat) {
    switch (pasteFormat) {
        case 0:
            return QStringLiteral("pictures");
        case 1:
            return QStringLiteral("Excel editable");
        case 2:
            return QStringLiteral("Excel embedded");
        case 3:
            return QStringLiteral("Linked embedded objects");
        default:
            return {};
    }
}

DialogWord::DialogWord(WordRun run, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint), run_(std::move(run)) {
    setObjectName(QStringLiteral("DialogWord"));
    setWindowTitle(QStringLiteral("Paste to Word"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    Label1_ = new QLabel(this);
    Label1_->setObjectName(QStringLiteral("Label1"));
    Label1_->setWordWrap(true);
    layout->addWidget(Label1_);
    auto box = [&](const char* name, const QString& text) {
        auto* b = new QCheckBox(text, this);
        b->setObjectName(QLatin1String(name));
        layout->addWidget(b);
        return b;
    };
    SameWidth_ = box("SameWidth", QStringLiteral("Make all items same optimized width (Othewise "
                                                 "keep Excel  items size)"));
    AddCaption_ = box("AddCaption", QStringLiteral("Insert caption below the pasted item"));
    CheckShadow_ = box("CheckShadow", QStringLiteral("Add shadow to pasted items"));
    auto* buttons = new QHBoxLayout;
    auto* ok = new chrome::ThemedButton(this);
    ok->setObjectName(QStringLiteral("ContinueOk"));
    ok->setIcon(style()->standardIcon(QStyle::SP_DialogApplyButton));
    ok->setToolTip(QStringLiteral("Paste"));
    ContinueOk_ = ok;
    SonicClick2_ = new chrome::ThemedButton(QStringLiteral("Cancel"), this);
    SonicClick2_->setObjectName(QStringLiteral("SonicClick2"));
    buttons->addStretch();
    buttons->addWidget(ContinueOk_);
    buttons->addWidget(SonicClick2_);
    layout->addLayout(buttons);
    connect(ContinueOk_, &QPushButton::clicked, this, [this] { ContinueOk_Click(); });
    connect(SonicClick2_, &QPushButton::clicked, this, [this] { SonicClick2_Click(); });
    resize(420, 230);
    chrome::installTitleBar(this, QStringLiteral("Corvane"), chrome::TitleBar::Close);
    chrome::applyDropShadow(this);
}

bool DialogWord::Form_Load() {
    auto& state = run_.state;
    const QString format = formatText(state.pasteFormat);
    if (state.pasteFormat == 2 || state.pasteFormat == 3) {
        for (auto* b : {CheckShadow_, AddCaption_, SameWidth_}) {
            b->setChecked(false);
            b->setEnabled(false);
        }
    }
    std::shared_ptr<office::Document> document;
    office::ignoreErrors([&] {
        if (state.word) document = state.word->activeDocument();
    });
    if (!document) {
        run_.form->minimise();
        close();
        run_.services.prompt.warn(NoActiveDocument);
        run_.form->restore();
        return false;
    }
    if (state.exportCount < 1) {
        ContinueOk_->hide();
        setMessage(NothingSelected);
        return true;
    }
    QString name;
    office::ignoreErrors([&] { name = document->name(); });
    const QChar cr('\r');
    setMessage(QString::number(state.exportCount) + QStringLiteral(" object(s) will be pasted to") +
               cr + name + cr + QStringLiteral(" as ") + format + cr +
               QStringLiteral(" starting at the insertion point") + cr + cr);
    return true;
}

void DialogWord::setMessage(const QString& text) {
    message_ = text;
    // A bare carriage return would show as a stray glyph, not as a line break.
    QString shown = text;
    Label1_->setText(shown.replace(QChar('\r'), QChar('\n')));
}

void DialogWord::ContinueOk_Click() {
    auto& state = run_.state;
    state.wordSameWidth = SameWidth_->isChecked() ? 1 : 0;
    state.wordCaption = AddCaption_->isChecked() ? 1 : 0;
    state.wordShadow = CheckShadow_->isChecked() ? 1 : 0;
    WordRun run = run_;  // the dialog goes before the export starts
    close();
    QPointer<chrome::ProgressWindow> progress =
        new chrome::ProgressWindow(WordDestination, state.exportCount);
    progress->show();
    run.progress = progress.data();
    ExportToWord(run, state.pasteFormat);
    if (progress) progress->close();
}

void DialogWord::SonicClick2_Click() {
    run_.state.word.reset();  // no export: the word processor is released
    close();
}

}  // namespace word
