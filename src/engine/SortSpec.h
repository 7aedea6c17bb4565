#pragma once

#include <QString>
#include <vector>

#include "Column.h"

namespace engine {

struct SortKey {
    int column = 0;
    bool descending = false;
};

// Parses a sort text such as "[Firma] ASC, [ID] DESC " against the columns.
std::vector<SortKey> parseSort(const QString& text, const std::vector<Column>& columns);

} // namespace engine
