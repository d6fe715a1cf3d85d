// Transcripts: files of command lines with the exact console output each must produce.
//
//   ;; a comment (also separates cases)
//   > (strcat "ab" "cd")        a command line, run as the workbench runs it
//   >> "rest"                   a line the user types when the engine asks for more input
//   "abcd"                      the expected output, up to the next "> " or ";;" line
//
// Output is compared after CR LF becomes LF and leading and trailing line breaks are dropped
// (error messages start on a new line; the workbench ends every command line with one).
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

struct TranscriptCase {
    int line = 0;  // where the command stands in the file
    QString command;
    QStringList input;  // lines answering the engine's prompts
    QString expected;
};

std::vector<TranscriptCase> ParseTranscript(const QString& text);
QString NormalizeOutput(QString text);
