#include "platform/Prompt.h"

#include <QStringList>
#include <cstdio>

namespace platform {

Answer unattendedAnswer(Buttons buttons) {
    switch (buttons) {
        case Buttons::Ok:
            return Answer::Ok;
        case Buttons::OkCancel:
            return Answer::Cancel;
        case Buttons::YesNo:
        case Buttons::YesNoCancel:
            return Answer::No;
    }
    return Answer::Ok;
}

QString oneLine(const QString& text) {
    QString s = text;
    s.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    s.replace(QChar('\r'), QChar(' '));
    s.replace(QChar('\n'), QChar(' '));
    return s;
}

Answer UnattendedPrompt::show(const Message& message) {
    std::fprintf(stderr, "Corvane: %s\n", oneLine(message.text).toLocal8Bit().constData());
    std::fflush(stderr);
    return unattendedAnswer(message.buttons);
}

Answer RecordingPrompt::show(const Message& message) {
    messages_.push_back(message);
    if (answers_.empty()) return unattendedAnswer(message.buttons);
    Answer a = answers_.front();
    answers_.pop_front();
    return a;
}

QStringList RecordingPrompt::texts() const {
    QStringList out;
    for (const auto& m : messages_) out << m.text;
    return out;
}

}  // namespace platform
