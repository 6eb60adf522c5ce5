#include "seatingplanview.h"

#include "classdata/classdocument.h"
#include "classdata/userprompts.h"
#include "planitemwidget.h"
#include "planpicture.h"
#include "planprintdialog.h"
#include "seatingpictures.h"
#include "specialprints.h"
#include "specialprintspanel.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QColor DeskColour(231, 209, 126);
const QColor TeacherDeskColour(0xFF, 0xFF, 0xE1);
const QColor CupboardColour(0xD8, 0xC0, 0x9C);
const QColor ShelfColour(0xCB, 0xD5, 0xC3);
const QColor PhotoPanelColour(58, 82, 243);
const QColor ControlColumnColour(0xE4, 0xE8, 0xEC);

// Wide enough for the longest caption in the desktop's font.
constexpr int ButtonWidth = 120;
constexpr int ButtonHeight = 40;

const char *const PhotoHint = "Doppelklick = Originalgröße!";
const char *const LearningHint = "    Ein Klick auf den Tisch zeigt den entsprechenden Namen!";

} // namespace

const QString SeatingPlanView::NoClassMessage =
    QStringLiteral("Bitte zunächst eine Klasse anlegen oder laden!");
const QString SeatingPlanView::SaveQuestion = QStringLiteral(
    "Änderungen im Klassenraum müssten jetzt gespeichert werden! Willst du speichern?");

const QString SeatingPlanView::HelpText = QStringLiteral(
    "Klassenzimmer leer oder ohne Fotos?\r\rFür die Fotofunktionen muss die Lerngruppe "
    "zunächst gespeichert werden!\rFür jede Person aus der Klasse wird ein Tisch "
    "hereingeschoben!\rAlso zunächst neue Klasse anlegen, speichern oder laden und dann wieder "
    "herkommen.\rDie Tische lassen sich verschieben und in der Größe anpassen.\rSpeichern auf "
    "dieser Seite nicht vergessen.\r\rEin Doppelklick auf den Tisch ruft die jeweilige "
    "Personenseite auf.\rBeim Namenlernen erscheit der entsprechende Name auf "
    "Klick/Doppelklick!");

SeatingPlanView::SeatingPlanView(ClassDocument &document, UserPrompts &prompts,
                                 bool backgroundShown, PlanPrinter *printer, QWidget *parent)
    : QWidget(parent, Qt::Window), m_document(document), m_prompts(prompts),
      m_plan(document.grid(), backgroundShown), m_printer(printer)
{
    if (!m_printer) {
        m_ownPrinter = std::make_unique<PlanPrintDialog>(this);
        m_printer = m_ownPrinter.get();
    }
    setObjectName(QStringLiteral("seatingPlan"));
    setWindowTitle(QStringLiteral("Sitzplan - ein Doppelklick auf den Tisch bringt dich zur "
                                  "Tabelle!"));
    setMouseTracking(true);
    m_board = SeatingPictures::board();
    createRoom();
    createControls();
    resize(1165, 745);
    showPlan();
    showBoard();
}

SeatingPlanView::~SeatingPlanView() = default;

