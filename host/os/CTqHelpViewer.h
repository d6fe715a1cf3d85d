// The help viewer: hands help files to the desktop's viewer (a ".chm" or ".html" file opens in
// the program the desktop associates with it, usually the browser), or to a viewer program the
// host names. It also keeps the help references of commands.
#pragma once

#include <QMap>
#include <QString>

class CTqHelpViewer {
public:
    // The program that receives the file's URL as its one argument instead of the desktop;
    // empty for the desktop's viewer.
    void SetViewerProgram(const QString& program) { m_program = program; }
    const QString& ViewerProgram() const { return m_program; }

    // Shows a help file with an HTML Help command (0 topic, 1 contents, 15 context, 18 close
    // all). A topic of an HTML file becomes the URL's fragment. False when the file does not
    // exist or the viewer cannot be started; "close all" has nothing to close and succeeds.
    bool Show(const QString& file, const QString& topic, int command) const;

    struct Reference {
        QString file;
        QString topic;
        int command = 0;
    };
    // The help reference of a command (names compare without regard to case).
    void SetCommandHelp(const QString& command, const Reference& reference) { m_references.insert(command.toUpper(), reference); }
    bool CommandHelp(const QString& command, Reference& reference) const;

private:
    QString m_program;
    QMap<QString, Reference> m_references;
};
