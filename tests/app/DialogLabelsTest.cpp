// Every field of every window is named for a screen reader: by a buddy label
// or by an accessible name, never only by what it holds ("3", "Баланс").
#include "app/frmImport.h"
#include "app/frmMain.h"
#include "export/frmSaveXMLAs.h"
#include "selection/DocumentContext.h"
#include "selection/frmChooseFile.h"
#include "selection/frmChoosePrm.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>

#include <memory>

#include <gtest/gtest.h>

using namespace telm;

namespace {

// What a screen reader says a field is: its accessible name, or the label
// that names it (the relation Qt gives a buddy label).
QString labelOf(QWidget* field)
{
    if (!field->accessibleName().isEmpty())
        return field->accessibleName();
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(field);
    for (const auto& [label, relation] : iface->relations(QAccessible::Label))
        if (!label->text(QAccessible::Name).isEmpty())
            return label->text(QAccessible::Name);
    return iface->role() == QAccessible::ComboBox ? QString() : iface->text(QAccessible::Name);
}

void expectEveryFieldNamed(QWidget& window)
{
    SCOPED_TRACE(window.objectName().toStdString());
    for (QWidget* field : window.findChildren<QWidget*>()) {
        const bool isField = qobject_cast<QLineEdit*>(field) || qobject_cast<QComboBox*>(field)
                             || qobject_cast<QAbstractItemView*>(field)
                             || qobject_cast<QAbstractButton*>(field);
        // A combo box's own line edit and list, a tree's header and the parts a
        // window hides belong to what holds them.
        if (!isField || field->isHidden() || qobject_cast<QComboBox*>(field->parentWidget())
            || qobject_cast<QAbstractItemView*>(field->parentWidget())
            || field->window() != &window)
            continue;
        SCOPED_TRACE(field->objectName().toStdString());
        const QString label = labelOf(field);
        EXPECT_FALSE(label.isEmpty());
        if (auto* list = qobject_cast<QComboBox*>(field)) {
            EXPECT_NE(label, list->currentText());
            EXPECT_FALSE(field->accessibleDescription().isEmpty());
        }
    }
}

class DialogLabelsTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    AppState state;
};

TEST_F(DialogLabelsTest, TheNewDocumentDialogNamesItsListsAndFields)
{
    frmChoosePrm dialog(state, {});
    expectEveryFieldNamed(dialog);
    EXPECT_EQ(labelOf(dialog.findChild<QComboBox*>(QStringLiteral("cboMonth"))),
              QStringLiteral("Месец"));
    EXPECT_EQ(labelOf(dialog.findChild<QComboBox*>(QStringLiteral("cboDocument"))),
              QStringLiteral("Документ"));
    EXPECT_EQ(labelOf(dialog.findChild<QLineEdit*>(QStringLiteral("txtYear"))),
              QStringLiteral("Година"));
}

TEST_F(DialogLabelsTest, TheOtherWindowsNameTheirFields)
{
    frmChooseFile open(state, {});
    expectEveryFieldNamed(open);
    frmSaveXMLAs exportDialog(nullptr, dir.path());
    expectEveryFieldNamed(exportDialog);
    EXPECT_EQ(labelOf(exportDialog.findChild<QComboBox*>(QStringLiteral("Drive1"))),
              QStringLiteral("Устройство"));
    frmMain main(state);
    expectEveryFieldNamed(main);
}

TEST_F(DialogLabelsTest, TheImportDialogNamesItsFieldsAndItsPreview)
{
    frmImport dialog(state);
    expectEveryFieldNamed(dialog);
    EXPECT_EQ(labelOf(dialog.findChild<QComboBox*>(QStringLiteral("cboMonth"))),
              QStringLiteral("Месец"));
    EXPECT_EQ(labelOf(dialog.findChild<QLineEdit*>(QStringLiteral("txtTrialBalance"))),
              QStringLiteral("Оборотна ведомост"));
    EXPECT_EQ(labelOf(dialog.findChild<QAbstractItemView*>(QStringLiteral("tblAccounts"))),
              QStringLiteral("Сметки на оборотната ведомост"));
}

} // namespace