void SeatingPlanView::createRoom()
{
    auto item = [this](const char *name, const QColor &colour) {
        auto *widget = new PlanItemWidget(this);
        widget->setObjectName(QLatin1String(name));
        widget->setColour(colour);
        return widget;
    };

    const char *const pieceNames[] = {"teacherDesk", "cupboard", "shelf", "projector"};
    const QColor pieceColours[] = {TeacherDeskColour, CupboardColour, ShelfColour, Qt::white};
    for (int n = 0; n < SeatingPlan::PieceCount; ++n) {
        const auto piece = SeatingPlan::Piece(n);
        PlanItemWidget *widget = item(pieceNames[n], pieceColours[n]);
        m_furniture[n] = widget;
        connect(widget, &PlanItemWidget::placed, this,
                [this, piece](const QRect &rect) { m_plan.setFurnitureRect(piece, rect); });
        connect(widget, &PlanItemWidget::hovered, this, &SeatingPlanView::showBoard);
        if (SeatingPlan::hasEditableText(piece)) {
            widget->setEditable(true);
            connect(widget, &PlanItemWidget::textEdited, this,
                    [this, piece](const QString &text) { m_plan.setFurnitureText(piece, text); });
        }
    }
    m_furniture[SeatingPlan::TeacherDesk]->setTextFont(16, false);
    m_furniture[SeatingPlan::Projector]->setPicture(SeatingPictures::projector());

    m_smallPicture = item("smallPicture", Qt::transparent);
    m_smallPicture->setSizing(PlanItemWidget::Sizing::Fixed);
    m_smallPicture->setPicture(SeatingPictures::smallPicture());
    m_smallPicture->setAttribute(Qt::WA_TranslucentBackground);
    connect(m_smallPicture, &PlanItemWidget::placed, this, [this](const QRect &rect) {
        m_plan.moveSmallPicture(rect.topLeft());
        showSmallPicture();
    });
    connect(m_smallPicture, &PlanItemWidget::hovered, this, &SeatingPlanView::showBoard);

    for (int person = 0; person < SeatingPlan::DeskCount; ++person) {
        PlanItemWidget *desk = item("", DeskColour);
        desk->setObjectName(QStringLiteral("desk%1").arg(person + 1));
        m_desks << desk;
        connect(desk, &PlanItemWidget::placed, this,
                [this, person](const QRect &rect) { m_plan.setDeskRect(person, rect); });
        connect(desk, &PlanItemWidget::hovered, this, [this, person] { showPhotoOf(person); });
        connect(desk, &PlanItemWidget::focused, this, [this, person] {
            m_plan.revealName(person);
            m_desks[person]->setText(m_plan.desk(person).text);
        });
        connect(desk, &PlanItemWidget::doubleClicked, this, [this, person] {
            if (!m_plan.opensPersonPage())
                return;
            // The plan stays as it is; the next opening restores it from the class.
            emit personRequested(person);
            hide();
        });
    }

    m_photoPanel = item("photoPanel", PhotoPanelColour);
    m_photoPanel->setSizing(PlanItemWidget::Sizing::Portrait);
    m_photoPanel->setTextFont(19, true);
    connect(m_photoPanel, &PlanItemWidget::placed, this, [this](const QRect &rect) {
        m_plan.setPhotoPanelRect(rect);
        showPhotoPanel();
    });
    connect(m_photoPanel, &PlanItemWidget::hovered, this, &SeatingPlanView::showBoard);
    connect(m_photoPanel, &PlanItemWidget::doubleClicked, this, [this] {
        m_plan.resetPhotoPanelSize();
        showPhotoPanel();
    });
}

void SeatingPlanView::createControls()
{
    m_checks = new QWidget(this);
    m_checks->setObjectName(QStringLiteral("planChecks"));
    m_checks->setAutoFillBackground(true);
    QPalette pal = m_checks->palette();
    pal.setColor(QPalette::Window, QColor(0xF7, 0xF8, 0xF9));
    m_checks->setPalette(pal);
    auto *layout = new QVBoxLayout(m_checks);
    layout->setContentsMargins(8, 6, 8, 6);
    layout->setSpacing(4);
    const char *const captions[] = {"Pult", "Schrank", "Regal", "Overhead"};
    const char *const names[] = {"teacherDeskCheck", "cupboardCheck", "shelfCheck",
                                 "projectorCheck"};
    const char *const hints[] = {"Text fest", "Text veränderbar", "Text veränderbar", ""};
    for (int n = 0; n < SeatingPlan::PieceCount; ++n) {
        const auto piece = SeatingPlan::Piece(n);
        auto *check = new QCheckBox(QString::fromUtf8(captions[n]));
        check->setObjectName(QLatin1String(names[n]));
        check->setToolTip(QString::fromUtf8(hints[n]));
        layout->addWidget(check);
        m_furnitureChecks[n] = check;
        connect(check, &QCheckBox::clicked, this, [this, piece](bool on) {
            m_plan.setFurnitureShown(piece, on);
            showFurniture(piece);
        });
    }
    m_photoCheck = new QCheckBox(QStringLiteral("Fotoanzeige"));
    m_photoCheck->setObjectName(QStringLiteral("photoCheck"));
    layout->addWidget(m_photoCheck);
    connect(m_photoCheck, &QCheckBox::clicked, this, [this](bool on) {
        m_plan.setPhotoPanelShown(on);
        showPhotoPanel();
    });

    auto button = [this](const QString &caption, const char *name) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        b->setFixedSize(ButtonWidth, ButtonHeight);
        m_buttons << b;
        return b;
    };
    QPushButton *back = button(QStringLiteral("zurück"), "planBackButton");
    QPushButton *save = button(QStringLiteral("speichern"), "planSaveButton");
    m_backgroundButton = button(QString(), "backgroundButton");
    QPushButton *help = button(QStringLiteral("Hilfe"), "planHelpButton");
    QPushButton *print = button(QStringLiteral("Sitzplan drucken"), "printPlanButton");
    QPushButton *learn = button(QStringLiteral("Namen lernen"), "learnNamesButton");
    QPushButton *game = button(QStringLiteral("Namenlernspiel"), "nameGameButton");
    learn->setToolTip(QString::fromUtf8(LearningHint));

    connect(back, &QPushButton::clicked, this, &SeatingPlanView::back);
    connect(save, &QPushButton::clicked, this, &SeatingPlanView::save);
    connect(m_backgroundButton, &QPushButton::clicked, this, &SeatingPlanView::toggleBackground);
    connect(help, &QPushButton::clicked, this, [this] { m_prompts.showMessage(HelpText); });
    connect(print, &QPushButton::clicked, this, &SeatingPlanView::printPlan);
    connect(learn, &QPushButton::clicked, this, &SeatingPlanView::learnNames);
    connect(game, &QPushButton::clicked, this, [this] {
        const ClassGrid &grid = m_document.grid();
        if (grid.cell(0, ClassDocument::dataRow(0)).isEmpty() &&
            grid.cell(0, ClassDocument::dataRow(1)).isEmpty() &&
            grid.cell(0, ClassDocument::dataRow(2)).isEmpty())
            m_prompts.showMessage(NoClassMessage);
        else
            m_plan.setSaved(true); // leaving for the game is no change of the room
        emit gameRequested();
    });
}

