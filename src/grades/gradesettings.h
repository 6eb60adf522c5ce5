#pragma once

#include "classdata/classdocument.h"
#include "resultrow.h"

// The class's grading settings as the computation takes them.
inline ResultRow::Settings gradeSettingsOf(const ClassDocument &document)
{
    ResultRow::Settings settings;
    settings.pointsMode = document.pointsMode();
    settings.halfDown = document.halfDown();
    settings.sliderPosition = document.sliderPosition();
    return settings;
}
