#include "photodialog.h"

#include "imageoperations.h"
#include "photoeditor.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

namespace {

// The portrait frame: paints what the editor would store and hands the mouse to it.
class FramePreview : public QWidget
{
public:
    explicit FramePreview(PhotoEditor &editor) : m_editor(editor)
    {
        setFixedSize(ImageOperations::FrameWidth, ImageOperations::FrameHeight);
        setCursor(Qt::OpenHandCursor);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.drawImage(0, 0, m_editor.frame());
    }
    void mousePressEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::LeftButton)
            m_editor.press(event->position().toPoint());
    }
    void mouseMoveEvent(QMouseEvent *event) override
    {
        if (!m_editor.dragging())
            return;
        m_editor.moveTo(event->position().toPoint());
        update();
    }
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::LeftButton)
            m_editor.release();
    }

private:
    PhotoEditor &m_editor;
};

QPushButton *commandButton(const QString &text, const char *name)
{
    auto *button = new QPushButton(text);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

} // namespace

PhotoDialog::PhotoDialog(PhotoEditor &editor, QWidget *parent)
    : QDialog(parent), m_editor(editor), m_instructions(new QPlainTextEdit), m_name(new QLabel),
      m_preview(new FramePreview(editor)), m_zoom(new QSlider(Qt::Horizontal))
{
    setWindowTitle(PhotoEditor::caption());
    setModal(true);
    setFixedSize(715, 532);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(125, 186, 255));
    setPalette(pal);
    setAutoFillBackground(true);

    m_instructions->setObjectName(QStringLiteral("photoInstructions"));
    m_instructions->setReadOnly(true);
    m_instructions->setPlainText(PhotoEditor::instructionLines().join(u'\n'));
    m_instructions->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_instructions->setFocusPolicy(Qt::NoFocus);
    QPalette pale = m_instructions->palette();
    pale.setColor(QPalette::Base, QColor(240, 246, 255));
    m_instructions->setPalette(pale);
    m_instructions->setFixedHeight(m_instructions->fontMetrics().lineSpacing() *
                                       int(PhotoEditor::instructionLines().size()) +
                                   16);

    m_name->setObjectName(QStringLiteral("photoName"));
    QFont bold = m_name->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.3);
    m_name->setFont(bold);

    m_preview->setObjectName(QStringLiteral("photoPreview"));
    auto *previewBox = new QFrame;
    previewBox->setFrameShape(QFrame::Box);
    auto *previewLayout = new QVBoxLayout(previewBox);
    previewLayout->setContentsMargins(1, 1, 1, 1);
    previewLayout->addWidget(m_preview);

    m_zoom->setObjectName(QStringLiteral("zoomSlider"));
    m_zoom->setRange(ImageOperations::MinZoom, ImageOperations::MaxZoom);
    m_zoom->setValue(m_editor.zoom());
    m_zoom->setTickPosition(QSlider::TicksBelow);
    m_zoom->setTickInterval(5);
    m_zoom->setPageStep(5);
    // Each position reads and scales the picture again: only where the handle comes to rest.
    m_zoom->setTracking(false);
    connect(m_zoom, &QSlider::valueChanged, this,
            [this](int zoom) { run([this, zoom] { m_editor.setZoom(zoom); }); });

    auto *search = commandButton(QStringLiteral("Foto suchen"), "searchPhotoButton");
    auto *help = commandButton(QStringLiteral("Hilfe"), "photoHelpButton");
    auto *cancel = commandButton(QStringLiteral("Abbruch"), "cancelPhotoButton");
    auto *undo = commandButton(QStringLiteral("undo"), "undoPhotoButton");
    auto *take = commandButton(QStringLiteral("OK, übernehmen"), "acceptPhotoButton");
    auto *rotate = commandButton(QStringLiteral("drehen"), "rotateButton");
    auto *lighter = commandButton(QStringLiteral("heller"), "brightenButton");
    auto *darker = commandButton(QStringLiteral("dunkler"), "darkenButton");
    auto *sepia = commandButton(QStringLiteral("sepia"), "sepiaButton");
    auto *sharpen = commandButton(QStringLiteral("schärfen"), "sharpenButton");
    connect(search, &QPushButton::clicked, this,
            [this] { run([this] { m_editor.searchPhoto(); }); });
    connect(help, &QPushButton::clicked, this, [this] { m_editor.showHelp(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(undo, &QPushButton::clicked, this, [this] { run([this] { m_editor.undo(); }); });
    connect(take, &QPushButton::clicked, this, &PhotoDialog::accept);
    connect(rotate, &QPushButton::clicked, this, [this] { run([this] { m_editor.rotate(); }); });
    connect(lighter, &QPushButton::clicked, this, [this] { run([this] { m_editor.brighten(); }); });
    connect(darker, &QPushButton::clicked, this, [this] { run([this] { m_editor.darken(); }); });
    connect(sepia, &QPushButton::clicked, this, [this] { run([this] { m_editor.tintSepia(); }); });
    connect(sharpen, &QPushButton::clicked, this, [this] { run([this] { m_editor.sharpen(); }); });

    auto *imageCommands = new QHBoxLayout;
    for (QPushButton *button : {rotate, lighter, darker, sepia, sharpen})
        imageCommands->addWidget(button);
    imageCommands->addStretch();

    auto *zoomRow = new QHBoxLayout;
    zoomRow->addWidget(new QLabel(QStringLiteral("kleiner")));
    zoomRow->addWidget(m_zoom, 1);
    zoomRow->addWidget(new QLabel(QStringLiteral("größer")));

    auto *middle = new QVBoxLayout;
    middle->addWidget(m_name);
    middle->addSpacing(12);
    middle->addWidget(new QLabel(QStringLiteral("Zoom:")));
    middle->addLayout(zoomRow);
    middle->addSpacing(12);
    middle->addLayout(imageCommands);
    middle->addStretch();

    auto *commands = new QVBoxLayout;
    for (QPushButton *button : {search, undo, help, cancel})
        commands->addWidget(button);
    commands->addStretch();
    commands->addWidget(take);
    take->setMinimumHeight(40);

    auto *row = new QHBoxLayout;
    row->addWidget(previewBox, 0, Qt::AlignTop);
    row->addSpacing(16);
    row->addLayout(middle, 1);
    row->addSpacing(16);
    row->addLayout(commands);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addWidget(m_instructions);
    layout->addSpacing(8);
    layout->addLayout(row, 1);
}

bool PhotoDialog::openFor(int person, const QString &name, const QString &className)
{
    if (!m_editor.open(person, name, className))
        return false;
    m_name->setText(m_editor.name());
    sync();
    show();
    raise();
    activateWindow();
    return true;
}

void PhotoDialog::sync()
{
    const QSignalBlocker block(m_zoom);
    m_zoom->setValue(m_editor.zoom());
    m_preview->update();
}

void PhotoDialog::run(const std::function<void()> &command)
{
    command();
    sync();
}

void PhotoDialog::accept()
{
    if (!m_editor.accept(m_projectFolder ? m_projectFolder() : QString()))
        return;
    m_preview->update();
    QDialog::accept();
    emit photoTaken();
}
