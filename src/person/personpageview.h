#pragma once

#include <QLabel>
#include <QMap>
#include <QWidget>

#include <functional>
#include <memory>

#include "personpage.h"

class QButtonGroup;
class QCheckBox;
class QFrame;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSlider;
class EvaluationTable;
class LevelsPanel;
class PhotoDialog;
class PhotoEditor;
class PictureClipboard;
class UserPrompts;
class QStackedWidget;
class RemarksPanel;
class SheetView;

// The person page on screen. Holds no data: every field and cell goes to the PersonPage
// logic on each key, and navigation reloads from it.
class PersonPageView : public QWidget
{
    Q_OBJECT

public:
    PersonPageView(PersonPage &page, EvaluationTable &evaluation, QWidget *parent = nullptr);
    ~PersonPageView() override;

    PersonPage &page() const { return m_page; }
    SheetView *sheet() const { return m_sheet; }
    QLineEdit *fieldEdit(PersonPage::Field field) const { return m_fields.value(field); }
    QWidget *notice() const { return m_notice; }
    QLabel *emailCaption() const { return m_emailCaption; }
    QFrame *mailPanel() const { return m_mailPanel; }
    QCheckBox *mailToAll() const { return m_mailToAll; }
    QCheckBox *verbalCheck() const { return m_verbalCheck; }
    SheetView *evaluationView() const { return m_evaluationView; }
    QLabel *remarksCaption() const { return m_remarksCaption; }
    RemarksPanel *remarksPanel() const { return m_remarks; }
    LevelsPanel *levelsPanel() const { return m_levels; }
    QPushButton *levelsButton() const { return m_levelsButton; }

    // The evaluation table's hint is offered for the first moments only.
    void setEvaluationHintShown(bool shown);

    // Shows the grade controls or the verbal evaluation, as the class is set.
    void applyVerbalMode();

    // Where photos are found; the program sets it when the project folder changes.
    void setPhotoFolder(const std::function<QString()> &folder) { m_photoFolder = folder; }
    // What the photo dialog and the folder import need: questions and file dialogs, and the
    // folder for the working copy of a pasted picture (it must not outlive the program).
    void setPhotoTools(UserPrompts &prompts, const QString &workFolder);

    QLabel *photo() const { return m_photo; }
    // The photo dialog once it was opened, else nullptr.
    PhotoDialog *photoDialog() const { return m_photoDialog; }

    // Reloads the page from the class (entering the page, after a load).
    void refresh();
    // A class was loaded: the page shows it with its own settings.
    void classLoaded();
    // Shows person `person` (index), as navigating to it does.
    void showPerson(int person);

signals:
    // The subject names may have changed: the tab captions follow them.
    void captionsChanged();
    // "neue Lerngruppe anlegen" wants the class saved first.
    void saveRequested();
    // A new learning group was started: the window resets what lies outside the page.
    void newLearningGroupStarted();
    void popArtChanged(bool on);
    // "Verbalbeurteilung" was switched by the teacher.
    void verbalModeChanged(bool on);
    void listPositionChanged(int position);
    // The photo dialog opened: the seating plan waits until the class is saved again.
    void photoDialogOpened();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void updateWeightingCaption();
    void showSwitchDependents();
    void placeNotice();
    void startProgress();
    void stepProgress(int listPosition);
    void loadFields();
    void loadSettings();
    void showPhoto();
    void openPhotoDialog();
    void importPhotoFolder();
    void importClassList();
    void afterNavigation();
    void reloadPerson();
    void updateNotice();
    void applyToAll();
    void openMail(bool toAll);
    void loadEvaluation();
    void updateRemarksCaption();
    void toggleLevels();
    QPushButton *button(const QString &text, const char *name);

    PersonPage &m_page;
    std::function<QString()> m_photoFolder;
    UserPrompts *m_prompts = nullptr;
    QString m_workFolder;
    std::unique_ptr<PictureClipboard> m_clipboard;
    std::unique_ptr<PhotoEditor> m_photoEditor;
    PhotoDialog *m_photoDialog = nullptr;
    QMap<PersonPage::Field, QLineEdit *> m_fields;
    QCheckBox *m_lrs;
    QLabel *m_photo;
    QCheckBox *m_photosVisible;
    QLineEdit *m_listPosition;
    QRadioButton *m_grades;
    QRadioButton *m_points;
    QCheckBox *m_halfDown;
    QSlider *m_slider;
    QLabel *m_sliderCaption;
    QLabel *m_oralLabel;
    QLabel *m_writtenLabel;
    QCheckBox *m_weighting;
    QLabel *m_notice;
    QProgressBar *m_progress;
    QLabel *m_emailCaption = nullptr;
    QFrame *m_mailPanel;
    QCheckBox *m_mailToAll;
    SheetView *m_sheet;
    EvaluationTable &m_evaluation;
    QCheckBox *m_verbalCheck;
    QPushButton *m_verbalHelpButton;
    QLabel *m_verbalHelp;
    QStackedWidget *m_sheets;
    SheetView *m_evaluationView;
    QPushButton *m_levelsButton;
    LevelsPanel *m_levels;
    QLabel *m_remarksCaption;
    RemarksPanel *m_remarks;
    QWidget *m_gradeSettings;
    QWidget *m_settingsPanel = nullptr;
    QWidget *m_verbalRow = nullptr;
    bool m_evaluationHintShown = true;
};
