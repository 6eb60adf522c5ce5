#pragma once

#include <QFrame>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QRadioButton;
class QSlider;
class QSpinBox;
class SpecialPrints;

// The panel "individuelle Beurteilungslisten erstellen" over the seating plan: the wish
// list of the marking list and the buttons of the other special prints. The ticks go into
// SpecialPrints; the commands are the window's, which leaves the room first.
class SpecialPrintsPanel : public QFrame
{
    Q_OBJECT

public:
    explicit SpecialPrintsPanel(SpecialPrints &prints, QWidget *parent = nullptr);

    // Brings every control in line with the wish list.
    void refresh();

signals:
    void listRequested();
    void compactRequested();
    void planPrintRequested();
    void labelsRequested(bool namesOnly);
    void groupListRequested();
    // The red "X".
    void closeRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showSample();
    void hideSample();

    SpecialPrints &m_prints;
    QGroupBox *m_wishList;
    QCheckBox *m_photos;
    QRadioButton *m_word;
    QRadioButton *m_page;
    QRadioButton *m_portrait;
    QRadioButton *m_landscape;
    QLabel *m_sliderLabel;
    QSlider *m_slider;
    QLabel *m_sample;
    QGroupBox *m_pages;
};
