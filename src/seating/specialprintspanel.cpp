#include "specialprintspanel.h"

#include "documents/reportpicture.h"
#include "specialprints.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

SpecialPrintsPanel::SpecialPrintsPanel(SpecialPrints &prints, QWidget *parent)
    : QFrame(parent), m_prints(prints)
{
    setObjectName(QStringLiteral("specialPrintsPanel"));
    setFrameShape(QFrame::Box);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0xF4, 0xF1, 0xE4));
    setPalette(pal);

    auto *title = new QLabel(SpecialPrints::Caption);
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.15);
    title->setFont(bold);
    auto *close = new QToolButton;
    close->setObjectName(QStringLiteral("specialPrintsClose"));
    close->setText(QStringLiteral("X"));
    close->setStyleSheet(QStringLiteral(
        "QToolButton { color: white; background: #D01010; font-weight: bold; border: none; "
        "min-width: 20px; min-height: 20px; }"));
    connect(close, &QToolButton::clicked, this, &SpecialPrintsPanel::closeRequested);
    auto *top = new QHBoxLayout;
    top->addWidget(title);
    top->addStretch();
    top->addWidget(close);

    // The wish list.
    m_wishList = new QGroupBox(SpecialPrints::WishListCaption);
    m_wishList->setObjectName(QStringLiteral("wishList"));
    m_wishList->setMouseTracking(true);
    m_wishList->installEventFilter(this);
    auto *checks = new QGridLayout;
    checks->setVerticalSpacing(2);
    auto *names = new QCheckBox(QStringLiteral("Namen"));
    names->setObjectName(QStringLiteral("namesCheck"));
    names->setChecked(true);
    // The names always belong to the list.
    connect(names, &QCheckBox::clicked, names, [names] { names->setChecked(true); });
    checks->addWidget(names, 0, 0);
    const char *const fieldNames[] = {"streetCheck", "placeCheck",    "phoneCheck", "mobileCheck",
                                      "mailCheck",   "birthdayCheck", "lrsCheck"};
    for (int n = 0; n < SelectionListOptions::FieldCount; ++n) {
        const auto field = SelectionListOptions::Field(n);
        auto *box = new QCheckBox(SelectionListOptions::caption(field));
        box->setObjectName(QLatin1String(fieldNames[n]));
        connect(box, &QCheckBox::toggled, this,
                [this, field](bool on) { m_prints.options().fields[field] = on; });
        checks->addWidget(box, (n + 1) % 5, (n + 1) / 5);
    }
    m_photos = new QCheckBox(QStringLiteral("Fotos"));
    m_photos->setObjectName(QStringLiteral("photosCheck"));
    connect(m_photos, &QCheckBox::clicked, this, [this](bool on) {
        m_prints.setPhotos(on);
        refresh();
        // The notice belongs to the main window, which a window manager may raise with it.
        window()->raise();
        window()->activateWindow();
    });
    checks->addWidget(m_photos, 3, 1);

    auto spin = [](const char *name, int maximum) {
        auto *box = new QSpinBox;
        box->setObjectName(QLatin1String(name));
        box->setRange(0, maximum);
        box->setFixedWidth(56);
        return box;
    };
    QSpinBox *empty = spin("emptyColumnsSpin", SelectionListOptions::MaxEmptyColumns);
    QSpinBox *extra = spin("extraRowsSpin", SelectionListOptions::MaxExtraRows);
    connect(empty, qOverload<int>(&QSpinBox::valueChanged), this,
            [this](int value) { m_prints.options().emptyColumns = value; });
    connect(extra, qOverload<int>(&QSpinBox::valueChanged), this,
            [this](int value) { m_prints.options().extraRows = value; });
    auto *counts = new QGridLayout;
    counts->addWidget(new QLabel(QStringLiteral("leere Spalten:")), 0, 0);
    counts->addWidget(empty, 0, 1);
    counts->addWidget(new QLabel(QStringLiteral("extra  Zeilen:")), 1, 0);
    counts->addWidget(extra, 1, 1);
    counts->setColumnStretch(2, 1);

    auto radios = [this](const QString &caption, QRadioButton *&first, const QString &firstText,
                         const char *firstName, QRadioButton *&second, const QString &secondText,
                         const char *secondName) {
        auto *group = new QGroupBox(caption);
        first = new QRadioButton(firstText);
        second = new QRadioButton(secondText);
        first->setObjectName(QLatin1String(firstName));
        second->setObjectName(QLatin1String(secondName));
        first->setChecked(true);
        auto *layout = new QHBoxLayout(group);
        layout->setContentsMargins(6, 2, 6, 2);
        layout->addWidget(first);
        layout->addWidget(second);
        auto *buttons = new QButtonGroup(group);
        buttons->addButton(first);
        buttons->addButton(second);
        return group;
    };
    QGroupBox *fileType = radios(QStringLiteral("Dateityp"), m_word, QStringLiteral("*.doc"),
                                 "wordRadio", m_page, QStringLiteral("*.html"), "pageRadio");
    QGroupBox *format =
        radios(QStringLiteral("Wordseitenformat"), m_portrait, QStringLiteral("hoch    "),
               "portraitRadio", m_landscape, QStringLiteral("quer"), "landscapeRadio");
    connect(m_word, &QRadioButton::toggled, this, [this](bool word) {
        m_prints.chooseWordDocument(word);
        refresh();
    });
    connect(m_landscape, &QRadioButton::toggled, this,
            [this](bool on) { m_prints.options().landscape = on; });

    m_sliderLabel = new QLabel(QStringLiteral("Fotogröße"));
    m_slider = new QSlider(Qt::Horizontal);
    m_slider->setObjectName(QStringLiteral("photoSizeSlider"));
    m_slider->setRange(SelectionListOptions::MinPhotoSize, SelectionListOptions::MaxPhotoSize);
    m_slider->setValue(m_prints.options().photoSize);
    m_slider->installEventFilter(this);
    connect(m_slider, &QSlider::valueChanged, this, [this](int value) {
        m_prints.moveSlider(value);
        showSample();
    });
    connect(m_slider, &QSlider::sliderReleased, this, &SpecialPrintsPanel::hideSample);
    auto *sliderRow = new QHBoxLayout;
    sliderRow->addWidget(m_sliderLabel);
    sliderRow->addWidget(m_slider, 1);

    m_pages = new QGroupBox(m_prints.pagesCaption());
    m_pages->setObjectName(QStringLiteral("pagesGroup"));
    m_pages->setFixedHeight(24);

    auto *listButton = new QPushButton(QStringLiteral("Liste erzeugen"));
    listButton->setObjectName(QStringLiteral("createListButton"));
    listButton->setMinimumHeight(32);
    connect(listButton, &QPushButton::clicked, this, &SpecialPrintsPanel::listRequested);

    auto *wish = new QVBoxLayout(m_wishList);
    wish->setSpacing(6);
    wish->addLayout(checks);
    wish->addLayout(counts);
    wish->addWidget(fileType);
    wish->addWidget(format);
    wish->addLayout(sliderRow);
    wish->addWidget(m_pages);
    wish->addWidget(listButton);

    // The other special prints.
    auto *more = new QGroupBox(SpecialPrints::MoreCaption);
    auto *moreLayout = new QVBoxLayout(more);
    auto button = [moreLayout](const QString &caption, const char *name) {
        auto *b = new QPushButton(caption);
        b->setObjectName(QLatin1String(name));
        b->setMinimumHeight(32);
        moreLayout->addWidget(b);
        return b;
    };
    QPushButton *plan = button(QStringLiteral("Sitzplan drucken"), "specialPlanPrintButton");
    QPushButton *compact = button(QStringLiteral("Namen + Fotos kompakt"), "compactButton");
    compact->setToolTip(SpecialPrints::CompactHint);
    QPushButton *groups = button(QStringLiteral("Riegenmacher"), "groupListButton");
    QPushButton *labels = button(QStringLiteral("Adressetiketten"), "addressLabelsButton");
    QPushButton *nameLabels = button(QStringLiteral("nur Namen && Klasse"), "nameLabelsButton");
    moreLayout->addStretch();
    connect(plan, &QPushButton::clicked, this, &SpecialPrintsPanel::planPrintRequested);
    connect(compact, &QPushButton::clicked, this, &SpecialPrintsPanel::compactRequested);
    connect(groups, &QPushButton::clicked, this, &SpecialPrintsPanel::groupListRequested);
    connect(labels, &QPushButton::clicked, this, [this] { emit labelsRequested(false); });
    connect(nameLabels, &QPushButton::clicked, this, [this] { emit labelsRequested(true); });

    auto *body = new QHBoxLayout;
    body->addWidget(m_wishList, 3);
    body->addWidget(more, 2);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 6, 6, 10);
    layout->addLayout(top);
    layout->addLayout(body);

    // The sample portrait floats beside the slider while it moves.
    m_sample = new QLabel(this);
    m_sample->setObjectName(QStringLiteral("photoSample"));
    m_sample->setFrameShape(QFrame::Box);
    m_sample->hide();

    resize(560, 440);
    refresh();
}