void SeatingPlanView::placeControls()
{
    const int x = width() - ControlColumnWidth + (ControlColumnWidth - ButtonWidth) / 2;
    int y = height() - 12;
    for (QPushButton *b : qAsConst(m_buttons)) {
        y -= ButtonHeight;
        b->move(x, y);
        y -= 6;
    }
    const QSize checks = m_checks->sizeHint();
    m_checks->setGeometry(x - 8, y - 12 - checks.height(), ButtonWidth + 16, checks.height());
}

QRect SeatingPlanView::roomRect() const
{
    return QRect(0, 0, qMax(0, width() - ControlColumnWidth), height());
}

void SeatingPlanView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    placeControls();
}

void SeatingPlanView::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    if (!m_plan.backgroundShown()) {
        p.fillRect(rect(), Qt::white);
        return;
    }
    const QRect room = roomRect();
    if (m_background.size() != room.size())
        m_background = SeatingPictures::classroom(room.size());
    p.drawImage(room.topLeft(), m_background);
    p.fillRect(QRect(room.right() + 1, 0, width() - room.width(), height()), ControlColumnColour);
}

void SeatingPlanView::mouseMoveEvent(QMouseEvent *event)
{
    QWidget::mouseMoveEvent(event);
    showBoard();
}

void SeatingPlanView::enableSpecialPrints(DocumentOpener &opener, PrintProgress *progress)
{
    if (m_special)
        return;
    m_specialPrints =
        std::make_unique<SpecialPrints>(m_document, m_prompts, opener, m_reportFolder);
    m_specialPrints->setProjectFolder(
        [this] { return m_photoFolder ? m_photoFolder() : QString(); });
    m_specialPrints->setProgress(progress);
    m_special = new SpecialPrintsPanel(*m_specialPrints, this);
    m_special->hide();
    connect(m_special, &SpecialPrintsPanel::listRequested, this, [this] { printSpecial(false); });
    connect(m_special, &SpecialPrintsPanel::compactRequested, this, [this] { printSpecial(true); });
    connect(m_special, &SpecialPrintsPanel::planPrintRequested, this, &SeatingPlanView::printPlan);
    connect(m_special, &SpecialPrintsPanel::closeRequested, this, [this] {
        m_special->hide();
        emit mainWindowRequested();
    });
}

void SeatingPlanView::openSpecialPrints()
{
    open();
    if (!m_special)
        return;
    m_special->move(96, 90);
    m_special->show();
    m_special->raise();
}

void SeatingPlanView::printSpecial(bool compact)
{
    // Leaving for a print is no change of the room.
    m_plan.setSaved(true);
    m_special->hide();
    m_plan.leave();
    showDesks();
    hide();
    if (compact)
        m_specialPrints->printCompact();
    else
        m_specialPrints->printList();
}

void SeatingPlanView::open()
{
    if (m_special)
        m_special->hide();
    // Opened again while it is open: the moves made so far stay.
    if (isVisible()) {
        raise();
        activateWindow();
        return;
    }
    m_plan.restore();
    m_photoPerson = -2;
    showPlan();
    showBoard();
    show();
    raise();
    activateWindow();
}

