#pragma once

#include <QString>

namespace tavrok {

// The help page that belongs to the window in front (by its object name) or, for the main window, to
// the function it shows (1 alarm clock, 2 stopwatch, 3 countdown).
QString helpPage(QStringView activeWindow, int function);

// The page in the help of the language named `language` (folder "Tavrok" + language under
// `helpFolder`); the Czech help when that language has none.
QString helpPath(const QString& helpFolder, const QString& language, const QString& page);

} // namespace tavrok
