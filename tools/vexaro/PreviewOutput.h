// The page as text: a readable table, or JSON in the documented schema.
#pragma once

#include <ostream>

#include "Snapshot.h"

namespace vexaro {

void WriteTable(const PageSnapshot& page, std::ostream& out);
void WriteJson(const PageSnapshot& page, std::ostream& out);

}  // namespace vexaro
