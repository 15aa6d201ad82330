// The test settings of the main window: the parameter group `ParamExam`
// (question range `PervNomVopr`..`PoslNomVopr`, minutes `MaxTime`, protocol
// switch `Protokol_Wkl`) and the group `Nastroi` ("В экзамене": question
// limit button `MaxKW`, mode list `Regim` in `RegimGB`, display times
// `WoprSek`/`OtwSek` with `WremaZadat` in `WremIzm`, topic and question counts
// of the subject `KTem`, `RWoprWseh`).
#pragma once

#include <QWidget>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;

namespace tavel {

struct Rights;

class TestSettingsPanel : public QWidget {
    Q_OBJECT
public:
    // Rows of the mode list.
    static constexpr int kHintsItem = 0;   // "Подсказать"
    static constexpr int kInOrderItem = 1; // "По порядку"

    explicit TestSettingsPanel(QWidget* parent);

    QGroupBox* ParamExam;
    QSpinBox* PervNomVopr;
    QSpinBox* PoslNomVopr;
    QSpinBox* MaxTime;
    QCheckBox* Protokol_Wkl;

    QGroupBox* Nastroi;
    QPushButton* MaxKW;
    QGroupBox* RegimGB;
    QListWidget* Regim;
    QGroupBox* WremIzm;
    QLineEdit* WoprSek;
    QLineEdit* OtwSek;
    QPushButton* WremaZadat;
    QLineEdit* KTem;
    QLineEdit* RWoprWseh;

    // A test runs: its parameters, the modes and the display times cannot be
    // changed, and "В экзамене" is hidden.
    void lockForTest();
    // The test is over: what the access letter allows is open again.
    void unlockAfterTest(const Rights& rights);

    bool isTicked(int item) const;
    // Ticks or unticks an item without reporting it as the user's click.
    void setTicked(int item, bool ticked);

Q_SIGNALS:
    // The user ticked or unticked an item of Regim.
    void modeClicked(int item, bool ticked);
    // PervNomVopr or PoslNomVopr lost the focus (or Enter was pressed in it).
    void rangeEdited();
};

} // namespace tavel
