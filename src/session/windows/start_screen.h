// The start screen `Zastavka` of the main window: the contents page of all
// subjects (`OglTabl`), the password box `Parol` with the entry button
// `ZastPogasit1`, the documentation button `dxfColorButton2` and short
// instructions. It covers the work area until the user enters.
#pragma once

#include "storage/contents_page.h"

#include <QGroupBox>
#include <vector>

class QLineEdit;
class QPushButton;
class QTableWidget;

namespace tavel {

class StartScreen : public QGroupBox {
    Q_OBJECT
public:
    explicit StartScreen(QWidget* parent);

    // The contents grid: five columns (number, subject, topics, questions,
    // answers); every row of the contents page is a grid row.
    QTableWidget* OglTabl;
    QGroupBox* ParolGB; // the group "Пароль"
    QLineEdit* Parol;
    QPushButton* ZastPogasit1;
    QPushButton* dxfColorButton2;

    // Shows the page's cells (as far as they were read); the group headings
    // (rows whose topic count read "0" before totalling) are set off.
    void showContents(const ContentsPage& page, const std::vector<int>& headingRows = {});
    // Column 1 of the row; empty outside the grid.
    QString subjectNameAt(int row) const;

Q_SIGNALS:
    void rowPressed(int row); // a row of OglTabl was clicked
    void enterClicked();      // "Войти в программу", or Enter in Parol
    void helpClicked();       // "Документация"
};

} // namespace tavel
