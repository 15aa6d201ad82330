// The reference notes window `TTeoriya` ("Справочные материалы по предмету"):
// the subject `ImaPredm`, its notes folder `NamePapka` and the sorted list
// `ListBox1` of everything in the folder and its subfolders, relative to the
// folder. `PokDok` or a double click opens the chosen entry with the
// desktop's program (a program or script is not run); `SaveTXT` writes the
// list into 111.txt of the installation folder and opens it.
//
// The list is filled every time the window is shown. A missing folder shows
// "Нет папки с конспектами", an empty one "Папка с конспектами пуста"; such a
// line opens nothing, and opening with no entry chosen asks to choose one.
#pragma once

#include "reports/notes_list.h"

#include <QDialog>
#include <functional>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace tavel {

class TTeoriya : public QDialog {
    Q_OBJECT
public:
    // `subject` gives the subject name and the subject folder's path at the
    // moment the window is shown.
    struct Subject {
        QString name;
        QString folderPath;
    };
    TTeoriya(QString installFolder, std::function<Subject()> subject, QWidget* parent = nullptr);

    QLineEdit* ImaPredm;
    QLineEdit* NamePapka;
    QListWidget* ListBox1;
    QPushButton* PokDok;
    QPushButton* SaveTXT;

    void FormShow();
    void PokDokClick();
    void SaveTXTClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QString installFolder_;
    std::function<Subject()> subject_;
    NotesListing listing_;
};

} // namespace tavel
