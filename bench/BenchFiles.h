#pragma once

#include <QString>

// Generated supplier files for the benchmarks, made once and kept in the
// build folder (or in $LIEFERANTEN_BENCH_DIR).
QString benchFile(int entries);
// A folder with a settings file that names the file, as the program finds it.
QString benchProgramFolder(int entries);
