// The fixed colours of the document forms keep their text readable: a contrast
// of at least 4.5 : 1, measured as the accessibility guidelines measure it.
#include "editor/FormProfile.h"
#include "grid/Contrast.h"
#include "grid/GridPainter.h"

#include <gtest/gtest.h>

using namespace telm;

namespace {

TEST(Contrast, MeasuresAsTheGuidelinesDo)
{
    const struct
    {
        QColor a, b;
        double ratio;
    } cases[] = {
        {Qt::black, Qt::white, 21.0},
        {Qt::white, Qt::black, 21.0},
        {QColor(0, 128, 128), QColor(0, 128, 128), 1.0},
        {QColor(118, 118, 118), Qt::white, 4.54}, // the lightest grey readable on white
        {Qt::red, Qt::white, 4.0},
        {Qt::white, QColor(0, 128, 128), 4.77},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(ContrastRatio(c.a, c.b), c.ratio, 0.01) << c.a.name().toStdString();
}

// Every text colour a name cell takes, on every background it meets it on: the
// title entered (or its own colour) on the background left behind and after a
// save, the title being typed into, the title after a commit or Esc.
TEST(FormColours, EveryNameCellMarkIsReadable)
{
    for (const FormProfile& profile : FormProfiles()) {
        SCOPED_TRACE(profile.name);
        const NameCellMarks& m = profile.nameCellMarks;
        const QRgb own =
            (profile.fixedCols > 0 ? GridColors::kFixedFore : GridColors::kCellFore).rgb();
        const QRgb entered = m.enteredText.value_or(own);
        const struct
        {
            QRgb text, back;
        } pairs[] = {
            {m.leftText.value_or(entered), m.leftBack},
            {m.leftText.value_or(m.committedText), m.leftBack},
            {m.editingText, m.editingBack},
            {m.committedText, m.editingBack},
            {entered, m.restingBack},
            {m.committedText, m.restingBack},
        };
        for (const auto& p : pairs)
            EXPECT_GE(ContrastRatio(QColor::fromRgb(p.text), QColor::fromRgb(p.back)),
                      kReadableContrast)
                << QColor::fromRgb(p.text).name().toStdString() << " on "
                << QColor::fromRgb(p.back).name().toStdString();
    }
}

TEST(FormColours, TheGridAndTheEditorBoxAreReadable)
{
    EXPECT_GE(ContrastRatio(GridColors::kFixedFore, GridColors::kFixedBack), kReadableContrast);
    EXPECT_GE(ContrastRatio(GridColors::kCellFore, GridColors::kCellBack), kReadableContrast);
    EXPECT_GE(ContrastRatio(QColor::fromRgb(kEditedText), Qt::white), kReadableContrast);
}

} // namespace
