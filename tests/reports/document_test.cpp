// The report writer's document (W1 to W8) checked through its structure, and
// its files (ODT, PDF, HTML) read back.
#include "reports/document.h"
#include "reports/document_writers.h"
#include "support/read_back.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QTextTable>

#include <gtest/gtest.h>

using namespace tavel;

namespace {

struct Run {
    QString text;
    bool bold;
    qreal size;
};

// Every text run of the document in order, blocks separated by a "¶" run.
std::vector<Run> runs(const QTextDocument& doc)
{
    std::vector<Run> out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        if (b != doc.begin())
            out.push_back({QStringLiteral("¶"), false, 0});
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            out.push_back({f.text(), f.charFormat().fontWeight() >= QFont::Bold, f.charFormat().fontPointSize()});
        }
    }
    return out;
}

QString texts(const std::vector<Run>& rs)
{
    QString s;
    for (const Run& r : rs)
        s += r.text + u'|';
    return s;
}

QString sourceDir()
{
    return QStringLiteral(TAVEL_DEMO_DIR);
}

} // namespace

TEST(Document, AppendsParagraphsInTheBaseFontAndMakesARangePlain)
{
    DocumentHolder holder;
    Document& doc = holder.newDocument();
    doc.append(QStringLiteral("до"));
    doc.setBaseFont(10);
    doc.append(QStringLiteral("Предмет История"));
    doc.appendParagraph();
    const int from = doc.end();
    doc.append(QStringLiteral("ответ\r\nвторая строка"));
    const int to = doc.end();
    doc.append(QStringLiteral(" конец"));
    doc.setPlain(from, to);

    const auto rs = runs(doc.text());
    EXPECT_EQ(texts(rs), QStringLiteral("доПредмет История|¶|ответ|¶|вторая строка| конец|"));
    // W2 made what was there bold and size 10 as well as what came later.
    EXPECT_TRUE(rs[0].bold);
    EXPECT_EQ(rs[0].size, 10);
    EXPECT_FALSE(rs[2].bold);             // "ответ" made plain
    EXPECT_FALSE(rs[4].bold);             // "вторая строка" made plain
    EXPECT_TRUE(rs[5].bold);              // " конец" appended after the range
    EXPECT_EQ(rs[5].size, 10);
}

TEST(Document, EveryKindOfLineEndStartsAParagraph)
{
    DocumentHolder holder;
    Document& doc = holder.newDocument();
    doc.append(QStringLiteral("одна\rдве\nтри\r\nчетыре\r\n"));
    doc.append(QStringLiteral("пять"));
    EXPECT_EQ(texts(runs(doc.text())), QStringLiteral("одна|¶|две|¶|три|¶|четыре|¶|пять|"));
}

TEST(Document, SizeOnlyBaseFontLeavesTextPlain)
{
    Document doc;
    doc.setBaseFont(8, false);
    doc.append(QStringLiteral("листинг"));
    const auto rs = runs(doc.text());
    ASSERT_EQ(rs.size(), 1u);
    EXPECT_FALSE(rs[0].bold);
    EXPECT_EQ(rs[0].size, 8);
}

TEST(Document, TablesAreReachedByNumberAndTextFollowsThem)
{
    Document doc;
    doc.append(QStringLiteral("Протокол"));
    const int first = doc.appendTable(2, 2);
    doc.append(QStringLiteral("после"));
    const int second = doc.insertTableAtStart(1, 3);
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 2);
    doc.setCellText(first, 2, 2, QStringLiteral("Иванов\nИван"));
    doc.setCellText(second, 1, 3, QStringLiteral("№"));
    doc.setCellText(first, 3, 1, QStringLiteral("нет такой строки")); // ignored
    doc.setColumnWidth(first, 1, 150);
    doc.setBorders(second, false);

    EXPECT_EQ(doc.cellText(first, 2, 2), QStringLiteral("Иванов\nИван"));
    EXPECT_EQ(doc.cellText(first, 1, 1), QString());
    const QString plain = doc.text().toPlainText();
    // The table added at the start stands before everything; text appended
    // after the first table follows it.
    auto* tableAtStart = qobject_cast<QTextTable*>(doc.text().rootFrame()->childFrames().value(0));
    ASSERT_NE(tableAtStart, nullptr);
    EXPECT_EQ(tableAtStart->columns(), 3);
    EXPECT_EQ(tableAtStart->format().border(), 0);
    EXPECT_LT(plain.indexOf(QStringLiteral("Протокол")), plain.indexOf(QStringLiteral("Иванов")));
    EXPECT_LT(plain.indexOf(QStringLiteral("Иванов")), plain.indexOf(QStringLiteral("после")));
    auto* protocolTable = qobject_cast<QTextTable*>(doc.text().rootFrame()->childFrames().value(1));
    ASSERT_NE(protocolTable, nullptr);
    const QTextLength width = protocolTable->format().columnWidthConstraints().value(0);
    EXPECT_EQ(width.type(), QTextLength::FixedLength);
    EXPECT_DOUBLE_EQ(width.rawValue(), 200.0); // 150 pt at 96 units per 72 pt
}

