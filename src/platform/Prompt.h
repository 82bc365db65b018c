#pragma once

// Message boxes. Every message of the program goes through a Prompt, so tests can
// record and answer them and unattended runs can print them.

#include <QString>
#include <deque>
#include <vector>

namespace platform {

enum class Icon { None, Information, Warning, Exclamation, Question, Critical };
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No };

struct Message {
    QString text;
    Icon icon = Icon::None;
    Buttons buttons = Buttons::Ok;
    bool systemModal = false;
    QString title = QStringLiteral("Corvane");
};

class Prompt {
  public:
    virtual ~Prompt() = default;
    virtual Answer show(const Message& message) = 0;

    // Shorthands for the common boxes.
    void warn(const QString& text, bool systemModal = true) {
        show({text, Icon::Warning, Buttons::Ok, systemModal});
    }
    bool askOkCancel(const QString& text, Icon icon = Icon::Question) {
        return show({text, icon, Buttons::OkCancel, false}) == Answer::Ok;
    }
};

// The answer nobody is there to give: OK for notices, Cancel or No for questions.
Answer unattendedAnswer(Buttons buttons);

// Writes each message to standard error as one line, "Corvane: TEXT", and answers it unattended.
class UnattendedPrompt : public Prompt {
  public:
    Answer show(const Message& message) override;
};

// Records every message; answers from a queue, then as unattended.
class RecordingPrompt : public Prompt {
  public:
    Answer show(const Message& message) override;
    void answerNext(Answer a) { answers_.push_back(a); }
    const std::vector<Message>& messages() const { return messages_; }
    QStringList texts() const;

  private:
    std::vector<Message> messages_;
    std::deque<Answer> answers_;
};

// One line for a log or a terminal: carriage returns and line feeds shown as spaces.
QString oneLine(const QString& text);

}  // namespace platform
