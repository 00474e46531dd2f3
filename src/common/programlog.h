#pragma once

#include <QString>

namespace tavrok {

// The program's log: what it did on its own that the user may want to know later (a value from a file
// it refused, a box answered for the user while the session ended). It goes to the standard error, which
// the desktop's session keeps in its journal.
void zapisDoLogu(const QString& line);

} // namespace tavrok
