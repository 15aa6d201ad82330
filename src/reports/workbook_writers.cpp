// The XLSX and CSV writers of a workbook.
#include "reports/workbook_writers.h"

#include <QFile>
#include <QFileInfo>
#include <QLibrary>
#include <QTemporaryDir>

#include <xlsxwriter.h>

namespace tavel {
namespace {

// libxlsxwriter is loaded with the first XLSX workbook, not with the program:
// with the zip and crypto libraries it brings, linking it cost every start a
// few milliseconds for a document a teacher writes now and then.
struct XlsxLibrary {
    decltype(&workbook_new) workbookNew = nullptr;
    decltype(&workbook_add_worksheet) addWorksheet = nullptr;
    decltype(&worksheet_set_column) setColumn = nullptr;
    decltype(&worksheet_write_string) writeString = nullptr;
    decltype(&workbook_close) close = nullptr;
    decltype(&lxw_strerror) errorText = nullptr;
    QString failure; // why the library cannot be used; empty when it can
};

template <class Function>
void resolve(QLibrary& library, const char* name, Function& function, QString& failure)
{
    function = reinterpret_cast<Function>(library.resolve(name));
    if (!function && failure.isEmpty())
        failure = QStringLiteral("в библиотеке libxlsxwriter нет функции %1").arg(QLatin1String(name));
}

const XlsxLibrary& xlsxLibrary()
{
    static const XlsxLibrary loaded = [] {
        XlsxLibrary l;
        // The installed run-time library first, then the development link
        // (another version of the same interface).
        QLibrary library(QStringLiteral("xlsxwriter"), 4);
        if (!library.load()) {
            library.setFileName(QStringLiteral("xlsxwriter"));
            if (!library.load()) {
                l.failure = QStringLiteral("не найдена библиотека libxlsxwriter (%1)").arg(library.errorString());
                return l;
            }
        }
        // The library stays loaded until the program ends.
        resolve(library, "workbook_new", l.workbookNew, l.failure);
        resolve(library, "workbook_add_worksheet", l.addWorksheet, l.failure);
        resolve(library, "worksheet_set_column", l.setColumn, l.failure);
        resolve(library, "worksheet_write_string", l.writeString, l.failure);
        resolve(library, "workbook_close", l.close, l.failure);
        resolve(library, "lxw_strerror", l.errorText, l.failure);
        return l;
    }();
    return loaded;
}

class XlsxWriter final : public WorkbookWriter {
public:
    QString nameFilter() const override { return QStringLiteral("Книга Excel (*.xlsx)"); }
    QString extension() const override { return QStringLiteral("xlsx"); }

protected:
    void writeTo(const Workbook& book, QIODevice& device) override
    {
        if (book.rowCount() > LXW_ROW_MAX || book.columnCount() > LXW_COL_MAX)
            throw Error(QStringLiteral("таблица больше листа электронной таблицы"));
        const XlsxLibrary& lxw = xlsxLibrary();
        if (!lxw.failure.isEmpty())
            throw Error(QStringLiteral("книга XLSX не записана: %1").arg(lxw.failure));
        // libxlsxwriter writes to a named file: a temporary one, whose bytes
        // then go into the device.
        QTemporaryDir dir;
        if (!dir.isValid())
            throw Error(QStringLiteral("нет места для временного файла: %1").arg(dir.errorString()));
        const QByteArray path = QFile::encodeName(dir.filePath(QStringLiteral("book.xlsx")));
        lxw_workbook* workbook = lxw.workbookNew(path.constData());
        if (!workbook)
            throw Error(QStringLiteral("не удалось начать книгу XLSX"));
        lxw_worksheet* sheet = lxw.addWorksheet(workbook, Workbook::sheetName().toUtf8().constData());
        lxw_error status = sheet ? LXW_NO_ERROR : LXW_ERROR_MEMORY_MALLOC_FAILED;
        for (int c = 1; c <= book.columnCount() && status == LXW_NO_ERROR; ++c)
            status = lxw.setColumn(sheet, lxw_col_t(c - 1), lxw_col_t(c - 1), book.columnWidth(c), nullptr);
        for (int r = 1; r <= book.rowCount() && status == LXW_NO_ERROR; ++r) {
            for (int c = 1; c <= book.columnCount() && status == LXW_NO_ERROR; ++c) {
                const QString text = book.cell(r, c);
                if (text.isEmpty())
                    continue;
                status = lxw.writeString(sheet, lxw_row_t(r - 1), lxw_col_t(c - 1),
                                                text.left(kMaxCellCharacters).toUtf8().constData(), nullptr);
            }
        }
        const lxw_error closed = lxw.close(workbook); // frees the workbook in every case
        if (status == LXW_NO_ERROR)
            status = closed;
        if (status != LXW_NO_ERROR)
            throw Error(QStringLiteral("книга XLSX не записана: %1").arg(QString::fromUtf8(lxw.errorText(status))));
        QFile file(QFile::decodeName(path));
        if (!file.open(QIODevice::ReadOnly))
            throw Error(file.errorString());
        const QByteArray bytes = file.readAll();
        if (device.write(bytes) != bytes.size())
            throw Error(device.errorString());
    }
};

QString csvField(const QString& text)
{
    const bool quoted = text.contains(u';') || text.contains(u'"') || text.contains(u'\n') || text.contains(u'\r')
                        || text.startsWith(u' ') || text.endsWith(u' ');
    if (!quoted)
        return text;
    QString doubled = text;
    doubled.replace(QLatin1String("\""), QLatin1String("\"\""));
    return u'"' + doubled + u'"';
}

class CsvWriter final : public WorkbookWriter {
public:
    QString nameFilter() const override { return QStringLiteral("Текст CSV (*.csv)"); }
    QString extension() const override { return QStringLiteral("csv"); }

protected:
    void writeTo(const Workbook& book, QIODevice& device) override
    {
        QString out;
        for (int r = 1; r <= book.rowCount(); ++r) {
            for (int c = 1; c <= book.columnCount(); ++c) {
                if (c > 1)
                    out += u';';
                out += csvField(book.cell(r, c).left(kMaxCellCharacters));
            }
            out += QLatin1String("\r\n");
        }
        const QByteArray bytes = QByteArray("\xEF\xBB\xBF") + out.toUtf8();
        if (device.write(bytes) != bytes.size())
            throw Error(device.errorString());
    }
};

} // namespace

std::unique_ptr<WorkbookWriter> workbookWriter(WorkbookFormat format)
{
    if (format == WorkbookFormat::Csv)
        return std::make_unique<CsvWriter>();
    return std::make_unique<XlsxWriter>();
}

std::optional<WorkbookFormat> workbookFormatOf(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"xlsx")
        return WorkbookFormat::Xlsx;
    if (suffix == u"csv")
        return WorkbookFormat::Csv;
    return std::nullopt;
}

QString workbookFilters()
{
    return workbookWriter(WorkbookFormat::Xlsx)->nameFilter() + QStringLiteral(";;")
           + workbookWriter(WorkbookFormat::Csv)->nameFilter();
}

WorkbookFormat workbookFormatOfFilter(const QString& filter)
{
    return filter == workbookWriter(WorkbookFormat::Csv)->nameFilter() ? WorkbookFormat::Csv : WorkbookFormat::Xlsx;
}

QString pathWithExtension(const QString& chosen, WorkbookFormat filterFormat)
{
    if (workbookFormatOf(chosen))
        return chosen;
    return chosen + u'.' + workbookWriter(filterFormat)->extension();
}

} // namespace tavel
