#include "platform/Volumes.h"

#include <QDir>
#include <QLocale>
#include <QStorageInfo>

namespace telm::platform {

namespace {

class SystemVolumes : public Volumes
{
public:
    std::vector<Volume> mounted() override
    {
        std::vector<Volume> list;
        for (const QStorageInfo& storage : QStorageInfo::mountedVolumes()) {
            if (!storage.isValid())
                continue;
            Volume volume;
            volume.root = storage.rootPath();
            const QString label = storage.name();
            const QString size = QLocale().formattedDataSize(storage.bytesTotal());
            volume.name = label.isEmpty()
                              ? QStringLiteral("%1 (%2)").arg(volume.root, size)
                              : QStringLiteral("%1 – %2 (%3)").arg(label, volume.root, size);
            volume.ready = storage.isReady() && QDir(volume.root).isReadable();
            list.push_back(volume);
        }
        return list;
    }
};

Volumes* g_installed = nullptr;

} // namespace

Volume Volumes::volumeOf(const QString& folder)
{
    const QString path = QDir(folder).canonicalPath();
    Volume best;
    qsizetype bestLength = -1;
    for (const Volume& volume : mounted()) {
        const QString root = QDir(volume.root).canonicalPath();
        if (root.isEmpty())
            continue;
        const bool holds =
            path == root || root == QLatin1String("/") || path.startsWith(root + u'/');
        // The innermost mount point holding the folder.
        if (holds && root.size() > bestLength) {
            best = volume;
            bestLength = root.size();
        }
    }
    return best;
}

Volumes& volumes()
{
    static SystemVolumes system;
    return g_installed ? *g_installed : system;
}

void installVolumes(Volumes* list)
{
    g_installed = list;
}

} // namespace telm::platform
