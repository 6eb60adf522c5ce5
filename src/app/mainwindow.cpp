#include "mainwindow.h"

#include "appsettings.h"
#include "classdata/classdocument.h"
#include "classdata/userprompts.h"
#include "coursebook/coursebooksheet.h"
#include "coursebook/coursebookview.h"
#include "desktopopener.h"
#include "export/classexport.h"
#include "filemanager.h"
#include "game/memorygameview.h"
#include "grades/subjectsheet.h"
#include "grades/subjectsheetview.h"
#include "helppanel.h"
#include "onlinecheck.h"
#include "passworddialog.h"
#include "person/personpage.h"
#include "person/personpageview.h"
#include "printprogresspanel.h"
#include "processlist.h"
#include "reports/grouplist.h"
#include "reports/labelprintdialog.h"
#include "reports/labelprinting.h"
#include "reports/printcommands.h"
#include "seating/seatingplanview.h"
#include "seating/specialprintspanel.h"
#include "sessioncontroller.h"
#include "sheetkit/enlargedtextpanel.h"
#include "sheetkit/sheetview.h"
#include "verbal/evaluationtable.h"
#include "verbal/overviewtable.h"
#include "verbal/overviewview.h"
#include "verbal/remarkspanel.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <numeric>

namespace {

struct ColourScheme
{
    QColor window;
    QColor tabs;
    QColor tabPanel; // invalid: the window colour shows through
};

const ColourScheme NormalColours{QColor(0x7D, 0xBB, 0xFF), QColor(0xAC, 0xD2, 0xF9), QColor()};
const ColourScheme PopArtColours{QColor(0xD1, 0x1D, 0xFE), QColor(0xAF, 0x6A, 0xFF),
                                 QColor(0xFF, 0x6A, 0xFF)};

void fill(QWidget *widget, const QColor &colour)
{
    QPalette pal = widget->palette();
    pal.setColor(QPalette::Window, colour);
    widget->setPalette(pal);
    widget->setAutoFillBackground(colour.isValid());
}

// Subject names longer than this are shortened on their tabs.
constexpr int MaxTabTextWidth = 120;

// Tabs with less padding, so that the pages of a class fit beside each other.
class CompactTabStyle : public QProxyStyle
{
public:
    int pixelMetric(PixelMetric metric, const QStyleOption *option,
                    const QWidget *widget) const override
    {
        if (metric == PM_TabBarTabHSpace)
            return QProxyStyle::pixelMetric(metric, option, widget) / 2;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

const char *const UpdateNotice =
    "Falls es eine neuere Programmversion geben sollte, musst du das Programm beenden\r\nund die "
    "alte Version nach dem Runterladen durch die neue Version ersetzen.";
const char *const OfflineNotice =
    "Upps - kann nicht auf Updates prüfen, bitte Internetverbindung herstellen.";

} // namespace

MainWindow::MainWindow(ClassDocument &document, AppSettings &settings, UserPrompts &prompts,
                       const Options &options, QWidget *parent)
    : QMainWindow(parent), m_document(document), m_settings(settings), m_prompts(prompts),
      m_options(options)
{
    setWindowTitle(QStringLiteral("Markwart"));
    m_controller = new SessionController(document, settings, prompts, *this, options.programFolder,
                                         options.reportFolder, this);

    auto *central = new QWidget;
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(6, 6, 6, 6);

    m_tabPanel = new QFrame;
    auto *tabPanelLayout = new QVBoxLayout(m_tabPanel);
    tabPanelLayout->setContentsMargins(4, 4, 4, 4);
    m_tabs = new QTabWidget;
    m_tabs->setObjectName(QStringLiteral("mainTabs"));
    auto *tabStyle = new CompactTabStyle;
    tabStyle->setParent(m_tabs);
    m_tabs->tabBar()->setStyle(tabStyle);
    tabPanelLayout->addWidget(m_tabs);
    layout->addWidget(m_tabPanel, 1);
    createPages();

    m_loadButton = new QPushButton(QStringLiteral("Klasse laden"));
    m_saveButton = new QPushButton(QStringLiteral("speichern"));
    m_backupButton = new QPushButton(QStringLiteral("Sicherung laden"));
    m_backupButton->setObjectName(QStringLiteral("backupButton"));
    QFont backupFont = m_backupButton->font();
    backupFont.setPointSizeF(backupFont.pointSizeF() * 0.85);
    m_backupButton->setFont(backupFont);
    m_helpButton = new QPushButton(QStringLiteral("Hilfe / Update"));
    m_endButton = new QPushButton(QStringLiteral("Ende"));
    m_autoLoadCheck = new QCheckBox(QStringLiteral("letzte Klasse automatisch laden"));
    m_popArtCheck = new QCheckBox(QStringLiteral("Hintergrund Pop Art"));
    m_loadButton->setObjectName(QStringLiteral("loadButton"));
    m_saveButton->setObjectName(QStringLiteral("saveButton"));
    m_exportButton = new QPushButton(QStringLiteral("Klasse exportieren"));
    m_exportButton->setObjectName(QStringLiteral("exportButton"));
    m_exportButton->setToolTip(
        QStringLiteral("Die ganze Klasse als Excel-Arbeitsmappe (.xlsx) oder CSV-Tabelle."));
    m_exportButton->setFont(backupFont);
    m_helpButton->setObjectName(QStringLiteral("helpButton"));
    m_endButton->setObjectName(QStringLiteral("endButton"));
    m_autoLoadCheck->setObjectName(QStringLiteral("autoLoadCheck"));
    m_popArtCheck->setObjectName(QStringLiteral("popArtCheck"));
    m_seatingButton = new QPushButton(QStringLiteral("Sitzplan u. mehr"));
    m_seatingButton->setObjectName(QStringLiteral("seatingPlanButton"));

    createUndoButtons();
    auto *bar = new QHBoxLayout;
    // Narrow gaps keep the bar within the window's width.
    bar->setSpacing(3);
    // The file commands together; loading a backup and exporting are rare, so they are smaller.
    auto *files = new QGridLayout;
    files->setSpacing(2);
    files->addWidget(m_loadButton, 0, 0);
    files->addWidget(m_saveButton, 0, 1);
    files->addWidget(m_backupButton, 1, 0);
    files->addWidget(m_exportButton, 1, 1);
    bar->addLayout(files);
    bar->addSpacing(2);
    auto *checks = new QVBoxLayout;
    checks->setSpacing(0);
    checks->addWidget(m_autoLoadCheck);
    checks->addWidget(m_popArtCheck);
    bar->addLayout(checks);
    m_startHint = new QLabel(
        QStringLiteral("Noch keine Klasse geöffnet: „Klasse laden“ öffnet eine Klassendatei, "
                       "oder einfach Namen eintragen und „speichern“."));
    m_startHint->setObjectName(QStringLiteral("startHint"));
    m_startHint->setStyleSheet(QStringLiteral(
        "QLabel { background: #FFFFE1; border: 1px solid #A0A0A0; padding: 0px 6px; }"));
    // The hint takes the free room of the bar and wraps; it never widens the window.
    m_startHint->setWordWrap(true);
    m_startHint->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    QFont hintFont = m_startHint->font();
    hintFont.setPointSizeF(hintFont.pointSizeF() * 0.9);
    m_startHint->setFont(hintFont);
    m_startHint->hide();
    bar->addSpacing(2);
    createPrintGroup();
    // Until there is a class, its hint stands where the print buttons will be.
    bar->addWidget(m_startHint, 1);
    bar->addWidget(m_printGroup);
    bar->addStretch();
    // Two smaller buttons above each other keep the bar within the window's width.
    auto *room = new QVBoxLayout;
    room->setSpacing(2);
    room->addWidget(m_seatingButton);
    room->addWidget(m_helpButton);
    bar->addLayout(room);
    // The history buttons above "Ende", within the bar's width.
    auto *history = new QHBoxLayout;
    history->setSpacing(2);
    history->addWidget(m_undoButton);
    history->addWidget(m_redoButton);
    auto *end = new QVBoxLayout;
    end->setSpacing(2);
    end->addLayout(history);
    end->addWidget(m_endButton);
    bar->addLayout(end);

    layout->addLayout(bar);
    setCentralWidget(central);

    m_enlarged = new EnlargedTextPanel(central);
    m_enlarged->move(420, 30);
    for (SubjectSheetView *view : qAsConst(m_subjectViews))
        m_enlarged->follow(view->view());
    // Blocks travel to and from spreadsheets on the first two subjects and the course book.
    m_subjectViews[0]->view()->enableClipboardMenu();
    m_subjectViews[1]->view()->enableClipboardMenu();
    for (CourseBookView *view : qAsConst(m_courseViews))
        view->view()->enableClipboardMenu();
    for (CourseBookView *view : qAsConst(m_courseViews))
        m_enlarged->follow(view->view());
    m_enlarged->follow(m_personView->evaluationView());
    m_enlarged->follow(m_overviewView->view());

    m_printProgress = new PrintProgressPanel(central);
    m_print->setProgress(m_printProgress);

    m_helpPanel = new HelpPanel(ClassDocument::ProgramVersion, central);
    m_helpPanel->hide();
    connect(m_helpPanel, &HelpPanel::searchUpdateRequested, this, &MainWindow::searchUpdate);

    m_passwordDialog = new PasswordDialog(this);
    connect(m_passwordDialog, &PasswordDialog::loadConfirmed, this, [this](const QString &text) {
        if (!m_controller->confirmLoad(text) && m_passwordDialog->isVisible())
            m_passwordDialog->refocusField();
    });
    connect(m_passwordDialog, &PasswordDialog::saveConfirmed, this, [this](const QString &text) {
        m_controller->confirmSave(text, m_passwordDialog->encryptChosen());
    });
    connect(m_passwordDialog, &PasswordDialog::passwordEdited, this, [this](const QString &text) {
        if (m_controller->autoFocusMatch(text))
            m_passwordDialog->focusLoadButton();
    });
    connect(m_passwordDialog, &PasswordDialog::cancelled, this, [this] {
        m_controller->passwordDialogClosed();
        showPersonPage();
    });

    connect(m_loadButton, &QPushButton::clicked, m_controller, &SessionController::loadClass);
    connect(m_saveButton, &QPushButton::clicked, m_controller, &SessionController::saveClass);
    connect(m_backupButton, &QPushButton::clicked, m_controller, &SessionController::loadBackup);
    m_controller->setRecoveryInterval(options.recoveryInterval);
    connect(m_exportButton, &QPushButton::clicked, this, &MainWindow::exportClass);
    connect(m_helpButton, &QPushButton::clicked, this, &MainWindow::showHelpPanel);
    connect(m_seatingButton, &QPushButton::clicked, this, &MainWindow::openSeatingPlan);
    connect(m_endButton, &QPushButton::clicked, this, &QWidget::close);
    connect(m_autoLoadCheck, &QCheckBox::toggled, m_controller,
            &SessionController::setAutoLoadLast);
    connect(m_popArtCheck, &QCheckBox::toggled, this, &MainWindow::applyColourScheme);

    connect(&m_document, &ClassDocument::flushRequested, this, [this] {
        m_document.setTabPositions(tabPositions());
        m_tabs->setCurrentIndex(0);
    });
    connect(m_tabs->tabBar(), &QTabBar::tabMoved, this,
            [this] { m_document.setTabPositions(tabPositions()); });

    resize(1165, 745);
    placeWindow();

    m_controller->setUp(options.commandLineFile, options.today);
    m_autoLoadCheck->setChecked(m_controller->autoLoadLast());
    applyColourScheme(false);
}

void MainWindow::createUndoButtons()
{
    auto button = [this](const QString &text, const char *name) {
        auto *b = new QToolButton;
        b->setObjectName(QLatin1String(name));
        b->setText(text);
        b->setAutoRaise(true);
        b->setFixedSize(30, 20);
        b->setFocusPolicy(Qt::NoFocus);
        return b;
    };
    m_undoButton = button(QStringLiteral("↶"), "undoButton");
    m_redoButton = button(QStringLiteral("↷"), "redoButton");
    connect(m_undoButton, &QToolButton::clicked, this, &MainWindow::undoStep);
    connect(m_redoButton, &QToolButton::clicked, this, &MainWindow::redoStep);
    auto shortcut = [this](const QKeySequence &keys, void (MainWindow::*slot)()) {
        auto *s = new QShortcut(keys, this);
        s->setContext(Qt::WindowShortcut);
        connect(s, &QShortcut::activated, this, slot);
    };
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Z), &MainWindow::undoStep);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Y), &MainWindow::redoStep);
    shortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), &MainWindow::redoStep);
    // Text fields take back their own typing first; the window sees the key after that.
    qApp->installEventFilter(this);
    connect(&m_document.grid(), &ClassGrid::historyChanged, this, &MainWindow::updateUndoButtons);
    updateUndoButtons();
}

