#include "document/figure.h"

Calibration Figure::calibration() const
{
    return {start, end, readCornerValues(values), scale};
}
