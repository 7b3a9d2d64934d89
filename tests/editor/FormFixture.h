// The base of the tests that drive a real document form: a program folder in
// a temporary folder, the shared state, recorded message boxes, and the form
// shown and loaded; at the end it is closed without saving.
#pragma once

#include "editor/frmDocument.h"
#include "grid/GridWidget.h"
#include "platform/MessageBoxes.h"
#include "selection/DocumentContext.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <gtest/gtest.h>

namespace telm::test {

class FormFixture : public ::testing::Test
{
protected:
    void TearDown() override
    {
        if (form) {
            boxes.answers.assign(5, platform::MsgAnswer::No);
            form->close();
        }
    }

    // Shows the form on the document and waits for its load.
    bool showForm(const OpenedDocument& document)
    {
        form = std::make_unique<frmDocument>(state, document);
        form->show();
        QApplication::setActiveWindow(form.get());
        for (int i = 0; i < 200 && !form->loaded() && form->isVisible(); ++i)
            QTest::qWait(5);
        return form->loaded();
    }

    GridModel& grid() { return form->engine().grid(); }
    GridWidget* gridWidget() { return form->hgrdDocEnter(); }

    void goTo(int row, int col)
    {
        gridWidget()->setFocus();
        grid().setCurrentCell(row, col);
    }

    QTemporaryDir dir;
    AppState state;
    platform::RecordingMessageBoxes boxes;
    std::unique_ptr<frmDocument> form;
};

} // namespace telm::test