void MainWindow::updateUndoButtons()
{
    const UndoHistory &history = m_document.grid().history();
    m_undoButton->setEnabled(history.canUndo());
    m_redoButton->setEnabled(history.canRedo());
    m_undoButton->setToolTip(history.canUndo() ? QStringLiteral("Rückgängig: ") + history.undoName()
                                               : QStringLiteral("Rückgängig"));
    m_redoButton->setToolTip(history.canRedo()
                                 ? QStringLiteral("Wiederholen: ") + history.redoName()
                                 : QStringLiteral("Wiederholen"));
}

void MainWindow::undoStep()
{
    if (m_document.undo())
        followHistory();
}

void MainWindow::redoStep()
{
    if (m_document.redo())
        followHistory();
}

void MainWindow::followHistory()
{
    // The sheets follow the grid's signals; the person page's fields and the settings
    // shown beside them do not.
    const bool verbal = m_document.verbalEvaluation();
    if (m_tabs->isTabVisible(m_tabs->indexOf(page(OverviewPage))) != verbal)
        applyVerbalTabs();
    m_personPage->sync();
    updateCaptions();
    if (m_tabs->currentWidget() == m_personView)
        m_personView->showPerson(m_document.currentPerson());
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::ShortcutOverride)
        return QMainWindow::eventFilter(watched, event);
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != this)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    const Qt::KeyboardModifiers modifiers =
        key->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
    const bool undo = key->key() == Qt::Key_Z && modifiers == Qt::ControlModifier;
    const bool redo =
        (key->key() == Qt::Key_Y && modifiers == Qt::ControlModifier) ||
        (key->key() == Qt::Key_Z && modifiers == (Qt::ControlModifier | Qt::ShiftModifier));
    if (!undo && !redo)
        return false;
    bool ownTyping = false;
    if (auto *line = qobject_cast<QLineEdit *>(widget))
        ownTyping =
            !line->isReadOnly() && (undo ? line->isUndoAvailable() : line->isRedoAvailable());
    else if (auto *text = qobject_cast<QPlainTextEdit *>(widget))
        ownTyping = !text->isReadOnly() && (undo ? text->document()->isUndoAvailable()
                                                 : text->document()->isRedoAvailable());
    else if (auto *text = qobject_cast<QTextEdit *>(widget))
        ownTyping = !text->isReadOnly() && (undo ? text->document()->isUndoAvailable()
                                                 : text->document()->isRedoAvailable());
    if (ownTyping)
        return false;
    // Nothing of its own to take back: the key goes to the window's shortcut.
    event->ignore();
    return true;
}

