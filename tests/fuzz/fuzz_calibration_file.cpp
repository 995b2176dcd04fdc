// Feeds arbitrary bytes to the calibration-file reader; what it accepts must
// survive a write and a second read unchanged.
#include "files/calibration_file.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const CalibrationFileRead read = parseCalibrationFile(bytes);
    if (!read.file) {
        if (read.error.isEmpty())
            __builtin_trap(); // a refusal always says why
        return 0;
    }
    const QByteArray written = calibrationFileBytes(*read.file);
    const CalibrationFileRead again = parseCalibrationFile(written);
    if (!again.file || calibrationFileBytes(*again.file) != written)
        __builtin_trap();
    return 0;
}
