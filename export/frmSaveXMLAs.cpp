#include "export/frmSaveXMLAs.h"

#include "export/ExportCopy.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"
#include "platform/Volumes.h"
#include "xmlfiles/VerifiedDataFile.h"
#include "xmlfiles/XmlDocument.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>

#include <cmath>

namespace telm {

namespace {

// The window's design measures in twips: left, top, width, height.
struct Twips
{
    int left, top, width, height;
};
constexpr Twips kClient{0, 0, 7980, 4545};
constexpr Twips kFrame{240, 240, 7455, 855};
constexpr Twips kFileName{120, 360, 6255, 375};
constexpr Twips kChooseFile{6480, 360, 855, 375};
constexpr Twips kDrive{240, 1320, 4155, 315};
constexpr Twips kDir{240, 1800, 4095, 1890};
constexpr Twips kSave{240, 3840, 1455, 495};
constexpr Twips kExit{6240, 3840, 1455, 495};

} // namespace

frmSaveXMLAs::frmSaveXMLAs(QWidget* parent, const QString& dataFolder)
    : QDialog(parent), m_dataFolder(dataFolder)
{
    setObjectName(QStringLiteral("frmSaveXMLAs"));
    setWindowTitle(QStringLiteral("Съхранение на данни на дискета"));
    setProperty("helpTopic", 2085);
    setModal(true);
    buildControls();
    Form_Load();
}

void frmSaveXMLAs::buildControls()
{
    // Twips to this screen's pixels; the text rows keep room for the font.
    const double dpi = logicalDpiX();
    auto px = [dpi](int twips) { return static_cast<int>(std::lround(twips * dpi / 1440.0)); };
    // A one-line control keeps at least its font's height.
    auto place = [&](QWidget* widget, const Twips& at, bool oneLine = true) {
        widget->setGeometry(px(at.left), px(at.top), px(at.width),
                            oneLine ? std::max(px(at.height), widget->sizeHint().height())
                                    : px(at.height));
    };

    m_frChooseFile = new QGroupBox(QStringLiteral("Изберете файл:"), this);
    m_frChooseFile->setObjectName(QStringLiteral("frChooseFile"));
    m_txtFileName = new QLineEdit(m_frChooseFile);
    m_txtFileName->setObjectName(QStringLiteral("txtFileName"));
    m_cmdChooseFile = new QPushButton(QStringLiteral("..."), m_frChooseFile);
    m_cmdChooseFile->setObjectName(QStringLiteral("cmdChooseFile"));
    m_cmdChooseFile->setAutoDefault(false);
    m_drive1 = new QComboBox(this);
    m_drive1->setObjectName(QStringLiteral("Drive1"));
    m_dir1 = new QTreeView(this);
    m_dir1->setObjectName(QStringLiteral("Dir1"));
    m_folders = new QFileSystemModel(this);
    m_folders->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_folders->setRootPath(QString());
    // The tree reads folders as it goes: show the chosen one again as its
    // ancestors arrive.
    connect(m_folders, &QFileSystemModel::directoryLoaded, this, [this](const QString& path) {
        if (m_shownFolder == path || m_shownFolder.startsWith(path + u'/') || path == u"/")
            showFolder();
    });
    m_dir1->setModel(m_folders);
    // The user's own choice of folder is the one to keep in view from then on.
    connect(m_dir1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid())
                    m_shownFolder = m_folders->filePath(current);
            });
    for (int column = 1; column < m_folders->columnCount(); ++column)
        m_dir1->hideColumn(column);
    m_dir1->header()->hide();
    // The fields have no labels on screen (the frame's caption and the lists
    // speak for themselves there); a screen reader is told what each is.
    m_txtFileName->setAccessibleName(QStringLiteral("Файл с данни"));
    m_txtFileName->setAccessibleDescription(QStringLiteral("Пътят до файла с данни за копиране"));
    m_cmdChooseFile->setAccessibleName(QStringLiteral("Избор на файл"));
    m_cmdChooseFile->setAccessibleDescription(
        QStringLiteral("Отваря прозорец за избор на файла с данни"));
    m_drive1->setAccessibleName(QStringLiteral("Устройство"));
    m_drive1->setAccessibleDescription(QStringLiteral("Устройството, на което се копира"));
    m_dir1->setAccessibleName(QStringLiteral("Папка"));
    m_dir1->setAccessibleDescription(QStringLiteral("Папката, в която се копира файлът"));
    m_cmdSave = new QPushButton(QStringLiteral("Съхрани"), this);
    m_cmdSave->setObjectName(QStringLiteral("cmdSave"));
    m_cmdSave->setDefault(true);
    m_cmdExit = new QPushButton(QStringLiteral("Изход"), this);
    m_cmdExit->setObjectName(QStringLiteral("cmdExit"));
    m_cmdExit->setAutoDefault(false);

    place(m_frChooseFile, kFrame);
    place(m_txtFileName, kFileName);
    place(m_cmdChooseFile, kChooseFile);
    // The frame grows with its field's row where the font asks for it.
    m_frChooseFile->resize(
        m_frChooseFile->width(),
        std::max(m_frChooseFile->height(), m_txtFileName->geometry().bottom() + px(120)));
    place(m_drive1, kDrive);
    place(m_dir1, kDir, false);
    place(m_cmdSave, kSave);
    place(m_cmdExit, kExit);
    setFixedSize(px(kClient.width),
                 std::max(px(kClient.height), m_cmdSave->geometry().bottom() + px(210)));

    // The file to copy first, then where to.
    setTabOrder(m_txtFileName, m_cmdChooseFile);
    setTabOrder(m_cmdChooseFile, m_drive1);
    setTabOrder(m_drive1, m_dir1);
    setTabOrder(m_dir1, m_cmdSave);
    setTabOrder(m_cmdSave, m_cmdExit);
    m_txtFileName->setFocus();

    connect(m_drive1, &QComboBox::activated, this, &frmSaveXMLAs::Drive1_Change);
    connect(m_cmdChooseFile, &QPushButton::clicked, this, &frmSaveXMLAs::cmdChooseFile_Click);
    connect(m_cmdSave, &QPushButton::clicked, this, &frmSaveXMLAs::cmdSave_Click);
    connect(m_cmdExit, &QPushButton::clicked, this, &frmSaveXMLAs::cmdExit_Click);
}

