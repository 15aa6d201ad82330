// tavel-base: the command-line companion for question bases. Dumps a record
// file as tab-separated lines, loads such lines back into a record file, and
// creates an installation folder with every shared file the program needs.
// Exit status: 0 done, 1 a file could not be read or written, 2 wrong
// arguments, an unknown file kind or a bad input line (the file untouched).
#include "install_init.h"
#include "record_lines.h"

#include "storage/error.h"
#include "storage/record_file.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <cstdio>

namespace {

using namespace tavel;

constexpr int kFailed = 1;
constexpr int kUsage = 2;

// A refusal that ends the program with exit status 2.
struct UsageError {
    QString message;
};

void printErr(const QString& text)
{
    const QByteArray bytes = (text + u'\n').toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
}

const char* const kUsageText =
    "Использование:\n"
    "  tavel-base dump FILE   записи файла FILE построчно (поля через табуляцию, UTF-8)\n"
    "  tavel-base load FILE   переписать FILE из строк того же вида со стандартного ввода\n"
    "  tavel-base init DIR    создать папку установки DIR с общими файлами по умолчанию\n"
    "  tavel-base help        эта справка\n"
    "Вид файла определяется по имени: Papka, Dostup, Predmet, Tema, Wopros, Temp,\n"
    "Otwet, EGE (.dat) и Exam*.dat. Тексты: \\t \\n \\r \\\\ вместо табуляции, перевода\n"
    "строки, возврата каретки и обратной косой черты; дата ГГГГ-ММ-ДД[TЧЧ:ММ:СС].";

int usage()
{
    printErr(QString::fromUtf8(kUsageText));
    return kUsage;
}

const RecordLayout& layoutOf(const QString& file)
{
    const RecordLayout* layout = layoutForFileName(file);
    if (!layout)
        throw UsageError{QStringLiteral("%1: неизвестный вид файла (нужно Papka, Dostup, Predmet, Tema, Wopros, "
                                        "Temp, Otwet, EGE или Exam*.dat)")
                             .arg(QDir::toNativeSeparators(file))};
    return *layout;
}

int dump(const QString& path)
{
    const RecordFile file = RecordFile::read(path, layoutOf(path));
    QByteArray out;
    for (int i = 0; i < file.count(); ++i) {
        out += base::recordToLine(file.at(i)).toUtf8();
        out += '\n';
    }
    if (std::fwrite(out.constData(), 1, size_t(out.size()), stdout) != size_t(out.size()) || std::fflush(stdout) != 0)
        throw Error(QStringLiteral("Не удалось вывести записи файла %1").arg(QDir::toNativeSeparators(path)));
    // Length bytes above their field and a partial record at the end, as
    // the file's reading found them.
    for (const QString& note : file.damage())
        printErr(QStringLiteral("tavel-base: предупреждение: %1").arg(note));
    return 0;
}

QByteArray readStandardInput()
{
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly))
        throw Error(QStringLiteral("Не удалось открыть стандартный ввод: %1").arg(in.errorString()));
    QByteArray bytes = in.readAll();
    if (in.error() != QFileDevice::NoError)
        throw Error(QStringLiteral("Ошибка чтения стандартного ввода: %1").arg(in.errorString()));
    return bytes;
}

int load(const QString& path)
{
    const RecordLayout& layout = layoutOf(path);
    QByteArray input = readStandardInput();
    if (input.startsWith("\xEF\xBB\xBF")) // a byte order mark left by some editors
        input.remove(0, 3);

    QList<QByteArray> records;
    QStringList notes;
    int lineNo = 0;
    qsizetype start = 0;
    while (start < input.size()) {
        ++lineNo;
        qsizetype end = input.indexOf('\n', start);
        if (end < 0)
            end = input.size();
        QByteArrayView raw = QByteArrayView(input).sliced(start, end - start);
        start = end + 1;
        if (raw.endsWith('\r'))
            raw.chop(1);
        if (raw.isEmpty()) // no record is an empty line: blank lines are skipped
            continue;
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString line = utf8(raw);
        try {
            if (utf8.hasError())
                throw Error(QStringLiteral("строка не в кодировке UTF-8"));
            QStringList cut;
            records.push_back(base::lineToRecord(layout, line, &cut));
            for (const QString& field : cut)
                notes << QStringLiteral("tavel-base: строка %1: текст поля %2 обрезан").arg(lineNo).arg(field);
        } catch (const Error& e) {
            throw UsageError{QStringLiteral("%1: строка %2: %3; файл не изменён")
                                 .arg(QDir::toNativeSeparators(path))
                                 .arg(lineNo)
                                 .arg(e.message())};
        }
    }
    writeRecordFile(path, layout, records);
    for (const QString& note : notes)
        printErr(note);
    return 0;
}

int init(const QString& root)
{
    const QStringList created = base::initInstallFolder(root, QDate::currentDate());
    for (const QString& path : created)
        printErr(QStringLiteral("создан %1").arg(QDir::toNativeSeparators(path)));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    if (args.size() != 2)
        return usage();
    const QString& command = args[0];
    const QString& target = args[1];
    try {
        if (command == u"dump")
            return dump(target);
        if (command == u"load")
            return load(target);
        if (command == u"init")
            return init(target);
        return usage();
    } catch (const UsageError& e) {
        printErr(QStringLiteral("tavel-base: ") + e.message);
        return kUsage;
    } catch (const Error& e) {
        printErr(QStringLiteral("tavel-base: ") + e.message());
        return kFailed;
    }
}
