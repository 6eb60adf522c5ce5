#include "personpageview.h"

#include "classdata/classdocument.h"
#include "classdata/userprompts.h"
#include "import/classlistimportdialog.h"
#include "mailaddress.h"
#include "photos/imageoperations.h"
#include "photos/photoconverter.h"
#include "photos/photodialog.h"
#include "photos/photoeditor.h"
#include "photos/photoimport.h"
#include "photos/systemclipboard.h"
#include "sheetkit/hintstyle.h"
#include "sheetkit/sheetmodel.h"
#include "sheetkit/sheetview.h"
#include "verbal/evaluationtable.h"
#include "verbal/levelspanel.h"
#include "verbal/remarks.h"
#include "verbal/remarkspanel.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStackedWidget>
#include <QStyleOptionHeader>
#include <QVBoxLayout>

namespace {

struct FieldEntry
{
    PersonPage::Field field;
    const char *caption;
    const char *name;
};

const FieldEntry Fields[] = {
    {PersonPage::Name, "Name:", "nameField"},
    {PersonPage::Class, "Klasse:", "classField"},
    {PersonPage::SchoolYear, "Schuljahr:", "schoolYearField"},
    {PersonPage::Born, "geboren:", "bornField"},
    {PersonPage::Street, "Straße:", "streetField"},
    {PersonPage::Town, "PLZ Ort:", "townField"},
    {PersonPage::Phone, "Telefon:", "phoneField"},
    {PersonPage::Mobile, "Handy:", "mobileField"},
    {PersonPage::Email, "eMail:", "emailField"},
};

const char *const NoticeLines[] = {
    "  Achtung,",
    "",
    "  bitte klicke einmal auf diese gelbe Fläche, damit die Änderungen für alle in der Liste "
    "vorhandenen Personen übernommen werden.",
    "",
    "  ",
    "  Wenn du magst, beobachte solange die Anzeige für den Listenplatz.",
    "  ",
    "  Warte bis Person 1 wieder erscheint, bevor du weiter arbeitest.",
    "",
    "  Weiterhin gutes Gelingen",
    "",
};

// The notice's lines wrap within the panel; "[OK]" keeps to its right edge.
QString noticeText()
{
    QStringList lines;
    for (const char *line : NoticeLines) {
        const QString text = QString::fromUtf8(line);
        const QString body = text.trimmed();
        const qsizetype indent = body.isEmpty() ? text.size() : text.indexOf(body);
        lines << QStringLiteral("&nbsp;").repeated(indent) + body.toHtmlEscaped();
    }
    return lines.join(QStringLiteral("<br>")) +
           QStringLiteral("<div align=\"right\">[OK]&nbsp;&nbsp;</div>");
}

const char *const VerbalHelpLines[] = {
    "Immer häufiger werden sogenannte Berichtszeugnisse verteilt.",
    "Die Beurteilungskriterien überraschen dich manchmal kurz vor Zeugnisausgabe?",
    "Damit das nicht geschieht, sammelt der Markwart jetzt auch \"Verbalbeurteilungen\"",
    "während des Schulhalbjahres!",
    "Wie?",
    "Wird das entsprechende Häkchen gesetzt, öffnet sich eine Tabelle zum Sammeln von",
    "Zwischenergebnissen. Dabei müssen die Eintragungen jeweils auf den Personenseiten",
    "erfolgen. Die Beurteilungskriterien selbst brauchen allerdings nur einmal eingetragen",
    "oder per Kopie und Rechtsklick eingefügt zu werden. Am besten führt mensch für",
    "jedes Fach eine eigene Datei.",
    "Beurteilungen können mit Ziffern (1 bis 9) oder Buchstaben (a bis m) vorgenommen werden.",
    "Das gelbe Feld entscheidet dann darüber, ob der Durchschnitt/die Tendenz in",
    "Ziffern oder Buchstaben ausgegeben wird.",
    "Die druckfähige Übersicht zeigt dann nur die Ergebnisse, allerdings der ganzen Lerngruppe.",
    "Hierbei wird das persönliche Urteil mit Priorität in die Ergebnisübersicht übernommen.",
};

QString verbalHelpText()
{
    QStringList lines;
    for (const char *line : VerbalHelpLines)
        lines << QStringLiteral("   ") + QString::fromUtf8(line);
    lines << QString() << QStringLiteral("   [Ende? - Klick hier!]");
    return lines.join(QLatin1Char('\n'));
}

struct SliderStep
{
    const char *oral;
    const char *written;
    QColor colour;
};

const SliderStep SliderSteps[] = {
    {"50%", "50%", QColor(0xFF, 0x00, 0x00)}, {"55%", "45%", QColor(0xFF, 0xFF, 0x00)},
    {"60%", "40%", QColor(0x00, 0xFF, 0x00)}, {"65%", "35%", QColor(0xFF, 0xFF, 0x00)},
    {"70%", "30%", QColor(0xFF, 0x00, 0x00)},
};

// The yellow notice, the "eMail:" caption and the mail panel react to a click anywhere on them.
template <typename Base> class Clickable : public Base
{
public:
    std::function<void()> onClick;

protected:
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        Base::mouseReleaseEvent(event);
        if (onClick)
            onClick();
    }
};

