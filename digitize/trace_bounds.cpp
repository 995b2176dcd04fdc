#include "digitize/trace_bounds.h"

#include "calibration/calibration.h"

TraceBounds TraceBounds::of(const Calibration &calibration)
{
    return {calibration.start.x + 2, calibration.end.x - 2, calibration.end.y + 3,
            calibration.start.y - 15};
}
