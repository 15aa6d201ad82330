// The editor's import: "С цифры", "С буквы w", "Из генер." and "1  ЕГЭ" read a
// text file into IzTXT; "2  Декодер" turns IzTXT into a new topic with its
// questions and answers in the grids above it. Nothing is written to the
// record files here: the teacher checks the grids and saves them with 3, 4, 5.
#include "authoring/windows/zagruzka.h"

#include "authoring/import_ege.h"
#include "authoring/import_grids.h"
#include "authoring/import_text.h"
#include "platform/windows/gauge_progress.h"
#include "platform/windows/message_box.h"
#include "session/windows/main_window.h"
#include "storage/error.h"
#include "storage/shared_files.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTableView>

namespace tavel {

using authoring::Grid;
using import::Layout;

namespace {

// Rows read shown by Gauge1 against this maximum.
constexpr int kGaugeRows = 5000;

QString layoutCaption(Layout layout)
{
    switch (layout) {
    case Layout::Digit:
        return QStringLiteral("С цифры");
    case Layout::LetterW:
        return QStringLiteral("С буквы w");
    case Layout::Generator:
        return QStringLiteral("Из генер.");
    case Layout::Ege:
        break;
    }
    return QStringLiteral("1  ЕГЭ");
}

} // namespace

void TZagruzka::EGEClick() { readImport(int(Layout::Ege)); }
void TZagruzka::ZagTXTClick() { readImport(int(Layout::Digit)); }
void TZagruzka::wVoprosClick() { readImport(int(Layout::LetterW)); }
void TZagruzka::IzGenerClick() { readImport(int(Layout::Generator)); }

void TZagruzka::readImport(int layoutIndex)
{
    const Layout layout = Layout(layoutIndex);
    const InstallFolder& home = form_.state().home;
    const QString workFile = home.path(paths::ege);
    // The exam paper's work file starts empty at every EGE import, chosen
    // file or not.
    if (layout == Layout::Ege && !dialogs::guarded(this, [&] { import::writeEgeFile(workFile, {}); }))
        return;
    const auto chosen = dialogs::openFileName(this, QStringLiteral("Импорт из txt списка"), home.root(),
                                              QStringLiteral("Входной типа  .txt (*.txt *.TXT)"));
    if (!chosen)
        return;
    const QString shown = QDir::toNativeSeparators(*chosen);

    import::ImportText text;
    import::ReadResult read;
    // A file that cannot be read, or holds no text, changes nothing.
    if (!dialogs::guarded(this, [&] {
            text = import::readImportFile(*chosen);
            read = import::readLayout(layout, text.lines, shown, workFile);
        }))
        return;

    if (layout == Layout::Generator)
        dialogs::information(this, dialogs::applicationTitle(), read.title);
    import::fillImportGrid(grids_.importGrid, read);
    IzTXT->scrollToTop();
    IzTXTFile->setText(QStringLiteral("%1 — %2, кодировка %3, строк в таблице: %4")
                           .arg(layoutCaption(layout), QFileInfo(*chosen).fileName(),
                                import::encodingName(text.encoding))
                           .arg(read.rows.size()));
    IzTXTFile->setToolTip(shown);
    Gauge1->setRange(0, kGaugeRows);
    Gauge1->setValue(layout == Layout::Ege ? 0 : std::min<int>(int(read.rows.size()), kGaugeRows));
    if (!read.stop.isEmpty())
        dialogs::warning(this, layoutCaption(layout), read.stop);
}

void TZagruzka::DekodirClick()
{
    Gauge1->setValue(0);
    GaugeProgress gauge(Gauge1);
    import::DecodeResult decoded;
    const bool ok = dialogs::guarded(this, [&] {
        decoded = import::decodeGrids(grids_, [&gauge](int done, int total) { gauge(done, total); });
    });
    Gauge1->setValue(0);
    if (!ok)
        return;

    // Fewer than five questions in the grid: the import replaces them. Say
    // what would go before anything does.
    const import::Replaced replaced = import::replacedBy(grids_, decoded);
    if ((replaced.questions > 0 || replaced.answers > 0) &&
        !dialogs::askYesNo(this, QStringLiteral("2  Декодер"),
                           QStringLiteral("В таблице вопросов меньше %1 строк, поэтому импорт заменит "
                                          "вопросы (%2) и ответы (%3), которые сейчас в таблицах, и "
                                          "переименует тему в строке 1. В файлах они останутся, пока "
                                          "таблицы не сохранены кнопками 4 и 5.\nЗаменить?")
                               .arg(import::kAppendFromQuestionRows)
                               .arg(replaced.questions)
                               .arg(replaced.answers)))
        return;

    import::applyDecode(grids_, decoded);
    for (Grid g : {Grid::Topics, Grid::Questions, Grid::Answers})
        showCount(g);
    const int topicRow = decoded.append ? grids_.topicGrid.rows() - 1 : 0;
    setCurrentRow(TemaTabl, topicRow);
    setCurrentRow(WopTabl, decoded.keptQuestions);
    setCurrentRow(OtwTabl, decoded.keptAnswers);
}

} // namespace tavel