MainWindow::~MainWindow()
{
    qApp->removeEventFilter(this);
    // The pages show logic objects owned here: they must go before those do.
    delete takeCentralWidget();
}

void MainWindow::createPages()
{
    m_personPage = std::make_unique<PersonPage>(m_document, m_prompts);
    m_evaluation = std::make_unique<EvaluationTable>(m_document, m_prompts);
    m_personView = new PersonPageView(*m_personPage, *m_evaluation);
    connect(m_personView, &PersonPageView::verbalModeChanged, this, &MainWindow::applyVerbalTabs);
    connect(m_personView, &PersonPageView::listPositionChanged, this,
            &MainWindow::updatePopArtCheck);
    m_personView->setPhotoFolder([this] { return m_controller->projectFolder(); });
    m_personView->setPhotoTools(m_prompts, m_options.reportFolder);
    connect(m_personView, &PersonPageView::photoDialogOpened, m_controller,
            [this] { m_controller->setPlanAvailable(false); });
    connect(m_personView, &PersonPageView::captionsChanged, this, &MainWindow::updateCaptions);
    connect(m_personView, &PersonPageView::saveRequested, m_controller,
            &SessionController::saveClass);
    connect(m_personView, &PersonPageView::newLearningGroupStarted, this,
            &MainWindow::startNewLearningGroup);

    QStringList captions{QStringLiteral("&Person")};
    for (int k = 1; k <= 14; ++k)
        captions << QStringLiteral("Fach %1").arg(k);
    captions << QStringLiteral("Übersicht") << QStringLiteral("Kursbuch 1.HJ.")
             << QStringLiteral("Kursbuch 2. HJ.");
    for (int n = 1; n <= PageCount; ++n) {
        QWidget *page = nullptr;
        if (n == 1) {
            page = m_personView;
        } else if (n <= 15) {
            m_subjectSheets.push_back(std::make_unique<SubjectSheet>(m_document, n - 1));
            auto *view = new SubjectSheetView(*m_subjectSheets.back());
            m_subjectViews << view;
            // "Klausurausfall" takes the column last selected on any subject sheet.
            connect(view->view(), &SheetView::cellSelected, this,
                    [this](int column, int) { m_examColumn = column; });
            page = view;
        } else if (n >= 17) {
            m_courseSheets.push_back(std::make_unique<CourseBookSheet>(m_document, n - 16));
            auto *view = new CourseBookView(*m_courseSheets.back(), m_prompts);
            view->setHintShown(true);
            connect(view, &CourseBookView::closeProgramRequested, this, &QWidget::close);
            const int halfYear = n - 16;
            connect(view, &CourseBookView::printRequested, this,
                    [this, halfYear] { printCourseBook(halfYear); });
            m_courseViews << view;
            page = view;
        } else {
            m_overviewTable = std::make_unique<OverviewTable>(m_document);
            m_overviewView = new OverviewView(*m_overviewTable, m_document.grid());
            page = m_overviewView;
        }
        page->setObjectName(QStringLiteral("tabsheet%1").arg(n));
        m_pages << page;
        m_tabs->addTab(page, captions[n - 1]);
    }
    // The overview is shown only while the verbal evaluation is switched on.
    m_tabs->setTabVisible(OverviewPage - 1, false);

    // The attendance legend is a hint for the first moments on the course book only.
    m_hintTimer = new QTimer(this);
    m_hintTimer->setInterval(10000);
    connect(m_hintTimer, &QTimer::timeout, this, [this] {
        for (CourseBookView *view : qAsConst(m_courseViews))
            view->setHintShown(false);
        m_personView->setEvaluationHintShown(false);
    });
    // Pages can be dragged into another order; the person page always stays first.
    m_tabs->setMovable(true);
    connect(m_tabs->tabBar(), &QTabBar::tabMoved, this, [this] {
        const int person = m_tabs->indexOf(m_personView);
        if (person != 0)
            m_tabs->tabBar()->moveTab(person, 0);
    });
    connect(m_tabs, &QTabWidget::currentChanged, this, &MainWindow::pageActivated);
}

