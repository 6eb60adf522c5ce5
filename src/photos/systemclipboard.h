#pragma once

#include "pictureclipboard.h"

// The desktop's clipboard.
class SystemClipboard : public PictureClipboard
{
public:
    QImage picture() const override;
    void setPicture(const QImage &picture) override;
    void clear() override;
};
