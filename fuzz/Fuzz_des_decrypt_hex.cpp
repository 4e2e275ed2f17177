// Any hex text either deciphers or raises CoreError; what a text enciphers to deciphers back.
#include "core/CoreError.h"
#include "core/DesCipher.h"
#include "core/Keys.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString input =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<int>(size));
    const QString key = QString::fromLatin1(kConfigurationKey);
    try {
        (void)DesDecryptHex(input, key);
    } catch (const CoreError&) {
    }
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<int>(size));
    if (!bytes.isEmpty() && !bytes.endsWith('\0')) {
        const QByteArray cipher = DesEncryptBytes(bytes, key.toLatin1());
        if (DesDecryptBytes(cipher, key.toLatin1()) != bytes) {
            std::abort();
        }
    }
    return 0;
}
