// The ODT, PDF and HTML writers of a document.
#include "reports/document_writers.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPageLayout>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextDocument>
#include <QTextDocumentWriter>
#include <QUrl>

namespace tavel {
namespace {

class OdtWriter final : public DocumentWriter {
public:
    QString nameFilter() const override { return QStringLiteral("Документ ODT (*.odt)"); }
    QString extension() const override { return QStringLiteral("odt"); }

protected:
    void writeTo(const Document& document, QIODevice& device) override
    {
        // The ODF writer closes the device it is given: it writes into a
        // buffer, which then goes into the file.
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QTextDocumentWriter writer(&buffer, "odf");
        if (!writer.write(&document.text()))
            throw Error(QStringLiteral("документ не удалось преобразовать в ODT"));
        if (device.write(buffer.data()) != buffer.data().size())
            throw Error(device.errorString());
    }
};

class PdfWriter final : public DocumentWriter {
public:
    QString nameFilter() const override { return QStringLiteral("PDF (*.pdf)"); }
    QString extension() const override { return QStringLiteral("pdf"); }

protected:
    void writeTo(const Document& document, QIODevice& device) override
    {
        QPdfWriter pdf(&device);
        pdf.setCreator(QStringLiteral("Tavel"));
        pdf.setTitle(document.title());
        pdf.setResolution(300);
        // The page without margins: printing a document lays it out with
        // margins of 2 cm all round.
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                                      QPageLayout::Millimeter));
        document.text().print(&pdf);
    }
};

class HtmlWriter final : public DocumentWriter {
public:
    QString nameFilter() const override { return QStringLiteral("Веб-страница HTML (*.html *.htm)"); }
    QString extension() const override { return QStringLiteral("html"); }

protected:
    void writeTo(const Document& document, QIODevice& device) override
    {
        QString html = document.text().toHtml();
        // Every picture of the document goes into the page as a data URL, so
        // the page is one file that opens anywhere.
        static const QRegularExpression kSource(QStringLiteral("src=\"(tavel-picture-\\d+)\""));
        QString out;
        qsizetype last = 0;
        auto it = kSource.globalMatch(html);
        while (it.hasNext()) {
            const QRegularExpressionMatch m = it.next();
            out += QStringView(html).mid(last, m.capturedStart() - last);
            const QVariant resource = document.text().resource(QTextDocument::ImageResource, QUrl(m.captured(1)));
            QByteArray bytes;
            QString type = QStringLiteral("image/png");
            if (resource.userType() == QMetaType::QByteArray) {
                // A picture file kept as it is goes in as it is.
                bytes = resource.toByteArray();
                if (bytes.startsWith("GIF8"))
                    type = QStringLiteral("image/gif");
                else if (bytes.startsWith("\xFF\xD8"))
                    type = QStringLiteral("image/jpeg");
            } else {
                QBuffer buffer(&bytes);
                buffer.open(QIODevice::WriteOnly);
                qvariant_cast<QImage>(resource).save(&buffer, "PNG");
            }
            out += QStringLiteral("src=\"data:") + type + QStringLiteral(";base64,") + QString::fromLatin1(bytes.toBase64())
                   + u'"';
            last = m.capturedEnd();
        }
        out += QStringView(html).mid(last);
        const QByteArray bytes = out.toUtf8();
        if (device.write(bytes) != bytes.size())
            throw Error(device.errorString());
    }
};

} // namespace

std::unique_ptr<DocumentWriter> documentWriter(DocumentFormat format)
{
    switch (format) {
    case DocumentFormat::Odt: return std::make_unique<OdtWriter>();
    case DocumentFormat::Pdf: return std::make_unique<PdfWriter>();
    case DocumentFormat::Html: return std::make_unique<HtmlWriter>();
    }
    return std::make_unique<OdtWriter>();
}

std::optional<DocumentFormat> documentFormatOf(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"odt")
        return DocumentFormat::Odt;
    if (suffix == u"pdf")
        return DocumentFormat::Pdf;
    if (suffix == u"html" || suffix == u"htm")
        return DocumentFormat::Html;
    return std::nullopt;
}

QString documentFilters()
{
    QStringList filters;
    for (DocumentFormat f : {DocumentFormat::Odt, DocumentFormat::Pdf, DocumentFormat::Html})
        filters << documentWriter(f)->nameFilter();
    return filters.join(QStringLiteral(";;"));
}

DocumentFormat documentFormatOfFilter(const QString& filter)
{
    for (DocumentFormat f : {DocumentFormat::Odt, DocumentFormat::Pdf, DocumentFormat::Html})
        if (documentWriter(f)->nameFilter() == filter)
            return f;
    return DocumentFormat::Odt;
}

QString pathWithExtension(const QString& chosen, DocumentFormat filterFormat)
{
    if (documentFormatOf(chosen))
        return chosen;
    return chosen + u'.' + documentWriter(filterFormat)->extension();
}

} // namespace tavel
