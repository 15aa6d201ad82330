// The password table `TForm5`: the users of Baza\Dostup.dat in the grid
// `TabDost` (ten editable rows: code, date, name, password, access letter),
// "Запомнить" (`ZapDostup`) to rewrite the file and `Zakrit` to close without
// writing. The file is read at every showing. Saving converts every row with
// a code first and writes only when all are good; the changes take effect at
// the next start of the program.
#pragma once

#include "storage/install_folder.h"

#include <QDialog>

class QPushButton;
class QTableWidget;

namespace tavel {

class TForm5 : public QDialog {
    Q_OBJECT
public:
    explicit TForm5(InstallFolder home, QWidget* parent = nullptr);

    QTableWidget* TabDost;
    QPushButton* ZapDostup;
    QPushButton* Zakrit;

    // Reads the user file into the grid.
    void FormShow();
    // Writes the grid into the user file.
    void ZapDostupClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    InstallFolder home_;
};

} // namespace tavel
