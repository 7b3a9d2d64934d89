#include "platform/MessageBoxes.h"

#include <QAbstractButton>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

namespace telm::platform {

namespace {

// What a box closed without a button answers.
MsgAnswer unanswered(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::YesNoCancel: return MsgAnswer::Cancel;
    case MsgButtons::YesNo: return MsgAnswer::No;
    case MsgButtons::Ok: break;
    }
    return MsgAnswer::Ok;
}

class QtMessageBoxes : public MessageBoxes
{
public:
    MsgAnswer show(QWidget* parent, const QString& title, const QString& text, MsgIcon icon,
                   MsgButtons buttons) override
    {
        const std::unique_ptr<QMessageBox> box = MakeMessageBox(parent, title, text, icon, buttons);
        switch (box->exec()) {
        case QMessageBox::Yes: return MsgAnswer::Yes;
        case QMessageBox::No: return MsgAnswer::No;
        case QMessageBox::Cancel: return MsgAnswer::Cancel;
        default: return unanswered(buttons);
        }
    }
};

QtMessageBoxes& qtBoxes()
{
    static QtMessageBoxes boxes;
    return boxes;
}

MessageBoxes* g_installed = nullptr;

} // namespace

std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* parent, const QString& title,
                                            const QString& text, MsgIcon icon, MsgButtons buttons)
{
    auto box = std::make_unique<QMessageBox>(parent);
    box->setWindowTitle(title);
    box->setText(text);
    switch (icon) {
    case MsgIcon::Information: box->setIcon(QMessageBox::Information); break;
    case MsgIcon::Warning: box->setIcon(QMessageBox::Warning); break;
    case MsgIcon::Critical: box->setIcon(QMessageBox::Critical); break;
    case MsgIcon::Question: box->setIcon(QMessageBox::Question); break;
    }
    if (buttons == MsgButtons::YesNoCancel) {
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box->setDefaultButton(QMessageBox::Yes);
        box->setEscapeButton(QMessageBox::Cancel);
        box->button(QMessageBox::Yes)->setText(QStringLiteral("&Да"));
        box->button(QMessageBox::No)->setText(QStringLiteral("&Не"));
        box->button(QMessageBox::Cancel)->setText(QStringLiteral("Отказ"));
    } else if (buttons == MsgButtons::YesNo) {
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box->setDefaultButton(QMessageBox::No);
        box->setEscapeButton(QMessageBox::No);
        box->button(QMessageBox::Yes)->setText(QStringLiteral("&Да"));
        box->button(QMessageBox::No)->setText(QStringLiteral("&Не"));
    } else {
        box->setStandardButtons(QMessageBox::Ok);
    }
    box->setWindowModality(Qt::ApplicationModal);
    // A short text makes a narrow box, and the window title is cut to a few
    // letters: keep the box wide enough for the whole title and the title
    // bar's own buttons.
    if (auto* grid = qobject_cast<QGridLayout*>(box->layout())) {
        const int titleWidth = box->fontMetrics().horizontalAdvance(title) * 5 / 4 + 120;
        grid->addItem(new QSpacerItem(titleWidth, 0, QSizePolicy::Fixed, QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
    return box;
}

MessageBoxes& messageBoxes()
{
    return g_installed ? *g_installed : qtBoxes();
}

void installMessageBoxes(MessageBoxes* boxes)
{
    g_installed = boxes;
}

void ShowMessage(QWidget* parent, const QString& title, const QString& text, MsgIcon icon)
{
    messageBoxes().show(parent, title, text, icon, MsgButtons::Ok);
}

void ShowMessage(QWidget* parent, const UserMessage& message)
{
    MsgIcon icon = MsgIcon::Critical;
    switch (message.icon) {
    case UserMessage::Icon::Critical: icon = MsgIcon::Critical; break;
    case UserMessage::Icon::Warning: icon = MsgIcon::Warning; break;
    case UserMessage::Icon::Information: icon = MsgIcon::Information; break;
    }
    ShowMessage(parent, message.title, message.text, icon);
}

MsgAnswer AskYesNoCancel(QWidget* parent, const QString& title, const QString& text)
{
    return messageBoxes().show(parent, title, text, MsgIcon::Warning, MsgButtons::YesNoCancel);
}

MsgAnswer AskYesNo(QWidget* parent, const QString& title, const QString& text)
{
    return messageBoxes().show(parent, title, text, MsgIcon::Question, MsgButtons::YesNo);
}

MsgAnswer RecordingMessageBoxes::show(QWidget*, const QString& title, const QString& text,
                                      MsgIcon icon, MsgButtons buttons)
{
    shown.push_back({title, text, icon, buttons});
    if (!answers.empty()) {
        const MsgAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    return unanswered(buttons);
}

} // namespace telm::platform
