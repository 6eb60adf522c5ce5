#include "specialprints.h"

#include "classdata/classdocument.h"
#include "classdata/documentopener.h"
#include "classdata/userprompts.h"
#include "documents/docxwriter.h"
#include "documents/reportoutput.h"
#include "documents/reportpage.h"
#include "reports/compactoverviewgrid.h"
#include "reports/listprint.h"
#include "reports/printprogress.h"

#include <QDir>

#include <utility>

const QString SpecialPrints::Caption = QStringLiteral("individuelle Beurteilungslisten erstellen");
const QString SpecialPrints::WishListCaption =
    QStringLiteral("   Wunschliste, einfach wählen, was rein soll!   ");
const QString SpecialPrints::MoreCaption = QStringLiteral("weitere Druckoptionen");
const QString SpecialPrints::PagesCaption = QStringLiteral("27 Prs. pro Seite");
const QString SpecialPrints::CompactHint =
    QStringLiteral("Bei Trennung von Fotos und Namen durch  Seitenumbruch bitte von Hand den "
                   "Seitenrand verändern.");
const QString SpecialPrints::PhotoNotice =
    QStringLiteral("Aus datenschutzrechtlichen Gründen sind Fotos nur temporär. Liste bitte nach "
                   "dem Entstehen sofort drucken.");
const QString SpecialPrints::CollectingCaption =
    QStringLiteral("Suche erwünschte Auswahl zusammen.");
// The same notice the grade reports give.
const QString SpecialPrints::NoWordMessage = QString::fromUtf8(ReportOutput::NoWordMessage);
const QString SpecialPrints::CompactNoWordMessage =
    QStringLiteral("WORD konnte nicht gestartet werden, ich benutze den Browser!");
const QString SpecialPrints::FailedMessage =
    QStringLiteral("Fehler, evtl. ist eine andere Druckdatei noch geöffnet.");

SpecialPrints::SpecialPrints(ClassDocument &document, UserPrompts &prompts, DocumentOpener &opener,
                             QString reportFolder)
    : m_document(document), m_prompts(prompts), m_opener(opener),
      m_reportFolder(std::move(reportFolder)), m_pagesCaption(PagesCaption)
{}

void SpecialPrints::chooseWordDocument(bool word)
{
    m_wordDocument = word;
    m_pagesShown = !word;
    m_sliderShown = word;
}

void SpecialPrints::setPhotos(bool on)
{
    m_options.photos = on;
    // Unticking needs no warning.
    if (!on)
        return;
    m_prompts.showMessage(PhotoNotice);
    m_pagesShown = true;
    if (m_wordDocument)
        m_sliderShown = true;
}

QSize SpecialPrints::sampleSize(int position)
{
    // position x 1.69 by position x 2.26, rounded half to even.
    auto rounded = [](int hundredths) {
        const int whole = hundredths / 100, rest = hundredths % 100;
        return rest > 50 || (rest == 50 && whole % 2 == 1) ? whole + 1 : whole;
    };
    return QSize(rounded(position * 169), rounded(position * 226));
}

QString SpecialPrints::pagesCaptionFor(int position)
{
    const int height = sampleSize(position).height();
    return QStringLiteral("etwa %1 Prs. pro Seite").arg(height > 0 ? 945 / height : 0);
}

void SpecialPrints::moveSlider(int position)
{
    m_options.photoSize = position;
    m_sampleShown = true;
    m_pagesCaption = pagesCaptionFor(position);
}

QString SpecialPrints::photoFolder() const
{
    return ListPrintKit::photoFolder(m_reportFolder);
}

void SpecialPrints::progress(int value)
{
    if (m_progress)
        m_progress->showProgress(CollectingCaption, value);
}

void SpecialPrints::hideProgress()
{
    if (m_progress)
        m_progress->hideProgress();
}

SpecialPrints::Outcome SpecialPrints::printList()
{
    progress(0);
    SelectionList list(m_document.grid(), m_options);
    list.setProjectFolder(m_projectFolder ? m_projectFolder() : QString());
    list.setPhotosVisible(m_document.photosVisible());
    const ListPrint print = list.build(photoFolder());
    progress(PrintProgress::Range / 2);
    const Outcome outcome = deliver(print, false);
    hideProgress();
    return outcome;
}

SpecialPrints::Outcome SpecialPrints::printCompact()
{
    progress(0);
    m_prompts.showMessage(CompactOverviewGrid::PhotoNotice);
    if (!m_document.photosVisible()) {
        m_prompts.showMessage(CompactOverviewGrid::PhotosHiddenMessage);
        hideProgress();
        return {};
    }
    CompactOverviewGrid overview(m_document.grid());
    overview.setProjectFolder(m_projectFolder ? m_projectFolder() : QString());
    const ListPrint print = overview.build(photoFolder());
    progress(PrintProgress::Range / 2);
    const Outcome outcome = deliver(print, true);
    hideProgress();
    return outcome;
}

SpecialPrints::Outcome SpecialPrints::deliver(const ListPrint &print, bool compact)
{
    Outcome outcome;
    QDir().mkpath(m_reportFolder);
    if (m_wordDocument) {
        // The document carries its photos inside: none is left on disk in the clear.
        QDir(photoFolder()).removeRecursively();
        const QString path =
            QDir(m_reportFolder).filePath(print.documentName + QStringLiteral(".docx"));
        DocxWriter writer;
        if (!writer.write(print.document, path)) {
            m_prompts.showMessage(FailedMessage);
            return outcome;
        }
        outcome.documentPath = path;
        if (m_opener.canOpenWordDocuments() && m_opener.open(path)) {
            outcome.delivered = true;
            return outcome;
        }
        m_prompts.showMessage(compact ? CompactNoWordMessage : NoWordMessage);
    }
    // The browser loads the photos after this command; they stay until Markwart ends.
    const QString page = ReportPage::htmlPath(m_reportFolder);
    if (!ListPrintKit::writePhotos(print.photoFiles) || !ReportPage::save(print.page, page)) {
        m_prompts.showMessage(FailedMessage);
        return outcome;
    }
    outcome.pagePath = page;
    outcome.delivered = m_opener.open(page);
    return outcome;
}
