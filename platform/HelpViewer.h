// The help window: the topics of Help.hlp listed on the left, the chosen
// topic's text on the right. The file format is described in HelpTopics.h.
#pragma once

#include "platform/HelpTopics.h"

#include <QDialog>

#include <functional>

class QListWidget;
class QTextBrowser;
class QUrl;

namespace telm::platform {

// Opening at this number shows the topics list with the first topic chosen.
inline constexpr int kHelpContents = 0;

class HelpViewer : public QDialog
{
    Q_OBJECT
public:
    HelpViewer(HelpFile file, int topic, QWidget* parent = nullptr);

    void showTopic(int topic);
    int currentTopic() const;

    QListWidget* topicList() const { return m_list; }
    QTextBrowser* topicText() const { return m_text; }

private:
    void lstTopics_CurrentRowChanged(int row);
    void txtTopic_AnchorClicked(const QUrl& url);

    HelpFile m_file;
    QListWidget* m_list = nullptr;
    QTextBrowser* m_text = nullptr;
};

// Opens the help file at a topic, modal over parent; a file that cannot be
// read is reported in a message box. Tests replace the opener to see the calls.
void OpenHelp(QWidget* parent, const QString& helpFile, int topic);

using HelpOpener = std::function<void(QWidget* parent, const QString& helpFile, int topic)>;
void installHelpOpener(HelpOpener opener); // an empty function restores the viewer

// The viewer's own opener, for callers that replaced it and want it back in a chain.
void OpenHelpViewer(QWidget* parent, const QString& helpFile, int topic);

} // namespace telm::platform
