// Shared pieces of the selection-dialog tests: typing into widgets, a program
// folder of the test's own, and an opener that records what it was asked.
#pragma once

#include "selection/Catalogue.h"
#include "selection/DocumentContext.h"
#include "selection/DocumentOpener.h"

#include <QString>
#include <QTemporaryDir>
#include <QWidget>

#include <vector>

#include <gtest/gtest.h>

class QWidget;

namespace telm::test {

// A dialog's child widget by its object name; a missing one fails the test.
template <typename T>
T* namedChild(const QWidget& parent, const char* name)
{
    T* widget = parent.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

// Types text into a widget one character at a time (Cyrillic included).
void typeText(QWidget* widget, const QString& text);

// A temporary program folder with Blanki/ and Data/ and minimal templates.
struct ProgramFolder
{
    QTemporaryDir dir;
    QString path() const { return dir.path(); }
    QString dataFile(const QString& name) const
    {
        return dir.filePath(QStringLiteral("Data/") + name);
    }
    bool writeTemplate(const DocType& type) const;
    bool writeAllTemplates() const;
    bool removeBlanki() const;
};

// A data file whose header holds the given texts.
bool writeDataFile(const QString& path, const QString& document, const QString& compname,
                   const QString& period);

// What the document form would have seen when it opened.
struct OpenedCall
{
    QWidget* parent = nullptr;
    bool parentVisible = false;
    OpenedDocument document{};
    clsCompany company;
    clsPeriod period;
    clsDocType docType;
    bool prognosis = false;
    bool balanceLiquidVariant = false;
    bool incomeLiquidVariant = false;
    QString openedDataFilePath;
    QString xmlCompname; // compname of the shared XML document's header, empty when none
};

class RecordingOpener
{
public:
    explicit RecordingOpener(const AppState& state) : m_state(state) {}
    DocumentOpener opener();
    std::vector<OpenedCall> calls;

private:
    const AppState& m_state;
};

} // namespace telm::test
