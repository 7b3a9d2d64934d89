// The new-document dialog offers the companies it is given by BULSTAT and by
// name; choosing one fills both fields, and a company whose document has been
// saved is offered from then on.
#include "platform/MessageBoxes.h"
#include "selection/frmChoosePrm.h"
#include "tests/selection/SelectionTestSupport.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace telm;
using namespace telm::test;

namespace {

class CompanyCompletionTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.writeAllTemplates());
        state.FilePrefix = QStringLiteral("VELDOR");
        state.programFolder = folder.path();
        dialog = std::make_unique<frmChoosePrm>(state, opener.opener());
        dialog->setCompanies({{QStringLiteral("Алфа ООД"), QStringLiteral("123456786")},
                              {QStringLiteral("Бета ЕООД"), QStringLiteral("100000086")}});
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    }

    QLineEdit* field(const char* name) { return namedChild<QLineEdit>(*dialog, name); }

    // Types into a field and takes the first entry its completer offers.
    void typeAndTakeFirst(const char* name, const QString& text)
    {
        QLineEdit* edit = field(name);
        edit->setFocus();
        typeText(edit, text);
        QAbstractItemView* popup = edit->completer()->popup();
        ASSERT_TRUE(QTest::qWaitFor([popup] { return popup->isVisible(); })) << name;
        QTest::keyClick(popup, Qt::Key_Down);
        QTest::keyClick(popup, Qt::Key_Return);
    }

    ProgramFolder folder;
    AppState state;
    platform::RecordingMessageBoxes boxes;
    RecordingOpener opener{state};
    std::unique_ptr<frmChoosePrm> dialog;
};

TEST_F(CompanyCompletionTest, ChoosingByBulstatOrByNameFillsBoth)
{
    const struct
    {
        const char* field;
        QString typed;
        QString bulstat, name;
    } cases[] = {
        {"txtBulstat", QStringLiteral("1000"), QStringLiteral("100000086"),
         QStringLiteral("Бета ЕООД")},
        {"txtName", QStringLiteral("алфа"), QStringLiteral("123456786"),
         QStringLiteral("Алфа ООД")},
        {"txtName", QStringLiteral("ЕООД"), QStringLiteral("100000086"),
         QStringLiteral("Бета ЕООД")},
    };
    for (const auto& c : cases) {
        field("txtBulstat")->clear();
        field("txtName")->clear();
        typeAndTakeFirst(c.field, c.typed);
        EXPECT_EQ(field("txtBulstat")->text(), c.bulstat) << c.field;
        EXPECT_EQ(field("txtName")->text(), c.name) << c.field;
    }
    EXPECT_TRUE(boxes.shown.empty()) << "Enter in the list chooses, it does not press Избор";
    EXPECT_TRUE(opener.calls.empty());
}

TEST_F(CompanyCompletionTest, ANewCompanyIsOfferedOnceItsDocumentIsSaved)
{
    typeText(field("txtYear"), QStringLiteral("2025"));
    typeText(field("txtBulstat"), QStringLiteral("100000550"));
    typeText(field("txtName"), QStringLiteral("Гама АД"));
    // Not saved: the form closed without a file.
    QTest::mouseClick(namedChild<QPushButton>(*dialog, "cmdOk"), Qt::LeftButton);
    EXPECT_EQ(dialog->companies().size(), 2u);

    ASSERT_TRUE(writeDataFile(folder.dataFile(QStringLiteral("VELDOR_Bal_100000550_2025_3.xml")),
                              QStringLiteral("Баланс"), QStringLiteral("Гама АД"),
                              QStringLiteral("3/2025")));
    QTest::mouseClick(namedChild<QPushButton>(*dialog, "cmdOk"), Qt::LeftButton);
    ASSERT_EQ(dialog->companies().size(), 3u);
    EXPECT_EQ(dialog->companies().back().Name, QStringLiteral("Гама АД"));
}

} // namespace