TEST(Document, PicturesAreScaledToTheTextWidthAndBadFilesNamedInTheText)
{
    QTemporaryDir dir;
    QImage wide(2000, 100, QImage::Format_RGB32);
    wide.fill(Qt::red);
    ASSERT_TRUE(wide.save(dir.filePath(QStringLiteral("wide.png"))));
    QFile junk(dir.filePath(QStringLiteral("junk.gif")));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("GIF89a\x10\x00"); // a GIF cut off in its header
    junk.close();
    QFile cut(dir.filePath(QStringLiteral("cut.jpg")));
    QFile jpeg(sourceDir() + QStringLiteral("/Istoriy/Foto/1_2_1_1.jpg"));
    ASSERT_TRUE(jpeg.open(QIODevice::ReadOnly));
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write(jpeg.read(300)); // a JPEG cut off after 300 bytes
    cut.close();

    Document doc;
    QString problem;
    EXPECT_TRUE(doc.appendPicture(dir.filePath(QStringLiteral("wide.png"))));
    EXPECT_TRUE(doc.appendPicture(sourceDir() + QStringLiteral("/Matem/Foto/3_3_2_2.gif")));
    EXPECT_TRUE(doc.appendPicture(jpeg.fileName()));
    EXPECT_FALSE(doc.appendPicture(dir.filePath(QStringLiteral("junk.gif")), &problem));
    EXPECT_FALSE(problem.isEmpty());
    EXPECT_FALSE(doc.appendPicture(dir.filePath(QStringLiteral("cut.jpg"))));
    EXPECT_FALSE(doc.appendPicture(dir.filePath(QStringLiteral("none.gif")), &problem));
    EXPECT_EQ(problem, QStringLiteral("файл не найден"));
    EXPECT_EQ(doc.pictureCount(), 3);

    std::vector<QTextImageFormat> images;
    for (QTextBlock b = doc.text().begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat())
                images.push_back(it.fragment().charFormat().toImageFormat());
    ASSERT_EQ(images.size(), 3u);
    EXPECT_NEAR(images[0].width(), Document::kTextWidthPoints * Document::kUnitsPerPoint, 0.01);
    EXPECT_NEAR(images[0].height(), 100 * images[0].width() / 2000, 0.01);
    const QString text = doc.text().toPlainText();
    EXPECT_TRUE(text.contains(QStringLiteral("[junk.gif: ")));
    EXPECT_TRUE(text.contains(QStringLiteral("[cut.jpg: ")));
    EXPECT_TRUE(text.contains(QStringLiteral("[none.gif: файл не найден]")));
}