void MainWindow::createPrintGroup()
{
    if (m_options.opener) {
        m_opener = m_options.opener;
    } else {
        m_ownOpener = std::make_unique<DesktopOpener>();
        m_opener = m_ownOpener.get();
    }
    m_print =
        std::make_unique<PrintCommands>(m_document, m_prompts, *m_opener, m_options.reportFolder);

    m_printGroup =
        new QGroupBox(QStringLiteral("Drucken, zunächst Person oder Fach auswählen. - dann Liste "
                                     "erzeugen!"));
    m_printGroup->setObjectName(QStringLiteral("printGroup"));
    auto button = [](const QString &caption, const char *name, const QString &hint) {
        auto *b = new QPushButton(caption);
        b->setObjectName(QLatin1String(name));
        b->setToolTip(hint);
        return b;
    };
    m_resultListButton = button(QStringLiteral("Fach Ergebnisliste"), "resultListButton",
                                QStringLiteral("Nur die Endnoten des aktuellen Faches."));
    m_personButton = button(
        QStringLiteral("aktuelle Person"), "personReportButton",
        QStringLiteral("Ich erzeuge eine Datei, die kann vor dem Drucken noch angepasst werden."));
    m_completeListButton =
        button(QStringLiteral("Fach Komplettliste"), "completeListButton", QString());
    m_specialButton = button(QStringLiteral("Spezialdrucke"), "specialPrintsButton", QString());
    m_examButton = button(
        QStringLiteral("Klausurausfall"), "examReportButton",
        QStringLiteral("Wähle zunächst die Spalte der gewünschten Klausur durch anklicken!"));

    auto *layout = new QHBoxLayout(m_printGroup);
    // Five buttons close together keep the bar within the window's width.
    layout->setContentsMargins(3, 2, 3, 4);
    layout->setSpacing(1);
    for (QPushButton *b :
         {m_resultListButton, m_personButton, m_completeListButton, m_specialButton, m_examButton})
        layout->addWidget(b);

    connect(m_resultListButton, &QPushButton::clicked, this, &MainWindow::printResultList);
    connect(m_personButton, &QPushButton::clicked, this, &MainWindow::printPerson);
    connect(m_completeListButton, &QPushButton::clicked, this, &MainWindow::printCompleteList);
    connect(m_examButton, &QPushButton::clicked, this, &MainWindow::printExam);
    connect(m_specialButton, &QPushButton::clicked, this, &MainWindow::openSpecialPrints);
}