using ClickableLabel = Clickable<QLabel>;
using ClickableFrame = Clickable<QFrame>;

// The right-hand column (grading settings, verbal evaluation, remarks) and the commands keep
// their widths, so that nothing on the page moves when a control shows, hides or changes.
constexpr int CommandsWidth = 310;
constexpr int SettingsWidth = 300;
constexpr int WalkSteps = 66;

// Column headings of the person sheet: the narrow columns ("s10", "Notensyst.") get the
// largest font in which their caption fits.
class FittingHeader : public QHeaderView
{
public:
    explicit FittingHeader(QWidget *parent) : QHeaderView(Qt::Horizontal, parent) {}

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override
    {
        QStyleOptionHeader option;
        initStyleOption(&option);
        option.rect = rect;
        option.section = logicalIndex;
        style()->drawControl(QStyle::CE_HeaderSection, &option, painter, this);
        const QString text = model()->headerData(logicalIndex, orientation()).toString();
        QFont font = this->font();
        const int room = rect.width() - 2;
        while (font.pointSizeF() > 5 &&
               QFontMetrics(font).elidedText(text, Qt::ElideRight, room) != text)
            font.setPointSizeF(font.pointSizeF() - 0.5);
        painter->save();
        painter->setFont(font);
        painter->setPen(palette().color(QPalette::ButtonText));
        painter->setClipRect(rect);
        painter->drawText(rect, Qt::AlignCenter, text);
        painter->restore();
    }
};

void retainPlace(QWidget *widget)
{
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
}

void setLabelColour(QLabel *label, const QColor &colour)
{
    label->setAutoFillBackground(true);
    QPalette pal = label->palette();
    pal.setColor(QPalette::Window, colour);
    label->setPalette(pal);
}

} // namespace