void frmSaveXMLAs::Form_Load()
{
    // The folder list starts in the folder the program was started from.
    m_startFolder = QDir::currentPath();
    fillDrives();
    setCurrentFolder(m_startFolder);
    m_drive1->setCurrentIndex(driveOf(m_startFolder));
}

void frmSaveXMLAs::fillDrives()
{
    m_drive1->clear();
    m_driveRoots.clear();
    for (const platform::Volume& volume : platform::volumes().mounted()) {
        m_drive1->addItem(volume.name);
        m_driveRoots.push_back(volume.root);
    }
}

int frmSaveXMLAs::driveOf(const QString& folder) const
{
    const QString root = platform::volumes().volumeOf(folder).root;
    for (size_t i = 0; i < m_driveRoots.size(); ++i)
        if (m_driveRoots[i] == root)
            return static_cast<int>(i);
    return -1;
}

QString frmSaveXMLAs::currentFolder() const
{
    return m_folders->filePath(m_dir1->currentIndex());
}

void frmSaveXMLAs::setCurrentFolder(const QString& folder)
{
    m_shownFolder = QDir(folder).absolutePath();
    showFolder();
}

void frmSaveXMLAs::showFolder()
{
    const QModelIndex index = m_folders->index(m_shownFolder);
    m_dir1->setCurrentIndex(index);
    for (QModelIndex up = index.parent(); up.isValid(); up = up.parent())
        m_dir1->expand(up);
    m_dir1->scrollTo(index, QAbstractItemView::PositionAtCenter);
}