TEST(DocumentWriters, SavedFilesHoldTheTextsAndPictures)
{
    QTemporaryDir dir;
    Document doc;
    doc.setTitle(QStringLiteral("Неотвеченные вопросы"));
    doc.setBaseFont(12);
    doc.append(QStringLiteral("Тема: Реформы 1861 года"));
    doc.appendParagraph();
    const int t = doc.appendTable(1, 2);
    doc.setCellText(t, 1, 2, QStringLiteral("Ярослав Мудрый"));
    doc.appendPicture(sourceDir() + QStringLiteral("/Istoriy/Foto/1_2_1_1.jpg"));

    const QString odt = dir.filePath(QStringLiteral("a.odt"));
    const QString pdf = dir.filePath(QStringLiteral("a.pdf"));
    const QString html = dir.filePath(QStringLiteral("a.html"));
    for (const QString& path : {odt, pdf, html}) {
        auto writer = documentWriter(*documentFormatOf(path));
        ASSERT_TRUE(writer->write(doc, path)) << writer->errorString().toStdString();
    }
    const QString content = QString::fromUtf8(test::zipMember(odt, QStringLiteral("content.xml")));
    EXPECT_TRUE(content.contains(QStringLiteral("Тема: Реформы 1861 года")));
    EXPECT_TRUE(content.contains(QStringLiteral("Ярослав Мудрый")));
    EXPECT_TRUE(content.contains(QStringLiteral("draw:image")));
    const QString pdfText = test::pdfText(pdf);
    EXPECT_TRUE(pdfText.contains(QStringLiteral("Тема: Реформы 1861 года"))) << pdfText.toStdString();
    EXPECT_TRUE(pdfText.contains(QStringLiteral("Ярослав Мудрый")));
    QFile page(html);
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QString htmlText = QString::fromUtf8(page.readAll());
    EXPECT_TRUE(htmlText.contains(QStringLiteral("Ярослав Мудрый")));
    EXPECT_TRUE(htmlText.contains(QStringLiteral("src=\"data:image/")));
}

TEST(DocumentWriters, AFailedSaveNamesTheFileAndLeavesTheFormerOne)
{
    QTemporaryDir dir;
    Document doc;
    doc.append(QStringLiteral("текст"));
    auto writer = documentWriter(DocumentFormat::Pdf);
    const QString nowhere = dir.filePath(QStringLiteral("нет папки/a.pdf"));
    EXPECT_FALSE(writer->write(doc, nowhere));
    EXPECT_TRUE(writer->errorString().contains(QDir::toNativeSeparators(nowhere)));
    EXPECT_FALSE(QFile::exists(nowhere));

    QDir(dir.path()).mkdir(QStringLiteral("ro"));
    const QString former = dir.filePath(QStringLiteral("ro/a.odt"));
    QFile old(former);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    QFile::setPermissions(dir.filePath(QStringLiteral("ro")), QFile::ReadOwner | QFile::ExeOwner);
    const bool root = QFileInfo(dir.filePath(QStringLiteral("ro"))).isWritable();
    if (!root) {
        EXPECT_FALSE(documentWriter(DocumentFormat::Odt)->write(doc, former));
        QFile check(former);
        ASSERT_TRUE(check.open(QIODevice::ReadOnly));
        EXPECT_EQ(check.readAll(), QByteArray("old"));
    }
    QFile::setPermissions(dir.filePath(QStringLiteral("ro")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST(DocumentWriters, FormatsFollowTheNameOrTheChosenFilter)
{
    EXPECT_EQ(documentFormatOf(QStringLiteral("/x/Протокол.PDF")), DocumentFormat::Pdf);
    EXPECT_EQ(documentFormatOf(QStringLiteral("/x/a.htm")), DocumentFormat::Html);
    EXPECT_EQ(documentFormatOf(QStringLiteral("/x/a.doc")), std::nullopt);
    EXPECT_EQ(pathWithExtension(QStringLiteral("/x/a"), DocumentFormat::Html), QStringLiteral("/x/a.html"));
    EXPECT_EQ(pathWithExtension(QStringLiteral("/x/a.odt"), DocumentFormat::Pdf), QStringLiteral("/x/a.odt"));
    EXPECT_EQ(documentFormatOfFilter(QStringLiteral("PDF (*.pdf)")), DocumentFormat::Pdf);
}

TEST(DocumentHolder, ANewDocumentLeavesTheShownOneAlive)
{
    DocumentHolder holder;
    EXPECT_EQ(holder.current(), nullptr);
    holder.newDocument().append(QStringLiteral("первый"));
    std::shared_ptr<Document> shown = holder.current(); // as a window keeps it
    holder.newDocument().append(QStringLiteral("второй"));
    EXPECT_EQ(shown->text().toPlainText(), QStringLiteral("первый"));
    EXPECT_EQ(holder.current()->text().toPlainText(), QStringLiteral("второй"));
}
