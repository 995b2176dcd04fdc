#pragma once

#include <QString>

// The 8000 x 6000 PNG the large-picture benchmarks load, and its decoded size.
QString largePicturePath();
double largePictureDecodedMb();
