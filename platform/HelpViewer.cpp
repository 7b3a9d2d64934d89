#include "platform/HelpViewer.h"

#include "platform/MessageBoxes.h"
#include "platform/ScreenFit.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QSplitter>
#include <QTextBrowser>
#include <QUrl>

namespace telm::platform {

namespace {

HelpOpener& installedOpener()
{
    static HelpOpener opener;
    return opener;
}

} // namespace

HelpViewer::HelpViewer(HelpFile file, int topic, QWidget* parent)
    : QDialog(parent), m_file(std::move(file))
{
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(m_file.title.isEmpty() ? QStringLiteral("Помощ") : m_file.title);
    setWindowFlag(Qt::WindowMaximizeButtonHint);

    m_list = new QListWidget;
    m_list->setObjectName(QStringLiteral("lstTopics"));
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (const HelpTopic& entry : m_file.topics) {
        auto* item = new QListWidgetItem(entry.title, m_list);
        item->setToolTip(entry.title);
    }

    m_text = new QTextBrowser;
    m_text->setObjectName(QStringLiteral("txtTopic"));
    m_text->setOpenLinks(false);

    auto* splitter = new QSplitter;
    splitter->addWidget(m_list);
    splitter->addWidget(m_text);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    // The list is as wide as its longest title, so no title is cut off.
    const int listWidth = m_list->sizeHintForColumn(0) + 2 * m_list->frameWidth() + 12;
    splitter->setSizes({listWidth, 600});

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(splitter);
    resize(FitToScreen(this, QSize(listWidth + 620, 600)));

    connect(m_list, &QListWidget::currentRowChanged, this,
            &HelpViewer::lstTopics_CurrentRowChanged);
    connect(m_text, &QTextBrowser::anchorClicked, this, &HelpViewer::txtTopic_AnchorClicked);

    showTopic(topic);
}

void HelpViewer::showTopic(int topic)
{
    const int index = m_file.indexOf(topic);
    if (index < 0) {
        // The topics list, as the contents command opens it.
        m_list->setCurrentRow(m_file.topics.empty() ? -1 : 0);
        m_list->setFocus();
        return;
    }
    m_list->setCurrentRow(index);
    m_text->setFocus();
}

int HelpViewer::currentTopic() const
{
    const int row = m_list->currentRow();
    if (row < 0 || row >= static_cast<int>(m_file.topics.size()))
        return 0;
    return m_file.topics[static_cast<std::size_t>(row)].id;
}

void HelpViewer::lstTopics_CurrentRowChanged(int row)
{
    if (row < 0 || row >= static_cast<int>(m_file.topics.size())) {
        m_text->clear();
        return;
    }
    const HelpTopic& entry = m_file.topics[static_cast<std::size_t>(row)];
    m_text->setHtml(QStringLiteral("<h2>%1</h2>%2").arg(entry.title.toHtmlEscaped(), entry.html));
}

void HelpViewer::txtTopic_AnchorClicked(const QUrl& url)
{
    if (url.scheme() != QLatin1String("topic"))
        return;
    bool ok = false;
    const int topic = url.path().toInt(&ok);
    if (ok && m_file.indexOf(topic) >= 0)
        showTopic(topic);
}

void OpenHelpViewer(QWidget* parent, const QString& helpFile, int topic)
{
    HelpLoadResult loaded = LoadHelpFile(helpFile);
    if (!loaded.file) {
        ShowMessage(parent, QStringLiteral("Помощ"),
                    QStringLiteral("Файлът с помощна информация не може да бъде отворен: ")
                        + helpFile,
                    MsgIcon::Warning);
        return;
    }
    HelpViewer viewer(std::move(*loaded.file), topic, parent);
    viewer.setWindowModality(Qt::ApplicationModal);
    viewer.exec();
}

void OpenHelp(QWidget* parent, const QString& helpFile, int topic)
{
    if (installedOpener())
        installedOpener()(parent, helpFile, topic);
    else
        OpenHelpViewer(parent, helpFile, topic);
}

void installHelpOpener(HelpOpener opener)
{
    installedOpener() = std::move(opener);
}

} // namespace telm::platform
