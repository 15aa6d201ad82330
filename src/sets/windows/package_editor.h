// The package editor `TNaborWopr` ("Редактор пакетов. Задать число вопросов
// из каждой темы для экзамена"): one package file in the grid `TemWopr`, one
// row per record, with the recount, the fill of "Надо", the sums, the row
// moves and deletion, the editing switch, the topic list as text, loading
// another package, saving and replacing the subject's topics.
//
// The grid is the truth while the window is open: every command reads the
// rows from it (package.h does the work) and writes them back. The grid is
// loaded from `WiibranFile` each time the window is shown; changes live only
// in the grid until "Запомнить" or "Заменить темы", which save atomically and
// emit saved().
#pragma once

#include "sets/package.h"
#include "storage/install_folder.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace tavel {

class TNaborWopr : public QDialog {
    Q_OBJECT
public:
    static QString caption();

    TNaborWopr(InstallFolder home, QWidget* parent = nullptr);

    // The folder of the subject the package belongs to (Wopros.dat for the
    // recount, Tema.dat for "Заменить темы", the folder "Открыть пакет"
    // starts in). Set before showing.
    void setSubjectFolder(const QString& path) { subjectFolder_ = path; }

    QLineEdit* WiibranFile;
    QTableWidget* TemWopr;
    QLineEdit* KolTem;
    QLineEdit* WsegoW;
    QLineEdit* WsegoNado;
    QLineEdit* KolW;
    QLineEdit* PredW;
    QLineEdit* TemaW;
    QLineEdit* TekstW;
    QProgressBar* Gauge1;
    QLabel* Label1; // " Можно редактировать столбец Надо " while cells can be edited

    QPushButton* Wse;
    QPushButton* Wstawit;
    QPushButton* BitBtn1;
    QPushButton* SumStolb;
    QPushButton* Vverh;
    QPushButton* Wniz;
    QPushButton* WerhNa4;
    QPushButton* NizKon;
    QPushButton* Udal;
    QPushButton* Redak;
    QPushButton* SaveTXT;
    QPushButton* SpisTem;
    QPushButton* OtkrPak;
    QPushButton* Zapomn;
    QPushButton* vTemi;

    // Loads the package named in WiibranFile into the grid with its sums. A
    // file that cannot be read keeps the grid's former rows (message shown).
    void FormActivate();

    void WseClick();
    void WstawitClick();
    void BitBtn1Click();
    void SumStolbClick();
    void VverhClick();
    void WnizClick();
    void WerhNa4Click();
    void NizKonClick();
    void UdalClick();
    void RedakClick();
    void SaveTXTClick();
    // The grid, title row included, in a workbook window.
    void SpisTemClick();
    void OtkrPakClick();
    void ZapomnClick();
    void vTemiClick();

    // The rows of the grid, as the commands see them.
    PackageRows rows() const;
    // True while every cell can be edited (Redak pressed).
    bool editing() const { return editing_; }

Q_SIGNALS:
    // The package file was written ("Запомнить", "Заменить темы").
    void saved();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void setRows(const PackageRows& rows);
    void select(int row);
    void showSelected();
    void showSums(const PackageSums& sums);
    // Applies a row move of package.h to the grid.
    void move(int (*operation)(PackageRows&, int));
    // Loads a package file into the grid; false when it could not be read.
    bool load(const QString& path, bool withSums);
    bool save();

    InstallFolder home_;
    QString subjectFolder_;
    bool editing_ = false;
};

} // namespace tavel