PrintPlace MainWindow::printPlace() const
{
    PrintPlace place;
    QWidget *current = m_tabs->currentWidget();
    for (int k = 0; k < m_subjectViews.size(); ++k) {
        if (m_subjectViews[k] == current) {
            place.page = PrintPlace::Page::Subject;
            place.number = k + 1;
            place.title = m_personPage->subjectCaption(k + 1);
            place.controlWidth = m_subjectViews[k]->view()->width();
        }
    }
    if (current == m_overviewView) {
        place.page = PrintPlace::Page::Overview;
        place.title = m_tabs->tabText(m_tabs->currentIndex());
        place.controlWidth = m_overviewView->view()->width();
    }
    for (int k = 0; k < m_courseViews.size(); ++k) {
        if (m_courseViews[k] == current) {
            place.page = PrintPlace::Page::CourseBook;
            place.number = k + 1;
            place.title = m_tabs->tabText(m_tabs->currentIndex());
            place.controlWidth = m_courseViews[k]->view()->width();
            place.contentRowShown = m_courseSheets[k]->contentRowShown();
        }
    }
    return place;
}

void MainWindow::printResultList()
{
    const PrintOutcome outcome = m_print->resultList(printPlace());
    if (outcome.backToPersonPage)
        showPersonPage();
}

void MainWindow::printCompleteList()
{
    m_print->completeList(printPlace());
}

void MainWindow::printPerson()
{
    m_print->setProjectFolder(m_controller->projectFolder());
    if (m_document.verbalEvaluation())
        m_print->personReport(*m_evaluation);
    else
        m_print->personReport(*m_personPage);
}

void MainWindow::printExam()
{
    m_print->examReport(printPlace(), m_examColumn);
}

