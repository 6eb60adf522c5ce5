#include "systemclipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

QImage SystemClipboard::picture() const
{
    const QClipboard *clipboard = QGuiApplication::clipboard();
    const QMimeData *data = clipboard ? clipboard->mimeData() : nullptr;
    if (!data || !data->hasImage())
        return QImage();
    return clipboard->image();
}

void SystemClipboard::setPicture(const QImage &picture)
{
    if (QClipboard *clipboard = QGuiApplication::clipboard())
        clipboard->setImage(picture);
}

void SystemClipboard::clear()
{
    if (QClipboard *clipboard = QGuiApplication::clipboard())
        clipboard->clear();
}
