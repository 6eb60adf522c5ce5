#pragma once

#include <QString>

// Prints the picture of the seating plan. The widget layer asks the teacher with the
// print dialog, tests record what would have been printed.
class PlanPrinter
{
public:
    virtual ~PlanPrinter() = default;

    // Prints the picture in the file in landscape; false when the teacher cancelled.
    virtual bool print(const QString &picturePath) = 0;
};
