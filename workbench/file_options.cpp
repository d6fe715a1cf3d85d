// The workbench's file options.
#include "file_options.h"

#include "host/os/CTqCodePage.h"
#include "host/os/CTqProtectedSourceCodec.h"
#include "session.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

FileOptions::FileOptions()
    : m_documents(QStringLiteral("documents"),
                  QStringLiteral("The documents folder, where relative file names of LISP programs lead (default: "
                                 "the user's documents folder)."),
                  QStringLiteral("DIR")),
      m_helpViewer(QStringLiteral("help-viewer"),
                   QStringLiteral("A program that shows help files; it gets the file's URL (default: the desktop's "
                                  "viewer)."),
                   QStringLiteral("PROGRAM")),
      m_helpFile(QStringLiteral("help-file"), QStringLiteral("The default help file."), QStringLiteral("FILE")),
      m_protectSource(QStringLiteral("protect-source"),
                      QStringLiteral("Write the tag-protected form of the LISP source IN to OUT and exit."),
                      QStringLiteral("IN,OUT"))
{
}

void FileOptions::AddTo(QCommandLineParser& parser) const
{
    parser.addOptions({m_documents, m_helpViewer, m_helpFile, m_protectSource});
}

void FileOptions::Read(const QCommandLineParser& parser, WorkbenchOptions& options) const
{
    if (parser.isSet(m_documents))
        options.documentsFolder = QDir::cleanPath(QFileInfo(parser.value(m_documents)).absoluteFilePath());
    if (parser.isSet(m_helpViewer))
        options.helpViewer = parser.value(m_helpViewer);
    if (parser.isSet(m_helpFile))
        options.helpFile = QDir::cleanPath(QFileInfo(parser.value(m_helpFile)).absoluteFilePath());
}

bool FileOptions::ProtectSourceRequested(const QCommandLineParser& parser, QString& input, QString& output) const
{
    if (!parser.isSet(m_protectSource))
        return false;
    const QStringList files = parser.value(m_protectSource).split(QLatin1Char(','));
    input = files.value(0);
    output = files.value(1);
    return true;
}

bool FileOptions::ProtectSourceFile(const QString& input, const QString& output, const QString& codePage, QString& error)
{
    if (input.isEmpty() || output.isEmpty()) {
        error = QStringLiteral("--protect-source needs IN,OUT.");
        return false;
    }
    CTqCodePage codec;
    if (!codec.Select(codePage)) {
        error = QStringLiteral("Unknown code page \"%1\".").arg(codePage);
        return false;
    }
    QFile source(input);
    if (!source.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("Cannot read \"%1\": %2").arg(input, source.errorString());
        return false;
    }
    QByteArray bytes = source.readAll();
    if (const int stop = bytes.indexOf('\x1A'); stop >= 0)
        bytes.truncate(stop);
    if (bytes.contains('\0')) {
        error = QStringLiteral("\"%1\" is no text file.").arg(input);
        return false;
    }
    QString text;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        text = QString::fromUtf8(bytes.mid(3));
    } else {
        std::u16string decoded;
        (void)codec.Decode(std::string_view(bytes.constData(), std::size_t(bytes.size())), decoded);
        text = QString::fromStdU16String(decoded);
    }
    const QByteArray sealed = CTqProtectedSourceCodec::Encode(text);
    QSaveFile target(output);
    if (sealed.isEmpty() || !target.open(QIODevice::WriteOnly) || target.write(sealed) != sealed.size() || !target.commit()) {
        error = QStringLiteral("Cannot write \"%1\".").arg(output);
        return false;
    }
    return true;
}
