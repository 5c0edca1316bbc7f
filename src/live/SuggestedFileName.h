#pragma once

#include <QDateTime>
#include <QString>

namespace dravinor::live {

// The name a save dialog suggests: what the file holds and when it was made,
// so that names sort by time, and the file type's extension:
// "dravinor-trace-2026-12-09_13-05-12.png".
QString datedFileName(const QString& stem, const QString& suffix, const QDateTime& when);

// The name to save under: a new name given without an extension gets the
// file type's, as the dialog adds it to a name typed there; an existing file
// chosen keeps its name, since the dialog asked before it is replaced.
QString withDefaultSuffix(const QString& path, const QString& suffix);

}  // namespace dravinor::live
