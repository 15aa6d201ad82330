// The keyword window `TPoSlovu` ("Набрать вопросы из всего предмета"): the
// topic kind `Tip_Temi`, the two keywords `Slovo1` and `Slovo2` offered from
// the subject's dictionary, `NaidSlov` with the number of questions found,
// `FIOSpr` (edit the dictionary in TRedak), `Iskat` (build the set and start,
// or stop; the main window's side is connected by whoever owns the test) and
// `ZastPogasit1` (close; a started set keeps running).
#pragma once

#include "sets/keyword_set.h"

#include <QDialog>
#include <QStringList>

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tavel {

class TRedak;

class TPoSlovu : public QDialog {
    Q_OBJECT
public:
    static QString caption();

    TPoSlovu(TRedak* redak, QWidget* parent = nullptr);

    // The subject whose dictionary is offered: its folder and its name (the
    // caption of TRedak). Set before showing.
    void setSubject(const QString& folder, const QString& name);

    QGroupBox* Tip_Temi;
    QComboBox* Slovo1;
    QComboBox* Slovo2;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label4;
    QLineEdit* NaidSlov;
    QPushButton* FIOSpr;
    QPushButton* Iskat;
    QPushButton* ZastPogasit1;

    TopicKind kind() const;
    void setKind(TopicKind kind);

    // Creates the dictionary when missing, offers its words in both lists
    // (sorted), Slovo1 showing the first, Slovo2 empty, the kind "Любая".
    void FormActivate();
    // Edits the dictionary in TRedak; the edited list, sorted, goes into
    // Slovo1 and is saved.
    void FIOSprClick();

Q_SIGNALS:
    void IskatClicked();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void offer(QComboBox* box, const QStringList& items);

    TRedak* redak_;
    QButtonGroup* kinds_;
    QString folder_;
    QString subjectName_;
};

} // namespace tavel
