#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

namespace tavrok {

// Replaces the file at `path` with `bytes` as one step: the bytes go to a temporary file beside it,
// which takes the file's place only when every byte has reached the disk. On any failure (a full disk,
// no permission, a file without any write permission: write-protected) the old file stays as it was,
// no temporary file is left, and the result is false.
// A symbolic link keeps pointing where it did; the file it points to is the one replaced.
bool replaceFileWhole(const QString& path, const QByteArray& bytes);
// The same with the bytes given piece by piece: `produce` passes each piece to the sink, which answers
// false once writing failed, and answers false itself when it could not give them all.
using ByteSink = std::function<bool(const char* data, qsizetype size)>;
bool replaceFileWhole(const QString& path, const std::function<bool(const ByteSink&)>& produce);

// Deletes the file at `path`; a missing file is already deleted, a write-protected one is kept (false).
// A symbolic link (the user keeps the file elsewhere) stays, and the file it points to is emptied
// instead.
bool deleteFileKeepingLink(const QString& path);

// A name beside `path` for a file on its way to replace it; what a kill leaves under such a name is
// removed by removeLeftoverTemporaries.
QString temporaryNameBeside(const QString& path);

// Removes what a save killed before its end left beside `path` (the temporary files of
// replaceFileWhole), so they do not pile up. Returns how many were removed.
int removeLeftoverTemporaries(const QString& path);

// A file at `path` whose bytes are no text (see detectTextEncoding) is renamed beside itself to
// "<name>.necitelny" (then "-2", "-3" ...), its bytes untouched, so the program can start afresh without
// destroying it. Returns the new path, or nothing when the file is text, missing or cannot be renamed.
QString moveAsideIfUndecodable(const QString& path);

} // namespace tavrok
