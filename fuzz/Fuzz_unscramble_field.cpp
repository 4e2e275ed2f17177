// UnscrambleField never fails, whatever it is given; non-blank texts survive a round trip.
#include "core/FieldScrambler.h"
#include "core/TextTrim.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString input =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<int>(size));
    (void)UnscrambleField(input);
    (void)ScreenInput(input);
    // A valid UTF-8 text comes back unchanged.
    if (!IsBlankText(input) &&
        input.toUtf8() == QByteArray(reinterpret_cast<const char*>(data), static_cast<int>(size))) {
        if (UnscrambleField(ScrambleField(input)) != input) {
            std::abort();
        }
    }
    return 0;
}