PersonPageView::PersonPageView(PersonPage &page, EvaluationTable &evaluation, QWidget *parent)
    : QWidget(parent), m_page(page), m_sheet(new SheetView(page, this)), m_evaluation(evaluation),
      m_evaluationView(new SheetView(evaluation, this))
{
    auto *fieldGrid = new QGridLayout;
    int row = 0;
    for (const FieldEntry &entry : Fields) {
        auto *edit = new QLineEdit;
        edit->setObjectName(QLatin1String(entry.name));
        m_fields.insert(entry.field, edit);
        QLabel *caption = nullptr;
        if (entry.field == PersonPage::Email) {
            auto *clickable = new ClickableLabel;
            clickable->onClick = [this] { openMail(false); };
            clickable->setCursor(Qt::PointingHandCursor);
            clickable->setObjectName(QStringLiteral("emailCaption"));
            m_emailCaption = caption = clickable;
        } else {
            caption = new QLabel;
        }
        caption->setText(QString::fromUtf8(entry.caption));
        fieldGrid->addWidget(caption, row, 0);
        fieldGrid->addWidget(edit, row, 1);
        const PersonPage::Field field = entry.field;
        connect(edit, &QLineEdit::textEdited, this, [this, edit, field](const QString &text) {
            const QString stored = m_page.setField(field, text);
            if (stored != text)
                edit->setText(stored);
        });
        ++row;
    }
    m_fields[PersonPage::SchoolYear]->setPlaceholderText(QStringLiteral("2020 /21"));
    m_lrs = new QCheckBox(QStringLiteral("LRS"));
    m_lrs->setObjectName(QStringLiteral("lrsCheck"));
    connect(m_lrs, &QCheckBox::clicked, this, [this](bool on) { m_page.setLrs(on); });
    fieldGrid->addWidget(m_lrs, row, 1);

    auto *photo = new ClickableLabel;
    photo->onClick = [this] { openPhotoDialog(); };
    photo->setCursor(Qt::PointingHandCursor);
    photo->setToolTip(QStringLiteral("Foto laden oder einfügen"));
    m_photo = photo;
    m_photo->setObjectName(QStringLiteral("photo"));
    m_photo->setFixedSize(135, 180);
    m_photo->setFrameShape(QFrame::Box);
    m_photo->setAlignment(Qt::AlignCenter);
    m_photosVisible = new QCheckBox(QStringLiteral("Foto(s) sichtbar"));
    m_photosVisible->setObjectName(QStringLiteral("photosVisibleCheck"));
    connect(m_photosVisible, &QCheckBox::clicked, this, [this](bool on) {
        m_page.setPhotosVisible(on);
        showPhoto();
    });
    auto *photoBox = new QVBoxLayout;
    photoBox->addWidget(m_photo);
    photoBox->addWidget(m_photosVisible);
    photoBox->addStretch();

    // Navigation and the commands on persons.
    m_listPosition = new QLineEdit;
    m_listPosition->setObjectName(QStringLiteral("listPosition"));
    m_listPosition->setReadOnly(true);
    m_listPosition->setFixedWidth(40);
    m_listPosition->setAlignment(Qt::AlignCenter);
    auto *back = button(QStringLiteral("&zurück"), "backButton");
    auto *forward = button(QStringLiteral("&weiter"), "forwardButton");
    auto *up = button(QStringLiteral("▲"), "moveUpButton");
    auto *down = button(QStringLiteral("▼"), "moveDownButton");
    up->setFixedWidth(28);
    down->setFixedWidth(28);
    auto *remove = button(QStringLiteral("aktuelle Person löschen"), "deleteButton");
    auto *insert = button(QStringLiteral("Freiplatz nach akt. Person einfügen"), "insertButton");
    insert->setToolTip(QStringLiteral("Lücke erscheint nach aktueller Position!"));
    auto *newYear = button(QStringLiteral("neues SJ., alle Noten löschen"), "newYearButton");
    auto *newGroup = button(QStringLiteral("neue Lerngruppe anlegen"), "newGroupButton");
    auto *importList = button(QStringLiteral("Import"), "importListButton");
    importList->setToolTip(QStringLiteral(
        "Klassenliste aus einer Tabelle übernehmen (Excel, OpenDocument, Word oder CSV)"));
    connect(importList, &QPushButton::clicked, this, &PersonPageView::importClassList);
    auto *photoFolder = button(QStringLiteral("Fotos aus Ordner übernehmen"), "photoFolderButton");
    photoFolder->setToolTip(QStringLiteral(
        "Jede Person bekommt das Bild, dessen Dateiname ihr Name ist (Nachname Vorname oder "
        "Vorname Nachname)."));
    connect(photoFolder, &QPushButton::clicked, this, &PersonPageView::importPhotoFolder);
    // Each of these changes the shown person; the page reloads afterwards. Deleting and
    // inserting move whole blocks of the class and show the progress bar meanwhile.
    struct PageCommand
    {
        QPushButton *button;
        std::function<void()> run;
        bool showsProgress;
    };
    const PageCommand pageCommands[] = {
        {back, [this] { m_page.back(); }, false},
        {forward, [this] { m_page.forward(); }, false},
        {up, [this] { m_page.moveUp(); }, false},
        {down, [this] { m_page.moveDown(); }, false},
        {remove, [this] { m_page.deleteCurrent(); }, true},
        {insert, [this] { m_page.insertFreeSlot(); }, true},
    };
    for (const PageCommand &command : pageCommands) {
        connect(command.button, &QPushButton::clicked, this,
                [this, run = command.run, progress = command.showsProgress] {
                    if (progress)
                        startProgress();
                    run();
                    if (progress)
                        m_progress->hide();
                    afterNavigation();
                });
    }
    // "&weiter" finds photos of an older version; converted photos are saved with the class.
    connect(forward, &QPushButton::clicked, this, [this] {
        if (m_photoFolder && m_page.offerPhotoConversion(m_photoFolder())) {
            showPhoto();
            emit saveRequested();
        }
    });
    connect(newYear, &QPushButton::clicked, this, [this] {
        if (m_page.startNewSchoolYear())
            afterNavigation();
    });
    connect(newGroup, &QPushButton::clicked, this, [this] {
        if (!m_page.startNewLearningGroup()) {
            emit saveRequested();
            return;
        }
        emit newLearningGroupStarted();
        refresh();
    });

    auto *mailPanel = new ClickableFrame;
    mailPanel->onClick = [this] { openMail(m_mailToAll->isChecked()); };
    m_mailPanel = mailPanel;
    m_mailPanel->setObjectName(QStringLiteral("mailPanel"));
    m_mailPanel->setFrameShape(QFrame::StyledPanel);
    m_mailPanel->setCursor(Qt::PointingHandCursor);
    m_mailToAll = new QCheckBox(QStringLiteral("an alle ?"));
    m_mailToAll->setObjectName(QStringLiteral("mailToAllCheck"));
    connect(m_mailToAll, &QCheckBox::toggled, this, [this](bool on) {
        m_mailToAll->setText(on ? QStringLiteral("an alle !") : QStringLiteral("an alle ?"));
    });
    auto *mailLayout = new QHBoxLayout(m_mailPanel);
    mailLayout->addWidget(new QLabel(QStringLiteral("Mail to:")));
    mailLayout->addWidget(m_mailToAll);
    mailLayout->addStretch();

    auto *navigation = new QHBoxLayout;
    navigation->addWidget(back);
    navigation->addWidget(new QLabel(QStringLiteral("Listenplatz")));
    navigation->addWidget(m_listPosition);
    auto *arrows = new QVBoxLayout;
    arrows->setSpacing(0);
    arrows->addWidget(up);
    arrows->addWidget(down);
    navigation->addLayout(arrows);
    navigation->addWidget(forward);
    navigation->addStretch();
    auto *commands = new QVBoxLayout;
    commands->addLayout(navigation);
    commands->addWidget(insert);
    commands->addWidget(remove);
    commands->addWidget(newYear);
    commands->addWidget(newGroup);
    auto *intake = new QHBoxLayout;
    intake->addWidget(importList);
    intake->addWidget(photoFolder, 1);
    commands->addLayout(intake);
    commands->addWidget(m_mailPanel);
    commands->addStretch();

    // Grading settings of the class.
    m_grades = new QRadioButton(QStringLiteral("Noten"));
    m_points = new QRadioButton(QStringLiteral("Punkte"));
    m_grades->setObjectName(QStringLiteral("gradeModeRadio"));
    m_points->setObjectName(QStringLiteral("pointsModeRadio"));
    auto *modes = new QButtonGroup(this);
    modes->addButton(m_grades);
    modes->addButton(m_points);
    m_halfDown = new QCheckBox(QStringLiteral("im Notenmodus 0,5 abrunden    "));
    m_halfDown->setObjectName(QStringLiteral("halfDownCheck"));
    // A changed scale or rounding reaches every person.
    connect(m_grades, &QRadioButton::clicked, this, [this] {
        m_page.setPointsMode(false);
        loadSettings();
        applyToAll();
    });
    connect(m_points, &QRadioButton::clicked, this, [this] {
        m_page.setPointsMode(true);
        loadSettings();
        applyToAll();
    });
    connect(m_halfDown, &QCheckBox::clicked, this, [this](bool on) {
        m_page.setHalfDown(on);
        applyToAll();
    });

    m_sliderCaption = new QLabel(QStringLiteral("Gewichtung mündlich zu schriftlich"));
    m_sliderCaption->setToolTip(QStringLiteral("     Zum Verstellen bitte Person 1 wählen."));
    m_slider = new QSlider(Qt::Horizontal);
    m_slider->setObjectName(QStringLiteral("weightSlider"));
    m_slider->setRange(0, 4);
    m_slider->setPageStep(1);
    m_slider->setTickPosition(QSlider::TicksBelow);
    m_slider->setTickInterval(1);
    m_oralLabel = new QLabel;
    m_writtenLabel = new QLabel;
    m_oralLabel->setObjectName(QStringLiteral("oralWeightLabel"));
    m_writtenLabel->setObjectName(QStringLiteral("writtenWeightLabel"));
    connect(m_slider, &QSlider::valueChanged, this, [this](int position) {
        m_page.setSliderPosition(position);
        loadSettings();
        updateNotice();
    });
    m_weighting = new QCheckBox(QStringLiteral("Einzelnoten Fach 1 gewichten"));
    m_weighting->setObjectName(QStringLiteral("weightingSwitch"));
    m_weighting->setToolTip(QStringLiteral(
        "   Gewichtungen innerhalb des Mündlichen oder Schriftlichen sind nur für Fach Nr. 1 "
        "möglich. Notfalls 2 Dateien führen. Bitte mit Prozentpunkten oder beliebigen Faktoren "
        "gewichten. Ist die Zeile des ersten Faches gelb gefärbt, so sind Gewichtungen aktiv."));
    // The caption is shortened to the column's width: a long subject name must not widen
    // the page.
    m_weighting->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    m_weighting->installEventFilter(this);
    connect(m_weighting, &QCheckBox::clicked, this, [this](bool on) {
        const bool resetWeights = m_page.setWeightingSwitch(on);
        m_sheet->setRowHidden(0, !on);
        m_sheet->reload();
        loadSettings();
        if (resetWeights)
            applyToAll();
    });

    auto *settings = new QGroupBox;
    m_gradeSettings = settings;
    // The page keeps its layout when the verbal evaluation hides the grading settings.
    QSizePolicy keepPlace = settings->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    settings->setSizePolicy(keepPlace);
    auto *settingsLayout = new QGridLayout(settings);
    settingsLayout->addWidget(m_grades, 0, 0);
    settingsLayout->addWidget(m_points, 0, 1);
    settingsLayout->addWidget(m_halfDown, 1, 0, 1, 3);
    settingsLayout->addWidget(m_sliderCaption, 2, 0, 1, 3);
    settingsLayout->addWidget(m_oralLabel, 3, 0);
    settingsLayout->addWidget(m_slider, 3, 1);
    settingsLayout->addWidget(m_writtenLabel, 3, 2);
    settingsLayout->addWidget(m_weighting, 4, 0, 1, 3);

    auto *notice = new ClickableLabel;
    notice->onClick = [this] { applyToAll(); };
    m_notice = notice;
    m_notice->setObjectName(QStringLiteral("yellowNotice"));
    m_notice->setTextFormat(Qt::RichText);
    m_notice->setText(noticeText());
    m_notice->setMargin(4);
    m_notice->setWordWrap(true);
    setLabelColour(m_notice, QColor(0xFF, 0xFF, 0xC0));
    m_notice->setFrameShape(QFrame::Box);
    // The notice lies over the page (placed when shown); the sheet below stays where it is.
    m_notice->setParent(this);
    m_notice->hide();

    m_progress = new QProgressBar;
    m_progress->setObjectName(QStringLiteral("walkProgress"));
    m_progress->setRange(0, WalkSteps);
    retainPlace(m_progress);
    m_progress->hide();

    auto *top = new QHBoxLayout;
    top->addLayout(fieldGrid, 1);
    top->addLayout(photoBox);
    auto *commandsPanel = new QWidget;
    commandsPanel->setFixedWidth(CommandsWidth);
    commands->setContentsMargins(0, 0, 0, 0);
    commandsPanel->setLayout(commands);
    top->addWidget(commandsPanel);
    m_settingsPanel = new QWidget;
    m_settingsPanel->setFixedWidth(SettingsWidth);
    auto *right = new QVBoxLayout(m_settingsPanel);
    right->setContentsMargins(0, 0, 0, 0);
    right->addWidget(settings);
    right->addWidget(m_progress);
    right->addStretch();
    top->addWidget(m_settingsPanel);

    m_sheet->setObjectName(QStringLiteral("personSheet"));
    m_sheet->horizontalHeader()->show();
    m_sheet->setRowHidden(15, true);

    // The verbal evaluation takes the place of the grade table.
    m_evaluationView->setObjectName(QStringLiteral("evaluationTable"));
    m_evaluationView->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_evaluationView, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        QMenu menu(this);
        menu.addAction(QStringLiteral("einfügen - paste"), this, [this] {
            if (m_evaluation.pasteCriteria(QGuiApplication::clipboard()->text()))
                loadEvaluation();
        });
        menu.exec(m_evaluationView->viewport()->mapToGlobal(at));
    });
    connect(m_evaluationView->sheetModel(), &QAbstractItemModel::dataChanged, this,
            [this] { setEvaluationHintShown(m_evaluationHintShown); });
    m_sheets = new QStackedWidget;
    m_sheets->addWidget(m_sheet);
    m_sheets->addWidget(m_evaluationView);

    m_verbalCheck = new QCheckBox(QStringLiteral("Verbalbeurteilung"));
    m_verbalCheck->setObjectName(QStringLiteral("verbalCheck"));
    connect(m_verbalCheck, &QCheckBox::clicked, this, [this](bool on) {
        m_page.document().setVerbalEvaluation(on);
        applyVerbalMode();
        emit verbalModeChanged(on);
    });
    m_verbalHelpButton = button(QStringLiteral("?"), "verbalHelpButton");
    m_verbalHelpButton->setFixedWidth(28);
    auto *help = new ClickableLabel;
    help->onClick = [help] { help->hide(); };
    m_verbalHelp = help;
    m_verbalHelp->setObjectName(QStringLiteral("verbalHelp"));
    m_verbalHelp->setText(verbalHelpText());
    setLabelColour(m_verbalHelp, QColor(0xFF, 0xFF, 0xE0));
    m_verbalHelp->setMargin(6);
    m_verbalHelp->setFrameShape(QFrame::Box);
    m_verbalHelp->setParent(this);
    m_verbalHelp->hide();
    connect(m_verbalHelpButton, &QPushButton::clicked, this, [this] {
        m_verbalHelp->adjustSize();
        m_verbalHelp->move(416, 225);
        m_verbalHelp->setVisible(!m_verbalHelp->isVisible());
        m_verbalHelp->raise();
    });
    m_levelsButton = button(QStringLiteral("individuelle Beurteilungsstufen "), "levelsButton");
    m_levels = new LevelsPanel(m_page.document(), this);
    m_levels->setGeometry(592, 0, 380, 330);
    connect(m_levelsButton, &QPushButton::clicked, this, &PersonPageView::toggleLevels);

    auto *remarksCaption = new ClickableLabel;
    m_remarksCaption = remarksCaption;
    m_remarksCaption->setObjectName(QStringLiteral("remarksCaption"));
    m_remarksCaption->setText(QStringLiteral("Bemerkungen"));
    m_remarksCaption->setFrameShape(QFrame::StyledPanel);
    m_remarksCaption->setCursor(Qt::PointingHandCursor);
    m_remarksCaption->setAlignment(Qt::AlignCenter);
    // Wide enough for the bold caption, so that turning bold moves nothing.
    QFont bold = m_remarksCaption->font();
    bold.setBold(true);
    m_remarksCaption->setFixedWidth(
        QFontMetrics(bold).horizontalAdvance(QStringLiteral("Bemerkungen")) +
        4 * m_remarksCaption->frameWidth() + 12);
    m_remarks = new RemarksPanel(m_page.document(), this);
    m_remarks->move(300, 60);
    m_remarks->hide();
    remarksCaption->onClick = [this] { m_remarks->openFor(m_page.current()); };
    connect(m_remarks, &RemarksPanel::closed, this, [this](bool update) {
        if (update)
            updateRemarksCaption();
    });

    m_verbalRow = new QWidget;
    auto *verbalBar = new QHBoxLayout(m_verbalRow);
    verbalBar->setContentsMargins(0, 0, 0, 0);
    verbalBar->addWidget(m_verbalCheck);
    verbalBar->addWidget(m_verbalHelpButton);
    verbalBar->addStretch();
    verbalBar->addWidget(m_remarksCaption);
    retainPlace(m_verbalCheck);
    retainPlace(m_verbalHelpButton);
    retainPlace(m_levelsButton);
    right->insertWidget(1, m_verbalRow);
    right->insertWidget(2, m_levelsButton, 0, Qt::AlignLeft);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_sheets, 1);

    auto *header = new FittingHeader(m_sheet);
    header->setMinimumSectionSize(4);
    m_sheet->setHorizontalHeader(header);
    m_sheet->applySizes();

    connect(m_sheet->sheetModel(), &QAbstractItemModel::dataChanged, this, [this] {
        emit captionsChanged();
        updateWeightingCaption();
        updateNotice();
    });
    // The controls show the open class's settings from the start, a new class's defaults too.
    refresh();
}

