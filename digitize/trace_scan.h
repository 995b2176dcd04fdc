#pragma once

#include "imaging/colour_distance.h"

#include <QImage>

#include <optional>
#include <vector>

// The trace's inner scan over a picture in memory order. Built twice, for
// AVX2 and for the baseline instruction set; by default the processor's best
// runs, and a test can ask for either.
enum class ScanPath { Baseline, Avx2 };

bool scanPathAvailable(ScanPath path);

// A rectangle of pixel columns and rows to scan; parts outside the image
// count as white.
struct ScanArea
{
    long long firstColumn = 0;
    int columnCount = 0;
    long long firstRow = 0;
    int rowCount = 0;
};

inline constexpr int NoQualifyingRow = -1;

// For each column of the area, the index (from firstRow) of the topmost row
// with the smallest green component below 255, or NoQualifyingRow. The image
// must be Format_RGB32 or Format_ARGB32.
std::vector<int> darkestRows(const QImage &image, const ScanArea &area,
                             std::optional<ScanPath> path = std::nullopt);

// For each column, the index of the topmost row that belongs most strongly
// to a curve of `colour` (see lineWeight: the colour itself, or its blend
// with white at the edge of an antialiased line, within `tolerance` of that
// blend), or NoQualifyingRow when no pixel does.
std::vector<int> strongestColourRows(const QImage &image, const ScanArea &area, QRgb colour,
                                     int tolerance);
