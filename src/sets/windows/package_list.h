// The package list `TSpisokPaketov` ("Список пакетов для выбора нужного"):
// the packages of the current subject (`Paketi`), the topics of the selected
// one with the sums (`TemWopr`), and the commands to edit (`RedaktSpis`, in
// the package editor), delete (`DelPaket`) and list them (`SpisTem`). In
// choosing mode (the package exam) `Pusk` closes the window with the package
// in `WiibranFile` and the edit and delete buttons are hidden.
#pragma once

#include "sets/package.h"

#include <QDialog>

class QLineEdit;
class QPushButton;
class QTableWidget;

namespace tavel {

class TNaborWopr;

class TSpisokPaketov : public QDialog {
    Q_OBJECT
public:
    static QString caption();

    TSpisokPaketov(TNaborWopr* editor, QWidget* parent = nullptr);

    // The subject folder whose packages are listed. Set before showing.
    void setSubjectFolder(const QString& path) { subjectFolder_ = path; }
    // Choosing mode: Pusk shown, RedaktSpis and DelPaket hidden; off
    // restores them.
    void setChoosing(bool choosing);

    QLineEdit* Papka;
    QTableWidget* Paketi;
    QLineEdit* WiibranFile;
    QTableWidget* TemWopr;
    QPushButton* RedaktSpis;
    QPushButton* DelPaket;
    QPushButton* Pusk;
    QPushButton* SpisTem;

    // Fills Papka and Paketi and selects the first package (its topics shown).
    void FormShow();
    // Shows the package of row `row` of Paketi (0-based) with its topics.
    void PaketiSelect(int row);
    void RedaktSpisClick();
    void DelPaketClick();
    void PuskClick();
    // The list (number and the name after "Exam") in a workbook window.
    void SpisTemClick();

Q_SIGNALS:
    // The sum of "Всего" of the shown package (the main window's KolWoprTema).
    void totalShown(int total);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showTopics(const PackageView& view);

    TNaborWopr* editor_;
    QString subjectFolder_;
};

} // namespace tavel
