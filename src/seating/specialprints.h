#pragma once

#include "reports/selectionlist.h"

#include <QSize>
#include <QString>

#include <functional>

class ClassDocument;
class DocumentOpener;
class PrintProgress;
class UserPrompts;
struct ListPrint;

// The special-prints panel without its widgets: the wish list the teacher ticks, which
// controls it shows, and the two commands that print a marking list or the compact photo
// overview. Both build from the class alone and never change it.
class SpecialPrints
{
public:
    static const QString Caption;
    static const QString WishListCaption;
    static const QString MoreCaption;
    static const QString PagesCaption;
    static const QString CompactHint;
    static const QString PhotoNotice;
    static const QString CollectingCaption;
    static const QString NoWordMessage;
    static const QString CompactNoWordMessage;
    static const QString FailedMessage;

    // What a print command did.
    struct Outcome
    {
        bool delivered = false;
        QString documentPath; // the Word document, when one was written
        QString pagePath;     // the page, when the browser got it
    };

    SpecialPrints(ClassDocument &document, UserPrompts &prompts, DocumentOpener &opener,
                  QString reportFolder);

    void setProjectFolder(const std::function<QString()> &folder) { m_projectFolder = folder; }
    void setProgress(PrintProgress *progress) { m_progress = progress; }

    // The wish list.
    SelectionListOptions &options() { return m_options; }
    const SelectionListOptions &options() const { return m_options; }
    bool wordDocument() const { return m_wordDocument; }

    // What the panel shows: the photo size slider with its label, the group that estimates
    // the persons per page, and the sample portrait while the slider moves.
    bool sliderShown() const { return m_sliderShown; }
    bool pagesGroupShown() const { return m_pagesShown; }
    QString pagesCaption() const { return m_pagesCaption; }
    bool sampleShown() const { return m_sampleShown; }

    // "*.doc" (true) or "*.html".
    void chooseWordDocument(bool word);
    // Ticking "Fotos" first warns that the photos are only temporary.
    void setPhotos(bool on);
    void moveSlider(int position);
    // The key or the mouse let go of the slider, or the mouse went over the wish list.
    void hideSample() { m_sampleShown = false; }

    // The sample portrait and the estimated persons per page for a slider position.
    static QSize sampleSize(int position);
    static QString pagesCaptionFor(int position);

    // "Liste erzeugen" and "Namen + Fotos kompakt".
    Outcome printList();
    Outcome printCompact();

private:
    Outcome deliver(const ListPrint &print, bool compact);
    void progress(int value);
    void hideProgress();
    QString photoFolder() const;

    ClassDocument &m_document;
    UserPrompts &m_prompts;
    DocumentOpener &m_opener;
    QString m_reportFolder;
    std::function<QString()> m_projectFolder;
    PrintProgress *m_progress = nullptr;

    SelectionListOptions m_options;
    bool m_wordDocument = true;
    bool m_sliderShown = true;
    bool m_pagesShown = false;
    bool m_sampleShown = false;
    QString m_pagesCaption;
};
