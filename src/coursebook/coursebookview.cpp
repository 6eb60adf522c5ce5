#include "coursebookview.h"

#include "coursebooksheet.h"
#include "sheetkit/hintstyle.h"
#include "sheetkit/sheetmodel.h"
#include "sheetkit/sheetview.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

const char *const WarningText =
    "Warnung:\n\nDu öffnest gerade eine Datei einer Vorversion. Es sind noch Fehlzeiten in den "
    "ersten \nbeiden Spalten enthalten.\nDiese Einträge werden verloren gehen, da in den ersten "
    "beiden Spalten ab jetzt\ndie Fehlzeiten gelistet sind.\n\nEntscheide was du tun möchtest.";

QPushButton *namedButton(const QString &text, const char *name)
{
    auto *button = new QPushButton(text);
    button->setObjectName(QLatin1String(name));
    return button;
}

} // namespace

CourseBookView::CourseBookView(CourseBookSheet &sheet, UserPrompts &prompts, QWidget *parent)
    : QWidget(parent), m_sheet(sheet), m_prompts(prompts),
      m_today([] { return QDate::currentDate(); }),
      m_doubles(new SheetView(sheet.doubleLessons(), this)), m_view(new SheetView(sheet, this))
{
    const QString suffix = QString::number(sheet.halfYear());
    m_view->setObjectName(QStringLiteral("courseBook") + suffix);
    m_doubles->setObjectName(QStringLiteral("doubleLessons") + suffix);
    // Exactly one row high, so that no strip shows between it and the sheet below.
    m_doubles->setFixedHeight(m_doubles->rowHeight(0) + 2 * m_doubles->frameWidth());
    m_doubles->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_doubles->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The double-lesson row scrolls along with the sheet below it.
    connect(m_view->horizontalScrollBar(), &QScrollBar::valueChanged,
            m_doubles->horizontalScrollBar(), &QScrollBar::setValue);

    auto *clear = namedButton(QStringLiteral("Einträge löschen"), "clearButton");
    m_contentButton = namedButton(QStringLiteral("ohne Inhaltszeile"), "contentRowButton");
    connect(clear, &QPushButton::clicked, this, [this] {
        if (m_sheet.clearEntries(m_prompts, m_today()))
            reload();
    });
    connect(m_contentButton, &QPushButton::clicked, this, &CourseBookView::toggleContentRow);
    auto *print = namedButton(QStringLiteral("Drucken"), "printButton");
    connect(print, &QPushButton::clicked, this, &CourseBookView::printRequested);

    m_warning = new QFrame;
    m_warning->setObjectName(QStringLiteral("olderVersionWarning"));
    m_warning->setFrameShape(QFrame::Box);
    m_warning->setAutoFillBackground(true);
    QPalette pal = m_warning->palette();
    pal.setColor(QPalette::Window, QColor(0xFF, 0xFF, 0xC0));
    m_warning->setPalette(pal);
    auto *overwrite = namedButton(QStringLiteral("Egal, weg damit"), "warningOverwrite");
    auto *toWord = namedButton(QStringLiteral("Einträge zu MS Word senden"), "warningPrint");
    auto *close = namedButton(QStringLiteral("Programm schließen"), "warningClose");
    auto *keep = namedButton(QStringLiteral("Diese Warnung schließen und Spalte 1 + 2 abschreiben "
                                            "oder mit dem Handy fotografieren"),
                             "warningKeep");
    connect(overwrite, &QPushButton::clicked, this, [this] {
        m_warning->hide();
        m_sheet.writeBack();
        m_view->refresh();
    });
    // The old entries go to paper before the totals take their place.
    connect(toWord, &QPushButton::clicked, this, [this] {
        m_warning->hide();
        emit printRequested();
    });
    connect(close, &QPushButton::clicked, this, [this] {
        m_warning->hide();
        emit closeProgramRequested();
    });
    connect(keep, &QPushButton::clicked, m_warning, &QWidget::hide);
    auto *warningLayout = new QVBoxLayout(m_warning);
    warningLayout->addWidget(new QLabel(QString::fromUtf8(WarningText)));
    auto *warningButtons = new QHBoxLayout;
    warningButtons->addWidget(overwrite);
    warningButtons->addWidget(toWord);
    warningButtons->addWidget(close);
    warningButtons->addWidget(keep);
    warningLayout->addLayout(warningButtons);
    m_warning->hide();

    auto *bar = new QHBoxLayout;
    bar->addWidget(clear);
    bar->addWidget(m_contentButton);
    bar->addWidget(print);
    bar->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(bar);
    layout->addWidget(m_warning);
    auto *sheets = new QVBoxLayout;
    sheets->setSpacing(0);
    sheets->addWidget(m_doubles);
    sheets->addWidget(m_view, 1);
    layout->addLayout(sheets, 1);

    // A mark in the double-lesson row changes the totals below it.
    connect(m_doubles->sheetModel(), &QAbstractItemModel::dataChanged, this,
            [this] { m_view->refresh(); });
}

void CourseBookView::activate()
{
    m_sheet.setContentRowShown(true);
    m_contentButton->setText(QStringLiteral("ohne Inhaltszeile"));
    reload();
    setHintShown(true);
}

void CourseBookView::reload()
{
    const bool older = m_sheet.show(m_today());
    m_warning->setVisible(older);
    m_doubles->reload();
    m_view->reload();
    const QPoint cursor = m_sheet.cursor();
    m_view->setCurrentIndex(m_view->model()->index(cursor.y(), cursor.x()));
    m_view->setFocus();
}

void CourseBookView::setHintShown(bool shown)
{
    QString legend = CourseBookSheet::Legend;
    legend.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    m_view->setToolTip(shown ? legend : QString());
    m_view->setToolTipDuration(HintStyle::Duration);
}

void CourseBookView::toggleContentRow()
{
    const bool shown = !m_sheet.contentRowShown();
    m_sheet.setContentRowShown(shown);
    m_contentButton->setText(shown ? QStringLiteral("ohne Inhaltszeile")
                                   : QStringLiteral("mit Inhaltszeile"));
    m_view->applySizes();
}
