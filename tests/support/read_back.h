// Reading saved documents and workbooks back in tests: a member of a zip
// file (the ODT's content.xml, the XLSX's sheet) and the text of a PDF,
// through the unzip and pdftotext programs.
#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace tavel::test {

// The output of `program` with `arguments`; empty when it could not run.
inline QByteArray programOutput(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return process.readAllStandardOutput();
}

// One member of a zip file, decompressed.
inline QByteArray zipMember(const QString& zip, const QString& member)
{
    return programOutput(QStringLiteral("unzip"), {QStringLiteral("-p"), zip, member});
}

// The text of a PDF as pdftotext lays it out.
inline QString pdfText(const QString& pdf)
{
    return QString::fromUtf8(
        programOutput(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")}));
}

} // namespace tavel::test