void SpecialPrintsPanel::refresh()
{
    m_photos->setChecked(m_prints.options().photos);
    m_slider->setVisible(m_prints.sliderShown());
    m_sliderLabel->setVisible(m_prints.sliderShown());
    m_pages->setVisible(m_prints.pagesGroupShown());
    m_pages->setTitle(m_prints.pagesCaption());
}

void SpecialPrintsPanel::showSample()
{
    const QSize size = SpecialPrints::sampleSize(m_slider->value());
    m_sample->setPixmap(QPixmap::fromImage(ReportPicture::placeholder().scaled(
        size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
    m_sample->resize(size + QSize(2, 2));
    // Beside the slider, inside the panel.
    const QPoint at = m_slider->mapTo(this, QPoint(m_slider->width() + 8, 0));
    m_sample->move(qMin(at.x(), width() - m_sample->width() - 4),
                   qMax(4, qMin(at.y() - size.height() / 2, height() - m_sample->height() - 4)));
    m_sample->setVisible(m_prints.sampleShown());
    m_sample->raise();
    refresh();
}

void SpecialPrintsPanel::hideSample()
{
    m_prints.hideSample();
    m_sample->hide();
}

bool SpecialPrintsPanel::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == m_slider && event->type() == QEvent::KeyRelease) ||
        (watched == m_wishList && event->type() == QEvent::Enter))
        hideSample();
    return QFrame::eventFilter(watched, event);
}
