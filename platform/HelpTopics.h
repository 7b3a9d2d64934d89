// The help file and the F1 topic rule, without any window.
//
// Help.hlp is a UTF-8 XML file of this shape:
//
//   <help title="TELM Transfer - Помощ">
//     <topic id="1000" title="Главен прозорец">
//       <p>Text of the topic in <b>HTML</b> (well-formed, so it is XML too).</p>
//       <p>A link to another topic: <a href="topic:2005">Въвеждане на документи</a>.</p>
//     </topic>
//     ...
//   </help>
//
// Topics are listed in file order; `id` is the help topic number that windows
// and menu items carry. The markup inside <topic> is the topic's HTML body.
//
// Windows and menu actions carry their topic number in the dynamic property
// "helpTopic" (an int); F1 uses the highlighted menu item's number if there is
// one, otherwise the first number found walking up from the active window.
#pragma once

#include <QString>

#include <optional>
#include <vector>

class QObject;

namespace telm::platform {

inline constexpr char kHelpTopicProperty[] = "helpTopic";

struct HelpTopic
{
    int id = 0;
    QString title;
    QString html;
};

struct HelpFile
{
    QString title;
    std::vector<HelpTopic> topics;

    const HelpTopic* find(int id) const;
    int indexOf(int id) const; // -1 when there is no such topic
};

struct HelpLoadResult
{
    std::optional<HelpFile> file;
    QString error; // why the file could not be used, when file is empty
};

HelpLoadResult LoadHelpFile(const QString& path);
HelpLoadResult ParseHelpText(const QByteArray& utf8);

// The "helpTopic" property of one object, when set to a positive number.
std::optional<int> HelpTopicOf(const QObject* object);

// The topic F1 opens: the highlighted menu action's topic when it has one,
// else the first topic on the way from the active window up its parents.
std::optional<int> ResolveHelpTopic(const QObject* highlightedAction, const QObject* activeWindow);

} // namespace telm::platform
