// The workbench's command-line options for files: the documents folder relative names lead to,
// the help viewer and default help file, and producing tag-protected LISP sources.
#pragma once

#include <QCommandLineOption>
#include <QString>

class QCommandLineParser;
struct WorkbenchOptions;

class FileOptions {
public:
    FileOptions();
    void AddTo(QCommandLineParser& parser) const;
    // Copies the parsed values into options.
    void Read(const QCommandLineParser& parser, WorkbenchOptions& options) const;
    // The source to protect and the file to write when --protect-source was given.
    bool ProtectSourceRequested(const QCommandLineParser& parser, QString& input, QString& output) const;

    // Writes the tag-protected form of a LISP source file: its text read as the loader reads it
    // (UTF-8 after a byte-order mark, else the code page named by `codePage`; nothing after a
    // Ctrl-Z), then sealed line by line. An existing output is replaced only when the whole file
    // was written. False with the reason.
    static bool ProtectSourceFile(const QString& input, const QString& output, const QString& codePage, QString& error);

private:
    QCommandLineOption m_documents;
    QCommandLineOption m_helpViewer;
    QCommandLineOption m_helpFile;
    QCommandLineOption m_protectSource;
};
