// The findings panel and its model: what each line says, where Enter and a
// double click go, and what an empty check shows.
#include "editor/FindingsPanel.h"

#include "editor/FindingsModel.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

using namespace telm;

namespace {

Finding resultFinding()
{
    FindingRow profit{
        QStringLiteral("Баланс"),
        true,
        QString(),
        QStringLiteral("2. Текуща печалба"),
        QStringLiteral("Текуща година"),
        1,
        1180,
        RowTarget{QString(), 4, QStringLiteral("750"), QStringLiteral("DocDta_Sum3")}};
    FindingRow income{QStringLiteral("Отчет за приходите и разходите"),
                      false,
                      QStringLiteral("02200"),
                      QStringLiteral("Е. Печалба (Д - V)"),
                      QString(),
                      -1,
                      180,
                      RowTarget{QStringLiteral("/data/VELDOR_OPR_123456786_2005_12.xml"), 2,
                                QStringLiteral("330"), QStringLiteral("DocDta_Sum1")}};
    return Finding{QStringLiteral("Резултатът не е равен: 1 180 ≠ 180, разлика 1 000"),
                   {income, profit},
                   1000};
}

TEST(FindingsModel, EachFindingListsItsRowsByTitleWithAmountsAndTheOtherStatement)
{
    FindingsModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.setFindings({resultFinding(), Finding{QStringLiteral("Файлът x не е сравнен."), {}, {}}});
    ASSERT_EQ(model.rowCount(), 2);
    const QModelIndex finding = model.index(0, 0);
    EXPECT_EQ(finding.data().toString(), resultFinding().text);
    EXPECT_EQ(model.index(0, 1).data().toString(), QString::fromUtf8("разлика 1\u00A0000"));
    ASSERT_EQ(model.rowCount(finding), 2);
    EXPECT_EQ(model.index(0, 0, finding).data().toString(),
              QStringLiteral("Отчет за приходите и разходите: „Е. Печалба (Д - V)“ (код 02200)"));
    EXPECT_EQ(model.index(0, 1, finding).data().toString(), QStringLiteral("− 180"));
    EXPECT_EQ(model.index(1, 0, finding).data().toString(),
              QStringLiteral("„2. Текуща печалба“, колона „Текуща година“"));
    EXPECT_EQ(model.index(1, 1, finding).data().toString(), QString::fromUtf8("1\u00A0180"));
    EXPECT_EQ(model.rowCount(model.index(1, 0)), 0);
    EXPECT_TRUE(model.index(1, 1).data().toString().isEmpty()); // nothing was summed

    // A row goes to itself; a finding to its first row on screen; a bare text nowhere.
    EXPECT_EQ(model.targetAt(model.index(0, 0, finding))->id, QStringLiteral("330"));
    EXPECT_EQ(model.targetAt(finding)->id, QStringLiteral("750"));
    EXPECT_TRUE(model.targetAt(finding)->path.isEmpty());
    EXPECT_FALSE(model.targetAt(model.index(1, 0)));

    // Nothing subtracted is a plain 0, not "− 0".
    Finding zero = resultFinding();
    zero.rows[0].amount = 0;
    model.setFindings({zero});
    EXPECT_EQ(model.index(0, 1, model.index(0, 0)).data().toString(), QStringLiteral("0"));
}

TEST(FindingsPanel, EnterAndDoubleClickGoToTheRowAndAnEmptyCheckSaysSo)
{
    FindingsPanel panel;
    EXPECT_EQ(panel.accessibleName(), QStringLiteral("Констатации от контролите"));
    EXPECT_FALSE(panel.accessibleDescription().isEmpty());
    panel.resize(700, 240);
    panel.show();
    panel.setFindings({resultFinding()});
    QApplication::processEvents();
    QSignalSpy chosen(&panel, &FindingsPanel::rowChosen);

    QTreeView* view = panel.view();
    view->setFocus();
    view->setCurrentIndex(panel.model()->index(0, 0));
    QTest::keyClick(view, Qt::Key_Return);
    ASSERT_EQ(chosen.size(), 1);
    EXPECT_EQ(chosen[0][0].value<RowTarget>().id, QStringLiteral("750"));

    const QModelIndex income = panel.model()->index(0, 0, panel.model()->index(0, 0));
    const QPoint at = view->visualRect(income).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
    ASSERT_EQ(chosen.size(), 2);
    const RowTarget target = chosen[1][0].value<RowTarget>();
    EXPECT_EQ(target.id, QStringLiteral("330"));
    EXPECT_EQ(target.level, 2);
    EXPECT_EQ(target.path, QStringLiteral("/data/VELDOR_OPR_123456786_2005_12.xml"));

    // An edit after the check says the amounts may be old, until the next check.
    panel.markOutdated();
    EXPECT_TRUE(panel.summary()->text().startsWith(QStringLiteral(
        "Документът е променен след проверката – F9 проверява отново. Разлики: 1.")));
    panel.setFindings({});
    EXPECT_EQ(panel.summary()->text(), QStringLiteral("Контролите не откриват разлики."));
    EXPECT_FALSE(panel.view()->isVisible());
}

} // namespace
