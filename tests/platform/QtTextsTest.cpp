// Qt's own texts in Bulgarian once the catalogue is loaded: the standard
// buttons of a message box and Qt's file-open dialog.
#include "platform/Application.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace telm::platform;

TEST(QtTexts, StandardButtonsAndTheOpenDialogReadInBulgarian)
{
    if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_bg.qm"))
        GTEST_SKIP() << "Qt's Bulgarian catalogue (qt6-translations-l10n) is not installed";
    ASSERT_TRUE(InstallBulgarianQtTexts(*qApp));

    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text().remove(u'&'), QStringLiteral("Да"));
    EXPECT_EQ(box.button(QMessageBox::No)->text().remove(u'&'), QStringLiteral("Не"));
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text().remove(u'&'), QStringLiteral("Отказ"));

    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    const auto* buttons = dialog.findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr);
    EXPECT_EQ(buttons->button(QDialogButtonBox::Open)->text().remove(u'&'),
              QStringLiteral("Отваряне"));
}
