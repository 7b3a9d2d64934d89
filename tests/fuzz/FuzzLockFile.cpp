// Fuzz target: any bytes left where a document's lock file goes. Whatever they
// are, nobody holds them, so the lock is taken over at once.
#include "platform/DocumentLock.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static QTemporaryDir dir;
    const QString document = dir.filePath(QStringLiteral("VELDOR_Bal_123456786_2025_12.xml"));
    {
        QFile lock(telm::platform::DocumentLock::LockPathFor(document));
        if (!lock.open(QIODevice::WriteOnly | QIODevice::Truncate))
            __builtin_trap();
        lock.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    const telm::platform::DocumentLock lock(document);
    if (lock.state() != telm::platform::DocumentLock::State::Held || !lock.tookOver())
        __builtin_trap();
    return 0;
}
