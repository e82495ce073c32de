#pragma once

#include "platform/Launcher.h"

#include <QStringList>

class MessageBoxes;

// Browser_Predefinito, the cleaning of a registered command: cut at the
// first "%" (the placeholder), drop a leading double quote, cut at the next
// one, drop trailing blanks. Given as program and arguments: a program that
// stood in quotes stays one word, blanks and all; the rest splits at blanks.
QStringList Pulisci_Comando(const QString& command);

// The desktop's default browser, started detached with the address as its
// own argument: no shell ever reads it.
class DesktopLauncher : public Launcher {
public:
    DesktopLauncher(MessageBoxes& boxes, const QString& helpFolder);

    // Says with Errore when no browser is known or it cannot be started.
    bool Apri_Url(const QString& address) override;
    bool showHelp(int context) override;

    // The guide's page for a help context in the given folder; empty when it
    // is not there.
    static QString helpPage(int context, const QString& helpFolder);
    // Browser_Predefinito: the command of the desktop's default web browser
    // as program and arguments, xdg-open when the desktop names none, empty
    // when neither is there.
    static QStringList Browser_Predefinito();
    // The Exec line of a desktop entry file, its escapes undone.
    static QString desktopExec(const QString& path);
    // What is started for an address: the browser's command, then the address.
    static QStringList openCommand(const QStringList& browser, const QString& address);

private:
    MessageBoxes& boxes;
    QString m_helpFolder;
};
