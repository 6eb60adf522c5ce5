#pragma once

#include <QDialog>

#include <functional>

class PhotoEditor;
class QLabel;
class QPlainTextEdit;
class QSlider;
class QWidget;

// "Foto laden oder einfügen.": the widgets over a PhotoEditor. The preview paints exactly the
// frame the editor stores.
class PhotoDialog : public QDialog
{
    Q_OBJECT

public:
    explicit PhotoDialog(PhotoEditor &editor, QWidget *parent = nullptr);

    // The folder the photo goes below, asked when "OK, übernehmen" stores it.
    void setProjectFolder(const std::function<QString()> &folder) { m_projectFolder = folder; }

    // Opens the dialog for a person, as a click on the person page's photo does; false (after
    // the message) when the person has no name or class yet.
    bool openFor(int person, const QString &name, const QString &className);

    QWidget *preview() const { return m_preview; }
    QSlider *zoomSlider() const { return m_zoom; }

signals:
    // "OK, übernehmen" closed the dialog; the person's photo may have changed.
    void photoTaken();

private:
    // Shows the editor's state: the frame, the slider.
    void sync();
    void run(const std::function<void()> &command);
    void accept() override;

    PhotoEditor &m_editor;
    std::function<QString()> m_projectFolder;
    QPlainTextEdit *m_instructions;
    QLabel *m_name;
    QWidget *m_preview;
    QSlider *m_zoom;
};
