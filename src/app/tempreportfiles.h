#pragma once

#include <QString>

// The report files that live only until Markwart ends.
namespace TempReportFiles {
// Removes "druck.doc", "druck.html", "druck1.doc", the folder "Druck", "Sitzplan.jpg",
// "Sitzplan.bmp" and every "*.doc" from the report folder. Failures are ignored.
void removeAll(const QString &reportFolder);
} // namespace TempReportFiles
