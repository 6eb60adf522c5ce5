#pragma once

#include "classgrid.h"
#include "loadbuffer.h"

#include <QObject>
#include <QStringList>
#include <QVector>

// One open class: the ClassGrid, its LoadBuffer, the saved flag and the class-wide
// settings that the person page shows in its controls. The controls keep these settings
// here; they reach the grid when the class is stamped before a save.
class ClassDocument : public QObject
{
    Q_OBJECT

public:
    static constexpr int PersonCount = 34;
    static constexpr int BlockRows = 17;
    static constexpr int TabCount = 18;
    static constexpr int ProgramVersion = 53;

    explicit ClassDocument(QObject *parent = nullptr);

    ClassGrid &grid() { return m_grid; }
    const ClassGrid &grid() const { return m_grid; }
    LoadBuffer &loadBuffer() { return m_loadBuffer; }

    static int dataRow(int person) { return person * BlockRows + 16; }

    // The saved flag: cleared by every change of a cell, set by load and save.
    bool isSaved() const { return m_saved; }
    void setSaved(bool saved);

    // Takes back the teacher's last step, or applies the last one taken back again. Back at
    // the saved state the class counts as saved; settings the step restored are read back.
    // False when there was nothing to do.
    bool undo();
    bool redo();

    int currentPerson() const { return m_currentPerson; }
    void setCurrentPerson(int person);

    // Class-wide settings. They reach the grid only when the class is stamped, so a change
    // counts as unsaved like any edit: closing must not drop it silently.
    bool verbalEvaluation() const { return m_verbalEvaluation; }
    void setVerbalEvaluation(bool on) { changeSetting(m_verbalEvaluation, on); }
    bool pointsMode() const { return m_pointsMode; }
    void setPointsMode(bool on) { changeSetting(m_pointsMode, on); }
    bool halfDown() const { return m_halfDown; }
    void setHalfDown(bool on) { changeSetting(m_halfDown, on); }
    bool photosVisible() const { return m_photosVisible; }
    void setPhotosVisible(bool on) { changeSetting(m_photosVisible, on); }
    int sliderPosition() const { return m_sliderPosition; }
    void setSliderPosition(int position) { changeSetting(m_sliderPosition, position); }

    // Column 0 of the person sheet: the weighting row label and the subject names.
    QStringList rowLabels() const { return m_rowLabels; }
    void setRowLabel(int row, const QString &text);

    // Display position of each of the 18 tab pages, in page order.
    QVector<int> tabPositions() const { return m_tabPositions; }
    void setTabPositions(const QVector<int> &positions) { m_tabPositions = positions; }

    // An encrypted class is saved encrypted again. Its photo key (never in a cell, so no
    // listing, undo or export shows it) encrypts its photos; a new password keeps it.
    bool isEncrypted() const { return m_encrypted; }
    void setEncrypted(bool encrypted) { m_encrypted = encrypted; }
    const QByteArray &photoKey() const { return m_photoKey; }
    void setPhotoKey(const QByteArray &key);
    // The key new photos are stored with: none unless the class is encrypted.
    QByteArray photoKeyForStoring() const { return m_encrypted ? m_photoKey : QByteArray(); }

    QString password() const;
    QString loadedPath() const;
    QString versionMark() const;

    // Writes the class-wide settings into their cells before a save. The version mark is
    // "Neu" for the save button and the program version when saving on close.
    void stamp(const QString &versionMark);
    // The same without the version mark and the verbal-evaluation switch.
    void stampKeepingVersion();

    // Writes the grading settings into their cells as a change of the open step, so that
    // taking the step back brings them back as well.
    void writeSettingCells();

    // After a file was taken over into the grid: reads the class-wide settings back.
    void readSettingsFromGrid();

    // Empties the grid and the buffer and restores the settings a new class starts with.
    // The emptying is one change that can be taken back, settings included.
    void reset();

signals:
    void savedChanged(bool saved);
    void currentPersonChanged(int person);
    // Views write their pending edits into the grid when this is emitted.
    void flushRequested();

private:
    void stampCommon();
    bool followStep(const std::vector<UndoHistory::Change> &changes);
    template <class T> void changeSetting(T &setting, T value)
    {
        if (setting == value)
            return;
        setting = value;
        m_settingsChanged = true;
        setSaved(false);
    }

    ClassGrid m_grid;
    LoadBuffer m_loadBuffer;
    bool m_saved = true;
    bool m_encrypted = false;
    QByteArray m_photoKey;
    // A setting changed since the last save; no step of the history covers it.
    bool m_settingsChanged = false;
    int m_currentPerson = 0;
    bool m_verbalEvaluation = false;
    bool m_pointsMode = false;
    bool m_halfDown = true;
    bool m_photosVisible = true;
    int m_sliderPosition = 2;
    QStringList m_rowLabels;
    QVector<int> m_tabPositions;
};
