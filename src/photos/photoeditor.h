#pragma once

#include "imageoperations.h"

#include <QImage>
#include <QPoint>
#include <QString>
#include <QStringList>

class ClassDocument;
class PictureClipboard;
class UserPrompts;

// What the photo dialog does, without its widgets: the picture in the portrait frame, where it
// lies, the zoom, the image commands, and taking the framed part as the person's photo.
// Messages and the file dialog go through UserPrompts.
class PhotoEditor
{
public:
    PhotoEditor(ClassDocument &document, UserPrompts &prompts, PictureClipboard &clipboard);
    // A pasted picture lives on in the working file only while the program runs.
    ~PhotoEditor();
    PhotoEditor(const PhotoEditor &) = delete;
    PhotoEditor &operator=(const PhotoEditor &) = delete;

    static QString caption();
    static QStringList instructionLines();

    // Where the pasted picture is kept as "Bild.bmp" while it is worked on.
    void setWorkFolder(const QString &folder) { m_workFolder = folder; }
    QString workFile() const;

    // Opens the editor for person `person` (index). Without a name or class only the message
    // shows and the result is false. A picture on the clipboard is taken over.
    bool open(int person, const QString &name, const QString &className);
    QString name() const { return m_name; }

    // "Foto suchen"
    void searchPhoto();
    // The zoom slider was moved: the picture is made again from its source at that position,
    // or at the first one above that fills the frame. Returns the position now in force.
    int setZoom(int zoom);
    int zoom() const { return m_zoom; }
    // "undo": the source again, at the present zoom.
    void undo();
    void brighten();
    void darken();
    void rotate();
    void tintSepia();
    void sharpen();
    void showHelp();

    // Dragging the picture in the frame; points are frame coordinates.
    void press(const QPoint &at);
    void moveTo(const QPoint &at);
    void release() { m_dragging = false; }
    bool dragging() const { return m_dragging; }

    // "OK, übernehmen": stores the framed picture as the person's photo below the project
    // folder. False while the dialog has to stay open (the picture does not fill the frame).
    bool accept(const QString &projectFolder);
    // The path stored by the last accept, "" when none was.
    QString storedPath() const { return m_storedPath; }

    QImage picture() const { return m_picture; }
    QPoint offset() const { return m_offset; }
    // Exactly what the frame shows, 135 x 180.
    QImage frame() const { return ImageOperations::framed(m_picture, m_offset); }
    QString sourceFile() const { return m_source; }
    bool fileChosen() const { return m_fileChosen; }

private:
    // A new picture in the frame; `keepPlace` keeps it where the previous one lay.
    void showPicture(const QImage &picture, bool keepPlace);
    void clearPicture();
    // The source file scaled at the present zoom; false when it cannot be read.
    bool rescaleSource(bool stepUp);

    ClassDocument &m_document;
    UserPrompts &m_prompts;
    PictureClipboard &m_clipboard;
    QString m_workFolder;
    int m_person = 0;
    QString m_name;
    QString m_source;
    bool m_fileChosen = false;
    int m_zoom = ImageOperations::DefaultZoom;
    QImage m_picture;
    QPoint m_offset;
    bool m_dragging = false;
    QPoint m_pressed;
    QPoint m_last;
    QString m_storedPath;
};
