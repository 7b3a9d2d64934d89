// Modal message boxes behind a seam: the program shows real QMessageBoxes,
// tests install a recorder that captures them and answers with a chosen button.
#pragma once

#include "platform/UserMessage.h"

#include <QString>

#include <deque>
#include <memory>
#include <vector>

class QMessageBox;
class QWidget;

namespace telm::platform {

enum class MsgIcon { Information, Warning, Critical, Question };
enum class MsgButtons { Ok, YesNoCancel, YesNo };
enum class MsgAnswer { Ok, Yes, No, Cancel };

class MessageBoxes
{
public:
    virtual ~MessageBoxes() = default;
    virtual MsgAnswer show(QWidget* parent, const QString& title, const QString& text, MsgIcon icon,
                           MsgButtons buttons) = 0;
};

// The message boxes in force; the Qt implementation unless a test installed another.
MessageBoxes& messageBoxes();
void installMessageBoxes(MessageBoxes* boxes); // nullptr restores the Qt one

// The box the Qt seam shows (tests look at its size): the title, the text, the
// icon, the buttons with Bulgarian captions, wide enough for the whole title.
std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* parent, const QString& title,
                                            const QString& text, MsgIcon icon, MsgButtons buttons);

// Shorthands for the two kinds the program shows.
void ShowMessage(QWidget* parent, const QString& title, const QString& text, MsgIcon icon);
void ShowMessage(QWidget* parent, const UserMessage& message);
MsgAnswer AskYesNoCancel(QWidget* parent, const QString& title, const QString& text);
// A question whose safe answer is No: No is the default and Esc.
MsgAnswer AskYesNo(QWidget* parent, const QString& title, const QString& text);

// A recorder for tests: remembers every box and answers from a queue
// (Ok, Cancel for a question, No for a yes-or-no, when the queue is empty).
class RecordingMessageBoxes : public MessageBoxes
{
public:
    struct Shown
    {
        QString title;
        QString text;
        MsgIcon icon;
        MsgButtons buttons;
    };

    RecordingMessageBoxes() { installMessageBoxes(this); }
    ~RecordingMessageBoxes() override { installMessageBoxes(nullptr); }

    MsgAnswer show(QWidget* parent, const QString& title, const QString& text, MsgIcon icon,
                   MsgButtons buttons) override;

    std::vector<Shown> shown;
    std::deque<MsgAnswer> answers;
};

} // namespace telm::platform
