// Parsing of transcript files.
#include "support/transcript.h"

QString NormalizeOutput(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    while (text.startsWith(QLatin1Char('\n')))
        text.remove(0, 1);
    while (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text;
}

std::vector<TranscriptCase> ParseTranscript(const QString& text)
{
    std::vector<TranscriptCase> cases;
    const QStringList lines = text.split(QLatin1Char('\n'));
    TranscriptCase* current = nullptr;
    QStringList expected;
    auto close = [&] {
        if (current)
            current->expected = NormalizeOutput(expected.join(QLatin1Char('\n')));
        expected.clear();
        current = nullptr;
    };
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.startsWith(QLatin1String(";;"))) {
            close();
            continue;
        }
        if (line.startsWith(QLatin1String(">> ")) && current && expected.isEmpty()) {
            current->input << line.mid(3);
            continue;
        }
        if (line.startsWith(QLatin1String("> "))) {
            close();
            cases.push_back(TranscriptCase{i + 1, line.mid(2), {}, {}});
            current = &cases.back();
            continue;
        }
        if (current)
            expected << line;
    }
    close();
    return cases;
}
