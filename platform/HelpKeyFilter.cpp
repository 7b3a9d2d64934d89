#include "platform/HelpKeyFilter.h"

#include "platform/HelpTopics.h"
#include "platform/HelpViewer.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

namespace telm::platform {

namespace {

// The menu item under the user's eye: the highlighted entry of an open menu
// (or the menu's own title when no entry is highlighted), or the highlighted
// title of a menu bar driven from the keyboard.
const QAction* highlightedAction()
{
    if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
        const QAction* active = menu->activeAction();
        if (active && HelpTopicOf(active))
            return active;
        return menu->menuAction();
    }
    if (auto* bar = qobject_cast<QMenuBar*>(QApplication::focusWidget()))
        return bar->activeAction();
    return nullptr;
}

QWidget* helpOwner(QWidget* receiver)
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    if (QWidget* active = QApplication::activeWindow())
        return active;
    return receiver ? receiver->window() : nullptr;
}

} // namespace

HelpKeyFilter::HelpKeyFilter(const QString& helpFile, QObject* parent)
    : QObject(parent), m_helpFile(helpFile)
{
}

int HelpKeyFilter::currentTopic(QWidget* receiver) const
{
    return ResolveHelpTopic(highlightedAction(), helpOwner(receiver)).value_or(kHelpContents);
}

bool HelpKeyFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier)
        return false;
    auto* receiver = qobject_cast<QWidget*>(watched);
    if (!receiver)
        return false;

    const int topic = currentTopic(receiver);
    QPointer<QWidget> owner = helpOwner(receiver);
    // An open menu would keep the keyboard and mouse; close it before the
    // help window takes over.
    if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget()))
        menu->close();
    OpenHelp(owner, m_helpFile, topic);
    return true;
}

} // namespace telm::platform
