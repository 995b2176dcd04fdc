#pragma once

// Finding the axes on the generator's real-figure axis charts: how many are
// found, whether any is found wrongly, corner errors, time per chart, and the
// trace's error with the found calibration beside the true one.
void printAxesAccuracy();
