// Every document type opens from its shipped template, takes an entry in its
// first editable leaf, saves, and reopens for correction with the entry intact.
#include "editor/AmountText.h"
#include "editor/DocumentEngine.h"
#include "selection/Catalogue.h"
#include "selection/DocumentContext.h"
#include "selection/DocumentOpening.h"
#include "tests/support/TestFiles.h"
#include "xmlfiles/DataFile.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace telm;

class EveryDocumentType : public ::testing::TestWithParam<int>
{
};

TEST_P(EveryDocumentType, OpensTakesAnEntrySavesAndReopens)
{
    const DocType& type = *DocTypeAt(GetParam());
    SCOPED_TRACE(type.code);
    QTemporaryDir dir;
    ASSERT_TRUE(test::makeProgramFolder(dir.path()));
    AppState state;
    state.FilePrefix = QStringLiteral("VELDOR");
    state.programFolder = dir.path();
    state.company = {QStringLiteral("Фирма ООД"), QStringLiteral("123456786")};
    state.period = {QStringLiteral("6"), 2006};
    state.docType.Name = type.titleText();

    const Opening opening = OpenFromChoices(state, type, false);
    ASSERT_TRUE(opening.document);
    EXPECT_EQ(opening.document->editType, 0);
    auto engine = std::make_unique<DocumentEngine>(state, *opening.document);
    const FormProfile& profile = engine->profile();
    EXPECT_EQ(profile.id, type.form);
    const std::optional<UserMessage> failure = engine->load();
    ASSERT_FALSE(failure) << failure->text.toStdString();
    EXPECT_EQ(&engine->docType(), &type);
    EXPECT_EQ(state.hfGrid.MaxLevel, engine->maxLevel());

    int row = -1;
    int col = -1;
    for (int r = 1; r < engine->grid().Rows() && row < 0; ++r)
        for (const AmountColumn& a : profile.amounts)
            if (engine->canEdit(r, a.column)) {
                row = r;
                col = a.column;
                break;
            }
    ASSERT_GT(row, 0) << "no editable cell";
    ASSERT_TRUE(engine->commit(row, col, QStringLiteral("321")));
    engine->prepareSave(); // sums where the form runs them; a warning does not stop the save
    ASSERT_FALSE(engine->writeAndSave());
    const QString path = dir.filePath(
        QStringLiteral("Data/VELDOR_%1_123456786_2006_6.xml").arg(QString::fromLatin1(type.code)));
    EXPECT_EQ(state.dataFilePath, path);

    engine.reset(); // closed before it is opened again
    const Opening reopening = OpenFromDataFile(state, path);
    ASSERT_TRUE(reopening.document);
    EXPECT_EQ(reopening.document->type, &type);
    EXPECT_EQ(reopening.document->editType, 1);
    DocumentEngine correction(state, *reopening.document);
    ASSERT_FALSE(correction.load());
    EXPECT_EQ(correction.grid().TextMatrix(row, col), QStringLiteral("321"));
    EXPECT_EQ(correction.header().period, QStringLiteral("6/2006"));
}

// Deleting one amount and closing asks whether to save, on every form.
TEST_P(EveryDocumentType, ADeleteIsAChangeThatClosingAsksAbout)
{
    const DocType& type = *DocTypeAt(GetParam());
    SCOPED_TRACE(type.code);
    QTemporaryDir dir;
    ASSERT_TRUE(test::makeProgramFolder(dir.path()));
    AppState state;
    state.FilePrefix = QStringLiteral("VELDOR");
    state.programFolder = dir.path();
    state.company = {QStringLiteral("Фирма ООД"), QStringLiteral("123456786")};
    state.period = {QStringLiteral("6"), 2006};
    state.docType.Name = type.titleText();
    const Opening opening = OpenFromChoices(state, type, false);
    ASSERT_TRUE(opening.document);
    DocumentEngine engine(state, *opening.document);
    ASSERT_FALSE(engine.load());

    const GridModel& grid = engine.grid();
    for (int r = 1; r < grid.Rows(); ++r)
        for (const AmountColumn& a : engine.profile().amounts)
            if (engine.canEdit(r, a.column) && engine.canDelete(r, a.column)) {
                ASSERT_TRUE(engine.commit(r, a.column, QStringLiteral("5")));
                ASSERT_FALSE(engine.writeAndSave());
                ASSERT_FALSE(engine.needsSaveQuestion());
                ASSERT_TRUE(engine.deleteCell(r, a.column));
                EXPECT_TRUE(engine.needsSaveQuestion());
                return;
            }
    FAIL() << "no cell takes both an entry and the Delete key";
}

INSTANTIATE_TEST_SUITE_P(Catalogue, EveryDocumentType, ::testing::Range(0, kDocTypeCount));
