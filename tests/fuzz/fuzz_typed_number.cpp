// Feeds arbitrary text to the typed-number reader and formats what it reads.
#include "calibration/number_text.h"
#include "calibration/typed_number.h"

#include <QString>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const double value = readTypedNumber(text);
    formatGeneralNumber(value);
    formatFixedReadout(value);
    formatScientificReadout(value);
    formatPosition(float(value));
    return 0;
}
