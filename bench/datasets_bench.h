#pragma once

// What 2000 clicks cost in memory with ten traced curves, printed to stderr.
void printUndoMemory();