void frmSaveXMLAs::Drive1_Change(int index)
{
    const std::vector<platform::Volume> list = platform::volumes().mounted();
    const bool usable = index >= 0 && index < static_cast<int>(list.size())
                        && list[size_t(index)].ready && QDir(list[size_t(index)].root).isReadable();
    if (usable) {
        // The chosen drive's folder; back on the start folder's drive, the start folder.
        const QString root = list[size_t(index)].root;
        setCurrentFolder(driveOf(m_startFolder) == index ? m_startFolder : root);
        return;
    }
    platform::ShowMessage(
        this, QStringLiteral("Грешка"),
        QStringLiteral(
            "Грешка при избор на дестинация на файл за експорт. Устройството не е готово"),
        platform::MsgIcon::Critical);
    // Back to the start folder's drive, which moves the folder list there.
    const int start = driveOf(m_startFolder);
    m_drive1->setCurrentIndex(start);
    if (start != index && start >= 0)
        Drive1_Change(start);
}

void frmSaveXMLAs::cmdChooseFile_Click()
{
    const QString chosen = platform::fileDialogs().getOpenFileName(
        this, QStringLiteral("Избор на файл"), platform::XmlFileFilters(), m_dataFolder);
    if (!chosen.isEmpty())
        m_txtFileName->setText(chosen);
}

void frmSaveXMLAs::setFilesToHandOver(const QStringList& paths)
{
    m_handOver = paths;
    QStringList names;
    for (const QString& path : paths)
        names << ExtractFileName(path);
    m_txtFileName->setText(names.join(QStringLiteral("; ")));
    m_txtFileName->setReadOnly(true);
    m_cmdChooseFile->setEnabled(false);
    if (!paths.isEmpty())
        m_dataFolder = QFileInfo(paths.first()).absolutePath();
}

void frmSaveXMLAs::handOver()
{
    // All or nothing as far as the files go: a filing is handed over whole.
    for (const QString& path : m_handOver) {
        XmlDocument xml;
        if (OpenVerifiedDataFile(path, xml)) {
            platform::ShowMessage(this, QStringLiteral("Внимание!"),
                                  QStringLiteral("Файлът %1 е променен извън програмата или не "
                                                 "може да бъде прочетен. Отчетността не е "
                                                 "записана.")
                                      .arg(QDir::toNativeSeparators(path)),
                                  platform::MsgIcon::Critical);
            return;
        }
    }
    const QString folder = currentFolder();
    QStringList copied;
    QStringList failed;
    for (const QString& path : m_handOver) {
        if (const std::optional<UserMessage> failure = ExportDataFile(path, folder))
            failed << ExtractFileName(path) + QStringLiteral(": ") + failure->text;
        else
            copied << ExtractFileName(path);
    }
    QString text = QStringLiteral("Записани файлове (%1) в %2:\n%3")
                       .arg(copied.size())
                       .arg(QDir::toNativeSeparators(folder), copied.join(u'\n'));
    if (!failed.isEmpty())
        text += QStringLiteral("\n\nНезаписани файлове:\n") + failed.join(u'\n');
    platform::ShowMessage(this, QStringLiteral("Съхранение на данни на дискета"), text,
                          failed.isEmpty() ? platform::MsgIcon::Information
                                           : platform::MsgIcon::Critical);
    if (failed.isEmpty())
        accept();
}

void frmSaveXMLAs::cmdSave_Click()
{
    if (!m_handOver.isEmpty())
        return handOver();
    if (m_txtFileName->text().isEmpty()) {
        platform::ShowMessage(this, QStringLiteral("Внимание!"),
                              QStringLiteral("Изберете файл за съхранение!"),
                              platform::MsgIcon::Critical);
        return;
    }
    m_fileName = ExtractFileName(m_txtFileName->text());
    const QString folder = currentFolder();
    if (const std::optional<UserMessage> failure = ExportDataFile(m_txtFileName->text(), folder))
        platform::ShowMessage(this, *failure);
    else
        platform::ShowMessage(this, ExportDoneMessage(m_txtFileName->text(), folder));
}

void frmSaveXMLAs::cmdExit_Click()
{
    reject();
}

} // namespace telm
