#pragma once

#include "reports/grouplist.h"

// The image names of the processes running on this computer: the snapshot of all
// processes on Windows, /proc elsewhere where there is one, else ps.
class ProcessList : public GroupList::Processes
{
public:
    bool names(QStringList *names) override;
};
