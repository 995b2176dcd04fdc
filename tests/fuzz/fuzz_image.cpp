// Feeds arbitrary bytes to the image loader, as if a damaged file were opened.
#include "files/image_file.h"

#include <QCoreApplication>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // The image plugins are found through the application object.
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    decodeImage(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    return 0;
}
