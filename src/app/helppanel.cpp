#include "helppanel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

const char *const HelpPanel::DownloadAddress = "https://www.quillfen.de/markwart/";

namespace {

const char *const HelpText =
    "<h2>Markwart &ndash; das Notenbuch für die Lehrkraft</h2>"
    "<p>Markwart hilft bei vier Aufgaben: Personenverwaltung mit individuellen Listen und "
    "Mails; ein virtuelles Klassenzimmer zum Namenlernen und für Sitzpläne; das Kursbuch mit "
    "automatischer Zählung der Fehlstunden; die Notenverwaltung für Berichtszeugnisse, für das "
    "6- und 8-stufige Notensystem und für das 15-Punkte-System.</p>"
    "<p><b>Grundsätze:</b> Eine Datei (*.MWk) enthält genau eine Klasse oder Lerngruppe mit "
    "höchstens 34 Personen und bis zu 14 Fächern. Alles, was du eintippst, steht sofort in der "
    "Klasse; gespeichert wird mit &bdquo;speichern&ldquo; oder beim Beenden.</p>"
    "<p><b>Passwort:</b> Jede Klassendatei und jedes Foto wird verschlüsselt gespeichert. "
    "Beim Speichern kannst du ein Passwort vergeben; ohne dieses Passwort lässt sich die Datei "
    "nicht mehr öffnen. Ein leeres Feld bedeutet: kein Passwort.</p>"
    "<p><b>Noten und Punkte:</b> Je Fach gibt es bis zu 30 mündliche und 11 schriftliche "
    "Ergebnisse. Durchschnitte und Endnote berechnet Markwart nach dem eingestellten Verhältnis "
    "mündlich : schriftlich, im Notenmodus oder im Punktemodus.</p>"
    "<p><b>Kursbuch:</b> Für jedes Halbjahr werden Datum, Inhalt und Anwesenheit jeder Stunde "
    "eingetragen; die Fehlstunden zählt Markwart selbst.</p>";

} // namespace

HelpPanel::HelpPanel(int programVersion, QWidget *parent)
    : QFrame(parent), m_back(new QPushButton(QStringLiteral("zum Programm"))),
      m_update(new QPushButton(QStringLiteral("Suche neuere Version hier")))
{
    setObjectName(QStringLiteral("helpPanel"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0xFF, 0xFF, 0xF0));
    setPalette(pal);

    auto *text = new QLabel(QString::fromUtf8(HelpText));
    text->setWordWrap(true);
    text->setTextFormat(Qt::RichText);
    auto *version = new QLabel(QStringLiteral("Dies ist Version: %1!").arg(programVersion));
    version->setObjectName(QStringLiteral("versionLabel"));

    m_back->setObjectName(QStringLiteral("helpBackButton"));
    m_update->setObjectName(QStringLiteral("helpUpdateButton"));
    connect(m_back, &QPushButton::clicked, this, &QWidget::hide);
    connect(m_update, &QPushButton::clicked, this, &HelpPanel::searchUpdateRequested);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_update);
    buttons->addStretch();
    buttons->addWidget(m_back);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(40, 30, 40, 30);
    layout->addWidget(text);
    layout->addWidget(version);
    layout->addStretch();
    layout->addLayout(buttons);
}
