// How a selection dialog hands over to the document form without depending on
// it: the caller injects an opener that shows the form modally for an opened
// document and returns when the form has closed.
#pragma once

#include "selection/DocumentOpening.h"

#include <functional>

class QWidget;

namespace telm {

using DocumentOpener = std::function<void(QWidget* parent, const OpenedDocument& document)>;

} // namespace telm
