// The message boxes the program shows: wide enough for their whole title even
// when the text is one short line.
#include "platform/MessageBoxes.h"

#include <QApplication>
#include <QMessageBox>

#include <gtest/gtest.h>

using namespace telm::platform;

TEST(MessageBoxes, AShortMessageStillShowsItsWholeTitle)
{
    const struct
    {
        const char* title;
        const char* text;
        MsgButtons buttons;
    } cases[] = {
        {"TELM - Внимание!", "Въведете число!", MsgButtons::Ok},
        {"Внимание!", "Искате ли да съхраните промените в документа?", MsgButtons::YesNoCancel},
        {"TELM - Грешка", "Принтерът не е готов!", MsgButtons::Ok},
        {"TELM - Внимание!", "Да продължи ли импортът?", MsgButtons::YesNo},
        {"TELM - Внимание!", "!", MsgButtons::Ok},
    };
    for (const auto& c : cases) {
        const QString title = QString::fromUtf8(c.title);
        const auto box =
            MakeMessageBox(nullptr, title, QString::fromUtf8(c.text), MsgIcon::Critical, c.buttons);
        box->show();
        QApplication::processEvents();
        EXPECT_EQ(box->windowTitle(), title);
        // The title and the title bar's own buttons beside it.
        EXPECT_GE(box->width(), box->fontMetrics().horizontalAdvance(title) + 100) << c.title;
        box->close();
    }
}
