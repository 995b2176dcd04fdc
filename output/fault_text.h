#pragma once

#include "calibration/axis_mapping.h"

#include <QString>

// The message that tells the user which axis has no defined value and which
// corner values or clicks would mend it.
QString faultMessage(const AxisFault &fault);

// The message's English line alone, for the command line.
QString faultMessageEnglish(const AxisFault &fault);