void SeatingPlanView::showPlan()
{
    showDesks();
    for (int n = 0; n < SeatingPlan::PieceCount; ++n)
        showFurniture(SeatingPlan::Piece(n));
    showPhotoPanel();
    showSmallPicture();
    m_backgroundButton->setText(m_plan.backgroundShown() ? QStringLiteral("ohne Hintergrund")
                                                         : QStringLiteral("mit Hintergrund"));
    update();
}

void SeatingPlanView::showDesks()
{
    for (int person = 0; person < SeatingPlan::DeskCount; ++person) {
        const SeatingPlan::Desk &desk = m_plan.desk(person);
        PlanItemWidget *widget = m_desks[person];
        widget->setGeometry(desk.rect);
        widget->setText(desk.text);
        widget->setVisible(desk.shown);
    }
}

void SeatingPlanView::showFurniture(SeatingPlan::Piece piece)
{
    const SeatingPlan::Furniture &item = m_plan.furniture(piece);
    PlanItemWidget *widget = m_furniture[piece];
    widget->setGeometry(item.rect);
    widget->setText(item.text);
    widget->setVisible(item.shown);
    m_furnitureChecks[piece]->setChecked(item.shown);
}

void SeatingPlanView::showPhotoPanel()
{
    const QRect rect = m_plan.photoPanel();
    m_photoPanel->setGeometry(rect);
    m_photoPanel->setVisible(m_plan.photoPanelShown());
    m_photoCheck->setChecked(m_plan.photoPanelShown());
    // Near its original size the panel needs no advice.
    const bool original = rect.height() >= 195 && rect.height() <= 205;
    m_photoPanel->setToolTip(original ? QString() : QString::fromUtf8(PhotoHint));
}

void SeatingPlanView::showSmallPicture()
{
    m_smallPicture->setGeometry(QRect(m_plan.smallPicture(), SeatingPlan::smallPictureSize()));
    m_smallPicture->setVisible(m_plan.smallPictureShown());
}

void SeatingPlanView::showPhotoOf(int person)
{
    if (person == m_photoPerson)
        return;
    m_photoPerson = person;
    const QString folder = m_photoFolder ? m_photoFolder() : QString();
    m_photoPanel->setPicture(m_plan.photoFor(person, folder, m_document.photosVisible()));
}

void SeatingPlanView::showBoard()
{
    if (m_photoPerson == -1)
        return;
    m_photoPerson = -1;
    m_photoPanel->setPicture(m_board);
}

void SeatingPlanView::back()
{
    // A visit to the special prints asks nothing.
    if (m_special && m_special->isVisible()) {
        m_plan.setSaved(true);
        m_special->hide();
    }
    const bool ask = !m_plan.isSaved();
    m_plan.leave();
    showDesks();
    if (ask && m_prompts.askYesNo(SaveQuestion)) {
        save();
        return;
    }
    hide();
}

void SeatingPlanView::save()
{
    m_plan.save();
    hide();
    // The class counts as changed even when no desk moved: the file is written now.
    m_document.setSaved(false);
    emit saveRequested();
}

void SeatingPlanView::closeEvent(QCloseEvent *event)
{
    // The close box leaves the room as "zurück" does, with the same question.
    event->ignore();
    back();
}

void SeatingPlanView::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        emit hidden();
}

QImage SeatingPlanView::roomPicture()
{
    const QRect room = roomRect();
    QImage picture(room.size(), QImage::Format_RGB32);
    picture.fill(Qt::white);
    render(&picture, QPoint(), QRegion(room));
    return picture;
}

void SeatingPlanView::printPlan()
{
    // The photo panel does not belong to the printed room.
    const bool photoShown = m_photoPanel->isVisible();
    const bool specialShown = m_special && m_special->isVisible();
    m_photoPanel->hide();
    if (specialShown)
        m_special->hide();
    const QImage room = roomPicture();
    m_photoPanel->setVisible(photoShown);
    if (specialShown)
        m_special->show();
    if (PlanPicture::write(room, m_reportFolder))
        m_printer->print(PlanPicture::jpegPath(m_reportFolder));
}

void SeatingPlanView::learnNames()
{
    m_plan.startNameLearning();
    showDesks();
}

void SeatingPlanView::toggleBackground()
{
    m_plan.toggleBackground();
    showPlan();
    emit backgroundChanged(m_plan.backgroundShown());
}
