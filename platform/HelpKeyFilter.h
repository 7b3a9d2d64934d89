// F1 anywhere in the program: an application-wide event filter that opens
// help at the topic of the highlighted menu item or of the active window.
#pragma once

#include <QObject>
#include <QString>

class QWidget;

namespace telm::platform {

class HelpKeyFilter : public QObject
{
    Q_OBJECT
public:
    // helpFile is read at each F1, so it may be set after the filter.
    explicit HelpKeyFilter(const QString& helpFile, QObject* parent = nullptr);

    void setHelpFile(const QString& helpFile) { m_helpFile = helpFile; }

    // The topic F1 would open now (kHelpContents when nothing carries one),
    // and the window the help would be modal over.
    int currentTopic(QWidget* receiver) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString m_helpFile;
};

} // namespace telm::platform