PersonPageView::~PersonPageView()
{
    // The dialog works on the editor; it goes first.
    delete m_photoDialog;
}

void PersonPageView::setPhotoTools(UserPrompts &prompts, const QString &workFolder)
{
    m_prompts = &prompts;
    m_workFolder = workFolder;
    if (m_photoEditor)
        m_photoEditor->setWorkFolder(workFolder);
}

void PersonPageView::openPhotoDialog()
{
    if (!m_prompts)
        return;
    if (!m_photoEditor) {
        m_clipboard = std::make_unique<SystemClipboard>();
        m_photoEditor = std::make_unique<PhotoEditor>(m_page.document(), *m_prompts, *m_clipboard);
        m_photoEditor->setWorkFolder(m_workFolder);
        m_photoDialog = new PhotoDialog(*m_photoEditor, this);
        m_photoDialog->setProjectFolder(
            [this] { return m_photoFolder ? m_photoFolder() : QString(); });
        connect(m_photoDialog, &PhotoDialog::photoTaken, this, &PersonPageView::showPhoto);
    }
    if (m_photoDialog->openFor(m_page.current(), m_page.field(PersonPage::Name),
                               m_page.field(PersonPage::Class)))
        emit photoDialogOpened();
}

void PersonPageView::importClassList()
{
    if (!m_prompts)
        return;
    switch (m_page.startImport()) {
    case PersonPage::ImportStart::SaveFirst:
        emit saveRequested();
        return;
    case PersonPage::ImportStart::IntoNewClass:
        emit newLearningGroupStarted();
        refresh();
        break;
    case PersonPage::ImportStart::IntoThisClass:
        break;
    }
    auto *dialog = new ClassListImportDialog(m_page.document().grid(), *m_prompts,
                                             m_photoFolder ? m_photoFolder() : QString(), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &ClassListImportDialog::imported, this,
            [this] { showPerson(m_page.current()); });
    dialog->open();
}