void MainWindow::printCourseBook(int halfYear)
{
    PrintPlace place;
    place.page = PrintPlace::Page::CourseBook;
    place.number = halfYear;
    place.controlWidth = m_courseViews[halfYear - 1]->view()->width();
    place.contentRowShown = m_courseSheets[halfYear - 1]->contentRowShown();
    m_print->courseBook(place);
}

void MainWindow::openSeatingPlan()
{
    if (!m_controller->planAvailable()) {
        m_prompts.showMessage(
            QStringLiteral("Das Klassenzimmer ist erst nach dem Speichern der Datei verfügbar."));
        return;
    }
    createdSeatingPlan()->move(pos());
    m_seating->open();
}

void MainWindow::openSpecialPrints()
{
    createdSeatingPlan()->move(pos());
    m_seating->openSpecialPrints();
}

SeatingPlanView *MainWindow::createdSeatingPlan()
{
    if (!m_seating) {
        m_seating = new SeatingPlanView(m_document, m_prompts, m_settings.seatingBackground() == 1,
                                        nullptr, this);
        m_seating->setPhotoFolder([this] { return m_controller->projectFolder(); });
        m_seating->setReportFolder(m_options.reportFolder);
        connect(m_seating, &SeatingPlanView::saveRequested, m_controller,
                &SessionController::saveClass);
        connect(m_seating, &SeatingPlanView::backgroundChanged, this,
                [this](bool shown) { m_settings.setSeatingBackground(shown ? 1 : 0); });
        connect(m_seating, &SeatingPlanView::personRequested, this, [this](int person) {
            showPersonPage();
            m_personView->showPerson(person);
        });
        connect(m_seating, &SeatingPlanView::gameRequested, this, &MainWindow::openGame);
        connect(m_seating, &SeatingPlanView::hidden, this, [this] {
            // The sheet in front takes the keys again.
            raise();
            activateWindow();
            QWidget *page = m_tabs->currentWidget();
            auto *sheet = page->findChild<SheetView *>();
            if (sheet && sheet->isVisible())
                sheet->setFocus();
            else
                page->setFocus();
            update();
        });
        m_seating->enableSpecialPrints(*m_opener, m_printProgress);
        connect(m_seating->specialPrintsPanel(), &SpecialPrintsPanel::labelsRequested, this,
                &MainWindow::printLabels);
        connect(m_seating->specialPrintsPanel(), &SpecialPrintsPanel::groupListRequested, this,
                &MainWindow::makeGroupList);
        connect(m_seating, &SeatingPlanView::mainWindowRequested, this, [this] {
            raise();
            activateWindow();
        });
    }
    return m_seating;
}

void MainWindow::openGame()
{
    if (!m_game) {
        m_game = new MemoryGameView(
            m_document, [this] { return m_controller->projectFolder(); }, m_prompts, this);
        // "Ende" leaves the room as well.
        connect(m_game, &MemoryGameView::ended, m_seating, &SeatingPlanView::back);
    }
    m_game->start(m_seating->pos());
}

void MainWindow::printLabels(bool namesOnly)
{
    // Printing labels changes nothing of the room.
    if (m_seating)
        m_seating->plan().setSaved(true);
    // The room is in front: its own panel tells what is going on.
    QWidget *front = m_seating ? static_cast<QWidget *>(m_seating) : this;
    PrintProgressPanel progress(front);
    LabelPrintDialog printer(front);
    printer.setOffset(m_settings.labelOffset());
    LabelPrinting::run(m_document, m_prompts, printer, namesOnly, &progress);
    m_settings.setLabelOffset(printer.offset());
}

void MainWindow::makeGroupList()
{
    ProcessList processes;
    FileManager files;
    GroupList(m_prompts, *m_opener, processes, files)
        .run(m_document.grid(), m_options.programFolder);
}

void MainWindow::exportClass()
{
    const QString className =
        m_document.grid().cell(1, ClassDocument::dataRow(m_document.currentPerson())).trimmed();
    const QString folder = m_controller->projectFolder().isEmpty() ? m_options.programFolder
                                                                   : m_controller->projectFolder();
    const QString fileName =
        (className.isEmpty() ? QStringLiteral("Klasse") : className) + QStringLiteral(".xlsx");
    const QString proposed = QDir(folder).filePath(fileName);
    QString path = m_prompts.chooseSaveFile(proposed);
    if (path.isEmpty())
        return;
    if (!path.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive) &&
        !path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive))
        path += QStringLiteral(".xlsx");
    // The subject names and the grade mode as the window shows them; the cells get them
    // only when the class is saved.
    const ClassExport exporter(m_document.grid(), m_document.rowLabels(), m_document.pointsMode());
    QString error;
    if (!exporter.write(path, &error)) {
        m_prompts.showMessage(error);
        return;
    }
    if (!m_opener->open(path))
        m_prompts.showMessage(QStringLiteral("Die Klasse wurde exportiert nach\r%1")
                                  .arg(QDir::toNativeSeparators(path)));
}

