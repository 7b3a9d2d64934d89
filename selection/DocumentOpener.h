// How a selection dialog hands over to the document form without depending on it:
// the caller injects an opener that shows the form modally and returns when it closes.
#pragma once

#include <functional>

class QWidget;

namespace telm {

struct DocType;

// Opens the document form for the shared state's context and waits until it closes.
struct OpenDocumentRequest
{
    const DocType* type;     // catalogue entry
    int editType;            // 0 new from the template, 1 correction of openedDataFilePath
    int helpTopic;           // the form's topic (shared forms: set by the new-document dialog; 0 = the form's own)
    bool sumVisible;         // for frmDocBalanceLiquid: BalLiq2 true, BalLiq false; others per profile
};

using DocumentOpener = std::function<void(QWidget* parent, const OpenDocumentRequest&)>;

} // namespace telm
