// The main window's menu opens the real selection dialogs, and a selection
// hands over to the document form of the chosen type.
#include "app/DialogWiring.h"

#include "app/frmMain.h"
#include "editor/frmDocument.h"
#include "platform/HelpTopics.h"
#include "platform/MessageBoxes.h"
#include "selection/Catalogue.h"
#include "selection/DataFileName.h"
#include "selection/DocumentContext.h"
#include "selection/frmChooseFile.h"
#include "selection/frmChoosePrm.h"
#include "tests/support/TestFiles.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <gtest/gtest.h>

using namespace telm;

namespace {

struct SeenModal
{
    QString className;
    QWidget* parent = nullptr;
    QString title;
    int topic = 0;
    bool sumShown = false; // a document form's "Сумиране" button
};

// Runs `open` and records the modal window it shows, then closes that window.
template <typename Open>
SeenModal seeModal(Open open)
{
    SeenModal seen;
    QTimer::singleShot(0, [&seen] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        seen = {QString::fromLatin1(modal->metaObject()->className()), modal->parentWidget(),
                modal->windowTitle(), platform::HelpTopicOf(modal).value_or(0)};
        if (auto* form = qobject_cast<frmDocument*>(modal))
            seen.sumShown = form->cmdSum() && form->cmdSum()->isVisible();
        modal->close();
    });
    open();
    return seen;
}

TEST(DialogWiring, RegistersItemsOpenTheSelectionDialogsOverTheMainWindow)
{
    platform::RecordingMessageBoxes boxes;
    AppState state;
    frmMain window(state);
    WireDialogs(window, state);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    const struct
    {
        const char* item;
        const char* dialogClass;
    } cases[] = {
        {"mnuRegisters_Documents", "telm::frmChoosePrm"},
        {"mnuDocument_Correct", "telm::frmChooseFile"},
        {"mnuRegisters_Import", "telm::frmImport"},
        {"mnuSaveToDisc", "telm::frmSaveXMLAs"},
    };
    for (const auto& c : cases) {
        QAction* item = window.findChild<QAction*>(QString::fromLatin1(c.item));
        ASSERT_TRUE(item && item->isEnabled()) << c.item;
        const SeenModal seen = seeModal([item] { item->trigger(); });
        EXPECT_EQ(seen.className, QString::fromLatin1(c.dialogClass)) << c.item;
        EXPECT_EQ(seen.parent, &window) << c.item;
    }
}

TEST(DialogWiring, AnOpenedDocumentOpensAFreshFormOfItsTypeModally)
{
    QTemporaryDir dir;
    ASSERT_TRUE(test::makeProgramFolder(dir.path()));
    platform::RecordingMessageBoxes boxes;
    AppState state;
    state.programFolder = dir.path();
    state.FilePrefix = QStringLiteral("VELDOR");
    state.company = {QStringLiteral("Фирма ООД"), QStringLiteral("123456786")};
    state.period = {QStringLiteral("12"), 2005};

    QWidget owner;
    owner.show();
    // The two types of a shared form show the same caption; the type decides
    // the help topic and, for the balance in liquidation, the Sum button.
    const struct
    {
        int position;
        int topic;
        const char* caption;
        bool sumShown;
    } cases[] = {
        {0, 2010, "TELM Transfer - Баланс", false},
        {1, 2015, "TELM Transfer - Баланс в ликвидация", false},
        {2, 2020, "TELM Transfer - Баланс в ликвидация", true},
        {5, 2035, "TELM Transfer - Отчет за приходи и разходи", true},
        {6, 2040, "TELM Transfer - Отчет за приходи и разходи в ликвидация", true},
        {7, 2045, "TELM Transfer - Отчет за приходи и разходи в ликвидация", true},
    };
    for (const auto& c : cases) {
        const DocType* type = DocTypeAt(c.position);
        state.docType.Name = type->titleText();
        const OpenedDocument document =
            DocumentInContext(state, *type, 0, TemplatePath(dir.path(), *type), false);
        const SeenModal seen = seeModal([&] { OpenDocumentForm(state, &owner, document); });
        EXPECT_EQ(seen.className, QStringLiteral("telm::frmDocument")) << c.position;
        EXPECT_EQ(seen.parent, &owner);
        EXPECT_EQ(seen.title, QString::fromUtf8(c.caption));
        EXPECT_EQ(seen.topic, c.topic) << c.position;
        EXPECT_EQ(seen.sumShown, c.sumShown) << c.position;
    }
}

} // namespace
