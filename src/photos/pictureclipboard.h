#pragma once

#include <QImage>

// The clipboard as the photo dialog uses it: a picture copied elsewhere is taken over when the
// dialog opens, and a found picture waits there until it is stored.
class PictureClipboard
{
public:
    virtual ~PictureClipboard() = default;
    // The picture on the clipboard, or a null image when it holds none.
    virtual QImage picture() const = 0;
    virtual void setPicture(const QImage &picture) = 0;
    virtual void clear() = 0;
};