void PersonPageView::importPhotoFolder()
{
    if (!m_prompts || !m_photoFolder)
        return;
    const QString folder =
        m_prompts->chooseFolder(QStringLiteral("Fotos aus Ordner übernehmen"), QString());
    if (folder.isEmpty())
        return;
    ClassDocument &document = m_page.document();
    const PhotoImport::Result result =
        PhotoImport::run(document.grid(), folder, m_photoFolder(), ImageOperations::DefaultZoom,
                         QDate::currentDate(), document.photoKeyForStoring());
    if (!result.stored.isEmpty()) {
        document.setSaved(false);
        showPhoto();
    }
    m_prompts->showMessage(PhotoImport::describe(result, document.grid()).join(u'\r'));
}

bool PersonPageView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_weighting && event->type() == QEvent::Resize)
        updateWeightingCaption();
    return QWidget::eventFilter(watched, event);
}

void PersonPageView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (m_notice->isVisible())
        placeNotice();
}

void PersonPageView::updateWeightingCaption()
{
    const QString caption = QStringLiteral("Wichtung für ") + m_page.subjectCaption(1);
    const int indicator =
        style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, m_weighting) +
        style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, m_weighting);
    const int room = m_weighting->width() - indicator - 4;
    m_weighting->setText(
        m_weighting->fontMetrics().elidedText(caption, Qt::ElideRight, qMax(room, 20)));
}

