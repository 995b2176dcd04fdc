// Feeds arbitrary bytes to the settings-file reader and writes the result back.
#include "files/settings_file.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const CornerTexts texts = parseSettings(bytes);
    // What was read must survive a write and a second read unchanged.
    const CornerTexts again = parseSettings(settingsBytes(texts));
    for (size_t i = 0; i < texts.size(); ++i) {
        if (texts[i].trimmed() != texts[i] || texts[i].contains(u'\r') || texts[i].contains(u'\n'))
            continue; // blanks and quotes around a line are not kept by design
        if (texts[i].size() >= 2 && texts[i].front() == u'"' && texts[i].back() == u'"')
            continue;
        if (again[i] != texts[i])
            __builtin_trap();
    }
    return 0;
}
