#pragma once
// The order of a list's rows sorted by one number or date value per row, as a click on such a
// column header sorts: ascending or descending, rows of equal value in their present order. Rows
// already sorted either way (a second click on the same header) cost one pass instead of a sort.
#include <cstddef>
#include <span>
#include <vector>

namespace vks {

// Indexes into `werte`, first row first. A value that is no number sorts as 0, as a cell whose text
// is no number does.
std::vector<size_t> WertReihenfolge(std::span<const double> werte, bool absteigend);

}  // namespace vks