void PersonPageView::placeNotice()
{
    const QPoint below = m_verbalRow->mapTo(this, QPoint(0, m_verbalRow->height() + 4));
    const int width = m_settingsPanel->width();
    m_notice->setGeometry(below.x(), below.y(), width, m_notice->heightForWidth(width));
    m_notice->raise();
}

void PersonPageView::startProgress()
{
    m_progress->setValue(0);
    m_progress->show();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void PersonPageView::stepProgress(int listPosition)
{
    m_progress->setValue(qMin(m_progress->value() + 1, m_progress->maximum()));
    m_listPosition->setText(QString::number(listPosition));
    // Keeps the bar moving; the walk itself needs no pauses.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

QPushButton *PersonPageView::button(const QString &text, const char *name)
{
    auto *b = new QPushButton(text);
    b->setObjectName(QLatin1String(name));
    return b;
}

void PersonPageView::applyVerbalMode()
{
    const bool verbal = m_page.document().verbalEvaluation();
    m_verbalCheck->setChecked(verbal);
    m_sheets->setCurrentWidget(verbal ? static_cast<QWidget *>(m_evaluationView) : m_sheet);
    m_gradeSettings->setVisible(!verbal);
    m_levelsButton->setVisible(verbal);
    showSwitchDependents();
    // The notice belongs to the grading settings and waits while they are hidden.
    if (verbal)
        m_notice->hide();
    else
        updateNotice();
    if (!verbal) {
        m_levels->hide();
        m_levelsButton->setText(QStringLiteral("individuelle Beurteilungsstufen "));
    }
    if (verbal) {
        loadEvaluation();
        m_evaluationView->setFocus();
    } else if (m_page.field(PersonPage::Name).isEmpty()) {
        m_fields[PersonPage::Name]->setFocus();
    }
}

void PersonPageView::loadEvaluation()
{
    m_evaluation.setPopArt(m_page.popArt());
    m_evaluation.load();
    m_evaluationView->reload();
    const QPoint cursor = m_evaluation.cursor();
    m_evaluationView->setCurrentIndex(m_evaluationView->model()->index(cursor.y(), cursor.x()));
    setEvaluationHintShown(m_evaluationHintShown);
}

void PersonPageView::setEvaluationHintShown(bool shown)
{
    m_evaluationHintShown = shown;
    QString hint = m_evaluation.hint();
    if (hint.isEmpty())
        hint = QStringLiteral("Wer die Kriterien nicht abschreiben will, kann auch die "
                              "Zeugnisliste kopieren und per Rechtsklick einfügen.");
    m_evaluationView->setToolTip(shown ? hint : QString());
    m_evaluationView->setToolTipDuration(HintStyle::Duration);
}

void PersonPageView::updateRemarksCaption()
{
    QFont font = m_remarksCaption->font();
    font.setBold(Remarks::hasRemarks(m_page.document().grid(), m_page.current()));
    m_remarksCaption->setFont(font);
}

void PersonPageView::toggleLevels()
{
    if (m_levels->isVisible()) {
        m_levels->hide();
        m_levelsButton->setText(QStringLiteral("individuelle Beurteilungsstufen "));
        return;
    }
    m_levels->move(592, 0);
    m_levels->open();
    m_levelsButton->setText(QStringLiteral("Beurteilungsstufen weg"));
}

void PersonPageView::classLoaded()
{
    // A class that brings its own ratio has nothing left to apply.
    if (!m_page.document().grid().cell(8, 33).isEmpty()) {
        m_page.clearNotice();
        m_notice->hide();
    }
    refresh();
}

void PersonPageView::showSwitchDependents()
{
    // The weighting row takes the place of the verbal evaluation's controls while it shows;
    // in verbal mode the switch itself is hidden and the evaluation stays reachable.
    const bool weighting = m_page.weightingSwitch() && !m_page.document().verbalEvaluation();
    m_verbalCheck->setVisible(!weighting);
    m_verbalHelpButton->setVisible(!weighting);
}

void PersonPageView::refresh()
{
    m_page.enter();
    applyVerbalMode();
    m_sheet->setRowHidden(0, !m_page.weightingSwitch());
    reloadPerson();
}

void PersonPageView::showPerson(int person)
{
    m_page.show(person);
    afterNavigation();
}

void PersonPageView::afterNavigation()
{
    if (m_page.document().verbalEvaluation())
        loadEvaluation();
    if (m_remarks->isVisible())
        m_remarks->openFor(m_page.current());
    reloadPerson();
    if (m_page.field(PersonPage::Name).isEmpty())
        m_fields[PersonPage::Name]->setFocus();
}

void PersonPageView::reloadPerson()
{
    updateRemarksCaption();
    loadFields();
    loadSettings();
    m_sheet->reload();
    const QPoint cursor = m_page.cursor();
    m_sheet->setCurrentIndex(m_sheet->model()->index(cursor.y(), cursor.x()));
    showPhoto();
    emit captionsChanged();
    emit listPositionChanged(m_page.listPosition());
}

void PersonPageView::loadFields()
{
    for (auto it = m_fields.cbegin(); it != m_fields.cend(); ++it)
        it.value()->setText(m_page.field(it.key()));
    m_lrs->setChecked(m_page.lrs());
    m_listPosition->setText(QString::number(m_page.listPosition()));
}

void PersonPageView::loadSettings()
{
    const ClassDocument &document = m_page.document();
    const QSignalBlocker blockSlider(m_slider);
    const QSignalBlocker blockWeighting(m_weighting);
    m_points->setChecked(document.pointsMode());
    m_grades->setChecked(!document.pointsMode());
    m_halfDown->setChecked(document.halfDown());
    m_halfDown->setVisible(!document.pointsMode());
    m_photosVisible->setChecked(document.photosVisible());
    const int position = qBound(0, document.sliderPosition(), 4);
    m_slider->setValue(position);
    m_oralLabel->setText(QLatin1String(SliderSteps[position].oral));
    m_writtenLabel->setText(QLatin1String(SliderSteps[position].written));
    setLabelColour(m_oralLabel, SliderSteps[position].colour);
    setLabelColour(m_writtenLabel, SliderSteps[position].colour);
    m_weighting->setChecked(m_page.weightingSwitch());
    updateWeightingCaption();
    showSwitchDependents();
    // The class-wide weights are set while the first person is shown.
    const bool first = m_page.listPosition() == 1;
    m_slider->setEnabled(first);
    m_weighting->setEnabled(first);
}

void PersonPageView::showPhoto()
{
    const QString stored = m_page.photoPath();
    QImage image;
    if (!stored.isEmpty() && m_photoFolder) {
        const QString file = PhotoConverter::resolve(m_photoFolder(), stored);
        if (QFileInfo::exists(file)) {
            image = m_page.document().photosVisible() ? PhotoConverter::loadStoredPhoto(file)
                                                      : QImage(file);
        }
    }
    if (image.isNull()) {
        m_photo->setPixmap(QPixmap());
        m_photo->setText(QStringLiteral("kein Foto"));
    } else {
        m_photo->setPixmap(QPixmap::fromImage(image).scaled(m_photo->size(), Qt::KeepAspectRatio,
                                                            Qt::SmoothTransformation));
    }
}

void PersonPageView::updateNotice()
{
    if (!m_page.noticeRequested() || m_notice->isVisible() || m_page.document().verbalEvaluation())
        return;
    placeNotice();
    m_notice->show();
}

void PersonPageView::applyToAll()
{
    if (!m_notice->isVisible())
        m_page.announceWalk();
    m_notice->hide();
    startProgress();
    m_page.applyToAllPersons([this](int person) { stepProgress(person + 1); });
    // The list position counts back to the first person, where the walk ends.
    for (int position = ClassDocument::PersonCount - 1; position >= 1; --position)
        stepProgress(position);
    m_progress->hide();
    afterNavigation();
}

void PersonPageView::openMail(bool toAll)
{
    const QUrl url = toAll ? MailAddress::toAll(m_page.document().grid())
                           : MailAddress::toPerson(m_page.field(PersonPage::Email));
    QDesktopServices::openUrl(url);
}
