#pragma once

#include <QString>

namespace markwright {

// The HTML every new page starts from: 17 lines, each ended by a single line
// feed, attribute values in straight double quotes.
QString pageTemplate();

} // namespace markwright