void MainWindow::pageActivated(int index)
{
    if (m_enlarged)
        m_enlarged->hide();
    QWidget *page = m_tabs->widget(index);
    if (page == m_personView) {
        m_personView->refresh();
        return;
    }
    for (SubjectSheetView *view : qAsConst(m_subjectViews)) {
        if (view == page) {
            view->activate();
            return;
        }
    }
    if (page == m_overviewView) {
        m_overviewView->activate();
        return;
    }
    for (CourseBookView *view : qAsConst(m_courseViews)) {
        if (view == page) {
            view->activate();
            if (view == m_courseViews.constFirst())
                m_hintTimer->start();
            return;
        }
    }
}

void MainWindow::applyVerbalTabs()
{
    // Pages go back to their standard order first.
    QVector<int> standard(PageCount);
    for (int k = 0; k < PageCount; ++k)
        standard[k] = k;
    setTabPositions(standard);
    m_document.setTabPositions(standard);
    const bool verbal = m_document.verbalEvaluation();
    for (int n = 2; n <= 15; ++n)
        m_tabs->setTabVisible(m_tabs->indexOf(page(n)), !verbal);
    m_tabs->setTabVisible(m_tabs->indexOf(page(OverviewPage)), verbal);
    m_tabs->setTabText(m_tabs->indexOf(page(OverviewPage)), QStringLiteral("Ergebnisübersicht"));
    // Without subject sheets there is no complete list and no exam to evaluate.
    m_completeListButton->setVisible(!verbal);
    m_examButton->setVisible(!verbal);
    // Long criteria are read in the enlarged panel, which sits above the table then.
    m_enlarged->setVerbalMode(verbal, verbal ? QPoint(382, 181) : QPoint(420, 30));
    updatePopArtCheck();
    applyColourScheme(m_popArtCheck->isChecked());
}

void MainWindow::updatePopArtCheck()
{
    // The colour scheme is chosen while the first person is shown, and not in verbal mode.
    if (m_popArtCheck)
        m_popArtCheck->setVisible(m_personPage->listPosition() == 1 &&
                                  !m_document.verbalEvaluation());
}

void MainWindow::updateCaptions()
{
    const QFontMetrics metrics = m_tabs->tabBar()->fontMetrics();
    for (int k = 1; k <= 14; ++k) {
        const int index = m_tabs->indexOf(page(k + 1));
        const QString name = m_personPage->subjectCaption(k);
        const QString shown = metrics.elidedText(name, Qt::ElideRight, MaxTabTextWidth);
        m_tabs->setTabText(index, shown);
        m_tabs->setTabToolTip(index, shown == name ? QString() : name);
    }
}

void MainWindow::startNewLearningGroup()
{
    m_controller->forgetLoadedClass();
    m_autoLoadCheck->setChecked(false);
    m_popArtCheck->setChecked(false);
    QVector<int> standard(PageCount);
    for (int k = 0; k < PageCount; ++k)
        standard[k] = k;
    setTabPositions(standard);
    m_document.setTabPositions(standard);
    // The new class starts without the verbal evaluation: the subject tabs come back.
    applyVerbalTabs();
}

QPoint MainWindow::placement(const QRect &screen, const QRect &available, const QSize &size)
{
    // On a screen narrower than the window its left edge stays visible, with the buttons.
    const int x = std::max(available.x(), available.x() + (available.width() - size.width()) / 2);
    if (screen.height() < 840)
        return QPoint(x, screen.y() + 10);
    return QPoint(
        x, std::max(available.y(), available.y() + (available.height() - size.height()) / 2));
}

void MainWindow::placeWindow()
{
    if (const QScreen *screen = this->screen())
        move(placement(screen->geometry(), screen->availableGeometry(), size()));
}

QVector<int> MainWindow::tabPositions() const
{
    QVector<int> positions;
    for (QWidget *page : m_pages)
        positions << m_tabs->indexOf(page);
    return positions;
}

void MainWindow::setTabPositions(const QVector<int> &positions)
{
    // Pages are placed in the order of their stored positions; ties keep page order, and
    // the person page always stays first.
    QVector<int> order(PageCount);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        if (a == 0 || b == 0)
            return a == 0 && b != 0;
        return positions.value(a, a) < positions.value(b, b);
    });
    QWidget *current = m_tabs->currentWidget();
    for (int position = 0; position < PageCount; ++position) {
        QWidget *page = m_pages[order[position]];
        const int from = m_tabs->indexOf(page);
        if (from != position)
            m_tabs->tabBar()->moveTab(from, position);
    }
    m_tabs->setCurrentWidget(current);
}

