// The document engine's comparatives: last year's data file looked for at
// load, carried into a new document or taken again on request, the
// previous-year fields written, and the findings over them after a save.
#include "editor/AmountText.h"
#include "editor/Comparatives.h"
#include "editor/DocumentEngine.h"
#include "selection/Catalogue.h"
#include "selection/DataFileName.h"

#include <QDir>

namespace telm {

namespace {

const QString kTitle = QStringLiteral("Внимание!");

} // namespace

PreviousYearFile DocumentEngine::readLastYear() const
{
    return ReadPreviousYear(PreviousYearPath(targetPath()), m_formFields,
                            Filing{m_header.bulstat, m_header.period.section(u'/', 0, 0),
                                   docType().titleText(), m_header.forecast});
}

void DocumentEngine::lookAtLastYear(const QStringList& formFields)
{
    m_formFields = formFields;
    m_comparativesNotice.reset();
    m_typedComparatives = false;
    m_writtenFields = m_amountFields;
    m_writtenColumns = m_amountColumns;
    if (!CarriesFromLastYear(m_profile))
        return;
    for (const CaptionedColumn& c : m_profile.previousYear)
        if (c.carriedFrom >= 0 && c.column < formFields.size()) {
            m_writtenFields << formFields[c.column];
            m_writtenColumns.push_back(c.column);
        }
    const PreviousYearFile previous = readLastYear();
    m_typedComparatives = !previous.usable();
    if (previous.found && previous.fault)
        m_comparativesNotice =
            UserMessage{kTitle, PreviousYearFaultText(previous), UserMessage::Icon::Warning};
    // A new document takes them; a correction keeps what it stored.
    if (m_document.editType == 0 && previous.usable())
        CarryComparatives(m_profile, previous.rowset, m_grid);
}

std::optional<UserMessage> DocumentEngine::refreshComparatives()
{
    const PreviousYearFile previous = readLastYear();
    if (!previous.usable())
        return UserMessage{kTitle,
                           previous.found ? PreviousYearFaultText(previous)
                                          : QStringLiteral("Няма файл с данни за предходната "
                                                           "година: %1.")
                                                .arg(QDir::toNativeSeparators(previous.path)),
                           UserMessage::Icon::Warning};
    m_typedComparatives = false;
    CarryComparatives(m_profile, previous.rowset, m_grid);
    followEntry();
    // Taken again at the user's word: a change to save, as an entry is, but
    // one that changes the form's columns, so no undo goes back past it.
    m_changed = true;
    m_history.forgetSavedState();
    return std::nullopt;
}

int DocumentEngine::columnOfField(const QString& field) const
{
    const qsizetype at = m_writtenFields.indexOf(field);
    return at < 0 ? -1 : m_writtenColumns[static_cast<std::size_t>(at)];
}

} // namespace telm
