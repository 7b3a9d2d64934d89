// Fuzz target: a data file's header found in the bytes of its end, as the desk
// reads it before the file is verified, on any bytes.
#include "desk/HeaderTail.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::optional<telm::StoredHeader> header =
        telm::HeaderInBytes(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (header && header->document.isEmpty())
        __builtin_trap(); // a header is only one that names a document
    return 0;
}