void MainWindow::showPasswordDialog(PasswordMode mode, const QString &text, const QString &caption)
{
    m_passwordDialog->open(mode == PasswordMode::Save ? PasswordDialog::Mode::Save
                                                      : PasswordDialog::Mode::Load,
                           text, caption, m_controller->encryptByDefault());
}

void MainWindow::hidePasswordDialog()
{
    m_passwordDialog->finish();
    showPersonPage();
}

void MainWindow::showPersonPage()
{
    // Switching away and back refills the person page.
    m_tabs->setCurrentIndex(1);
    m_tabs->setCurrentIndex(0);
}

void MainWindow::setCaption(const QString &caption)
{
    setWindowTitle(caption);
}

void MainWindow::showLoadedClass()
{
    if (m_document.verbalEvaluation()) {
        applyVerbalTabs();
    } else {
        for (int n = 2; n <= 15; ++n)
            m_tabs->setTabVisible(m_tabs->indexOf(page(n)), true);
        m_tabs->setTabVisible(m_tabs->indexOf(page(OverviewPage)), false);
        updatePopArtCheck();
        applyColourScheme(m_popArtCheck->isChecked());
        setTabPositions(m_document.tabPositions());
    }
    showPersonPage();
    m_personView->classLoaded();
    updatePopArtCheck();
}

void MainWindow::showHelpPanel()
{
    if (!OnlineCheck::isOnline()) {
        m_prompts.showMessage(QString::fromUtf8(OfflineNotice));
        return;
    }
    m_helpPanel->setGeometry(centralWidget()->rect());
    m_helpPanel->show();
    m_helpPanel->raise();
}

void MainWindow::searchUpdate()
{
    if (!OnlineCheck::isOnline()) {
        m_prompts.showMessage(QString::fromUtf8(OfflineNotice));
        return;
    }
    m_prompts.showMessage(QString::fromUtf8(UpdateNotice));
    QDesktopServices::openUrl(QUrl(QString::fromLatin1(HelpPanel::DownloadAddress)));
}

void MainWindow::showStartHint(bool shown)
{
    if (m_startHint) // not yet while the window is being built
        m_startHint->setVisible(shown);
    if (m_printGroup)
        m_printGroup->setVisible(!shown);
}

void MainWindow::closeMainWindow()
{
    QTimer::singleShot(0, this, &QWidget::close);
}

void MainWindow::applyColourScheme(bool chosen)
{
    // The choice is kept for the grade pages; the verbal evaluation shows the normal colours.
    m_controller->setPopArt(chosen);
    const bool popArt = chosen && !m_document.verbalEvaluation();
    const ColourScheme &colours = popArt ? PopArtColours : NormalColours;
    fill(this, colours.window);
    fill(m_tabPanel, colours.tabPanel);
    for (QWidget *page : m_pages)
        fill(page, colours.tabs);
    m_personPage->setPopArt(popArt);
    m_personView->remarksPanel()->setPopArt(popArt);
    m_evaluation->setPopArt(popArt);
    m_overviewTable->setPopArt(popArt);
    for (auto &sheet : m_subjectSheets)
        sheet->setPopArt(popArt);
    m_personView->sheet()->viewport()->update();
    for (SubjectSheetView *view : qAsConst(m_subjectViews))
        view->view()->viewport()->update();
    for (auto &sheet : m_courseSheets) {
        sheet->setPopArt(popArt);
        sheet->doubleLessons().setPopArt(popArt);
    }
    for (CourseBookView *view : qAsConst(m_courseViews)) {
        view->view()->viewport()->update();
        view->doubleLessonView()->viewport()->update();
    }
    const bool overviewVisible = m_tabs->isTabVisible(m_tabs->indexOf(page(OverviewPage)));
    if (overviewVisible) {
        m_tabs->setTabVisible(m_tabs->indexOf(page(OverviewPage)), false);
        m_tabs->setTabVisible(m_tabs->indexOf(page(OverviewPage)), true);
    }
    update();
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_firstShowDone)
        return;
    m_firstShowDone = true;
    const bool popArt = m_settings.backgroundColour() == 1 && !m_document.verbalEvaluation();
    m_popArtCheck->setChecked(popArt);
    applyColourScheme(popArt);
}

void MainWindow::paintEvent(QPaintEvent *event)
{
    QMainWindow::paintEvent(event);
    // Dialogs must not open inside a paint: the start-up work runs right after it.
    if (m_controller->paintHandlingActive() && !m_paintQueued) {
        m_paintQueued = true;
        QTimer::singleShot(0, this, [this] {
            m_paintQueued = false;
            m_controller->onPaint();
        });
    }
}

void MainWindow::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    if (m_helpPanel->isVisible())
        m_helpPanel->setGeometry(centralWidget()->rect());
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (m_controller->requestClose())
        event->accept();
    else
        event->ignore();
}
